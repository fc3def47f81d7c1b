#pragma once

#include "CVLRequest.h"

// Placeholder for a received request whose type nobody knows: type 0, no details.
class CVLRequestUndefined : public CVLRequest
{
public:
    CVLRequestUndefined();
    ~CVLRequestUndefined() override;

    void ClearRequestDetails() override;
    bool ValidateRequestDetails() const override;
    bool GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const override;
    bool GetRequestDetailsFromBuffer(CVLReqBuffer& buffer) override;
};
