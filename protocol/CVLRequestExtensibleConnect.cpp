#include "CVLRequestExtensibleConnect.h"

#include "CVLReqBuffer.h"

CVLRequestExtensibleConnect::CVLRequestExtensibleConnect() : CVLRequestConnect_Base(kRequestType)
{
}

CVLRequestExtensibleConnect::~CVLRequestExtensibleConnect() = default;

void CVLRequestExtensibleConnect::ClearRequestDetails()
{
    CVLRequestConnect_Base::ClearRequestDetails();
    m_PublicKey.FreeBuffer();
    m_VersionIndependentBlock.FreeBuffer();
    m_VersionDependentBlock.FreeBuffer();
}

bool CVLRequestExtensibleConnect::GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const
{
    buffer += GetCurrentProtocolVersionForClientType(m_ClientType);
    buffer += m_ClientType;
    buffer += m_ConnectText;
    buffer.AddNestedBlock(m_PublicKey);
    buffer.AddNestedBlock(m_VersionIndependentBlock);
    return buffer.AddNestedBlock(m_VersionDependentBlock);
}

bool CVLRequestExtensibleConnect::GetRequestDetailsFromBuffer(CVLReqBuffer& buffer)
{
    buffer.GetDetail(m_ReceivedProtocolVersion);
    buffer.GetDetail(m_ClientType);
    buffer.GetDetail(m_ConnectText);
    buffer.GetDetailWithLen(m_PublicKey);
    buffer.GetDetailWithLen(m_VersionIndependentBlock);
    if (m_ReceivedProtocolVersion == GetCurrentProtocolVersionForClientType(m_ClientType)) {
        buffer.GetDetailWithLen(m_VersionDependentBlock);
    } else {
        m_VersionDependentBlock.FreeBuffer();
        buffer.SkipDetailWithLen();
    }
    return true;
}
