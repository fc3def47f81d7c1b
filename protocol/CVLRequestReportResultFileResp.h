#pragma once

#include "CVLRequestFileTransferResponse.h"

// Answer to the report result file request (type 196): a file-transfer response.
class CVLRequestReportResultFileResp : public CVLRequestFileTransferResponse
{
public:
    static constexpr unsigned short kRequestType = 196;

    CVLRequestReportResultFileResp();
    ~CVLRequestReportResultFileResp() override;
};
