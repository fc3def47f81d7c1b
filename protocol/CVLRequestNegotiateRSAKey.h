#pragma once

#include "CVLRequestNoDetails.h"

// RSA key negotiation (type 706); this system knows none of its fields.
class CVLRequestNegotiateRSAKey : public CVLRequestNoDetails
{
public:
    static constexpr unsigned short kRequestType = 706;

    CVLRequestNegotiateRSAKey();
    ~CVLRequestNegotiateRSAKey() override;
};
