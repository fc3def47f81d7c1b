#pragma once

#include "CVLRequestResponse.h"

// Answer to the client plug-in command (type 494): status, cookie and error text; this system knows no further fields.
class CVLRequestExecClientPluginCmdResp : public CVLRequestResponse
{
public:
    static constexpr unsigned short kRequestType = 494;

    CVLRequestExecClientPluginCmdResp();
    ~CVLRequestExecClientPluginCmdResp() override;
};
