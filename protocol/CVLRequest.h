#pragma once

#include <memory>

class CVLReqBuffer;
class CVLString;

// Current protocol version per client type (the connect requests send the value of their own type).
constexpr unsigned short CVLREQUEST_PROTOCOL_VERSION_clientPC = 26246;
constexpr unsigned short CVLREQUEST_PROTOCOL_VERSION_clientMac = 25623;
constexpr unsigned short CVLREQUEST_PROTOCOL_VERSION_clientCGI = 26660;
constexpr unsigned short CVLREQUEST_PROTOCOL_VERSION_clientAdminTool = 25627;
constexpr unsigned short CVLREQUEST_PROTOCOL_VERSION_clientVLServer = 25467;
constexpr unsigned short CVLREQUEST_PROTOCOL_VERSION_clientCGIAdminTool = 25630;
constexpr unsigned short CVLREQUEST_PROTOCOL_VERSION_clientAddIn = 26142;
constexpr unsigned short CVLREQUEST_PROTOCOL_VERSION_clientSCMGUI = 25641;
constexpr unsigned short CVLREQUEST_PROTOCOL_VERSION_clientSCMCLI = 25629;
constexpr unsigned short CVLREQUEST_PROTOCOL_VERSION_clientSCMSCCI = 25628;
constexpr unsigned short CVLREQUEST_PROTOCOL_VERSION_clientSCMServer = 25411;
constexpr unsigned short CVLREQUEST_PROTOCOL_VERSION_clientSOAP = 25791;
constexpr unsigned short CVLREQUEST_PROTOCOL_VERSION_clientAPI = 25961;
constexpr unsigned short CVLREQUEST_PROTOCOL_VERSION_clientSCMWebDAVCGI = 25517;
constexpr unsigned short CVLREQUEST_PROTOCOL_VERSION_clientSCMOFFICEADDINS = 25629;
constexpr unsigned short CVLREQUEST_PROTOCOL_VERSION_clientSCMProxyServer = 25517;
constexpr unsigned short CVLREQUEST_PROTOCOL_VERSION_clientCGIPubData = 59;
constexpr unsigned short CVLREQUEST_PROTOCOL_VERSION_clientURLRedirector = 16;
constexpr unsigned short CVLREQUEST_PROTOCOL_VERSION_clientSCMAPI = 25523;
constexpr unsigned short CVLREQUEST_PROTOCOL_VERSION_clientSCMCmis = 25520;
constexpr unsigned short CVLREQUEST_PROTOCOL_VERSION_clientExtProCGI = 23;
constexpr unsigned short CVLREQUEST_PROTOCOL_VERSION_clientSCMWebAPI = 25523;
constexpr unsigned short CVLREQUEST_PROTOCOL_VERSION_clientRESTAPI = 15;

// A request: a 16-bit type, a flag word, an id and a session cookie, plus the type-specific
// fields that a subclass appends to a request buffer as details and reads back in the same order.
// On the wire: the 11-byte header (0x67, id, type, flags), the cookie (signed 32-bit), the details.
// A request owns its cached buffer; requests are not copyable.
class CVLRequest
{
public:
    // The flag word (the same 32 bits travel in the buffer header).
    enum requestFlags : unsigned {
        kFlagResponse = 0x1,
        kFlagValidated = 0x2,
        kFlagStatusResponse = 0x4,
        kFlagClientSupportsAES = 0x8,
        kFlagFileTransfer = 0x10,
        kFlagRequestGroup = 0x20,
        kFlagCompress = 0x40,
        kFlagIgnorePublicKey = 0x200,
        kFlagUTF8 = 0x400,
        kFlagKeepPendingInput = 0x10000,
        kFlagError = 0x80000000u
    };
    static constexpr unsigned kDefaultFlags = kFlagUTF8;
    // Bits that ClearRequest keeps.
    static constexpr unsigned kFlagsKeptByClear = kFlagResponse | kFlagFileTransfer | kFlagUTF8;
    static constexpr int kNoSessionCookie = -1;

    CVLRequest();
    explicit CVLRequest(unsigned short requestType);
    CVLRequest(const CVLRequest&) = delete;
    CVLRequest& operator=(const CVLRequest&) = delete;
    virtual ~CVLRequest();

    // Responses copy their error text into text; the base does nothing.
    virtual void GetErrorText(CVLString& text) const;
    // Responses return their error text (owned by the response); the base returns null.
    virtual const CVLString* GetErrorTextPtr() const;
    // True for responses whose file content follows their buffer on the connection.
    virtual bool IsFileTransferResponse() const;
    // Empties text; file-transfer responses describe themselves.
    virtual void GetAddlInfoForReqLogger(CVLString& text) const;
    virtual void ClearRequestDetails() = 0;
    virtual bool ValidateRequestDetails() const = 0;
    virtual bool GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const = 0;
    virtual bool GetRequestDetailsFromBuffer(CVLReqBuffer& buffer) = 0;

    unsigned GetFlags() const { return m_Flags; }
    void SetFlags(unsigned flags) { m_Flags = flags; }
    void SetFlag(unsigned mask, bool on) { m_Flags = on ? (m_Flags | mask) : (m_Flags & ~mask); }
    bool IsFlagSet(unsigned mask) const { return (m_Flags & mask) != 0; }
    unsigned GetRequestId() const { return m_RequestId; }
    void SetRequestId(unsigned requestId) { m_RequestId = requestId; }
    unsigned short GetRequestType() const { return m_RequestType; }
    void SetRequestType(unsigned short requestType) { m_RequestType = requestType; }
    int GetSessionCookie() const { return m_SessionCookie; }
    void SetSessionCookie(int cookie) { m_SessionCookie = cookie; }

    bool IsResponse() const { return IsFlagSet(kFlagResponse); }
    bool IsValidated() const { return IsFlagSet(kFlagValidated); }
    bool IsStatusResponse() const { return IsFlagSet(kFlagStatusResponse); }
    bool IsErrorResponse() const { return IsFlagSet(kFlagError); }
    bool IsFileTransfer() const { return IsFlagSet(kFlagFileTransfer); }
    bool IsRequestGroup() const { return IsFlagSet(kFlagRequestGroup); }
    bool DoesClientSupportAES() const { return IsFlagSet(kFlagClientSupportsAES); }
    void SetClientSupportsAES(bool on) { SetFlag(kFlagClientSupportsAES, on); }
    bool IsCompressionRequested() const { return IsFlagSet(kFlagCompress); }
    void SetCompressionRequested(bool on) { SetFlag(kFlagCompress, on); }

    // Builds a new buffer (header, cookie, details) and hands it to the caller, who owns it.
    // A cached buffer is handed over instead (the request stops owning it). With precompute the
    // details are counted first so that the buffer is allocated once. False leaves out null.
    bool ConvertRequestToBuffer(CVLReqBuffer*& out, bool precompute = true);
    // Builds the cached buffer when there is none.
    bool ConvertRequestToBufferIfNeeded();
    // Discards any cached buffer and builds it again.
    bool ConvertRequestToBuffer();
    // The cached buffer, owned by the request; null when none. Invalid after the next rebuild.
    CVLReqBuffer* GetRequestBuffer() const { return m_pCachedBuffer.get(); }
    void DiscardRequestBuffer();
    // The cached buffer's used length, 0 when there is none.
    unsigned GetRequestBufferDataLength() const;

    // Takes id, type and flags from the header, reads the cookie at offset 11, then the details.
    bool ConvertBufferToRequest(CVLReqBuffer& buffer);
    // Keeps flag bits 0, 4 and 10; id 0, cookie -1; then ClearRequestDetails.
    void ClearRequest();
    // Clears bit 1; fails for type 0; sets bit 1 when ValidateRequestDetails succeeds.
    bool ValidateRequest();

    static bool IsConnectRequest(unsigned short requestType);
    // Next value of one process-wide counter starting at 1.
    static unsigned GenerateRequestId();
    // 0 for client types the table does not know.
    static unsigned short GetCurrentProtocolVersionForClientType(unsigned short clientType);
    static unsigned short GetCurrentCompatibleProtocolVersionForClientType(unsigned short clientType);
    // The client-type name, or "Unknown [N]".
    static void GetClientTypeString(unsigned short clientType, CVLString& text);

    // Creates the object for a received buffer by its type number; the caller owns the result.
    // Null only when the buffer is shorter than a header.
    static CVLRequest* ConstructRequestFromBuffer(CVLReqBuffer& buffer);

protected:
    unsigned m_Flags = kDefaultFlags;
    unsigned m_RequestId = 0;
    unsigned short m_RequestType = 0;
    int m_SessionCookie = kNoSessionCookie;
    std::unique_ptr<CVLReqBuffer> m_pCachedBuffer;
};
