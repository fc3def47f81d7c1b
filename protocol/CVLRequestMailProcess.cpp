#include "CVLRequestMailProcess.h"

CVLRequestMailProcess::CVLRequestMailProcess() : CVLRequestNoDetails(kRequestType)
{
}

CVLRequestMailProcess::~CVLRequestMailProcess() = default;
