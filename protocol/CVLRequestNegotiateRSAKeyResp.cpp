#include "CVLRequestNegotiateRSAKeyResp.h"

CVLRequestNegotiateRSAKeyResp::CVLRequestNegotiateRSAKeyResp() : CVLRequestResponse(kRequestType)
{
}

CVLRequestNegotiateRSAKeyResp::~CVLRequestNegotiateRSAKeyResp() = default;
