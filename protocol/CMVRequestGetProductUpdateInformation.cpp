#include "CMVRequestGetProductUpdateInformation.h"

CMVRequestGetProductUpdateInformation::CMVRequestGetProductUpdateInformation() : CVLRequestNoDetails(kRequestType)
{
}

CMVRequestGetProductUpdateInformation::~CMVRequestGetProductUpdateInformation() = default;
