#pragma once

#include "CVLRequestNoDetails.h"

// Keep-alive of an idle connection (type 3). No details.
class CVLRequestHandshake : public CVLRequestNoDetails
{
public:
    static constexpr unsigned short kRequestType = 3;

    CVLRequestHandshake();
    ~CVLRequestHandshake() override;
};
