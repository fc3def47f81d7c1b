<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>CVLBackend</name>
    <message>
        <source>An error occurred sending the request to the server.</source>
        <translation>Beim Senden der Anfrage an den Server ist ein Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>The request is invalid.</source>
        <translation>Die Anfrage ist ungültig.</translation>
    </message>
    <message>
        <source>A null request was sent.</source>
        <translation>Es wurde eine leere Anfrage gesendet.</translation>
    </message>
    <message>
        <source>The request to the server returned a failure.</source>
        <translation>Die Anfrage an den Server ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Socket does not exist.</source>
        <translation>Der Socket existiert nicht.</translation>
    </message>
    <message>
        <source>Socket DLL&apos;s could not be initialized.</source>
        <translation>Die Socket-Bibliotheken konnten nicht initialisiert werden.</translation>
    </message>
    <message>
        <source>Could not create a socket.</source>
        <translation>Es konnte kein Socket erstellt werden.</translation>
    </message>
    <message>
        <source>Could not connect to host.</source>
        <translation>Es konnte keine Verbindung zum Host hergestellt werden.</translation>
    </message>
    <message>
        <source>Not currently connected to host.</source>
        <translation>Derzeit besteht keine Verbindung zum Host.</translation>
    </message>
</context>
<context>
    <name>CVLQtConfigDlg</name>
    <message>
        <source>Executables (*.app);;All Files (*)</source>
        <translation>Programme (*.app);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Changes have been made.
Do you want to save the changes?</source>
        <translation>Es wurden Änderungen vorgenommen.
Möchten Sie die Änderungen speichern?</translation>
    </message>
</context>
<context>
    <name>CVLQtConfigDlg_ui</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Additional information is required. Configure a preference below and click OK.</source>
        <translation>Es werden weitere Angaben benötigt. Legen Sie unten eine Einstellung fest und klicken Sie auf OK.</translation>
    </message>
    <message>
        <source>Configure vlstudio link preferences</source>
        <translation>Einstellungen für vlstudio-Links festlegen</translation>
    </message>
    <message>
        <source>&amp;Use the %VLNCN%</source>
        <translation>%VLNCN% &amp;verwenden</translation>
    </message>
    <message>
        <source>&amp;Path:</source>
        <translation>&amp;Pfad:</translation>
    </message>
    <message>
        <source>&amp;...</source>
        <translation>&amp;...</translation>
    </message>
    <message>
        <source>Convert to http:// and open in a &amp;Web browser</source>
        <translation>In http:// umwandeln und im &amp;Webbrowser öffnen</translation>
    </message>
    <message>
        <source>P&amp;ath:</source>
        <translation>P&amp;fad:</translation>
    </message>
    <message>
        <source>&amp;Default client timeout:</source>
        <translation>&amp;Standard-Zeitlimit des Clients:</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>Sekunden</translation>
    </message>
</context>
<context>
    <name>CVLQtMessageBox</name>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Changes have been made. Do you want to save the changes?</source>
        <translation>Es wurden Änderungen vorgenommen. Möchten Sie die Änderungen speichern?</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Don&apos;t Save</source>
        <translation>Nicht speichern</translation>
    </message>
</context>
<context>
    <name>CVLQtSharedMem</name>
    <message>
        <source>An unexpected error occurred in %0().</source>
        <translation>In %0() ist ein unerwarteter Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>The size of the shared memory segment must be non-zero.</source>
        <translation>Die Größe des gemeinsamen Speichersegments darf nicht null sein.</translation>
    </message>
    <message>
        <source>Could not lock the memory to initialize it.</source>
        <translation>Der Speicher konnte zum Initialisieren nicht gesperrt werden.</translation>
    </message>
    <message>
        <source>Creating the memory failed.</source>
        <translation>Der Speicher konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Attaching failed.</source>
        <translation>Das Verbinden mit dem Speicher ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Could not lock the shared memory segment.</source>
        <translation>Das gemeinsame Speichersegment konnte nicht gesperrt werden.</translation>
    </message>
    <message>
        <source>Write request was greater than the size of the shared memory.</source>
        <translation>Die zu schreibenden Daten sind größer als der gemeinsame Speicher.</translation>
    </message>
    <message>
        <source>Invalid data encountered in the shared memory.</source>
        <translation>Im gemeinsamen Speicher wurden ungültige Daten gefunden.</translation>
    </message>
</context>
<context>
    <name>CVLURLRedirectorApp</name>
    <message>
        <source>An unexpected error occurred.</source>
        <translation>Ein unerwarteter Fehler ist aufgetreten.</translation>
    </message>
    <message>
        <source>The browser could not be launched to handle the requested Web page.</source>
        <translation>Der Browser für die angeforderte Webseite konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Could not write to the shared memory segment. </source>
        <translation>In das gemeinsame Speichersegment konnte nicht geschrieben werden. </translation>
    </message>
    <message>
        <source>Could not start the native client at: %0
%1</source>
        <translation>Der native Client unter %0 konnte nicht gestartet werden.
%1</translation>
    </message>
    <message>
        <source>There was an error parsing the hyperlink.</source>
        <translation>Beim Auswerten des Hyperlinks ist ein Fehler aufgetreten.</translation>
    </message>
</context>
<context>
    <name>MVMessageBox</name>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>No Error</source>
        <translation>Kein Fehler</translation>
    </message>
    <message>
        <source>No Error occurred.</source>
        <translation>Es ist kein Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>Cannot Open Project</source>
        <translation>Projekt kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>The project is either not available on the server or the name is incorrect. Contact your %PRDNM% administrator for help.</source>
        <translation>Das Projekt ist auf dem Server nicht verfügbar, oder der Name ist falsch. Wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>Action Not Performed</source>
        <translation>Aktion nicht ausgeführt</translation>
    </message>
    <message>
        <source>The action could not be performed. Try again or contact your %PRDNM% administrator for help.</source>
        <translation>Die Aktion konnte nicht ausgeführt werden. Versuchen Sie es erneut, oder wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>Invalid Username or Password</source>
        <translation>Ungültiger Benutzername oder ungültiges Kennwort</translation>
    </message>
    <message>
        <source>The username or password you entered is not recognized. Enter a valid username and password.</source>
        <translation>Der eingegebene Benutzername oder das Kennwort wurde nicht erkannt. Geben Sie einen gültigen Benutzernamen und ein gültiges Kennwort ein.</translation>
    </message>
    <message>
        <source>Insufficient Security</source>
        <translation>Unzureichende Berechtigung</translation>
    </message>
    <message>
        <source>You do not have permission to perform this action.</source>
        <translation>Sie sind nicht berechtigt, diese Aktion auszuführen.</translation>
    </message>
    <message>
        <source>Item Not Found</source>
        <translation>Element nicht gefunden</translation>
    </message>
    <message>
        <source>The specified item was not found. The item may have been deleted.</source>
        <translation>Das angegebene Element wurde nicht gefunden. Möglicherweise wurde es gelöscht.</translation>
    </message>
    <message>
        <source>Action Not Completed</source>
        <translation>Aktion nicht abgeschlossen</translation>
    </message>
    <message>
        <source>The action was not completed. Try again or contact your %PRDNM% administrator for help.</source>
        <translation>Die Aktion wurde nicht abgeschlossen. Versuchen Sie es erneut, oder wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>You are already logged in.
Do you want to log out from the existing session?</source>
        <translation>Sie sind bereits angemeldet.
Möchten Sie sich von der bestehenden Sitzung abmelden?</translation>
    </message>
    <message>
        <source>Cannot Connect to the %GNSRV%</source>
        <translation>Keine Verbindung zum %GNSRV% möglich</translation>
    </message>
    <message>
        <source>%PRDNM% cannot connect to the %GNSRV%. Contact your %PRDNM% administrator to make sure the server is running and the connection information is correct.</source>
        <translation>%PRDNM% kann keine Verbindung zum %GNSRV% herstellen. Lassen Sie Ihren %PRDNM%-Administrator prüfen, ob der Server läuft und die Verbindungsdaten stimmen.</translation>
    </message>
    <message>
        <source>Cannot Connect to %PRDNM% Server</source>
        <translation>Keine Verbindung zum %PRDNM% Server möglich</translation>
    </message>
    <message>
        <source>%PRDNM% cannot connect to the %GNSRV%. Contact your %PRDNM% administrator to verify that the %GNSRV% is running.</source>
        <translation>%PRDNM% kann keine Verbindung zum %GNSRV% herstellen. Lassen Sie Ihren %PRDNM%-Administrator prüfen, ob der %GNSRV% läuft.</translation>
    </message>
    <message>
        <source>The item is locked by another user. Try again later.</source>
        <translation>Das Element ist von einem anderen Benutzer gesperrt. Versuchen Sie es später erneut.</translation>
    </message>
    <message>
        <source>Cannot Access Database</source>
        <translation>Kein Zugriff auf die Datenbank</translation>
    </message>
    <message>
        <source>The project database cannot be accessed. Contact your %PRDNM% administrator for help.</source>
        <translation>Auf die Projektdatenbank kann nicht zugegriffen werden. Wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>Cannot Open Database</source>
        <translation>Datenbank kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>The project database cannot be opened. Contact your %PRDNM% administrator for help.</source>
        <translation>Die Projektdatenbank kann nicht geöffnet werden. Wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>Missing Web Page</source>
        <translation>Fehlende Webseite</translation>
    </message>
    <message>
        <source>A web page is missing from your configuration. Verify that all %PRDNM% web pages are installed on your web server.</source>
        <translation>In Ihrer Konfiguration fehlt eine Webseite. Prüfen Sie, ob alle %PRDNM%-Webseiten auf Ihrem Webserver installiert sind.</translation>
    </message>
    <message>
        <source>Action Not Supported</source>
        <translation>Aktion nicht unterstützt</translation>
    </message>
    <message>
        <source>The action is not supported by the %GNSRV%.</source>
        <translation>Die Aktion wird vom %GNSRV% nicht unterstützt.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>An error occurred.</source>
        <translation>Ein Fehler ist aufgetreten.</translation>
    </message>
    <message>
        <source>Not Logged In</source>
        <translation>Nicht angemeldet</translation>
    </message>
    <message>
        <source>You are not logged in to the project. Your session was dropped.</source>
        <translation>Sie sind nicht beim Projekt angemeldet. Ihre Sitzung wurde beendet.</translation>
    </message>
    <message>
        <source>Cannot Perform Action on Multiple Items</source>
        <translation>Aktion für mehrere Elemente nicht möglich</translation>
    </message>
    <message>
        <source>This action cannot be performed on more than one item at a time. Select a single item and try again.</source>
        <translation>Diese Aktion kann nicht für mehrere Elemente gleichzeitig ausgeführt werden. Wählen Sie ein einzelnes Element aus, und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Item Locked</source>
        <translation>Element gesperrt</translation>
    </message>
    <message>
        <source>Invalid Request</source>
        <translation>Ungültige Anfrage</translation>
    </message>
    <message>
        <source>The request sent to the %GNSRV% is not valid. Contact your %PRDNM% administrator for help.</source>
        <translation>Die an den %GNSRV% gesendete Anfrage ist ungültig. Wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>Cannot Add Item</source>
        <translation>Element kann nicht hinzugefügt werden</translation>
    </message>
    <message>
        <source>The item cannot be added. Contact your %PRDNM% administrator for help.</source>
        <translation>Das Element kann nicht hinzugefügt werden. Wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>Cannot Edit Item</source>
        <translation>Element kann nicht bearbeitet werden</translation>
    </message>
    <message>
        <source>The item cannot be edited because another user is editing it. Try again later.</source>
        <translation>Das Element kann nicht bearbeitet werden, weil es gerade von einem anderen Benutzer bearbeitet wird. Versuchen Sie es später erneut.</translation>
    </message>
    <message>
        <source>Cannot Save Data</source>
        <translation>Daten können nicht gespeichert werden</translation>
    </message>
    <message>
        <source>The data could not be saved. Contact your %PRDNM% administrator for help.</source>
        <translation>Die Daten konnten nicht gespeichert werden. Wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source> Merge Conflicts Occurred</source>
        <translation> Zusammenführungskonflikte aufgetreten</translation>
    </message>
    <message>
        <source>Merge conflicts occurred while saving the item. Resolve the conflicts and try again.</source>
        <translation>Beim Speichern des Elements sind Zusammenführungskonflikte aufgetreten. Lösen Sie die Konflikte, und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The %GNSRV% could not read the request. Try again or contact your %PRDNM% administrator for help.</source>
        <translation>Der %GNSRV% konnte die Anfrage nicht lesen. Versuchen Sie es erneut, oder wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>The response from the %GNSRV% could not be read. Try again or contact your %PRDNM% administrator for help.</source>
        <translation>Die Antwort des %GNSRV% konnte nicht gelesen werden. Versuchen Sie es erneut, oder wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>The %GNSRV% could not create a temporary file. Contact your %PRDNM% administrator for help.</source>
        <translation>Der %GNSRV% konnte keine temporäre Datei erstellen. Wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>The %GNSRV% ran out of memory while processing the request. Contact your %PRDNM% administrator for help.</source>
        <translation>Dem %GNSRV% ist beim Bearbeiten der Anfrage der Speicher ausgegangen. Wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>Email Server Not Available</source>
        <translation>E-Mail-Server nicht verfügbar</translation>
    </message>
    <message>
        <source>The email server is not available. Contact your %PRDNM% administrator to verify the email server settings.</source>
        <translation>Der E-Mail-Server ist nicht verfügbar. Lassen Sie Ihren %PRDNM%-Administrator die Einstellungen des E-Mail-Servers prüfen.</translation>
    </message>
    <message>
        <source>Cannot Send Email</source>
        <translation>E-Mail kann nicht gesendet werden</translation>
    </message>
    <message>
        <source>The email could not be sent. Contact your %PRDNM% administrator to verify the email server settings.</source>
        <translation>Die E-Mail konnte nicht gesendet werden. Lassen Sie Ihren %PRDNM%-Administrator die Einstellungen des E-Mail-Servers prüfen.</translation>
    </message>
    <message>
        <source>Invalid Email Address</source>
        <translation>Ungültige E-Mail-Adresse</translation>
    </message>
    <message>
        <source>The email address is not valid. Enter a valid email address.</source>
        <translation>Die E-Mail-Adresse ist ungültig. Geben Sie eine gültige E-Mail-Adresse ein.</translation>
    </message>
    <message>
        <source>The item was changed by another user. Reload the item and try again.</source>
        <translation>Das Element wurde von einem anderen Benutzer geändert. Laden Sie das Element neu, und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Item Changed</source>
        <translation>Element geändert</translation>
    </message>
    <message>
        <source>The item was changed since you opened it. Reload the item and try again.</source>
        <translation>Das Element wurde geändert, seit Sie es geöffnet haben. Laden Sie das Element neu, und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Field Not Found</source>
        <translation>Feld nicht gefunden</translation>
    </message>
    <message>
        <source>The specified field was not found. The field may have been deleted.</source>
        <translation>Das angegebene Feld wurde nicht gefunden. Möglicherweise wurde es gelöscht.</translation>
    </message>
    <message>
        <source>%PRDNM%</source>
        <translation>%PRDNM%</translation>
    </message>
    <message>
        <source>There were no release notes to return.</source>
        <translation>Es sind keine Versionshinweise vorhanden.</translation>
    </message>
    <message>
        <source>Cannot Lock Project</source>
        <translation>Projekt kann nicht gesperrt werden</translation>
    </message>
    <message>
        <source>The project cannot be locked because it is in use. Try again later.</source>
        <translation>Das Projekt kann nicht gesperrt werden, weil es verwendet wird. Versuchen Sie es später erneut.</translation>
    </message>
    <message>
        <source>Action canceled</source>
        <translation>Aktion abgebrochen</translation>
    </message>
    <message>
        <source>The action was canceled.</source>
        <translation>Die Aktion wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Action Timed Out</source>
        <translation>Zeitlimit der Aktion überschritten</translation>
    </message>
    <message>
        <source>The action did not complete in time. Try again later.</source>
        <translation>Die Aktion wurde nicht rechtzeitig abgeschlossen. Versuchen Sie es später erneut.</translation>
    </message>
    <message>
        <source>Name Already In Use</source>
        <translation>Name bereits vergeben</translation>
    </message>
    <message>
        <source>The name is already in use. Enter a different name.</source>
        <translation>Der Name ist bereits vergeben. Geben Sie einen anderen Namen ein.</translation>
    </message>
    <message>
        <source>Invalid Name</source>
        <translation>Ungültiger Name</translation>
    </message>
    <message>
        <source>The name is not valid. Enter a different name.</source>
        <translation>Der Name ist ungültig. Geben Sie einen anderen Namen ein.</translation>
    </message>
    <message>
        <source>Cannot Create Report Temp File</source>
        <translation>Temporäre Berichtsdatei kann nicht erstellt werden</translation>
    </message>
    <message>
        <source>The temporary file for the report cannot be created on the %GNSRV%. Contact your %PRDNM% administrator for help.</source>
        <translation>Die temporäre Datei für den Bericht kann auf dem %GNSRV% nicht erstellt werden. Wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>Stylesheet Not Available</source>
        <translation>Stylesheet nicht verfügbar</translation>
    </message>
    <message>
        <source>The selected stylesheet is not available on the %GNSRV%. Select a different stylesheet.</source>
        <translation>Das ausgewählte Stylesheet ist auf dem %GNSRV% nicht verfügbar. Wählen Sie ein anderes Stylesheet aus.</translation>
    </message>
    <message>
        <source>Invalid Stylesheet Selected</source>
        <translation>Ungültiges Stylesheet ausgewählt</translation>
    </message>
    <message>
        <source>The selected stylesheet is not valid. Select a different stylesheet.</source>
        <translation>Das ausgewählte Stylesheet ist ungültig. Wählen Sie ein anderes Stylesheet aus.</translation>
    </message>
    <message>
        <source>Cannot Generate Report</source>
        <translation>Bericht kann nicht erstellt werden</translation>
    </message>
    <message>
        <source>The report cannot be generated. Contact your %PRDNM% administrator for help.</source>
        <translation>Der Bericht kann nicht erstellt werden. Wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source> Report File Too Large</source>
        <translation> Berichtsdatei zu groß</translation>
    </message>
    <message>
        <source>The report file is too large to display. Select fewer items and try again.</source>
        <translation>Die Berichtsdatei ist zu groß für die Anzeige. Wählen Sie weniger Elemente aus, und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Chart Data Not Valid</source>
        <translation>Ungültige Diagrammdaten</translation>
    </message>
    <message>
        <source>The chart data is not valid. Check the chart settings and try again.</source>
        <translation>Die Diagrammdaten sind ungültig. Prüfen Sie die Diagrammeinstellungen, und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Server Busy</source>
        <translation>Server ausgelastet</translation>
    </message>
    <message>
        <source>The action was not completed because the %PRDNM% Server is busy.</source>
        <translation>Die Aktion wurde nicht abgeschlossen, weil der %PRDNM% Server ausgelastet ist.</translation>
    </message>
    <message>
        <source>An error occurred while processing the request.</source>
        <translation>Beim Bearbeiten der Anfrage ist ein Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>Inactive User</source>
        <translation>Inaktiver Benutzer</translation>
    </message>
    <message>
        <source>You cannot log in because your user account is inactive. Contact your %PRDNM% administrator for help.</source>
        <translation>Sie können sich nicht anmelden, weil Ihr Benutzerkonto inaktiv ist. Wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>User Not Found</source>
        <translation>Benutzer nicht gefunden</translation>
    </message>
    <message>
        <source>The specified user was not found. The user may have been deleted.</source>
        <translation>Der angegebene Benutzer wurde nicht gefunden. Möglicherweise wurde er gelöscht.</translation>
    </message>
    <message>
        <source>License Expired</source>
        <translation>Lizenz abgelaufen</translation>
    </message>
    <message>
        <source>The %PRDNM% license has expired. Contact your %PRDNM% administrator for help.</source>
        <translation>Die %PRDNM%-Lizenz ist abgelaufen. Wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>Your license does not allow this action. Contact your %PRDNM% administrator for help.</source>
        <translation>Ihre Lizenz erlaubt diese Aktion nicht. Wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>The item is in use by another user. Try again later.</source>
        <translation>Das Element wird von einem anderen Benutzer verwendet. Versuchen Sie es später erneut.</translation>
    </message>
    <message>
        <source>The item was changed on the server. Reload the item and try again.</source>
        <translation>Das Element wurde auf dem Server geändert. Laden Sie das Element neu, und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Cannot Load Project</source>
        <translation>Projekt kann nicht geladen werden</translation>
    </message>
    <message>
        <source>The project cannot be loaded. Contact your %PRDNM% administrator for help.</source>
        <translation>Das Projekt kann nicht geladen werden. Wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>Password Expired</source>
        <translation>Kennwort abgelaufen</translation>
    </message>
    <message>
        <source>Your password has expired. Enter a new password.</source>
        <translation>Ihr Kennwort ist abgelaufen. Geben Sie ein neues Kennwort ein.</translation>
    </message>
    <message>
        <source>Invalid Password</source>
        <translation>Ungültiges Kennwort</translation>
    </message>
    <message>
        <source>The password does not meet the password requirements. Enter a different password.</source>
        <translation>Das Kennwort erfüllt die Kennwortanforderungen nicht. Geben Sie ein anderes Kennwort ein.</translation>
    </message>
    <message>
        <source>Passwords Do Not Match</source>
        <translation>Kennwörter stimmen nicht überein</translation>
    </message>
    <message>
        <source>The passwords you entered do not match. Enter the same password in both fields.</source>
        <translation>Die eingegebenen Kennwörter stimmen nicht überein. Geben Sie in beiden Feldern dasselbe Kennwort ein.</translation>
    </message>
    <message>
        <source>Cannot Promote to Global User</source>
        <translation>Hochstufen zum globalen Benutzer nicht möglich</translation>
    </message>
    <message>
        <source>The user cannot be promoted to a global user because a global user with the same username already exists.</source>
        <translation>Der Benutzer kann nicht zum globalen Benutzer hochgestuft werden, weil bereits ein globaler Benutzer mit demselben Benutzernamen existiert.</translation>
    </message>
    <message>
        <source>Cannot Change Global User</source>
        <translation>Globaler Benutzer kann nicht geändert werden</translation>
    </message>
    <message>
        <source>The global user cannot be changed to a project user.</source>
        <translation>Der globale Benutzer kann nicht in einen Projektbenutzer umgewandelt werden.</translation>
    </message>
    <message>
        <source>The %GNSRV% is shutting down. Try again later.</source>
        <translation>Der %GNSRV% wird heruntergefahren. Versuchen Sie es später erneut.</translation>
    </message>
    <message>
        <source>Spell Check Not Available</source>
        <translation>Rechtschreibprüfung nicht verfügbar</translation>
    </message>
    <message>
        <source>Spell checking is not available. Contact your %PRDNM% administrator for help.</source>
        <translation>Die Rechtschreibprüfung ist nicht verfügbar. Wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>Invalid Hyperlink</source>
        <translation>Ungültiger Hyperlink</translation>
    </message>
    <message>
        <source>The %PRDNM% hyperlink not valid.</source>
        <translation>Der %PRDNM%-Hyperlink ist ungültig.</translation>
    </message>
    <message>
        <source>Hyperlinks Not Available</source>
        <translation>Hyperlinks nicht verfügbar</translation>
    </message>
    <message>
        <source>You cannot log in because logging in with hyperlink is not enabled. Contact your %PRDNM% administrator for help.</source>
        <translation>Sie können sich nicht anmelden, weil die Anmeldung über Hyperlinks nicht aktiviert ist. Wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>Hyperlink Item Not Found</source>
        <translation>Element des Hyperlinks nicht gefunden</translation>
    </message>
    <message>
        <source>The item in the hyperlink was not found. The item may have been deleted.</source>
        <translation>Das Element im Hyperlink wurde nicht gefunden. Möglicherweise wurde es gelöscht.</translation>
    </message>
    <message>
        <source>Cannot Log In with Hyperlink</source>
        <translation>Anmeldung über Hyperlink nicht möglich</translation>
    </message>
    <message>
        <source>You are already logged in to %PRDNM% and editing an item. Log out and then retry the hyperlink.</source>
        <translation>Sie sind bereits bei %PRDNM% angemeldet und bearbeiten ein Element. Melden Sie sich ab, und öffnen Sie den Hyperlink dann erneut.</translation>
    </message>
    <message>
        <source>The specified username does not match the username the hyperlink was created for.</source>
        <translation>Der angegebene Benutzername stimmt nicht mit dem Benutzernamen überein, für den der Hyperlink erstellt wurde.</translation>
    </message>
    <message>
        <source>Valid URL</source>
        <translation>Gültige URL</translation>
    </message>
    <message>
        <source>The %PRDNM% CGI URL you entered is valid.</source>
        <translation>Die eingegebene %PRDNM%-CGI-URL ist gültig.</translation>
    </message>
    <message>
        <source>Invalid Signature</source>
        <translation>Ungültige Signatur</translation>
    </message>
    <message>
        <source>The signature is not valid. Enter your username and password again.</source>
        <translation>Die Signatur ist ungültig. Geben Sie Ihren Benutzernamen und Ihr Kennwort erneut ein.</translation>
    </message>
    <message>
        <source>Automatic login is disabled for this project due to compliance requirements.</source>
        <translation>Die automatische Anmeldung ist für dieses Projekt aufgrund von Compliance-Vorgaben deaktiviert.</translation>
    </message>
    <message>
        <source>Incorrect Password Confirmation</source>
        <translation>Falsche Kennwortbestätigung</translation>
    </message>
    <message>
        <source>The password confirmation is not correct. Enter your password again.</source>
        <translation>Die Kennwortbestätigung ist nicht korrekt. Geben Sie Ihr Kennwort erneut ein.</translation>
    </message>
    <message>
        <source>Account Locked</source>
        <translation>Konto gesperrt</translation>
    </message>
    <message>
        <source>Your account is locked because of too many failed login attempts. Contact your %PRDNM% administrator for help.</source>
        <translation>Ihr Konto ist wegen zu vieler fehlgeschlagener Anmeldeversuche gesperrt. Wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>%GNSRV% Not Available</source>
        <translation>%GNSRV% nicht verfügbar</translation>
    </message>
    <message>
        <source>The %GNSRV% is not available because it is not configured correctly. Contact your %PRDNM% administrator for help.</source>
        <translation>Der %GNSRV% ist nicht verfügbar, weil er nicht richtig konfiguriert ist. Wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>Server Version Mismatch</source>
        <translation>Serverversion passt nicht</translation>
    </message>
    <message>
        <source>The version of the %GNSRV% does not match this version of %PRDNM%. Contact your %PRDNM% administrator for help.</source>
        <translation>Die Version des %GNSRV% passt nicht zu dieser Version von %PRDNM%. Wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>Too Many Items Requested</source>
        <translation>Zu viele Elemente angefordert</translation>
    </message>
    <message>
        <source>Too many items were requested. Select fewer items and try again.</source>
        <translation>Es wurden zu viele Elemente angefordert. Wählen Sie weniger Elemente aus, und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The request timed out. Try again later.</source>
        <translation>Bei der Anfrage wurde das Zeitlimit überschritten. Versuchen Sie es später erneut.</translation>
    </message>
    <message>
        <source>Project Not Available</source>
        <translation>Projekt nicht verfügbar</translation>
    </message>
    <message>
        <source>The selected project is currently loading, upgrading, or converting. Please try again later or contact your %PRDNM% administrator for help.</source>
        <translation>Das ausgewählte Projekt wird gerade geladen, aktualisiert oder konvertiert. Versuchen Sie es bitte später erneut, oder wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>Cannot Log In</source>
        <translation>Anmeldung nicht möglich</translation>
    </message>
    <message>
        <source>You cannot log in because all licenses are in use. Try again later or contact your %PRDNM% administrator for help.</source>
        <translation>Sie können sich nicht anmelden, weil alle Lizenzen belegt sind. Versuchen Sie es später erneut, oder wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>Server Database Conversion</source>
        <translation>Serverdatenbank wird konvertiert</translation>
    </message>
    <message>
        <source>The server database is being converted. Try again later or contact your %PRDNM% administrator for help.</source>
        <translation>Die Serverdatenbank wird gerade konvertiert. Versuchen Sie es später erneut, oder wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>You cannot log in because your license is not valid. Contact your %PRDNM% administrator for help.</source>
        <translation>Sie können sich nicht anmelden, weil Ihre Lizenz ungültig ist. Wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>You cannot log in from this computer. Contact your %PRDNM% administrator for help.</source>
        <translation>Sie können sich von diesem Computer aus nicht anmelden. Wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>The %GNAUN% is already connected to the %GNSRV%.</source>
        <translation>%GNAUN% ist bereits mit dem %GNSRV% verbunden.</translation>
    </message>
    <message>
        <source>Database Not Available</source>
        <translation>Datenbank nicht verfügbar</translation>
    </message>
    <message>
        <source>The %GNSRV% cannot communicate with the RDBMS server. Contact your %PRDNM% administrator for help.</source>
        <translation>Der %GNSRV% kann nicht mit dem RDBMS-Server kommunizieren. Wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>The request was not completed because there were no RDBMS connections available. Please try again later. Contact your %PRDNM% administrator if the issue continues.</source>
        <translation>Die Anfrage wurde nicht abgeschlossen, weil keine RDBMS-Verbindungen verfügbar waren. Versuchen Sie es bitte später erneut. Wenden Sie sich an Ihren %PRDNM%-Administrator, wenn das Problem weiterhin besteht.</translation>
    </message>
    <message>
        <source>The request cannot be completed because the RDBMS connection pool was busy. Please try again later. Contact your %PRDNM% administrator if the issue continues.</source>
        <translation>Die Anfrage kann nicht abgeschlossen werden, weil der RDBMS-Verbindungspool ausgelastet war. Versuchen Sie es bitte später erneut. Wenden Sie sich an Ihren %PRDNM%-Administrator, wenn das Problem weiterhin besteht.</translation>
    </message>
    <message>
        <source>The project directory specified is not valid. Enter a different directory.</source>
        <translation>Das angegebene Projektverzeichnis ist ungültig. Geben Sie ein anderes Verzeichnis ein.</translation>
    </message>
    <message>
        <source>The project directory specified is too long, the maximum path length allowed is 247 characters.</source>
        <translation>Das angegebene Projektverzeichnis ist zu lang. Ein Pfad darf höchstens 247 Zeichen lang sein.</translation>
    </message>
    <message>
        <source>Cannot Delete Item</source>
        <translation>Element kann nicht gelöscht werden</translation>
    </message>
    <message>
        <source>The item cannot be deleted because it is in use. Try again later.</source>
        <translation>Das Element kann nicht gelöscht werden, weil es verwendet wird. Versuchen Sie es später erneut.</translation>
    </message>
    <message>
        <source>The request is not supported by this version of the %GNSRV%. Contact your %PRDNM% administrator for help.</source>
        <translation>Die Anfrage wird von dieser Version des %GNSRV% nicht unterstützt. Wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>Login Limit Met</source>
        <translation>Anmeldelimit erreicht</translation>
    </message>
    <message>
        <source>You cannot log in because you have met the maximum number of logins allowed.</source>
        <translation>Sie können sich nicht anmelden, weil Sie die maximal zulässige Anzahl von Anmeldungen erreicht haben.</translation>
    </message>
    <message>
        <source>You cannot log in because the project is locked. Try again later.</source>
        <translation>Sie können sich nicht anmelden, weil das Projekt gesperrt ist. Versuchen Sie es später erneut.</translation>
    </message>
    <message>
        <source>Item Name Already Exists</source>
        <translation>Elementname bereits vorhanden</translation>
    </message>
    <message>
        <source>An item with this name already exists. Enter a different name.</source>
        <translation>Ein Element mit diesem Namen ist bereits vorhanden. Geben Sie einen anderen Namen ein.</translation>
    </message>
    <message>
        <source>Event Not Added</source>
        <translation>Ereignis nicht hinzugefügt</translation>
    </message>
    <message>
        <source>The event was not added. Check the event details and try again.</source>
        <translation>Das Ereignis wurde nicht hinzugefügt. Prüfen Sie die Angaben zum Ereignis, und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Invalid Published Filter Restriction</source>
        <translation>Ungültige Einschränkung des veröffentlichten Filters</translation>
    </message>
    <message>
        <source>The restriction of the published filter is not valid. Select a different filter.</source>
        <translation>Die Einschränkung des veröffentlichten Filters ist ungültig. Wählen Sie einen anderen Filter aus.</translation>
    </message>
    <message>
        <source>Enclave SCM must be upgraded before this request can be completed.</source>
        <translation>Enclave SCM muss aktualisiert werden, bevor diese Anfrage abgeschlossen werden kann.</translation>
    </message>
    <message>
        <source>Filter Not Found</source>
        <translation>Filter nicht gefunden</translation>
    </message>
    <message>
        <source>The specified filter was not found. The filter may have been deleted.</source>
        <translation>Der angegebene Filter wurde nicht gefunden. Möglicherweise wurde er gelöscht.</translation>
    </message>
    <message>
        <source>A duplicate project identifier was found on the %GNSRV%.

Do you want to change the identifier for this project?</source>
        <translation>Auf dem %GNSRV% wurde eine doppelte Projektkennung gefunden.

Möchten Sie die Kennung dieses Projekts ändern?</translation>
    </message>
    <message>
        <source>%PRDNM% CGI Error</source>
        <translation>%PRDNM%-CGI-Fehler</translation>
    </message>
    <message>
        <source>A CGI executable error occurred. Contact your %PRDNM% administrator for help.</source>
        <translation>Im CGI-Programm ist ein Fehler aufgetreten. Wenden Sie sich an Ihren %PRDNM%-Administrator.</translation>
    </message>
    <message>
        <source>Stateless Authorization Token Expired</source>
        <translation>Zustandsloses Autorisierungstoken abgelaufen</translation>
    </message>
    <message>
        <source>The authorization token is expired. Log in again to refresh the token.</source>
        <translation>Das Autorisierungstoken ist abgelaufen. Melden Sie sich erneut an, um das Token zu erneuern.</translation>
    </message>
    <message>
        <source>An unknown error occurred.</source>
        <translation>Ein unbekannter Fehler ist aufgetreten.</translation>
    </message>
    <message>
        <source>Error %1 has occurred.</source>
        <translation>Fehler %1 ist aufgetreten.</translation>
    </message>
    <message>
        <source>The </source>
        <translation>Der Parameter </translation>
    </message>
    <message>
        <source> parameter is invalid.</source>
        <translation> ist ungültig.</translation>
    </message>
    <message>
        <source> value is invalid.</source>
        <translation> hat einen ungültigen Wert.</translation>
    </message>
    <message>
        <source>The protocol is invalid. The http, vlstudio, or escm protocol is required.</source>
        <translation>Das Protokoll ist ungültig. Erforderlich ist das Protokoll http, vlstudio oder escm.</translation>
    </message>
    <message>
        <source>A parsing error occurred when reading the username and password.</source>
        <translation>Beim Lesen des Benutzernamens und des Kennworts ist ein Analysefehler aufgetreten.</translation>
    </message>
    <message>
        <source>A parsing error occurred when reading the username.</source>
        <translation>Beim Lesen des Benutzernamens ist ein Analysefehler aufgetreten.</translation>
    </message>
    <message>
        <source>A parsing error occurred when reading the password.</source>
        <translation>Beim Lesen des Kennworts ist ein Analysefehler aufgetreten.</translation>
    </message>
    <message>
        <source>The server name syntax is incorrect. </source>
        <translation>Die Syntax des Servernamens ist falsch. </translation>
    </message>
    <message>
        <source>A parsing error occurred when reading the server address.</source>
        <translation>Beim Lesen der Serveradresse ist ein Analysefehler aufgetreten.</translation>
    </message>
    <message>
        <source>The address must contain a port number.</source>
        <translation>Die Adresse muss eine Portnummer enthalten.</translation>
    </message>
    <message>
        <source>A parsing error occurred when reading the port number.</source>
        <translation>Beim Lesen der Portnummer ist ein Analysefehler aufgetreten.</translation>
    </message>
    <message>
        <source>A parsing error occurred when reading the server name.</source>
        <translation>Beim Lesen des Servernamens ist ein Analysefehler aufgetreten.</translation>
    </message>
    <message>
        <source>An IPv6 address must be enclosed in brackets.</source>
        <translation>Eine IPv6-Adresse muss in eckigen Klammern stehen.</translation>
    </message>
    <message>
        <source>The address must contain a server name in the address.</source>
        <translation>Die Adresse muss einen Servernamen enthalten.</translation>
    </message>
    <message>
        <source>The project name syntax is incorrect. </source>
        <translation>Die Syntax des Projektnamens ist falsch. </translation>
    </message>
    <message>
        <source>A parsing error occurred when reading the project name.</source>
        <translation>Beim Lesen des Projektnamens ist ein Analysefehler aufgetreten.</translation>
    </message>
    <message>
        <source>The address must contain a project name.</source>
        <translation>Die Adresse muss einen Projektnamen enthalten.</translation>
    </message>
    <message>
        <source>The item type syntax is incorrect. </source>
        <translation>Die Syntax des Elementtyps ist falsch. </translation>
    </message>
    <message>
        <source>A parsing error occurred when reading the item type.</source>
        <translation>Beim Lesen des Elementtyps ist ein Analysefehler aufgetreten.</translation>
    </message>
    <message>
        <source>The item type is invalid.</source>
        <translation>Der Elementtyp ist ungültig.</translation>
    </message>
    <message>
        <source>The parameter syntax is invalid. </source>
        <translation>Die Syntax der Parameter ist ungültig. </translation>
    </message>
    <message>
        <source>A parsing error occurred when reading the parameter key.</source>
        <translation>Beim Lesen des Parameternamens ist ein Analysefehler aufgetreten.</translation>
    </message>
    <message>
        <source>A parsing error occurred when reading the parameter value.</source>
        <translation>Beim Lesen des Parameterwerts ist ein Analysefehler aufgetreten.</translation>
    </message>
    <message>
        <source>The cgi path syntax is invalid. </source>
        <translation>Die Syntax des CGI-Pfads ist ungültig. </translation>
    </message>
    <message>
        <source>A parsing error occurred when reading the cgi path.</source>
        <translation>Beim Lesen des CGI-Pfads ist ein Analysefehler aufgetreten.</translation>
    </message>
    <message>
        <source>The parameter syntax is invalid.</source>
        <translation>Die Syntax der Parameter ist ungültig.</translation>
    </message>
    <message>
        <source>The project name syntax is incorrect.</source>
        <translation>Die Syntax des Projektnamens ist falsch.</translation>
    </message>
    <message>
        <source>Choose a valid %VLNCN% executable to launch if there is no open client to handle the link.</source>
        <translation>Wählen Sie ein gültiges %VLNCN%-Programm aus, das gestartet wird, wenn kein geöffneter Client den Link übernehmen kann.</translation>
    </message>
    <message>
        <source>Choose how the link should be handled.</source>
        <translation>Wählen Sie aus, wie der Link behandelt werden soll.</translation>
    </message>
</context>
</TS>
