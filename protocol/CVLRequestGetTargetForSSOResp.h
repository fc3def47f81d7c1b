#pragma once

#include "CVLRequestResponse.h"

// Answer to the single sign-on target request (type 392): status, cookie and error text; this system knows no further fields.
class CVLRequestGetTargetForSSOResp : public CVLRequestResponse
{
public:
    static constexpr unsigned short kRequestType = 392;

    CVLRequestGetTargetForSSOResp();
    ~CVLRequestGetTargetForSSOResp() override;
};
