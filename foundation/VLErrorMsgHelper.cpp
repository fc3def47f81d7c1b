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

// Marked for the translation tools; they are looked up with QObject::tr.

// clang-format off
const ErrorRow kErrorRows[] = {
    {{0, -1, -1}, QT_TRANSLATE_NOOP("QObject", "No Error"), QT_TRANSLATE_NOOP("QObject", "No Error occurred.")},
    {{1, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Cannot Open Project"), QT_TRANSLATE_NOOP("QObject", "The project is either not available on the server or the name is incorrect. Contact your %PRDNM% administrator for help.")},
    {{2, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Action Not Performed"), QT_TRANSLATE_NOOP("QObject", "The action could not be performed. Try again or contact your %PRDNM% administrator for help.")},
    {{3, 4, 178}, QT_TRANSLATE_NOOP("QObject", "Invalid Username or Password"), QT_TRANSLATE_NOOP("QObject", "The username or password you entered is not recognized. Enter a valid username and password.")},
    {{5, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Insufficient Security"), QT_TRANSLATE_NOOP("QObject", "You do not have permission to perform this action.")},
    {{6, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Item Not Found"), QT_TRANSLATE_NOOP("QObject", "The specified item was not found. The item may have been deleted.")},
    {{7, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Action Not Completed"), QT_TRANSLATE_NOOP("QObject", "The action was not completed. Try again or contact your %PRDNM% administrator for help.")},
    {{8, -1, -1}, "", QT_TRANSLATE_NOOP("QObject", "You are already logged in.\nDo you want to log out from the existing session?")},
    {{9, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Cannot Connect to the %GNSRV%"), QT_TRANSLATE_NOOP("QObject", "%PRDNM% cannot connect to the %GNSRV%. Contact your %PRDNM% administrator to make sure the server is running and the connection information is correct.")},
    {{10, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Cannot Connect to %PRDNM% Server"), QT_TRANSLATE_NOOP("QObject", "%PRDNM% cannot connect to the %GNSRV%. Contact your %PRDNM% administrator to verify that the %GNSRV% is running.")},
    {{11, -1, -1}, "", QT_TRANSLATE_NOOP("QObject", "The item is locked by another user. Try again later.")},
    {{12, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Cannot Access Database"), QT_TRANSLATE_NOOP("QObject", "The project database cannot be accessed. Contact your %PRDNM% administrator for help.")},
    {{13, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Cannot Open Database"), QT_TRANSLATE_NOOP("QObject", "The project database cannot be opened. Contact your %PRDNM% administrator for help.")},
    {{14, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Missing Web Page"), QT_TRANSLATE_NOOP("QObject", "A web page is missing from your configuration. Verify that all %PRDNM% web pages are installed on your web server.")},
    {{15, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Action Not Supported"), QT_TRANSLATE_NOOP("QObject", "The action is not supported by the %GNSRV%.")},
    {{16, 247, -1}, QT_TRANSLATE_NOOP("QObject", "Error"), QT_TRANSLATE_NOOP("QObject", "An error occurred.")},
    {{17, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Not Logged In"), QT_TRANSLATE_NOOP("QObject", "You are not logged in to the project. Your session was dropped.")},
    {{18, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Cannot Perform Action on Multiple Items"), QT_TRANSLATE_NOOP("QObject", "This action cannot be performed on more than one item at a time. Select a single item and try again.")},
    {{19, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Item Locked"), QT_TRANSLATE_NOOP("QObject", "The item is locked by another user. Try again later.")},
    {{20, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Invalid Request"), QT_TRANSLATE_NOOP("QObject", "The request sent to the %GNSRV% is not valid. Contact your %PRDNM% administrator for help.")},
    {{21, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Cannot Add Item"), QT_TRANSLATE_NOOP("QObject", "The item cannot be added. Contact your %PRDNM% administrator for help.")},
    {{22, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Cannot Edit Item"), QT_TRANSLATE_NOOP("QObject", "The item cannot be edited because another user is editing it. Try again later.")},
    {{23, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Cannot Save Data"), QT_TRANSLATE_NOOP("QObject", "The data could not be saved. Contact your %PRDNM% administrator for help.")},
    {{24, -1, -1}, QT_TRANSLATE_NOOP("QObject", " Merge Conflicts Occurred"), QT_TRANSLATE_NOOP("QObject", "Merge conflicts occurred while saving the item. Resolve the conflicts and try again.")},
    {{26, -1, -1}, "", QT_TRANSLATE_NOOP("QObject", "The %GNSRV% could not read the request. Try again or contact your %PRDNM% administrator for help.")},
    {{27, -1, -1}, "", QT_TRANSLATE_NOOP("QObject", "The response from the %GNSRV% could not be read. Try again or contact your %PRDNM% administrator for help.")},
    {{28, -1, -1}, "", QT_TRANSLATE_NOOP("QObject", "The %GNSRV% could not create a temporary file. Contact your %PRDNM% administrator for help.")},
    {{29, -1, -1}, "", QT_TRANSLATE_NOOP("QObject", "The %GNSRV% ran out of memory while processing the request. Contact your %PRDNM% administrator for help.")},
    {{30, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Email Server Not Available"), QT_TRANSLATE_NOOP("QObject", "The email server is not available. Contact your %PRDNM% administrator to verify the email server settings.")},
    {{31, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Cannot Send Email"), QT_TRANSLATE_NOOP("QObject", "The email could not be sent. Contact your %PRDNM% administrator to verify the email server settings.")},
    {{32, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Invalid Email Address"), QT_TRANSLATE_NOOP("QObject", "The email address is not valid. Enter a valid email address.")},
    {{63, -1, -1}, "", QT_TRANSLATE_NOOP("QObject", "The item was changed by another user. Reload the item and try again.")},
    {{64, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Item Changed"), QT_TRANSLATE_NOOP("QObject", "The item was changed since you opened it. Reload the item and try again.")},
    {{65, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Field Not Found"), QT_TRANSLATE_NOOP("QObject", "The specified field was not found. The field may have been deleted.")},
    {{68, -1, -1}, QT_TRANSLATE_NOOP("QObject", "%PRDNM%"), QT_TRANSLATE_NOOP("QObject", "There were no release notes to return.")},
    {{75, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Cannot Lock Project"), QT_TRANSLATE_NOOP("QObject", "The project cannot be locked because it is in use. Try again later.")},
    {{76, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Action canceled"), QT_TRANSLATE_NOOP("QObject", "The action was canceled.")},
    {{77, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Action Timed Out"), QT_TRANSLATE_NOOP("QObject", "The action did not complete in time. Try again later.")},
    {{86, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Name Already In Use"), QT_TRANSLATE_NOOP("QObject", "The name is already in use. Enter a different name.")},
    {{87, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Invalid Name"), QT_TRANSLATE_NOOP("QObject", "The name is not valid. Enter a different name.")},
    {{100, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Cannot Create Report Temp File"), QT_TRANSLATE_NOOP("QObject", "The temporary file for the report cannot be created on the %GNSRV%. Contact your %PRDNM% administrator for help.")},
    {{101, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Stylesheet Not Available"), QT_TRANSLATE_NOOP("QObject", "The selected stylesheet is not available on the %GNSRV%. Select a different stylesheet.")},
    {{102, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Invalid Stylesheet Selected"), QT_TRANSLATE_NOOP("QObject", "The selected stylesheet is not valid. Select a different stylesheet.")},
    {{103, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Cannot Generate Report"), QT_TRANSLATE_NOOP("QObject", "The report cannot be generated. Contact your %PRDNM% administrator for help.")},
    {{104, -1, -1}, QT_TRANSLATE_NOOP("QObject", " Report File Too Large"), QT_TRANSLATE_NOOP("QObject", "The report file is too large to display. Select fewer items and try again.")},
    {{105, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Chart Data Not Valid"), QT_TRANSLATE_NOOP("QObject", "The chart data is not valid. Check the chart settings and try again.")},
    {{106, 196, -1}, QT_TRANSLATE_NOOP("QObject", "Server Busy"), QT_TRANSLATE_NOOP("QObject", "The action was not completed because the %PRDNM% Server is busy.")},
    {{107, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Error"), QT_TRANSLATE_NOOP("QObject", "An error occurred while processing the request.")},
    {{108, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Inactive User"), QT_TRANSLATE_NOOP("QObject", "You cannot log in because your user account is inactive. Contact your %PRDNM% administrator for help.")},
    {{109, -1, -1}, QT_TRANSLATE_NOOP("QObject", "User Not Found"), QT_TRANSLATE_NOOP("QObject", "The specified user was not found. The user may have been deleted.")},
    {{110, -1, -1}, QT_TRANSLATE_NOOP("QObject", "License Expired"), QT_TRANSLATE_NOOP("QObject", "The %PRDNM% license has expired. Contact your %PRDNM% administrator for help.")},
    {{111, -1, -1}, "", QT_TRANSLATE_NOOP("QObject", "Your license does not allow this action. Contact your %PRDNM% administrator for help.")},
    {{128, -1, -1}, "", QT_TRANSLATE_NOOP("QObject", "The item is in use by another user. Try again later.")},
    {{129, -1, -1}, "", QT_TRANSLATE_NOOP("QObject", "The item was changed on the server. Reload the item and try again.")},
    {{130, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Cannot Load Project"), QT_TRANSLATE_NOOP("QObject", "The project cannot be loaded. Contact your %PRDNM% administrator for help.")},
    {{134, -1, -1}, "", ""},
    {{148, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Password Expired"), QT_TRANSLATE_NOOP("QObject", "Your password has expired. Enter a new password.")},
    {{149, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Invalid Password"), QT_TRANSLATE_NOOP("QObject", "The password does not meet the password requirements. Enter a different password.")},
    {{157, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Passwords Do Not Match"), QT_TRANSLATE_NOOP("QObject", "The passwords you entered do not match. Enter the same password in both fields.")},
    {{158, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Cannot Promote to Global User"), QT_TRANSLATE_NOOP("QObject", "The user cannot be promoted to a global user because a global user with the same username already exists.")},
    {{159, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Cannot Change Global User"), QT_TRANSLATE_NOOP("QObject", "The global user cannot be changed to a project user.")},
    {{161, -1, -1}, "", QT_TRANSLATE_NOOP("QObject", "The %GNSRV% is shutting down. Try again later.")},
    {{171, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Spell Check Not Available"), QT_TRANSLATE_NOOP("QObject", "Spell checking is not available. Contact your %PRDNM% administrator for help.")},
    {{174, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Invalid Hyperlink"), QT_TRANSLATE_NOOP("QObject", "The %PRDNM% hyperlink not valid.")},
    {{175, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Hyperlinks Not Available"), QT_TRANSLATE_NOOP("QObject", "You cannot log in because logging in with hyperlink is not enabled. Contact your %PRDNM% administrator for help.")},
    {{176, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Hyperlink Item Not Found"), QT_TRANSLATE_NOOP("QObject", "The item in the hyperlink was not found. The item may have been deleted.")},
    {{177, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Cannot Log In with Hyperlink"), QT_TRANSLATE_NOOP("QObject", "You are already logged in to %PRDNM% and editing an item. Log out and then retry the hyperlink.")},
    {{179, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Cannot Log In with Hyperlink"), QT_TRANSLATE_NOOP("QObject", "The specified username does not match the username the hyperlink was created for.")},
    {{184, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Valid URL"), QT_TRANSLATE_NOOP("QObject", "The %PRDNM% CGI URL you entered is valid.")},
    {{185, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Invalid Signature"), QT_TRANSLATE_NOOP("QObject", "The signature is not valid. Enter your username and password again.")},
    {{186, -1, -1}, "", QT_TRANSLATE_NOOP("QObject", "Automatic login is disabled for this project due to compliance requirements.")},
    {{187, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Incorrect Password Confirmation"), QT_TRANSLATE_NOOP("QObject", "The password confirmation is not correct. Enter your password again.")},
    {{188, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Account Locked"), QT_TRANSLATE_NOOP("QObject", "Your account is locked because of too many failed login attempts. Contact your %PRDNM% administrator for help.")},
    {{199, -1, -1}, QT_TRANSLATE_NOOP("QObject", "%GNSRV% Not Available"), QT_TRANSLATE_NOOP("QObject", "The %GNSRV% is not available because it is not configured correctly. Contact your %PRDNM% administrator for help.")},
    {{200, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Server Version Mismatch"), QT_TRANSLATE_NOOP("QObject", "The version of the %GNSRV% does not match this version of %PRDNM%. Contact your %PRDNM% administrator for help.")},
    {{202, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Too Many Items Requested"), QT_TRANSLATE_NOOP("QObject", "Too many items were requested. Select fewer items and try again.")},
    {{203, -1, -1}, "", QT_TRANSLATE_NOOP("QObject", "The request timed out. Try again later.")},
    {{204, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Project Not Available"), QT_TRANSLATE_NOOP("QObject", "The selected project is currently loading, upgrading, or converting. Please try again later or contact your %PRDNM% administrator for help.")},
    {{205, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Cannot Log In"), QT_TRANSLATE_NOOP("QObject", "You cannot log in because all licenses are in use. Try again later or contact your %PRDNM% administrator for help.")},
    {{206, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Server Database Conversion"), QT_TRANSLATE_NOOP("QObject", "The server database is being converted. Try again later or contact your %PRDNM% administrator for help.")},
    {{207, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Cannot Log In"), QT_TRANSLATE_NOOP("QObject", "You cannot log in because your license is not valid. Contact your %PRDNM% administrator for help.")},
    {{208, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Cannot Log In"), QT_TRANSLATE_NOOP("QObject", "You cannot log in from this computer. Contact your %PRDNM% administrator for help.")},
    {{212, -1, -1}, "", QT_TRANSLATE_NOOP("QObject", "The %GNAUN% is already connected to the %GNSRV%.")},
    {{215, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Database Not Available"), QT_TRANSLATE_NOOP("QObject", "The %GNSRV% cannot communicate with the RDBMS server. Contact your %PRDNM% administrator for help.")},
    {{216, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Database Not Available"), QT_TRANSLATE_NOOP("QObject", "The request was not completed because there were no RDBMS connections available. Please try again later. Contact your %PRDNM% administrator if the issue continues.")},
    {{217, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Database Not Available"), QT_TRANSLATE_NOOP("QObject", "The request cannot be completed because the RDBMS connection pool was busy. Please try again later. Contact your %PRDNM% administrator if the issue continues.")},
    {{219, -1, -1}, "", QT_TRANSLATE_NOOP("QObject", "The project directory specified is not valid. Enter a different directory.")},
    {{220, -1, -1}, "", QT_TRANSLATE_NOOP("QObject", "The project directory specified is too long, the maximum path length allowed is 247 characters.")},
    {{221, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Cannot Delete Item"), QT_TRANSLATE_NOOP("QObject", "The item cannot be deleted because it is in use. Try again later.")},
    {{223, -1, -1}, "", QT_TRANSLATE_NOOP("QObject", "The request is not supported by this version of the %GNSRV%. Contact your %PRDNM% administrator for help.")},
    {{229, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Login Limit Met"), QT_TRANSLATE_NOOP("QObject", "You cannot log in because you have met the maximum number of logins allowed.")},
    {{232, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Cannot Log In"), QT_TRANSLATE_NOOP("QObject", "You cannot log in because the project is locked. Try again later.")},
    {{233, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Item Name Already Exists"), QT_TRANSLATE_NOOP("QObject", "An item with this name already exists. Enter a different name.")},
    {{236, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Event Not Added"), QT_TRANSLATE_NOOP("QObject", "The event was not added. Check the event details and try again.")},
    {{240, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Invalid Published Filter Restriction"), QT_TRANSLATE_NOOP("QObject", "The restriction of the published filter is not valid. Select a different filter.")},
    {{241, -1, -1}, "", QT_TRANSLATE_NOOP("QObject", "Enclave SCM must be upgraded before this request can be completed.")},
    {{242, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Filter Not Found"), QT_TRANSLATE_NOOP("QObject", "The specified filter was not found. The filter may have been deleted.")},
    {{244, -1, -1}, "", QT_TRANSLATE_NOOP("QObject", "A duplicate project identifier was found on the %GNSRV%.\n\nDo you want to change the identifier for this project?")},
    {{245, -1, -1}, QT_TRANSLATE_NOOP("QObject", "%PRDNM% CGI Error"), QT_TRANSLATE_NOOP("QObject", "A CGI executable error occurred. Contact your %PRDNM% administrator for help.")},
    {{246, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Stateless Authorization Token Expired"), QT_TRANSLATE_NOOP("QObject", "The authorization token is expired. Log in again to refresh the token.")},
    {{255, -1, -1}, QT_TRANSLATE_NOOP("QObject", "Error"), QT_TRANSLATE_NOOP("QObject", "An unknown error occurred.")},
};
// clang-format on

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
