// The backend connection: its error codes and texts, the logon gate, the logged-on rules and
// the polite disconnect, against a peer socket the test plays the server with.

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <memory>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "CApplicationSpecifics.h"
#include "CVLBackendServer.h"
#include "CVLRequestDisconnect.h"
#include "CVLRequestGetCGIURL.h"
#include "CVLRequestGetPublishedData.h"
#include "CVLRequestHandshake.h"
#include "CVLRequestResponse.h"
#include "CVLRequestUndefined.h"
#include "CVLSocket.h"
#include "VLErrorMsgHelper.h"

namespace {

std::string Str(const CVLString& s)
{
    return std::string(s.GetBufferPtr(), s.GetLength());
}

std::string Catalogue(unsigned char code)
{
    CVLString text;
    VLErrorMsgHelper::GetDefaultErrorMessage(code, text);
    ReplaceAppSpecificCodesInCVLString(text);
    return Str(text);
}

std::string ErrorMsg(CVLBackend& backend)
{
    CVLString text;
    backend.GetErrorMsg(text);
    return Str(text);
}

// A backend connected over 127.0.0.1 to a socket the test answers with.
class BackendTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_Listener = socket(AF_INET, SOCK_STREAM, 0);
        ASSERT_GE(m_Listener, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ASSERT_EQ(bind(m_Listener, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
        ASSERT_EQ(listen(m_Listener, 4), 0);
        socklen_t len = sizeof a;
        getsockname(m_Listener, reinterpret_cast<sockaddr*>(&a), &len);
        m_Port = ntohs(a.sin_port);
        ASSERT_TRUE(backend.Initialize(true));
        ASSERT_TRUE(backend.Connect("127.0.0.1", m_Port, CVLString())) << ErrorMsg(backend);
        backend.GetSocket()->SetReceiveTimeoutOverrideMs(300);
        int fd = accept(m_Listener, nullptr, nullptr);
        ASSERT_GE(fd, 0);
        server.Attach(fd);
        server.SetBlockingMode(false);
        server.SetReceiveTimeoutOverrideMs(300);
    }

    void TearDown() override { close(m_Listener); }

    // Pretends the connect exchange happened (unencrypted), so any type may follow.
    void OpenSequence()
    {
        backend.GetSocket()->SetFlags(backend.GetSocket()->GetFlags() | CVLSocketInd::kFlagConnectSeen);
        server.SetFlags(server.GetFlags() | CVLSocketInd::kFlagConnectSeen);
    }

    // The next request the server side receives (null after the short deadline).
    std::unique_ptr<CVLRequest> ServerReceives()
    {
        CVLRequest* raw = nullptr;
        server.ReceiveRequest(raw, 1, false, nullptr);
        return std::unique_ptr<CVLRequest>(raw);
    }

    bool ServerSeesNothing()
    {
        pollfd p{server.GetDescriptor(), POLLIN, 0};
        return poll(&p, 1, 100) == 0;
    }

    CVLBackendServer backend;
    CVLSocket server;
    int m_Listener = -1;
    unsigned m_Port = 0;
};

} // namespace

TEST(Backend, ConnectWithoutInitializeHasNoSocket)
{
    CVLBackendServer backend;
    EXPECT_FALSE(backend.Connect("127.0.0.1", 1, CVLString()));
    EXPECT_EQ(backend.GetError(), 262u);
    EXPECT_EQ(ErrorMsg(backend), "Socket does not exist.");
    // Disconnecting what never connected sends nothing and succeeds... once the error is gone.
    backend.ClearError();
    EXPECT_TRUE(backend.Disconnect());
}

TEST(Backend, UnresolvableHostNamesTheResolverFailure)
{
    // A name with a blank is refused by the resolver itself: no query leaves the machine.
    CVLBackendServer backend;
    ASSERT_TRUE(backend.Initialize(true));
    EXPECT_FALSE(backend.Connect("unresolvable host.invalid", 80, CVLString()));
    EXPECT_EQ(backend.GetError(), 265u);
    EXPECT_TRUE(backend.IsTransportError());
    EXPECT_EQ(ErrorMsg(backend), std::string("Could not connect to host. ") + gai_strerror(EAI_NONAME));
    EXPECT_FALSE(backend.IsConnected());
    EXPECT_EQ(backend.GetPort(), 0xFFFFFFFFu);
}

TEST(Backend, ErrorMessagesByCode)
{
    struct Row
    {
        unsigned code;
        const char* detail;
        std::string message;
    };
    // clang-format off
    const Row rows[] = {
        {21,  "Exactly this.",      "Exactly this."},
        {21,  "",                   Catalogue(21)},
        {18,  "The details.",       Catalogue(18) + "\nThe details."},
        {3,   "Bad password.",      "Bad password."},
        {3,   "",                   Catalogue(3)},
        {1,   "No such project.",   Catalogue(1) + " No such project."},
        {256, "Send(): Broken pipe", "An error occurred sending the request to the server. Send(): Broken pipe"},
        {257, "",                   "The request is invalid."},
        {258, "",                   "A null request was sent."},
        {259, "Receive(): Timeout.", "The request to the server returned a failure. Receive(): Timeout."},
        {260, "",                   Catalogue(4)},
        {261, "",                   Catalogue(5)},
        {263, "",                   "Socket DLL's could not be initialized."},
        {264, "",                   "Could not create a socket."},
        {266, "",                   "Not currently connected to host."},
        // A detail that the text already holds is not repeated.
        {265, "connect to host",    "Could not connect to host."},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        CVLBackendServer backend;
        backend.ForceSetLastError(row.code, CVLString(row.detail));
        EXPECT_EQ(ErrorMsg(backend), row.message);
    }
    CVLBackendServer dropped;
    dropped.ForceSetLastError(17, CVLString());
    EXPECT_FALSE(dropped.GetLoggedOffNotice());
    EXPECT_EQ(ErrorMsg(dropped), Catalogue(17));
    EXPECT_TRUE(dropped.GetLoggedOffNotice());
}

TEST_F(BackendTest, RequestsNotAllowedBeforeLogonAreNotSent)
{
    CVLRequestGetPublishedData published;
    CVLRequestResponse stale;
    CVLRequestResponse* response = &stale; // the call must reset it
    EXPECT_TRUE(backend.SendRequest(&published, response, nullptr));
    EXPECT_EQ(response, nullptr);
    EXPECT_TRUE(ServerSeesNothing());
}

TEST_F(BackendTest, SendingHalfRefusesNullAndInvalidRequests)
{
    EXPECT_FALSE(backend.SendRequest(nullptr, nullptr));
    EXPECT_EQ(ErrorMsg(backend), "A null request was sent.");
    CVLRequestUndefined undefined;
    EXPECT_FALSE(backend.SendRequest(&undefined, nullptr));
    EXPECT_EQ(ErrorMsg(backend), "The request is invalid.");
    EXPECT_TRUE(ServerSeesNothing());
}

TEST_F(BackendTest, EveryRequestCarriesTheSessionCookie)
{
    OpenSequence();
    CVLRequestGetCGIURL request;
    request.SetSessionCookie(1234);
    request.SetProjectName("abc");
    ASSERT_TRUE(backend.SendRequest(&request, nullptr));
    std::unique_ptr<CVLRequest> received = ServerReceives();
    ASSERT_NE(received, nullptr);
    EXPECT_EQ(received->GetSessionCookie(), -1);
}

TEST_F(BackendTest, ResponsesDriveTheLoggedOnState)
{
    OpenSequence();
    struct Row
    {
        const char* name;
        unsigned short type;
        unsigned char status; // non-zero: an error response
        bool loggedOnAfter;
        unsigned code;
    };
    // clang-format off
    const Row rows[] = {
        {"logon answer",          4,   0,   true,  0},
        {"other answer keeps it", 461, 0,   true,  0},
        {"logoff answer",         5,   0,   false, 0},
        {"status 148",            461, 148, true,  148},
        {"status 17",             461, 17,  false, 17},
        {"error bit, status 0",   461, 0,   false, 259},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CVLRequestResponse answer(row.type);
        answer.SetStatus(row.status);
        if (row.status || row.code)
            answer.SetFlags(answer.GetFlags() | CVLRequest::kFlagError);
        answer.SetErrorText(row.code ? "server says no" : "");
        ASSERT_TRUE(server.SendRequest(answer, nullptr));
        CVLRequestResponse* response = nullptr;
        CVLRequestGetCGIURL request;
        EXPECT_EQ(backend.ReceiveRequest(&request, response, nullptr), row.code == 0);
        std::unique_ptr<CVLRequestResponse> owned(response);
        EXPECT_NE(response, nullptr);
        EXPECT_EQ(backend.GetError(), row.code);
        EXPECT_EQ(backend.IsLoggedOn(), row.loggedOnAfter);
        if (row.code) {
            EXPECT_STREQ(backend.GetErrorDetail().GetBufferPtr(), "server says no");
        }
    }
}

TEST_F(BackendTest, AnAnswerThatIsNotAResponseFails)
{
    OpenSequence();
    CVLRequestHandshake notAnAnswer;
    ASSERT_TRUE(server.SendRequest(notAnAnswer, nullptr));
    CVLRequestResponse* response = nullptr;
    CVLRequestHandshake request;
    EXPECT_FALSE(backend.ReceiveRequest(&request, response, nullptr));
    EXPECT_EQ(response, nullptr);
    EXPECT_EQ(backend.GetError(), 261u);
}

TEST_F(BackendTest, SilenceIsAReceiveFailureWithTheTransportText)
{
    CVLRequestHandshake request;
    CVLRequestResponse* response = nullptr;
    EXPECT_FALSE(backend.SendRequest(&request, response, nullptr));
    EXPECT_EQ(response, nullptr);
    EXPECT_EQ(backend.GetError(), 259u);
    EXPECT_EQ(ErrorMsg(backend), "The request to the server returned a failure. Receive(): Timeout.");
    EXPECT_FALSE(backend.IsBusy());
}

TEST_F(BackendTest, KeepAliveOnlyWhenIdleAndConnected)
{
    // Fresh activity: nothing to do.
    EXPECT_TRUE(backend.MaintainConnection());
    EXPECT_TRUE(ServerSeesNothing());

    EXPECT_TRUE(backend.Disconnect());
    EXPECT_FALSE(backend.MaintainConnection());
    EXPECT_EQ(ErrorMsg(backend), "Not currently connected to host.");
}

TEST_F(BackendTest, DisconnectSendsTheDisconnectRequestAndCloses)
{
    EXPECT_TRUE(backend.Disconnect());
    EXPECT_FALSE(backend.IsConnected());
    EXPECT_TRUE(backend.GetHost().IsEmpty());
    std::unique_ptr<CVLRequest> received = ServerReceives();
    ASSERT_NE(received, nullptr);
    EXPECT_EQ(received->GetRequestType(), 2);
    EXPECT_EQ(received->GetSessionCookie(), -1);
    // Then the connection ends.
    EXPECT_EQ(ServerReceives(), nullptr);
    EXPECT_STREQ(server.GetErrorText().GetBufferPtr(), "Socket closed.");
    // A second disconnect has nothing to send.
    EXPECT_TRUE(backend.Disconnect());
}

TEST_F(BackendTest, DestroyingAConnectedBackendDisconnects)
{
    {
        CVLBackendServer other;
        ASSERT_TRUE(other.Initialize(true));
        ASSERT_TRUE(other.Connect("127.0.0.1", m_Port, CVLString()));
        int fd = accept(m_Listener, nullptr, nullptr);
        ASSERT_GE(fd, 0);
        server.Attach(fd);
        server.SetBlockingMode(false);
    }
    std::unique_ptr<CVLRequest> received = ServerReceives();
    ASSERT_NE(received, nullptr);
    EXPECT_EQ(received->GetRequestType(), 2);
}

TEST_F(BackendTest, ReconnectingToTheSameHostKeepsTheConnection)
{
    EXPECT_TRUE(backend.Connect("127.0.0.1", m_Port, CVLString("info")));
    EXPECT_TRUE(backend.IsConnected());
    EXPECT_TRUE(ServerSeesNothing());
}
