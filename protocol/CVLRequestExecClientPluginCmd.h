#pragma once

#include "CVLRequestNoDetails.h"

// Client plug-in command (type 494); this system knows none of its fields.
class CVLRequestExecClientPluginCmd : public CVLRequestNoDetails
{
public:
    static constexpr unsigned short kRequestType = 494;

    CVLRequestExecClientPluginCmd();
    ~CVLRequestExecClientPluginCmd() override;
};
