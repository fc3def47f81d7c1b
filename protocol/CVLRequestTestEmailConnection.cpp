#include "CVLRequestTestEmailConnection.h"

CVLRequestTestEmailConnection::CVLRequestTestEmailConnection() : CVLRequestNoDetails(kRequestType)
{
}

CVLRequestTestEmailConnection::~CVLRequestTestEmailConnection() = default;
