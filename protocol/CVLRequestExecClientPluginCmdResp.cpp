#include "CVLRequestExecClientPluginCmdResp.h"

CVLRequestExecClientPluginCmdResp::CVLRequestExecClientPluginCmdResp() : CVLRequestResponse(kRequestType)
{
}

CVLRequestExecClientPluginCmdResp::~CVLRequestExecClientPluginCmdResp() = default;
