#include "CVLRequestPubDataGeneric.h"

CVLRequestPubDataGeneric::CVLRequestPubDataGeneric(unsigned short requestType) : CVLRequestNoDetails(requestType)
{
}

CVLRequestPubDataGeneric::~CVLRequestPubDataGeneric() = default;
