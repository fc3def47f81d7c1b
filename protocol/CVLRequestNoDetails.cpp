#include "CVLRequestNoDetails.h"

CVLRequestNoDetails::CVLRequestNoDetails(unsigned short requestType) : CVLRequest(requestType)
{
}

CVLRequestNoDetails::~CVLRequestNoDetails() = default;

void CVLRequestNoDetails::ClearRequestDetails()
{
}

bool CVLRequestNoDetails::ValidateRequestDetails() const
{
    return true;
}

bool CVLRequestNoDetails::GetRequestDetailsIntoBuffer(CVLReqBuffer&) const
{
    return true;
}

bool CVLRequestNoDetails::GetRequestDetailsFromBuffer(CVLReqBuffer&)
{
    return true;
}
