#pragma once

#include "CVLRequestResponse.h"

// Answer to the authentication start (type 700): status, cookie and error text; this system knows no further fields.
class CVLRequestBeginAuthenticationResp : public CVLRequestResponse
{
public:
    static constexpr unsigned short kRequestType = 700;

    CVLRequestBeginAuthenticationResp();
    ~CVLRequestBeginAuthenticationResp() override;
};
