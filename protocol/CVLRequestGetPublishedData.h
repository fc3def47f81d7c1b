#pragma once

#include "CVLRequestPubDataGeneric.h"

// Published-data request (type 455); this system knows none of its fields.
class CVLRequestGetPublishedData : public CVLRequestPubDataGeneric
{
public:
    static constexpr unsigned short kRequestType = 455;

    CVLRequestGetPublishedData();
    ~CVLRequestGetPublishedData() override;
};
