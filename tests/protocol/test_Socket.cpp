// Frames on a real loopback connection: what the socket writes, and how it treats what a peer
// sends, including broken, cut, oversized, out-of-order and flooding input.

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <ctime>
#include <functional>
#include <memory>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "CMVCrypt_Base.h"
#include "CVLReqBuffer.h"
#include "CVLRequestConnect.h"
#include "CVLRequestConnectResp.h"
#include "CVLRequestDisconnect.h"
#include "CVLRequestExtensibleConnect.h"
#include "CVLRequestExtensibleConnectResp.h"
#include "CVLRequestGetCGIURL.h"
#include "CVLRequestGetCGIURLResp.h"
#include "CVLRequestStatusResponse.h"
#include "CVLSocket.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Counts the writes the framing makes.
class CountingSocket : public CVLSocket
{
public:
    int Send(const void* data, unsigned count, int flags) override
    {
        writes.push_back(count);
        return CVLSocket::Send(data, count, flags);
    }
    std::vector<unsigned> writes;
};

// The frame the socket would send for request (no encryption), built independently.
Bytes FrameOf(CVLRequest& request)
{
    CVLReqBuffer* raw = nullptr;
    EXPECT_TRUE(request.ConvertRequestToBuffer(raw, true));
    std::unique_ptr<CVLReqBuffer> buffer(raw);
    unsigned length = buffer->GetLength();
    unsigned checksum = buffer->GetChecksum();
    Bytes frame(16 + length + 12);
    CVLSocketWrapperHeadStruct_tag head;
    InitWrapperHeadStruct(head);
    head.length = length;
    head.checksum = checksum;
    CVLSocketWrapperTailStruct_tag tail;
    InitWrapperTailStruct(tail);
    tail.checksum = checksum;
    CVLSocketInd::EncodeHead(head, frame.data());
    memcpy(frame.data() + 16, buffer->GetBufferPtr(), length);
    CVLSocketInd::EncodeTail(tail, frame.data() + 16 + length);
    return frame;
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

Bytes ResponseFrame(unsigned short type, unsigned id = 0)
{
    CVLRequestResponse response(type);
    response.SetRequestId(id);
    return FrameOf(response);
}

double ThreadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

// A client socket connected over 127.0.0.1 to a raw descriptor the test drives.
class SocketFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        client.reset(new CountingSocket());
        m_Listener = socket(AF_INET, SOCK_STREAM, 0);
        ASSERT_GE(m_Listener, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ASSERT_EQ(bind(m_Listener, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
        ASSERT_EQ(listen(m_Listener, 4), 0);
        socklen_t len = sizeof a;
        getsockname(m_Listener, reinterpret_cast<sockaddr*>(&a), &len);
        ASSERT_TRUE(client->ConnectToServer("127.0.0.1", ntohs(a.sin_port))) << client->GetErrorText().GetBufferPtr();
        m_Peer = accept(m_Listener, nullptr, nullptr);
        ASSERT_GE(m_Peer, 0);
        client->SetBlockingMode(false);
        client->SetReceiveTimeoutOverrideMs(300);
    }

    void TearDown() override
    {
        client.reset();
        if (m_Peer >= 0)
            close(m_Peer);
        close(m_Listener);
    }

    void PeerWrite(const Bytes& bytes)
    {
        ASSERT_EQ(write(m_Peer, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }

    void PeerClose()
    {
        close(m_Peer);
        m_Peer = -1;
    }

    Bytes PeerRead(size_t count)
    {
        Bytes got;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (got.size() < count && std::chrono::steady_clock::now() < deadline) {
            pollfd p{m_Peer, POLLIN, 0};
            if (poll(&p, 1, 50) <= 0)
                continue;
            unsigned char buf[4096];
            ssize_t n = read(m_Peer, buf, std::min(sizeof buf, count - got.size()));
            if (n <= 0)
                break;
            got.insert(got.end(), buf, buf + n);
        }
        return got;
    }

    // A CVLSocket over the peer end (it takes the descriptor).
    std::unique_ptr<CVLSocket> PeerSocket()
    {
        std::unique_ptr<CVLSocket> s(new CVLSocket());
        s->Attach(m_Peer);
        m_Peer = -1;
        s->SetBlockingMode(false);
        s->SetReceiveTimeoutOverrideMs(1000);
        return s;
    }

    std::string ClientError() const { return std::string(client->GetErrorText().GetBufferPtr()); }

    std::unique_ptr<CountingSocket> client;
    int m_Listener = -1;
    int m_Peer = -1;
};

} // namespace

TEST_F(SocketFrameTest, DisconnectGoesOutAsOne43ByteWrite)
{
    CVLRequestDisconnect disconnect;
    ASSERT_TRUE(disconnect.ValidateRequest());
    ASSERT_TRUE(client->SendRequest(disconnect, nullptr));
    EXPECT_EQ(client->writes, std::vector<unsigned>{43});

    // clang-format off
    const Bytes expected = {
        'T', 'E', 'S', 'T', 0x0F, 0, 0, 0, 0x05, 0, 0, 0, 'K', 'R', 'A', 'V',
        0x67, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x0A, 0x04, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF,
        't', 'e', 's', 't', 0x05, 0, 0, 0, 'k', 'r', 'a', 'v',
    };
    // clang-format on
    EXPECT_EQ(PeerRead(expected.size()), expected);
}

TEST_F(SocketFrameTest, BodySizeDecidesBetweenOneAndThreeWrites)
{
    std::unique_ptr<CVLSocket> peer = PeerSocket();
    peer->SetFlags(peer->GetFlags() | CVLSocketInd::kFlagConnectSeen);
    struct Row
    {
        unsigned body;
        std::vector<unsigned> writes;
    };
    // A web-address request has 23 body bytes besides its project name.
    const Row rows[] = {{1999, {1999 + 28}}, {2000, {16, 2000, 12}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.body);
        client->writes.clear();
        CVLRequestGetCGIURL request;
        std::string name(row.body - 23, 'p');
        request.SetProjectName(CVLString(name.c_str()));
        ASSERT_TRUE(client->SendRequest(request, nullptr));
        EXPECT_EQ(client->writes, row.writes);

        CVLRequest* raw = nullptr;
        ASSERT_TRUE(peer->ReceiveRequest(raw, 5, false, nullptr)) << peer->GetErrorText().GetBufferPtr();
        std::unique_ptr<CVLRequest> received(raw);
        auto* cgi = dynamic_cast<CVLRequestGetCGIURL*>(received.get());
        ASSERT_NE(cgi, nullptr);
        EXPECT_EQ(cgi->GetProjectName().GetLength(), row.body - 23);
    }
}

TEST_F(SocketFrameTest, BadInputIsRefusedWithItsText)
{
    struct Row
    {
        const char* name;
        std::function<Bytes()> bytes;
        bool closeAfter;
        bool resync;
        const char* error;
    };
    auto withTail = [](Bytes frame, std::function<void(Bytes&)> change) {
        change(frame);
        return frame;
    };
    auto headOnly = [](uint32_t length) {
        CVLSocketWrapperHeadStruct_tag head;
        InitWrapperHeadStruct(head);
        head.length = length;
        Bytes b(16);
        CVLSocketInd::EncodeHead(head, b.data());
        return b;
    };
    auto rawFrame = [](const Bytes& body) {
        CVLSocketWrapperHeadStruct_tag head;
        InitWrapperHeadStruct(head);
        head.length = static_cast<uint32_t>(body.size());
        head.checksum = 3;
        CVLSocketWrapperTailStruct_tag tail;
        InitWrapperTailStruct(tail);
        tail.checksum = 3;
        Bytes h(16), t(12);
        CVLSocketInd::EncodeHead(head, h.data());
        CVLSocketInd::EncodeTail(tail, t.data());
        return Concat({h, body, t});
    };
    // clang-format off
    const Row rows[] = {
        {"compressed payload", [&] { return rawFrame(Bytes{'S', 'Z', 'L', 'I', 'B', 0, 1, 2, 3, 4, 5, 6}); },
             false, true, "Compression/Decompression Error."},
        {"swapped tail magics", [&] { return withTail(ResponseFrame(707), [](Bytes& f) {
             std::swap_ranges(f.end() - 12, f.end() - 8, f.end() - 4); }); }, false, true, "Tail/Checksum Error."},
        {"tail checksum differs", [&] { return withTail(ResponseFrame(707), [](Bytes& f) { f[f.size() - 8] ^= 1; }); },
             false, true, "Tail/Checksum Error."},
        {"body checksum differs", [&] { return withTail(ResponseFrame(707), [](Bytes& f) {
             f[8] ^= 2; f[f.size() - 8] ^= 2; }); }, false, true, "Checksum Error."},
        {"not a request buffer", [&] { return withTail(ResponseFrame(707), [](Bytes& f) { f[16] = 0x66; }); },
             false, true, "Unrecognized Buffer Format."},
        {"461 before connect", [] { return ResponseFrame(461); }, false, true,
             "Sequence error. Missing connect request."},
        {"body over the cap", [&] { return headOnly(300u * 1024u * 1024u); }, false, true, "Tail/Checksum Error."},
        {"body below a header", [&] { return headOnly(10); }, false, true, "Tail/Checksum Error."},
        {"nothing at all", [] { return Bytes(); }, false, true, "Receive(): Timeout."},
        {"half a head, then close", [] { Bytes f = ResponseFrame(707); f.resize(8); return f; }, true, true,
             "Socket closed."},
        {"half a body, then close", [] { Bytes f = ResponseFrame(707); f.resize(16 + 10); return f; }, true, true,
             "Tail/Checksum Error."},
        {"half a body, then silence", [] { Bytes f = ResponseFrame(707); f.resize(16 + 10); return f; }, false, true,
             "Receive(): Timeout."},
        {"closed at once", [] { return Bytes(); }, true, true, "Socket closed."},
        {"garbage head, no resync", [] { return Bytes(16, 'x'); }, false, false, "Unrecognized Buffer Format."},
        {"three stray bytes, no resync", [] { return Concat({Bytes{1, 2, 3}, ResponseFrame(707)}); }, false, false,
             "Unrecognized Buffer Format."},
        {"garbage then silence, resync", [] { return Bytes(17, 'x'); }, false, true, "Receive(): Timeout."},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TearDown();
        SetUp();
        PeerWrite(row.bytes());
        if (row.closeAfter)
            PeerClose();
        CVLRequest* raw = nullptr;
        auto start = std::chrono::steady_clock::now();
        double cpuStart = ThreadCpuSeconds();
        EXPECT_FALSE(client->ReceiveRequest(raw, 120, row.resync, nullptr));
        double cpu = ThreadCpuSeconds() - cpuStart;
        auto elapsed = std::chrono::steady_clock::now() - start;
        std::unique_ptr<CVLRequest> received(raw);
        EXPECT_EQ(raw, nullptr);
        EXPECT_EQ(ClientError(), row.error);
        EXPECT_FALSE(client->IsBusy());
        // The waits are bounded by the short deadline and do not burn the processor.
        EXPECT_LT(elapsed, std::chrono::milliseconds(5000));
        EXPECT_LT(cpu, 0.15);
    }
}

TEST_F(SocketFrameTest, ResyncFindsALaterHeadAfterStrayBytes)
{
    // The stray bytes swallow the first frame; the 2-byte scan then meets the second.
    CVLRequestDisconnect first, second;
    first.SetRequestId(1);
    second.SetRequestId(2);
    PeerWrite(Concat({Bytes{1, 2, 3}, FrameOf(first), FrameOf(second)}));
    CVLRequest* raw = nullptr;
    ASSERT_TRUE(client->ReceiveRequest(raw, 120, true, nullptr)) << ClientError();
    std::unique_ptr<CVLRequest> received(raw);
    EXPECT_EQ(received->GetRequestType(), 2);
    EXPECT_EQ(received->GetRequestId(), 2u);
}

TEST_F(SocketFrameTest, AGarbageFloodEndsAtTheDeadline)
{
    std::atomic<bool> stop{false};
    std::thread flood([&] {
        Bytes junk(4096, 'x');
        auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (!stop && std::chrono::steady_clock::now() < until) {
            pollfd p{m_Peer, POLLOUT, 0};
            if (poll(&p, 1, 10) > 0 && send(m_Peer, junk.data(), junk.size(), MSG_NOSIGNAL) < 0)
                break;
        }
    });
    CVLRequest* raw = nullptr;
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(client->ReceiveRequest(raw, 120, true, nullptr));
    auto elapsed = std::chrono::steady_clock::now() - start;
    stop = true;
    flood.join();
    delete raw;
    // Normally the scan bound ends it; on a starved machine the flood may pause long enough
    // for the inactivity deadline to come first. Either way the wait is bounded.
    const std::string error = ClientError();
    EXPECT_TRUE(error == "Unrecognized Buffer Format." || error == "Receive(): Timeout.") << error;
    EXPECT_LT(elapsed, std::chrono::milliseconds(5000));
}

TEST_F(SocketFrameTest, ConnectResponseOpensTheSequence)
{
    // A connect-type response first is accepted and opens the conversation for the others.
    CVLRequestExtensibleConnectResp connect;
    connect.SetIgnorePublicKey(true);
    PeerWrite(Concat({FrameOf(connect), ResponseFrame(461, 7)}));
    CVLRequest* raw = nullptr;
    ASSERT_TRUE(client->ReceiveRequest(raw, 120, false, nullptr)) << ClientError();
    std::unique_ptr<CVLRequest> first(raw);
    EXPECT_EQ(first->GetRequestType(), 707);
    EXPECT_TRUE(client->GetFlags() & CVLSocketInd::kFlagConnectSeen);
    EXPECT_FALSE(client->IsEncrypted()); // the peer said not to use its key

    ASSERT_TRUE(client->ReceiveRequest(raw, 120, false, nullptr)) << ClientError();
    std::unique_ptr<CVLRequest> second(raw);
    EXPECT_EQ(second->GetRequestType(), 461);
    EXPECT_EQ(second->GetRequestId(), 7u);
}

TEST_F(SocketFrameTest, InterimResponsesGoToTheCallback)
{
    struct Progress : IVLSocketProgress
    {
        void InterimResponse(CVLRequest& interim) override { seen.push_back(interim.GetRequestId()); }
        std::vector<unsigned> seen;
    } progress;
    client->SetFlags(client->GetFlags() | CVLSocketInd::kFlagConnectSeen);
    CVLRequestStatusResponse interim(461);
    interim.SetRequestId(5);
    interim.SetFlags(interim.GetFlags() | CVLRequest::kFlagStatusResponse);
    PeerWrite(Concat({FrameOf(interim), ResponseFrame(461, 6)}));

    CVLRequestResponse* response = nullptr;
    ASSERT_TRUE(client->ReceiveRequest(response, 120, false, &progress)) << ClientError();
    std::unique_ptr<CVLRequestResponse> owned(response);
    EXPECT_EQ(progress.seen, std::vector<unsigned>{5});
    EXPECT_EQ(response->GetRequestId(), 6u);
}

TEST_F(SocketFrameTest, KeyExchangeSwitchesBothSidesToEncryption)
{
    // Legacy connect with a wrapped answer, and the 2014 connect with a wrapped answer carrying
    // a new session key: afterwards both ends read each other's encrypted frames.
    for (bool legacy : {true, false}) {
        SCOPED_TRACE(legacy ? "legacy" : "2014");
        TearDown();
        SetUp();
        std::unique_ptr<CVLSocket> server = PeerSocket();
        std::unique_ptr<CVLRequest> connect;
        if (legacy)
            connect.reset(new CVLRequestConnect());
        else
            connect.reset(new CVLRequestExtensibleConnect());
        ASSERT_TRUE(client->SendRequest(*connect, nullptr));

        CVLRequest* raw = nullptr;
        ASSERT_TRUE(server->ReceiveRequest(raw, 5, false, nullptr)) << server->GetErrorText().GetBufferPtr();
        std::unique_ptr<CVLRequest> received(raw);
        std::unique_ptr<CVLRequestConnectResp_Base> answer;
        if (legacy) {
            auto* request = dynamic_cast<CVLRequestConnect*>(received.get());
            ASSERT_NE(request, nullptr);
            unsigned own = server->SetupEncryptionWithClientsPublicKey(request->GetPublicKey());
            ASSERT_NE(own, 0u);
            auto* resp = new CVLRequestConnectResp();
            resp->SetPublicKey(own);
            answer.reset(resp);
        } else {
            auto* request = dynamic_cast<CVLRequestExtensibleConnect*>(received.get());
            ASSERT_NE(request, nullptr);
            CVLBuffer own;
            ASSERT_TRUE(server->SetupEncryptionWithClientsPublicKey(request->GetPublicKey(), own));
            auto* resp = new CVLRequestExtensibleConnectResp();
            resp->SetPublicKey(own);
            CVLBuffer sessionKey;
            CMVCrypt_Base::GenerateRandomKeyBuffer(sessionKey, 256);
            resp->SetEmbeddedBlock(sessionKey);
            answer.reset(resp);
        }
        answer->PrepareFor(*received);
        answer->SetFirstServerText("inner");
        ASSERT_TRUE(server->SendRequest(*answer, nullptr));
        EXPECT_TRUE(server->IsEncrypted());

        CVLRequestResponse* reply = nullptr;
        ASSERT_TRUE(client->ReceiveRequest(reply, 5, false, nullptr)) << ClientError();
        std::unique_ptr<CVLRequestResponse> ownedReply(reply);
        EXPECT_TRUE(client->IsEncrypted());
        auto* unwrapped = dynamic_cast<CVLRequestConnectResp_Base*>(reply);
        ASSERT_NE(unwrapped, nullptr);
        EXPECT_STREQ(unwrapped->GetFirstServerText().GetBufferPtr(), "inner"); // the real response, not the shell

        CVLRequestGetCGIURL ask;
        ask.SetProjectName("abc");
        ASSERT_TRUE(client->SendRequest(ask, nullptr));
        ASSERT_TRUE(server->ReceiveRequest(raw, 5, false, nullptr)) << server->GetErrorText().GetBufferPtr();
        std::unique_ptr<CVLRequest> asked(raw);
        auto* cgi = dynamic_cast<CVLRequestGetCGIURL*>(raw);
        ASSERT_NE(cgi, nullptr);
        EXPECT_STREQ(cgi->GetProjectName().GetBufferPtr(), "abc");

        CVLRequestGetCGIURLResp tell;
        tell.PrepareFor(*cgi);
        tell.SetCGIURL("https://h/cgi");
        tell.SetProjectId(9);
        ASSERT_TRUE(server->SendRequest(tell, nullptr));
        ASSERT_TRUE(client->ReceiveRequest(reply, 5, false, nullptr)) << ClientError();
        std::unique_ptr<CVLRequestResponse> told(reply);
        auto* url = dynamic_cast<CVLRequestGetCGIURLResp*>(reply);
        ASSERT_NE(url, nullptr);
        EXPECT_EQ(url->GetProjectId(), 9u);
    }
}

TEST(SocketAddress, CanonicalFormAcceptsOnlyNumericAddresses)
{
    struct Row
    {
        const char* in;
        bool ok;
        const char* out;
    };
    // clang-format off
    const Row rows[] = {
        {"0:0:0:0:0:0:0:1", true,  "::1"},
        {"127.0.0.1",       true,  "127.0.0.1"},
        {"localhost",       false, "localhost"},
        {"",                false, ""},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.in);
        CVLString text(row.in);
        EXPECT_EQ(CVLSocketInd::GetCanonicalIPAddress(text), row.ok);
        EXPECT_STREQ(text.GetBufferPtr(), row.out);
    }
}

TEST(SocketConnect, RefusedPortFailsWithTheSystemText)
{
    // Find a port nobody listens on: bind, note it, close.
    int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(probe, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    socklen_t len = sizeof a;
    getsockname(probe, reinterpret_cast<sockaddr*>(&a), &len);
    close(probe);

    CVLSocket s;
    EXPECT_FALSE(s.ConnectToServer("127.0.0.1", ntohs(a.sin_port)));
    EXPECT_FALSE(s.IsConnected());
    EXPECT_STREQ(s.GetErrorText().GetBufferPtr(), "Connect(): Connection refused");
}
