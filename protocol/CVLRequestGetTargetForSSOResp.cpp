#include "CVLRequestGetTargetForSSOResp.h"

CVLRequestGetTargetForSSOResp::CVLRequestGetTargetForSSOResp() : CVLRequestResponse(kRequestType)
{
}

CVLRequestGetTargetForSSOResp::~CVLRequestGetTargetForSSOResp() = default;
