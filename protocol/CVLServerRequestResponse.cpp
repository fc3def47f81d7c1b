#include "CVLServerRequestResponse.h"

#include "CVLReqBuffer.h"

CVLServerRequestResponse::CVLServerRequestResponse() = default;

CVLServerRequestResponse::CVLServerRequestResponse(unsigned short requestType) : CVLRequestResponse(requestType)
{
}

CVLServerRequestResponse::CVLServerRequestResponse(const CVLRequest& request) : CVLRequestResponse(request)
{
}

CVLServerRequestResponse::~CVLServerRequestResponse() = default;

void CVLServerRequestResponse::ClearRequestDetails()
{
    CVLRequestResponse::ClearRequestDetails();
    m_ServerCookie = 0xFFFFFFFFu;
}

bool CVLServerRequestResponse::GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const
{
    if (!CVLRequestResponse::GetRequestDetailsIntoBuffer(buffer))
        return false;
    buffer += m_ServerCookie;
    return true;
}

bool CVLServerRequestResponse::GetRequestDetailsFromBuffer(CVLReqBuffer& buffer)
{
    CVLRequestResponse::GetRequestDetailsFromBuffer(buffer);
    buffer.GetDetail(m_ServerCookie);
    return true;
}

void CVLServerRequestResponse::SetServerCookie(unsigned cookie)
{
    m_ServerCookie = cookie;
}

unsigned CVLServerRequestResponse::GetServerCookie() const
{
    return m_ServerCookie;
}
