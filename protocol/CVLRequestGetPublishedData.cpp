#include "CVLRequestGetPublishedData.h"

CVLRequestGetPublishedData::CVLRequestGetPublishedData() : CVLRequestPubDataGeneric(kRequestType)
{
}

CVLRequestGetPublishedData::~CVLRequestGetPublishedData() = default;
