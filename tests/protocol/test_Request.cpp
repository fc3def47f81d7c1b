#include "CVLReqBuffer.h"
#include "CVLRequestDisconnect.h"
#include "CVLRequestExtensibleConnect.h"
#include "CVLRequestExtensibleConnectResp.h"
#include "CVLRequestGetCGIURL.h"
#include "CVLRequestHandshake.h"
#include "CVLRequestResponse.h"
#include "CVLRequestStatusResponse.h"
#include "CVLServerRequestResponse.h"
#include "CVLString.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes AllBytes(const CVLReqBuffer& buffer)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(buffer.GetBufferPtr());
    return Bytes(p, p + buffer.GetLength());
}

// The bytes after header and session cookie.
Bytes DetailsAfterCookie(CVLRequest& request)
{
    CVLReqBuffer* raw = nullptr;
    EXPECT_TRUE(request.ConvertRequestToBuffer(raw, true));
    std::unique_ptr<CVLReqBuffer> buffer(raw);
    Bytes all = AllBytes(*buffer);
    return Bytes(all.begin() + 15, all.end());
}

} // namespace

TEST(RequestWire, DisconnectIsFifteenBytes)
{
    CVLRequestDisconnect disconnect;
    CVLReqBuffer* raw = nullptr;
    ASSERT_TRUE(disconnect.ConvertRequestToBuffer(raw, true));
    std::unique_ptr<CVLReqBuffer> buffer(raw);
    EXPECT_EQ(AllBytes(*buffer), (Bytes{0x67, 0, 0, 0, 0, 0x02, 0, 0, 0x04, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));

    ASSERT_TRUE(disconnect.ValidateRequest());
    ASSERT_TRUE(disconnect.ConvertRequestToBuffer(raw, false));
    buffer.reset(raw);
    ASSERT_EQ(buffer->GetLength(), 15u);
    EXPECT_EQ(static_cast<unsigned char>(buffer->GetBufferPtr()[7]), 0x02);
    EXPECT_EQ(static_cast<unsigned char>(buffer->GetBufferPtr()[8]), 0x04);
}

TEST(RequestWire, GenericResponseDetails)
{
    CVLRequestResponse response;
    EXPECT_EQ(response.GetFlags(), 0x401u);
    EXPECT_EQ(DetailsAfterCookie(response), (Bytes{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}));

    response.SetStatus(7);
    response.SetSessionCookie(2);
    response.SetErrorText(CVLString("no"));
    EXPECT_EQ(DetailsAfterCookie(response), (Bytes{7, 2, 0, 0, 0, 2, 0, 0, 0, 'n', 'o'}));
}

TEST(RequestWire, ServerAndStatusResponsesAppendTheirFields)
{
    CVLServerRequestResponse server;
    server.SetServerCookie(0x01020304u);
    EXPECT_EQ(DetailsAfterCookie(server), (Bytes{0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 4, 3, 2, 1}));
    server.ClearRequest();
    EXPECT_EQ(server.GetServerCookie(), 0xFFFFFFFFu);

    CVLRequestStatusResponse status;
    EXPECT_TRUE(status.IsStatusResponse());
    status.SetCurrentCount(1);
    status.SetTotalCount(-1);
    EXPECT_EQ(DetailsAfterCookie(status), (Bytes{0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0xFF,
                                                 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(RequestWire, ExtensibleConnectForTheRedirector)
{
    CVLRequestExtensibleConnect connect;
    EXPECT_EQ(connect.GetRequestType(), 707);
    connect.SetClientType(35);
    EXPECT_EQ(DetailsAfterCookie(connect),
              (Bytes{0x10, 0, 0x23, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

    // As it goes out: validated, AES, UTF-8; then the key block.
    CVLBuffer key;
    key.AppendToBuffer("\x01\x02\x03", 3);
    connect.SetPublicKey(key);
    EXPECT_TRUE(connect.IsPublicKeySet());
    connect.SetClientSupportsAES(true);
    ASSERT_TRUE(connect.ValidateRequest());
    CVLReqBuffer* raw = nullptr;
    ASSERT_TRUE(connect.ConvertRequestToBuffer(raw, true));
    std::unique_ptr<CVLReqBuffer> buffer(raw);
    EXPECT_EQ(AllBytes(*buffer), (Bytes{0x67, 0, 0, 0, 0, 0xC3, 0x02, 0x0A, 0x04, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x10, 0,
                                        0x23, 0, 0, 0, 0, 0, 3, 0, 0, 0, 1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(RequestWire, GetCGIURLForProjectAbc)
{
    CVLRequestGetCGIURL request;
    EXPECT_EQ(request.GetRequestType(), 461);
    request.SetProjectName(CVLString("abc"));
    EXPECT_EQ(DetailsAfterCookie(request), (Bytes{3, 0, 0, 0, 'a', 'b', 'c', 0, 0, 0, 0}));
}

TEST(RequestBuffer, CachedBufferIsHandedOverOnce)
{
    CVLRequestHandshake handshake;
    EXPECT_EQ(handshake.GetRequestBufferDataLength(), 0u);
    ASSERT_TRUE(handshake.ConvertRequestToBufferIfNeeded());
    CVLReqBuffer* cached = handshake.GetRequestBuffer();
    ASSERT_NE(cached, nullptr);
    EXPECT_EQ(handshake.GetRequestBufferDataLength(), 15u);
    ASSERT_TRUE(handshake.ConvertRequestToBufferIfNeeded());
    EXPECT_EQ(handshake.GetRequestBuffer(), cached);

    CVLReqBuffer* out = nullptr;
    ASSERT_TRUE(handshake.ConvertRequestToBuffer(out, true));
    std::unique_ptr<CVLReqBuffer> owned(out);
    EXPECT_EQ(out, cached);
    EXPECT_EQ(handshake.GetRequestBuffer(), nullptr);

    handshake.SetRequestId(9);
    ASSERT_TRUE(handshake.ConvertRequestToBuffer());
    EXPECT_EQ(handshake.GetRequestBuffer()->GetHeaderRequestId(), 9u);
}

TEST(RequestBuffer, PrecomputedBufferIsAllocatedOnce)
{
    CVLRequestGetCGIURL request;
    request.SetProjectName(CVLString(std::string(5000, 'p').c_str()));
    CVLReqBuffer* raw = nullptr;
    ASSERT_TRUE(request.ConvertRequestToBuffer(raw, true));
    std::unique_ptr<CVLReqBuffer> buffer(raw);
    EXPECT_EQ(buffer->GetLength(), 11u + 4 + 4 + 5000 + 4);
    EXPECT_EQ(buffer->GetBufferLength(), buffer->GetLength() + 1);
}

TEST(RequestFlags, ClearRequestKeepsResponseFileTransferAndUTF8)
{
    CVLRequestHandshake request;
    request.SetFlags(0x4FF);
    request.SetRequestId(5);
    request.SetSessionCookie(12);
    request.ClearRequest();
    EXPECT_EQ(request.GetFlags(), 0x411u);
    EXPECT_EQ(request.GetRequestId(), 0u);
    EXPECT_EQ(request.GetSessionCookie(), -1);
}

TEST(RequestFlags, ValidateRequest)
{
    CVLRequestHandshake request;
    request.SetFlag(CVLRequest::kFlagValidated, true);
    request.SetRequestType(0);
    EXPECT_FALSE(request.ValidateRequest());
    EXPECT_FALSE(request.IsValidated());
    request.SetRequestType(3);
    EXPECT_TRUE(request.ValidateRequest());
    EXPECT_TRUE(request.IsValidated());
}

TEST(RequestResponse, ConstructionFromRequestAndPrepareFor)
{
    CVLRequestGetCGIURL request;
    request.SetRequestId(77);
    request.SetSessionCookie(4);
    request.SetFlags(0x4FF);

    CVLRequestResponse fromRequest(request);
    EXPECT_EQ(fromRequest.GetRequestType(), 461);
    EXPECT_EQ(fromRequest.GetRequestId(), 77u);
    EXPECT_EQ(fromRequest.GetFlags(), 0x409u);
    EXPECT_EQ(fromRequest.GetStatus(), 0);

    CVLRequestResponse prepared;
    prepared.SetFlags(0x1);
    prepared.PrepareFor(request);
    EXPECT_EQ(prepared.GetRequestId(), 77u);
    EXPECT_EQ(prepared.GetRequestType(), 461);
    EXPECT_EQ(prepared.GetSessionCookie(), 4);
    EXPECT_EQ(prepared.GetFlags(), 0x449u);
    EXPECT_TRUE(prepared.IsValidResponseFor(request));
}

TEST(RequestResponse, IsValidResponseFor)
{
    CVLRequestGetCGIURL request;
    request.SetRequestId(3);
    struct Row
    {
        const char* name;
        unsigned flags;
        unsigned short type;
        unsigned id;
        bool expect;
    };
    // clang-format off
    const Row rows[] = {
        {"matching",        0x401,       461, 3, true},
        {"error bit",       0x80000401u, 461, 3, false},
        {"not a response",  0x400,       461, 3, false},
        {"other type",      0x401,       462, 3, false},
        {"other id",        0x401,       461, 4, false},
    };
    // clang-format on
    for (const Row& row : rows) {
        CVLRequestResponse response(row.type);
        response.SetFlags(row.flags);
        response.SetRequestId(row.id);
        EXPECT_EQ(response.IsValidResponseFor(request), row.expect) << row.name;
    }
}

TEST(RequestResponse, ErrorTextAccess)
{
    CVLRequestHandshake request;
    EXPECT_EQ(request.GetErrorTextPtr(), nullptr);
    CVLRequestResponse response;
    response.SetErrorText(CVLString("bad"));
    CVLString text;
    response.GetErrorText(text);
    EXPECT_STREQ(text.GetBufferPtr(), "bad");
    ASSERT_NE(response.GetErrorTextPtr(), nullptr);
    EXPECT_STREQ(response.GetErrorTextPtr()->GetBufferPtr(), "bad");
}

TEST(RequestStatics, ConnectTypesAndProtocolVersions)
{
    EXPECT_TRUE(CVLRequest::IsConnectRequest(1));
    EXPECT_TRUE(CVLRequest::IsConnectRequest(707));
    EXPECT_FALSE(CVLRequest::IsConnectRequest(2));

    struct Row
    {
        unsigned short clientType;
        unsigned short version;
    };
    // clang-format off
    const Row rows[] = {
        {1, 26246}, {2, 25623}, {3, 26660}, {48, 26660}, {57, 26660}, {62, 26660}, {4, 25627}, {10, 25467},
        {11, 25630}, {12, 26142}, {49, 26142}, {55, 26142}, {63, 26142}, {13, 25641}, {61, 25641}, {14, 25629},
        {15, 25628}, {37, 25628}, {46, 25628}, {16, 25411}, {17, 25791}, {18, 25961}, {25, 25517}, {26, 25629},
        {33, 25517}, {34, 59}, {35, 16}, {36, 25523}, {54, 25520}, {64, 23}, {65, 25523}, {66, 15}, {67, 15},
        {0, 0}, {5, 0}, {47, 0}, {50, 0}, {68, 0}, {65535, 0},
    };
    // clang-format on
    for (const Row& row : rows) {
        EXPECT_EQ(CVLRequest::GetCurrentProtocolVersionForClientType(row.clientType), row.version) << row.clientType;
        EXPECT_EQ(CVLRequest::GetCurrentCompatibleProtocolVersionForClientType(row.clientType), row.version)
            << row.clientType;
    }
}

TEST(RequestStatics, ClientTypeString)
{
    CVLString name;
    CVLRequest::GetClientTypeString(35, name);
    EXPECT_STREQ(name.GetBufferPtr(), "URL Redirector");
    CVLRequest::GetClientTypeString(70, name);
    EXPECT_STREQ(name.GetBufferPtr(), "Unknown [70]");
}

TEST(RequestStatics, GenerateRequestIdCountsUpByOne)
{
    const unsigned first = CVLRequest::GenerateRequestId();
    EXPECT_GE(first, 1u);
    EXPECT_EQ(CVLRequest::GenerateRequestId(), first + 1);
}

// Runs only in a child process of its own, where no other test has drawn an id yet.
TEST(RequestStatics, DISABLED_GenerateRequestIdChild)
{
    EXPECT_EQ(CVLRequest::GenerateRequestId(), 1u);
}

TEST(RequestStatics, GenerateRequestIdStartsAtOneInAFreshProcess)
{
    char self[4096] = {0};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof(self) - 1);
    if (n <= 0)
        GTEST_SKIP() << "cannot find the test executable";
    const std::string command = std::string("'") + self +
                                "' --gtest_also_run_disabled_tests"
                                " --gtest_filter=RequestStatics.DISABLED_GenerateRequestIdChild > /dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
}
