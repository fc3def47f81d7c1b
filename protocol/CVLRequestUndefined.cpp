#include "CVLRequestUndefined.h"

CVLRequestUndefined::CVLRequestUndefined() : CVLRequest(0)
{
}

CVLRequestUndefined::~CVLRequestUndefined() = default;

void CVLRequestUndefined::ClearRequestDetails()
{
}

bool CVLRequestUndefined::ValidateRequestDetails() const
{
    return true;
}

bool CVLRequestUndefined::GetRequestDetailsIntoBuffer(CVLReqBuffer&) const
{
    return true;
}

bool CVLRequestUndefined::GetRequestDetailsFromBuffer(CVLReqBuffer&)
{
    return true;
}
