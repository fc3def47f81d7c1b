#pragma once

#include "CVLRequestResponse.h"

// An interim message (flag bit 2): the receiver reports it and goes on waiting for the real
// response. Its error text carries the status text (for file transfers, the file's name);
// it appends two signed 64-bit counts.
class CVLRequestStatusResponse : public CVLRequestResponse
{
public:
    CVLRequestStatusResponse();
    explicit CVLRequestStatusResponse(unsigned short requestType);
    explicit CVLRequestStatusResponse(const CVLRequest& request);
    ~CVLRequestStatusResponse() override;

    void ClearRequestDetails() override;
    bool GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const override;
    bool GetRequestDetailsFromBuffer(CVLReqBuffer& buffer) override;

    long long GetCurrentCount() const { return m_CurrentCount; }
    void SetCurrentCount(long long count) { m_CurrentCount = count; }
    long long GetTotalCount() const { return m_TotalCount; }
    void SetTotalCount(long long count) { m_TotalCount = count; }

protected:
    long long m_CurrentCount = 0;
    long long m_TotalCount = 0;
};
