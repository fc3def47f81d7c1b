#include "CVLRequestVerifyServerDbInited.h"

CVLRequestVerifyServerDbInited::CVLRequestVerifyServerDbInited() : CVLRequestNoDetails(kRequestType)
{
}

CVLRequestVerifyServerDbInited::~CVLRequestVerifyServerDbInited() = default;
