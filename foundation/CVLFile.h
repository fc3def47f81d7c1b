#pragma once

#include "CVLString.h"

class CMVDateTime;
class CVLMemFile;

// A file addressed by name over a POSIX descriptor. Operations report failure by a false or
// zero result and keep the reason in the error text (GetLastError), usually the system's text
// for errno; failures overwrite the text, successes leave it alone. Whole-file operations
// (length, CRC-32, byte-order mark) work on closed and open files and leave an open file where
// it was. Sizes and positions are unsigned 32-bit unless a 64-bit variant is named.
class CVLFile
{
public:
    // Open flags (Open(int)). Other bits are accepted and ignored.
    static constexpr int kOpenKeepContents = 0x0002;  // without kOpenRead: do not truncate
    static constexpr int kOpenRead = 0x0004;          // read-only
    static constexpr int kOpenCreate = 0x0010;        // create or replace (write-only, truncated)
    static constexpr int kOpenAppend = 0x8000;
    // The forms callers pass.
    static constexpr int kOpenForRead = 0x0804;
    static constexpr int kOpenForReplace = 0x0811;

    enum fileBOM {
        kBOM_None = 0,
        kBOM_UTF8 = 1,     // EF BB BF
        kBOM_UTF16LE = 2,  // FF FE
        kBOM_UTF16BE = 3,  // FE FF
        kBOM_UTF32LE = 4,  // FF FE 00 00
        kBOM_UTF32BE = 5   // 00 00 FE FF
    };

    enum fileErrors {
        kFileError_Clear = 1,        // empty text
        kFileError_System = 2,       // strerror(errno)
        kFileError_AlreadyOpen = 8,  // "File already open."
        kFileError_Memory = 16       // "Memory allocation error."
    };

    // State of a text CRC carried between pieces: 0 last byte not CR, 1 last byte CR,
    // 2 a NUL byte was seen (not text; the text CRC is 0 and stays 0).
    typedef unsigned textcrcContext;

    CVLFile();
    explicit CVLFile(const CVLString& name);
    CVLFile(const CVLFile&) = delete;
    CVLFile& operator=(const CVLFile&) = delete;
    // Closes an open descriptor.
    virtual ~CVLFile();

    // Closes the file and takes the new name.
    virtual void Initialize(const CVLString& name);
    virtual void Close();
    // False at once when already open; false with the system text when the name is empty or
    // open(2) fails (the file stays closed).
    virtual bool Open(int flags);
    virtual bool Open(const CVLString& name, int flags);
    // Read-write, not created.
    virtual bool OpenReadWrite();
    virtual bool OpenReadWriteWithReadShare();
    virtual bool OpenReadWrite(const CVLString& name);
    // Read-write, created and truncated.
    virtual bool OpenReadWriteCreate();
    virtual bool OpenReadOnly();
    virtual bool Exists();
    // Closes and deletes the file.
    virtual bool Remove();
    virtual bool SeekToBegin();
    // Moves the file (copying across devices). The new file keeps a replaced target's owner,
    // group and mode, else gets mode 0700. Clears the error text first.
    virtual bool Rename(const CVLString& newName, bool overwrite);
    virtual bool IsEmpty();
    // 0 on failure; lengths of 4 GiB and more read as 0xFFFFFFFF.
    virtual unsigned GetLength();
    virtual long long GetLength64();
    // Closes, then takes the name of a new empty temporary file in directory (empty: /tmp).
    virtual bool CreateTempFile(const CVLString& directory);
    virtual bool CreateTempFile(const CVLString* directory = nullptr);
    // False only when the file is both readable and writable by the process.
    virtual bool IsReadOnly();
    virtual bool SetReadOnly();
    virtual bool SetReadWrite();
    virtual bool IsMemFile() const;
    virtual bool IsSubFile() const;
    // 0 or -1.
    virtual int Flush();
    // Sets the file's modification time.
    virtual bool SetGMTDateTime(const CMVDateTime& modified);
    // fileBOM of the first bytes.
    virtual int GetFileBOM();
    virtual bool SeekTo(unsigned position);
    virtual bool SeekToEnd(int offset = 0);
    virtual bool SeekTo64(long long position);
    virtual bool SeekToEnd64(long long offset);
    // Replace this file with a copy of source; crc (may be null) receives the CRC-32 of the bytes.
    virtual bool CreateFromMemFile(CVLMemFile& source, unsigned* crc = nullptr);
    virtual bool CreateFromFile(CVLFile& source, unsigned* crc = nullptr);
    // Bytes read; 0 when closed or on failure (error text stored). A short read sets the at-end flag.
    virtual unsigned Read(void* bytes, unsigned count);
    // Grows buffer to at least count bytes and reads into its start.
    virtual unsigned Read(CVLBuffer& buffer, unsigned count);
    // Bytes written; 0 when closed or on failure.
    virtual unsigned Write(const void* bytes, unsigned count);
    // At most the buffer's allocated size is written.
    virtual unsigned Write(const CVLBuffer& buffer, unsigned count);
    // CRC-32 of the whole file (0xFFFFFFFF when it cannot be read); textCRC (may be null)
    // receives the text CRC from the same pass. work (may be null) is the read buffer.
    virtual unsigned GetCRC32(bool unused = false, CVLBuffer* work = nullptr, unsigned* textCRC = nullptr);
    virtual unsigned GetTextCRC32(CVLBuffer* work = nullptr);
    // Writes the text without its terminator, then spaces up to width bytes in all.
    virtual unsigned WriteString(const char* text, unsigned width = 0);
    virtual unsigned WriteString(const CVLString& text, unsigned width = 0);
    // Replaces line with the next line, its line break kept (LF, CR LF or CR). Text that is not
    // UTF-8 is read as Windows-1252 or Latin-1. False when nothing was read; IsAtEnd() then tells.
    virtual bool ReadString(CVLString& line);
    // Non-blocking shared (read) record lock on length bytes from offset; 0 or -1.
    virtual int LockRange(int offset, int length);
    virtual int UnlockRange(int offset, int length);
    virtual unsigned GetPosition();
    virtual long long GetPosition64();

    // OpenReadWriteCreate when the file does not exist, else OpenReadWrite and SeekToEnd(0).
    bool OpenReadWriteAppend();
    unsigned GetCRC32Using8kBuffer();
    // Writes the mark at the current position; true for kBOM_None.
    bool WriteFileBOM(fileBOM mark);
    void SetError(fileErrors error);
    bool CheckForWindowsReservedName() { return true; }
    bool SetHiddenAttribute(bool) { return true; }
    // Rewrites the file line by line with every occurrence of from replaced; the file is only
    // written when a line changed. False when it cannot be read or written.
    bool ReplaceCharSequence(const char* from, const char* to);

    bool IsOpen() const { return m_fd != 0; }
    bool IsAtEnd() const { return m_AtEnd; }
    const CVLString& GetFileName() const { return m_Name; }
    const CVLString& GetLastError() const { return m_Error; }

    // Running CRC-32 (the value passed in and out is the finished CRC; 0 starts a new one).
    static void baseCRC32(const char* bytes, int count, unsigned& crc);
    static void baseCRC32(char byte, unsigned& crc);
    // Running text CRC: line breaks normalised so LF, CR LF and CR give the same value.
    static void baseTextCRC32(const char* bytes, int count, textcrcContext& context, unsigned& crc);
    static void baseTextCRC32(char byte, textcrcContext& context, unsigned& crc);
    static void baseCRC32andTextCRC32(const char* bytes, int count, unsigned& crc, textcrcContext& context,
                                      unsigned& textCRC);
    static const unsigned crc32_table[256];

    static int GetFileBOM(const CVLString& path);
    static unsigned GetFileBOMLength(fileBOM mark);

    // linksMustResolve false also counts a symbolic link whose target is missing.
    static bool DoesFileExist(const CVLString& path, bool linksMustResolve = false);
    static bool IsFileReadOnly(const CVLString& path);
    // The owner may read but not write.
    static bool IsFileReadOnlyStat(const CVLString& path);
    static bool SetFileReadOnly(const CVLString& path);
    static bool SetFileReadWrite(const CVLString& path);
    // Strips white space at both ends and replaces each of :;*?+|<>/\" with '_'.
    static void MakeStringSafeForFilename(CVLString& name);
    static bool IsStringSafeForFilename(const CVLString& name);
    // Keeps only the text after the last '/' or '\'.
    static void RemovePathFromName(CVLString& path);
    static CVLString GetNameWithoutPath(const CVLString& path);
    // The text after the last '.' of the file name part; empty when there is none.
    static CVLString GetExtensionFromName(const CVLString& path);
    static void AddDirSeperator(CVLString& path, char separator = '/');
    // Adds the sizes of the regular files of folder to total (sub-folders when recursive).
    // A path that is not a readable folder adds nothing and gives true.
    static bool GetDirectorySize(const CVLString& folder, double& total, bool recursive);
    static bool CheckForWindowsReservedName(const CVLString&) { return true; }
    static bool IsStringAWindowsRelativePath(const CVLString& path);
    static bool GetWindowsFullPathFromRelativePath(const CVLString&, CVLString&) { return false; }

    // Creates an empty temporary file in directory (empty: /tmp) and returns its name.
    static bool GetTempFilename(CVLString& result, const CVLString& directory);
    // Used when mkstemp fails: creates prefix exclusively, else prefix + 1 ... prefix + 100.
    static bool GetFallbackTempFilename(CVLString& result, const CVLString& prefix);
    // Always "/tmp/".
    static bool GetTempDirectoryPath(CVLString& result);
    // A new temporary folder; result ends with '/'.
    static bool CreateTempDirectory(CVLString& result, const CVLString& directory);
    // A new empty file named <temporary name>[<random>].<extension> in the folder path names
    // (empty: /tmp); path receives its name, or is emptied on failure.
    static bool CreateTemporaryFileWithExtension(CVLString& path, const char* extension);

protected:
    bool OpenWithSystemFlags(int systemFlags);
    // Whole-file operations: open a closed file or remember an open file's position.
    struct WholeFileState
    {
        bool openedHere = false;
        bool hadAtEnd = false;
        unsigned position = 0;
    };
    bool BeginWholeFile(WholeFileState& state);
    void EndWholeFile(const WholeFileState& state);
    unsigned ComputeCRC(unsigned pieceSize, CVLBuffer* work, unsigned* textCRC, bool wantCRC);
    static int DecideBOM(const unsigned char* bytes, unsigned count);
    void SetErrorText(const char* text) { m_Error = text; }

    int m_fd = 0;  // 0 = not open; a memory file uses -1 for open
    CVLString m_Name;
    CVLString m_Error;
    bool m_AtEnd = false;
};

// CRC-32 of the named file (0xFFFFFFFF when it cannot be read).
extern "C" unsigned buildCRC32(const CVLString& path);
