#include "CVLRequestConnectResp.h"

#include "CVLReqBuffer.h"

CVLRequestConnectResp::CVLRequestConnectResp() : CVLRequestConnectResp_Base(kRequestType)
{
}

CVLRequestConnectResp::~CVLRequestConnectResp() = default;

void CVLRequestConnectResp::ClearRequestDetails()
{
    CVLRequestConnectResp_Base::ClearRequestDetails();
    m_PublicKey = 0;
}

bool CVLRequestConnectResp::GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const
{
    if (!CVLRequestConnectResp_Base::GetRequestDetailsIntoBuffer(buffer))
        return false;
    buffer += m_PublicKey;
    return buffer.AddNestedBlock(m_EmbeddedBlock);
}

bool CVLRequestConnectResp::GetRequestDetailsFromBuffer(CVLReqBuffer& buffer)
{
    CVLRequestConnectResp_Base::GetRequestDetailsFromBuffer(buffer);
    buffer.GetDetail(m_PublicKey);
    buffer.GetDetailWithLen(m_EmbeddedBlock);
    return true;
}

CVLRequestConnectResp_Base* CVLRequestConnectResp::EmptyClone() const
{
    return new CVLRequestConnectResp();
}

void CVLRequestConnectResp::SetIgnorePublicKey(bool ignore)
{
    SetFlag(kFlagIgnorePublicKey, ignore);
}

bool CVLRequestConnectResp::GetIgnorePublicKey() const
{
    return IsFlagSet(kFlagIgnorePublicKey);
}
