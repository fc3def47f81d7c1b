#include "CVLRequestBuiltInTable.h"

#include "CMVRequestGetProductUpdateInformation.h"
#include "CMVRequestGetProductUpdateInformationResponse.h"
#include "CVLRequestBeginAuthentication.h"
#include "CVLRequestBeginAuthenticationResp.h"
#include "CVLRequestCancelCurrentTransaction.h"
#include "CVLRequestConnect.h"
#include "CVLRequestConnectResp.h"
#include "CVLRequestDisconnect.h"
#include "CVLRequestExecClientPluginCmd.h"
#include "CVLRequestExecClientPluginCmdResp.h"
#include "CVLRequestExtensibleConnect.h"
#include "CVLRequestExtensibleConnectResp.h"
#include "CVLRequestFetchExternalReportFileName.h"
#include "CVLRequestFetchExternalReportFileNameResp.h"
#include "CVLRequestGetAboutText.h"
#include "CVLRequestGetAboutTextResp.h"
#include "CVLRequestGetCGIURL.h"
#include "CVLRequestGetCGIURLResp.h"
#include "CVLRequestGetPublishedData.h"
#include "CVLRequestGetPublishedDataResp.h"
#include "CVLRequestGetTargetForSSO.h"
#include "CVLRequestGetTargetForSSOResp.h"
#include "CVLRequestHandshake.h"
#include "CVLRequestHandshakeResp.h"
#include "CVLRequestMailList.h"
#include "CVLRequestMailListResp.h"
#include "CVLRequestMailProcess.h"
#include "CVLRequestNegotiateRSAKey.h"
#include "CVLRequestNegotiateRSAKeyResp.h"
#include "CVLRequestReportResultFile.h"
#include "CVLRequestReportResultFileResp.h"
#include "CVLRequestResponse.h"
#include "CVLRequestStartExternalReport.h"
#include "CVLRequestTestEmailConnection.h"
#include "CVLRequestTestEmailConnectionResp.h"
#include "CVLRequestVerifyServerDbInited.h"

CVLRequest* CVLRequestBuiltInTable::CreateBuiltInObject(unsigned short requestType, bool isResponse)
{
    // A type whose response column is empty falls through to the generic response.
    if (isResponse) {
        switch (requestType) {
        case 1: return new CVLRequestConnectResp();
        case 3: return new CVLRequestHandshakeResp();
        case 91: return new CVLRequestMailListResp();
        case 92: return new CVLRequestResponse(requestType);
        case 121: return new CVLRequestGetAboutTextResp();
        case 196: return new CVLRequestReportResultFileResp();
        case 372: return new CMVRequestGetProductUpdateInformationResponse();
        case 392: return new CVLRequestGetTargetForSSOResp();
        case 455: return new CVLRequestGetPublishedDataResp();
        case 461: return new CVLRequestGetCGIURLResp();
        case 492: return new CVLRequestResponse(requestType);
        case 493: return new CVLRequestFetchExternalReportFileNameResp();
        case 494: return new CVLRequestExecClientPluginCmdResp();
        case 581: return new CVLRequestTestEmailConnectionResp();
        case 700: return new CVLRequestBeginAuthenticationResp();
        case 706: return new CVLRequestNegotiateRSAKeyResp();
        case 707: return new CVLRequestExtensibleConnectResp();
        default: return nullptr;
        }
    }
    switch (requestType) {
    case 1: return new CVLRequestConnect();
    case 2: return new CVLRequestDisconnect();
    case 3: return new CVLRequestHandshake();
    case 91: return new CVLRequestMailList();
    case 92: return new CVLRequestMailProcess();
    case 121: return new CVLRequestGetAboutText();
    case 196: return new CVLRequestReportResultFile();
    case 286: return new CVLRequestVerifyServerDbInited();
    case 372: return new CMVRequestGetProductUpdateInformation();
    case 392: return new CVLRequestGetTargetForSSO();
    case 455: return new CVLRequestGetPublishedData();
    case 461: return new CVLRequestGetCGIURL();
    case 492: return new CVLRequestStartExternalReport();
    case 493: return new CVLRequestFetchExternalReportFileName();
    case 494: return new CVLRequestExecClientPluginCmd();
    case 581: return new CVLRequestTestEmailConnection();
    case 700: return new CVLRequestBeginAuthentication();
    case 706: return new CVLRequestNegotiateRSAKey();
    case 707: return new CVLRequestExtensibleConnect();
    case 61166: return new CVLRequestCancelCurrentTransaction();
    default: return nullptr;
    }
}
