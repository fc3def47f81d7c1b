#include "CVLRequestDisconnect.h"

CVLRequestDisconnect::CVLRequestDisconnect() : CVLRequestNoDetails(kRequestType)
{
}

CVLRequestDisconnect::~CVLRequestDisconnect() = default;
