#pragma once

#include <cstdint>
#include <ctime>
#include <memory>

#include "CVLString.h"

class CVLBuffer;
class CVLReqBuffer;
class CVLRequest;
class CVLRequestResponse;
class CVLRequestConnectResp_Base;
class CMVCrypt_Base;
class CMVCompressor;
class CMVDecompressor;

// Transport error codes; SetError stores the matching text (GetSocketErrorTextForCode).
enum socketErrors : unsigned
{
    socketErrorNone = 0,
    socketErrorOS = 1,              // strerror of the current errno
    socketErrorChecksum = 2,        // "Checksum Error."
    socketErrorTailChecksum = 3,    // "Tail/Checksum Error."
    socketErrorClosed = 4,          // "Socket closed."
    socketErrorTimeout = 5,         // "Timeout."
    socketErrorFileTransfer = 6,    // "File Transfer Error."
    socketErrorBufferFormat = 7,    // "Unrecognized Buffer Format."
    socketErrorCompression = 8,     // "Compression/Decompression Error."
    socketErrorSequence = 9,        // "Sequence error. Missing connect request."
    socketErrorTransferAborted = 10, // "File Transfer Aborted."
    socketErrorUnknown = 11         // "Unknown CVLSocket Error."
};

enum socketActions : unsigned
{
    socketActionNone = 0,
    socketActionCreated = 1,
    socketActionSend = 2,
    socketActionReceive = 3
};

// Frame head and tail as they travel (little-endian on the wire, see EncodeHead/DecodeHead).
struct CVLSocketWrapperHeadStruct_tag
{
    uint32_t magic1;   // "TEST"
    uint32_t length;   // body bytes that follow the head
    uint32_t checksum; // GetChecksum of the plain request buffer
    uint32_t magic2;   // "KRAV"
};

struct CVLSocketWrapperTailStruct_tag
{
    uint32_t magic1;   // "test"
    uint32_t checksum; // the head's checksum again
    uint32_t magic2;   // "krav"
};

void InitWrapperHeadStruct(CVLSocketWrapperHeadStruct_tag& head);
void InitWrapperTailStruct(CVLSocketWrapperTailStruct_tag& tail);
bool IsValidWrapperHeadStruct(const CVLSocketWrapperHeadStruct_tag& head);
bool IsValidWrapperTailStruct(const CVLSocketWrapperTailStruct_tag& tail);

// Told about interim status responses (the object is deleted right after the call) and,
// during file transfers, about progress texts.
class IVLSocketProgress
{
public:
    virtual ~IVLSocketProgress() = default;
    virtual void InterimResponse(CVLRequest& interim) = 0;
    virtual void TransferProgress(const CVLString& text) { (void)text; }
};

// Moves request objects over one stream connection: frames them with head, checksum and
// tail, encrypts bodies once the connect exchange agreed on a key, and rebuilds received
// objects. The TCP side (Create, Connect, Send, Receive, ...) is supplied by CVLSocket.
// Errors are recorded, not thrown: the first error since the error bit was cleared keeps
// its code and text (GetErrorCode / GetErrorText).
class CVLSocketInd
{
public:
    // Socket state bits.
    static const uint32_t kFlagEncrypted = 0x1;
    static const uint32_t kFlagConnected = 0x2;
    static const uint32_t kFlagBusy = 0x4;
    static const uint32_t kFlagCompress = 0x8;
    static const uint32_t kFlagUTF8 = 0x10;
    static const uint32_t kFlagConnectSeen = 0x20;
    static const uint32_t kFlagCreatingIPv4 = 0x40;
    static const uint32_t kFlagCreatingIPv6 = 0x80;
    static const uint32_t kFlagAESSupported = 0x100;
    static const uint32_t kFlagError = 0x80000000u;

    static const unsigned kHeadSize = 16;
    static const unsigned kTailSize = 12;
    // Bodies up to this size go out with one write together with head and tail.
    static const unsigned kSingleWriteMaxBody = 1999;
    // A head announcing a longer body is refused without reading or allocating the body.
    static const uint32_t kMaxBodyLength = 256u * 1024u * 1024u;

    CVLSocketInd();
    virtual ~CVLSocketInd();
    CVLSocketInd(const CVLSocketInd&) = delete;
    CVLSocketInd& operator=(const CVLSocketInd&) = delete;

    virtual bool Create(unsigned port, int socketType) = 0;
    virtual bool Connect(const void* address, unsigned addressLength) = 0;
    virtual bool ConnectToServer(const CVLString& host, unsigned port) = 0;
    virtual void Close() = 0;
    // Reads up to count bytes; timeoutSeconds is an inactivity deadline. Returns the count
    // read (short on close or timeout, which is recorded) or -1 on a system error.
    virtual int Receive(void* data, unsigned count, int flags, unsigned timeoutSeconds) = 0;
    // One non-waiting read: 0 when nothing is waiting, -1 on a system error.
    virtual int ReceiveRawWithNoWait(void* data, unsigned count, int flags) = 0;

    // On true the caller owns *request. It may also own one returned together with false.
    virtual bool ReceiveRequest(CVLRequest*& request, unsigned timeoutSeconds, bool resync,
                                IVLSocketProgress* progress);
    // Hands over the object only on success and when it is a response; deletes it otherwise.
    virtual bool ReceiveRequest(CVLRequestResponse*& response, unsigned timeoutSeconds, bool resync,
                                IVLSocketProgress* progress);
    // Stores whatever the first form returned, deleting what the pointer held before.
    virtual bool ReceiveRequest(std::unique_ptr<CVLRequestResponse>& response, unsigned timeoutSeconds,
                                bool resync, IVLSocketProgress* progress);

    // Sends count bytes; returns the count sent (short on timeout, recorded) or -1.
    virtual int Send(const void* data, unsigned count, int flags) = 0;
    // True when no error was recorded during the send. The request is not consumed.
    virtual bool SendRequest(CVLRequest& request, IVLSocketProgress* progress);

    virtual bool Accept(CVLSocketInd& other) = 0;
    virtual bool GetPeerSocketIPStr(CVLString& text) = 0;
    virtual bool GetPeerSocketHostNameStr(CVLString& text) = 0;
    virtual bool GetSocketIPStr(CVLString& text) = 0;
    virtual bool GetSocketHostNameStr(CVLString& text) = 0;
    virtual unsigned GetSocketPortNumber() = 0;
    virtual int Detach() = 0;
    virtual bool Listen() = 0;
    virtual bool SetBlockingMode(bool blocking) = 0;
    virtual int CheckPendingReadData() = 0;
    virtual int FlushPendingReadData() = 0;
    virtual bool SetSendBufferSize(int bytes) = 0;
    virtual bool SetReceiveBufferSize(int bytes) = 0;

    // Error state.
    void SetError(socketErrors code);
    void SetError(socketErrors code, const char* prefix);
    void ClearErrorBit() { m_Flags &= ~kFlagError; }
    // Clears the bit, the code and the text.
    void ClearError();
    bool HasError() const { return (m_Flags & kFlagError) != 0; }
    socketErrors GetErrorCode() const { return m_ErrorCode; }
    const CVLString& GetErrorText() const { return m_ErrorText; }
    static void GetSocketErrorText(CVLString& text);
    // The fixed text of a transport error code (code 1 gives the current errno's text).
    static void GetSocketErrorTextForCode(socketErrors code, CVLString& text);

    uint32_t GetFlags() const { return m_Flags; }
    void SetFlags(uint32_t flags) { m_Flags = flags; }
    bool IsConnected() const { return (m_Flags & kFlagConnected) != 0; }
    bool IsBusy() const { return (m_Flags & kFlagBusy) != 0; }
    bool IsEncrypted() const { return (m_Flags & kFlagEncrypted) != 0; }
    // Server side: switches body encryption on or off for the following frames.
    void SetEncrypted(bool on);

    void SetLastActivity(socketActions action);
    socketActions GetLastActivity(time_t* when = nullptr) const;
    time_t GetLastActivityTime() const { return m_LastActivityTime; }

    static bool IsVersionlessRequestType(unsigned type);

    CMVCompressor& GetSocketCompressor();
    CMVDecompressor& GetSocketDecompressor();
    // The session cipher; owned by the socket.
    CMVCrypt_Base* GetCrypt() const { return m_pCrypt.get(); }

    // Server side: makes the own public value (into ownPublicKey) and derives the session
    // key from the client's value. False when the derivation failed.
    bool SetupEncryptionWithClientsPublicKey(const CVLBuffer& clientPublicKey, CVLBuffer& ownPublicKey);
    // Legacy form: returns the own public value, or 0 when the derivation failed.
    unsigned SetupEncryptionWithClientsPublicKey(unsigned clientPublicKey);
    void SetEncryptionKey(const CVLBuffer& key);
    void CopyEncryptionKeysFrom(const CVLSocketInd& other);
    void SetClientSupportsAES(bool on);

    void SetTempFolder(const CVLString& folder) { m_TempFolder = folder; }

    // Resolves the text and gives the host name of the first result that has one.
    static bool GetHostNameStrForIPAddr(const CVLString& address, CVLString& name);
    // Accepts only a numeric IPv4 or IPv6 address and rewrites it in canonical form.
    static bool GetCanonicalIPAddress(CVLString& address);

    // Deadlines. A non-zero receive override (milliseconds) replaces every receive deadline
    // given in seconds, so that tests can use short ones.
    void SetReceiveTimeoutOverrideMs(unsigned ms) { m_ReceiveTimeoutOverrideMs = ms; }
    void SetSendTimeoutMs(unsigned ms) { m_SendTimeoutMs = ms; }
    void SetConnectTimeoutMs(unsigned ms) { m_ConnectTimeoutMs = ms; }
    void SetResyncTimeoutMs(unsigned ms) { m_ResyncTimeoutMs = ms; }
    unsigned GetSendTimeoutMs() const { return m_SendTimeoutMs; }
    unsigned GetConnectTimeoutMs() const { return m_ConnectTimeoutMs; }

    // Wire form of head and tail.
    static void EncodeHead(const CVLSocketWrapperHeadStruct_tag& head, unsigned char out[16]);
    static void DecodeHead(const unsigned char in[16], CVLSocketWrapperHeadStruct_tag& head);
    static void EncodeTail(const CVLSocketWrapperTailStruct_tag& tail, unsigned char out[12]);
    static void DecodeTail(const unsigned char in[12], CVLSocketWrapperTailStruct_tag& tail);

protected:
    // Reads and checks a frame head, resynchronising when asked.
    bool ReceiveRequestHeader(CVLSocketWrapperHeadStruct_tag& head, unsigned timeoutSeconds, bool resync);
    // Milliseconds of a deadline given in seconds, honouring the override.
    unsigned ReceiveDeadlineMs(unsigned timeoutSeconds) const;
    // Receive with an inactivity deadline in milliseconds.
    virtual int ReceiveBytesMs(void* data, unsigned count, unsigned timeoutMs) = 0;
    // Up to count bytes already waiting, without consuming them: 0 when none, -1 when the
    // connection is closed or failed.
    virtual int PeekAvailable(void* data, unsigned count) = 0;
    // Waits until bytes are readable or the time passed; false on timeout.
    virtual bool WaitReadable(unsigned timeoutMs) = 0;

    void SetErrorWithText(socketErrors code, const CVLString& text);
    bool HoldsAgreedKey() const;
    bool ReceiveOneFrame(CVLRequest*& request, unsigned timeoutSeconds, bool resync);
    void HandleConnectResponseKeyExchange(CVLRequest*& request);
    bool WrapConnectResponse(CVLRequestConnectResp_Base& inner, CVLRequestConnectResp_Base& clone);
    bool SerializeForSending(CVLRequest& request, std::unique_ptr<CVLReqBuffer>& out);
    void SendFrame(const CVLBuffer& body, uint32_t checksum, bool flushInput);

    uint32_t m_Flags;
    CVLString m_ErrorText;
    socketErrors m_ErrorCode;
    socketActions m_LastActivity;
    time_t m_LastActivityTime;
    std::unique_ptr<CMVCrypt_Base> m_pCrypt;
    CVLString m_TempFolder;
    CMVCompressor* m_pCompressor = nullptr;     // owned, made on first use
    CMVDecompressor* m_pDecompressor = nullptr; // owned, made on first use
    unsigned m_FileTransferCount;
    CVLString m_FileTransferText;

    unsigned m_ReceiveTimeoutOverrideMs = 0;
    unsigned m_SendTimeoutMs = 300000;
    unsigned m_ConnectTimeoutMs = 5000;
    unsigned m_ResyncTimeoutMs = 2000;
};
