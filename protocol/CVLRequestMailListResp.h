#pragma once

#include "CVLRequestResponse.h"

// Answer to the mail list request (type 91): status, cookie and error text; this system knows no further fields.
class CVLRequestMailListResp : public CVLRequestResponse
{
public:
    static constexpr unsigned short kRequestType = 91;

    CVLRequestMailListResp();
    ~CVLRequestMailListResp() override;
};
