#include "CVLRequestHandshake.h"

CVLRequestHandshake::CVLRequestHandshake() : CVLRequestNoDetails(kRequestType)
{
}

CVLRequestHandshake::~CVLRequestHandshake() = default;
