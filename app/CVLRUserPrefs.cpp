#include "CVLRUserPrefs.h"

#include "CApplicationSpecifics.h"
#include "RegistryUnix.h"
#include "VLProductNames.h"

#include <QFile>
#include <QObject>
#include <QString>

#include <unistd.h>

const char* const CVLRUserPrefs::kLinkOpenPrefPropName = "openpref";
const char* const CVLRUserPrefs::kClientPathName = "clientloc";
const char* const CVLRUserPrefs::kDefaultClientTimeoutName = "defaultclienttimeout";
const char* const CVLRUserPrefs::kDefaultClientTimeoutValue = "2000";

namespace {

const char kPrefsLocation[] = ".molvar/vlurlredirector.conf";
const char kSystemClientFile[] = "/etc/vlclient.conf";
const char kApplicationDirectoryKey[] = "ApplicationDirectory";

bool IsReadable(const CVLString& path)
{
    return !path.IsEmpty() && ::access(path.GetBufferPtr(), R_OK) == 0;
}

int SaneTimeout(int milliseconds)
{
    if (milliseconds < 0)
        return CVLRUserPrefs::kDefaultClientTimeoutMS;
    if (milliseconds > CVLRUserPrefs::kMaxClientTimeoutMS)
        return CVLRUserPrefs::kMaxClientTimeoutMS;
    return milliseconds;
}

}  // namespace

CVLRUserPrefs::CVLRUserPrefs()
    : m_LinkOpenPref(kLinkOpenPref_NotChosen), m_ClientTimeout(kDefaultClientTimeoutMS)
{
}

CVLRUserPrefs::~CVLRUserPrefs() = default;

bool CVLRUserPrefs::InitRegistry(CVLRegistry& store) const
{
    store.SetClientID(kClientID_URLRedirector);
    return store.Init() > 0;
}

void CVLRUserPrefs::InitFromReg()
{
    m_LinkOpenPref = kLinkOpenPref_NotChosen;
    m_ClientPath = "";
    m_ClientTimeout = kDefaultClientTimeoutMS;

    CVLRegistry store(static_cast<ClientID>(0), kRegKeyLocation_NotSet, nullptr);
    if (InitRegistry(store)) {
        CVLString value;
        if (store.GetProperty(kLinkOpenPrefPropName, value))
            m_LinkOpenPref = value.AtoI();
        if (store.GetProperty(kDefaultClientTimeoutName, value))
            m_ClientTimeout = SaneTimeout(value.AtoI());

        CVLString clientPath;
        store.GetProperty(kClientPathName, clientPath, CVLString::kEmptyString);
        if (IsReadable(clientPath)) {
            m_ClientPath = clientPath;
        } else {
            // The suite's installer names the folder of the native client in a system-wide file.
            const CVLString systemFile = g_spApplicationSpecifics != nullptr
                                             ? g_spApplicationSpecifics->GetClientConfigFile()
                                             : CVLString(kSystemClientFile);
            CVLRegistry systemStore(kClientID_SystemClientFile, kRegKeyLocation_System, systemFile.GetBufferPtr());
            CVLString folder;
            if (systemStore.CommonInit(nullptr) > 0 && systemStore.GetProperty(kApplicationDirectoryKey, folder)) {
                CVLString candidate = folder;
                candidate.AppendDirSeperatorIfNotPresent();
                CVLString bundleName;
                bundleName.SafeFormat("%s.app", g_cszNativeClientNameVLPro);
                candidate += bundleName;
                if (IsReadable(candidate)) {
                    m_ClientPath = candidate;
                    FlushToReg(nullptr);
                }
            }
        }
    }

    if (!HasValidOpenPref())
        m_LinkOpenPref = kLinkOpenPref_NativeClient;
}

bool CVLRUserPrefs::FlushToReg(CVLString* message)
{
    CVLRegistry store(static_cast<ClientID>(0), kRegKeyLocation_NotSet, nullptr);
    InitRegistry(store);

    // A file that exists but cannot be read would lose every key this program does not know
    // about if it were replaced now; leave it alone and say why.
    const CVLString& path = store.GetFilePath();
    if (!path.IsEmpty() && ::access(path.GetBufferPtr(), F_OK) == 0 && ::access(path.GetBufferPtr(), R_OK) != 0) {
        if (message != nullptr) {
            *message = "There was a problem saving your preferences. ";
            *message += store.GetLastError();
        }
        return false;
    }

    // The three values go into the cache first and reach the file in one save, so that the file
    // holds either all of the old or all of the new values, never a mixture, and a value that
    // could not be set is not reported as saved.
    store.SetOnlyWriteSettingsToCache(true);
    bool allSet = store.SetProperty(kLinkOpenPrefPropName, CVLString(m_LinkOpenPref).GetBufferPtr());
    allSet = store.SetProperty(kClientPathName, m_ClientPath.GetBufferPtr()) && allSet;
    allSet = store.SetProperty(kDefaultClientTimeoutName, CVLString(m_ClientTimeout).GetBufferPtr()) && allSet;
    store.SetOnlyWriteSettingsToCache(false);

    const bool saved = allSet && store.SaveProperties();
    if (!saved && message != nullptr) {
        *message = "There was a problem saving your preferences. ";
        if (!store.GetLastError().IsEmpty())
            *message += store.GetLastError();
    }
    return saved;
}

bool CVLRUserPrefs::IsValid(CVLString* message) const
{
    if (m_LinkOpenPref == kLinkOpenPref_WebBrowser)
        return true;
    if (m_LinkOpenPref == kLinkOpenPref_NativeClient) {
        if (HasValidClientPath())
            return true;
        if (message != nullptr) {
            *message = CVLString(QObject::tr(
                "Choose a valid %VLNCN% executable to launch if there is no open client to handle the link."));
            message->ReplaceCharSequence("%VLNCN%", g_cszNativeClientNameVLPro);
        }
        return false;
    }
    if (message != nullptr)
        *message = CVLString(QObject::tr("Choose how the link should be handled."));
    return false;
}

bool CVLRUserPrefs::HasValidOpenPref() const
{
    return m_LinkOpenPref == kLinkOpenPref_NativeClient || m_LinkOpenPref == kLinkOpenPref_WebBrowser;
}

bool CVLRUserPrefs::HasValidClientPath() const
{
    return !m_ClientPath.IsEmpty() && QFile::exists(m_ClientPath.ToQString());
}

bool CVLRUserPrefs::IsEqualTo(const CVLRUserPrefs& a, const CVLRUserPrefs& b)
{
    return a.m_LinkOpenPref == b.m_LinkOpenPref && a.m_ClientPath.Compare(b.m_ClientPath, false) == 0 &&
           a.m_ClientTimeout == b.m_ClientTimeout;
}

const char* CVLRUserPrefs::GetAppName() const
{
    return "Corvane ALM URL Redirector";
}

CVLString& CVLRUserPrefs::GetPrefsLocStr(CVLString& out) const
{
    out = kPrefsLocation;
    return out;
}
