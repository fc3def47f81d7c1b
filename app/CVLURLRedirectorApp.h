#pragma once

#include "CVLRUserPrefs.h"
#include "CVLString.h"
#include "VLQtSharedMem.h"

#include <QApplication>
#include <QString>

// The first part of the per-user shared-memory key; "_" and the user's numeric ID follow.
extern const char* const g_VLURLRedirectorSharedMemKey;

// The redirector application: holds the link being handled, the preferences (loaded at
// construction) and the shared-memory object keyed for the current user, and dispatches one
// link. It never shows a main window; everything the user sees is a modal dialog or box.
class CVLURLRedirectorApp : public QApplication
{
    Q_OBJECT

public:
    CVLURLRedirectorApp(int& argc, char** argv);
    ~CVLURLRedirectorApp() override;

    // "Corvane ALM URL Redirector".
    const char* GetAppName() const;
    // The link equals text, or text followed by "/" (byte for byte, case-sensitive).
    bool BrowserIndHLinkMatch(const QString& text) const;

    // Handles the stored link once: special links, validation, preferences, then the native
    // client handoff or the web route. Every failure ends in a message box or, where the user
    // cancelled, silently.
    void HandleHLink();

    void DisplayVersionInfo();
    void DisplayDebugInfo();
    // A critical box; an empty text is shown as "An unexpected error occurred.".
    void DisplayErrorToUser(const QString& text) const;
    // Runs the preferences dialog; reloads the preferences and returns true when accepted.
    bool DisplayConfiguration(bool allowChoice);

    // The version line, a line feed and the copyright notice.
    static void GetVersionStr(QString& out);
    // The link becomes argv[1] when there is one.
    void ExtractArgumentsFromCommandLine(int& argc, char** argv);

    // After the client timeout: did a running client take the link, else start the client.
    void slotHLinkPostTimeout();
    // Opens the address in the default browser ("http://" added when it has no scheme);
    // a failure is shown to the user and returned as false.
    bool OpenBrowserToAddress(const CVLString& address);
    // Resolves a vlstudio link into the web client's address through the link's server;
    // false after an error box has been shown.
    bool HandleGetWebURL(const CVLString& link, CVLString& address);
    // Called by main() before the application object exists.
    static void SetPluginLibraryPaths();
    // The folder that holds the application (bundle), with a trailing "/".
    static void GetApplicationDirectory(CVLString& out);

    const CVLString& GetLink() const { return m_Link; }
    void SetLink(const CVLString& link) { m_Link = link; }
    const CVLRUserPrefs& GetPrefs() const { return m_Prefs; }
    // Loads the preferences from the settings file again.
    void ReloadPrefs() { m_Prefs.InitFromReg(); }
    QString GetSharedMemKey() const { return m_SharedMem.GetKey(); }
    // How long the server may stay silent in the web route; 0 keeps the connection's default.
    void SetServerTimeoutSeconds(unsigned seconds) { m_ServerTimeoutSeconds = seconds; }

protected:
    CVLQtSharedMem m_SharedMem;
    CVLString m_Link;
    CVLRUserPrefs m_Prefs;
    unsigned m_ServerTimeoutSeconds = 0;
};
