#include "CVLRequestStartExternalReport.h"

CVLRequestStartExternalReport::CVLRequestStartExternalReport() : CVLRequestNoDetails(kRequestType)
{
}

CVLRequestStartExternalReport::~CVLRequestStartExternalReport() = default;
