#include "CVLApplicationSpecifics.h"
#include "VLErrorMsgHelper.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Str(const CVLString& s)
{
    return std::string(s.GetBufferPtr(), s.GetLength());
}

struct CatalogueRow
{
    unsigned char code;
    const char* title;
    const char* message;
};

// clang-format off
const CatalogueRow kRows[] = {
    {0,   "No Error", "No Error occurred."},
    {3,   "Invalid Username or Password", "The username or password you entered is not recognized. Enter a valid username and password."},
    {178, "Invalid Username or Password", "The username or password you entered is not recognized. Enter a valid username and password."},
    {8,   "", "You are already logged in.\nDo you want to log out from the existing session?"},
    {9,   "Cannot Connect to the %GNSRV%", "%PRDNM% cannot connect to the %GNSRV%. Contact your %PRDNM% administrator to make sure the server is running and the connection information is correct."},
    {24,  " Merge Conflicts Occurred", nullptr},
    {25,  "Error", "Error 25 has occurred."},
    {104, " Report File Too Large", nullptr},
    {134, "", ""},
    {174, "Invalid Hyperlink", "The %PRDNM% hyperlink not valid."},
    {196, "Server Busy", "The action was not completed because the %PRDNM% Server is busy."},
    {216, "Database Not Available", "The request was not completed because there were no RDBMS connections available. Please try again later. Contact your %PRDNM% administrator if the issue continues."},
    {244, "", "A duplicate project identifier was found on the %GNSRV%.\n\nDo you want to change the identifier for this project?"},
    {247, "Error", "An error occurred."},
    {250, "Error", "Error 250 has occurred."},
    {255, "Error", "An unknown error occurred."},
};
// clang-format on

} // namespace

TEST(ErrorCatalogue, TitlesAndMessages)
{
    for (const CatalogueRow& row : kRows) {
        CVLString title("old"), message("old");
        VLErrorMsgHelper::GetDefaultErrorMessage(row.code, title, message);
        EXPECT_EQ(Str(title), row.title) << int(row.code);
        if (row.message) {
            EXPECT_EQ(Str(message), row.message) << int(row.code);
        }
        CVLString only("old");
        VLErrorMsgHelper::GetDefaultErrorMessage(row.code, only);
        EXPECT_EQ(Str(only), Str(message)) << int(row.code);
    }
}

TEST(ErrorCatalogue, CoversExactly105CodesAndSharedRowsAgree)
{
    int covered = 0;
    for (int code = 0; code < 256; ++code) {
        unsigned char c = static_cast<unsigned char>(code);
        if (!VLErrorMsgHelper::HasCatalogueEntry(c)) {
            CVLString title, message;
            VLErrorMsgHelper::GetDefaultErrorMessage(c, title, message);
            EXPECT_EQ(Str(message), "Error " + std::to_string(code) + " has occurred.");
            continue;
        }
        ++covered;
    }
    EXPECT_EQ(covered, 105);

    CVLString t3, m3, t4, m4;
    VLErrorMsgHelper::GetDefaultErrorMessage(3, t3, m3);
    VLErrorMsgHelper::GetDefaultErrorMessage(4, t4, m4);
    EXPECT_EQ(Str(t3), Str(t4));
    EXPECT_EQ(Str(m3), Str(m4));
    // Rows that share a title keep messages of their own.
    CVLString t177, m177, t179, m179;
    VLErrorMsgHelper::GetDefaultErrorMessage(177, t177, m177);
    VLErrorMsgHelper::GetDefaultErrorMessage(179, t179, m179);
    EXPECT_EQ(Str(t177), Str(t179));
    EXPECT_NE(Str(m177), Str(m179));
}

TEST(ErrorCatalogue, DisplayFormReplacesPlaceholders)
{
    CVLApplicationSpecifics specifics;
    CVLString title, message;
    VLErrorMsgHelper::GetErrorMessageForDisplay(9, title, message);
    EXPECT_EQ(Str(title), "Cannot Connect to the Corvane ALM Server");
    EXPECT_EQ(Str(message), "Corvane ALM cannot connect to the Corvane ALM Server. Contact your Corvane ALM "
                            "administrator to make sure the server is running and the connection information is correct.");
    // The catalogue itself still hands the codes out.
    VLErrorMsgHelper::GetDefaultErrorMessage(9, title, message);
    EXPECT_NE(Str(message).find("%GNSRV%"), std::string::npos);
}
