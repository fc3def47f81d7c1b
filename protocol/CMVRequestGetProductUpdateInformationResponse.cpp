#include "CMVRequestGetProductUpdateInformationResponse.h"

CMVRequestGetProductUpdateInformationResponse::CMVRequestGetProductUpdateInformationResponse() : CVLRequestResponse(kRequestType)
{
}

CMVRequestGetProductUpdateInformationResponse::~CMVRequestGetProductUpdateInformationResponse() = default;
