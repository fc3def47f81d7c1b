#pragma once

#include "CVLRequestResponse.h"

// Answer to the keep-alive (type 3): status, cookie and error text; this system knows no further fields.
class CVLRequestHandshakeResp : public CVLRequestResponse
{
public:
    static constexpr unsigned short kRequestType = 3;

    CVLRequestHandshakeResp();
    ~CVLRequestHandshakeResp() override;
};
