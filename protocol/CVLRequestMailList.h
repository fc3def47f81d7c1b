#pragma once

#include "CVLRequestNoDetails.h"

// Mail list request (type 91); this system knows none of its fields.
class CVLRequestMailList : public CVLRequestNoDetails
{
public:
    static constexpr unsigned short kRequestType = 91;

    CVLRequestMailList();
    ~CVLRequestMailList() override;
};
