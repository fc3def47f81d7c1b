#include "CVLRequestFileTransfer.h"

#include "CVLReqBuffer.h"

CVLRequestFileTransfer::CVLRequestFileTransfer(unsigned short requestType) : CVLRequest(requestType)
{
    m_Flags |= kFlagFileTransfer;
}

CVLRequestFileTransfer::~CVLRequestFileTransfer() = default;

void CVLRequestFileTransfer::ClearRequestDetails()
{
    m_FirstText.FreeString();
    m_SecondText.FreeString();
    m_FileLength = 0;
    m_SecondValue = 0;
    m_FirstFlag = false;
    m_SecondFlag = false;
}

bool CVLRequestFileTransfer::ValidateRequestDetails() const
{
    return true;
}

bool CVLRequestFileTransfer::GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const
{
    buffer += m_FirstText;
    buffer += m_SecondText;
    buffer += m_FileLength;
    buffer += m_SecondValue;
    buffer += m_FirstFlag;
    buffer += m_SecondFlag;
    return true;
}

bool CVLRequestFileTransfer::GetRequestDetailsFromBuffer(CVLReqBuffer& buffer)
{
    buffer.GetDetail(m_FirstText);
    buffer.GetDetail(m_SecondText);
    buffer.GetDetail(m_FileLength);
    buffer.GetDetail(m_SecondValue);
    buffer.GetDetail(m_FirstFlag);
    buffer.GetDetail(m_SecondFlag);
    return true;
}
