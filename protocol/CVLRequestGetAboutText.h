#pragma once

#include "CVLRequestNoDetails.h"

// About-text request (type 121); this system knows none of its fields.
class CVLRequestGetAboutText : public CVLRequestNoDetails
{
public:
    static constexpr unsigned short kRequestType = 121;

    CVLRequestGetAboutText();
    ~CVLRequestGetAboutText() override;
};
