#include "CVLRequestHandshakeResp.h"

CVLRequestHandshakeResp::CVLRequestHandshakeResp() : CVLRequestResponse(kRequestType)
{
}

CVLRequestHandshakeResp::~CVLRequestHandshakeResp() = default;
