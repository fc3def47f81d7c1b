#pragma once

#include "CVLFile.h"

// The file interface over a growable memory block (received file data is collected in one).
// Its name is "MemoryFile"; it is open while the descriptor member is -1. The content survives
// Close and Open; only Open with create-without-keep flags or Remove discards it. A write
// that must enlarge the block grows it to the needed size plus the growth slack (512).
class CVLMemFile : public CVLFile
{
public:
    CVLMemFile();
    ~CVLMemFile() override;

    // Initialize is the base one: it closes through Close below (content kept) and takes the name.
    // Position 0, marked closed, content kept.
    void Close() override;
    // Always succeeds. (flags & 0x12) == 0x10 zeroes the block and empties the file; otherwise
    // kOpenKeepContents moves to the end of the valid bytes.
    bool Open(int flags) override;
    bool Open(const CVLString& name, int flags) override;
    bool OpenReadWrite() override;
    bool OpenReadWrite(const CVLString& name) override;
    bool OpenReadWriteCreate() override;
    bool OpenReadOnly() override;
    bool Exists() override;
    // Frees the content.
    bool Remove() override;
    bool SeekToBegin() override;
    bool Rename(const CVLString& newName, bool overwrite) override;
    bool IsEmpty() override;
    unsigned GetLength() override;
    long long GetLength64() override;
    bool CreateTempFile(const CVLString& directory) override;
    bool CreateTempFile(const CVLString* directory = nullptr) override;
    bool IsReadOnly() override;
    bool SetReadOnly() override;
    bool SetReadWrite() override;
    bool IsMemFile() const override;
    int GetFileBOM() override;
    // Clamped to the length.
    bool SeekTo(unsigned position) override;
    // False when the result would lie before the start; clamped to the length.
    bool SeekToEnd(int offset = 0) override;
    bool SeekTo64(long long position) override;
    bool SeekToEnd64(long long offset) override;
    bool CreateFromMemFile(CVLMemFile& source, unsigned* crc = nullptr) override;
    // Loads the whole file (at most 0x7FFFFFFF bytes); crc receives this file's CRC-32.
    bool CreateFromFile(CVLFile& source, unsigned* crc = nullptr) override;
    // The buffer overloads are the base ones: they size the buffer and come back here.
    using CVLFile::Read;
    using CVLFile::Write;
    unsigned Read(void* bytes, unsigned count) override;
    unsigned Write(const void* bytes, unsigned count) override;
    unsigned GetCRC32(bool unused = false, CVLBuffer* work = nullptr, unsigned* textCRC = nullptr) override;
    unsigned GetTextCRC32(CVLBuffer* work = nullptr) override;
    bool ReadString(CVLString& line) override;
    unsigned GetPosition() override;
    long long GetPosition64() override;

    // Grows the block to at least size bytes (keeping the bytes when the length is not 0).
    bool GrowTo(unsigned size);
    // Takes the other's content, length, position and growth slack; the other is left empty.
    void StealContentsFrom(CVLMemFile& other);
    // Copies bytes from the position until an LF has been copied or max bytes; no terminator.
    unsigned ReadLn(char* bytes, unsigned max);

    // The valid bytes (GetLength() of them); valid until the next write or growth.
    const char* GetContentPtr() const { return m_Content.GetBufferPtr(); }
    unsigned GetCapacity() const { return m_Content.GetBufferLength(); }
    unsigned GetGrowthSlack() const { return m_GrowthSlack; }

private:
    CVLBuffer m_Content;
    unsigned m_Position = 0;
    unsigned m_Length = 0;
    unsigned m_GrowthSlack = 512;
};
