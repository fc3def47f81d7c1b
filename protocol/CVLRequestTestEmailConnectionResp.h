#pragma once

#include "CVLRequestResponse.h"

// Answer to the e-mail connection test (type 581): status, cookie and error text; this system knows no further fields.
class CVLRequestTestEmailConnectionResp : public CVLRequestResponse
{
public:
    static constexpr unsigned short kRequestType = 581;

    CVLRequestTestEmailConnectionResp();
    ~CVLRequestTestEmailConnectionResp() override;
};
