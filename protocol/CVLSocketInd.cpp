#include "CVLSocketInd.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <netdb.h>
#include <sys/socket.h>
#include <thread>

#include "CMVCompressor.h"
#include "CMVDecompressor.h"
#include "CMVCrypt_Base.h"
#include "CMVCrypt_Factory.h"
#include "CVLReqBuffer.h"
#include "CVLRequest.h"
#include "CVLRequestConnect.h"
#include "CVLRequestConnectResp.h"
#include "CVLRequestExtensibleConnect.h"
#include "CVLRequestExtensibleConnectResp.h"
#include "CVLRequestResponse.h"
#include "VLIPAddress.h"

namespace {

const unsigned char kHeadMagic1[4] = {'T', 'E', 'S', 'T'};
const unsigned char kHeadMagic2[4] = {'K', 'R', 'A', 'V'};
const unsigned char kTailMagic1[4] = {'t', 'e', 's', 't'};
const unsigned char kTailMagic2[4] = {'k', 'r', 'a', 'v'};

// Request flag bits the transport reads or writes.
const uint32_t kReqInterim = CVLRequest::kFlagStatusResponse;
const uint32_t kReqAES = CVLRequest::kFlagClientSupportsAES;
const uint32_t kReqFileTransfer = CVLRequest::kFlagFileTransfer;
const uint32_t kReqGroup = CVLRequest::kFlagRequestGroup;
const uint32_t kReqCompress = CVLRequest::kFlagCompress;
const uint32_t kReqUTF8 = CVLRequest::kFlagUTF8;
const uint32_t kReqNoFlush = CVLRequest::kFlagKeepPendingInput;
const uint32_t kReqError = CVLRequest::kFlagError;

// A resynchronisation scan gives up after discarding this much.
const unsigned kMaxResyncBytes = 64u * 1024u * 1024u;

uint32_t ReadLE32(const unsigned char* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

void WriteLE32(unsigned char* p, uint32_t v)
{
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}

bool IsConnectType(unsigned type)
{
    return type == 1 || type == 707;
}

} // namespace

void InitWrapperHeadStruct(CVLSocketWrapperHeadStruct_tag& head)
{
    head.magic1 = ReadLE32(kHeadMagic1);
    head.length = 0;
    head.checksum = 0;
    head.magic2 = ReadLE32(kHeadMagic2);
}

void InitWrapperTailStruct(CVLSocketWrapperTailStruct_tag& tail)
{
    tail.magic1 = ReadLE32(kTailMagic1);
    tail.checksum = 0;
    tail.magic2 = ReadLE32(kTailMagic2);
}

bool IsValidWrapperHeadStruct(const CVLSocketWrapperHeadStruct_tag& head)
{
    return head.magic1 == ReadLE32(kHeadMagic1) && head.magic2 == ReadLE32(kHeadMagic2);
}

bool IsValidWrapperTailStruct(const CVLSocketWrapperTailStruct_tag& tail)
{
    return tail.magic1 == ReadLE32(kTailMagic1) && tail.magic2 == ReadLE32(kTailMagic2);
}

void CVLSocketInd::EncodeHead(const CVLSocketWrapperHeadStruct_tag& head, unsigned char out[16])
{
    WriteLE32(out, head.magic1);
    WriteLE32(out + 4, head.length);
    WriteLE32(out + 8, head.checksum);
    WriteLE32(out + 12, head.magic2);
}

void CVLSocketInd::DecodeHead(const unsigned char in[16], CVLSocketWrapperHeadStruct_tag& head)
{
    head.magic1 = ReadLE32(in);
    head.length = ReadLE32(in + 4);
    head.checksum = ReadLE32(in + 8);
    head.magic2 = ReadLE32(in + 12);
}

void CVLSocketInd::EncodeTail(const CVLSocketWrapperTailStruct_tag& tail, unsigned char out[12])
{
    WriteLE32(out, tail.magic1);
    WriteLE32(out + 4, tail.checksum);
    WriteLE32(out + 8, tail.magic2);
}

void CVLSocketInd::DecodeTail(const unsigned char in[12], CVLSocketWrapperTailStruct_tag& tail)
{
    tail.magic1 = ReadLE32(in);
    tail.checksum = ReadLE32(in + 4);
    tail.magic2 = ReadLE32(in + 8);
}

CVLSocketInd::CVLSocketInd()
    : m_Flags(kFlagUTF8 | kFlagAESSupported),
      m_ErrorCode(socketErrorNone),
      m_LastActivity(socketActionNone),
      m_LastActivityTime(time(nullptr)),
      m_pCrypt(CMVCrypt_Factory::EncryptionClassFactory(1)),
      m_FileTransferCount(2)
{
}

CVLSocketInd::~CVLSocketInd()
{
    delete m_pCompressor;
    delete m_pDecompressor;
}

// ---------------------------------------------------------------------------------------
// Error state

void CVLSocketInd::GetSocketErrorText(CVLString& text)
{
    text = strerror(errno);
}

void CVLSocketInd::GetSocketErrorTextForCode(socketErrors code, CVLString& text)
{
    switch (code) {
    case socketErrorOS: GetSocketErrorText(text); break;
    case socketErrorChecksum: text = "Checksum Error."; break;
    case socketErrorTailChecksum: text = "Tail/Checksum Error."; break;
    case socketErrorClosed: text = "Socket closed."; break;
    case socketErrorTimeout: text = "Timeout."; break;
    case socketErrorFileTransfer: text = "File Transfer Error."; break;
    case socketErrorBufferFormat: text = "Unrecognized Buffer Format."; break;
    case socketErrorCompression: text = "Compression/Decompression Error."; break;
    case socketErrorSequence: text = "Sequence error. Missing connect request."; break;
    case socketErrorTransferAborted: text = "File Transfer Aborted."; break;
    default: text = "Unknown CVLSocket Error."; break;
    }
}

void CVLSocketInd::SetError(socketErrors code)
{
    SetError(code, nullptr);
}

void CVLSocketInd::SetError(socketErrors code, const char* prefix)
{
    int savedErrno = errno;
    if (HasError())
        return;
    CVLString text;
    errno = savedErrno;
    GetSocketErrorTextForCode(code, text);
    if (prefix && *prefix) {
        m_ErrorText = prefix;
        m_ErrorText += text;
    } else {
        m_ErrorText = text;
    }
    m_ErrorCode = code;
    m_Flags |= kFlagError;
}

void CVLSocketInd::SetErrorWithText(socketErrors code, const CVLString& text)
{
    if (HasError())
        return;
    m_ErrorText = text;
    m_ErrorCode = code;
    m_Flags |= kFlagError;
}

void CVLSocketInd::ClearError()
{
    m_Flags &= ~kFlagError;
    m_ErrorCode = socketErrorNone;
    m_ErrorText = "";
}

void CVLSocketInd::SetEncrypted(bool on)
{
    if (on)
        m_Flags |= kFlagEncrypted;
    else
        m_Flags &= ~kFlagEncrypted;
}

void CVLSocketInd::SetLastActivity(socketActions action)
{
    m_LastActivity = action;
    m_LastActivityTime = time(nullptr);
}

socketActions CVLSocketInd::GetLastActivity(time_t* when) const
{
    if (when)
        *when = m_LastActivityTime;
    return m_LastActivity;
}

bool CVLSocketInd::IsVersionlessRequestType(unsigned type)
{
    switch (type) {
    case 0: case 1: case 2: case 392: case 489: case 490: case 707:
        return true;
    default:
        return false;
    }
}

CMVCompressor& CVLSocketInd::GetSocketCompressor()
{
    if (!m_pCompressor)
        m_pCompressor = new CMVCompressor();
    return *m_pCompressor;
}

CMVDecompressor& CVLSocketInd::GetSocketDecompressor()
{
    if (!m_pDecompressor)
        m_pDecompressor = new CMVDecompressor();
    return *m_pDecompressor;
}

namespace {

// Payload compression is not available (the codecs refuse it), so a candidate stays as it is.
bool CompressPayload(CVLSocketInd& socket, CVLBuffer& body)
{
    if (!CMVCompressor::IsBufferCandidateForCompression(body))
        return false;
    CVLBuffer compressed;
    if (socket.GetSocketCompressor().CompressBuffer(body, compressed) != 0 || compressed.GetLength() == 0)
        return false;
    body.StealContentsFrom(compressed);
    return true;
}

// False leaves body as it was.
bool DecompressPayload(CVLSocketInd& socket, CVLBuffer& body)
{
    CVLBuffer plain;
    if (socket.GetSocketDecompressor().DecompressBuffer(body, plain) != 0 || plain.GetLength() == 0)
        return false;
    body.StealContentsFrom(plain);
    return true;
}

} // namespace

// ---------------------------------------------------------------------------------------
// Keys

bool CVLSocketInd::SetupEncryptionWithClientsPublicKey(const CVLBuffer& clientPublicKey, CVLBuffer& ownPublicKey)
{
    if (!m_pCrypt)
        return false;
    m_pCrypt->GetPublicKey(ownPublicKey);
    return m_pCrypt->SetSecretKeyFromPublic(clientPublicKey);
}

unsigned CVLSocketInd::SetupEncryptionWithClientsPublicKey(unsigned clientPublicKey)
{
    if (!m_pCrypt)
        return 0;
    unsigned own = m_pCrypt->GetPublicKey();
    return m_pCrypt->SetSecretKeyFromPublic(clientPublicKey) ? own : 0;
}

void CVLSocketInd::SetEncryptionKey(const CVLBuffer& key)
{
    if (m_pCrypt)
        m_pCrypt->SetKey(key);
}

void CVLSocketInd::CopyEncryptionKeysFrom(const CVLSocketInd& other)
{
    if (m_pCrypt && other.m_pCrypt && m_pCrypt->GetEncryptionType() == other.m_pCrypt->GetEncryptionType())
        m_pCrypt->SetKey(other.m_pCrypt->GetKeyConst());
}

void CVLSocketInd::SetClientSupportsAES(bool on)
{
    if (on)
        m_Flags |= kFlagAESSupported;
    else
        m_Flags &= ~kFlagAESSupported;
    if (!m_pCrypt || m_pCrypt->GetEncryptionType() != 1)
        m_pCrypt.reset(CMVCrypt_Factory::EncryptionClassFactory(1));
}

bool CVLSocketInd::HoldsAgreedKey() const
{
    return m_pCrypt && m_pCrypt->IsKeyAgreed();
}

// ---------------------------------------------------------------------------------------
// Addresses

bool CVLSocketInd::GetHostNameStrForIPAddr(const CVLString& address, CVLString& name)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_flags = AI_CANONNAME;
    addrinfo* res = nullptr;
    if (::getaddrinfo(address.GetBufferPtr(), nullptr, &hints, &res) != 0 || !res)
        return false;
    bool found = false;
    for (addrinfo* ai = res; ai && !found; ai = ai->ai_next) {
        char host[1025];
        if (::getnameinfo(ai->ai_addr, ai->ai_addrlen, host, sizeof host, nullptr, 0, NI_NAMEREQD) == 0) {
            name = host;
            found = true;
        }
    }
    ::freeaddrinfo(res);
    return found;
}

bool CVLSocketInd::GetCanonicalIPAddress(CVLString& address)
{
    return VLCanonicalizeNumericAddress(address, address);
}

// ---------------------------------------------------------------------------------------
// Sending

bool CVLSocketInd::SendRequest(CVLRequest& request, IVLSocketProgress* progress)
{
    (void)progress; // only file transfers report progress, and none is sent on this path
    m_Flags &= ~kFlagError;
    m_Flags |= kFlagBusy;

    uint32_t flags = request.GetFlags() & ~(kReqAES | kReqUTF8);
    if (m_Flags & kFlagAESSupported)
        flags |= kReqAES;
    if (m_Flags & kFlagUTF8)
        flags |= kReqUTF8;
    request.SetFlags(flags);

    const unsigned type = request.GetRequestType();
    const bool isResponse = request.IsResponse();

    // Request side of the key exchange: the connect request carries our public value.
    if (!isResponse && IsConnectType(type) && m_pCrypt) {
        if (auto* ext = dynamic_cast<CVLRequestExtensibleConnect*>(&request)) {
            CVLBuffer publicKey;
            m_pCrypt->GetPublicKey(publicKey);
            ext->SetPublicKey(publicKey);
        } else if (auto* legacy = dynamic_cast<CVLRequestConnect*>(&request)) {
            legacy->SetPublicKey(m_pCrypt->GetPublicKey());
        }
    }

    // Response side (server end): once a key is agreed, the real connect response travels
    // encrypted inside an empty clone that carries only status and our public value.
    CVLRequest* toSend = &request;
    std::unique_ptr<CVLRequest> wrapper;
    bool switchOnAfterFrame = false;
    if (isResponse && IsConnectType(type) && HoldsAgreedKey()) {
        switchOnAfterFrame = !(m_Flags & kFlagEncrypted);
        if (auto* inner = dynamic_cast<CVLRequestConnectResp_Base*>(&request)) {
            std::unique_ptr<CVLRequestConnectResp_Base> clone(inner->EmptyClone());
            if (clone && WrapConnectResponse(*inner, *clone))
                wrapper.reset(clone.release());
            if (!wrapper) {
                m_Flags &= ~kFlagBusy;
                return false;
            }
            toSend = wrapper.get();
        }
    }

    uint32_t sendFlags = toSend->GetFlags();
    if (m_Flags & kFlagCompress) {
        sendFlags |= kReqCompress;
        toSend->SetFlags(sendFlags);
    }

    std::unique_ptr<CVLReqBuffer> buffer;
    if (!SerializeForSending(*toSend, buffer)) {
        m_Flags &= ~kFlagBusy;
        return false;
    }

    const uint32_t checksum = buffer->GetChecksum();
    CVLBuffer body;
    body.AppendToBuffer(buffer->GetBufferPtr(), buffer->GetLength());

    if (sendFlags & kReqCompress)
        CompressPayload(*this, body);

    if ((m_Flags & kFlagEncrypted) && m_pCrypt && body.GetLength() > 0)
        m_pCrypt->EncryptBuffer(body, body.GetLength(), false);

    const bool flush = !(sendFlags & (kReqInterim | kReqNoFlush)) && type != 0xEEEE && type != 0xEEEF;
    SendFrame(body, checksum, flush);

    if (switchOnAfterFrame)
        m_Flags |= kFlagEncrypted;

    if (!HasError() && (sendFlags & kReqFileTransfer)) {
        // No request class of this library carries a file after its buffer.
        SetError(socketErrorFileTransfer,
                 isResponse ? "Not a file transfer response. " : "Not a file transfer request. ");
    }

    m_Flags &= ~kFlagBusy;
    return !HasError();
}

bool CVLSocketInd::WrapConnectResponse(CVLRequestConnectResp_Base& inner, CVLRequestConnectResp_Base& clone)
{
    clone.SetSessionCookie(-1);
    clone.SetStatus(inner.GetStatus());
    uint32_t flags = clone.GetFlags() & ~(kReqError | kReqAES);
    if (inner.GetStatus() != 0)
        flags |= kReqError;
    flags |= inner.GetFlags() & kReqAES;
    clone.SetFlags(flags);
    if (auto* extInner = dynamic_cast<CVLRequestExtensibleConnectResp*>(&inner)) {
        if (auto* extClone = dynamic_cast<CVLRequestExtensibleConnectResp*>(&clone))
            extClone->SetPublicKey(extInner->GetPublicKey());
    } else if (auto* legInner = dynamic_cast<CVLRequestConnectResp*>(&inner)) {
        if (auto* legClone = dynamic_cast<CVLRequestConnectResp*>(&clone))
            legClone->SetPublicKey(legInner->GetPublicKey());
    }

    std::unique_ptr<CVLReqBuffer> innerBuffer;
    if (!SerializeForSending(inner, innerBuffer))
        return false;
    CVLBuffer block;
    block.AppendToBuffer(innerBuffer->GetBufferPtr(), innerBuffer->GetLength());
    if (!m_pCrypt->EncryptBuffer(block, block.GetLength(), false))
        return false;
    clone.SetEmbeddedBlock(block);
    // A key block inside the real response replaces the agreed key from here on.
    if (inner.GetEmbeddedBlock().GetLength() > 0)
        m_pCrypt->SetKey(inner.GetEmbeddedBlock());
    return true;
}

bool CVLSocketInd::SerializeForSending(CVLRequest& request, std::unique_ptr<CVLReqBuffer>& out)
{
    CVLReqBuffer* raw = nullptr;
    try {
        request.ConvertRequestToBuffer(raw, true);
        out.reset(raw);
    } catch (...) {
        delete raw;
        out.reset();
        if (!request.IsResponse())
            return false;
        CVLRequestResponse failure(request.GetRequestType());
        failure.SetRequestId(request.GetRequestId());
        failure.SetStatus(255);
        failure.SetErrorText("Server Error - exception during processing.");
        failure.SetFlags(failure.GetFlags() | kReqError);
        raw = nullptr;
        try {
            failure.ConvertRequestToBuffer(raw, true);
            out.reset(raw);
        } catch (...) {
            delete raw;
            return false;
        }
    }
    return out != nullptr;
}

void CVLSocketInd::SendFrame(const CVLBuffer& body, uint32_t checksum, bool flushInput)
{
    const unsigned length = body.GetLength();
    CVLSocketWrapperHeadStruct_tag head;
    InitWrapperHeadStruct(head);
    head.length = length;
    head.checksum = checksum;
    CVLSocketWrapperTailStruct_tag tail;
    InitWrapperTailStruct(tail);
    tail.checksum = checksum;
    unsigned char headBytes[kHeadSize];
    unsigned char tailBytes[kTailSize];
    EncodeHead(head, headBytes);
    EncodeTail(tail, tailBytes);

    if (flushInput)
        FlushPendingReadData();

    if (length <= kSingleWriteMaxBody) {
        unsigned char frame[kHeadSize + kSingleWriteMaxBody + kTailSize];
        memcpy(frame, headBytes, kHeadSize);
        if (length)
            memcpy(frame + kHeadSize, body.GetBufferPtr(), length);
        memcpy(frame + kHeadSize + length, tailBytes, kTailSize);
        Send(frame, length + kHeadSize + kTailSize, 0);
        return;
    }
    if (Send(headBytes, kHeadSize, 0) != static_cast<int>(kHeadSize))
        return;
    if (Send(body.GetBufferPtr(), length, 0) != static_cast<int>(length))
        return;
    Send(tailBytes, kTailSize, 0);
}

// ---------------------------------------------------------------------------------------
// Receiving

unsigned CVLSocketInd::ReceiveDeadlineMs(unsigned timeoutSeconds) const
{
    if (m_ReceiveTimeoutOverrideMs)
        return m_ReceiveTimeoutOverrideMs;
    if (timeoutSeconds > UINT_MAX / 1000)
        return UINT_MAX;
    return timeoutSeconds * 1000;
}

bool CVLSocketInd::ReceiveRequestHeader(CVLSocketWrapperHeadStruct_tag& head, unsigned timeoutSeconds, bool resync)
{
    if (timeoutSeconds == 0)
        timeoutSeconds = CheckPendingReadData() > 0 ? 4 : 0;
    const unsigned headMs = (timeoutSeconds == 0 && !m_ReceiveTimeoutOverrideMs) ? 0 : ReceiveDeadlineMs(timeoutSeconds);
    const unsigned peekMs = m_ReceiveTimeoutOverrideMs && m_ReceiveTimeoutOverrideMs < m_ResyncTimeoutMs
                                ? m_ReceiveTimeoutOverrideMs
                                : m_ResyncTimeoutMs;
    unsigned discarded = 0;
    // Bytes that keep trickling in reset the inactivity wait but not this bound on the scan.
    const auto scanDeadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(headMs) +
                              std::chrono::milliseconds(peekMs);

    for (;;) {
        unsigned char raw[kHeadSize];
        int got = ReceiveBytesMs(raw, kHeadSize, headMs);
        if (got < 0)
            return false;
        if (got == 0) {
            SetError(socketErrorClosed);
            return false;
        }
        if (got < static_cast<int>(kHeadSize)) {
            // Cut off inside the head: a timeout is already recorded, a close is not.
            SetError(socketErrorClosed);
            return false;
        }
        DecodeHead(raw, head);
        if (IsValidWrapperHeadStruct(head))
            return true;
        if (!resync) {
            SetError(socketErrorBufferFormat);
            return false;
        }
        discarded += kHeadSize;

        // Look for the next "TE" at an even distance, consuming what precedes it.
        auto quietUntil = std::chrono::steady_clock::now() + std::chrono::milliseconds(peekMs);
        for (;;) {
            auto now = std::chrono::steady_clock::now();
            if (discarded > kMaxResyncBytes || now > scanDeadline) {
                SetError(socketErrorBufferFormat);
                return false;
            }
            unsigned char window[4096];
            int avail = PeekAvailable(window, sizeof window);
            if (avail < 0) {
                SetError(socketErrorClosed);
                return false;
            }
            if (avail < 2) {
                if (now >= quietUntil) {
                    SetError(socketErrorTimeout, "Receive(): ");
                    return false;
                }
                auto left = std::chrono::duration_cast<std::chrono::milliseconds>(quietUntil - now).count();
                if (avail == 0)
                    WaitReadable(static_cast<unsigned>(left > 0 ? left : 1));
                else
                    std::this_thread::sleep_for(std::chrono::milliseconds(1)); // one byte waits for its partner
                continue;
            }
            int match = -1;
            for (int i = 0; i + 1 < avail; i += 2) {
                if (window[i] == kHeadMagic1[0] && window[i + 1] == kHeadMagic1[1]) {
                    match = i;
                    break;
                }
            }
            unsigned consume = match >= 0 ? static_cast<unsigned>(match) : static_cast<unsigned>(avail & ~1);
            if (consume > 0) {
                unsigned char sink[4096];
                if (ReceiveBytesMs(sink, consume, peekMs) != static_cast<int>(consume)) {
                    SetError(socketErrorClosed);
                    return false;
                }
                discarded += consume;
                quietUntil = std::chrono::steady_clock::now() + std::chrono::milliseconds(peekMs);
            }
            if (match >= 0)
                break;
        }
    }
}

bool CVLSocketInd::ReceiveOneFrame(CVLRequest*& request, unsigned timeoutSeconds, bool resync)
{
    request = nullptr;
    CVLSocketWrapperHeadStruct_tag head;
    if (!ReceiveRequestHeader(head, timeoutSeconds, resync))
        return false;

    const unsigned bodyMs = ReceiveDeadlineMs(timeoutSeconds ? timeoutSeconds : 4);
    const uint32_t length = head.length;
    // An impossible or oversized length is refused before anything is read or allocated.
    if (length < 11 || length > kMaxBodyLength) {
        SetError(socketErrorTailChecksum);
        return false;
    }

    CVLBuffer body(length);
    int got = ReceiveBytesMs(body.GetNonConstBufferPtr(), length, bodyMs);
    CVLSocketWrapperTailStruct_tag tail{};
    if (got == static_cast<int>(length)) {
        unsigned char raw[kTailSize];
        if (ReceiveBytesMs(raw, kTailSize, bodyMs) == static_cast<int>(kTailSize))
            DecodeTail(raw, tail);
    }
    if (!IsValidWrapperTailStruct(tail) || tail.checksum != head.checksum) {
        SetError(socketErrorTailChecksum);
        return false;
    }

    if ((m_Flags & kFlagEncrypted) && m_pCrypt)
        m_pCrypt->DecryptBuffer(body, length, false);

    if (CMVDecompressor::IsBufferCompressed(body) && !DecompressPayload(*this, body))
        SetError(socketErrorCompression);

    CVLReqBuffer buffer;
    buffer.LoadBufferFromBuffer(body);
    const unsigned type = buffer.GetHeaderRequestType();
    if (IsConnectType(type)) {
        const uint32_t flags = buffer.GetHeaderRequestFlags();
        m_Flags = (flags & kReqUTF8) ? (m_Flags | kFlagUTF8) : (m_Flags & ~kFlagUTF8);
        m_Flags = (flags & kReqAES) ? (m_Flags | kFlagAESSupported) : (m_Flags & ~kFlagAESSupported);
        if (!m_pCrypt || m_pCrypt->GetEncryptionType() != 1)
            m_pCrypt.reset(CMVCrypt_Factory::EncryptionClassFactory(1));
        m_Flags |= kFlagConnectSeen;
    }

    const bool formatOk = body.GetLength() > 0 && static_cast<unsigned char>(body.GetBufferPtr()[0]) == 0x67;
    if (!formatOk || buffer.GetChecksum() != head.checksum) {
        SetError(formatOk ? socketErrorChecksum : socketErrorBufferFormat);
        return false;
    }
    if (!(m_Flags & kFlagConnectSeen) && !IsVersionlessRequestType(type)) {
        SetError(socketErrorSequence);
        return false;
    }

    request = CVLRequest::ConstructRequestFromBuffer(buffer);
    if (!request) {
        SetError(socketErrorBufferFormat);
        return false;
    }
    HandleConnectResponseKeyExchange(request);

    const uint32_t objFlags = request->GetFlags();
    if (objFlags & kReqFileTransfer) {
        // The content that follows cannot be taken apart without a file-transfer class.
        SetError(socketErrorFileTransfer);
    }
    if (objFlags & kReqGroup) {
        // Sub-frames of a request group cannot be collected without a group class.
        SetError(socketErrorUnknown);
    }
    return !HasError();
}

void CVLSocketInd::HandleConnectResponseKeyExchange(CVLRequest*& request)
{
    if (!request->IsResponse() || !IsConnectType(request->GetRequestType()) || !m_pCrypt)
        return;
    auto* base = dynamic_cast<CVLRequestConnectResp_Base*>(request);
    if (!base)
        return;
    if (!base->GetIgnorePublicKey()) {
        bool derived = false;
        if (auto* ext = dynamic_cast<CVLRequestExtensibleConnectResp*>(base)) {
            if (ext->IsPublicKeySet())
                derived = m_pCrypt->SetSecretKeyFromPublic(ext->GetPublicKey());
        } else if (auto* legacy = dynamic_cast<CVLRequestConnectResp*>(base)) {
            if (legacy->IsPublicKeySet())
                derived = m_pCrypt->SetSecretKeyFromPublic(legacy->GetPublicKey());
        }
        if (derived)
            m_Flags |= kFlagEncrypted;
    }

    const CVLBuffer& embedded = base->GetEmbeddedBlock();
    if (embedded.GetLength() == 0)
        return;
    CVLBuffer block;
    block.AppendToBuffer(embedded.GetBufferPtr(), embedded.GetLength());
    m_pCrypt->DecryptBuffer(block, block.GetLength(), false);
    CVLReqBuffer innerBuffer;
    if (innerBuffer.LoadBufferFromBuffer(block) == 0)
        return; // not a request buffer: wrong key or damaged block
    CVLRequest* inner = CVLRequest::ConstructRequestFromBuffer(innerBuffer);
    if (!inner)
        return;
    if (!IsConnectType(inner->GetRequestType())) {
        delete inner;
        return;
    }
    delete request;
    request = inner;
    if (auto* innerBase = dynamic_cast<CVLRequestConnectResp_Base*>(inner)) {
        if (innerBase->GetEmbeddedBlock().GetLength() > 0)
            m_pCrypt->SetKey(innerBase->GetEmbeddedBlock());
    }
}

bool CVLSocketInd::ReceiveRequest(CVLRequest*& request, unsigned timeoutSeconds, bool resync,
                                  IVLSocketProgress* progress)
{
    for (;;) {
        m_Flags &= ~kFlagError;
        m_Flags |= kFlagBusy;
        bool ok = ReceiveOneFrame(request, timeoutSeconds, resync);
        if (!request) {
            m_Flags &= ~kFlagBusy;
            return false;
        }
        if (ok && (request->GetFlags() & kReqInterim)) {
            if (progress)
                progress->InterimResponse(*request);
            delete request;
            request = nullptr;
            continue;
        }
        m_Flags &= ~kFlagBusy;
        return ok && !HasError();
    }
}

bool CVLSocketInd::ReceiveRequest(CVLRequestResponse*& response, unsigned timeoutSeconds, bool resync,
                                  IVLSocketProgress* progress)
{
    response = nullptr;
    CVLRequest* request = nullptr;
    bool ok = ReceiveRequest(request, timeoutSeconds, resync, progress);
    CVLRequestResponse* asResponse = request ? dynamic_cast<CVLRequestResponse*>(request) : nullptr;
    if (ok && asResponse && request->IsResponse()) {
        response = asResponse;
        return true;
    }
    delete request;
    return false;
}

bool CVLSocketInd::ReceiveRequest(std::unique_ptr<CVLRequestResponse>& response, unsigned timeoutSeconds,
                                  bool resync, IVLSocketProgress* progress)
{
    CVLRequestResponse* raw = nullptr;
    bool ok = ReceiveRequest(raw, timeoutSeconds, resync, progress);
    response.reset(raw);
    return ok;
}
