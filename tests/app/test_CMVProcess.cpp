#include "CMVProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{
std::vector<std::string> Split(const char* commandLine)
{
    CVLStringList list;
    CMVProcess::SplitCommandLine(CVLString(commandLine), list);
    std::vector<std::string> out;
    for (unsigned i = 1; i <= list.GetCount(); ++i)
        out.emplace_back(list.GetStringAt(i)->GetBufferPtr());
    return out;
}

class TempDir
{
public:
    TempDir()
    {
        char pattern[] = "/tmp/vlproc_XXXXXX";
        m_Path = ::mkdtemp(pattern);
    }
    ~TempDir() { std::system(("rm -rf '" + m_Path + "'").c_str()); }
    const std::string& Path() const { return m_Path; }
    std::string WriteScript(const std::string& relative, const std::string& body) const
    {
        const std::string path = m_Path + "/" + relative;
        std::system(("mkdir -p \"$(dirname '" + path + "')\"").c_str());
        std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
        ::chmod(path.c_str(), 0755);
        return path;
    }

private:
    std::string m_Path;
};
} // namespace

TEST(CMVProcessSplit, QuotesGroupAndVanishSpacesSeparate)
{
    struct Case
    {
        const char* line;
        std::vector<std::string> expected;
    };
    // clang-format off
    const Case cases[] = {
        {"\"/opt/My Client/client\" -link vlstudio://s:1//P%20Q/dfct", {"/opt/My Client/client", "-link", "vlstudio://s:1//P%20Q/dfct"}},
        {"a   b", {"a", "b"}},
        {"a b ", {"a", "b"}},
        {"a\"b c\"d", {"ab cd"}},
        {"", {}},
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(Split(c.line), c.expected) << c.line;
}

TEST(CMVProcessQuote, EnsureQuoted)
{
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"\"quoted\"", "\"quoted\""},
        {"/opt/client", "\"/opt/client\""},
        {"\"open", "\"\"open\""},
    };
    // clang-format on
    for (const auto& c : cases)
    {
        CVLString text(c.first);
        CMVProcess::EnsureQuoted(text);
        EXPECT_STREQ(text.GetBufferPtr(), c.second) << c.first;
    }
}

TEST(CMVProcessStart, MissingExecutableIsReportedWithItsPath)
{
    CMVProcess process(CVLString("\"/nonexistent/dir/client\" -link x"), false, false, false);
    EXPECT_FALSE(process.Exec());
    EXPECT_STREQ(process.GetProcessOutput().GetBufferPtr(),
                 "Could not start process: Could not find executable: /nonexistent/dir/client");
}

TEST(CMVProcessStart, CapturedChildGetsArgumentsAndEnvironment)
{
    TempDir dir;
    const std::string script = dir.WriteScript("with space/tool", "echo \"$0|$1|$2|$VLTEST\"; read x; echo \"got $x\"");
    CMVProcess process(CVLString(("\"" + script + "\" -link a%20b").c_str()), true, false, false);
    EXPECT_TRUE(process.AddEnvironmentVar(CVLString("VLTEST"), CVLString("on")));
    EXPECT_FALSE(process.AddEnvironmentVar(CVLString("EMPTY"), CVLString("")));
    ASSERT_TRUE(process.Exec()) << process.GetProcessOutput().GetBufferPtr();
    CVLString line;
    ASSERT_TRUE(process.ReadLine(line, 5));
    EXPECT_EQ(std::string(line.GetBufferPtr()), script + "|-link|a%20b|on");
    ASSERT_TRUE(process.WriteLine(CVLString("ping")));
    ASSERT_TRUE(process.ReadLine(line, 5));
    EXPECT_STREQ(line.GetBufferPtr(), "got ping");
    EXPECT_TRUE(process.WaitForProcessToComplete(5));
    EXPECT_EQ(process.GetProcessReturnValue(), 0);

    EXPECT_FALSE(process.WaitForProcessToComplete(-1));
}

TEST(CMVProcessStart, BundleRunsTheExecutableItNames)
{
    TempDir dir;
    const std::string bundle = dir.Path() + "/Corvane ALM Client.app";
    const std::string executable = dir.WriteScript("Corvane ALM Client.app/Contents/MacOS/vlclient", "echo \"$0 $1\"");
    std::ofstream(bundle + "/Contents/Info.plist")
        << "<?xml version=\"1.0\"?>\n<plist><dict>\n<key>CFBundleExecutable</key>\n<string>vlclient</string>\n"
           "</dict></plist>\n";
    CMVProcess process(CVLString(("\"" + bundle + "\" -link").c_str()), true, false, false);
    ASSERT_TRUE(process.Exec()) << process.GetProcessOutput().GetBufferPtr();
    CVLString line;
    ASSERT_TRUE(process.ReadLine(line, 5));
    EXPECT_EQ(std::string(line.GetBufferPtr()), executable + " -link");
}

TEST(CMVProcessStart, SecondExecWhileRunningIsRefused)
{
    CMVProcess process(CVLString("/bin/sleep 5"), false, false, false);
    ASSERT_TRUE(process.Exec());
    EXPECT_FALSE(process.Exec());
    EXPECT_STREQ(process.GetProcessOutput().GetBufferPtr(), "Could not start process: Process already running.");
    EXPECT_TRUE(process.ForceQuit());
    EXPECT_FALSE(process.IsProcessRunning());
}

TEST(CMVProcessSystem, ExitStatusAndTimeLimit)
{
    EXPECT_EQ(CMVProcess::system(CVLString("/bin/sh -c \"exit 3\""), 0), 3);
    EXPECT_EQ(CMVProcess::system(CVLString("/nonexistent"), 0), -1);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(CMVProcess::system(CVLString("/bin/sleep 30"), 1), -1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}
