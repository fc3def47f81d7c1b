#include "CVLRequestMailListResp.h"

CVLRequestMailListResp::CVLRequestMailListResp() : CVLRequestResponse(kRequestType)
{
}

CVLRequestMailListResp::~CVLRequestMailListResp() = default;
