#include "CVLRequestReportResultFileResp.h"

CVLRequestReportResultFileResp::CVLRequestReportResultFileResp() : CVLRequestFileTransferResponse(kRequestType)
{
}

CVLRequestReportResultFileResp::~CVLRequestReportResultFileResp() = default;
