#include "CVLRequest.h"

#include "CComputeDetailSizeReqBuffer.h"
#include "CVLReqBuffer.h"
#include "CVLRequestBuiltInTable.h"
#include "CVLRequestFactoryManager.h"
#include "CVLRequestResponse.h"
#include "CVLRequestStatusResponse.h"
#include "CVLRequestUndefined.h"
#include "CVLString.h"
#include "VLProductNames.h"

#include <atomic>

CVLRequest::CVLRequest() = default;

CVLRequest::CVLRequest(unsigned short requestType) : m_RequestType(requestType)
{
}

CVLRequest::~CVLRequest() = default;

void CVLRequest::GetErrorText(CVLString&) const
{
}

const CVLString* CVLRequest::GetErrorTextPtr() const
{
    return nullptr;
}

bool CVLRequest::IsFileTransferResponse() const
{
    return false;
}

void CVLRequest::GetAddlInfoForReqLogger(CVLString& text) const
{
    text.FreeString();
}

bool CVLRequest::ConvertRequestToBuffer(CVLReqBuffer*& out, bool precompute)
{
    out = nullptr;
    if (m_pCachedBuffer) {
        out = m_pCachedBuffer.release();
        return true;
    }
    std::unique_ptr<CVLReqBuffer> buffer(new CVLReqBuffer());
    buffer->ClearBuffer();
    // The text writers decide on UTF-8 from the header, so the flags go in before any detail.
    buffer->SetHeaderRequestId(m_RequestId);
    buffer->SetHeaderRequestType(m_RequestType);
    buffer->SetHeaderRequestFlags(m_Flags);
    buffer->SetPosition(CVLReqBuffer::kHeaderSize);
    if (precompute) {
        CComputeDetailSizeReqBuffer counter;
        counter.SetHeaderRequestFlags(m_Flags | kFlagUTF8);
        counter += m_SessionCookie;
        if (!GetRequestDetailsIntoBuffer(counter))
            return false;
        buffer->GrowTo(counter.GetComputedSizeForNoReallocs(), true);
    }
    *buffer += m_SessionCookie;
    if (!GetRequestDetailsIntoBuffer(*buffer))
        return false;
    out = buffer.release();
    return true;
}

bool CVLRequest::ConvertRequestToBufferIfNeeded()
{
    if (m_pCachedBuffer)
        return true;
    CVLReqBuffer* built = nullptr;
    if (!ConvertRequestToBuffer(built, true))
        return false;
    m_pCachedBuffer.reset(built);
    return true;
}

bool CVLRequest::ConvertRequestToBuffer()
{
    m_pCachedBuffer.reset();
    return ConvertRequestToBufferIfNeeded();
}

void CVLRequest::DiscardRequestBuffer()
{
    m_pCachedBuffer.reset();
}

unsigned CVLRequest::GetRequestBufferDataLength() const
{
    return m_pCachedBuffer ? m_pCachedBuffer->GetLength() : 0;
}

bool CVLRequest::ConvertBufferToRequest(CVLReqBuffer& buffer)
{
    m_RequestId = buffer.GetHeaderRequestId();
    m_RequestType = buffer.GetHeaderRequestType();
    m_Flags = buffer.GetHeaderRequestFlags();
    buffer.SetPosition(CVLReqBuffer::kHeaderSize);
    buffer.GetDetail(m_SessionCookie);
    return GetRequestDetailsFromBuffer(buffer);
}

void CVLRequest::ClearRequest()
{
    m_Flags &= kFlagsKeptByClear;
    m_RequestId = 0;
    m_SessionCookie = kNoSessionCookie;
    ClearRequestDetails();
}

bool CVLRequest::ValidateRequest()
{
    SetFlag(kFlagValidated, false);
    if (m_RequestType == 0)
        return false;
    if (!ValidateRequestDetails())
        return false;
    SetFlag(kFlagValidated, true);
    return true;
}

bool CVLRequest::IsConnectRequest(unsigned short requestType)
{
    return requestType == 1 || requestType == 707;
}

unsigned CVLRequest::GenerateRequestId()
{
    static std::atomic<unsigned> s_NextId{1};
    return s_NextId.fetch_add(1);
}

unsigned short CVLRequest::GetCurrentProtocolVersionForClientType(unsigned short clientType)
{
    switch (clientType) {
    case 1: return CVLREQUEST_PROTOCOL_VERSION_clientPC;
    case 2: return CVLREQUEST_PROTOCOL_VERSION_clientMac;
    case 3: case 48: case 57: case 62: return CVLREQUEST_PROTOCOL_VERSION_clientCGI;
    case 4: return CVLREQUEST_PROTOCOL_VERSION_clientAdminTool;
    case 10: return CVLREQUEST_PROTOCOL_VERSION_clientVLServer;
    case 11: return CVLREQUEST_PROTOCOL_VERSION_clientCGIAdminTool;
    case 12: case 49: case 51: case 52: case 53: case 55: case 63: return CVLREQUEST_PROTOCOL_VERSION_clientAddIn;
    case 13: case 61: return CVLREQUEST_PROTOCOL_VERSION_clientSCMGUI;
    case 14: return CVLREQUEST_PROTOCOL_VERSION_clientSCMCLI;
    case 15: case 37: case 38: case 39: case 40: case 41: case 42: case 43: case 44: case 45: case 46:
        return CVLREQUEST_PROTOCOL_VERSION_clientSCMSCCI;
    case 16: return CVLREQUEST_PROTOCOL_VERSION_clientSCMServer;
    case 17: return CVLREQUEST_PROTOCOL_VERSION_clientSOAP;
    case 18: return CVLREQUEST_PROTOCOL_VERSION_clientAPI;
    case 25: return CVLREQUEST_PROTOCOL_VERSION_clientSCMWebDAVCGI;
    case 26: return CVLREQUEST_PROTOCOL_VERSION_clientSCMOFFICEADDINS;
    case 33: return CVLREQUEST_PROTOCOL_VERSION_clientSCMProxyServer;
    case 34: return CVLREQUEST_PROTOCOL_VERSION_clientCGIPubData;
    case 35: return CVLREQUEST_PROTOCOL_VERSION_clientURLRedirector;
    case 36: return CVLREQUEST_PROTOCOL_VERSION_clientSCMAPI;
    case 54: return CVLREQUEST_PROTOCOL_VERSION_clientSCMCmis;
    case 64: return CVLREQUEST_PROTOCOL_VERSION_clientExtProCGI;
    case 65: return CVLREQUEST_PROTOCOL_VERSION_clientSCMWebAPI;
    case 66: case 67: return CVLREQUEST_PROTOCOL_VERSION_clientRESTAPI;
    default: return 0;
    }
}

unsigned short CVLRequest::GetCurrentCompatibleProtocolVersionForClientType(unsigned short clientType)
{
    return GetCurrentProtocolVersionForClientType(clientType);
}

void CVLRequest::GetClientTypeString(unsigned short clientType, CVLString& text)
{
    ::GetClientTypeString(clientType, text);
}

CVLRequest* CVLRequest::ConstructRequestFromBuffer(CVLReqBuffer& buffer)
{
    if (buffer.GetLength() < CVLReqBuffer::kHeaderSize || buffer.GetBufferLength() < CVLReqBuffer::kHeaderSize)
        return nullptr;
    const unsigned flags = buffer.GetHeaderRequestFlags();
    const unsigned short type = buffer.GetHeaderRequestType();
    const bool isResponse = (flags & kFlagResponse) != 0;

    std::unique_ptr<CVLRequest> object(CVLRequestBuiltInTable::CreateBuiltInObject(type, isResponse));
    if (!object)
        object.reset(CVLRequestFactoryManager::instance().CreateRequestObject(type, isResponse));
    if (!object) {
        if (isResponse) {
            if (flags & kFlagStatusResponse)
                object.reset(new CVLRequestStatusResponse());
            else
                object.reset(new CVLRequestResponse());
        } else {
            // Nobody knows the type: keep only the session cookie.
            std::unique_ptr<CVLRequestUndefined> undefined(new CVLRequestUndefined());
            buffer.SetPosition(CVLReqBuffer::kHeaderSize);
            int cookie = kNoSessionCookie;
            buffer.GetDetail(cookie);
            undefined->SetSessionCookie(cookie);
            return undefined.release();
        }
    }
    object->ConvertBufferToRequest(buffer);
    return object.release();
}
