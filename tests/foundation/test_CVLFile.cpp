#include "CMVDateTime.h"
#include "CVLFile.h"
#include "CVLMemFile.h"
#include "CVLSubFile.h"
#include "CVLTempFile.h"
#include "VLFileSystem.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cerrno>
#include <ctime>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class FileTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    std::string Root() const { return m_dir.path().toStdString(); }
    std::string Path(const char* name) const { return Root() + "/" + name; }

    CVLString WriteFile(const char* name, const std::string& bytes) const
    {
        CVLString path(Path(name).c_str());
        CVLFile file(path);
        EXPECT_TRUE(file.Open(CVLFile::kOpenForReplace));
        if (!bytes.empty()) {
            EXPECT_EQ(file.Write(bytes.data(), static_cast<unsigned>(bytes.size())), bytes.size());
        }
        file.Close();
        return path;
    }

    static std::string ReadAll(const CVLString& path)
    {
        CVLFile file(path);
        std::string bytes;
        if (!file.OpenReadOnly())
            return bytes;
        char piece[4096];
        unsigned got;
        while ((got = file.Read(piece, sizeof(piece))) > 0)
            bytes.append(piece, got);
        return bytes;
    }

    QTemporaryDir m_dir;
};

std::string Str(const CVLString& s)
{
    return std::string(s.GetBufferPtr(), s.GetLength());
}

} // namespace

// CRC-32 ---------------------------------------------------------------------------------------

TEST(FileCRC, StandardCheckValueAndRunningCRC)
{
    unsigned crc = 0;
    CVLFile::baseCRC32("123456789", 9, crc);
    EXPECT_EQ(crc, 0xCBF43926u);

    // Continuing a finished value gives the CRC of the concatenation.
    unsigned pieces = 0;
    CVLFile::baseCRC32("1234", 4, pieces);
    CVLFile::baseCRC32('5', pieces);
    CVLFile::baseCRC32("6789", 4, pieces);
    EXPECT_EQ(pieces, 0xCBF43926u);

    unsigned empty = 0;
    CVLFile::baseCRC32("", 0, empty);
    EXPECT_EQ(empty, 0u);
}

TEST_F(FileTest, FileCRCMatchesCheckValueOpenOrClosed)
{
    CVLString path = WriteFile("digits", "123456789");
    CVLFile file(path);
    EXPECT_EQ(file.GetCRC32(), 0xCBF43926u);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.GetCRC32Using8kBuffer(), 0xCBF43926u);
    EXPECT_EQ(buildCRC32(path), 0xCBF43926u);

    // On an open file the position is kept.
    ASSERT_TRUE(file.OpenReadOnly());
    char two[2];
    ASSERT_EQ(file.Read(two, 2), 2u);
    EXPECT_EQ(file.GetCRC32(), 0xCBF43926u);
    EXPECT_EQ(file.GetPosition(), 2u);

    CVLMemFile mem;
    mem.Open(CVLFile::kOpenCreate);
    EXPECT_EQ(mem.GetCRC32(), 0u);
    mem.Write("123456789", 9);
    EXPECT_EQ(mem.GetCRC32(), 0xCBF43926u);

    CVLFile missing(CVLString(Path("missing").c_str()));
    EXPECT_EQ(missing.GetCRC32(), 0xFFFFFFFFu);
    EXPECT_STREQ(missing.GetLastError().GetBufferPtr(), strerror(ENOENT));
}

TEST_F(FileTest, TextCRCIgnoresLineEndKindAcrossPieces)
{
    // A CR LF pair split by the 32768-byte piece boundary must count as one line break.
    std::string body(32767, 'x');
    std::string lf = body + "\n" + "tail\nend";
    std::string crlf = body + "\r\n" + "tail\r\nend";
    std::string cr = body + "\r" + "tail\rend";
    unsigned a = 1, b = 2, c = 3, crcOfCrlf = 0;
    {
        CVLFile f(WriteFile("lf", lf));
        a = f.GetTextCRC32();
    }
    {
        CVLFile f(WriteFile("crlf", crlf));
        crcOfCrlf = f.GetCRC32(false, nullptr, &b);
    }
    {
        CVLFile f(WriteFile("cr", cr));
        c = f.GetTextCRC32();
    }
    EXPECT_EQ(a, b);
    EXPECT_EQ(b, c);
    EXPECT_NE(a, 0u);
    unsigned plain = 0;
    CVLFile::baseCRC32(crlf.data(), static_cast<int>(crlf.size()), plain);
    EXPECT_EQ(crcOfCrlf, plain);

    CVLFile withNul(WriteFile("nul", std::string("abc\0def", 7)));
    unsigned text = 99;
    unsigned whole = withNul.GetCRC32(false, nullptr, &text);
    EXPECT_EQ(text, 0u);
    EXPECT_NE(whole, 0u);
    EXPECT_EQ(withNul.GetTextCRC32(), 0u);

    CVLMemFile mem;
    mem.Open(CVLFile::kOpenCreate);
    mem.Write(crlf.data(), static_cast<unsigned>(crlf.size()));
    EXPECT_EQ(mem.GetTextCRC32(), a);
}

// Byte-order marks --------------------------------------------------------------------------------

TEST_F(FileTest, ByteOrderMarks)
{
    struct Row
    {
        const char* name;
        std::string bytes;
        int expected;
    };
    // clang-format off
    const Row rows[] = {
        {"utf8",      std::string("\xEF\xBB\xBFhi", 5),   CVLFile::kBOM_UTF8},
        {"utf32le",   std::string("\xFF\xFE\0\0", 4),      CVLFile::kBOM_UTF32LE},
        {"utf16le",   std::string("\xFF\xFE\x41\0", 4),    CVLFile::kBOM_UTF16LE},
        {"utf16be",   std::string("\xFE\xFF\0\x41", 4),    CVLFile::kBOM_UTF16BE},
        {"utf32be",   std::string("\0\0\xFE\xFF", 4),      CVLFile::kBOM_UTF32BE},
        {"none",      std::string("abcd"),                 CVLFile::kBOM_None},
        {"empty",     std::string(),                       CVLFile::kBOM_None},
        {"shortFEFF", std::string("\xFE\xFF", 2),          CVLFile::kBOM_UTF16BE},
        {"oneByte",   std::string("\xFF", 1),              CVLFile::kBOM_None},
    };
    // clang-format on
    for (const Row& row : rows) {
        CVLString path = WriteFile(row.name, row.bytes);
        EXPECT_EQ(CVLFile::GetFileBOM(path), row.expected) << row.name;
        CVLMemFile mem;
        mem.Open(CVLFile::kOpenCreate);
        if (!row.bytes.empty())
            mem.Write(row.bytes.data(), static_cast<unsigned>(row.bytes.size()));
        EXPECT_EQ(mem.GetFileBOM(), row.expected) << row.name;
    }

    EXPECT_EQ(CVLFile::GetFileBOMLength(CVLFile::kBOM_UTF8), 3u);
    EXPECT_EQ(CVLFile::GetFileBOMLength(CVLFile::kBOM_UTF32BE), 4u);
    EXPECT_EQ(CVLFile::GetFileBOMLength(CVLFile::kBOM_None), 0u);

    CVLMemFile marked;
    marked.Open(CVLFile::kOpenCreate);
    EXPECT_TRUE(marked.WriteFileBOM(CVLFile::kBOM_None));
    EXPECT_TRUE(marked.WriteFileBOM(CVLFile::kBOM_UTF16BE));
    EXPECT_EQ(marked.GetLength(), 2u);
    EXPECT_EQ(marked.GetFileBOM(), CVLFile::kBOM_UTF16BE);
}

// Line reading ------------------------------------------------------------------------------------

TEST_F(FileTest, ReadStringKeepsLineBreakAndPosition)
{
    CVLFile file(WriteFile("crlf", "ab\r\ncd"));
    ASSERT_TRUE(file.OpenReadOnly());
    CVLString line;
    EXPECT_TRUE(file.ReadString(line));
    EXPECT_EQ(Str(line), "ab\r\n");
    EXPECT_EQ(file.GetPosition(), 4u);
    EXPECT_FALSE(file.IsAtEnd());
    EXPECT_TRUE(file.ReadString(line));
    EXPECT_EQ(Str(line), "cd");
    EXPECT_TRUE(file.IsAtEnd());
    EXPECT_FALSE(file.ReadString(line));
    EXPECT_EQ(line.GetLength(), 0u);

    // The CR is the 255th byte of the first block: its LF is fetched and joined.
    std::string longLine = std::string(252, 'a') + "ab\r\ncd";
    CVLFile edge(WriteFile("edge", longLine));
    ASSERT_TRUE(edge.OpenReadOnly());
    EXPECT_TRUE(edge.ReadString(line));
    EXPECT_EQ(Str(line), longLine.substr(0, 256));
    EXPECT_EQ(edge.GetPosition(), 256u);
}

TEST_F(FileTest, ReadStringLoopEndsAndHandlesLongAndForeignLines)
{
    std::string lines = std::string(600, 'z') + "\n" + "mac\r" + "caf\xE9\n" + "last";
    CVLFile file(WriteFile("lines", lines));
    ASSERT_TRUE(file.OpenReadOnly());
    std::vector<std::string> got;
    CVLString line;
    int guard = 0;
    while (!file.IsAtEnd() && guard++ < 10) {
        if (file.ReadString(line))
            got.push_back(Str(line));
    }
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0], std::string(600, 'z') + "\n");
    // Only LF is looked for while a block holds one; this block has "mac\rcaf\xE9\n".
    EXPECT_EQ(got[1], "mac\rcaf\xC3\xA9\n");
    EXPECT_EQ(got[2], "last");

    CVLMemFile mem;
    mem.Open(CVLFile::kOpenCreate);
    mem.WriteString("one\r\ntwo\n");
    mem.SeekToBegin();
    EXPECT_TRUE(mem.ReadString(line));
    EXPECT_EQ(Str(line), "one\r\n");
    EXPECT_TRUE(mem.ReadString(line));
    EXPECT_EQ(Str(line), "two\n");
    EXPECT_TRUE(mem.IsAtEnd());

    CVLMemFile crOnly;
    crOnly.Open(CVLFile::kOpenCreate);
    crOnly.WriteString("a\rb");
    crOnly.SeekToBegin();
    EXPECT_TRUE(crOnly.ReadString(line));
    EXPECT_EQ(Str(line), "a\r");
    char buffer[8];
    crOnly.SeekToBegin();
    EXPECT_EQ(crOnly.ReadLn(buffer, sizeof(buffer)), 3u);
    EXPECT_TRUE(crOnly.IsAtEnd());
}

// Lengths and positions ---------------------------------------------------------------------------

TEST_F(FileTest, GetLengthKeepsPositionAndClosedState)
{
    CVLFile file(WriteFile("ten", "0123456789"));
    EXPECT_EQ(file.GetLength(), 10u);
    EXPECT_FALSE(file.IsOpen());
    ASSERT_TRUE(file.OpenReadOnly());
    ASSERT_TRUE(file.SeekTo(3u));
    EXPECT_EQ(file.GetLength(), 10u);
    EXPECT_EQ(file.GetLength64(), 10);
    EXPECT_EQ(file.GetPosition(), 3u);
    EXPECT_FALSE(file.IsEmpty());
    char rest[16];
    EXPECT_EQ(file.Read(rest, sizeof(rest)), 7u);
    EXPECT_TRUE(file.IsAtEnd());
    EXPECT_TRUE(file.SeekToEnd(-2));
    EXPECT_FALSE(file.IsAtEnd());
    EXPECT_EQ(file.GetPosition(), 8u);
}

TEST(MemFile, GrowthSeekAndKeep)
{
    CVLMemFile mem;
    EXPECT_STREQ(mem.GetFileName().GetBufferPtr(), "MemoryFile");
    EXPECT_EQ(mem.Write("x", 1), 0u);  // closed
    ASSERT_TRUE(mem.Open(CVLFile::kOpenCreate));
    EXPECT_EQ(mem.Write("0123456789", 10), 10u);
    EXPECT_EQ(mem.GetCapacity(), 522u);
    EXPECT_EQ(mem.GetLength(), 10u);
    EXPECT_TRUE(mem.SeekTo(100u));
    EXPECT_EQ(mem.GetPosition(), 10u);
    EXPECT_FALSE(mem.SeekToEnd(-11));
    EXPECT_TRUE(mem.SeekToEnd(-3));
    EXPECT_EQ(mem.GetPosition(), 7u);
    EXPECT_FALSE(mem.SeekTo64(0x100000000LL));

    // Content survives Close and a keeping Open; a keeping Open starts at the end.
    mem.Close();
    EXPECT_FALSE(mem.IsOpen());
    ASSERT_TRUE(mem.Open(CVLFile::kOpenKeepContents));
    EXPECT_EQ(mem.GetPosition(), 10u);
    mem.Write("AB", 2);
    EXPECT_EQ(std::string(mem.GetContentPtr(), mem.GetLength()), "0123456789AB");
    ASSERT_TRUE(mem.OpenReadOnly());
    char buffer[20];
    EXPECT_EQ(mem.Read(buffer, sizeof(buffer)), 12u);
    EXPECT_TRUE(mem.IsAtEnd());

    ASSERT_TRUE(mem.Open(CVLFile::kOpenCreate));
    EXPECT_EQ(mem.GetLength(), 0u);

    CVLMemFile other;
    other.Open(CVLFile::kOpenCreate);
    other.Write("moved", 5);
    mem.StealContentsFrom(other);
    EXPECT_EQ(mem.GetLength(), 5u);
    EXPECT_EQ(other.GetLength(), 0u);
    EXPECT_TRUE(mem.Remove());
    EXPECT_EQ(mem.GetLength(), 0u);
}

TEST_F(FileTest, CopiesBetweenFilesAndMemoryCarryTheCRC)
{
    std::string data(70000, '\0');
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>(i * 7);
    CVLFile source(WriteFile("source", data));
    unsigned expected = 0;
    CVLFile::baseCRC32(data.data(), static_cast<int>(data.size()), expected);

    CVLFile copy(CVLString(Path("copy").c_str()));
    unsigned crc = 0;
    EXPECT_TRUE(copy.CreateFromFile(source, &crc));
    EXPECT_EQ(crc, expected);
    EXPECT_EQ(ReadAll(copy.GetFileName()), data);

    CVLMemFile mem;
    EXPECT_TRUE(mem.CreateFromFile(source, &crc));
    EXPECT_EQ(crc, expected);
    EXPECT_EQ(mem.GetLength(), data.size());

    CVLFile fromMem(CVLString(Path("frommem").c_str()));
    crc = 0;
    EXPECT_TRUE(fromMem.CreateFromMemFile(mem, &crc));
    EXPECT_EQ(crc, expected);
    EXPECT_EQ(ReadAll(fromMem.GetFileName()), data);

    // An old error text of the source must not cut the copy short.
    CVLFile stale(CVLString(Path("missing").c_str()));
    EXPECT_FALSE(stale.OpenReadOnly());
    stale.Initialize(source.GetFileName());
    CVLFile second(CVLString(Path("second").c_str()));
    EXPECT_TRUE(second.CreateFromFile(stale, &crc));
    EXPECT_EQ(crc, expected);
    EXPECT_EQ(ReadAll(second.GetFileName()), data);

    CVLFile missing(CVLString(Path("missing").c_str()));
    CVLMemFile none;
    EXPECT_FALSE(none.CreateFromFile(missing, &crc));
    EXPECT_STREQ(none.GetLastError().GetBufferPtr(), strerror(ENOENT));
}

// Errors -------------------------------------------------------------------------------------------

TEST_F(FileTest, UnopenableFilesFailWithTheSystemText)
{
    CVLFile missing(CVLString(Path("nope").c_str()));
    EXPECT_FALSE(missing.OpenReadOnly());
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_STREQ(missing.GetLastError().GetBufferPtr(), strerror(ENOENT));
    EXPECT_EQ(missing.GetLength(), 0u);
    char byte;
    EXPECT_EQ(missing.Read(&byte, 1), 0u);

    CVLFile folder(CVLString(m_dir.path().toUtf8().constData()));
    EXPECT_FALSE(folder.OpenReadOnly());
    EXPECT_STREQ(folder.GetLastError().GetBufferPtr(), strerror(EISDIR));

    CVLFile unnamed;
    EXPECT_FALSE(unnamed.OpenReadOnly());
    EXPECT_STREQ(unnamed.GetLastError().GetBufferPtr(), strerror(ENOENT));

    CVLFile twice(WriteFile("twice", "x"));
    ASSERT_TRUE(twice.OpenReadOnly());
    EXPECT_FALSE(twice.OpenReadOnly());
    EXPECT_STREQ(twice.GetLastError().GetBufferPtr(), "File already open.");

    CVLString text("previous");
    bool local = true;
    EXPECT_FALSE(text.LoadFromFile(CVLString(Path("nope").c_str()), &local));
    EXPECT_EQ(text.GetLength(), 0u);
    text = "previous";
    EXPECT_FALSE(text.LoadFromFile(CVLString(m_dir.path().toUtf8().constData())));
    EXPECT_EQ(text.GetLength(), 0u);
}

TEST_F(FileTest, UnreadableFileFailsWithPermissionText)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not apply to root";
    CVLString path = WriteFile("secret", "hidden");
    ASSERT_EQ(chmod(path.GetBufferPtr(), 0), 0);
    CVLFile file(path);
    EXPECT_FALSE(file.OpenReadOnly());
    EXPECT_STREQ(file.GetLastError().GetBufferPtr(), strerror(EACCES));
    CVLString text;
    EXPECT_FALSE(text.LoadFromFile(path));
    EXPECT_TRUE(CVLFile::IsFileReadOnly(path));
}

// Loading text -------------------------------------------------------------------------------------

TEST_F(FileTest, LoadFromFileByEncoding)
{
    struct Row
    {
        const char* name;
        std::string bytes;
        bool ok;
        std::string text;
        bool local8Bit;
        int mark;
    };
    // clang-format off
    const Row rows[] = {
        {"utf8",       "gr\xC3\xBC\xC3\x9F",                     true,  "gr\xC3\xBC\xC3\x9F",          false, 0},
        {"utf8bom",    "\xEF\xBB\xBFok",                          true,  "\xEF\xBB\xBFok",              false, 1},
        {"utf8bomBad", std::string("\xEF\xBB\xBF" "a\xFF" "b\0c", 8), true, "\xEF\xBB\xBF" "a\xFF" "b", false, 1},
        {"utf16le",    std::string("\xFF\xFE" "A\0\xE9\0", 6),   true,  "\xEF\xBB\xBF" "A\xC3\xA9",    false, 2},
        {"utf16be",    std::string("\xFE\xFF\0A\x20\xAC", 6),    true,  "\xEF\xBB\xBF" "A\xE2\x82\xAC", false, 3},
        {"utf32le",    std::string("\xFF\xFE\0\0A\0\0\0", 8),    false, "",                            false, 4},
        {"empty",      "",                                        true,  "",                            false, 0},
    };
    // clang-format on
    for (const Row& row : rows) {
        CVLString path = WriteFile(row.name, row.bytes);
        CVLString text("old");
        bool local = !row.local8Bit;
        int mark = -1;
        EXPECT_EQ(text.LoadFromFile(path, &local, &mark), row.ok) << row.name;
        EXPECT_EQ(Str(text), row.text) << row.name;
        EXPECT_EQ(mark, row.mark) << row.name;
        if (row.ok) {
            EXPECT_EQ(local, row.local8Bit) << row.name;
        }
    }

    // No mark and not UTF-8: read as local 8-bit, and the flag says so.
    CVLString latin = WriteFile("latin", "caf\xE9");
    CVLString text;
    bool local = false;
    EXPECT_TRUE(text.LoadFromFile(latin, &local));
    EXPECT_TRUE(local);
    EXPECT_EQ(text.GetBufferPtr()[0], 'c');
}

// Rename -------------------------------------------------------------------------------------------

TEST_F(FileTest, RenameRulesAndModes)
{
    CVLFile unnamed;
    EXPECT_FALSE(unnamed.Rename(CVLString(Path("x").c_str()), true));
    EXPECT_STREQ(unnamed.GetLastError().GetBufferPtr(), "Unable to rename file with no name.");

    CVLFile file(WriteFile("a", "alpha"));
    CVLString fresh(Path("fresh").c_str());
    ASSERT_TRUE(file.Rename(fresh, false));
    EXPECT_EQ(Str(file.GetFileName()), Str(fresh));
    struct stat info;
    ASSERT_EQ(stat(fresh.GetBufferPtr(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0700u);
    EXPECT_FALSE(CVLFile::DoesFileExist(CVLString(Path("a").c_str())));

    CVLString target = WriteFile("target", "old");
    ASSERT_EQ(chmod(target.GetBufferPtr(), 0640), 0);
    EXPECT_FALSE(file.Rename(target, false));
    EXPECT_STREQ(file.GetLastError().GetBufferPtr(), "Target already exists, overwrite not specified.");
    ASSERT_TRUE(file.Rename(target, true));
    EXPECT_TRUE(file.GetLastError().GetLength() == 0);
    ASSERT_EQ(stat(target.GetBufferPtr(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadAll(target), "alpha");

    // Renaming a file over its own name must not delete it.
    EXPECT_TRUE(file.Rename(target, true));
    EXPECT_EQ(ReadAll(target), "alpha");

    CVLMemFile mem;
    EXPECT_FALSE(mem.Rename(target, true));
}

// Temporary files ------------------------------------------------------------------------------------

TEST_F(FileTest, TemporaryNamesAndFallback)
{
    CVLString dir((m_dir.path().toStdString() + "/").c_str());
    CVLString name;
    ASSERT_TRUE(CVLFile::GetTempFilename(name, dir));
    EXPECT_EQ(Str(name).rfind(m_dir.path().toStdString() + "/VLf", 0), 0u) << Str(name);
    EXPECT_EQ(Str(name).size(), m_dir.path().toStdString().size() + 10);
    EXPECT_TRUE(vl_isfile(name));

    // The fallback counts on from the plain prefix: 1, 2, ... 9, then 10.
    CVLString prefix(Path("VLtemp1700000000").c_str());
    CVLString taken;
    ASSERT_TRUE(CVLFile::GetFallbackTempFilename(taken, prefix));
    EXPECT_EQ(Str(taken), Str(prefix));
    ASSERT_TRUE(CVLFile::GetFallbackTempFilename(taken, prefix));
    EXPECT_EQ(Str(taken), Str(prefix) + "1");
    for (int i = 2; i <= 9; ++i)
        ASSERT_TRUE(CVLFile::GetFallbackTempFilename(taken, prefix));
    EXPECT_EQ(Str(taken), Str(prefix) + "9");
    ASSERT_TRUE(CVLFile::GetFallbackTempFilename(taken, prefix));
    EXPECT_EQ(Str(taken), Str(prefix) + "10");

    CVLString tmp;
    EXPECT_TRUE(CVLFile::GetTempDirectoryPath(tmp));
    EXPECT_EQ(Str(tmp), "/tmp/");

    CVLString folder;
    ASSERT_TRUE(CVLFile::CreateTempDirectory(folder, dir));
    EXPECT_EQ(Str(folder).back(), '/');
    EXPECT_TRUE(vl_isdir(folder));

    CVLString withExt(dir);
    ASSERT_TRUE(CVLFile::CreateTemporaryFileWithExtension(withExt, "txt"));
    EXPECT_EQ(Str(withExt).substr(Str(withExt).size() - 4), ".txt");
    EXPECT_TRUE(vl_isfile(withExt));
}

TEST(TempFile, OwnedFileIsRemovedAndAdoptedFileIsNot)
{
    CVLString error;
    CVLString name;
    {
        std::unique_ptr<CVLTempFile> temp = CVLTempFile::CreateCVLTempFile(&error);
        ASSERT_TRUE(temp);
        EXPECT_TRUE(temp->OwnsFile());
        name = temp->GetFileName();
        EXPECT_TRUE(vl_isfile(name));
        ASSERT_TRUE(temp->Open(CVLFile::kOpenCreate));
        EXPECT_EQ(temp->WriteString("data", 6), 6u);
    }
    EXPECT_FALSE(CVLFile::DoesFileExist(name));

    CVLString kept;
    ASSERT_TRUE(CVLTempFile::GenerateTempFile(kept, &error));
    {
        std::unique_ptr<CVLTempFile> temp = CVLTempFile::CreateCVLTempFile();
        ASSERT_TRUE(temp);
        CVLString owned = temp->GetFileName();
        temp->Initialize(kept);  // removes its own file, adopts the other without owning it
        EXPECT_FALSE(CVLFile::DoesFileExist(owned));
        EXPECT_FALSE(temp->OwnsFile());
    }
    EXPECT_TRUE(CVLFile::DoesFileExist(kept));
    EXPECT_TRUE(vl_remove(kept));
}

// Sub-files ---------------------------------------------------------------------------------------

TEST_F(FileTest, SubFileSeesOnlyItsWindow)
{
    CVLString path = WriteFile("window", "01\xFE\xFF" "456789");
    CVLSubFile sub(path, 2, 5);
    EXPECT_EQ(sub.GetLength(), 5u);
    EXPECT_FALSE(sub.OpenReadWrite());
    unsigned expected = 0;
    CVLFile::baseCRC32("\xFE\xFF" "456", 5, expected);
    EXPECT_EQ(sub.GetCRC32(), expected);
    EXPECT_EQ(sub.GetFileBOM(), CVLFile::kBOM_UTF16BE);

    ASSERT_TRUE(sub.OpenReadOnly());
    EXPECT_EQ(sub.GetPosition(), 0u);
    char bytes[16];
    EXPECT_EQ(sub.Read(bytes, sizeof(bytes)), 5u);
    EXPECT_EQ(std::string(bytes, 5), "\xFE\xFF" "456");
    EXPECT_TRUE(sub.IsAtEnd());
    EXPECT_EQ(sub.Read(bytes, 1), 0u);
    EXPECT_TRUE(sub.SeekTo(3u));
    EXPECT_EQ(sub.Read(bytes, 1), 1u);
    EXPECT_EQ(bytes[0], '5');
    EXPECT_TRUE(sub.SeekToEnd(-1));
    EXPECT_EQ(sub.GetPosition(), 4u);
    EXPECT_EQ(sub.Write("x", 1), 0u);
    EXPECT_TRUE(sub.IsReadOnly());
}

// Other whole-file operations ----------------------------------------------------------------------

TEST_F(FileTest, ReplaceCharSequenceRewritesOnlyWhenChanged)
{
    CVLString path = WriteFile("replace", "a b\nc d\n");
    CVLFile file(path);
    EXPECT_TRUE(file.ReplaceCharSequence(" ", "%20"));
    EXPECT_EQ(ReadAll(path), "a%20b\nc%20d\n");

    CMVDateTime before;
    ASSERT_TRUE(vl_stat_setmodifiedtime(path, CMVDateTime::FromSecondsSince1970(1000000000.0)));
    EXPECT_TRUE(file.ReplaceCharSequence("zzz", "y"));
    ASSERT_TRUE(vl_stat_getmodifiedtime(path, before));
    EXPECT_DOUBLE_EQ(before.GetSecondsSince1970(), 1000000000.0);  // not rewritten

    CVLFile missing(CVLString(Path("missing").c_str()));
    EXPECT_FALSE(missing.ReplaceCharSequence("a", "b"));
}

TEST(FileNames, SafeNamesAndParts)
{
    struct Row
    {
        const char* input;
        const char* safe;
    };
    // clang-format off
    const Row rows[] = {
        {"plain.txt",              "plain.txt"},
        {"  a:b;c*d?e+f|g<h>i  ",  "a_b_c_d_e_f_g_h_i"},
        {"x/y\\z\"w",              "x_y_z_w"},
    };
    // clang-format on
    for (const Row& row : rows) {
        CVLString name(row.input);
        CVLFile::MakeStringSafeForFilename(name);
        EXPECT_STREQ(name.GetBufferPtr(), row.safe) << row.input;
        EXPECT_EQ(CVLFile::IsStringSafeForFilename(CVLString(row.input)), strcmp(row.input, row.safe) == 0);
    }
    EXPECT_STREQ(CVLFile::GetExtensionFromName(CVLString("/a.b/c.tar.gz")).GetBufferPtr(), "gz");
    EXPECT_STREQ(CVLFile::GetExtensionFromName(CVLString("/a.b/c")).GetBufferPtr(), "");
    EXPECT_STREQ(CVLFile::GetNameWithoutPath(CVLString("C:\\x\\y.doc")).GetBufferPtr(), "y.doc");
    CVLString dir("/a");
    CVLFile::AddDirSeperator(dir, '/');
    CVLFile::AddDirSeperator(dir, '/');
    EXPECT_STREQ(dir.GetBufferPtr(), "/a/");
}

TEST_F(FileTest, DirectorySizeAndWriteStringPadding)
{
    WriteFile("one", "12345");
    ASSERT_TRUE(vl_mkdir(CVLString(Path("sub").c_str())));
    WriteFile("sub/two", "123");
    double total = 0;
    EXPECT_TRUE(CVLFile::GetDirectorySize(CVLString(m_dir.path().toUtf8().constData()), total, false));
    EXPECT_DOUBLE_EQ(total, 5.0);
    total = 0;
    EXPECT_TRUE(CVLFile::GetDirectorySize(CVLString(m_dir.path().toUtf8().constData()), total, true));
    EXPECT_DOUBLE_EQ(total, 8.0);
    total = 0;
    EXPECT_TRUE(CVLFile::GetDirectorySize(CVLString(Path("none").c_str()), total, true));
    EXPECT_DOUBLE_EQ(total, 0.0);

    CVLFile padded(CVLString(Path("padded").c_str()));
    ASSERT_TRUE(padded.Open(CVLFile::kOpenForReplace));
    EXPECT_EQ(padded.WriteString("ab", 5), 5u);
    EXPECT_EQ(padded.WriteString(CVLString("cdefg"), 2), 5u);
    padded.Close();
    EXPECT_EQ(ReadAll(padded.GetFileName()), "ab   cdefg");

    CVLFile append(padded.GetFileName());
    ASSERT_TRUE(append.OpenReadWriteAppend());
    append.Write("!", 1);
    append.Close();
    EXPECT_EQ(ReadAll(padded.GetFileName()), "ab   cdefg!");
    EXPECT_EQ(append.LockRange(0, 1), -1);  // closed
}

TEST_F(FileTest, OpenFlagsKeepTruncateAndAppend)
{
    struct Row
    {
        const char* name;
        int flags;
        const char* expected;
    };
    // clang-format off
    const Row rows[] = {
        {"replace",   CVLFile::kOpenForReplace,                       "XY"},
        {"create",    CVLFile::kOpenCreate,                           "XY"},
        {"keep",      CVLFile::kOpenKeepContents,                     "XYcdef"},
        {"append",    CVLFile::kOpenKeepContents | CVLFile::kOpenAppend, "abcdefXY"},
    };
    // clang-format on
    for (const Row& row : rows) {
        CVLString path = WriteFile(row.name, "abcdef");
        CVLFile file(path);
        ASSERT_TRUE(file.Open(row.flags)) << row.name;
        EXPECT_EQ(file.Write("XY", 2), 2u);
        char byte;
        EXPECT_EQ(file.Read(&byte, 1), 0u);  // write-only
        file.Close();
        EXPECT_EQ(ReadAll(path), row.expected) << row.name;
    }
    CVLString created(Path("new").c_str());
    CVLFile file(created);
    ASSERT_TRUE(file.Open(CVLFile::kOpenKeepContents));
    file.Close();
    EXPECT_TRUE(CVLFile::DoesFileExist(created));
    CVLFile readOnly(CVLString(Path("absent").c_str()));
    EXPECT_FALSE(readOnly.Open(CVLFile::kOpenForRead));
    EXPECT_FALSE(CVLFile::DoesFileExist(readOnly.GetFileName()));
}

TEST(FileTempNames, FallbackWhenTheFolderCannotHoldOne)
{
    // mkstemp fails in a folder that does not exist: the name falls back to /tmp/VLtemp<time>.
    long long before = static_cast<long long>(time(nullptr));
    CVLString name;
    ASSERT_TRUE(CVLFile::GetTempFilename(name, CVLString("/nonexistent-folder-for-vl-tests/")));
    long long after = static_cast<long long>(time(nullptr));
    std::string text(name.GetBufferPtr(), name.GetLength());
    ASSERT_EQ(text.rfind("/tmp/VLtemp", 0), 0u) << text;
    std::string digits = text.substr(strlen("/tmp/VLtemp"));
    ASSERT_FALSE(digits.empty());
    long long stamp = std::stoll(digits);
    // Either the time itself or the time followed by a counter digit or two.
    bool plain = stamp >= before && stamp <= after;
    bool counted = (stamp / 10 >= before && stamp / 10 <= after) || (stamp / 100 >= before && stamp / 100 <= after);
    EXPECT_TRUE(plain || counted) << text;
    EXPECT_TRUE(vl_isfile(name));
    EXPECT_TRUE(vl_remove(name));
}

TEST_F(FileTest, RenameAcrossDevicesCopiesAndRemovesTheSource)
{
    struct stat here, shm;
    if (stat(Root().c_str(), &here) != 0 || stat("/dev/shm", &shm) != 0 || here.st_dev == shm.st_dev ||
        access("/dev/shm", W_OK) != 0)
        GTEST_SKIP() << "no second file system to move to";
    std::string data(100000, 'm');
    CVLString source = WriteFile("mover", data);
    CVLString target(("/dev/shm/vl-rename-" + std::to_string(getpid())).c_str());
    CVLFile file(source);
    ASSERT_TRUE(file.Rename(target, false)) << file.GetLastError().GetBufferPtr();
    EXPECT_FALSE(CVLFile::DoesFileExist(source));
    EXPECT_EQ(ReadAll(target), data);
    EXPECT_EQ(Str(file.GetFileName()), Str(target));
    EXPECT_TRUE(vl_remove(target));
}
