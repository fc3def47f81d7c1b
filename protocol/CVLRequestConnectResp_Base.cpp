#include "CVLRequestConnectResp_Base.h"

#include "CVLReqBuffer.h"

CVLRequestConnectResp_Base::CVLRequestConnectResp_Base(unsigned short requestType) : CVLRequestResponse(requestType)
{
}

CVLRequestConnectResp_Base::~CVLRequestConnectResp_Base() = default;

void CVLRequestConnectResp_Base::ClearRequestDetails()
{
    CVLRequestResponse::ClearRequestDetails();
    m_FirstServerText.FreeString();
    m_SecondServerText.FreeString();
    m_ThirdServerText.FreeString();
    m_DropDownList.Clear();
    m_EmbeddedBlock.FreeBuffer();
}

bool CVLRequestConnectResp_Base::GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const
{
    if (!CVLRequestResponse::GetRequestDetailsIntoBuffer(buffer))
        return false;
    buffer += m_FirstServerText;
    buffer += m_SecondServerText;
    buffer += m_ThirdServerText;
    return m_DropDownList.WriteToReqBuffer(buffer);
}

bool CVLRequestConnectResp_Base::GetRequestDetailsFromBuffer(CVLReqBuffer& buffer)
{
    CVLRequestResponse::GetRequestDetailsFromBuffer(buffer);
    buffer.GetDetail(m_FirstServerText);
    buffer.GetDetail(m_SecondServerText);
    buffer.GetDetail(m_ThirdServerText);
    m_DropDownList.ReadFromReqBuffer(buffer);
    return true;
}
