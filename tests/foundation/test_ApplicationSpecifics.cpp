#include "CApplicationSpecifics.h"
#include "CQtDatabaseUtils.h"
#include "CServerDbLocation.h"
#include "CVLApplicationSpecifics.h"
#include "CVLDbRDBMSConnection.h"
#include "ProjectUtils.h"
#include "VLProductNames.h"

#include <gtest/gtest.h>

#include <QString>

#include <string>

namespace {

std::string Str(const CVLString& s)
{
    return std::string(s.GetBufferPtr(), s.GetLength());
}

class AppSpecificsTest : public ::testing::Test
{
protected:
    CVLApplicationSpecifics m_specifics;
};

struct ReplaceRow
{
    const char* name;
    const char* input;
    const char* expected;
};

// clang-format off
const ReplaceRow kReplaceRows[] = {
    {"product",        "The %PRDNM% CGI URL you entered is valid.", "The Corvane ALM CGI URL you entered is valid."},
    {"forms",          "%SNPRO_LC% and %SNTCM_FU%",                 "issue management and Test case management"},
    {"lowerCaseCode",  "%prdnm% stays",                             "%prdnm% stays"},
    {"unknownCode",    "%XYZ% stays",                               "%XYZ% stays"},
    {"appNameEmpty",   "[%APPNM%]",                                 "[]"},
    {"stray percent",  "100% of %GCOMPNM%%GCOMPNML%",               "100% of CorvaneCorvane Software"},
    {"repeated",       "%GNSRV%/%GNSRV%",                           "Corvane ALM Server/Corvane ALM Server"},
    {"fixedNames",     "%VLNCN% %GNWAD% %SCTRL_F% %QUILLETPRDNM%",  "Corvane ALM Client vlp Source control Quillet"},
    {"review",         "%GRMWB%, %GRMWB_FU%, %GRMWB_LC%",           "Requirements Review, Requirements review, requirements review"},
    {"halfCode",       "%PRDNM",                                    "%PRDNM"},
    {"empty",          "",                                          ""},
};
// clang-format on

} // namespace

TEST_F(AppSpecificsTest, ReplacesPlaceholderCodesInBothStringTypes)
{
    for (const ReplaceRow& row : kReplaceRows) {
        CVLString text(row.input);
        EXPECT_EQ(Str(ReplaceAppSpecificCodesInCVLString(text)), row.expected) << row.name;
        QString qtext = QString::fromUtf8(row.input);
        EXPECT_EQ(ReplaceAppSpecificCodesInQString(qtext).toStdString(), row.expected) << row.name;
    }
}

TEST_F(AppSpecificsTest, MapIsOrderedByteWiseAndNonEmptyValuesAreKnown)
{
    const AppSpecificCodesMap& codes = GetAppSpecificCodesToValueMap();
    ASSERT_EQ(codes.size(), 46u);
    std::string previous;
    for (const auto& entry : codes) {
        std::string code = Str(entry.first);
        EXPECT_LT(previous, code);
        previous = code;
        EXPECT_EQ(code.front(), '%');
        EXPECT_EQ(code.back(), '%');
        if (code != "%APPNM%") {
            EXPECT_GT(entry.second.GetLength(), 0u) << code;
        }
    }
    EXPECT_EQ(Str(codes.at(CVLString("%VLPRD%"))), "Corvane ALM");
    EXPECT_EQ(Str(codes.at(CVLString("%GPRWA%"))), "a Corvane ALM");
    EXPECT_EQ(&GetAppSpecificCodesToValueMap(), &codes);
}

TEST(AppSpecifics, RegistrationAndNoObjectLeavesTextAlone)
{
    ASSERT_EQ(g_spApplicationSpecifics, nullptr);
    CVLString text("%PRDNM%");
    EXPECT_EQ(Str(ReplaceAppSpecificCodesInCVLString(text)), "%PRDNM%");
    QString qtext("%PRDNM%");
    EXPECT_EQ(ReplaceAppSpecificCodesInQString(qtext), QString("%PRDNM%"));
    {
        CVLApplicationSpecifics specifics;
        EXPECT_EQ(g_spApplicationSpecifics, &specifics);
        EXPECT_EQ(Str(specifics.GetProductName()), "Corvane ALM");
        EXPECT_EQ(specifics.GetApplicationName().GetLength(), 0u);
        EXPECT_EQ(specifics.GetClientType(), 0);
        EXPECT_EQ(Str(specifics.GetStartupLogName()), "Startup.log");
        EXPECT_EQ(Str(specifics.GetNumberedStartupLogName()), "Startup.%d.log");
        EXPECT_EQ(Str(specifics.GetClientConfigFile()), "/etc/vlclient.conf");
        specifics.SetClientConfigFile(CVLString("/tmp/elsewhere/vlclient.conf"));
        EXPECT_EQ(Str(g_spApplicationSpecifics->GetClientConfigFile()), "/tmp/elsewhere/vlclient.conf");
    }
    EXPECT_EQ(g_spApplicationSpecifics, nullptr);
}

TEST_F(AppSpecificsTest, ConstantsAndItemTypes)
{
    EXPECT_STREQ(m_specifics.GetServerDbDir(), "VLServDb/");
    EXPECT_STREQ(m_specifics.GetCustomerDetailStylesheetID(), "\"customer\"");
    EXPECT_EQ(strlen(m_specifics.GetCustomerDetailStylesheetID()), 10u);
    EXPECT_STREQ(m_specifics.GetTempFileNameAndPathUnix(), "/tmp/VLcgiXXXXXX");
    EXPECT_EQ(m_specifics.GetSupportedProducts(), (std::vector<unsigned>{1, 4, 8, 16, 32}));
    EXPECT_STREQ(m_specifics.GetProductStr(kMolvarProductVLTCM), "Test Case Management");
    EXPECT_STREQ(m_specifics.GetProductStr(kMolvarProductRMWeb), "Requirements Review");
    EXPECT_STREQ(m_specifics.GetProductStr(kMolvarProductSuite), "Corvane ALM suite");
    EXPECT_STREQ(m_specifics.GetProductStr(2), "");

    const unsigned dfct = 0x64666374u, tstc = 0x74737463u, rdmt = 0x72646D74u, rqmt = 0x72716D74u;
    EXPECT_EQ(CVLApplicationSpecifics::GetNumMainEntityTypes(), 5);
    EXPECT_EQ(CVLApplicationSpecifics::GetMainEntityTypeAt(0), dfct);
    EXPECT_EQ(CVLApplicationSpecifics::GetMainEntityTypeAt(4), rdmt);
    EXPECT_EQ(CVLApplicationSpecifics::GetMainEntityTypeAt(5), 0u);
    EXPECT_EQ(CVLApplicationSpecifics::GetMainEntityTypeAt(-1), 0u);
    EXPECT_EQ(CVLApplicationSpecifics::GetMainEntityTypeOrder(rqmt), 3);
    EXPECT_EQ(CVLApplicationSpecifics::GetMainEntityTypeOrder(0x78787878u), -1);
    EXPECT_TRUE(CVLApplicationSpecifics::IsMainEntityType(tstc));
    EXPECT_TRUE(CVLApplicationSpecifics::DoesCoreItemTypeSupportChangelists(rqmt));
    EXPECT_FALSE(CVLApplicationSpecifics::DoesCoreItemTypeSupportChangelists(rdmt));
}

TEST(ClientTypes, Names)
{
    struct Row
    {
        unsigned short code;
        const char* name;
    };
    // clang-format off
    const Row rows[] = {
        {35, "URL Redirector"},   {70, "Unknown [70]"},     {1, "Native Client"},
        {39, "SCM Corvane ALM Integration"},                {67, "ReqIF Service"},
        {0, "Unknown [0]"},       {2, "Unknown [2]"},       {40, "Unknown [40]"},
        {65535, "Unknown [65535]"},
    };
    // clang-format on
    for (const Row& row : rows) {
        CVLString name("old");
        EXPECT_EQ(Str(GetClientTypeString(row.code, name)), row.name) << row.code;
    }
    EXPECT_EQ(kClientTypeURLRedirector, 35);
}

TEST_F(AppSpecificsTest, DatabaseAndPlatformNames)
{
    CVLString name("left");
    EXPECT_EQ(Str(CQtDatabaseUtils::GetDatabaseTypeName(kMVDBType_Native, name)), "Corvane ALM Native");
    EXPECT_EQ(Str(CQtDatabaseUtils::GetDatabaseTypeName(kMVDBType_SQLServer, name)), "ODBC - SQL Server");
    EXPECT_EQ(Str(CQtDatabaseUtils::GetDatabaseTypeName(static_cast<MVDBType>(3), name)), "Unknown");
    name = "left";
    EXPECT_EQ(Str(CQtDatabaseUtils::GetDatabaseTypeName(static_cast<MVDBType>(8), name)), "left");
    EXPECT_EQ(Str(CQtDatabaseUtils::GetQTDriverForDBType(kMVDBType_PostgreSQL, name)), "QPSQL");
    EXPECT_EQ(Str(CQtDatabaseUtils::GetQTDriverForDBType(static_cast<MVDBType>(4), name)), "");
    EXPECT_EQ(Str(CQtDatabaseUtils::GetServerTypeName(7, name)), "Linux x64");
    EXPECT_EQ(Str(CQtDatabaseUtils::GetServerTypeName(9, name)), "MacOSX");
    EXPECT_EQ(Str(CQtDatabaseUtils::GetServerTypeName(10, name)), "");
    EXPECT_EQ(Str(CServerDbLocation::GetDatabaseVendorName(kMVDBVendor_SQLite)), "SQLite");
    EXPECT_EQ(Str(CServerDbLocation::GetDatabaseVendorName(static_cast<MVDBVendorType>(9))), "Unknown");
    EXPECT_EQ(Str(CVLDbRDBMSConnection::GetConnectionTypeString(0)), "ODBC - SQL Server");
    EXPECT_EQ(Str(CVLDbRDBMSConnection(2).GetConnectionTypeString()), "Unsupported");
    EXPECT_EQ(Str(CVLDbRDBMSConnection(5).GetConnectionTypeString()), "Unsupported");
    name = "kept %PRDNM%";
    EXPECT_EQ(Str(ProjectUtils::GetTypeString(static_cast<CVLDbProject::VLProjType>(1), name)), "kept Corvane ALM");
    EXPECT_EQ(Str(ProjectUtils::GetTypeString(CVLDbProject::kProjType_Native, name)), "Corvane ALM Native");
}
