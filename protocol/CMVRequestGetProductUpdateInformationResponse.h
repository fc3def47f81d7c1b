#pragma once

#include "CVLRequestResponse.h"

// Answer to the product update information request (type 372): status, cookie and error text; this system knows no further fields.
class CMVRequestGetProductUpdateInformationResponse : public CVLRequestResponse
{
public:
    static constexpr unsigned short kRequestType = 372;

    CMVRequestGetProductUpdateInformationResponse();
    ~CMVRequestGetProductUpdateInformationResponse() override;
};
