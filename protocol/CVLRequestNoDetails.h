#pragma once

#include "CVLRequest.h"

// A request that carries no details of its own: its buffer is the header and the session cookie.
class CVLRequestNoDetails : public CVLRequest
{
public:
    explicit CVLRequestNoDetails(unsigned short requestType);
    ~CVLRequestNoDetails() override;

    void ClearRequestDetails() override;
    bool ValidateRequestDetails() const override;
    bool GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const override;
    bool GetRequestDetailsFromBuffer(CVLReqBuffer& buffer) override;
};
