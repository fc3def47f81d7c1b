#include "CVLRequestBundledRequestResp.h"

#include "CVLReqBuffer.h"

CVLRequestBundledRequestResp::CVLRequestBundledRequestResp(unsigned short requestType)
    : CVLRequestResponse(requestType)
{
    m_Flags |= kFlagRequestGroup;
}

CVLRequestBundledRequestResp::~CVLRequestBundledRequestResp() = default;

void CVLRequestBundledRequestResp::ClearRequestDetails()
{
    CVLRequestResponse::ClearRequestDetails();
    m_SubResponseCount = 0;
}

bool CVLRequestBundledRequestResp::GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const
{
    if (!CVLRequestResponse::GetRequestDetailsIntoBuffer(buffer))
        return false;
    buffer += m_SubResponseCount;
    return true;
}

bool CVLRequestBundledRequestResp::GetRequestDetailsFromBuffer(CVLReqBuffer& buffer)
{
    CVLRequestResponse::GetRequestDetailsFromBuffer(buffer);
    buffer.GetDetail(m_SubResponseCount);
    return true;
}
