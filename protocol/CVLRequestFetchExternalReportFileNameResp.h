#pragma once

#include "CVLRequestResponse.h"

// Answer to the external report file name request (type 493): status, cookie and error text; this system knows no further fields.
class CVLRequestFetchExternalReportFileNameResp : public CVLRequestResponse
{
public:
    static constexpr unsigned short kRequestType = 493;

    CVLRequestFetchExternalReportFileNameResp();
    ~CVLRequestFetchExternalReportFileNameResp() override;
};
