#include "CVLRequestConnect_Base.h"

#include "CVLReqBuffer.h"

CVLRequestConnect_Base::CVLRequestConnect_Base(unsigned short requestType) : CVLRequest(requestType)
{
}

CVLRequestConnect_Base::~CVLRequestConnect_Base() = default;

void CVLRequestConnect_Base::ClearRequestDetails()
{
    m_ClientType = 0;
    m_ReceivedProtocolVersion = 0;
    m_ConnectText.FreeString();
}

bool CVLRequestConnect_Base::ValidateRequestDetails() const
{
    return true;
}

bool CVLRequestConnect_Base::GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const
{
    buffer += GetCurrentProtocolVersionForClientType(m_ClientType);
    buffer += m_ClientType;
    buffer += m_ConnectText;
    return true;
}

bool CVLRequestConnect_Base::GetRequestDetailsFromBuffer(CVLReqBuffer& buffer)
{
    buffer.GetDetail(m_ReceivedProtocolVersion);
    buffer.GetDetail(m_ClientType);
    buffer.GetDetail(m_ConnectText);
    return true;
}
