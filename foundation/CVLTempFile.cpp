#include "CVLTempFile.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

CVLTempFile::CVLTempFile() = default;

CVLTempFile::CVLTempFile(const CVLString& name) : CVLFile(name) {}

CVLTempFile::~CVLTempFile()
{
    RemoveCreatedTempFileIfNeeded();
}

void CVLTempFile::Initialize(const CVLString& name)
{
    RemoveCreatedTempFileIfNeeded();
    CVLFile::Initialize(name);
}

bool CVLTempFile::CreateTempFile(const CVLString&)
{
    return false;
}

bool CVLTempFile::CreateTempFile(const CVLString*)
{
    return false;
}

bool CVLTempFile::IsMemFile() const
{
    return false;
}

bool CVLTempFile::IsSubFile() const
{
    return false;
}

bool CVLTempFile::CreateFromMemFile(CVLMemFile&, unsigned*)
{
    return false;
}

bool CVLTempFile::CreateFromFile(CVLFile&, unsigned*)
{
    return false;
}

void CVLTempFile::RemoveCreatedTempFileIfNeeded()
{
    if (!m_OwnsFile)
        return;
    Close();
    if (unlink(m_Name.GetBufferPtr()) != 0)
        SetError(kFileError_System);
    m_OwnsFile = false;
}

std::unique_ptr<CVLTempFile> CVLTempFile::CreateCVLTempFile(CVLString* error)
{
    CVLString name;
    if (!GetTempFilename(name, CVLString())) {
        if (error)
            *error = strerror(errno);
        return nullptr;
    }
    std::unique_ptr<CVLTempFile> file(new CVLTempFile(name));
    file->m_OwnsFile = true;
    return file;
}

bool CVLTempFile::GenerateTempFile(CVLString& name, CVLString* error)
{
    if (!GetTempFilename(name, CVLString())) {
        if (error)
            *error = strerror(errno);
        return false;
    }
    return true;
}
