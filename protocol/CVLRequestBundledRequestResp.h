#pragma once

#include "CVLRequestResponse.h"

// The answer to a request group (flag bit 5): status, cookie, error text and the number of
// sub-responses (4 bytes) that follow as frames of their own.
class CVLRequestBundledRequestResp : public CVLRequestResponse
{
public:
    explicit CVLRequestBundledRequestResp(unsigned short requestType);
    ~CVLRequestBundledRequestResp() override;

    void ClearRequestDetails() override;
    bool GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const override;
    bool GetRequestDetailsFromBuffer(CVLReqBuffer& buffer) override;

    unsigned GetSubResponseCount() const { return m_SubResponseCount; }
    void SetSubResponseCount(unsigned count) { m_SubResponseCount = count; }

protected:
    unsigned m_SubResponseCount = 0;
};
