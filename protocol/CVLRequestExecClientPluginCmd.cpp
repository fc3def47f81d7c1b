#include "CVLRequestExecClientPluginCmd.h"

CVLRequestExecClientPluginCmd::CVLRequestExecClientPluginCmd() : CVLRequestNoDetails(kRequestType)
{
}

CVLRequestExecClientPluginCmd::~CVLRequestExecClientPluginCmd() = default;
