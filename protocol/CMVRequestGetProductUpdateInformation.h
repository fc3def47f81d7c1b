#pragma once

#include "CVLRequestNoDetails.h"

// Product update information request (type 372); this system knows none of its fields.
class CMVRequestGetProductUpdateInformation : public CVLRequestNoDetails
{
public:
    static constexpr unsigned short kRequestType = 372;

    CMVRequestGetProductUpdateInformation();
    ~CMVRequestGetProductUpdateInformation() override;
};
