#include "VLProductNames.h"

#include "CVLString.h"

const char* const g_cszCompanyName = "Corvane";
const char* const g_cszCompanyNameLong = "Corvane Software";
const char* const g_cszProductNameVLPro = "Corvane ALM";
const char* const g_cszSubProductNameVLPro = "Issue Management";
const char* const g_cszSubProductNameVLTCM = "Test Case Management";
const char* const g_cszSubProductNameVLRM = "Requirements Management";
const char* const g_cszSubProductNameSuite = "Corvane ALM suite";
const char* const g_cszSubProductNameVLPro_FU = "Issue management";
const char* const g_cszSubProductNameVLTCM_FU = "Test case management";
const char* const g_cszSubProductNameVLRM_FU = "Requirements management";
const char* const g_cszSubProductNameVLPro_LC = "issue management";
const char* const g_cszSubProductNameVLTCM_LC = "test case management";
const char* const g_cszSubProductNameVLRM_LC = "requirements management";
const char* const g_cszServerNameVLPro = "Corvane ALM Server";
const char* const g_cszNativeClientNameVLPro = "Corvane ALM Client";
const char* const g_cszNativeStudioClientNameVLPro = "Corvane ALM Client";
const char* const g_cszAdminUtilNameVLPro = "Corvane ALM Server Admin Utility";
const char* const g_cszWebClientNameVLPro = "Corvane ALM Web";
const char* const g_cszWebAdminNameVLPro = "Corvane ALM Server Admin";
const char* const g_cszRegUtilNameVLPro = "Corvane ALM Registry Utility";
const char* const g_cszSisterToolNameVLPro = "Enclave SCM";
const char* const g_cszStartOfWebAddressVLPro = "vlp";
const char* const g_cszProductNameVLProWithArticle = "a Corvane ALM";
const char* const g_cszVLProRSS = "Corvane ALM Published Data";
const char* const g_cszTCMWeb = "Corvane ALM TCM Test Runner";
const char* const g_cszRMWeb = "Requirements Review";
const char* const g_cszRMWeb_FU = "Requirements review";
const char* const g_cszRMWeb_LC = "requirements review";
const char* const g_cszSourceControlU = "Source Control";
const char* const g_cszSourceControlL = "source control";
const char* const g_cszSourceControlF = "Source control";
const char* const g_cszProductNameQuillet = "Quillet";
const char* const g_cszProductNameJenkins = "Jenkins";
const char* const g_cszReqIFServiceNameVLPro = "ReqIF Exchange Service";
const char* const g_cszSalesEmailAddress = "sales@corvane.com";
const char* const g_cszWebAdminHelpURL = "https://www.corvane.com/help/alm/web-admin";
const char* const g_cszDownloadPageURL = "https://www.corvane.com/downloads/alm";
const char* const g_cszCopyright = "Copyright \xC2\xA9 2026 Corvane Software. All rights reserved.";

namespace {

struct ClientTypeName
{
    unsigned short code;
    const char* name;
};

// clang-format off
const ClientTypeName kClientTypeNames[] = {
    {1, "Native Client"},       {4, "Admin Client"},          {11, "Admin CGI"},
    {12, "Add-in"},             {13, "SCM Native Client"},    {14, "SCM CLI"},
    {15, "SCM SCCI"},           {16, "SCM Server"},           {17, "SOAP CGI"},
    {18, "Web Client CGI"},     {26, "SCM Office Addin"},     {33, "SCM Proxy Server"},
    {34, "Pub Data CGI"},       {35, "URL Redirector"},       {36, "SCM API"},
    {37, "SCM SCCI Integration"}, {38, "SCM VSIP Integration"}, {41, "SCM Shell Integration"},
    {43, "SCM Eclipse Integration"}, {44, "SCM IntelliJ Integration"}, {45, "SCM Netbeans Integration"},
    {49, "Outlook Add-in"},     {50, "Word Add-in"},          {51, "VS Add-in"},
    {52, "Excel Add-in"},       {53, "SCM Add-in"},           {55, "Eclipse Add-in"},
    {58, "SCM KDevelop Integration"}, {59, "SCM JDevelop Integration"}, {60, "SCM Web Storm Integration"},
    {62, "VLWeb CGI"},          {63, "Mobile Client"},        {64, "External Provider CGI"},
    {65, "SCM Web Client"},     {66, "REST API"},             {67, "ReqIF Service"},
};
// clang-format on

} // namespace

CVLString& GetClientTypeString(unsigned short clientType, CVLString& name)
{
    if (clientType == 39) {
        name.SafeFormat("SCM %s Integration", g_cszProductNameVLPro);
        return name;
    }
    for (const ClientTypeName& entry : kClientTypeNames) {
        if (entry.code == clientType) {
            name = entry.name;
            return name;
        }
    }
    name.SafeFormat("Unknown [%u]", static_cast<unsigned>(clientType));
    return name;
}
