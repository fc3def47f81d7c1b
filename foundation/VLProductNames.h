#pragma once

class CVLString;

// Product names, product flags and client-type names of the suite. Shared code never spells
// a product name: it uses these constants or the placeholder codes (CApplicationSpecifics.h).

extern const char* const g_cszCompanyName;
extern const char* const g_cszCompanyNameLong;
extern const char* const g_cszProductNameVLPro;
extern const char* const g_cszSubProductNameVLPro;
extern const char* const g_cszSubProductNameVLTCM;
extern const char* const g_cszSubProductNameVLRM;
extern const char* const g_cszSubProductNameSuite;
extern const char* const g_cszSubProductNameVLPro_FU;
extern const char* const g_cszSubProductNameVLTCM_FU;
extern const char* const g_cszSubProductNameVLRM_FU;
extern const char* const g_cszSubProductNameVLPro_LC;
extern const char* const g_cszSubProductNameVLTCM_LC;
extern const char* const g_cszSubProductNameVLRM_LC;
extern const char* const g_cszServerNameVLPro;
extern const char* const g_cszNativeClientNameVLPro;
extern const char* const g_cszNativeStudioClientNameVLPro;
extern const char* const g_cszAdminUtilNameVLPro;
extern const char* const g_cszWebClientNameVLPro;
extern const char* const g_cszWebAdminNameVLPro;
extern const char* const g_cszRegUtilNameVLPro;
extern const char* const g_cszSisterToolNameVLPro;
extern const char* const g_cszStartOfWebAddressVLPro;
extern const char* const g_cszProductNameVLProWithArticle;
extern const char* const g_cszVLProRSS;
extern const char* const g_cszTCMWeb;
extern const char* const g_cszRMWeb;
extern const char* const g_cszRMWeb_FU;
extern const char* const g_cszRMWeb_LC;
extern const char* const g_cszSourceControlU;
extern const char* const g_cszSourceControlL;
extern const char* const g_cszSourceControlF;
extern const char* const g_cszProductNameQuillet;
extern const char* const g_cszProductNameJenkins;
extern const char* const g_cszReqIFServiceNameVLPro;
extern const char* const g_cszSalesEmailAddress;
extern const char* const g_cszWebAdminHelpURL;
extern const char* const g_cszDownloadPageURL;
extern const char* const g_cszCopyright;

// Product flags (bit values).
enum MolvarProductFlag {
    kMolvarProductVLPro = 1,
    kMolvarProductVLTCM = 4,
    kMolvarProductVLRM = 8,
    kMolvarProductRMWeb = 16,
    kMolvarProductSuite = 32
};

// The client-type code this application announces when it connects.
constexpr unsigned short kClientTypeURLRedirector = 35;

// Replaces name with the name of a client-type code; unnamed codes give "Unknown [N]".
CVLString& GetClientTypeString(unsigned short clientType, CVLString& name);
