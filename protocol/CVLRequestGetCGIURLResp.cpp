#include "CVLRequestGetCGIURLResp.h"

#include "CVLReqBuffer.h"

CVLRequestGetCGIURLResp::CVLRequestGetCGIURLResp() : CVLRequestResponse(kRequestType)
{
}

CVLRequestGetCGIURLResp::~CVLRequestGetCGIURLResp() = default;

void CVLRequestGetCGIURLResp::ClearRequestDetails()
{
    CVLRequestResponse::ClearRequestDetails();
    m_CGIURL.FreeString();
    m_ProjectId = 0;
}

bool CVLRequestGetCGIURLResp::GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const
{
    if (!CVLRequestResponse::GetRequestDetailsIntoBuffer(buffer))
        return false;
    buffer += m_CGIURL;
    buffer += m_ProjectId;
    return true;
}

bool CVLRequestGetCGIURLResp::GetRequestDetailsFromBuffer(CVLReqBuffer& buffer)
{
    CVLRequestResponse::GetRequestDetailsFromBuffer(buffer);
    buffer.GetDetail(m_CGIURL);
    buffer.GetDetail(m_ProjectId);
    return true;
}
