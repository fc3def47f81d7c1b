#include "CVLRequestStatusResponse.h"

#include "CVLReqBuffer.h"

CVLRequestStatusResponse::CVLRequestStatusResponse()
{
    m_Flags |= kFlagStatusResponse;
}

CVLRequestStatusResponse::CVLRequestStatusResponse(unsigned short requestType) : CVLRequestResponse(requestType)
{
    m_Flags |= kFlagStatusResponse;
}

CVLRequestStatusResponse::CVLRequestStatusResponse(const CVLRequest& request) : CVLRequestResponse(request)
{
    m_Flags |= kFlagStatusResponse;
}

CVLRequestStatusResponse::~CVLRequestStatusResponse() = default;

void CVLRequestStatusResponse::ClearRequestDetails()
{
    CVLRequestResponse::ClearRequestDetails();
    m_CurrentCount = 0;
    m_TotalCount = 0;
}

bool CVLRequestStatusResponse::GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const
{
    if (!CVLRequestResponse::GetRequestDetailsIntoBuffer(buffer))
        return false;
    buffer += m_CurrentCount;
    buffer += m_TotalCount;
    return true;
}

bool CVLRequestStatusResponse::GetRequestDetailsFromBuffer(CVLReqBuffer& buffer)
{
    CVLRequestResponse::GetRequestDetailsFromBuffer(buffer);
    buffer.GetDetail(m_CurrentCount);
    buffer.GetDetail(m_TotalCount);
    return true;
}
