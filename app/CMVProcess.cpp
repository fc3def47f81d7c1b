#include "CMVProcess.h"

#include "MVLaunchServices.h"

#include <QStringList>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace
{
void CloseDescriptor(int& fd)
{
    if (fd > 0)
        ::close(fd);
    fd = 0;
}

bool SetNonBlocking(int fd)
{
    const int flags = ::fcntl(fd, F_GETFL);
    return flags != -1 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) != -1;
}

void SleepMilliseconds(int ms)
{
    ::usleep(useconds_t(ms) * 1000);
}

// Tried in order when the requested executable could not be run, so the forked copy of this
// process never returns into the parent's code.
const char* const kFallbackPrograms[] = {"pwd", "/bin/pwd", "/usr/bin/pwd", "/usr/local/bin/pwd",
                                         "ls",  "/bin/ls",  "/usr/bin/ls",  "/usr/local/bin/ls"};
} // namespace

CMVProcess::CMVProcess() = default;

CMVProcess::CMVProcess(const CVLString& commandLine, bool captureInputOutput, bool sendStdOutToFile,
                       bool ignoreStdErr)
    : m_CommandLine(commandLine), m_bCaptureInputOutput(captureInputOutput), m_bSendStdOutToFile(sendStdOutToFile),
      m_bIgnoreStdErr(ignoreStdErr)
{
}

CMVProcess::~CMVProcess()
{
    if (m_bCaptureInputOutput)
        CollectOutput();
    m_EnvironmentList.EmptyListAndDeleteContents();
    CloseHandles();
    if (m_ChildID != 0)
        CheckChild(false);
}

bool CMVProcess::SetCommandLine(const CVLString& commandLine)
{
    m_CommandLine = commandLine;
    return m_CommandLine.GetLength() != 0;
}

bool CMVProcess::SetStdOutFileName(const CVLString& name)
{
    m_StdOutFileName = name;
    return m_StdOutFileName.GetLength() != 0;
}

bool CMVProcess::AddEnvironmentVar(const CVLString& name, const CVLString& value)
{
    if (name.GetLength() == 0 || value.GetLength() == 0)
        return false;
    CVLString entry(name);
    entry.Append("=");
    entry.Append(value);
    return m_EnvironmentList.AddStringToList(entry);
}

bool CMVProcess::AddEnvironmentVars(const QStringList& entries)
{
    for (const QString& entry : entries)
    {
        if (!m_EnvironmentList.AddStringToList(entry))
            return false;
    }
    return true;
}

bool CMVProcess::AddCurrentProcessEnvToEnvList()
{
    if (environ == nullptr || environ[0] == nullptr)
    {
        AddCurrentProcessPathToEnvList();
        return false;
    }
    for (char** entry = environ; *entry != nullptr; ++entry)
        m_EnvironmentList.AddStringToList(CVLString(CVLString::UTF8, *entry, unsigned(-1)));
    return true;
}

bool CMVProcess::AddCurrentProcessPathToEnvList()
{
    bool added = false;
    for (const char* name : {"PATH", "DYLD_LIBRARY_PATH"})
    {
        const char* value = ::getenv(name);
        if (value == nullptr)
            continue;
        CVLString entry(CVLString::UTF8, name, unsigned(-1));
        entry.Append("=");
        entry.Append(CVLString(CVLString::UTF8, value, unsigned(-1)));
        added = m_EnvironmentList.AddStringToList(entry) || added;
    }
    return added;
}

void CMVProcess::SplitCommandLine(const CVLString& commandLine, CVLStringList& arguments)
{
    const char* text = commandLine.GetBufferPtr();
    const unsigned length = commandLine.GetLength();
    std::string current;
    bool inQuotes = false;
    bool inArgument = length > 0;
    for (unsigned i = 0; i < length; ++i)
    {
        const char c = text[i];
        if (c == '"')
        {
            inQuotes = !inQuotes;
            inArgument = true;
            continue; // quotes only group; they never reach the argument
        }
        if (c == ' ' && !inQuotes)
        {
            if (inArgument)
                arguments.AddStringToList(CVLString(CVLString::UTF8, current.c_str(), unsigned(current.size())));
            current.clear();
            inArgument = false;
            continue;
        }
        current += c;
        inArgument = true;
    }
    if (inArgument)
        arguments.AddStringToList(CVLString(CVLString::UTF8, current.c_str(), unsigned(current.size())));
}

bool CMVProcess::CreateHandles()
{
    int input[2] = {0, 0};
    int output[2] = {0, 0};
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, input) != 0)
        return false;
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, output) != 0)
    {
        ::close(input[0]);
        ::close(input[1]);
        return false;
    }
    m_ChildStdIn = input[0];
    m_ParentStdIn = input[1];
    m_ParentStdOut = output[0];
    m_ChildStdOut = output[1];
    SetNonBlocking(m_ParentStdIn);
    SetNonBlocking(m_ParentStdOut);
    if (m_bSendStdOutToFile)
    {
        m_StdOutFile = ::open(m_StdOutFileName.GetBufferPtr(), O_WRONLY | O_CREAT, 0666);
        if (m_StdOutFile < 0)
        {
            m_StdOutFile = 0;
            CloseHandles();
            return false;
        }
    }
    return true;
}

void CMVProcess::CloseHandles()
{
    CloseDescriptor(m_ChildStdIn);
    CloseDescriptor(m_ParentStdIn);
    CloseDescriptor(m_ParentStdOut);
    CloseDescriptor(m_ChildStdOut);
    CloseDescriptor(m_StdOutFile);
}

bool CMVProcess::Exec()
{
    m_ProcessOutput.Empty(0);
    if (m_bCaptureInputOutput && !CreateHandles())
        return false;
    return StartProcess();
}

bool CMVProcess::StartProcess()
{
    if (m_ChildID != 0)
    {
        m_ProcessOutput = "Could not start process: Process already running.";
        return false;
    }
    CVLStringList arguments;
    SplitCommandLine(m_CommandLine, arguments);
    if (arguments.GetCount() == 0)
    {
        m_ProcessOutput = "Could not start process: Could not find executable: ";
        return false;
    }
    CVLString executable(*arguments.GetStringAt(1));
    MVResolveBundleExecutable(executable);
    *arguments.GetNonConstStringAt(1) = executable;
    if (::access(executable.GetBufferPtr(), X_OK) != 0)
    {
        CVLString text("Could not start process: Could not find executable: ");
        text.Append(executable);
        m_ProcessOutput = text.Left(1024);
        return false;
    }

    // Everything the child touches is prepared before the fork.
    std::vector<char*> argv;
    for (unsigned i = 1; i <= arguments.GetCount(); ++i)
        argv.push_back(const_cast<char*>(arguments.GetStringAt(i)->GetBufferPtr()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (unsigned i = 1; i <= m_EnvironmentList.GetCount(); ++i)
        envp.push_back(const_cast<char*>(m_EnvironmentList.GetStringAt(i)->GetBufferPtr()));
    envp.push_back(nullptr);
    char* emptyEnvironment[] = {nullptr};
    char** childEnvironment = m_EnvironmentList.GetCount() != 0 ? envp.data() : emptyEnvironment;
    const bool changeDirectory = m_bChangeDirectory && m_ApplicationDirectory.GetLength() != 0;
    const char* directory = m_ApplicationDirectory.GetBufferPtr();
    const char* path = executable.GetBufferPtr();

    int errorPipe[2] = {-1, -1};
    if (::pipe(errorPipe) != 0)
        errorPipe[0] = errorPipe[1] = -1;
    ::signal(SIGCHLD, SIG_DFL);

    const pid_t child = ::fork();
    if (child < 0)
    {
        const int error = errno;
        if (errorPipe[0] >= 0)
        {
            ::close(errorPipe[0]);
            ::close(errorPipe[1]);
        }
        m_ProcessOutput.SafeFormat("Could not start process: Unable to fork(): %d", error);
        return false;
    }
    if (child == 0)
    {
        ::setpgid(0, 0);
        if (errorPipe[0] >= 0)
        {
            ::close(errorPipe[0]);
            ::fcntl(errorPipe[1], F_SETFD, FD_CLOEXEC);
        }
        if (m_bCaptureInputOutput)
        {
            ::dup2(m_ChildStdIn, STDIN_FILENO);
            ::dup2(m_bSendStdOutToFile && m_StdOutFile > 0 ? m_StdOutFile : m_ChildStdOut, STDOUT_FILENO);
            if (!m_bIgnoreStdErr)
                ::dup2(m_ChildStdOut, STDERR_FILENO);
        }
        if (changeDirectory && ::chdir(directory) != 0)
        {
            // Stay where we are; the executable path is absolute or relative to the parent's folder.
        }
        ::execve(path, argv.data(), childEnvironment);
        if (errorPipe[1] >= 0)
        {
            const char zero = 0;
            ssize_t ignored = ::write(errorPipe[1], &zero, 1);
            (void)ignored;
            ::close(errorPipe[1]);
        }
        for (int fd : {m_ChildStdIn, m_ParentStdIn, m_ParentStdOut, m_ChildStdOut, m_StdOutFile})
            if (fd > 0)
                ::close(fd);
        for (const char* fallback : kFallbackPrograms)
        {
            char* fallbackArgv[] = {const_cast<char*>(fallback), nullptr};
            ::execve(fallback, fallbackArgv, childEnvironment);
        }
        ::_exit(-1);
    }

    bool execFailed = false;
    if (errorPipe[0] >= 0)
    {
        ::close(errorPipe[1]);
        char byte = 0;
        ssize_t got;
        do
            got = ::read(errorPipe[0], &byte, 1);
        while (got < 0 && (errno == EAGAIN || errno == EINTR));
        execFailed = got == 1;
        ::close(errorPipe[0]);
    }
    if (execFailed)
    {
        int status = 0;
        ::waitpid(child, &status, WNOHANG);
        m_ProcessOutput = "Could not start process: Unable to exec().";
        m_ChildID = 0;
        return false;
    }
    m_ChildID = child;
    if (m_bCaptureInputOutput)
    {
        CloseDescriptor(m_ChildStdIn);
        CloseDescriptor(m_ChildStdOut);
    }
    return m_ChildID != 0;
}

void CMVProcess::CollectOutput()
{
    if (m_ParentStdOut <= 0)
        return;
    char chunk[4096];
    for (;;)
    {
        const ssize_t got = ::read(m_ParentStdOut, chunk, sizeof chunk);
        if (got <= 0)
            break;
        m_ProcessOutput.Append(CVLString(CVLString::Raw, chunk, unsigned(got)));
    }
}

bool CMVProcess::CheckChild(bool wait)
{
    if (m_ChildID == 0)
        return false;
    int status = 0;
    const pid_t result = ::waitpid(m_ChildID, &status, wait ? 0 : WNOHANG);
    if (result == m_ChildID || (result < 0 && errno == ECHILD))
    {
        if (result == m_ChildID)
        {
            m_bExitStatusKnown = true;
            m_ExitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        m_ChildID = 0;
        return false;
    }
    return true; // still running
}

bool CMVProcess::IsProcessRunning()
{
    if (m_bCaptureInputOutput)
        CollectOutput();
    return CheckChild(false);
}

bool CMVProcess::WaitForProcessToComplete(int seconds)
{
    if (seconds < 0 || m_ChildID == 0)
        return false;
    const long limitMs = long(seconds) * 1000;
    for (long waited = 0;; waited += 500)
    {
        if (!IsProcessRunning())
            return true;
        if (seconds != 0 && waited >= limitMs)
            return false;
        SleepMilliseconds(500);
    }
}

int CMVProcess::GetProcessReturnValue()
{
    if (!m_bExitStatusKnown)
        CheckChild(false);
    return m_ExitStatus;
}

bool CMVProcess::TryQuit()
{
    return m_ChildID != 0 && ::kill(-m_ChildID, SIGTERM) == 0;
}

bool CMVProcess::ForceQuit()
{
    if (m_ChildID == 0)
        return false;
    const bool sent = ::kill(-m_ChildID, SIGKILL) == 0;
    CheckChild(true);
    return sent;
}

long CMVProcess::ReadStdOut(char* buffer, unsigned long size, int seconds)
{
    if (m_ParentStdOut <= 0 || buffer == nullptr || size == 0)
        return -1;
    const long limitMs = long(seconds < 0 ? 30 : seconds) * 1000;
    unsigned long filled = 0;
    long waited = 0;
    while (filled < size)
    {
        const ssize_t got = ::read(m_ParentStdOut, buffer + filled, size - filled);
        if (got > 0)
        {
            filled += static_cast<unsigned long>(got);
            continue;
        }
        if (got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
            break; // the output has ended
        if (filled != 0 || waited >= limitMs)
            break;
        SleepMilliseconds(50);
        waited += 50;
    }
    return filled != 0 ? long(filled) : -1;
}

bool CMVProcess::ReadLine(CVLString& line, int seconds)
{
    line = m_LineRemainder;
    m_LineRemainder.Empty(0);
    unsigned at = 0;
    if (line.InStr("\n", 0, &at, false))
    {
        CVLString rest = line.Mid(int(at + 1), int(line.GetLength() - at - 1));
        m_LineRemainder = rest;
        line = line.Left(int(at));
        return true;
    }
    char chunk[1024];
    for (;;)
    {
        const long got = ReadStdOut(chunk, sizeof chunk, seconds);
        if (got <= 0)
            return line.GetLength() != 0;
        const void* newline = std::memchr(chunk, '\n', size_t(got));
        if (newline == nullptr)
        {
            line.Append(CVLString(CVLString::Raw, chunk, unsigned(got)));
            continue;
        }
        const unsigned before = unsigned(static_cast<const char*>(newline) - chunk);
        line.Append(CVLString(CVLString::Raw, chunk, before));
        m_LineRemainder = CVLString(CVLString::Raw, chunk + before + 1, unsigned(got) - before - 1);
        return true;
    }
}

bool CMVProcess::WriteStdIn(const char* bytes, unsigned long count)
{
    if (m_ParentStdIn <= 0 || bytes == nullptr)
        return false;
    unsigned long written = 0;
    while (written < count)
    {
        const ssize_t put = ::write(m_ParentStdIn, bytes + written, count - written);
        if (put > 0)
            written += static_cast<unsigned long>(put);
        else if (put < 0 && errno == EINTR)
            continue;
        else
            return false;
    }
    return true;
}

bool CMVProcess::WriteLine(const CVLString& line)
{
    return WriteStdIn(line.GetBufferPtr(), line.GetLength()) && WriteStdIn("\n", 1);
}

void CMVProcess::EnsureQuoted(CVLString& text)
{
    const unsigned length = text.GetLength();
    if (length == 0)
        return;
    const char* bytes = text.GetBufferPtr();
    if (bytes[0] == '"' && bytes[length - 1] == '"')
        return;
    CVLString quoted("\"");
    quoted.Append(text);
    quoted.Append("\"");
    text = quoted;
}

int CMVProcess::system(const CVLString& commandLine, int seconds)
{
    CMVProcess process(commandLine, false, false, false);
    process.AddCurrentProcessEnvToEnvList();
    if (!process.Exec())
        return -1;
    if (process.WaitForProcessToComplete(seconds))
        return process.GetProcessReturnValue();
    process.TryQuit();
    for (int waited = 0; waited < 1000 && process.IsProcessRunning(); waited += 50)
        SleepMilliseconds(50);
    if (process.m_ChildID != 0)
        process.ForceQuit();
    return -1;
}
