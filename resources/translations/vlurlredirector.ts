<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" sourcelanguage="en">
<context>
    <name>CVLBackend</name>
    <message>
        <source>An error occurred sending the request to the server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The request is invalid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A null request was sent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The request to the server returned a failure.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Socket does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Socket DLL&apos;s could not be initialized.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not create a socket.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not connect to host.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not currently connected to host.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CVLQtConfigDlg</name>
    <message>
        <source>Executables (*.app);;All Files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changes have been made.
Do you want to save the changes?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CVLQtConfigDlg_ui</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Additional information is required. Configure a preference below and click OK.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configure vlstudio link preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Use the %VLNCN%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Path:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert to http:// and open in a &amp;Web browser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;ath:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Default client timeout:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>seconds</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CVLQtMessageBox</name>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changes have been made. Do you want to save the changes?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Don&apos;t Save</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CVLQtSharedMem</name>
    <message>
        <source>An unexpected error occurred in %0().</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The size of the shared memory segment must be non-zero.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not lock the memory to initialize it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Creating the memory failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attaching failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not lock the shared memory segment.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write request was greater than the size of the shared memory.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid data encountered in the shared memory.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CVLURLRedirectorApp</name>
    <message>
        <source>An unexpected error occurred.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The browser could not be launched to handle the requested Web page.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not write to the shared memory segment. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not start the native client at: %0
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There was an error parsing the hyperlink.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MVMessageBox</name>
    <message>
        <source>&amp;Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>No Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No Error occurred.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Open Project</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The project is either not available on the server or the name is incorrect. Contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Action Not Performed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The action could not be performed. Try again or contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid Username or Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The username or password you entered is not recognized. Enter a valid username and password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insufficient Security</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You do not have permission to perform this action.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Item Not Found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The specified item was not found. The item may have been deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Action Not Completed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The action was not completed. Try again or contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You are already logged in.
Do you want to log out from the existing session?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Connect to the %GNSRV%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%PRDNM% cannot connect to the %GNSRV%. Contact your %PRDNM% administrator to make sure the server is running and the connection information is correct.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Connect to %PRDNM% Server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%PRDNM% cannot connect to the %GNSRV%. Contact your %PRDNM% administrator to verify that the %GNSRV% is running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The item is locked by another user. Try again later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Access Database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The project database cannot be accessed. Contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Open Database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The project database cannot be opened. Contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Missing Web Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A web page is missing from your configuration. Verify that all %PRDNM% web pages are installed on your web server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Action Not Supported</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The action is not supported by the %GNSRV%.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An error occurred.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not Logged In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You are not logged in to the project. Your session was dropped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Perform Action on Multiple Items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This action cannot be performed on more than one item at a time. Select a single item and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Item Locked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid Request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The request sent to the %GNSRV% is not valid. Contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Add Item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The item cannot be added. Contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Edit Item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The item cannot be edited because another user is editing it. Try again later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Save Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data could not be saved. Contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Merge Conflicts Occurred</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Merge conflicts occurred while saving the item. Resolve the conflicts and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %GNSRV% could not read the request. Try again or contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The response from the %GNSRV% could not be read. Try again or contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %GNSRV% could not create a temporary file. Contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %GNSRV% ran out of memory while processing the request. Contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Email Server Not Available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The email server is not available. Contact your %PRDNM% administrator to verify the email server settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Send Email</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The email could not be sent. Contact your %PRDNM% administrator to verify the email server settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid Email Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The email address is not valid. Enter a valid email address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The item was changed by another user. Reload the item and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Item Changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The item was changed since you opened it. Reload the item and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Field Not Found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The specified field was not found. The field may have been deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%PRDNM%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There were no release notes to return.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Lock Project</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The project cannot be locked because it is in use. Try again later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Action canceled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The action was canceled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Action Timed Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The action did not complete in time. Try again later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name Already In Use</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The name is already in use. Enter a different name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The name is not valid. Enter a different name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Create Report Temp File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The temporary file for the report cannot be created on the %GNSRV%. Contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stylesheet Not Available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The selected stylesheet is not available on the %GNSRV%. Select a different stylesheet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid Stylesheet Selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The selected stylesheet is not valid. Select a different stylesheet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Generate Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report cannot be generated. Contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Report File Too Large</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report file is too large to display. Select fewer items and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chart Data Not Valid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The chart data is not valid. Check the chart settings and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server Busy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The action was not completed because the %PRDNM% Server is busy.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An error occurred while processing the request.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inactive User</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You cannot log in because your user account is inactive. Contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User Not Found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The specified user was not found. The user may have been deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>License Expired</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %PRDNM% license has expired. Contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your license does not allow this action. Contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The item is in use by another user. Try again later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The item was changed on the server. Reload the item and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Load Project</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The project cannot be loaded. Contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password Expired</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your password has expired. Enter a new password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password does not meet the password requirements. Enter a different password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Passwords Do Not Match</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The passwords you entered do not match. Enter the same password in both fields.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Promote to Global User</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The user cannot be promoted to a global user because a global user with the same username already exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Change Global User</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The global user cannot be changed to a project user.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %GNSRV% is shutting down. Try again later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spell Check Not Available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spell checking is not available. Contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid Hyperlink</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %PRDNM% hyperlink not valid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hyperlinks Not Available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You cannot log in because logging in with hyperlink is not enabled. Contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hyperlink Item Not Found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The item in the hyperlink was not found. The item may have been deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Log In with Hyperlink</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You are already logged in to %PRDNM% and editing an item. Log out and then retry the hyperlink.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The specified username does not match the username the hyperlink was created for.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Valid URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %PRDNM% CGI URL you entered is valid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid Signature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The signature is not valid. Enter your username and password again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatic login is disabled for this project due to compliance requirements.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Incorrect Password Confirmation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password confirmation is not correct. Enter your password again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account Locked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your account is locked because of too many failed login attempts. Contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%GNSRV% Not Available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %GNSRV% is not available because it is not configured correctly. Contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server Version Mismatch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The version of the %GNSRV% does not match this version of %PRDNM%. Contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Too Many Items Requested</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Too many items were requested. Select fewer items and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The request timed out. Try again later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Project Not Available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The selected project is currently loading, upgrading, or converting. Please try again later or contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Log In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You cannot log in because all licenses are in use. Try again later or contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server Database Conversion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server database is being converted. Try again later or contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You cannot log in because your license is not valid. Contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You cannot log in from this computer. Contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %GNAUN% is already connected to the %GNSRV%.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database Not Available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %GNSRV% cannot communicate with the RDBMS server. Contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The request was not completed because there were no RDBMS connections available. Please try again later. Contact your %PRDNM% administrator if the issue continues.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The request cannot be completed because the RDBMS connection pool was busy. Please try again later. Contact your %PRDNM% administrator if the issue continues.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The project directory specified is not valid. Enter a different directory.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The project directory specified is too long, the maximum path length allowed is 247 characters.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Delete Item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The item cannot be deleted because it is in use. Try again later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The request is not supported by this version of the %GNSRV%. Contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Login Limit Met</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You cannot log in because you have met the maximum number of logins allowed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You cannot log in because the project is locked. Try again later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Item Name Already Exists</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An item with this name already exists. Enter a different name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event Not Added</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The event was not added. Check the event details and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid Published Filter Restriction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The restriction of the published filter is not valid. Select a different filter.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enclave SCM must be upgraded before this request can be completed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter Not Found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The specified filter was not found. The filter may have been deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A duplicate project identifier was found on the %GNSRV%.

Do you want to change the identifier for this project?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%PRDNM% CGI Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A CGI executable error occurred. Contact your %PRDNM% administrator for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stateless Authorization Token Expired</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The authorization token is expired. Log in again to refresh the token.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An unknown error occurred.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error %1 has occurred.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> parameter is invalid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> value is invalid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The protocol is invalid. The http, vlstudio, or escm protocol is required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A parsing error occurred when reading the username and password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A parsing error occurred when reading the username.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A parsing error occurred when reading the password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server name syntax is incorrect. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A parsing error occurred when reading the server address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The address must contain a port number.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A parsing error occurred when reading the port number.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A parsing error occurred when reading the server name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An IPv6 address must be enclosed in brackets.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The address must contain a server name in the address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The project name syntax is incorrect. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A parsing error occurred when reading the project name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The address must contain a project name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The item type syntax is incorrect. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A parsing error occurred when reading the item type.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The item type is invalid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The parameter syntax is invalid. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A parsing error occurred when reading the parameter key.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A parsing error occurred when reading the parameter value.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The cgi path syntax is invalid. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A parsing error occurred when reading the cgi path.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The parameter syntax is invalid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The project name syntax is incorrect.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a valid %VLNCN% executable to launch if there is no open client to handle the link.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose how the link should be handled.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
