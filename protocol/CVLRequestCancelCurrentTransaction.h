#pragma once

#include "CVLRequestNoDetails.h"

// Cancels the transaction in progress (type 0xEEEE). No details.
class CVLRequestCancelCurrentTransaction : public CVLRequestNoDetails
{
public:
    static constexpr unsigned short kRequestType = 61166;

    CVLRequestCancelCurrentTransaction();
    ~CVLRequestCancelCurrentTransaction() override;
};
