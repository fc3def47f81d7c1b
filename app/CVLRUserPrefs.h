#pragma once

#include "CVLString.h"

class CVLRegistry;

// The redirector's three choices: open links in the native client or in a web browser, where
// the native client is, and how long to wait for a running client to take a link. Kept in the
// user's settings file ".molvar/vlurlredirector.conf" (settings store client 8). Plain data:
// copying copies the values.
class CVLRUserPrefs
{
public:
    static const char* const kLinkOpenPrefPropName;      // "openpref"
    static const char* const kClientPathName;            // "clientloc"
    static const char* const kDefaultClientTimeoutName;  // "defaultclienttimeout"
    static const char* const kDefaultClientTimeoutValue; // "2000"

    enum {
        kLinkOpenPref_NotChosen = 0,
        kLinkOpenPref_NativeClient = 1,
        kLinkOpenPref_WebBrowser = 2
    };
    static const int kDefaultClientTimeoutMS = 2000;
    // A hand-edited timeout above this is cut to it (the dialog offers 1 to 99 seconds), so that
    // a stray value cannot keep the redirector asleep for days; a negative one reads as the default.
    static const int kMaxClientTimeoutMS = 99000;

    // Open preference 0, empty client path, timeout 2000 ms.
    CVLRUserPrefs();
    virtual ~CVLRUserPrefs();

    // Loads the three values from the settings file (creating it, empty, when missing) and falls
    // back to the native client's bundle named by the system client file when the stored client
    // path is unusable; in that case the file is rewritten at once. Never fails visibly: whatever
    // cannot be read keeps its default. Afterwards the open preference is 1 or 2.
    void InitFromReg();
    // Saves the three values, keeping every other key of the file. On failure message (may be
    // null) receives "There was a problem saving your preferences. " and the store's reason.
    bool FlushToReg(CVLString* message);
    // False with the (translated) reason in message (may be null) when the choices are unusable.
    bool IsValid(CVLString* message) const;
    // The open preference is 1 or 2.
    bool HasValidOpenPref() const;
    // A file or folder exists at the client path; false for an empty path.
    bool HasValidClientPath() const;
    // Same open preference, byte-identical client path and same timeout.
    static bool IsEqualTo(const CVLRUserPrefs& a, const CVLRUserPrefs& b);

    // "Corvane ALM URL Redirector".
    const char* GetAppName() const;
    // The settings file's path relative to the home folder: ".molvar/vlurlredirector.conf". Returns out.
    CVLString& GetPrefsLocStr(CVLString& out) const;
    // Points store at the redirector's file (client 8) and initialises it; true when the file
    // held at least one pair.
    bool InitRegistry(CVLRegistry& store) const;

    int GetLinkOpenPref() const { return m_LinkOpenPref; }
    void SetLinkOpenPref(int openPref) { m_LinkOpenPref = openPref; }
    const CVLString& GetClientPath() const { return m_ClientPath; }
    void SetClientPath(const CVLString& path) { m_ClientPath = path; }
    // Milliseconds.
    int GetClientTimeout() const { return m_ClientTimeout; }
    void SetClientTimeout(int milliseconds) { m_ClientTimeout = milliseconds; }

private:
    int m_LinkOpenPref;
    CVLString m_ClientPath;
    int m_ClientTimeout;
};
