#pragma once

#include "CVLRequestNoDetails.h"

// Server database check (type 286); this system knows none of its fields.
class CVLRequestVerifyServerDbInited : public CVLRequestNoDetails
{
public:
    static constexpr unsigned short kRequestType = 286;

    CVLRequestVerifyServerDbInited();
    ~CVLRequestVerifyServerDbInited() override;
};
