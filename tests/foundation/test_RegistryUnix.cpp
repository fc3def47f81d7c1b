#include "RegistryUnix.h"
#include "../TempHome.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

Pairs CacheOf(const CVLRegistryInd& store)
{
    Pairs result;
    for (unsigned i = 1; i <= store.GetCache().GetPairCount(); ++i) {
        const NamedPair* pair = store.GetCache().GetPairAt(i);
        result.emplace_back(Str(pair->GetKey()), Str(pair->GetValue()));
    }
    return result;
}

bool RunningAsRoot()
{
    return ::geteuid() == 0;
}

// Exposes the protected reading and creating steps.
class TestRegistry : public CVLRegistry
{
public:
    using CVLRegistry::CVLRegistry;
    using CVLRegistry::InitFromFile;
    using CVLRegistry::InitRegState;
};

// Every test gets a fresh home folder of its own.
class RegistryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(m_TempHome.Make("/tmp/vlregtestXXXXXX", ""));
        m_Home = m_TempHome.Home();
        m_Folder = m_Home + "/.molvar";
        m_File = m_Folder + "/vlurlredirector.conf";
    }

    void TearDown() override
    {
        // A test may have left the folder read-only; give it back to the owner so it can be deleted.
        std::error_code ec;
        fs::permissions(m_Folder, fs::perms::owner_all, fs::perm_options::add, ec);
        m_TempHome.Remove();
    }

    // The redirector's store, constructed the way the preferences do it.
    static void MakeRedirectorStore(CVLRegistry& store) { store.SetClientID(kClientID_URLRedirector); }

    void WriteSettings(const std::string& bytes)
    {
        fs::create_directories(m_Folder);
        WriteFile(m_File, bytes);
    }

    std::vector<std::string> FolderEntries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_Folder))
            names.push_back(entry.path().filename().string());
        return names;
    }

    TempHome m_TempHome;
    std::string m_Home;
    std::string m_Folder;
    std::string m_File;
};

// ------------------------------------------------------------------------------------------------
// Locating, creating and carrying over the file

TEST_F(RegistryTest, FirstInitCreatesFolderAndEmptyFile)
{
    CVLRegistry store(static_cast<ClientID>(0), kRegKeyLocation_NotSet, nullptr);
    MakeRedirectorStore(store);
    EXPECT_EQ(store.Init(), 0);
    EXPECT_EQ(Str(store.GetFilePath()), m_File);
    EXPECT_EQ(store.GetLocation(), kRegKeyLocation_User);
    EXPECT_EQ(Str(store.GetLastError()), m_File + " could not be read or is blank.\n");
    EXPECT_TRUE(fs::is_directory(m_Folder));
    ASSERT_TRUE(fs::is_regular_file(m_File));
    EXPECT_EQ(fs::file_size(m_File), 0u);
}

TEST_F(RegistryTest, MissingFileIsCopiedFromTheOldPlaceInHome)
{
    const std::string oldFile = m_Home + "/vlurlredirector.conf";
    WriteFile(oldFile, "openpref:2\r\nclientloc:/Applications/x.app\n");
    CVLRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
    EXPECT_EQ(store.Init(), 1);
    CVLString value;
    EXPECT_TRUE(store.GetProperty("openpref", value));
    EXPECT_EQ(Str(value), "2");
    EXPECT_EQ(ReadFile(m_File), "openpref:2\r\nclientloc:/Applications/x.app\n");
    EXPECT_TRUE(fs::exists(oldFile));
}

TEST_F(RegistryTest, FilePathsByClient)
{
    struct Row {
        const char* name;
        ClientID id;
        RegKeyLocation location;
        const char* fileName;
        std::string expectedPath;
        RegKeyLocation expectedLocation;
    };
    // clang-format off
    const Row rows[] = {
        {"redirector default",      kClientID_URLRedirector,    kRegKeyLocation_NotSet, nullptr,              m_Home + "/.molvar/vlurlredirector.conf", kRegKeyLocation_User},
        {"project under molvar",    kClientID_Project,          kRegKeyLocation_User,   "p1.conf",            m_Home + "/.molvar/projects/p1.conf",     kRegKeyLocation_User},
        {"given name, location 0",  kClientID_SystemClientFile, kRegKeyLocation_NotSet, "/etc/vlclient.conf", "/etc/vlclient.conf",                     kRegKeyLocation_System},
        {"given name kept as is",   kClientID_SystemClientFile, kRegKeyLocation_User,   "rel/x.conf",         "rel/x.conf",                             kRegKeyLocation_User},
        {"system default",          kClientID_Server,           kRegKeyLocation_NotSet, nullptr,              "/etc/vlserver.conf",                     kRegKeyLocation_System},
        {"no default, user",        kClientID_UserFile,         kRegKeyLocation_User,   nullptr,              m_Home + "/",                             kRegKeyLocation_User},
        {"no default, not set",     kClientID_CGI,              kRegKeyLocation_NotSet, nullptr,              "/etc/",                                  kRegKeyLocation_NotSet},
    };
    // clang-format on
    for (const Row& row : rows) {
        TestRegistry store(row.id, row.location, row.fileName);
        store.InitRegState();
        EXPECT_EQ(Str(store.GetFilePath()), row.expectedPath) << row.name;
        EXPECT_EQ(store.GetLocation(), row.expectedLocation) << row.name;
    }
}

TEST_F(RegistryTest, MolvarBeingARegularFileLeavesItAloneAndSaysWhy)
{
    WriteFile(m_Folder, "not a folder");
    CVLRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
    EXPECT_EQ(store.Init(), 0);
    EXPECT_EQ(Str(store.GetLastError()),
              "The configuration file <" + m_File + "> did not exist and could not be created.");
    EXPECT_EQ(ReadFile(m_Folder), "not a folder");
    EXPECT_FALSE(store.SetProperty("k", "v"));
    EXPECT_EQ(ReadFile(m_Folder), "not a folder");
}

TEST_F(RegistryTest, MissingHomeFolderIsNotCreated)
{
    const std::string missing = m_Home + "/gone";
    ::setenv("HOME", missing.c_str(), 1);
    CVLRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
    EXPECT_EQ(store.Init(), 0);
    EXPECT_EQ(Str(store.GetLastError()), "The configuration file <" + missing +
                                             "/.molvar/vlurlredirector.conf> did not exist and could not be created.");
    EXPECT_FALSE(fs::exists(missing));
}

TEST_F(RegistryTest, UnsetHomeTouchesNothing)
{
    const bool rootHadMolvar = fs::exists("/.molvar");
    ::unsetenv("HOME");
    CVLRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
    EXPECT_EQ(store.Init(), 0);
    EXPECT_TRUE(store.GetFilePath().IsEmpty());
    EXPECT_NE(Str(store.GetLastError()).find("HOME"), std::string::npos);
    EXPECT_FALSE(store.SetProperty("k", "v"));
    EXPECT_NE(Str(store.GetLastError()).find("HOME"), std::string::npos);
    if (!rootHadMolvar) {
        EXPECT_FALSE(fs::exists("/.molvar"));
    }
}

TEST_F(RegistryTest, UnreadableFileKeepsDefaultsAndIsNotTouched)
{
    if (RunningAsRoot())
        GTEST_SKIP() << "permission bits do not stop root from reading";
    WriteSettings("openpref:2\n");
    fs::permissions(m_File, fs::perms::owner_write, fs::perm_options::replace);
    CVLRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
    EXPECT_EQ(store.Init(), 0);
    EXPECT_EQ(Str(store.GetLastError()), "Could not read configuration file: " + m_File + "\n");
    EXPECT_TRUE(store.GetCache().IsEmpty());
    fs::permissions(m_File, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace);
    EXPECT_EQ(ReadFile(m_File), "openpref:2\n");
}

TEST_F(RegistryTest, PipeOrFolderInPlaceOfTheFileIsNotRead)
{
    for (bool pipe : {true, false}) {
        fs::create_directories(m_Folder);
        if (pipe) {
            ASSERT_EQ(::mkfifo(m_File.c_str(), 0600), 0);  // opening it for reading would block
        } else {
            fs::create_directory(m_File);
        }
        CVLRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
        EXPECT_EQ(store.Init(), 0);
        EXPECT_EQ(Str(store.GetLastError()), "Could not read configuration file: " + m_File + "\n");
        fs::remove(m_File);
    }
}

TEST_F(RegistryTest, ReadingErrors)
{
    TestRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
    EXPECT_EQ(store.InitFromFile(CVLString(""), nullptr), 0);
    EXPECT_EQ(Str(store.GetLastError()),
              "There was an error initializing the configuration file. The configuration file name was missing.");
    const std::string missing = m_Home + "/none.conf";
    EXPECT_EQ(store.InitFromFile(CVLString(missing.c_str()), nullptr), 0);
    EXPECT_EQ(Str(store.GetLastError()), "Could not read configuration file: " + missing + "\n");
}

// ------------------------------------------------------------------------------------------------
// The file format

TEST_F(RegistryTest, ReadingRules)
{
    struct Row {
        const char* name;
        std::string content;
        Pairs expected;  // ascending key order, as the cache holds them
    };
    // clang-format off
    const Row rows[] = {
        {"spaces around key, colon and value", "  key  :  a value  \n",     {{"key", "a value"}}},
        {"first colon splits",                 "url:http://h:80/x\n",       {{"url", "http://h:80/x"}}},
        {"no colon is a key with no value",    "lonely\n",                  {{"lonely", ""}}},
        {"leading colon is ignored",           ":value\nk:v\n",             {{"k", "v"}}},
        {"blank and white lines ignored",      "\n   \n\t\nk:v\n\n",        {{"k", "v"}}},
        {"CR LF reads like LF",                "a:1\r\nb:2\r\n",            {{"a", "1"}, {"b", "2"}}},
        {"CR dropped inside a line",           "a\r:1\r2\n",                {{"a", "12"}}},
        {"last line without line feed",        "a:1\nb:2",                  {{"a", "1"}, {"b", "2"}}},
        {"later duplicate wins",               "k:first\nk:second\n",       {{"k", "second"}}},
        {"keys differ in case",                "Key:1\nkey:2\n",            {{"Key", "1"}, {"key", "2"}}},
        {"UTF-8 mark not part of the key",     "\xEF\xBB\xBFopenpref:2\n",  {{"openpref", "2"}}},
        {"UTF-8 text kept",                    "name:caf\xC3\xA9\n",        {{"name", "caf\xC3\xA9"}}},
        {"only blank lines",                   "\n\n",                      {}},
    };
    // clang-format on
    for (const Row& row : rows) {
        WriteSettings(row.content);
        CVLRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
        EXPECT_EQ(store.Init(), row.expected.empty() ? 0 : 1) << row.name;
        EXPECT_EQ(CacheOf(store), row.expected) << row.name;
    }
}

TEST_F(RegistryTest, Utf16FileWithMarkIsDecoded)
{
    const std::string text = "openpref:2\r\nclientloc:/x y\r\n";
    std::string utf16 = "\xFF\xFE";
    for (char c : text) {
        utf16 += c;
        utf16 += '\0';
    }
    WriteSettings(utf16);
    CVLRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
    EXPECT_EQ(store.Init(), 1);
    EXPECT_EQ(CacheOf(store), (Pairs{{"clientloc", "/x y"}, {"openpref", "2"}}));
}

TEST_F(RegistryTest, CGIOverrideIndexesGoIntoTheList)
{
    WriteSettings("FormsPath.3:/f\nHTMLPath.7:/h\nFormsPathX:/no\nformspath.9:/no\nother:1\n");
    CVLRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
    LList list(sizeof(int32_t));
    EXPECT_EQ(store.Init(&list), 1);
    std::vector<int32_t> indexes;
    for (unsigned i = 1; i <= list.GetCount(); ++i) {
        int32_t n = 0;
        list.GetItem(i, &n);
        indexes.push_back(n);
    }
    EXPECT_EQ(indexes, (std::vector<int32_t>{3, 7}));
    EXPECT_EQ(store.GetCache().GetPairCount(), 5u);
}

TEST_F(RegistryTest, WritingOrderAndIndexedKeys)
{
    CVLRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
    store.Init();
    EXPECT_TRUE(store.SetProperty("clientloc", "/Applications/Corvane ALM Client.app"));
    EXPECT_TRUE(store.SetProperty("openpref", "1"));
    EXPECT_TRUE(store.SetProperty("defaultclienttimeout", "2000"));
    EXPECT_EQ(ReadFile(m_File), "openpref:1\ndefaultclienttimeout:2000\nclientloc:/Applications/Corvane ALM Client.app\n");

    EXPECT_TRUE(store.SetProperty("FormsPath", "/forms", 2));
    EXPECT_TRUE(store.SetProperty("Zed", "capital sorts before lower case"));
    EXPECT_EQ(ReadFile(m_File), "openpref:1\ndefaultclienttimeout:2000\nclientloc:/Applications/Corvane ALM "
                                "Client.app\nZed:capital sorts before lower case\nFormsPath.2:/forms\n");
    CVLString value;
    EXPECT_TRUE(store.GetProperty("FormsPath", value, 2));
    EXPECT_EQ(Str(value), "/forms");
    EXPECT_FALSE(store.IsDirty());

    CVLRegistry reread(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
    EXPECT_EQ(reread.Init(), 1);
    EXPECT_EQ(CacheOf(reread), CacheOf(store));
}

TEST_F(RegistryTest, GetPropertyAbsentKey)
{
    WriteSettings("a:1\n");
    CVLRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
    store.Init();
    CVLString value("untouched");
    EXPECT_FALSE(store.GetProperty("b", value));
    EXPECT_EQ(Str(value), "untouched");
    EXPECT_FALSE(store.GetProperty("b", value, CVLString("fallback")));
    EXPECT_EQ(Str(value), "fallback");
    EXPECT_FALSE(store.GetProperty("a", value, 1));
    EXPECT_TRUE(store.GetProperty("a", value, CVLString("fallback")));
    EXPECT_EQ(Str(value), "1");
}

TEST_F(RegistryTest, ValuesThatWouldBreakTheLineStructureAreRefused)
{
    WriteSettings("a:1\n");
    CVLRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
    store.Init();
    struct Row {
        const char* key;
        const char* value;
        const char* expectedError;
    };
    // clang-format off
    const Row rows[] = {
        {"",       "v",            "Unable to set property with key .\n"},
        {"k",      "x\nopenpref:2", "Unable to set property with key k.\n"},
        {"k",      "x\r",          "Unable to set property with key k.\n"},
        {"a:b",    "v",            "Unable to set property with key a:b.\n"},
        {"a\nb",   "v",            "Unable to set property with key a\nb.\n"},
    };
    // clang-format on
    for (const Row& row : rows) {
        EXPECT_FALSE(store.SetProperty(row.key, row.value)) << row.key;
        EXPECT_EQ(Str(store.GetLastError()), row.expectedError);
    }
    EXPECT_EQ(ReadFile(m_File), "a:1\n");
}

TEST_F(RegistryTest, DeleteProperty)
{
    WriteSettings("a:1\nb:2\nc:3\n");
    CVLRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
    store.Init();

    EXPECT_FALSE(store.DeleteProperty("x", false));
    EXPECT_EQ(Str(store.GetLastError()), "Unable to delete property with key x.\n");

    EXPECT_TRUE(store.DeleteProperty("b", false));
    EXPECT_EQ(ReadFile(m_File), "c:3\na:1\n");

    EXPECT_TRUE(store.DeleteProperty(CVLString("c"), true));
    EXPECT_TRUE(store.IsDirty());
    EXPECT_EQ(ReadFile(m_File), "c:3\na:1\n");
    EXPECT_TRUE(store.SaveProperties());
    EXPECT_EQ(ReadFile(m_File), "a:1\n");
}

TEST_F(RegistryTest, DeleteCGIOverride)
{
    struct Row {
        const char* name;
        std::string content;
        bool expected;
        std::string expectedError;
        std::string expectedFile;
    };
    // clang-format off
    const Row rows[] = {
        {"both present", "FormsPath.4:/f\nHTMLPath.4:/h\nx:1\n", true,  "",                                          "x:1\n"},
        {"forms absent", "HTMLPath.4:/h\nx:1\n",                 false, "Unable to delete property with key FormsPath.4", "HTMLPath.4:/h\nx:1\n"},
        {"html absent",  "FormsPath.4:/f\nx:1\n",                false, "Unable to delete property with key HTMLPath.4",  "x:1\n"},
    };
    // clang-format on
    for (const Row& row : rows) {
        WriteSettings(row.content);
        CVLRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
        store.Init();
        EXPECT_EQ(store.DeleteCGIOverride(4), row.expected) << row.name;
        if (!row.expected) {
            EXPECT_EQ(Str(store.GetLastError()), row.expectedError) << row.name;
        }
        EXPECT_EQ(ReadFile(m_File), row.expectedFile) << row.name;
    }
}

TEST_F(RegistryTest, CacheOnlyWritesAtSaveOrDestruction)
{
    WriteSettings("a:1\n");
    {
        CVLRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
        store.Init();
        store.SetOnlyWriteSettingsToCache(true);
        EXPECT_TRUE(store.GetOnlyWriteSettingsToCache());
        EXPECT_TRUE(store.SetProperty("b", "2"));
        EXPECT_TRUE(store.DeleteProperty("a", false));
        EXPECT_EQ(ReadFile(m_File), "a:1\n");
        EXPECT_TRUE(store.SaveProperties());
        EXPECT_EQ(ReadFile(m_File), "b:2\n");
        EXPECT_TRUE(store.SetProperty("c", "3"));
        EXPECT_EQ(ReadFile(m_File), "b:2\n");
    }
    EXPECT_EQ(ReadFile(m_File), "c:3\nb:2\n");
    {
        // Not dirty: destruction leaves the file alone.
        CVLRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
        store.Init();
        store.SetOnlyWriteSettingsToCache(true);
        WriteFile(m_File, "changed:elsewhere\n");
    }
    EXPECT_EQ(ReadFile(m_File), "changed:elsewhere\n");
}

TEST_F(RegistryTest, CopyForUnitTestsMovesEverything)
{
    WriteSettings("a:1\nb:2\n");
    CVLRegistry source(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
    source.Init();
    source.SetOnlyWriteSettingsToCache(true);
    source.SetProperty("c", "3");
    source.DeleteProperty("zz", false);  // leaves a last error

    CVLRegistry target(kClientID_Server, kRegKeyLocation_System, "/nowhere.conf");
    target.UpdatePropertyInCache(CVLString("old"), CVLString("x"));
    source.CopyForUnitTests(target);

    EXPECT_EQ(CacheOf(target), (Pairs{{"a", "1"}, {"b", "2"}, {"c", "3"}}));
    EXPECT_EQ(target.GetClientID(), kClientID_URLRedirector);
    EXPECT_EQ(target.GetLocation(), kRegKeyLocation_User);
    EXPECT_EQ(Str(target.GetFilePath()), m_File);
    EXPECT_TRUE(target.GetOnlyWriteSettingsToCache());
    EXPECT_TRUE(target.IsDirty());
    EXPECT_EQ(Str(target.GetLastError()), "Unable to delete property with key zz.\n");

    EXPECT_TRUE(source.GetCache().IsEmpty());
    EXPECT_FALSE(source.GetOnlyWriteSettingsToCache());
    EXPECT_FALSE(source.IsDirty());
    EXPECT_TRUE(source.GetLastError().IsEmpty());
}

// ------------------------------------------------------------------------------------------------
// Saving: the old file survives every failure

TEST_F(RegistryTest, FailedWriteLeavesOldFileAndNoTemporaryFile)
{
    WriteSettings("keep:me\n");
    CVLRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
    ASSERT_EQ(store.Init(), 1);

    // A file-size limit makes the write fail part way, as a full disk would.
    struct rlimit old;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit limited = old;
    limited.rlim_cur = 4096;
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool result = store.SetProperty("big", std::string(100000, 'x').c_str());
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(result);
    EXPECT_EQ(Str(store.GetLastError()), std::strerror(EFBIG));
    EXPECT_EQ(ReadFile(m_File), "keep:me\n");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"vlurlredirector.conf"});
    CVLString value;
    EXPECT_FALSE(store.GetProperty("big", value));
    EXPECT_TRUE(store.GetProperty("keep", value));
}

TEST_F(RegistryTest, ReadOnlyFolderFailsWithConfigurationFileError)
{
    if (RunningAsRoot())
        GTEST_SKIP() << "permission bits do not stop root from writing";
    WriteSettings("keep:me\n");
    CVLRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
    ASSERT_EQ(store.Init(), 1);
    fs::permissions(m_Folder, fs::perms::owner_read | fs::perms::owner_exec, fs::perm_options::replace);
    EXPECT_FALSE(store.SetProperty("new", "value"));
    fs::permissions(m_Folder, fs::perms::owner_all, fs::perm_options::replace);
    EXPECT_EQ(Str(store.GetLastError()), "Configuration file error [" + m_File + "]: " + std::strerror(EACCES));
    EXPECT_EQ(ReadFile(m_File), "keep:me\n");
}

TEST_F(RegistryTest, SaveKeepsModeAndSymbolicLink)
{
    WriteSettings("a:1\n");
    ::chmod(m_File.c_str(), 0640);
    {
        CVLRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
        store.Init();
        EXPECT_TRUE(store.SetProperty("b", "2"));
    }
    struct stat info;
    ASSERT_EQ(::stat(m_File.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    // A settings file that is a link to a file elsewhere stays a link.
    const std::string real = m_Home + "/real.conf";
    fs::rename(m_File, real);
    fs::create_symlink(real, m_File);
    {
        CVLRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
        store.Init();
        EXPECT_TRUE(store.SetProperty("c", "3"));
    }
    EXPECT_TRUE(fs::is_symlink(m_File));
    EXPECT_EQ(ReadFile(real), "c:3\nb:2\na:1\n");
}

TEST_F(RegistryTest, KilledWriterLeavesCompleteOldOrNewFile)
{
    // Two large versions of the file, each a few hundred kilobytes, written in turn by a child
    // that is killed at an arbitrary moment.
    const std::string valueA(300000, 'a');
    const std::string valueB(200000, 'b');
    const std::string textA = "k:" + valueA + "\n";
    const std::string textB = "k:" + valueB + "\n";
    WriteSettings(textA);

    for (int round = 0; round < 10; ++round) {
        ASSERT_NO_FATAL_FAILURE(RunWriterUntilKilled((2 + round * 2) * 1000000L, [&]() {
            CVLRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
            store.Init();
            for (int i = 0; i < 100000; ++i)
                store.SetProperty("k", (i % 2 == 0 ? valueB : valueA).c_str());
        }));

        const std::string now = ReadFile(m_File);
        EXPECT_TRUE(now == textA || now == textB) << "round " << round << ": " << now.size() << " bytes";
    }
}

// ------------------------------------------------------------------------------------------------
// Hostile files: no crash, no hang, the reading rules still apply

TEST_F(RegistryTest, HugeFileIsRead)
{
    const std::string big(50u * 1024u * 1024u, 'v');
    WriteSettings("a:1\nbig:" + big + "\nz:2");
    CVLRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
    EXPECT_EQ(store.Init(), 1);
    CVLString value;
    EXPECT_TRUE(store.GetProperty("big", value));
    EXPECT_EQ(value.GetLength(), big.size());
    EXPECT_TRUE(store.GetProperty("z", value));
    EXPECT_EQ(Str(value), "2");
}

TEST_F(RegistryTest, FileOverTheSizeCapIsNotRead)
{
    fs::create_directories(m_Folder);
    const int fd = ::open(m_File.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(CVLRegistry::kMaxFileSize) + 1), 0);  // sparse: costs no disk
    ::close(fd);
    CVLRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
    EXPECT_EQ(store.Init(), 0);
    EXPECT_EQ(Str(store.GetLastError()).rfind("Could not read configuration file: " + m_File, 0), 0u);
    EXPECT_TRUE(store.GetCache().IsEmpty());
    EXPECT_EQ(fs::file_size(m_File), CVLRegistry::kMaxFileSize + 1u);
}

TEST_F(RegistryTest, LongLineWithoutBreaksIsOneKey)
{
    WriteSettings(std::string(2u * 1024u * 1024u, 'k'));
    CVLRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
    EXPECT_EQ(store.Init(), 1);
    ASSERT_EQ(store.GetCache().GetPairCount(), 1u);
    EXPECT_EQ(store.GetCache().GetPairAt(1)->GetKey().GetLength(), 2u * 1024u * 1024u);
    EXPECT_TRUE(store.GetCache().GetPairAt(1)->GetValue().IsEmpty());
}

TEST_F(RegistryTest, HundredThousandLinesReadAndWriteBack)
{
    std::string text;
    char line[64];
    for (int i = 0; i < 100000; ++i) {
        std::snprintf(line, sizeof line, "key%06d:value %d\n", 99999 - i, i);
        text += line;
    }
    WriteSettings(text);
    const std::clock_t start = std::clock();
    CVLRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
    EXPECT_EQ(store.Init(), 1);
    EXPECT_EQ(store.GetCache().GetPairCount(), 100000u);
    EXPECT_TRUE(store.SetProperty("key100000", "last"));
    const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    EXPECT_LT(seconds, 20.0);
    // Descending order puts the new key first and the original file order (descending) after it.
    EXPECT_EQ(ReadFile(m_File), "key100000:last\n" + text);
}

TEST_F(RegistryTest, BinaryGarbageDoesNotCrash)
{
    std::srand(7);
    for (int round = 0; round < 8; ++round) {
        std::string bytes(65536, '\0');
        for (char& c : bytes)
            c = static_cast<char>(std::rand() & 0xFF);
        if (round % 2 == 1)
            bytes[0] = '\0';  // a NUL at the very start
        WriteSettings(bytes);
        CVLRegistry store(kClientID_URLRedirector, kRegKeyLocation_NotSet, nullptr);
        const int result = store.Init();
        EXPECT_TRUE(result == 0 || result == 1);
        for (unsigned i = 1; i <= store.GetCache().GetPairCount(); ++i) {
            const CVLString& key = store.GetCache().GetPairAt(i)->GetKey();
            EXPECT_FALSE(key.IsEmpty());
            EXPECT_EQ(std::memchr(key.GetBufferPtr(), '\n', key.GetLength()), nullptr);
        }
    }
}

}  // namespace
