#include "CVLRequestExtensibleConnectResp.h"

#include "CVLReqBuffer.h"

CVLRequestExtensibleConnectResp::CVLRequestExtensibleConnectResp() : CVLRequestConnectResp_Base(kRequestType)
{
}

CVLRequestExtensibleConnectResp::~CVLRequestExtensibleConnectResp() = default;

void CVLRequestExtensibleConnectResp::ClearRequestDetails()
{
    CVLRequestConnectResp_Base::ClearRequestDetails();
    m_PublicKey.FreeBuffer();
    m_UsePublicKey = true;
    m_VersionIndependentBlock.FreeBuffer();
    m_VersionDependentBlock.FreeBuffer();
}

bool CVLRequestExtensibleConnectResp::GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const
{
    if (!CVLRequestConnectResp_Base::GetRequestDetailsIntoBuffer(buffer))
        return false;
    buffer.AddNestedBlock(m_EmbeddedBlock);
    buffer.AddNestedBlock(m_PublicKey);
    buffer += m_UsePublicKey;
    buffer.AddNestedBlock(m_VersionIndependentBlock);
    return buffer.AddNestedBlock(m_VersionDependentBlock);
}

bool CVLRequestExtensibleConnectResp::GetRequestDetailsFromBuffer(CVLReqBuffer& buffer)
{
    CVLRequestConnectResp_Base::GetRequestDetailsFromBuffer(buffer);
    buffer.GetDetailWithLen(m_EmbeddedBlock);
    buffer.GetDetailWithLen(m_PublicKey);
    buffer.GetDetail(m_UsePublicKey);
    // This system knows no fields in either block.
    m_VersionIndependentBlock.FreeBuffer();
    m_VersionDependentBlock.FreeBuffer();
    buffer.SkipDetailWithLen();
    buffer.SkipDetailWithLen();
    return true;
}

CVLRequestConnectResp_Base* CVLRequestExtensibleConnectResp::EmptyClone() const
{
    return new CVLRequestExtensibleConnectResp();
}

void CVLRequestExtensibleConnectResp::SetIgnorePublicKey(bool ignore)
{
    m_UsePublicKey = !ignore;
}

bool CVLRequestExtensibleConnectResp::GetIgnorePublicKey() const
{
    return !m_UsePublicKey;
}
