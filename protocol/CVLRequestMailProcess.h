#pragma once

#include "CVLRequestNoDetails.h"

// Mail processing request (type 92); this system knows none of its fields.
class CVLRequestMailProcess : public CVLRequestNoDetails
{
public:
    static constexpr unsigned short kRequestType = 92;

    CVLRequestMailProcess();
    ~CVLRequestMailProcess() override;
};
