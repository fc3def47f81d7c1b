#include "CVLRequestNegotiateRSAKey.h"

CVLRequestNegotiateRSAKey::CVLRequestNegotiateRSAKey() : CVLRequestNoDetails(kRequestType)
{
}

CVLRequestNegotiateRSAKey::~CVLRequestNegotiateRSAKey() = default;
