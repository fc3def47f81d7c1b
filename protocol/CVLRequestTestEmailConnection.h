#pragma once

#include "CVLRequestNoDetails.h"

// E-mail connection test (type 581); this system knows none of its fields.
class CVLRequestTestEmailConnection : public CVLRequestNoDetails
{
public:
    static constexpr unsigned short kRequestType = 581;

    CVLRequestTestEmailConnection();
    ~CVLRequestTestEmailConnection() override;
};
