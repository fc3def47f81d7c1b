#include "VLErrorMsgHelper.h"

#include "CApplicationSpecifics.h"
#include "CVLString.h"

#include <QObject>
#include <QString>

namespace {

// One row of the catalogue: up to three codes that share a title and a message. Unused
// code slots hold -1.
struct ErrorRow
{
    int codes[3];
    const char* title;
    const char* message;
};

// Marks the texts for the translation tools; they are looked up with QObject::tr.
#define VL_TR(text) QT_TRANSLATE_NOOP("QObject", text)

// clang-format off
const ErrorRow kErrorRows[] = {
    {{0, -1, -1}, VL_TR("No Error"), VL_TR("No Error occurred.")},
    {{1, -1, -1}, VL_TR("Cannot Open Project"), VL_TR("The project is either not available on the server or the name is incorrect. Contact your %PRDNM% administrator for help.")},
    {{2, -1, -1}, VL_TR("Action Not Performed"), VL_TR("The action could not be performed. Try again or contact your %PRDNM% administrator for help.")},
    {{3, 4, 178}, VL_TR("Invalid Username or Password"), VL_TR("The username or password you entered is not recognized. Enter a valid username and password.")},
    {{5, -1, -1}, VL_TR("Insufficient Security"), VL_TR("You do not have permission to perform this action.")},
    {{6, -1, -1}, VL_TR("Item Not Found"), VL_TR("The specified item was not found. The item may have been deleted.")},
    {{7, -1, -1}, VL_TR("Action Not Completed"), VL_TR("The action was not completed. Try again or contact your %PRDNM% administrator for help.")},
    {{8, -1, -1}, "", VL_TR("You are already logged in.\nDo you want to log out from the existing session?")},
    {{9, -1, -1}, VL_TR("Cannot Connect to the %GNSRV%"), VL_TR("%PRDNM% cannot connect to the %GNSRV%. Contact your %PRDNM% administrator to make sure the server is running and the connection information is correct.")},
    {{10, -1, -1}, VL_TR("Cannot Connect to %PRDNM% Server"), VL_TR("%PRDNM% cannot connect to the %GNSRV%. Contact your %PRDNM% administrator to verify that the %GNSRV% is running.")},
    {{11, -1, -1}, "", VL_TR("The item is locked by another user. Try again later.")},
    {{12, -1, -1}, VL_TR("Cannot Access Database"), VL_TR("The project database cannot be accessed. Contact your %PRDNM% administrator for help.")},
    {{13, -1, -1}, VL_TR("Cannot Open Database"), VL_TR("The project database cannot be opened. Contact your %PRDNM% administrator for help.")},
    {{14, -1, -1}, VL_TR("Missing Web Page"), VL_TR("A web page is missing from your configuration. Verify that all %PRDNM% web pages are installed on your web server.")},
    {{15, -1, -1}, VL_TR("Action Not Supported"), VL_TR("The action is not supported by the %GNSRV%.")},
    {{16, 247, -1}, VL_TR("Error"), VL_TR("An error occurred.")},
    {{17, -1, -1}, VL_TR("Not Logged In"), VL_TR("You are not logged in to the project. Your session was dropped.")},
    {{18, -1, -1}, VL_TR("Cannot Perform Action on Multiple Items"), VL_TR("This action cannot be performed on more than one item at a time. Select a single item and try again.")},
    {{19, -1, -1}, VL_TR("Item Locked"), VL_TR("The item is locked by another user. Try again later.")},
    {{20, -1, -1}, VL_TR("Invalid Request"), VL_TR("The request sent to the %GNSRV% is not valid. Contact your %PRDNM% administrator for help.")},
    {{21, -1, -1}, VL_TR("Cannot Add Item"), VL_TR("The item cannot be added. Contact your %PRDNM% administrator for help.")},
    {{22, -1, -1}, VL_TR("Cannot Edit Item"), VL_TR("The item cannot be edited because another user is editing it. Try again later.")},
    {{23, -1, -1}, VL_TR("Cannot Save Data"), VL_TR("The data could not be saved. Contact your %PRDNM% administrator for help.")},
    {{24, -1, -1}, VL_TR(" Merge Conflicts Occurred"), VL_TR("Merge conflicts occurred while saving the item. Resolve the conflicts and try again.")},
    {{26, -1, -1}, "", VL_TR("The %GNSRV% could not read the request. Try again or contact your %PRDNM% administrator for help.")},
    {{27, -1, -1}, "", VL_TR("The response from the %GNSRV% could not be read. Try again or contact your %PRDNM% administrator for help.")},
    {{28, -1, -1}, "", VL_TR("The %GNSRV% could not create a temporary file. Contact your %PRDNM% administrator for help.")},
    {{29, -1, -1}, "", VL_TR("The %GNSRV% ran out of memory while processing the request. Contact your %PRDNM% administrator for help.")},
    {{30, -1, -1}, VL_TR("Email Server Not Available"), VL_TR("The email server is not available. Contact your %PRDNM% administrator to verify the email server settings.")},
    {{31, -1, -1}, VL_TR("Cannot Send Email"), VL_TR("The email could not be sent. Contact your %PRDNM% administrator to verify the email server settings.")},
    {{32, -1, -1}, VL_TR("Invalid Email Address"), VL_TR("The email address is not valid. Enter a valid email address.")},
    {{63, -1, -1}, "", VL_TR("The item was changed by another user. Reload the item and try again.")},
    {{64, -1, -1}, VL_TR("Item Changed"), VL_TR("The item was changed since you opened it. Reload the item and try again.")},
    {{65, -1, -1}, VL_TR("Field Not Found"), VL_TR("The specified field was not found. The field may have been deleted.")},
    {{68, -1, -1}, VL_TR("%PRDNM%"), VL_TR("There were no release notes to return.")},
    {{75, -1, -1}, VL_TR("Cannot Lock Project"), VL_TR("The project cannot be locked because it is in use. Try again later.")},
    {{76, -1, -1}, VL_TR("Action canceled"), VL_TR("The action was canceled.")},
    {{77, -1, -1}, VL_TR("Action Timed Out"), VL_TR("The action did not complete in time. Try again later.")},
    {{86, -1, -1}, VL_TR("Name Already In Use"), VL_TR("The name is already in use. Enter a different name.")},
    {{87, -1, -1}, VL_TR("Invalid Name"), VL_TR("The name is not valid. Enter a different name.")},
    {{100, -1, -1}, VL_TR("Cannot Create Report Temp File"), VL_TR("The temporary file for the report cannot be created on the %GNSRV%. Contact your %PRDNM% administrator for help.")},
    {{101, -1, -1}, VL_TR("Stylesheet Not Available"), VL_TR("The selected stylesheet is not available on the %GNSRV%. Select a different stylesheet.")},
    {{102, -1, -1}, VL_TR("Invalid Stylesheet Selected"), VL_TR("The selected stylesheet is not valid. Select a different stylesheet.")},
    {{103, -1, -1}, VL_TR("Cannot Generate Report"), VL_TR("The report cannot be generated. Contact your %PRDNM% administrator for help.")},
    {{104, -1, -1}, VL_TR(" Report File Too Large"), VL_TR("The report file is too large to display. Select fewer items and try again.")},
    {{105, -1, -1}, VL_TR("Chart Data Not Valid"), VL_TR("The chart data is not valid. Check the chart settings and try again.")},
    {{106, 196, -1}, VL_TR("Server Busy"), VL_TR("The action was not completed because the %PRDNM% Server is busy.")},
    {{107, -1, -1}, VL_TR("Error"), VL_TR("An error occurred while processing the request.")},
    {{108, -1, -1}, VL_TR("Inactive User"), VL_TR("You cannot log in because your user account is inactive. Contact your %PRDNM% administrator for help.")},
    {{109, -1, -1}, VL_TR("User Not Found"), VL_TR("The specified user was not found. The user may have been deleted.")},
    {{110, -1, -1}, VL_TR("License Expired"), VL_TR("The %PRDNM% license has expired. Contact your %PRDNM% administrator for help.")},
    {{111, -1, -1}, "", VL_TR("Your license does not allow this action. Contact your %PRDNM% administrator for help.")},
    {{128, -1, -1}, "", VL_TR("The item is in use by another user. Try again later.")},
    {{129, -1, -1}, "", VL_TR("The item was changed on the server. Reload the item and try again.")},
    {{130, -1, -1}, VL_TR("Cannot Load Project"), VL_TR("The project cannot be loaded. Contact your %PRDNM% administrator for help.")},
    {{134, -1, -1}, "", ""},
    {{148, -1, -1}, VL_TR("Password Expired"), VL_TR("Your password has expired. Enter a new password.")},
    {{149, -1, -1}, VL_TR("Invalid Password"), VL_TR("The password does not meet the password requirements. Enter a different password.")},
    {{157, -1, -1}, VL_TR("Passwords Do Not Match"), VL_TR("The passwords you entered do not match. Enter the same password in both fields.")},
    {{158, -1, -1}, VL_TR("Cannot Promote to Global User"), VL_TR("The user cannot be promoted to a global user because a global user with the same username already exists.")},
    {{159, -1, -1}, VL_TR("Cannot Change Global User"), VL_TR("The global user cannot be changed to a project user.")},
    {{161, -1, -1}, "", VL_TR("The %GNSRV% is shutting down. Try again later.")},
    {{171, -1, -1}, VL_TR("Spell Check Not Available"), VL_TR("Spell checking is not available. Contact your %PRDNM% administrator for help.")},
    {{174, -1, -1}, VL_TR("Invalid Hyperlink"), VL_TR("The %PRDNM% hyperlink not valid.")},
    {{175, -1, -1}, VL_TR("Hyperlinks Not Available"), VL_TR("You cannot log in because logging in with hyperlink is not enabled. Contact your %PRDNM% administrator for help.")},
    {{176, -1, -1}, VL_TR("Hyperlink Item Not Found"), VL_TR("The item in the hyperlink was not found. The item may have been deleted.")},
    {{177, -1, -1}, VL_TR("Cannot Log In with Hyperlink"), VL_TR("You are already logged in to %PRDNM% and editing an item. Log out and then retry the hyperlink.")},
    {{179, -1, -1}, VL_TR("Cannot Log In with Hyperlink"), VL_TR("The specified username does not match the username the hyperlink was created for.")},
    {{184, -1, -1}, VL_TR("Valid URL"), VL_TR("The %PRDNM% CGI URL you entered is valid.")},
    {{185, -1, -1}, VL_TR("Invalid Signature"), VL_TR("The signature is not valid. Enter your username and password again.")},
    {{186, -1, -1}, "", VL_TR("Automatic login is disabled for this project due to compliance requirements.")},
    {{187, -1, -1}, VL_TR("Incorrect Password Confirmation"), VL_TR("The password confirmation is not correct. Enter your password again.")},
    {{188, -1, -1}, VL_TR("Account Locked"), VL_TR("Your account is locked because of too many failed login attempts. Contact your %PRDNM% administrator for help.")},
    {{199, -1, -1}, VL_TR("%GNSRV% Not Available"), VL_TR("The %GNSRV% is not available because it is not configured correctly. Contact your %PRDNM% administrator for help.")},
    {{200, -1, -1}, VL_TR("Server Version Mismatch"), VL_TR("The version of the %GNSRV% does not match this version of %PRDNM%. Contact your %PRDNM% administrator for help.")},
    {{202, -1, -1}, VL_TR("Too Many Items Requested"), VL_TR("Too many items were requested. Select fewer items and try again.")},
    {{203, -1, -1}, "", VL_TR("The request timed out. Try again later.")},
    {{204, -1, -1}, VL_TR("Project Not Available"), VL_TR("The selected project is currently loading, upgrading, or converting. Please try again later or contact your %PRDNM% administrator for help.")},
    {{205, -1, -1}, VL_TR("Cannot Log In"), VL_TR("You cannot log in because all licenses are in use. Try again later or contact your %PRDNM% administrator for help.")},
    {{206, -1, -1}, VL_TR("Server Database Conversion"), VL_TR("The server database is being converted. Try again later or contact your %PRDNM% administrator for help.")},
    {{207, -1, -1}, VL_TR("Cannot Log In"), VL_TR("You cannot log in because your license is not valid. Contact your %PRDNM% administrator for help.")},
    {{208, -1, -1}, VL_TR("Cannot Log In"), VL_TR("You cannot log in from this computer. Contact your %PRDNM% administrator for help.")},
    {{212, -1, -1}, "", VL_TR("The %GNAUN% is already connected to the %GNSRV%.")},
    {{215, -1, -1}, VL_TR("Database Not Available"), VL_TR("The %GNSRV% cannot communicate with the RDBMS server. Contact your %PRDNM% administrator for help.")},
    {{216, -1, -1}, VL_TR("Database Not Available"), VL_TR("The request was not completed because there were no RDBMS connections available. Please try again later. Contact your %PRDNM% administrator if the issue continues.")},
    {{217, -1, -1}, VL_TR("Database Not Available"), VL_TR("The request cannot be completed because the RDBMS connection pool was busy. Please try again later. Contact your %PRDNM% administrator if the issue continues.")},
    {{219, -1, -1}, "", VL_TR("The project directory specified is not valid. Enter a different directory.")},
    {{220, -1, -1}, "", VL_TR("The project directory specified is too long, the maximum path length allowed is 247 characters.")},
    {{221, -1, -1}, VL_TR("Cannot Delete Item"), VL_TR("The item cannot be deleted because it is in use. Try again later.")},
    {{223, -1, -1}, "", VL_TR("The request is not supported by this version of the %GNSRV%. Contact your %PRDNM% administrator for help.")},
    {{229, -1, -1}, VL_TR("Login Limit Met"), VL_TR("You cannot log in because you have met the maximum number of logins allowed.")},
    {{232, -1, -1}, VL_TR("Cannot Log In"), VL_TR("You cannot log in because the project is locked. Try again later.")},
    {{233, -1, -1}, VL_TR("Item Name Already Exists"), VL_TR("An item with this name already exists. Enter a different name.")},
    {{236, -1, -1}, VL_TR("Event Not Added"), VL_TR("The event was not added. Check the event details and try again.")},
    {{240, -1, -1}, VL_TR("Invalid Published Filter Restriction"), VL_TR("The restriction of the published filter is not valid. Select a different filter.")},
    {{241, -1, -1}, "", VL_TR("Enclave SCM must be upgraded before this request can be completed.")},
    {{242, -1, -1}, VL_TR("Filter Not Found"), VL_TR("The specified filter was not found. The filter may have been deleted.")},
    {{244, -1, -1}, "", VL_TR("A duplicate project identifier was found on the %GNSRV%.\n\nDo you want to change the identifier for this project?")},
    {{245, -1, -1}, VL_TR("%PRDNM% CGI Error"), VL_TR("A CGI executable error occurred. Contact your %PRDNM% administrator for help.")},
    {{246, -1, -1}, VL_TR("Stateless Authorization Token Expired"), VL_TR("The authorization token is expired. Log in again to refresh the token.")},
    {{255, -1, -1}, VL_TR("Error"), VL_TR("An unknown error occurred.")},
};
// clang-format on

#undef VL_TR

const ErrorRow* FindRow(unsigned char code)
{
    for (const ErrorRow& row : kErrorRows) {
        for (int rowCode : row.codes) {
            if (rowCode == code)
                return &row;
        }
    }
    return nullptr;
}

void SetTranslated(CVLString& out, const char* text)
{
    if (text[0] == '\0')
        out.Empty(0);
    else
        out = CVLString(QObject::tr(text));
}

} // namespace

void VLErrorMsgHelper::GetDefaultErrorMessage(unsigned char code, CVLString& title, CVLString& message)
{
    title.Empty(0);
    message.Empty(0);
    if (const ErrorRow* row = FindRow(code)) {
        SetTranslated(title, row->title);
        SetTranslated(message, row->message);
        return;
    }
    title = CVLString(QObject::tr("Error"));
    message = CVLString(QObject::tr("Error %1 has occurred.").arg(static_cast<unsigned>(code)));
}

void VLErrorMsgHelper::GetDefaultErrorMessage(unsigned char code, CVLString& message)
{
    CVLString title;
    GetDefaultErrorMessage(code, title, message);
}

void VLErrorMsgHelper::GetErrorMessageForDisplay(unsigned char code, CVLString& title, CVLString& message)
{
    GetDefaultErrorMessage(code, title, message);
    ReplaceAppSpecificCodesInCVLString(title);
    ReplaceAppSpecificCodesInCVLString(message);
}

bool VLErrorMsgHelper::HasCatalogueEntry(unsigned char code)
{
    return FindRow(code) != nullptr;
}
