#include "CMVDateTime.h"
#include "CVLString.h"
#include "CVLStringList.h"
#include "VLFileSystem.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Str(const CVLString& s)
{
    return std::string(s.GetBufferPtr(), s.GetLength());
}

CVLString S(const std::string& s)
{
    return CVLString(CVLString::Raw, s.data(), static_cast<unsigned>(s.size()));
}

std::set<std::string> ToSet(const CVLStringList& list)
{
    std::set<std::string> out;
    for (unsigned i = 1; i <= list.GetCount(); ++i)
        out.insert(Str(*list.GetStringAt(i)));
    return out;
}

class FileSystemTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    std::string Root() const { return m_dir.path().toStdString(); }
    std::string Path(const std::string& name) const { return Root() + "/" + name; }
    void Touch(const std::string& name, const std::string& bytes = "x") const
    {
        int fd = open(Path(name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        close(fd);
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST(PathFunctions, DirectoryPart)
{
    struct Row
    {
        const char* path;
        char separator;
        const char* expected;
    };
    // clang-format off
    const Row rows[] = {
        {"/a/b/c.txt",  '/',  "/a/b/"},
        {"/a/b/c.txt",  0,    "/a/b"},
        {"c.txt",       0,    "c.txt"},
        {"c.txt",       '/',  "c.txt/"},
        {"",            '/',  ""},
        {"C:\\x\\y.doc", 0,   "C:\\x"},
        {"C:\\x\\y.doc", '/', "C:\\x\\"},
        {"/a/b/",       0,    "/a/b"},
        {"/c.txt",      0,    "/"},   // the root stays a folder
    };
    // clang-format on
    for (const Row& row : rows) {
        CVLString result("junk");
        GetDirectoryFromFullFilePathname(CVLString(row.path), result, row.separator);
        EXPECT_EQ(Str(result), row.expected) << row.path << " sep " << int(row.separator);
    }
    CVLString inPlace("/a/b/c.txt");
    GetDirectoryFromFullFilePathname(inPlace, inPlace, '/');
    EXPECT_EQ(Str(inPlace), "/a/b/");
}

TEST(PathFunctions, JoinAndSplit)
{
    struct JoinRow
    {
        const char* folder;
        const char* name;
        char separator;
        const char* expected;
    };
    // clang-format off
    const JoinRow joins[] = {
        {"/a/",    "b",   0,    "/a/b"},
        {"",       "b",   0,    "b"},
        {"/a",     "b",   0,    "/a/b"},
        {"/a",     "/b",  '/',  "/a/b"},
        {"C:\\x",  "y",   '\\', "C:\\x\\y"},
        {"/a\\x",  "y",   '\\', "/a\\x/y"},   // a folder with '/' gets '/'
    };
    // clang-format on
    for (const JoinRow& row : joins) {
        CVLString result;
        GetFullFilePathnameFromDirectoryAndFilename(CVLString(row.folder), CVLString(row.name), result, row.separator);
        EXPECT_EQ(Str(result), row.expected) << row.folder << " + " << row.name;
    }

    struct SplitRow
    {
        const char* path;
        const char* fileName;
        const char* root;
        const char* repoPath;
        const char* repoPathWithSlash;
        const char* repoFile;
    };
    // clang-format off
    const SplitRow splits[] = {
        {"/a/b/c.txt",   "c.txt", "a",     "a/b",  "a/b/",  "c.txt"},
        {"\\\\/proj/x",  "x",     "proj",  "proj", "proj/", "x"},
        {"c.txt",        "c.txt", "c.txt", "",     "",      "c.txt"},
        {"dir\\f.txt",   "f.txt", "dir\\f.txt", "", "",     "dir\\f.txt"},
    };
    // clang-format on
    for (const SplitRow& row : splits) {
        CVLString out;
        GetFilenameFromFullFilePathname(CVLString(row.path), out);
        EXPECT_EQ(Str(out), row.fileName) << row.path;
        GetRootFromRepoPath(CVLString(row.path), out);
        EXPECT_EQ(Str(out), row.root) << row.path;
        GetPathFromFullRepoPath(CVLString(row.path), out, false);
        EXPECT_EQ(Str(out), row.repoPath) << row.path;
        GetPathFromFullRepoPath(CVLString(row.path), out, true);
        EXPECT_EQ(Str(out), row.repoPathWithSlash) << row.path;
        GetFilenameFromFullRepoPath(CVLString(row.path), out);
        EXPECT_EQ(Str(out), row.repoFile) << row.path;
    }
    EXPECT_TRUE(vl_isfullpath(CVLString("/x")));
    EXPECT_FALSE(vl_isfullpath(CVLString("x/")));
    EXPECT_FALSE(vl_isfullpath(CVLString()));
}

TEST(PathFunctions, FullPathFromAnyInput)
{
    CVLString cwd;
    ASSERT_TRUE(vl_getcwd(cwd));
    struct Row
    {
        const char* input;
        std::string expected;
        bool single;
    };
    const Row rows[] = {
        {"*", Str(cwd), false},
        {".", Str(cwd), true},
        {"/abs/path", "/abs/path", true},
        {"/abs/dir/*", "/abs/dir/", false},
        {"rel/f.txt", Str(cwd) + "/rel/f.txt", true},
        {"rel\\*", Str(cwd) + "/rel\\", false},
    };
    for (const Row& row : rows) {
        CVLString result;
        bool single = !row.single;
        EXPECT_TRUE(GetFullPathFromAnyPathInput(CVLString(row.input), result, &single)) << row.input;
        EXPECT_EQ(Str(result), row.expected) << row.input;
        EXPECT_EQ(single, row.single) << row.input;
    }
}

TEST_F(FileSystemTest, RecursiveMkdirCreatesEveryLevelWith0755)
{
    mode_t old = umask(022);
    std::string deep = Path("x/y/z/");
    EXPECT_FALSE(vl_mkdir(S(deep), false));
    EXPECT_EQ(errno, ENOENT);
    ASSERT_TRUE(vl_mkdir(S(deep), true));
    umask(old);
    for (const char* level : {"x", "x/y", "x/y/z"}) {
        struct stat info;
        ASSERT_EQ(stat(Path(level).c_str(), &info), 0) << level;
        EXPECT_TRUE(S_ISDIR(info.st_mode));
        EXPECT_EQ(info.st_mode & 0777, 0755u) << level;
    }
    EXPECT_FALSE(vl_mkdir(S(Path("x")), true));  // exists
    EXPECT_EQ(errno, EEXIST);
    EXPECT_TRUE(vl_isdir(S(Path("x/y"))));
    EXPECT_FALSE(vl_isfile(S(Path("x/y"))));
    EXPECT_TRUE(vl_rmdir(S(Path("x/y/z"))));
    EXPECT_FALSE(vl_isdir(S(Path("x/y/z"))));
}

TEST_F(FileSystemTest, CopyWholeFileAndRefusals)
{
    std::string data(300000, 'q');
    data[131071] = 'A';
    data[299999] = 'Z';
    Touch("src", data);
    bool diskFull = true;
    ASSERT_TRUE(vl_copy(S(Path("src")), S(Path("dst")), false, &diskFull));
    EXPECT_FALSE(diskFull);
    struct stat info;
    ASSERT_EQ(stat(Path("dst").c_str(), &info), 0);
    EXPECT_EQ(info.st_size, 300000);

    EXPECT_FALSE(vl_copy(S(Path("src")), S(Path("dst")), true));
    EXPECT_EQ(errno, EEXIST);
    EXPECT_FALSE(vl_copy(S(Path("missing")), S(Path("dst2")), false));
    EXPECT_EQ(errno, ENOENT);

    // Copying onto itself must leave the data alone.
    EXPECT_FALSE(vl_copy(S(Path("src")), S(Path("src")), false));
    ASSERT_EQ(stat(Path("src").c_str(), &info), 0);
    EXPECT_EQ(info.st_size, 300000);

    EXPECT_TRUE(vl_rename(S(Path("dst")), S(Path("moved"))));
    EXPECT_TRUE(vl_remove(S(Path("moved"))));
    EXPECT_FALSE(vl_remove(S(Path("moved"))));
    EXPECT_EQ(errno, ENOENT);
}

TEST_F(FileSystemTest, ListingsAndScans)
{
    Touch("a.txt");
    Touch("b.log");
    ASSERT_TRUE(vl_mkdir(S(Path("sub"))));
    Touch("sub/c.txt");
    ASSERT_EQ(symlink("sub", Path("link").c_str()), 0);

    CVLStringList files;
    ASSERT_TRUE(GetFileListForDirectory(S(Root()), files));
    EXPECT_EQ(ToSet(files), (std::set<std::string>{"a.txt", "b.log"}));
    CVLStringList txt;
    CVLString suffix(".txt");
    ASSERT_TRUE(GetFileListForDirectory(S(Root()), txt, &suffix));
    EXPECT_EQ(ToSet(txt), (std::set<std::string>{"a.txt"}));
    EXPECT_FALSE(GetFileListForDirectory(S(Path("a.txt")), txt));
    EXPECT_FALSE(GetFileListForDirectory(S(Path("none")), txt));

    CVLStringList dirs;
    ASSERT_TRUE(GetDirListForDirectory(S(Root()), dirs));
    EXPECT_EQ(ToSet(dirs), (std::set<std::string>{"sub", "link"}));

    CVLStringList all;
    ASSERT_TRUE(GetFileAndDirectoryListFromPath(S(Root()), all, true, true));
    EXPECT_EQ(ToSet(all), (std::set<std::string>{Root(), Path("a.txt"), Path("b.log"), Path("sub"),
                                                 Path("sub/c.txt"), Path("link")}));
    CVLStringList flat;
    ASSERT_TRUE(GetFileAndDirectoryListFromPath(S(Root()), flat, false, false));
    EXPECT_EQ(flat.GetCount(), 4u);
    CVLStringList single;
    ASSERT_TRUE(GetFileAndDirectoryListFromPath(S(Path("a.txt")), single, true, true));
    EXPECT_EQ(ToSet(single), (std::set<std::string>{Path("a.txt")}));

    EXPECT_TRUE(vl_issymlink(S(Path("link"))));
    EXPECT_EQ(vl_symlinksize(S(Path("link"))), 3);
    EXPECT_EQ(vl_symlinksize(S(Path("a.txt"))), -1);

    // Plain scan sees every entry including "." and "..".
    VLDirScan* scan = nullptr;
    CVLString name;
    std::set<std::string> seen;
    ASSERT_TRUE(vl_startscandir(S(Root()), scan, name));
    do
        seen.insert(Str(name));
    while (vl_scandirnext(scan, name));
    vl_scandirclose(scan);
    EXPECT_EQ(seen.size(), 6u);
    EXPECT_FALSE(vl_startscandir(S(Path("none")), scan, name));
    EXPECT_EQ(scan, nullptr);

    // The extended scan reports folders and gives the working directory back.
    CVLString before;
    ASSERT_TRUE(vl_getcwd(before));
    std::set<std::string> folders;
    bool isDir = false;
    ASSERT_TRUE(vl_startscandirExt(S(Root()), scan, name, isDir));
    do {
        if (isDir)
            folders.insert(Str(name));
    } while (vl_scandirnextExt(scan, name, isDir));
    vl_scandircloseExt(scan);
    EXPECT_EQ(folders, (std::set<std::string>{".", "..", "sub"}));
    CVLString after;
    ASSERT_TRUE(vl_getcwd(after));
    EXPECT_EQ(Str(after), Str(before));
}

TEST_F(FileSystemTest, AccessModesAndTimes)
{
    Touch("f");
    CVLString f = S(Path("f"));
    struct stat info;
    EXPECT_TRUE(vl_access(f, 'r', &info));
    EXPECT_EQ(info.st_size, 1);
    EXPECT_TRUE(vl_access(f, 'e'));
    EXPECT_FALSE(vl_access(S(Path("none")), 'e'));
    EXPECT_EQ(vl_stat(S(Path("none")), &info), -1);

    ASSERT_TRUE(vl_chmod(f, 0664));
    ASSERT_TRUE(vl_chmod_readonly(f));
    ASSERT_EQ(stat(Path("f").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0444u);
    EXPECT_TRUE(vl_is_chmod_readonly(f));
    ASSERT_TRUE(vl_chmod_readwrite(f));
    ASSERT_EQ(stat(Path("f").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
    EXPECT_FALSE(vl_is_chmod_readonly(f));

    CMVDateTime when = CMVDateTime::FromSecondsSince1970(1234567890.0);
    ASSERT_TRUE(vl_stat_setmodifiedtime(f, when));
    CMVDateTime read;
    ASSERT_TRUE(vl_stat_getmodifiedtime(f, read));
    EXPECT_TRUE(read.IsSet());
    EXPECT_DOUBLE_EQ(read.GetSecondsSince1970(), 1234567890.0);
    EXPECT_DOUBLE_EQ(read.GetSeconds(), 1234567890.0 + 62167219200.0);
    ASSERT_TRUE(vl_lstat_getmodifiedtime(f, read));
    EXPECT_DOUBLE_EQ(read.GetSecondsSince1970(), 1234567890.0);
    EXPECT_FALSE(vl_stat_setmodifiedtime(f, CMVDateTime()));
    EXPECT_FALSE(vl_stat_getmodifiedtime(S(Path("none")), read));

    CVLString templ = S(Path("tmpXXXXXX"));
    ASSERT_TRUE(vl_mktemp(templ));
    EXPECT_NE(Str(templ), Path("tmpXXXXXX"));
    EXPECT_TRUE(vl_isfile(templ));
    int fd = vl_open(templ, O_RDONLY);
    EXPECT_GE(fd, 0);
    close(fd);
}

TEST(FileSystemSleep, SleepsAtLeastTheGivenTime)
{
    auto start = std::chrono::steady_clock::now();
    vl_sleepmilliseconds(30);
    auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    EXPECT_GE(elapsed.count(), 30);
    EXPECT_LT(elapsed.count(), 1000);
}
