#pragma once

#include "CVLRequestFileTransferResponse.h"

// A file-transfer response that appends two more texts (the file's MIME description).
class CVLRequestFileTransferWithMIMEResponse : public CVLRequestFileTransferResponse
{
public:
    explicit CVLRequestFileTransferWithMIMEResponse(unsigned short requestType);
    ~CVLRequestFileTransferWithMIMEResponse() override;

    void ClearRequestDetails() override;
    bool GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const override;
    bool GetRequestDetailsFromBuffer(CVLReqBuffer& buffer) override;

    const CVLString& GetMIMEType() const { return m_MIMEType; }
    void SetMIMEType(const CVLString& text) { m_MIMEType = text; }
    const CVLString& GetMIMEText() const { return m_MIMEText; }
    void SetMIMEText(const CVLString& text) { m_MIMEText = text; }

protected:
    CVLString m_MIMEType;
    CVLString m_MIMEText;
};
