#include "CVLSubFile.h"

#include <cerrno>
#include <unistd.h>

CVLSubFile::CVLSubFile() = default;

CVLSubFile::CVLSubFile(const CVLString& name, int windowStart, unsigned windowLength) : CVLFile(name)
{
    SetWindow(windowStart, windowLength);
}

CVLSubFile::~CVLSubFile() = default;

void CVLSubFile::SetWindow(int windowStart, unsigned windowLength)
{
    m_WindowStart = windowStart < 0 ? 0 : windowStart;
    m_WindowLength = windowLength;
}

bool CVLSubFile::Open(int flags)
{
    if (flags != kOpenRead)
        return false;
    if (!CVLFile::Open(kOpenRead))
        return false;
    return SeekToBegin();
}

bool CVLSubFile::Open(const CVLString&, int flags)
{
    return Open(flags);
}

bool CVLSubFile::OpenReadWrite()
{
    return false;
}

bool CVLSubFile::OpenReadWrite(const CVLString&)
{
    return false;
}

bool CVLSubFile::OpenReadWriteCreate()
{
    return false;
}

bool CVLSubFile::OpenReadOnly()
{
    return Open(kOpenRead);
}

bool CVLSubFile::Exists()
{
    return true;
}

bool CVLSubFile::Remove()
{
    return false;
}

bool CVLSubFile::SeekToBegin()
{
    return SeekTo(0u);
}

bool CVLSubFile::Rename(const CVLString&, bool)
{
    return false;
}

bool CVLSubFile::IsEmpty()
{
    return m_WindowLength == 0;
}

unsigned CVLSubFile::GetLength()
{
    return m_WindowLength;
}

long long CVLSubFile::GetLength64()
{
    return m_WindowLength;
}

bool CVLSubFile::CreateTempFile(const CVLString&)
{
    return false;
}

bool CVLSubFile::CreateTempFile(const CVLString*)
{
    return false;
}

bool CVLSubFile::IsReadOnly()
{
    return true;
}

bool CVLSubFile::SetReadOnly()
{
    return false;
}

bool CVLSubFile::SetReadWrite()
{
    return false;
}

bool CVLSubFile::IsSubFile() const
{
    return true;
}

bool CVLSubFile::SeekTo(unsigned position)
{
    if (position > m_WindowLength)
        position = m_WindowLength;
    return CVLFile::SeekTo64(static_cast<long long>(m_WindowStart) + position);
}

bool CVLSubFile::SeekToEnd(int offset)
{
    return SeekToEnd64(offset);
}

bool CVLSubFile::SeekTo64(long long position)
{
    if (position < 0 || position > 0xFFFFFFFELL)
        return false;
    return SeekTo(static_cast<unsigned>(position));
}

bool CVLSubFile::SeekToEnd64(long long offset)
{
    if (offset > 0xFFFFFFFELL || offset < -0xFFFFFFFELL)
        return false;
    long long target = static_cast<long long>(m_WindowLength) + offset;
    if (target < 0)
        return false;
    return SeekTo(target > m_WindowLength ? m_WindowLength : static_cast<unsigned>(target));
}

bool CVLSubFile::CreateFromMemFile(CVLMemFile&, unsigned*)
{
    return false;
}

bool CVLSubFile::CreateFromFile(CVLFile&, unsigned*)
{
    return false;
}

unsigned CVLSubFile::Read(void* bytes, unsigned count)
{
    if (!IsOpen() || !bytes)
        return 0;
    unsigned position = GetPosition();
    unsigned remaining = position < m_WindowLength ? m_WindowLength - position : 0;
    unsigned wanted = count < remaining ? count : remaining;
    unsigned got = 0;
    if (wanted) {
        got = CVLFile::Read(bytes, wanted);
        if (got == 0 && m_Error.GetLength() != 0 && !m_AtEnd)
            return 0xFFFFFFFFu;
    }
    if (got < count || position + got >= m_WindowLength)
        m_AtEnd = true;
    return got;
}

unsigned CVLSubFile::Write(const void*, unsigned)
{
    return 0;
}

unsigned CVLSubFile::Write(const CVLBuffer&, unsigned)
{
    return 0;
}

unsigned CVLSubFile::WriteString(const char*, unsigned)
{
    return 0;
}

unsigned CVLSubFile::WriteString(const CVLString&, unsigned)
{
    return 0;
}

unsigned CVLSubFile::GetPosition()
{
    long long position = GetPosition64();
    return position <= 0 ? 0 : static_cast<unsigned>(position);
}

long long CVLSubFile::GetPosition64()
{
    long long absolute = CVLFile::GetPosition64();
    long long relative = absolute - m_WindowStart;
    if (relative < 0)
        return 0;
    return relative > m_WindowLength ? m_WindowLength : relative;
}
