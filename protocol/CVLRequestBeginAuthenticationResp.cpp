#include "CVLRequestBeginAuthenticationResp.h"

CVLRequestBeginAuthenticationResp::CVLRequestBeginAuthenticationResp() : CVLRequestResponse(kRequestType)
{
}

CVLRequestBeginAuthenticationResp::~CVLRequestBeginAuthenticationResp() = default;
