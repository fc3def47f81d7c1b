#pragma once

#include "CVLRequestResponse.h"

// Answer to the published-data request (type 455): status, cookie and error text; this system knows no further fields.
class CVLRequestGetPublishedDataResp : public CVLRequestResponse
{
public:
    static constexpr unsigned short kRequestType = 455;

    CVLRequestGetPublishedDataResp();
    ~CVLRequestGetPublishedDataResp() override;
};
