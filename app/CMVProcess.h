#pragma once

#include "CVLString.h"
#include "CVLStringList.h"

#include <sys/types.h>

class QStringList;

// One child process started with fork and exec. The child runs in a process group of its
// own and keeps running when this object is destroyed. Start-up failures are returned as
// false with the reason in GetProcessOutput().
class CMVProcess
{
public:
    CMVProcess();
    CMVProcess(const CVLString& commandLine, bool captureInputOutput, bool sendStdOutToFile, bool ignoreStdErr);
    virtual ~CMVProcess();
    CMVProcess(const CMVProcess&) = delete;
    CMVProcess& operator=(const CMVProcess&) = delete;

    bool SetCommandLine(const CVLString& commandLine);
    void SetApplicationDirectory(const CVLString& directory) { m_ApplicationDirectory = directory; }
    void SetCaptureInputOutput(bool capture) { m_bCaptureInputOutput = capture; }
    void SetSendStdOutToFile(bool toFile) { m_bSendStdOutToFile = toFile; }
    void SetIgnoreStdErr(bool ignore) { m_bIgnoreStdErr = ignore; }
    bool SetStdOutFileName(const CVLString& name);

    // Appends "name=value"; false when either is empty.
    bool AddEnvironmentVar(const CVLString& name, const CVLString& value);
    bool AddEnvironmentVars(const QStringList& entries);
    bool AddCurrentProcessEnvToEnvList();
    bool AddCurrentProcessPathToEnvList();

    bool Exec();
    const CVLString& GetProcessOutput() const { return m_ProcessOutput; }
    bool IsProcessRunning();
    // seconds 0 = no limit; false at once for a negative limit or when no child runs.
    virtual bool WaitForProcessToComplete(int seconds);
    int GetProcessReturnValue();
    pid_t GetProcessID() const { return m_ChildID; }
    bool TryQuit();
    bool ForceQuit();

    // Non-blocking reads of a captured child's output; seconds -1 means 30.
    // Returns the number of bytes read, or -1 when nothing could be read.
    long ReadStdOut(char* buffer, unsigned long size, int seconds);
    bool ReadLine(CVLString& line, int seconds);
    bool WriteStdIn(const char* bytes, unsigned long count);
    bool WriteLine(const CVLString& line);

    static void EnsureQuoted(CVLString& text);
    // Runs the command with the current environment; the exit status, or -1 when it does not
    // start or outlives the limit (it is then terminated). seconds 0 = no limit.
    static int system(const CVLString& commandLine, int seconds);

    // The argument vector StartProcess builds from a command line (exposed for tests).
    static void SplitCommandLine(const CVLString& commandLine, CVLStringList& arguments);

private:
    bool CreateHandles();
    bool StartProcess();
    void CloseHandles();
    void CollectOutput();
    bool CheckChild(bool wait);

    CVLString m_CommandLine;
    CVLString m_ApplicationDirectory;
    bool m_bChangeDirectory = false;
    CVLStringList m_EnvironmentList;
    bool m_bCaptureInputOutput = false;
    CVLString m_ProcessOutput;
    bool m_bSendStdOutToFile = false;
    CVLString m_StdOutFileName;
    bool m_bExitStatusKnown = false;
    int m_ExitStatus = -1;
    bool m_bIgnoreStdErr = false;
    pid_t m_ChildID = 0;
    int m_ChildStdIn = 0;
    int m_ParentStdIn = 0;
    int m_ParentStdOut = 0;
    int m_ChildStdOut = 0;
    int m_StdOutFile = 0;
    CVLString m_LineRemainder;
};
