#pragma once

#include "CVLRequestNoDetails.h"

// Single sign-on target request (type 392); this system knows none of its fields.
class CVLRequestGetTargetForSSO : public CVLRequestNoDetails
{
public:
    static constexpr unsigned short kRequestType = 392;

    CVLRequestGetTargetForSSO();
    ~CVLRequestGetTargetForSSO() override;
};
