#pragma once

#include "CVLRequestNoDetails.h"

// External report start (type 492); this system knows none of its fields.
class CVLRequestStartExternalReport : public CVLRequestNoDetails
{
public:
    static constexpr unsigned short kRequestType = 492;

    CVLRequestStartExternalReport();
    ~CVLRequestStartExternalReport() override;
};
