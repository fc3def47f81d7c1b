#include "CVLRequestGetPublishedDataResp.h"

CVLRequestGetPublishedDataResp::CVLRequestGetPublishedDataResp() : CVLRequestResponse(kRequestType)
{
}

CVLRequestGetPublishedDataResp::~CVLRequestGetPublishedDataResp() = default;
