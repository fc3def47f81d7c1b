#pragma once

#include "CVLRequestNoDetails.h"

// Base of the published-data requests; adds no details of its own.
class CVLRequestPubDataGeneric : public CVLRequestNoDetails
{
public:
    ~CVLRequestPubDataGeneric() override;

protected:
    explicit CVLRequestPubDataGeneric(unsigned short requestType);
};
