#include "CVLRequestGetTargetForSSO.h"

CVLRequestGetTargetForSSO::CVLRequestGetTargetForSSO() : CVLRequestNoDetails(kRequestType)
{
}

CVLRequestGetTargetForSSO::~CVLRequestGetTargetForSSO() = default;
