#include "CVLMemFile.h"

#include <cstring>
#include <new>
#include <string>

CVLMemFile::CVLMemFile() : CVLFile(CVLString("MemoryFile")) {}

CVLMemFile::~CVLMemFile()
{
    // The base destructor must not close(-1) a descriptor that never existed.
    m_fd = 0;
}

void CVLMemFile::Close()
{
    m_Position = 0;
    m_fd = 0;
}

bool CVLMemFile::Open(int flags)
{
    m_Position = 0;
    m_AtEnd = false;
    m_fd = -1;
    if ((flags & 0x12) == 0x10) {
        if (m_Content.GetBufferLength())
            memset(m_Content.GetNonConstBufferPtr(), 0, m_Content.GetBufferLength());
        m_Length = 0;
    } else if (flags & kOpenKeepContents) {
        m_Position = m_Length;
    }
    return true;
}

bool CVLMemFile::Open(const CVLString&, int flags)
{
    return Open(flags);
}

bool CVLMemFile::OpenReadWrite()
{
    return Open(0x16);
}

bool CVLMemFile::OpenReadWrite(const CVLString& name)
{
    Close();
    m_Name = name;
    return OpenReadWrite();
}

bool CVLMemFile::OpenReadWriteCreate()
{
    return Open(0x14);
}

bool CVLMemFile::OpenReadOnly()
{
    return Open(kOpenRead);
}

bool CVLMemFile::Exists()
{
    return true;
}

bool CVLMemFile::Remove()
{
    m_Content.FreeBuffer();
    m_Length = 0;
    m_Position = 0;
    return true;
}

bool CVLMemFile::SeekToBegin()
{
    m_Position = 0;
    m_AtEnd = false;
    return true;
}

bool CVLMemFile::Rename(const CVLString&, bool)
{
    return false;
}

bool CVLMemFile::IsEmpty()
{
    return m_Length == 0;
}

unsigned CVLMemFile::GetLength()
{
    return m_Length;
}

long long CVLMemFile::GetLength64()
{
    return m_Length;
}

bool CVLMemFile::CreateTempFile(const CVLString&)
{
    return true;
}

bool CVLMemFile::CreateTempFile(const CVLString*)
{
    return true;
}

bool CVLMemFile::IsReadOnly()
{
    return false;
}

bool CVLMemFile::SetReadOnly()
{
    return true;
}

bool CVLMemFile::SetReadWrite()
{
    return true;
}

bool CVLMemFile::IsMemFile() const
{
    return true;
}

int CVLMemFile::GetFileBOM()
{
    if (m_Length < 2)
        return kBOM_None;
    return DecideBOM(reinterpret_cast<const unsigned char*>(m_Content.GetBufferPtr()), m_Length < 4 ? m_Length : 4);
}

bool CVLMemFile::SeekTo(unsigned position)
{
    m_Position = position > m_Length ? m_Length : position;
    m_AtEnd = false;
    return true;
}

bool CVLMemFile::SeekToEnd(int offset)
{
    long long target = static_cast<long long>(m_Length) + offset;
    if (target < 0)
        return false;
    return SeekTo(target > m_Length ? m_Length : static_cast<unsigned>(target));
}

bool CVLMemFile::SeekTo64(long long position)
{
    if (position < 0 || position > 0xFFFFFFFELL)
        return false;
    return SeekTo(static_cast<unsigned>(position));
}

bool CVLMemFile::SeekToEnd64(long long offset)
{
    if (offset > 0xFFFFFFFELL || offset < -0xFFFFFFFELL)
        return false;
    long long target = static_cast<long long>(m_Length) + offset;
    if (target < 0)
        return false;
    return SeekTo(target > m_Length ? m_Length : static_cast<unsigned>(target));
}

bool CVLMemFile::CreateFromMemFile(CVLMemFile& source, unsigned* crc)
{
    if (&source == this) {
        if (crc)
            *crc = GetCRC32();
        return true;
    }
    try {
        m_Content.FreeBuffer();
        m_Length = 0;
        m_Position = 0;
        if (source.m_Length) {
            m_Content.Alloc(source.m_Length);
            memcpy(m_Content.GetNonConstBufferPtr(), source.m_Content.GetBufferPtr(), source.m_Length);
        }
    } catch (const std::bad_alloc&) {
        SetError(kFileError_Memory);
        return false;
    }
    m_Length = source.m_Length;
    m_AtEnd = false;
    if (crc)
        *crc = source.GetCRC32();
    return true;
}

bool CVLMemFile::CreateFromFile(CVLFile& source, unsigned* crc)
{
    if (crc)
        *crc = 0;
    if (&source == this)
        return false;
    long long length = source.GetLength64();
    if (length > 0x7FFFFFFFLL || length < 0) {
        SetError(kFileError_Memory);
        return false;
    }
    bool openedHere = false;
    if (!source.IsOpen()) {
        if (!source.OpenReadOnly()) {
            m_Error = source.GetLastError();
            return false;
        }
        openedHere = true;
    } else {
        source.SeekToBegin();
    }
    unsigned size = static_cast<unsigned>(length);
    if (!GrowTo(size)) {
        if (openedHere)
            source.Close();
        return false;
    }
    unsigned got = size ? source.Read(m_Content.GetNonConstBufferPtr(), size) : 0;
    if (got == 0xFFFFFFFFu)
        got = 0;
    if (openedHere)
        source.Close();
    // Only bytes that really arrived count as content.
    m_Length = got;
    m_Position = 0;
    m_AtEnd = false;
    if (got < size) {
        m_Error = source.GetLastError();
        return false;
    }
    if (crc)
        *crc = GetCRC32();
    return true;
}

unsigned CVLMemFile::Read(void* bytes, unsigned count)
{
    if (!IsOpen() || !bytes)
        return 0;
    unsigned available = m_Position < m_Length ? m_Length - m_Position : 0;
    unsigned n = count < available ? count : available;
    if (n)
        memcpy(bytes, m_Content.GetBufferPtr() + m_Position, n);
    m_Position += n;
    if (n < count)
        m_AtEnd = true;
    return n;
}

unsigned CVLMemFile::Write(const void* bytes, unsigned count)
{
    if (!IsOpen() || !bytes || count == 0)
        return 0;
    unsigned long long end = static_cast<unsigned long long>(m_Position) + count;
    if (end > m_Content.GetBufferLength()) {
        unsigned long long wanted = end + m_GrowthSlack;
        if (wanted > 0xFFFFFFFFull) {
            SetError(kFileError_Memory);
            return 0;
        }
        bool keep = m_Length != 0 || m_Position != 0;
        try {
            if (!m_Content.GrowTo(static_cast<unsigned>(wanted), keep)) {
                SetError(kFileError_Memory);
                return 0;
            }
        } catch (const std::bad_alloc&) {
            SetError(kFileError_Memory);
            return 0;
        }
    }
    memcpy(m_Content.GetNonConstBufferPtr() + m_Position, bytes, count);
    m_Position += count;
    if (m_Position > m_Length)
        m_Length = m_Position;
    return count;
}

unsigned CVLMemFile::GetCRC32(bool, CVLBuffer*, unsigned* textCRC)
{
    unsigned crc = 0;
    unsigned text = 0;
    textcrcContext context = 0;
    if (m_Length)
        baseCRC32andTextCRC32(m_Content.GetBufferPtr(), static_cast<int>(m_Length), crc, context, text);
    if (textCRC)
        *textCRC = text;
    return crc;
}

unsigned CVLMemFile::GetTextCRC32(CVLBuffer*)
{
    unsigned text = 0;
    textcrcContext context = 0;
    if (m_Length)
        baseTextCRC32(m_Content.GetBufferPtr(), static_cast<int>(m_Length), context, text);
    return text;
}

bool CVLMemFile::ReadString(CVLString& line)
{
    line.Empty();
    if (!IsOpen())
        return false;
    if (m_Position >= m_Length) {
        m_AtEnd = true;
        return false;
    }
    const char* data = m_Content.GetBufferPtr();
    const char* begin = data + m_Position;
    unsigned remaining = m_Length - m_Position;
    char lineBreak = memchr(begin, '\n', remaining) ? '\n' : '\r';
    const char* found = static_cast<const char*>(memchr(begin, lineBreak, remaining));
    unsigned take = found ? static_cast<unsigned>(found - begin) + 1 : remaining;
    m_Position += take;
    if (m_Position >= m_Length)
        m_AtEnd = true;
    // The string type stops at a zero byte; the position still moves past the whole line.
    std::string bytes(begin, strnlen(begin, take));
    line = CVLString(bytes.data(), static_cast<unsigned>(bytes.size()));
    return true;
}

unsigned CVLMemFile::GetPosition()
{
    return m_Position;
}

long long CVLMemFile::GetPosition64()
{
    return m_Position;
}

bool CVLMemFile::GrowTo(unsigned size)
{
    try {
        if (!m_Content.GrowTo(size, m_Length != 0) && size != 0) {
            SetError(kFileError_Memory);
            return false;
        }
    } catch (const std::bad_alloc&) {
        SetError(kFileError_Memory);
        return false;
    }
    return true;
}

void CVLMemFile::StealContentsFrom(CVLMemFile& other)
{
    if (&other == this)
        return;
    m_Content.StealContentsFrom(other.m_Content);
    m_Length = other.m_Length;
    m_Position = other.m_Position;
    m_GrowthSlack = other.m_GrowthSlack;
    other.m_Length = 0;
    other.m_Position = 0;
}

unsigned CVLMemFile::ReadLn(char* bytes, unsigned max)
{
    if (!bytes || m_Length == 0 || m_Position >= m_Length) {
        m_AtEnd = true;
        return 0;
    }
    const char* data = m_Content.GetBufferPtr();
    unsigned copied = 0;
    while (copied < max && m_Position < m_Length) {
        char c = data[m_Position++];
        bytes[copied++] = c;
        if (c == '\n')
            break;
    }
    if (m_Position >= m_Length)
        m_AtEnd = true;
    return copied;
}
