#pragma once

#include "CVLRequestResponse.h"

// Answer to the RSA key negotiation (type 706): status, cookie and error text; this system knows no further fields.
class CVLRequestNegotiateRSAKeyResp : public CVLRequestResponse
{
public:
    static constexpr unsigned short kRequestType = 706;

    CVLRequestNegotiateRSAKeyResp();
    ~CVLRequestNegotiateRSAKeyResp() override;
};
