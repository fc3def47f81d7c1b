#include "CVLRequestFileTransferWithMIMEResponse.h"

#include "CVLReqBuffer.h"

CVLRequestFileTransferWithMIMEResponse::CVLRequestFileTransferWithMIMEResponse(unsigned short requestType)
    : CVLRequestFileTransferResponse(requestType)
{
}

CVLRequestFileTransferWithMIMEResponse::~CVLRequestFileTransferWithMIMEResponse() = default;

void CVLRequestFileTransferWithMIMEResponse::ClearRequestDetails()
{
    CVLRequestFileTransferResponse::ClearRequestDetails();
    m_MIMEType.FreeString();
    m_MIMEText.FreeString();
}

bool CVLRequestFileTransferWithMIMEResponse::GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const
{
    if (!CVLRequestFileTransferResponse::GetRequestDetailsIntoBuffer(buffer))
        return false;
    buffer += m_MIMEType;
    buffer += m_MIMEText;
    return true;
}

bool CVLRequestFileTransferWithMIMEResponse::GetRequestDetailsFromBuffer(CVLReqBuffer& buffer)
{
    CVLRequestFileTransferResponse::GetRequestDetailsFromBuffer(buffer);
    buffer.GetDetail(m_MIMEType);
    buffer.GetDetail(m_MIMEText);
    return true;
}
