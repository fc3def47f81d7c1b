#include "CVLRequestConnect.h"

#include "CVLReqBuffer.h"

CVLRequestConnect::CVLRequestConnect() : CVLRequestConnect_Base(kRequestType)
{
}

CVLRequestConnect::~CVLRequestConnect() = default;

void CVLRequestConnect::ClearRequestDetails()
{
    CVLRequestConnect_Base::ClearRequestDetails();
    m_PublicKey = 0;
}

bool CVLRequestConnect::GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const
{
    buffer += GetCurrentProtocolVersionForClientType(m_ClientType);
    buffer += m_ClientType;
    buffer += m_PublicKey;
    buffer += m_ConnectText;
    return true;
}

bool CVLRequestConnect::GetRequestDetailsFromBuffer(CVLReqBuffer& buffer)
{
    buffer.GetDetail(m_ReceivedProtocolVersion);
    buffer.GetDetail(m_ClientType);
    buffer.GetDetail(m_PublicKey);
    buffer.GetDetail(m_ConnectText);
    return true;
}
