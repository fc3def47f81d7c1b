#include "CVLURLRedirectorApp.h"

#include "AssocArray.h"
#include "CMVProcess.h"
#include "CMVQtModalHook.h"
#include "CVLBackendServer.h"
#include "CVLHyperlink.h"
#include "CVLQtSetPluginLibraryPath.h"
#include "CVLRequestExtensibleConnect.h"
#include "CVLRequestGetCGIURL.h"
#include "CVLRequestGetCGIURLResp.h"
#include "CVLQtConfigDlg.h"
#include "CVLQtMessageBox.h"
#include "MVLaunchServices.h"
#include "VLFileSystem.h"
#include "VLProductNames.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QVariant>

#include <cstdlib>
#include <memory>
#include <unistd.h>

const char* const g_VLURLRedirectorSharedMemKey = "wowkgsskuxdqemj_657378";

namespace
{
const char* const kAppName = "Corvane ALM URL Redirector";
const char* const kVersion = "2026.2.0 Build 05";

// The platform named in the version text.
const char* PlatformName()
{
#if defined(Q_OS_MACOS)
    return "Mac OS X/Intel 64";
#elif defined(Q_OS_LINUX) && defined(__x86_64__)
    return "Linux/x86-64";
#elif defined(Q_OS_LINUX) && defined(__aarch64__)
    return "Linux/ARM 64";
#elif defined(Q_OS_LINUX)
    return "Linux";
#else
    return "Unix";
#endif
}

const unsigned kSharedMemSize = 4096;

// Shows a box the way QMessageBox::information does, through the modal hook.
void ShowInformation(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Ok);
    CMVQtModalHook::ExecMessageBox(box, text);
}
} // namespace

CVLURLRedirectorApp::CVLURLRedirectorApp(int& argc, char** argv) : QApplication(argc, argv)
{
    // The message boxes of the ui layer take their title from here.
    setProperty("vlAppName", QString::fromUtf8(GetAppName()));
    m_SharedMem.SetKey(QStringLiteral("%1_%2")
                           .arg(QString::fromLatin1(g_VLURLRedirectorSharedMemKey))
                           .arg(static_cast<qulonglong>(getuid())));
    m_Prefs.InitFromReg();
}

CVLURLRedirectorApp::~CVLURLRedirectorApp()
{
    m_SharedMem.Close();
}

const char* CVLURLRedirectorApp::GetAppName() const
{
    return kAppName;
}

bool CVLURLRedirectorApp::BrowserIndHLinkMatch(const QString& text) const
{
    const QByteArray wanted = text.toUtf8();
    const QByteArray link(m_Link.GetBufferPtr(), static_cast<int>(m_Link.GetLength()));
    return link == wanted || link == wanted + '/';
}

void CVLURLRedirectorApp::GetVersionStr(QString& out)
{
    out =
        QStringLiteral("%1 (%2)\n%3")
            .arg(QString::fromLatin1(kVersion), QString::fromLatin1(PlatformName()), QString::fromUtf8(g_cszCopyright));
}

void CVLURLRedirectorApp::ExtractArgumentsFromCommandLine(int& argc, char** argv)
{
    if (argc > 1 && argv && argv[1])
        m_Link = argv[1];
}

void CVLURLRedirectorApp::DisplayVersionInfo()
{
    QString text;
    GetVersionStr(text);
    ShowInformation(QString::fromUtf8(GetAppName()), text);
}

void CVLURLRedirectorApp::DisplayDebugInfo()
{
    QString text;
    GetVersionStr(text);
    text += QStringLiteral("\n\nCurrent path: ") + QDir::currentPath();
    text += QStringLiteral("\nApp path: ") + QCoreApplication::applicationFilePath();
    CVLString location;
    m_Prefs.GetPrefsLocStr(location);
    text += QStringLiteral("\nSettings location: ") + location.ToQString();
    if (const char* user = std::getenv("USER"))
        text += QStringLiteral("\nUser: ") + QString::fromLocal8Bit(user);
    text += QStringLiteral("\nMem key name: ") + m_SharedMem.GetKey();
    text += QStringLiteral("\nLink: ") + m_Link.ToQString();
    ShowInformation(QString::fromUtf8(GetAppName()), text);
}

void CVLURLRedirectorApp::DisplayErrorToUser(const QString& text) const
{
    QString shown = text;
    if (shown.isEmpty())
        shown = tr("An unexpected error occurred.");
    CVLQtMessageBox::VLCriticalBoxOk(QApplication::activeWindow(), CVLString(shown));
}

bool CVLURLRedirectorApp::DisplayConfiguration(bool allowChoice)
{
    CVLQtConfigDlg dlg(QApplication::activeWindow(), allowChoice);
    const bool accepted = dlg.exec() == QDialog::Accepted;
    if (accepted)
        m_Prefs.InitFromReg();
    return accepted;
}

void CVLURLRedirectorApp::HandleHLink()
{
    // 1-3. The special links are answered here and never validated.
    if (BrowserIndHLinkMatch(QStringLiteral("vlstudio://config")))
    {
        CVLQtConfigDlg dlg(QApplication::activeWindow(), true);
        if (dlg.exec() == QDialog::Accepted)
            m_Prefs.InitFromReg();
        return;
    }
    if (BrowserIndHLinkMatch(QStringLiteral("vlstudio://print_version")))
    {
        DisplayVersionInfo();
        return;
    }
    if (BrowserIndHLinkMatch(QStringLiteral("vlstudio://print_debug")))
    {
        DisplayDebugInfo();
        return;
    }

    // Modal windows below run nested event loops in which a further open-URL event can replace
    // the stored link (and schedule a run of its own); this run hands on only the link it validated.
    CVLString link = m_Link;

    // 4. Validation sees the link as received, spaces included.
    CVLString message;
    if (!CVLHyperlink::isValidHyperlink(link, message))
    {
        DisplayErrorToUser(message.ToQString());
        return;
    }

    // 5. Unusable preferences: the user chooses first; a cancel ends the run silently.
    if (!m_Prefs.IsValid(nullptr))
    {
        CVLQtConfigDlg dlg(QApplication::activeWindow(), true);
        if (dlg.exec() != QDialog::Accepted)
            return;
        m_Prefs.InitFromReg();
    }

    // 6. The client's command line is split at spaces; keep the link in one piece.
    link.ReplaceCharSequence(" ", "%20");
    m_Link = link;

    if (m_Prefs.GetLinkOpenPref() == CVLRUserPrefs::kLinkOpenPref_NativeClient)
    {
        // 7. Offer the link to a running client, give it the timeout to answer, then check.
        if (!m_SharedMem.CreateIfNeeded(kSharedMemSize))
        {
            DisplayErrorToUser(m_SharedMem.GetLastError());
            return;
        }
        if (!m_SharedMem.WriteMem(link.ToQString()))
            return;
        const int timeout = m_Prefs.GetClientTimeout();
        vl_sleepmilliseconds(timeout > 0 ? static_cast<unsigned>(timeout) : 0U);
        slotHLinkPostTimeout();
        return;
    }

    // 8. Web browser: the server tells the web client's address for the link.
    CVLString address;
    if (HandleGetWebURL(link, address))
        OpenBrowserToAddress(address);
}

bool CVLURLRedirectorApp::OpenBrowserToAddress(const CVLString& address)
{
    CVLString target = address;
    if (!target.BeginsWith(CVLString("http://"), true) && !target.BeginsWith(CVLString("https://"), true))
        target.Insert("http://", 0);
    const bool launched = MVLaunchAssociatedApplication(target, nullptr);
    if (!launched)
        CVLQtMessageBox::VLCriticalBoxOk(
            QApplication::activeWindow(),
            CVLString(tr("The browser could not be launched to handle the requested Web page.")));
    return launched;
}

void CVLURLRedirectorApp::GetApplicationDirectory(CVLString& out)
{
    QString dir = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    const int bundle = dir.indexOf(QLatin1String(".app"));
    if (bundle > 0)
        dir.truncate(bundle);
    CVLString path(dir);
    if (!GetDirectoryFromFullFilePathname(path, out, '/'))
        out = path;
}

void CVLURLRedirectorApp::slotHLinkPostTimeout()
{
    bool changed = false;
    QString current;
    if (!m_SharedMem.WriteMemIfNotChanged(changed, &current))
    {
        DisplayErrorToUser(tr("Could not write to the shared memory segment. ") + m_SharedMem.GetLastError());
        return;
    }
    if (changed)
        return; // a running client took the link

    if (!m_Prefs.HasValidClientPath())
    {
        // The choice is locked: only the client path can be set here.
        if (!DisplayConfiguration(false))
            return;
    }

    const CVLString& clientPath = m_Prefs.GetClientPath();
    CVLString commandLine;
    commandLine.SafeFormat("\"%s\" -link %s", clientPath.GetBufferPtr(), m_Link.GetBufferPtr());
    CMVProcess process(commandLine, false, false, false);
    process.AddCurrentProcessEnvToEnvList();
    process.SetApplicationDirectory(CVLString(QCoreApplication::applicationDirPath()));
    if (!process.Exec())
    {
        QString text = tr("Could not start the native client at: %0\n%1");
        text.replace(QLatin1String("%0"), clientPath.ToQString());
        text.replace(QLatin1String("%1"), process.GetProcessOutput().ToQString());
        DisplayErrorToUser(text);
    }
}

bool CVLURLRedirectorApp::HandleGetWebURL(const CVLString& link, CVLString& address)
{
    address.Empty(0);
    const QString parseError = tr("There was an error parsing the hyperlink.");

    CVLHyperlink::eLinkType type;
    CVLString userName, password, server, project, error;
    int port = 0;
    unsigned tableID = 0;
    AssocArray parameters(1);
    if (!CVLHyperlink::Parse(link, type, userName, password, server, port, project, tableID, parameters, error, false))
    {
        DisplayErrorToUser(parseError + error.ToQString());
        return false;
    }

    // Declared in this order so that responses go first, then requests, then the backend,
    // whose destruction disconnects politely.
    CVLBackendServer backend;
    if (m_ServerTimeoutSeconds != 0)
        backend.SetDefaultTimeout(m_ServerTimeoutSeconds);
    CVLRequestExtensibleConnect connect;
    CVLRequestGetCGIURL getURL;
    std::unique_ptr<CVLRequestResponse> connectResponse;
    std::unique_ptr<CVLRequestResponse> urlResponse;

    auto fail = [this, &backend]()
    {
        CVLString message;
        backend.GetErrorMsg(message);
        DisplayErrorToUser(message.ToQString());
        return false;
    };
    // The caller owns whatever comes back, also on failure.
    auto send = [&backend](CVLRequest& request, std::unique_ptr<CVLRequestResponse>& response)
    {
        CVLRequestResponse* received = nullptr;
        const bool sent = backend.SendRequest(&request, received, nullptr);
        response.reset(received);
        return sent && received != nullptr;
    };

    if (!backend.Initialize(true) || !backend.Connect(server, static_cast<unsigned>(port), CVLString()))
        return fail();

    connect.SetClientType(kClientTypeURLRedirector);
    connect.SetSessionCookie(-1);
    if (!send(connect, connectResponse))
        return fail();

    getURL.SetSessionCookie(backend.GetSessionCookie());
    getURL.SetProjectName(project);
    if (!send(getURL, urlResponse))
        return fail();

    const auto* urlAnswer = dynamic_cast<const CVLRequestGetCGIURLResp*>(urlResponse.get());
    const CVLString baseAddress = urlAnswer != nullptr ? urlAnswer->GetCGIURL() : CVLString();
    const unsigned projectID = urlAnswer != nullptr ? urlAnswer->GetProjectId() : 0;
    error.Empty(0);
    if (!CVLHyperlink::ConvertVLStudioToHTTP(link, baseAddress, address, error, projectID))
    {
        DisplayErrorToUser(parseError + error.ToQString());
        return false;
    }
    return true;
}

void CVLURLRedirectorApp::SetPluginLibraryPaths()
{
    CVLString directory;
    if (QCoreApplication::instance() != nullptr)
        GetApplicationDirectory(directory);
    else
    {
        // Before the application object exists Qt cannot say where the program lies; the
        // executable's own link does.
        const QString executable = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
        if (!executable.isEmpty())
            GetDirectoryFromFullFilePathname(CVLString(executable), directory, '/');
    }
    CVLQtSetPluginLibraryPath::SetPluginLibraryPath(directory.ToQString());
}
