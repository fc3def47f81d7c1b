#include "CVLRequestTestEmailConnectionResp.h"

CVLRequestTestEmailConnectionResp::CVLRequestTestEmailConnectionResp() : CVLRequestResponse(kRequestType)
{
}

CVLRequestTestEmailConnectionResp::~CVLRequestTestEmailConnectionResp() = default;
