#pragma once

#include "CVLFile.h"

// A read-only window of a named file: windowLength bytes from windowStart. Positions, lengths
// and CRCs are those of the window; reads stop at its end.
class CVLSubFile : public CVLFile
{
public:
    CVLSubFile();
    CVLSubFile(const CVLString& name, int windowStart, unsigned windowLength);
    ~CVLSubFile() override;

    // A negative start counts as 0. Takes effect at the next seek.
    void SetWindow(int windowStart, unsigned windowLength);
    int GetWindowStart() const { return m_WindowStart; }
    unsigned GetWindowLength() const { return m_WindowLength; }

    // Only kOpenRead (4) opens, at the window start.
    bool Open(int flags) override;
    bool Open(const CVLString& name, int flags) override;
    bool OpenReadWrite() override;
    bool OpenReadWrite(const CVLString& name) override;
    bool OpenReadWriteCreate() override;
    bool OpenReadOnly() override;
    bool Exists() override;
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
    bool IsSubFile() const override;
    // Window start + position, clamped to the window.
    bool SeekTo(unsigned position) override;
    // Window end + offset.
    bool SeekToEnd(int offset = 0) override;
    bool SeekTo64(long long position) override;
    bool SeekToEnd64(long long offset) override;
    bool CreateFromMemFile(CVLMemFile& source, unsigned* crc = nullptr) override;
    bool CreateFromFile(CVLFile& source, unsigned* crc = nullptr) override;
    // 0xFFFFFFFF on a failed read; reaching the window end sets the at-end flag.
    unsigned Read(void* bytes, unsigned count) override;
    // The buffer overload is the base one: it sizes the buffer and comes back here.
    using CVLFile::Read;
    unsigned Write(const void* bytes, unsigned count) override;
    unsigned Write(const CVLBuffer& buffer, unsigned count) override;
    unsigned WriteString(const char* text, unsigned width = 0) override;
    unsigned WriteString(const CVLString& text, unsigned width = 0) override;
    unsigned GetPosition() override;
    long long GetPosition64() override;

private:
    int m_WindowStart = 0;
    unsigned m_WindowLength = 0;
};
