#include "CVLURLRedirectorApp.h"

#include "CMVQtModalHook.h"
#include "CVLHyperlink.h"
#include "CVLQtConfigDlg.h"
#include "CVLQtMessageBox.h"
#include "MVLaunchServices.h"
#include "VLFileSystem.h"
#include "VLProductNames.h"

#include <QDir>
#include <QMessageBox>
#include <QVariant>

#include <cstdlib>
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

// ---------------------------------------------------------------------------------------
// Hand-off completion, web resolution and plug-in paths. These are the seams the client
// launch and the server conversation plug into; until then they keep the dispatch whole:
// the link stays offered to a running client, and a web link ends in an error box.

void CVLURLRedirectorApp::slotHLinkPostTimeout() {}

bool CVLURLRedirectorApp::HandleGetWebURL(const CVLString& /*link*/, CVLString& address)
{
    address.Empty(0);
    DisplayErrorToUser(tr("Opening links in a web browser is not available in this build."));
    return false;
}

void CVLURLRedirectorApp::SetPluginLibraryPaths()
{
    // Qt's own plug-in paths are kept as Qt sets them.
}
