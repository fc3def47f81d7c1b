#include "CVLRequestReportResultFile.h"

CVLRequestReportResultFile::CVLRequestReportResultFile() : CVLRequestNoDetails(kRequestType)
{
}

CVLRequestReportResultFile::~CVLRequestReportResultFile() = default;
