#pragma once

#include "CVLRequestResponse.h"

// A response that also carries a server cookie (unsigned 32-bit) after the error text.
class CVLServerRequestResponse : public CVLRequestResponse
{
public:
    CVLServerRequestResponse();
    explicit CVLServerRequestResponse(unsigned short requestType);
    explicit CVLServerRequestResponse(const CVLRequest& request);
    ~CVLServerRequestResponse() override;

    void ClearRequestDetails() override;
    bool GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const override;
    bool GetRequestDetailsFromBuffer(CVLReqBuffer& buffer) override;

    virtual void SetServerCookie(unsigned cookie);
    virtual unsigned GetServerCookie() const;

protected:
    unsigned m_ServerCookie = 0xFFFFFFFFu;
};
