// Any bytes arriving on a connection, read by CVLSocket::ReceiveRequest over a socketpair, with
// encryption on or off, resynchronisation on or off, before or after the connect exchange. The
// first input byte picks the mode; the rest is sent either as it is or cut into bodies that are
// each wrapped in a correct frame (head, checksum, tail, encrypted with the session key), so that
// the request layer behind the framing is reached too.
// Beyond not crashing or hanging: a success hands over an object that can be written out again,
// a failure always records an error with a text, and a correctly framed first body that the
// framing has no reason to refuse is received.

#include <cstring>
#include <memory>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

#include "CMVCrypt_Base.h"
#include "CMVCrypt_Factory.h"
#include "CVLReqBuffer.h"
#include "CVLRequest.h"
#include "CVLSocket.h"
#include "FuzzSupport.h"

namespace {

const unsigned kModeEncrypted = 0x1;
const unsigned kModeResync = 0x2;
const unsigned kModeConnectSeen = 0x4;
const unsigned kModeWrap = 0x8;

const unsigned kMaxFrames = 16;
const char kBodySeparator[] = "\x00FRM";

CVLBuffer SessionKey()
{
    CVLBuffer key;
    key.AppendToBuffer("fuzz-session-key-0123456789abcdef", 32);
    return key;
}

uint32_t ReadLE32(const std::string& bytes, size_t at)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

std::string Frame(const std::string& plain, CMVCrypt_Base* cipher)
{
    const unsigned checksum =
        CVLReqBuffer::CountBytesWithLowBitSet(plain.data(), static_cast<unsigned>(plain.size()));
    CVLBuffer body;
    body.AppendToBuffer(plain.data(), static_cast<unsigned>(plain.size()));
    if (cipher && body.GetLength() > 0)
        FUZZ_CHECK(cipher->EncryptBuffer(body, body.GetLength(), false));
    CVLSocketWrapperHeadStruct_tag head;
    InitWrapperHeadStruct(head);
    head.length = body.GetLength();
    head.checksum = checksum;
    CVLSocketWrapperTailStruct_tag tail;
    InitWrapperTailStruct(tail);
    tail.checksum = checksum;
    unsigned char h[CVLSocketInd::kHeadSize];
    unsigned char t[CVLSocketInd::kTailSize];
    CVLSocketInd::EncodeHead(head, h);
    CVLSocketInd::EncodeTail(tail, t);
    std::string frame(reinterpret_cast<const char*>(h), sizeof h);
    frame.append(body.GetBufferPtr(), body.GetLength());
    frame.append(reinterpret_cast<const char*>(t), sizeof t);
    return frame;
}

// Whether the framing must accept this correctly framed body as the first frame.
bool FramingMustAccept(const std::string& plain, bool connectSeen)
{
    if (plain.size() < CVLReqBuffer::kHeaderSize || static_cast<unsigned char>(plain[0]) != 0x67)
        return false;
    if (plain.size() >= 7 && std::memcmp(plain.data(), "SZLIB\0", 6) == 0)
        return false;  // compressed payloads are not available
    const unsigned type = static_cast<unsigned char>(plain[5]) | (static_cast<unsigned char>(plain[6]) << 8);
    const uint32_t flags = ReadLE32(plain, 7);
    if (!connectSeen && !CVLSocketInd::IsVersionlessRequestType(type))
        return false;
    // Interim responses are skipped, file transfers and groups need classes the redirector lacks.
    return (flags & (0x4u | 0x10u | 0x20u)) == 0;
}

bool WriteAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 32 * 1024)
        return 0;
    const unsigned mode = data[0];
    const bool encrypted = mode & kModeEncrypted;
    const bool resync = mode & kModeResync;
    const bool connectSeen = mode & kModeConnectSeen;
    const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);

    std::string wire;
    bool firstMustArrive = false;
    if (mode & kModeWrap) {
        std::unique_ptr<CMVCrypt_Base> cipher;
        if (encrypted) {
            cipher.reset(CMVCrypt_Factory::EncryptionClassFactory(1));
            FUZZ_CHECK(cipher != nullptr);
            cipher->SetKey(SessionKey());
        }
        const std::string separator(kBodySeparator, sizeof kBodySeparator - 1);
        size_t start = 0;
        for (unsigned frames = 0; start <= rest.size(); ++frames) {
            size_t end = rest.find(separator, start);
            if (end == std::string::npos || frames + 1 == kMaxFrames)
                end = rest.size();
            const std::string plain = rest.substr(start, end - start);
            if (frames == 0)
                firstMustArrive = FramingMustAccept(plain, connectSeen);
            wire += Frame(plain, cipher.get());
            start = end + separator.size();
        }
    } else {
        wire = rest;
    }

    int fds[2];
    FUZZ_CHECK(socketpair(AF_UNIX, SOCK_STREAM, 0, fds) == 0);
    const int bufferSize = 1024 * 1024;
    setsockopt(fds[1], SOL_SOCKET, SO_SNDBUF, &bufferSize, sizeof bufferSize);
    setsockopt(fds[0], SOL_SOCKET, SO_RCVBUF, &bufferSize, sizeof bufferSize);
    FUZZ_CHECK(WriteAll(fds[1], wire));
    close(fds[1]);  // the peer is done: every read after the data sees the close at once

    CVLSocket socket;
    socket.Attach(fds[0]);
    socket.SetBlockingMode(false);
    socket.SetReceiveTimeoutOverrideMs(20);
    socket.SetResyncTimeoutMs(20);
    if (encrypted) {
        socket.SetEncryptionKey(SessionKey());
        socket.SetEncrypted(true);
    }
    if (connectSeen)
        socket.SetFlags(socket.GetFlags() | CVLSocketInd::kFlagConnectSeen);

    for (unsigned round = 0; round < kMaxFrames + 2; ++round) {
        CVLRequest* raw = nullptr;
        const bool ok = socket.ReceiveRequest(raw, 1, resync, nullptr);
        std::unique_ptr<CVLRequest> request(raw);
        if (round == 0 && firstMustArrive && !ok)
            std::fprintf(stderr, "first frame refused: %s\n", socket.GetErrorText().GetBufferPtr());
        if (round == 0 && firstMustArrive)
            FUZZ_CHECK(ok);
        if (ok) {
            FUZZ_CHECK(request != nullptr);
            FUZZ_CHECK(!socket.HasError());
            CVLReqBuffer* out = nullptr;
            FUZZ_CHECK(request->ConvertRequestToBuffer(out, true));
            delete out;
            continue;
        }
        FUZZ_CHECK(socket.HasError());
        FUZZ_CHECK(socket.GetErrorCode() != socketErrorNone);
        FUZZ_CHECK(!socket.GetErrorText().IsEmpty());
        const socketErrors code = socket.GetErrorCode();
        socket.ClearError();
        if (code == socketErrorClosed || code == socketErrorTimeout || code == socketErrorOS)
            break;
    }
    return 0;
}
