// Whole conversations with the stand-in server over loopback: the connect exchange with key
// agreement, encrypted web-address exchanges, the disconnect, and the server's misbehaviours.

#include <gtest/gtest.h>

#include <chrono>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "CApplicationSpecifics.h"
#include "VLErrorMsgHelper.h"
#include "test_ServerStubProcess.h"
#include "test_ServerStubSession.h"

namespace {

const char* kProjectArg = "--project";
const char* kProjectValue = "abc=https://alm.example.com/cgi-bin/ttcgi.exe,42";

std::string CatalogueText(unsigned char code)
{
    CVLString text;
    VLErrorMsgHelper::GetDefaultErrorMessage(code, text);
    ReplaceAppSpecificCodesInCVLString(text);
    return ToStd(text);
}

class CountingProgress : public IVLSocketProgress
{
public:
    void InterimResponse(CVLRequest& interim) override
    {
        if (interim.IsStatusResponse())
            ++count;
    }
    int count = 0;
};

struct StubCase
{
    const char* name;
    std::vector<std::string> extraArgs;
};

void PrintTo(const StubCase& c, std::ostream* os)
{
    *os << c.name;
}

class StubSessionTest : public ::testing::TestWithParam<StubCase>
{
};

// clang-format off
const StubCase kSessionModes[] = {
    {"plain", {}},
    {"wrapped", {"--wrap"}},
    {"delayed", {"--delay-ms", "20"}},
};
// clang-format on

} // namespace

TEST_P(StubSessionTest, ConnectEncryptLookUpDisconnect)
{
    StubProcess stub;
    std::vector<std::string> args{kProjectArg, kProjectValue};
    args.insert(args.end(), GetParam().extraArgs.begin(), GetParam().extraArgs.end());
    std::string error;
    ASSERT_TRUE(stub.Start(args, &error)) << error;

    CVLBackendServer backend;
    ASSERT_TRUE(backend.Initialize(true));
    ASSERT_TRUE(backend.Connect("127.0.0.1", stub.Port(), CVLString()));
    ASSERT_TRUE(SendConnect(backend)) << Failed(backend).message;
    EXPECT_TRUE(backend.GetSocket()->GetFlags() & CVLSocketInd::kFlagConnectSeen);
    EXPECT_FALSE(backend.IsLoggedOn());

    // Two look-ups on the same encrypted connection (the second proves both sides kept in step).
    for (int i = 0; i < 2; ++i) {
        LookupResult r = LookUp(backend, "abc");
        ASSERT_TRUE(r.ok) << r.message;
        EXPECT_EQ(r.url, "https://alm.example.com/cgi-bin/ttcgi.exe");
        EXPECT_EQ(r.projectId, 42u);
    }
    EXPECT_TRUE(backend.Disconnect());
    EXPECT_FALSE(backend.IsConnected());
    EXPECT_EQ(stub.Stop(), 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, StubSessionTest, ::testing::ValuesIn(kSessionModes),
                         [](const ::testing::TestParamInfo<StubCase>& p) { return std::string(p.param.name); });

TEST(ServerStub, ServerErrorsAreWordedByTheBackend)
{
    StubProcess stub;
    std::string error;
    ASSERT_TRUE(stub.Start({kProjectArg, kProjectValue, "--status", "locked=21:Project is locked.",
                            "--status", "multi=18:Only one at a time."},
                           &error))
        << error;

    struct Row
    {
        const char* project;
        unsigned code;
        std::string message;
    };
    // clang-format off
    const Row rows[] = {
        {"nothere", 1,  CatalogueText(1) + " No such project."},
        {"locked",  21, "Project is locked."},
        {"multi",   18, CatalogueText(18) + "\nOnly one at a time."},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.project);
        LookupResult r = ResolveOnce("127.0.0.1", stub.Port(), row.project);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.errorCode, row.code);
        EXPECT_EQ(r.message, row.message);
    }
    EXPECT_EQ(stub.Stop(), 0);
}

TEST(ServerStub, InterimResponsesReachTheProgressCallback)
{
    StubProcess stub;
    std::string error;
    ASSERT_TRUE(stub.Start({kProjectArg, kProjectValue, "--interim", "2"}, &error)) << error;
    CountingProgress progress;
    LookupResult r = ResolveOnce("127.0.0.1", stub.Port(), "abc", 0, &progress);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.projectId, 42u);
    EXPECT_EQ(progress.count, 4); // two before the connect answer, two before the look-up answer
}

TEST(ServerStub, DamagedAnswersFailWithTheTransportText)
{
    struct Row
    {
        const char* option;
        const char* message;
    };
    // clang-format off
    const Row rows[] = {
        {"--close-mid-frame", "The request to the server returned a failure. Tail/Checksum Error."},
        {"--corrupt-tail",    "The request to the server returned a failure. Tail/Checksum Error."},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.option);
        StubProcess stub;
        std::string error;
        ASSERT_TRUE(stub.Start({kProjectArg, kProjectValue, row.option}, &error)) << error;
        LookupResult r = ResolveOnce("127.0.0.1", stub.Port(), "abc", 2000);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.errorCode, 259u);
        EXPECT_EQ(r.message, row.message);
    }
}

TEST(ServerStub, SlowServerHitsTheReceiveDeadline)
{
    StubProcess stub;
    std::string error;
    ASSERT_TRUE(stub.Start({kProjectArg, kProjectValue, "--delay-ms", "3000"}, &error)) << error;
    auto start = std::chrono::steady_clock::now();
    LookupResult r = ResolveOnce("127.0.0.1", stub.Port(), "abc", 200);
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.errorCode, 259u);
    EXPECT_EQ(r.message, "The request to the server returned a failure. Receive(): Timeout.");
    EXPECT_LT(elapsed, std::chrono::milliseconds(2500));
}

TEST(ServerStub, AnswersOverIPv6Loopback)
{
    int probe = socket(AF_INET6, SOCK_STREAM, 0);
    if (probe < 0)
        GTEST_SKIP() << "no IPv6 on this machine";
    sockaddr_in6 a{};
    a.sin6_family = AF_INET6;
    a.sin6_addr = in6addr_loopback;
    bool bound = bind(probe, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    close(probe);
    if (!bound)
        GTEST_SKIP() << "no IPv6 loopback on this machine";

    StubProcess stub;
    std::string error;
    ASSERT_TRUE(stub.Start({"--bind", "::1", kProjectArg, kProjectValue}, &error)) << error;
    LookupResult r = ResolveOnce("::1", stub.Port(), "abc");
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.projectId, 42u);
}

TEST(ServerStub, CommandLineAndLifetime)
{
    // A bad option is refused with status 2.
    StubProcess bad;
    EXPECT_FALSE(bad.Start({"--status", "x=notanumber:t"}));
    EXPECT_EQ(bad.Wait(5000), 2);

    // --max-seconds ends the server by itself, with status 0.
    StubProcess timed;
    std::string error;
    ASSERT_TRUE(timed.Start({"--max-seconds", "1"}, &error)) << error;
    EXPECT_EQ(timed.Wait(5000), 0);
}
