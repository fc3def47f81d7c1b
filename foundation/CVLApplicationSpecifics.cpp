#include "CVLApplicationSpecifics.h"

#include "VLProductNames.h"

#include <QString>

namespace {

constexpr unsigned FourCC(const char (&code)[5])
{
    return (static_cast<unsigned>(static_cast<unsigned char>(code[0])) << 24) |
           (static_cast<unsigned>(static_cast<unsigned char>(code[1])) << 16) |
           (static_cast<unsigned>(static_cast<unsigned char>(code[2])) << 8) |
           static_cast<unsigned>(static_cast<unsigned char>(code[3]));
}

const unsigned kMainEntityTypes[] = {FourCC("dfct"), FourCC("tstc"), FourCC("tstr"), FourCC("rqmt"), FourCC("rdmt")};
constexpr int kNumMainEntityTypes = sizeof(kMainEntityTypes) / sizeof(kMainEntityTypes[0]);

} // namespace

CVLApplicationSpecifics::CVLApplicationSpecifics()
{
    m_ProductName = g_cszProductNameVLPro;
    m_ClientConfigFile = "/etc/vlclient.conf";
}

CVLApplicationSpecifics::~CVLApplicationSpecifics() = default;

const char* CVLApplicationSpecifics::GetServerDbDir() const { return "VLServDb/"; }
const char* CVLApplicationSpecifics::GetProjectsSubDir() const { return "VLDbs/"; }
const char* CVLApplicationSpecifics::GetInstallersFolder() const { return "installers/"; }

std::vector<unsigned> CVLApplicationSpecifics::GetSupportedProducts() const
{
    return {kMolvarProductVLPro, kMolvarProductVLTCM, kMolvarProductVLRM, kMolvarProductRMWeb, kMolvarProductSuite};
}

const char* CVLApplicationSpecifics::GetProductStr(unsigned productFlag) const
{
    switch (productFlag) {
    case kMolvarProductVLPro: return g_cszSubProductNameVLPro;
    case kMolvarProductVLTCM: return g_cszSubProductNameVLTCM;
    case kMolvarProductVLRM: return g_cszSubProductNameVLRM;
    case kMolvarProductRMWeb: return g_cszRMWeb;
    case kMolvarProductSuite: return g_cszSubProductNameSuite;
    default: return "";
    }
}

bool CVLApplicationSpecifics::IsSupported(unsigned) const { return true; }
bool CVLApplicationSpecifics::IsSupported(unsigned, unsigned short) const { return true; }
bool CVLApplicationSpecifics::IsSupported(int) const { return true; }

CVLString& CVLApplicationSpecifics::ReplaceAppSpecificCodesInCVLString(CVLString& text) const
{
    return ReplaceCodesFromMap(GetAppSpecificCodesToValueMap(), text);
}

QString& CVLApplicationSpecifics::ReplaceAppSpecificCodesInQString(QString& text) const
{
    return ReplaceCodesFromMap(GetAppSpecificCodesToValueMap(), text);
}

const char* CVLApplicationSpecifics::GetDTDDataName() const { return "VarnelData"; }
const char* CVLApplicationSpecifics::GetDefaultCustomerDetailStylesheet() const { return "CustomerDetailReport.xslt"; }
const char* CVLApplicationSpecifics::GetDefaultDefectDetailStylesheet() const { return "IssueDetailReport.xslt"; }
const char* CVLApplicationSpecifics::GetCustomerDetailStylesheetID() const { return "\"customer\""; }
const char* CVLApplicationSpecifics::GetDefectDetailStylesheetID() const { return "\"defect\""; }
const char* CVLApplicationSpecifics::GetDefaultTestCaseDetailStylesheet() const { return "TestCaseDetailReport.xslt"; }
const char* CVLApplicationSpecifics::GetDefaultTestRunDetailStylesheet() const { return "TestRunDetailReport.xslt"; }
const char* CVLApplicationSpecifics::GetTestCaseDetailStylesheetID() const { return "\"test-case\""; }
const char* CVLApplicationSpecifics::GetTestRunDetailStylesheetID() const { return "\"test-run\""; }
const char* CVLApplicationSpecifics::GetTempFileNameAndPathUnix() const { return "/tmp/VLcgiXXXXXX"; }
const char* CVLApplicationSpecifics::GetTempFileNameUnix() const { return "vlcgi_tmp.tmp"; }

int CVLApplicationSpecifics::GetNumMainEntityTypes() { return kNumMainEntityTypes; }

unsigned CVLApplicationSpecifics::GetMainEntityTypeAt(int index)
{
    return (index >= 0 && index < kNumMainEntityTypes) ? kMainEntityTypes[index] : 0;
}

int CVLApplicationSpecifics::GetMainEntityTypeOrder(unsigned code)
{
    for (int i = 0; i < kNumMainEntityTypes; ++i) {
        if (kMainEntityTypes[i] == code)
            return i;
    }
    return -1;
}

bool CVLApplicationSpecifics::IsMainEntityType(unsigned code) { return GetMainEntityTypeOrder(code) >= 0; }

bool CVLApplicationSpecifics::DoesCoreItemTypeSupportChangelists(unsigned code)
{
    return code == FourCC("dfct") || code == FourCC("rqmt") || code == FourCC("tstc");
}
