#pragma once

#include "CVLRequestResponse.h"

// Answer to the about-text request (type 121): status, cookie and error text; this system knows no further fields.
class CVLRequestGetAboutTextResp : public CVLRequestResponse
{
public:
    static constexpr unsigned short kRequestType = 121;

    CVLRequestGetAboutTextResp();
    ~CVLRequestGetAboutTextResp() override;
};
