#include "CVLRUserPrefs.h"

#include "CVLApplicationSpecifics.h"
#include "RegistryUnix.h"
#include "../TempHome.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const char kClientPathText[] =
    "Choose a valid Corvane ALM Client executable to launch if there is no open client to handle the link.";
const char kOpenPrefText[] = "Choose how the link should be handled.";

// A temporary home folder, and the system client file pointed into it. Uses the process's
// application-specifics object when a test main made one, else makes its own.
class UserPrefsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(m_TempHome.Make("/tmp/vlprefstestXXXXXX", "home"));
        m_Root = m_TempHome.Root();
        m_Home = m_TempHome.Home();
        m_Folder = m_Home + "/.molvar";
        m_File = m_Folder + "/vlurlredirector.conf";
        m_SystemFile = m_Root + "/vlclient.conf";

        if (g_spApplicationSpecifics == nullptr)
            m_OwnSpecifics = std::make_unique<CVLApplicationSpecifics>();
        m_OldSystemFile = g_spApplicationSpecifics->GetClientConfigFile();
        g_spApplicationSpecifics->SetClientConfigFile(CVLString(m_SystemFile.c_str()));
    }

    void TearDown() override
    {
        g_spApplicationSpecifics->SetClientConfigFile(m_OldSystemFile);
        m_OwnSpecifics.reset();
        m_TempHome.Remove();
    }

    void WriteSettings(const std::string& bytes)
    {
        fs::create_directories(m_Folder);
        WriteFile(m_File, bytes);
    }

    // An installed client bundle (a folder) inside a folder named by the system file.
    std::string InstallClientBundle(bool trailingSlash)
    {
        const std::string apps = m_Root + "/Applications";
        const std::string bundle = apps + "/Corvane ALM Client.app";
        fs::create_directories(bundle);
        WriteFile(m_SystemFile, "ApplicationDirectory:" + apps + (trailingSlash ? "/" : "") + "\n");
        return bundle;
    }

    static bool RunningAsRoot() { return ::geteuid() == 0; }

    std::unique_ptr<CVLApplicationSpecifics> m_OwnSpecifics;
    CVLString m_OldSystemFile;
    TempHome m_TempHome;
    std::string m_Root;
    std::string m_Home;
    std::string m_Folder;
    std::string m_File;
    std::string m_SystemFile;
};

TEST_F(UserPrefsTest, FirstRunCreatesEmptyFileAndAsksForClientPath)
{
    InstallClientBundle(false);  // must not be consulted: the new file holds nothing
    CVLRUserPrefs prefs;
    prefs.InitFromReg();
    EXPECT_EQ(prefs.GetLinkOpenPref(), 1);
    EXPECT_TRUE(prefs.GetClientPath().IsEmpty());
    EXPECT_EQ(prefs.GetClientTimeout(), 2000);
    ASSERT_TRUE(fs::is_directory(m_Folder));
    ASSERT_TRUE(fs::is_regular_file(m_File));
    EXPECT_EQ(fs::file_size(m_File), 0u);

    CVLString message;
    EXPECT_FALSE(prefs.IsValid(&message));
    EXPECT_EQ(Str(message), kClientPathText);
}

TEST_F(UserPrefsTest, EmptyUserFileNeverConsultsSystemFile)
{
    InstallClientBundle(false);
    WriteSettings("");
    CVLRUserPrefs prefs;
    prefs.InitFromReg();
    EXPECT_TRUE(prefs.GetClientPath().IsEmpty());
    EXPECT_EQ(ReadFile(m_File), "");
}

TEST_F(UserPrefsTest, LoadingValues)
{
    const std::string client = m_Root + "/client.app";
    fs::create_directories(client);
    struct Row {
        const char* name;
        std::string content;
        int openPref;
        std::string clientPath;
        int timeout;
        bool valid;
    };
    // clang-format off
    const Row rows[] = {
        {"browser alone is valid",  "openpref:2\n",                                          2, "",     2000,  true},
        {"zero becomes native",     "openpref:0\n",                                          1, "",     2000,  false},
        {"three becomes native",    "openpref:3\n",                                          1, "",     2000,  false},
        {"non-number is native",    "openpref:web\n",                                        1, "",     2000,  false},
        {"native with client",      "openpref:1\nclientloc:" + client + "\n",                1, client, 2000,  true},
        {"timeout read",            "openpref:2\ndefaultclienttimeout:2500\n",               2, "",     2500,  true},
        {"negative timeout",        "openpref:2\ndefaultclienttimeout:-40\n",                2, "",     2000,  true},
        {"huge timeout capped",     "openpref:2\ndefaultclienttimeout:2000000000\n",         2, "",     99000, true},
        {"missing client not taken","openpref:1\nclientloc:" + m_Root + "/none.app\n",       1, "",     2000,  false},
    };
    // clang-format on
    for (const Row& row : rows) {
        WriteSettings(row.content);
        CVLRUserPrefs prefs;
        prefs.InitFromReg();
        EXPECT_EQ(prefs.GetLinkOpenPref(), row.openPref) << row.name;
        EXPECT_EQ(Str(prefs.GetClientPath()), row.clientPath) << row.name;
        EXPECT_EQ(prefs.GetClientTimeout(), row.timeout) << row.name;
        EXPECT_EQ(prefs.IsValid(nullptr), row.valid) << row.name;
        EXPECT_EQ(ReadFile(m_File), row.content) << row.name << ": loading must not rewrite the file";
    }
}

TEST_F(UserPrefsTest, UnreadableClientPathIsNotTaken)
{
    if (RunningAsRoot())
        GTEST_SKIP() << "permission bits do not stop root from reading";
    const std::string client = m_Root + "/locked";
    WriteFile(client, "binary");
    fs::permissions(client, fs::perms::none, fs::perm_options::replace);
    WriteSettings("openpref:1\nclientloc:" + client + "\n");
    CVLRUserPrefs prefs;
    prefs.InitFromReg();
    EXPECT_TRUE(prefs.GetClientPath().IsEmpty());
}

TEST_F(UserPrefsTest, SystemFileFallbackRewritesUserFile)
{
    for (bool trailingSlash : {false, true}) {
        const std::string bundle = InstallClientBundle(trailingSlash);
        WriteSettings("clientloc:" + m_Root + "/moved-away.app\n");
        CVLRUserPrefs prefs;
        prefs.InitFromReg();
        EXPECT_EQ(Str(prefs.GetClientPath()), bundle);
        EXPECT_EQ(prefs.GetLinkOpenPref(), 1);  // corrected in memory only
        EXPECT_EQ(ReadFile(m_File), "openpref:0\ndefaultclienttimeout:2000\nclientloc:" + bundle + "\n");
    }
}

TEST_F(UserPrefsTest, FallbackNeedsAnExistingBundle)
{
    WriteFile(m_SystemFile, "ApplicationDirectory:" + m_Root + "/NoApps\n");
    WriteSettings("openpref:2\n");
    CVLRUserPrefs prefs;
    prefs.InitFromReg();
    EXPECT_TRUE(prefs.GetClientPath().IsEmpty());
    EXPECT_EQ(ReadFile(m_File), "openpref:2\n");
}

TEST_F(UserPrefsTest, SavingWritesKnownOrderAndKeepsOtherKeys)
{
    WriteSettings("zzz:keep\nabc:also kept\nopenpref:1\n");
    CVLRUserPrefs prefs;
    prefs.InitFromReg();
    prefs.SetLinkOpenPref(2);
    prefs.SetClientPath(CVLString("/Applications/Corvane ALM Client.app"));
    prefs.SetClientTimeout(3000);
    CVLString message("untouched");
    EXPECT_TRUE(prefs.FlushToReg(&message));
    EXPECT_EQ(Str(message), "untouched");
    EXPECT_EQ(ReadFile(m_File), "zzz:keep\nopenpref:2\ndefaultclienttimeout:3000\n"
                                "clientloc:/Applications/Corvane ALM Client.app\nabc:also kept\n");

    CVLRUserPrefs reloaded;
    reloaded.InitFromReg();
    EXPECT_EQ(reloaded.GetLinkOpenPref(), 2);
    EXPECT_EQ(reloaded.GetClientTimeout(), 3000);
}

TEST_F(UserPrefsTest, FailedSaveLeavesOldFileAndSaysWhy)
{
    WriteSettings("openpref:2\nother:x\n");
    CVLRUserPrefs prefs;
    prefs.InitFromReg();
    prefs.SetLinkOpenPref(1);
    prefs.SetClientPath(CVLString(std::string(100000, 'p').c_str()));

    struct rlimit old;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit limited = old;
    limited.rlim_cur = 4096;
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    CVLString message;
    const bool saved = prefs.FlushToReg(&message);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(Str(message), std::string("There was a problem saving your preferences. ") + std::strerror(EFBIG));
    EXPECT_EQ(ReadFile(m_File), "openpref:2\nother:x\n");
}

TEST_F(UserPrefsTest, ValueThatCannotBeStoredIsNotReportedAsSaved)
{
    WriteSettings("openpref:2\n");
    CVLRUserPrefs prefs;
    prefs.InitFromReg();
    prefs.SetClientPath(CVLString("/x\nopenpref:1"));
    CVLString message;
    EXPECT_FALSE(prefs.FlushToReg(&message));
    EXPECT_EQ(Str(message), "There was a problem saving your preferences. Unable to set property with key clientloc.\n");
    EXPECT_EQ(ReadFile(m_File), "openpref:2\n");
}

TEST_F(UserPrefsTest, UnreadableFileIsNotReplacedBySave)
{
    if (RunningAsRoot())
        GTEST_SKIP() << "permission bits do not stop root from reading";
    WriteSettings("openpref:2\nunknown:keep\n");
    fs::permissions(m_File, fs::perms::owner_write, fs::perm_options::replace);
    CVLRUserPrefs prefs;
    prefs.InitFromReg();
    EXPECT_EQ(prefs.GetLinkOpenPref(), 1);
    CVLString message;
    EXPECT_FALSE(prefs.FlushToReg(&message));
    EXPECT_EQ(Str(message), "There was a problem saving your preferences. Could not read configuration file: " + m_File + "\n");
    fs::permissions(m_File, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace);
    EXPECT_EQ(ReadFile(m_File), "openpref:2\nunknown:keep\n");
}

TEST_F(UserPrefsTest, KilledSaveLeavesCompleteOldOrNewPreferences)
{
    WriteSettings("");
    CVLRUserPrefs a;
    a.SetLinkOpenPref(1);
    a.SetClientPath(CVLString(std::string(200000, 'a').c_str()));
    a.SetClientTimeout(1000);
    CVLRUserPrefs b;
    b.SetLinkOpenPref(2);
    b.SetClientPath(CVLString(std::string(100000, 'b').c_str()));
    b.SetClientTimeout(5000);
    ASSERT_TRUE(a.FlushToReg(nullptr));
    const std::string textA = ReadFile(m_File);
    ASSERT_TRUE(b.FlushToReg(nullptr));
    const std::string textB = ReadFile(m_File);

    for (int round = 0; round < 5; ++round) {
        ASSERT_NO_FATAL_FAILURE(RunWriterUntilKilled((3 + round * 4) * 1000000L, [&]() {
            for (int i = 0; i < 100000; ++i)
                (i % 2 == 0 ? a : b).FlushToReg(nullptr);
        }));
        const std::string now = ReadFile(m_File);
        EXPECT_TRUE(now == textA || now == textB) << "round " << round << ": " << now.size() << " bytes";
    }
}

TEST_F(UserPrefsTest, Validation)
{
    const std::string client = m_Root + "/client.app";
    fs::create_directories(client);
    struct Row {
        int openPref;
        std::string path;
        bool valid;
        const char* message;  // null: left unchanged
    };
    // clang-format off
    const Row rows[] = {
        {1, client,                  true,  nullptr},
        {1, m_Root + "/missing.app", false, kClientPathText},
        {1, "",                      false, kClientPathText},
        {2, "",                      true,  nullptr},
        {0, client,                  false, kOpenPrefText},
        {3, "",                      false, kOpenPrefText},
        {-1, client,                 false, kOpenPrefText},
    };
    // clang-format on
    for (const Row& row : rows) {
        CVLRUserPrefs prefs;
        prefs.SetLinkOpenPref(row.openPref);
        prefs.SetClientPath(CVLString(row.path.c_str()));
        CVLString message("unchanged");
        EXPECT_EQ(prefs.IsValid(&message), row.valid) << row.openPref << " " << row.path;
        EXPECT_EQ(Str(message), row.message != nullptr ? row.message : "unchanged") << row.openPref << " " << row.path;
        EXPECT_EQ(prefs.IsValid(nullptr), row.valid);
        EXPECT_EQ(prefs.HasValidOpenPref(), row.openPref == 1 || row.openPref == 2);
    }
}

TEST_F(UserPrefsTest, Equality)
{
    CVLRUserPrefs base;
    base.SetLinkOpenPref(1);
    base.SetClientPath(CVLString("/Apps/Client.app"));
    base.SetClientTimeout(2000);

    CVLRUserPrefs same = base;
    EXPECT_TRUE(CVLRUserPrefs::IsEqualTo(base, same));

    CVLRUserPrefs other = base;
    other.SetLinkOpenPref(2);
    EXPECT_FALSE(CVLRUserPrefs::IsEqualTo(base, other));
    other = base;
    other.SetClientPath(CVLString("/apps/client.app"));
    EXPECT_FALSE(CVLRUserPrefs::IsEqualTo(base, other));
    other = base;
    other.SetClientTimeout(3000);
    EXPECT_FALSE(CVLRUserPrefs::IsEqualTo(base, other));
}

TEST_F(UserPrefsTest, NamesAndRegistry)
{
    CVLRUserPrefs prefs;
    EXPECT_STREQ(prefs.GetAppName(), "Corvane ALM URL Redirector");
    CVLString location;
    EXPECT_EQ(&prefs.GetPrefsLocStr(location), &location);
    EXPECT_EQ(Str(location), ".molvar/vlurlredirector.conf");

    CVLRegistry empty(static_cast<ClientID>(0), kRegKeyLocation_NotSet, nullptr);
    EXPECT_FALSE(prefs.InitRegistry(empty));
    EXPECT_EQ(empty.GetClientID(), kClientID_URLRedirector);
    EXPECT_EQ(Str(empty.GetFilePath()), m_File);

    WriteSettings("openpref:2\n");
    CVLRegistry filled(static_cast<ClientID>(0), kRegKeyLocation_NotSet, nullptr);
    EXPECT_TRUE(prefs.InitRegistry(filled));
}

}  // namespace
