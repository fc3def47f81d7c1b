#pragma once

#include "CVLRequestNoDetails.h"

// Authentication start (type 700); this system knows none of its fields.
class CVLRequestBeginAuthentication : public CVLRequestNoDetails
{
public:
    static constexpr unsigned short kRequestType = 700;

    CVLRequestBeginAuthentication();
    ~CVLRequestBeginAuthentication() override;
};
