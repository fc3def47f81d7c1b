#include "CVLRequestBeginAuthentication.h"

CVLRequestBeginAuthentication::CVLRequestBeginAuthentication() : CVLRequestNoDetails(kRequestType)
{
}

CVLRequestBeginAuthentication::~CVLRequestBeginAuthentication() = default;
