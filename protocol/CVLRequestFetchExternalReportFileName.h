#pragma once

#include "CVLRequestNoDetails.h"

// External report file name request (type 493); this system knows none of its fields.
class CVLRequestFetchExternalReportFileName : public CVLRequestNoDetails
{
public:
    static constexpr unsigned short kRequestType = 493;

    CVLRequestFetchExternalReportFileName();
    ~CVLRequestFetchExternalReportFileName() override;
};
