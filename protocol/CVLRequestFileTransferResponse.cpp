#include "CVLRequestFileTransferResponse.h"

#include "CVLReqBuffer.h"

CVLRequestFileTransferResponse::CVLRequestFileTransferResponse(unsigned short requestType)
    : CVLRequestResponse(requestType)
{
    m_Flags |= kFlagFileTransfer;
}

CVLRequestFileTransferResponse::~CVLRequestFileTransferResponse() = default;

bool CVLRequestFileTransferResponse::IsFileTransferResponse() const
{
    return true;
}

void CVLRequestFileTransferResponse::GetAddlInfoForReqLogger(CVLString& text) const
{
    text.SafeFormat("file transfer of %llu bytes", m_FileLength);
    if (!m_FirstText.IsEmpty()) {
        text += ": ";
        text += m_FirstText;
    }
}

void CVLRequestFileTransferResponse::ClearRequestDetails()
{
    CVLRequestResponse::ClearRequestDetails();
    m_FirstText.FreeString();
    m_SecondText.FreeString();
    m_FileLength = 0;
    m_SecondValue = 0;
    m_FirstFlag = false;
    m_SecondFlag = false;
}

bool CVLRequestFileTransferResponse::GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const
{
    if (!CVLRequestResponse::GetRequestDetailsIntoBuffer(buffer))
        return false;
    buffer += m_FirstText;
    buffer += m_SecondText;
    buffer += CVLString();
    if (m_RequestType == kNarrowValuesRequestType) {
        buffer += static_cast<unsigned>(m_FileLength);
        buffer += static_cast<unsigned>(m_SecondValue);
    } else {
        buffer += m_FileLength;
        buffer += m_SecondValue;
    }
    buffer += m_FirstFlag;
    buffer += m_SecondFlag;
    return true;
}

bool CVLRequestFileTransferResponse::GetRequestDetailsFromBuffer(CVLReqBuffer& buffer)
{
    CVLRequestResponse::GetRequestDetailsFromBuffer(buffer);
    buffer.GetDetail(m_FirstText);
    buffer.GetDetail(m_SecondText);
    CVLString unused;
    buffer.GetDetail(unused);
    if (m_RequestType == kNarrowValuesRequestType) {
        unsigned length = 0;
        unsigned second = 0;
        buffer.GetDetail(length);
        buffer.GetDetail(second);
        m_FileLength = length;
        m_SecondValue = second;
    } else {
        buffer.GetDetail(m_FileLength);
        buffer.GetDetail(m_SecondValue);
    }
    buffer.GetDetail(m_FirstFlag);
    buffer.GetDetail(m_SecondFlag);
    return true;
}
