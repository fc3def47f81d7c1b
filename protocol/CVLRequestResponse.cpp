#include "CVLRequestResponse.h"

#include "CVLReqBuffer.h"

CVLRequestResponse::CVLRequestResponse()
{
    m_Flags = kDefaultResponseFlags;
}

CVLRequestResponse::CVLRequestResponse(unsigned short requestType) : CVLRequest(requestType)
{
    m_Flags = kDefaultResponseFlags;
}

CVLRequestResponse::CVLRequestResponse(const CVLRequest& request) : CVLRequest(request.GetRequestType())
{
    m_RequestId = request.GetRequestId();
    m_Flags = kFlagResponse | (request.GetFlags() & (kFlagClientSupportsAES | kFlagUTF8));
}

CVLRequestResponse::~CVLRequestResponse() = default;

void CVLRequestResponse::GetErrorText(CVLString& text) const
{
    text = m_ErrorText;
}

const CVLString* CVLRequestResponse::GetErrorTextPtr() const
{
    return &m_ErrorText;
}

void CVLRequestResponse::ClearRequestDetails()
{
    m_Status = 0;
    m_ErrorText.FreeString();
}

bool CVLRequestResponse::ValidateRequestDetails() const
{
    return true;
}

bool CVLRequestResponse::GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const
{
    buffer += m_Status;
    buffer += m_SessionCookie;
    return buffer.AddDetail(m_ErrorText);
}

bool CVLRequestResponse::GetRequestDetailsFromBuffer(CVLReqBuffer& buffer)
{
    buffer.GetDetail(m_Status);
    buffer.GetDetail(m_SessionCookie);
    buffer.GetUTF8Detail(m_ErrorText);
    return true;
}

void CVLRequestResponse::PrepareFor(const CVLRequest& request)
{
    m_RequestId = request.GetRequestId();
    m_RequestType = request.GetRequestType();
    m_SessionCookie = request.GetSessionCookie();
    if (request.IsFlagSet(kFlagCompress))
        SetFlag(kFlagCompress, true);
    SetFlag(kFlagClientSupportsAES, request.IsFlagSet(kFlagClientSupportsAES));
    SetFlag(kFlagUTF8, request.IsFlagSet(kFlagUTF8));
}

bool CVLRequestResponse::IsValidResponseFor(const CVLRequest& request) const
{
    return (m_Flags & (kFlagResponse | kFlagError)) == kFlagResponse && m_RequestType == request.GetRequestType() &&
           m_RequestId == request.GetRequestId();
}
