#pragma once

#include "CVLRequestNoDetails.h"

// Ends the session (type 2). No details: its buffer is the header and the session cookie.
class CVLRequestDisconnect : public CVLRequestNoDetails
{
public:
    static constexpr unsigned short kRequestType = 2;

    CVLRequestDisconnect();
    ~CVLRequestDisconnect() override;
};
