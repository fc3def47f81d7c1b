#include "MVLaunchServices.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <syslog.h>
#include <unistd.h>
#include <vector>

namespace
{
const char* const kURLPrefixes[] = {"http://", "https://", "ftp://",      "file://",  "telnet://",
                                    "news:",   "nntp://",  "escm://",     "vlstudio://", "mailto:"};

// How long the opener may take to report failure; an opener still running after this
// has handed the target on (some stay until the browser window closes).
const int kOpenerVerdictMs = 3000;

bool IsURL(const CVLString& target)
{
    for (const char* prefix : kURLPrefixes)
        if (target.BeginsWith(CVLString(prefix), true))
            return true;
    return false;
}

// Runs the opener with the given arguments. Returns 0 when it started and did not report
// failure within the verdict time, else an errno-like or exit status.
int RunOpener(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    int execPipe[2];
    if (::pipe(execPipe) != 0)
        return errno;
    ::fcntl(execPipe[1], F_SETFD, FD_CLOEXEC);
    ::signal(SIGCHLD, SIG_DFL);
    const pid_t child = ::fork();
    if (child < 0)
    {
        const int error = errno;
        ::close(execPipe[0]);
        ::close(execPipe[1]);
        return error;
    }
    if (child == 0)
    {
        ::close(execPipe[0]);
        ::setsid(); // the opener and the browser it starts outlive this process
        ::execvp(argv[0], argv.data());
        const int error = errno;
        ssize_t ignored = ::write(execPipe[1], &error, sizeof error);
        (void)ignored;
        ::_exit(127);
    }
    ::close(execPipe[1]);
    int execError = 0;
    ssize_t got;
    do
        got = ::read(execPipe[0], &execError, sizeof execError);
    while (got < 0 && errno == EINTR);
    ::close(execPipe[0]);
    if (got == ssize_t(sizeof execError))
    {
        ::waitpid(child, nullptr, 0);
        return execError != 0 ? execError : ENOENT;
    }
    for (int waited = 0; waited < kOpenerVerdictMs; waited += 10)
    {
        int status = 0;
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        if (done < 0)
            return 0;
        ::poll(nullptr, 0, 10);
    }
    return 0;
}

QString StatusText(int status)
{
    if (status == 127 || status == ENOENT)
        return QStringLiteral("The desktop opener \"%1\" could not be started.").arg(QString::fromUtf8(MVGetDesktopOpener()));
    if (status > 0 && status < 256)
        return QStringLiteral("The desktop opener reported failure (status %1).").arg(status);
    return QString::fromUtf8(std::strerror(status < 0 ? -status : status));
}

bool ReportFailure(int status, const CVLString& target, const CVLString* application, CVLString* message)
{
    const QByteArray text = StatusText(status).toUtf8();
    if (message != nullptr)
        *message = CVLString(CVLString::UTF8, text.constData(), unsigned(text.size()));
    if (application == nullptr)
        ::syslog(LOG_ERR, "Molvar browser error encountered: err = %d (%s) while trying to invoke \"%s\"", status,
                 text.constData(), target.GetBufferPtr());
    else
        ::syslog(LOG_ERR, "Molvar error encountered: err = %d (%s) while trying to invoke \"%s\" using \"%s\"", status,
                 text.constData(), target.GetBufferPtr(), application->GetBufferPtr());
    return false;
}
} // namespace

const char* MVGetDesktopOpener()
{
#ifdef __APPLE__
    return "/usr/bin/open";
#else
    return "xdg-open";
#endif
}

bool MVLaunchAssociatedApplication(const CVLString& target, CVLString* message)
{
    if (target.GetLength() == 0)
        return false;
    if (!IsURL(target))
    {
        // Like a path the system cannot resolve: false without any text.
        struct stat info;
        if (::stat(target.GetBufferPtr(), &info) != 0)
            return false;
    }
    const int status = RunOpener({MVGetDesktopOpener(), target.GetBufferPtr()});
    if (status == 0)
        return true;
    return ReportFailure(status, target, nullptr, message);
}

bool MVEditWithAssociatedApplication(const CVLString& target, CVLString* message)
{
    return MVLaunchAssociatedApplication(target, message);
}

namespace
{
bool LaunchWithDocuments(const CVLString& application, const std::vector<const CVLString*>& documents,
                         CVLString* message)
{
    struct stat info;
    if (::stat(application.GetBufferPtr(), &info) != 0)
        return ReportFailure(ENOENT, application, nullptr, message);
    CVLString executable(application);
    MVResolveBundleExecutable(executable);
    std::vector<std::string> arguments{executable.GetBufferPtr()};
    for (const CVLString* document : documents)
    {
        if (document->GetLength() == 0)
            continue;
        if (::stat(document->GetBufferPtr(), &info) != 0 && !IsURL(*document))
            return ReportFailure(ENOENT, *document, &application, message);
        arguments.emplace_back(document->GetBufferPtr());
    }
    const int status = RunOpener(arguments);
    return status == 0 || ReportFailure(status, application, nullptr, message);
}
} // namespace

bool MVLaunchApplicationWithDocuments(const CVLString& application, const CVLString& document, CVLString* message)
{
    return LaunchWithDocuments(application, {&document}, message);
}

bool MVLaunchApplicationWithDocuments(const CVLString& application, const CVLString& document1,
                                      const CVLString& document2, CVLString* message)
{
    return LaunchWithDocuments(application, {&document1, &document2}, message);
}

bool MVLaunchApplicationWithDocuments(const CVLString& application, const CVLString& document1,
                                      const CVLString& document2, const CVLString& document3, CVLString* message)
{
    return LaunchWithDocuments(application, {&document1, &document2, &document3}, message);
}

void MVResolveBundleExecutable(CVLString& path)
{
    struct stat info;
    if (!path.EndsWith(CVLString(".app")) || ::stat(path.GetBufferPtr(), &info) != 0 || !S_ISDIR(info.st_mode))
        return;
    CVLString name;
    if (!MVGetBundleExecutableName(path, name))
        return;
    path.Append("/Contents/MacOS/");
    path.Append(name);
}

bool MVGetBundleExecutableName(const CVLString& bundlePath, CVLString& name)
{
    const QString bundle = QString::fromUtf8(bundlePath.GetBufferPtr());
    QFile plist(bundle + QStringLiteral("/Contents/Info.plist"));
    // A property list larger than this is not an application's; don't read it into memory.
    const qint64 kMaxPlistBytes = 1 << 20;
    if (plist.open(QIODevice::ReadOnly) && plist.size() <= kMaxPlistBytes)
    {
        const QString text = QString::fromUtf8(plist.readAll());
        static const QRegularExpression entry(
            QStringLiteral("<key>\\s*CFBundleExecutable\\s*</key>\\s*<string>\\s*([^<]*?)\\s*</string>"));
        const QRegularExpressionMatch match = entry.match(text);
        if (match.hasMatch() && !match.captured(1).isEmpty() && !match.captured(1).contains(QLatin1Char('/')))
        {
            name = CVLString(match.captured(1));
            return true;
        }
    }
    QString base = QFileInfo(bundle).fileName();
    if (base.endsWith(QStringLiteral(".app")))
        base.chop(4);
    if (base.isEmpty())
        return false;
    name = CVLString(base);
    return true;
}
