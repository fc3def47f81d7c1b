#pragma once

#include "CVLRequest.h"
#include "CVLString.h"

// A request whose file content follows its buffer on the connection (flag bit 4).
// Details: two texts, the file length (8 bytes), a second 64-bit value, two booleans.
class CVLRequestFileTransfer : public CVLRequest
{
public:
    explicit CVLRequestFileTransfer(unsigned short requestType);
    ~CVLRequestFileTransfer() override;

    void ClearRequestDetails() override;
    bool ValidateRequestDetails() const override;
    bool GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const override;
    bool GetRequestDetailsFromBuffer(CVLReqBuffer& buffer) override;

    const CVLString& GetFirstText() const { return m_FirstText; }
    void SetFirstText(const CVLString& text) { m_FirstText = text; }
    const CVLString& GetSecondText() const { return m_SecondText; }
    void SetSecondText(const CVLString& text) { m_SecondText = text; }
    unsigned long long GetFileLength() const { return m_FileLength; }
    void SetFileLength(unsigned long long length) { m_FileLength = length; }
    unsigned long long GetSecondValue() const { return m_SecondValue; }
    void SetSecondValue(unsigned long long value) { m_SecondValue = value; }
    bool GetFirstFlag() const { return m_FirstFlag; }
    void SetFirstFlag(bool on) { m_FirstFlag = on; }
    bool GetSecondFlag() const { return m_SecondFlag; }
    void SetSecondFlag(bool on) { m_SecondFlag = on; }

protected:
    CVLString m_FirstText;
    CVLString m_SecondText;
    unsigned long long m_FileLength = 0;
    unsigned long long m_SecondValue = 0;
    bool m_FirstFlag = false;
    bool m_SecondFlag = false;
};
