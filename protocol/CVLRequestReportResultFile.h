#pragma once

#include "CVLRequestNoDetails.h"

// Report result file request (type 196); this system knows none of its fields.
class CVLRequestReportResultFile : public CVLRequestNoDetails
{
public:
    static constexpr unsigned short kRequestType = 196;

    CVLRequestReportResultFile();
    ~CVLRequestReportResultFile() override;
};
