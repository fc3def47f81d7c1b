#include "CVLRequestFetchExternalReportFileNameResp.h"

CVLRequestFetchExternalReportFileNameResp::CVLRequestFetchExternalReportFileNameResp() : CVLRequestResponse(kRequestType)
{
}

CVLRequestFetchExternalReportFileNameResp::~CVLRequestFetchExternalReportFileNameResp() = default;
