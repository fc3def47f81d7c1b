#include "CMVRequestGetProductUpdateInformation.h"
#include "CMVRequestGetProductUpdateInformationResponse.h"
#include "CVLReqBuffer.h"
#include "CVLRequestBeginAuthentication.h"
#include "CVLRequestBeginAuthenticationResp.h"
#include "CVLRequestBundledRequest.h"
#include "CVLRequestBundledRequestResp.h"
#include "CVLRequestCancelCurrentTransaction.h"
#include "CVLRequestConnect.h"
#include "CVLRequestConnectResp.h"
#include "CVLRequestDisconnect.h"
#include "CVLRequestExecClientPluginCmd.h"
#include "CVLRequestExecClientPluginCmdResp.h"
#include "CVLRequestExtensibleConnect.h"
#include "CVLRequestExtensibleConnectResp.h"
#include "CVLRequestFactory.h"
#include "CVLRequestFactoryManager.h"
#include "CVLRequestFetchExternalReportFileName.h"
#include "CVLRequestFetchExternalReportFileNameResp.h"
#include "CVLRequestFileTransfer.h"
#include "CVLRequestFileTransferWithMIMEResponse.h"
#include "CVLRequestGetAboutText.h"
#include "CVLRequestGetAboutTextResp.h"
#include "CVLRequestGetCGIURL.h"
#include "CVLRequestGetCGIURLResp.h"
#include "CVLRequestGetPublishedData.h"
#include "CVLRequestGetPublishedDataResp.h"
#include "CVLRequestGetTargetForSSO.h"
#include "CVLRequestGetTargetForSSOResp.h"
#include "CVLRequestHandshake.h"
#include "CVLRequestHandshakeResp.h"
#include "CVLRequestMailList.h"
#include "CVLRequestMailListResp.h"
#include "CVLRequestMailProcess.h"
#include "CVLRequestNegotiateRSAKey.h"
#include "CVLRequestNegotiateRSAKeyResp.h"
#include "CVLRequestReportResultFile.h"
#include "CVLRequestReportResultFileResp.h"
#include "CVLRequestStartExternalReport.h"
#include "CVLRequestStatusResponse.h"
#include "CVLRequestTestEmailConnection.h"
#include "CVLRequestTestEmailConnectionResp.h"
#include "CVLRequestUndefined.h"
#include "CVLRequestVerifyServerDbInited.h"
#include "CVLString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <typeinfo>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

std::unique_ptr<CVLReqBuffer> ToBuffer(CVLRequest& request)
{
    CVLReqBuffer* raw = nullptr;
    EXPECT_TRUE(request.ConvertRequestToBuffer(raw, true));
    return std::unique_ptr<CVLReqBuffer>(raw);
}

// Sends the object through its wire form and the factory, as a received frame would be.
template <typename T> std::unique_ptr<T> RoundTrip(CVLRequest& request)
{
    std::unique_ptr<CVLReqBuffer> buffer = ToBuffer(request);
    CVLReqBuffer received;
    received.LoadBufferFromBuffer(*buffer);
    std::unique_ptr<CVLRequest> object(CVLRequest::ConstructRequestFromBuffer(received));
    EXPECT_NE(object, nullptr);
    if (!object)
        return nullptr;
    EXPECT_EQ(typeid(*object), typeid(T));
    EXPECT_EQ(received.GetPosition(), received.GetLength()) << "details left unread";
    return std::unique_ptr<T>(dynamic_cast<T*>(object.release()));
}

// A received buffer made of a header, the cookie and the given details.
CVLReqBuffer Received(unsigned short type, unsigned flags, int cookie, const Bytes& details)
{
    CVLReqBuffer buffer(0, type, flags);
    buffer += cookie;
    buffer.AddDetail(details.data(), static_cast<unsigned>(details.size()));
    buffer.SetPosition(11);
    return buffer;
}

CVLBuffer Block(const char* bytes, unsigned n)
{
    CVLBuffer block;
    block.AppendToBuffer(bytes, n);
    return block;
}

} // namespace

TEST(RequestFactory, BuiltInTableGivesTheRightClasses)
{
    struct Row
    {
        unsigned short type;
        bool response;
        const std::type_info& expect;
    };
    // clang-format off
    const Row rows[] = {
        {1,     false, typeid(CVLRequestConnect)},
        {1,     true,  typeid(CVLRequestConnectResp)},
        {2,     false, typeid(CVLRequestDisconnect)},
        {2,     true,  typeid(CVLRequestResponse)},
        {3,     false, typeid(CVLRequestHandshake)},
        {3,     true,  typeid(CVLRequestHandshakeResp)},
        {91,    false, typeid(CVLRequestMailList)},
        {91,    true,  typeid(CVLRequestMailListResp)},
        {92,    false, typeid(CVLRequestMailProcess)},
        {92,    true,  typeid(CVLRequestResponse)},
        {121,   false, typeid(CVLRequestGetAboutText)},
        {121,   true,  typeid(CVLRequestGetAboutTextResp)},
        {196,   false, typeid(CVLRequestReportResultFile)},
        {196,   true,  typeid(CVLRequestReportResultFileResp)},
        {286,   false, typeid(CVLRequestVerifyServerDbInited)},
        {286,   true,  typeid(CVLRequestResponse)},
        {372,   false, typeid(CMVRequestGetProductUpdateInformation)},
        {372,   true,  typeid(CMVRequestGetProductUpdateInformationResponse)},
        {392,   false, typeid(CVLRequestGetTargetForSSO)},
        {392,   true,  typeid(CVLRequestGetTargetForSSOResp)},
        {455,   false, typeid(CVLRequestGetPublishedData)},
        {455,   true,  typeid(CVLRequestGetPublishedDataResp)},
        {461,   false, typeid(CVLRequestGetCGIURL)},
        {461,   true,  typeid(CVLRequestGetCGIURLResp)},
        {492,   false, typeid(CVLRequestStartExternalReport)},
        {492,   true,  typeid(CVLRequestResponse)},
        {493,   false, typeid(CVLRequestFetchExternalReportFileName)},
        {493,   true,  typeid(CVLRequestFetchExternalReportFileNameResp)},
        {494,   false, typeid(CVLRequestExecClientPluginCmd)},
        {494,   true,  typeid(CVLRequestExecClientPluginCmdResp)},
        {581,   false, typeid(CVLRequestTestEmailConnection)},
        {581,   true,  typeid(CVLRequestTestEmailConnectionResp)},
        {700,   false, typeid(CVLRequestBeginAuthentication)},
        {700,   true,  typeid(CVLRequestBeginAuthenticationResp)},
        {706,   false, typeid(CVLRequestNegotiateRSAKey)},
        {706,   true,  typeid(CVLRequestNegotiateRSAKeyResp)},
        {707,   false, typeid(CVLRequestExtensibleConnect)},
        {707,   true,  typeid(CVLRequestExtensibleConnectResp)},
        {61166, false, typeid(CVLRequestCancelCurrentTransaction)},
        {61166, true,  typeid(CVLRequestResponse)},
        {9999,  false, typeid(CVLRequestUndefined)},
        {9999,  true,  typeid(CVLRequestResponse)},
    };
    // clang-format on
    for (const Row& row : rows) {
        CVLReqBuffer buffer = Received(row.type, row.response ? 0x401 : 0x400, 8, {});
        std::unique_ptr<CVLRequest> object(CVLRequest::ConstructRequestFromBuffer(buffer));
        ASSERT_NE(object, nullptr) << row.type;
        EXPECT_EQ(typeid(*object), row.expect) << row.type << (row.response ? " response" : " request");
        EXPECT_EQ(object->IsResponse(), row.response) << row.type;
        if (typeid(*object) != typeid(CVLRequestUndefined)) {
            EXPECT_EQ(object->GetRequestType(), row.type) << row.type;
        }
        // A response repeats the cookie in its details, which are empty here.
        EXPECT_EQ(object->GetSessionCookie(), row.response ? 0 : 8) << row.type;
    }
}

TEST(RequestFactory, UnknownTypes)
{
    CVLReqBuffer status = Received(9999, 0x405, 3, {0, 3, 0, 0, 0, 1, 0, 0, 0, 'x'});
    std::unique_ptr<CVLRequest> object(CVLRequest::ConstructRequestFromBuffer(status));
    ASSERT_NE(dynamic_cast<CVLRequestStatusResponse*>(object.get()), nullptr);
    EXPECT_EQ(object->GetRequestType(), 9999);
    EXPECT_STREQ(object->GetErrorTextPtr()->GetBufferPtr(), "x");

    CVLReqBuffer plain = Received(9999, 0x401, 3, {5, 3, 0, 0, 0, 2, 0, 0, 0, 'n', 'o'});
    object.reset(CVLRequest::ConstructRequestFromBuffer(plain));
    ASSERT_EQ(typeid(*object), typeid(CVLRequestResponse));
    EXPECT_EQ(object->GetRequestType(), 9999);
    EXPECT_EQ(static_cast<CVLRequestResponse&>(*object).GetStatus(), 5);
    EXPECT_STREQ(object->GetErrorTextPtr()->GetBufferPtr(), "no");

    CVLReqBuffer request = Received(9999, 0x400, 0x12345678, {1, 2, 3});
    request.SetHeaderRequestId(44);
    object.reset(CVLRequest::ConstructRequestFromBuffer(request));
    ASSERT_EQ(typeid(*object), typeid(CVLRequestUndefined));
    EXPECT_EQ(object->GetRequestType(), 0);
    EXPECT_EQ(object->GetSessionCookie(), 0x12345678);
    EXPECT_EQ(request.GetPosition(), 15u);
}

TEST(RequestFactory, ShorterThanAHeaderIsRefused)
{
    CVLReqBuffer buffer;
    CVLBuffer shortBlock(10);
    std::memset(shortBlock.GetNonConstBufferPtr(), 0x67, 10);
    buffer.FreeBuffer();
    EXPECT_EQ(CVLRequest::ConstructRequestFromBuffer(buffer), nullptr);
}

namespace {
class TestFactory : public CVLRequestFactory
{
public:
    CVLRequest* CreateRequestObject(unsigned short requestType, bool isResponse) override
    {
        if (requestType != 60001)
            return nullptr;
        if (isResponse)
            return new CVLRequestStatusResponse(requestType);
        return new CVLRequestHandshake();
    }
};
} // namespace

TEST(RequestFactory, RegisteredFactoryIsAskedForUnknownTypes)
{
    CVLRequestFactoryManager& manager = CVLRequestFactoryManager::instance();
    EXPECT_EQ(&manager, &CVLRequestFactoryManager::instance());
    const unsigned before = manager.GetFactoryCount();
    manager.RegisterFactory(new TestFactory());
    manager.RegisterFactory(nullptr);
    EXPECT_EQ(manager.GetFactoryCount(), before + 1);

    CVLReqBuffer request = Received(60001, 0x400, 1, {});
    std::unique_ptr<CVLRequest> object(CVLRequest::ConstructRequestFromBuffer(request));
    ASSERT_EQ(typeid(*object), typeid(CVLRequestHandshake));
    EXPECT_EQ(object->GetRequestType(), 60001);

    CVLReqBuffer response = Received(60001, 0x401, 1, {});
    object.reset(CVLRequest::ConstructRequestFromBuffer(response));
    EXPECT_EQ(typeid(*object), typeid(CVLRequestStatusResponse));

    // Built-in types are not asked for.
    CVLReqBuffer builtIn = Received(3, 0x400, 1, {});
    object.reset(CVLRequest::ConstructRequestFromBuffer(builtIn));
    EXPECT_EQ(typeid(*object), typeid(CVLRequestHandshake));
    EXPECT_EQ(manager.CreateRequestObject(60002, false), nullptr);
}

TEST(RequestRoundTrip, ExtensibleConnect)
{
    CVLRequestExtensibleConnect connect;
    connect.SetClientType(35);
    connect.SetSessionCookie(-1);
    connect.SetConnectText(CVLString("hello \xC3\xA9"));
    connect.SetPublicKey(Block("\x00\xFF\x10", 3));
    connect.SetRequestId(12);
    auto back = RoundTrip<CVLRequestExtensibleConnect>(connect);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetClientType(), 35);
    EXPECT_EQ(back->GetReceivedProtocolVersion(), 16);
    EXPECT_EQ(back->GetRequestId(), 12u);
    EXPECT_EQ(back->GetSessionCookie(), -1);
    EXPECT_STREQ(back->GetConnectText().GetBufferPtr(), "hello \xC3\xA9");
    EXPECT_TRUE(back->GetPublicKey().BufferCompare(Block("\x00\xFF\x10", 3)));
}

TEST(RequestRoundTrip, ExtensibleConnectDependentBlockOfAnotherVersionIsSkipped)
{
    // Version 17 is not the current one (16) for client type 35.
    // clang-format off
    const Bytes details = {
        17, 0, 35, 0,            // protocol version, client type
        0, 0, 0, 0,              // connect text
        0, 0, 0, 0,              // key
        2, 0, 0, 0, 'i', 'i',    // independent block
        5, 0, 0, 0, 1, 2, 3, 4, 5,
        'z'};
    // clang-format on
    for (unsigned short version : {17, 16}) {
        Bytes d = details;
        d[0] = static_cast<unsigned char>(version);
        CVLReqBuffer buffer = Received(707, 0x400, -1, d);
        std::unique_ptr<CVLRequest> object(CVLRequest::ConstructRequestFromBuffer(buffer));
        auto* connect = dynamic_cast<CVLRequestExtensibleConnect*>(object.get());
        ASSERT_NE(connect, nullptr);
        EXPECT_EQ(connect->GetReceivedProtocolVersion(), version);
        EXPECT_EQ(buffer.GetPosition(), 11u + 4 + 18 + 4 + 5) << "5 bytes after the block's count";
        EXPECT_EQ(connect->GetVersionIndependentBlock().GetBufferLength(), 2u);
        EXPECT_EQ(connect->GetVersionDependentBlock().GetBufferLength(), version == 16 ? 5u : 0u);
    }
}

TEST(RequestRoundTrip, ExtensibleConnectResp)
{
    CVLRequestExtensibleConnectResp response;
    EXPECT_EQ(response.GetFlags(), 0x401u);
    EXPECT_FALSE(response.GetIgnorePublicKey());
    response.SetStatus(0);
    response.SetSessionCookie(77);
    response.SetFirstServerText(CVLString("one"));
    response.SetSecondServerText(CVLString("two"));
    response.SetThirdServerText(CVLString("three"));
    response.GetDropDownList().AddEntry(4, CVLString("four"));
    response.GetDropDownList().AddEntry(5, CVLString("five"));
    response.GetDropDownList().SetSelectedIndex(2);
    response.SetEmbeddedBlock(Block("emb", 3));
    response.SetPublicKey(Block("\x01\x02\x03\x04", 4));
    response.SetIgnorePublicKey(true);
    auto back = RoundTrip<CVLRequestExtensibleConnectResp>(response);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetSessionCookie(), 77);
    EXPECT_STREQ(back->GetFirstServerText().GetBufferPtr(), "one");
    EXPECT_STREQ(back->GetSecondServerText().GetBufferPtr(), "two");
    EXPECT_STREQ(back->GetThirdServerText().GetBufferPtr(), "three");
    ASSERT_EQ(back->GetDropDownList().GetCount(), 2u);
    EXPECT_EQ(back->GetDropDownList().GetSelectedIndex(), 2u);
    EXPECT_EQ(back->GetDropDownList().GetEntryAt(2)->value, 5u);
    EXPECT_STREQ(back->GetDropDownList().GetEntryAt(2)->text.GetBufferPtr(), "five");
    EXPECT_TRUE(back->GetEmbeddedBlock().BufferCompare(Block("emb", 3)));
    EXPECT_TRUE(back->GetPublicKey().BufferCompare(Block("\x01\x02\x03\x04", 4)));
    EXPECT_TRUE(back->GetIgnorePublicKey());

    std::unique_ptr<CVLRequestConnectResp_Base> clone(back->EmptyClone());
    EXPECT_EQ(typeid(*clone), typeid(CVLRequestExtensibleConnectResp));
    EXPECT_FALSE(clone->GetIgnorePublicKey());
    EXPECT_EQ(clone->GetFirstServerText().GetLength(), 0u);
}

TEST(RequestRoundTrip, ExtensibleConnectRespWithLyingCounts)
{
    // clang-format off
    const Bytes details = {
        0, 1, 0, 0, 0, 0, 0, 0, 0,   // status, cookie, error text
        0xFF, 0xFF, 0xFF, 0xFF,      // first server text: 4 GB
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0x80, 0, 0, 0, 0,   // drop-down list: 2^31 entries
        0xFF, 0xFF, 0xFF, 0x7F};     // embedded block: 2 GB
    // clang-format on
    CVLReqBuffer buffer = Received(707, 0x401, 1, details);
    std::unique_ptr<CVLRequest> object(CVLRequest::ConstructRequestFromBuffer(buffer));
    auto* response = dynamic_cast<CVLRequestExtensibleConnectResp*>(object.get());
    ASSERT_NE(response, nullptr);
    EXPECT_EQ(response->GetFirstServerText().GetLength(), 0u);
    EXPECT_EQ(response->GetDropDownList().GetCount(), 0u);
    EXPECT_EQ(response->GetEmbeddedBlock().GetBufferLength(), 0u);
    EXPECT_EQ(response->GetPublicKey().GetBufferLength(), 0u);
    EXPECT_LE(buffer.GetPosition(), buffer.GetLength());
}

TEST(RequestRoundTrip, LegacyConnectAndResponse)
{
    CVLRequestConnect connect;
    connect.SetClientType(1);
    connect.SetPublicKey(12345);
    auto back = RoundTrip<CVLRequestConnect>(connect);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetReceivedProtocolVersion(), 26246);
    EXPECT_EQ(back->GetClientType(), 1);
    EXPECT_EQ(back->GetPublicKey(), 12345u);
    EXPECT_TRUE(back->IsPublicKeySet());

    CVLRequestConnectResp response;
    response.SetPublicKey(999);
    response.SetEmbeddedBlock(Block("e", 1));
    EXPECT_FALSE(response.GetIgnorePublicKey());
    response.SetIgnorePublicKey(true);
    EXPECT_TRUE(response.IsFlagSet(CVLRequest::kFlagIgnorePublicKey));
    auto backResp = RoundTrip<CVLRequestConnectResp>(response);
    ASSERT_NE(backResp, nullptr);
    EXPECT_EQ(backResp->GetPublicKey(), 999u);
    EXPECT_TRUE(backResp->GetIgnorePublicKey());
    EXPECT_TRUE(backResp->GetEmbeddedBlock().BufferCompare(Block("e", 1)));
}

TEST(RequestRoundTrip, GetCGIURLAndResponse)
{
    CVLRequestGetCGIURL request;
    request.SetProjectName(CVLString("Proj \xE2\x82\xAC"));
    request.SetSecondText(CVLString("x"));
    auto back = RoundTrip<CVLRequestGetCGIURL>(request);
    ASSERT_NE(back, nullptr);
    EXPECT_STREQ(back->GetProjectName().GetBufferPtr(), "Proj \xE2\x82\xAC");
    EXPECT_STREQ(back->GetSecondText().GetBufferPtr(), "x");

    CVLRequestGetCGIURLResp response;
    response.SetCGIURL(CVLString("https://host/cgi-bin/"));
    response.SetProjectId(42);
    auto backResp = RoundTrip<CVLRequestGetCGIURLResp>(response);
    ASSERT_NE(backResp, nullptr);
    EXPECT_STREQ(backResp->GetCGIURL().GetBufferPtr(), "https://host/cgi-bin/");
    EXPECT_EQ(backResp->GetProjectId(), 42u);
}

TEST(RequestRoundTrip, GetCGIURLRespEndingAfterErrorText)
{
    CVLReqBuffer buffer = Received(461, 0x80000401u, 1, {9, 1, 0, 0, 0, 1, 0, 0, 0, 'e'});
    std::unique_ptr<CVLRequest> object(CVLRequest::ConstructRequestFromBuffer(buffer));
    auto* response = dynamic_cast<CVLRequestGetCGIURLResp*>(object.get());
    ASSERT_NE(response, nullptr);
    EXPECT_TRUE(response->IsErrorResponse());
    EXPECT_EQ(response->GetStatus(), 9);
    EXPECT_STREQ(response->GetErrorTextPtr()->GetBufferPtr(), "e");
    EXPECT_EQ(response->GetCGIURL().GetLength(), 0u);
    EXPECT_EQ(response->GetProjectId(), 0u);
}

TEST(RequestRoundTrip, DetailFreeMessages)
{
    CVLRequestDisconnect disconnect;
    disconnect.SetSessionCookie(5);
    auto d = RoundTrip<CVLRequestDisconnect>(disconnect);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->GetSessionCookie(), 5);

    CVLRequestHandshake handshake;
    handshake.SetRequestId(CVLRequest::GenerateRequestId());
    auto h = RoundTrip<CVLRequestHandshake>(handshake);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->GetRequestId(), handshake.GetRequestId());

    CVLRequestHandshakeResp handshakeResp;
    handshakeResp.PrepareFor(handshake);
    handshakeResp.SetErrorText(CVLString("fine"));
    auto hr = RoundTrip<CVLRequestHandshakeResp>(handshakeResp);
    ASSERT_NE(hr, nullptr);
    EXPECT_TRUE(hr->IsValidResponseFor(handshake));
    EXPECT_STREQ(hr->GetErrorTextPtr()->GetBufferPtr(), "fine");

    CVLRequestStatusResponse status(9998);
    status.SetErrorText(CVLString("file.txt"));
    status.SetCurrentCount(10);
    status.SetTotalCount(1LL << 40);
    auto s = RoundTrip<CVLRequestStatusResponse>(status);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->GetCurrentCount(), 10);
    EXPECT_EQ(s->GetTotalCount(), 1LL << 40);
}

TEST(RequestRoundTrip, GroupAndFileTransferFields)
{
    CVLRequestBundledRequest group(800);
    EXPECT_TRUE(group.IsRequestGroup());
    group.SetSubRequestCount(3);
    group.SetByteList(Block("\x01\x02", 2));
    std::unique_ptr<CVLReqBuffer> buffer = ToBuffer(group);
    buffer->SetPosition(15);
    CVLRequestBundledRequest groupBack(0);
    groupBack.GetRequestDetailsFromBuffer(*buffer);
    EXPECT_EQ(groupBack.GetSubRequestCount(), 3u);
    EXPECT_TRUE(groupBack.GetGroupFlag());
    EXPECT_TRUE(groupBack.GetByteList().BufferCompare(Block("\x01\x02", 2)));

    CVLRequestBundledRequestResp groupResp(800);
    groupResp.SetSubResponseCount(3);
    buffer = ToBuffer(groupResp);
    EXPECT_EQ(buffer->GetLength(), 15u + 9 + 4);

    CVLRequestFileTransfer transfer(801);
    EXPECT_TRUE(transfer.IsFileTransfer());
    transfer.SetFirstText(CVLString("a"));
    transfer.SetFileLength(1ULL << 33);
    transfer.SetSecondFlag(true);
    buffer = ToBuffer(transfer);
    EXPECT_EQ(buffer->GetLength(), 15u + 5 + 4 + 8 + 8 + 2);

    for (unsigned short type : {490, 491}) {
        CVLRequestFileTransferWithMIMEResponse response(type);
        EXPECT_TRUE(response.IsFileTransferResponse());
        response.SetFileLength(123);
        response.SetSecondValue(7);
        response.SetMIMEType(CVLString("text/plain"));
        buffer = ToBuffer(response);
        const unsigned valueWidth = type == 490 ? 4 : 8;
        EXPECT_EQ(buffer->GetLength(), 15u + 9 + 12 + 2 * valueWidth + 2 + 14 + 4) << type;
        buffer->SetPosition(15);
        CVLRequestFileTransferWithMIMEResponse back(type);
        back.GetRequestDetailsFromBuffer(*buffer);
        EXPECT_EQ(back.GetFileLength(), 123u);
        EXPECT_EQ(back.GetSecondValue(), 7u);
        EXPECT_STREQ(back.GetMIMEType().GetBufferPtr(), "text/plain");
        EXPECT_EQ(buffer->GetPosition(), buffer->GetLength());
        CVLString info;
        back.GetAddlInfoForReqLogger(info);
        EXPECT_NE(info.GetLength(), 0u);
    }
}

TEST(RequestFactory, RandomBytesGiveAnObjectOrNullAndNeverCrash)
{
    const unsigned short types[] = {0, 1, 2, 3, 91, 92, 121, 196, 286, 372, 392, 455, 461,
                                    492, 493, 494, 581, 700, 706, 707, 61166, 9999};
    std::mt19937 random(4711);
    for (unsigned round = 0; round < 4000; ++round) {
        const unsigned length = random() % 96;
        std::vector<char> bytes(length);
        for (char& b : bytes)
            b = static_cast<char>(random());
        // Mostly lying counts: favour 0xFF and small values.
        for (char& b : bytes) {
            if (random() % 4 == 0)
                b = static_cast<char>(0xFF);
        }
        if (length >= 11) {
            bytes[0] = 0x67;
            const unsigned short type = types[random() % (sizeof(types) / sizeof(types[0]))];
            bytes[5] = static_cast<char>(type & 0xFF);
            bytes[6] = static_cast<char>(type >> 8);
        }
        CVLBuffer block;
        block.AppendToBuffer(bytes.data(), length);
        CVLReqBuffer buffer;
        buffer.LoadBufferFromBuffer(block);
        std::unique_ptr<CVLRequest> object(CVLRequest::ConstructRequestFromBuffer(buffer));
        if (length < 11 && buffer.GetLength() < 11) {
            continue;
        }
        if (!object)
            continue;
        EXPECT_LE(buffer.GetPosition(), buffer.GetLength() > 15 ? buffer.GetLength() : 15u);
        // Whatever was read can be written again.
        CVLReqBuffer* out = nullptr;
        EXPECT_TRUE(object->ConvertRequestToBuffer(out, true));
        delete out;
    }
}
