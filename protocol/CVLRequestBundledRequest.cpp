#include "CVLRequestBundledRequest.h"

#include "CVLReqBuffer.h"

CVLRequestBundledRequest::CVLRequestBundledRequest(unsigned short requestType) : CVLRequest(requestType)
{
    m_Flags |= kFlagRequestGroup;
}

CVLRequestBundledRequest::~CVLRequestBundledRequest() = default;

void CVLRequestBundledRequest::ClearRequestDetails()
{
    m_SubRequestCount = 0;
    m_GroupFlag = true;
    m_ByteList.FreeBuffer();
}

bool CVLRequestBundledRequest::ValidateRequestDetails() const
{
    return true;
}

bool CVLRequestBundledRequest::GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const
{
    buffer += m_SubRequestCount;
    buffer += m_GroupFlag;
    return buffer.AddNestedBlock(m_ByteList);
}

bool CVLRequestBundledRequest::GetRequestDetailsFromBuffer(CVLReqBuffer& buffer)
{
    buffer.GetDetail(m_SubRequestCount);
    buffer.GetDetail(m_GroupFlag);
    buffer.GetDetailWithLen(m_ByteList);
    return true;
}
