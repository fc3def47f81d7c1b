#include "CVLRequestFetchExternalReportFileName.h"

CVLRequestFetchExternalReportFileName::CVLRequestFetchExternalReportFileName() : CVLRequestNoDetails(kRequestType)
{
}

CVLRequestFetchExternalReportFileName::~CVLRequestFetchExternalReportFileName() = default;
