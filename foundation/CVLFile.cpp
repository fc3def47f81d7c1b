#include "CVLFile.h"

#include "CMVDateTime.h"
#include "CVLMemFile.h"
#include "VLFileSystem.h"

#include <cerrno>
#include <cstdint>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <new>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#endif

namespace {

constexpr unsigned kCopyPieceSize = 32768;
constexpr unsigned kCRCPieceSize = 32768;
constexpr unsigned kLinePieceSize = 255;

std::string Bytes(const CVLString& text)
{
    return std::string(text.GetBufferPtr(), text.GetLength());
}

CVLString FromBytes(const std::string& bytes)
{
    return CVLString(CVLString::Raw, bytes.data(), static_cast<unsigned>(bytes.size()));
}

// Descriptor 0 marks a closed file, so a file that the system hands descriptor 0 (stdin was
// closed) is moved to another descriptor.
int AvoidDescriptorZero(int fd)
{
    if (fd != 0)
        return fd;
    int moved = fcntl(fd, F_DUPFD_CLOEXEC, 1);
    int saved = errno;
    close(fd);
    errno = saved;
    return moved;
}

bool WriteAll(int fd, const char* bytes, size_t count)
{
    while (count > 0) {
        ssize_t put = write(fd, bytes, count);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes += put;
        count -= static_cast<size_t>(put);
    }
    return true;
}

// Copies from to to in pieces; the target is created with mode 0666. True only when every
// byte arrived.
bool CopyAcrossDevices(const char* from, const char* to)
{
    int in = open(from, O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    int out = open(to, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (out < 0) {
        int saved = errno;
        close(in);
        errno = saved;
        return false;
    }
    std::vector<char> piece(kCopyPieceSize);
    bool ok = true;
    int failure = 0;
    for (;;) {
        ssize_t got = read(in, piece.data(), piece.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 || (got > 0 && !WriteAll(out, piece.data(), static_cast<size_t>(got)))) {
            failure = errno;
            ok = false;
            break;
        }
        if (got == 0)
            break;
    }
    close(in);
    if (close(out) != 0 && ok) {
        failure = errno;
        ok = false;
    }
    if (!ok) {
        // Never leave a half copy behind under the new name; the source stays.
        unlink(to);
        errno = failure;
    }
    return ok;
}

void AddFolderSize(const std::string& folder, double& total, bool recursive, int depth)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return;
    while (struct dirent* entry = readdir(dir)) {
        if (strcmp(entry->d_name, ".") == 0 || strcmp(entry->d_name, "..") == 0)
            continue;
        std::string full = folder;
        if (full.empty() || full.back() != '/')
            full.push_back('/');
        full += entry->d_name;
        struct stat info;
        if (lstat(full.c_str(), &info) != 0)
            continue;
        if (S_ISREG(info.st_mode))
            total += static_cast<double>(info.st_size);
        else if (S_ISDIR(info.st_mode) && recursive && depth < 256)
            AddFolderSize(full, total, true, depth + 1);
    }
    closedir(dir);
}

} // namespace

// The standard reflected CRC-32 table (polynomial 0xEDB88320, IEEE 802.3 / zlib).
const unsigned CVLFile::crc32_table[256] = {
    0x00000000, 0x77073096, 0xEE0E612C, 0x990951BA, 0x076DC419, 0x706AF48F, 0xE963A535, 0x9E6495A3, 0x0EDB8832,
    0x79DCB8A4, 0xE0D5E91E, 0x97D2D988, 0x09B64C2B, 0x7EB17CBD, 0xE7B82D07, 0x90BF1D91, 0x1DB71064, 0x6AB020F2,
    0xF3B97148, 0x84BE41DE, 0x1ADAD47D, 0x6DDDE4EB, 0xF4D4B551, 0x83D385C7, 0x136C9856, 0x646BA8C0, 0xFD62F97A,
    0x8A65C9EC, 0x14015C4F, 0x63066CD9, 0xFA0F3D63, 0x8D080DF5, 0x3B6E20C8, 0x4C69105E, 0xD56041E4, 0xA2677172,
    0x3C03E4D1, 0x4B04D447, 0xD20D85FD, 0xA50AB56B, 0x35B5A8FA, 0x42B2986C, 0xDBBBC9D6, 0xACBCF940, 0x32D86CE3,
    0x45DF5C75, 0xDCD60DCF, 0xABD13D59, 0x26D930AC, 0x51DE003A, 0xC8D75180, 0xBFD06116, 0x21B4F4B5, 0x56B3C423,
    0xCFBA9599, 0xB8BDA50F, 0x2802B89E, 0x5F058808, 0xC60CD9B2, 0xB10BE924, 0x2F6F7C87, 0x58684C11, 0xC1611DAB,
    0xB6662D3D, 0x76DC4190, 0x01DB7106, 0x98D220BC, 0xEFD5102A, 0x71B18589, 0x06B6B51F, 0x9FBFE4A5, 0xE8B8D433,
    0x7807C9A2, 0x0F00F934, 0x9609A88E, 0xE10E9818, 0x7F6A0DBB, 0x086D3D2D, 0x91646C97, 0xE6635C01, 0x6B6B51F4,
    0x1C6C6162, 0x856530D8, 0xF262004E, 0x6C0695ED, 0x1B01A57B, 0x8208F4C1, 0xF50FC457, 0x65B0D9C6, 0x12B7E950,
    0x8BBEB8EA, 0xFCB9887C, 0x62DD1DDF, 0x15DA2D49, 0x8CD37CF3, 0xFBD44C65, 0x4DB26158, 0x3AB551CE, 0xA3BC0074,
    0xD4BB30E2, 0x4ADFA541, 0x3DD895D7, 0xA4D1C46D, 0xD3D6F4FB, 0x4369E96A, 0x346ED9FC, 0xAD678846, 0xDA60B8D0,
    0x44042D73, 0x33031DE5, 0xAA0A4C5F, 0xDD0D7CC9, 0x5005713C, 0x270241AA, 0xBE0B1010, 0xC90C2086, 0x5768B525,
    0x206F85B3, 0xB966D409, 0xCE61E49F, 0x5EDEF90E, 0x29D9C998, 0xB0D09822, 0xC7D7A8B4, 0x59B33D17, 0x2EB40D81,
    0xB7BD5C3B, 0xC0BA6CAD, 0xEDB88320, 0x9ABFB3B6, 0x03B6E20C, 0x74B1D29A, 0xEAD54739, 0x9DD277AF, 0x04DB2615,
    0x73DC1683, 0xE3630B12, 0x94643B84, 0x0D6D6A3E, 0x7A6A5AA8, 0xE40ECF0B, 0x9309FF9D, 0x0A00AE27, 0x7D079EB1,
    0xF00F9344, 0x8708A3D2, 0x1E01F268, 0x6906C2FE, 0xF762575D, 0x806567CB, 0x196C3671, 0x6E6B06E7, 0xFED41B76,
    0x89D32BE0, 0x10DA7A5A, 0x67DD4ACC, 0xF9B9DF6F, 0x8EBEEFF9, 0x17B7BE43, 0x60B08ED5, 0xD6D6A3E8, 0xA1D1937E,
    0x38D8C2C4, 0x4FDFF252, 0xD1BB67F1, 0xA6BC5767, 0x3FB506DD, 0x48B2364B, 0xD80D2BDA, 0xAF0A1B4C, 0x36034AF6,
    0x41047A60, 0xDF60EFC3, 0xA867DF55, 0x316E8EEF, 0x4669BE79, 0xCB61B38C, 0xBC66831A, 0x256FD2A0, 0x5268E236,
    0xCC0C7795, 0xBB0B4703, 0x220216B9, 0x5505262F, 0xC5BA3BBE, 0xB2BD0B28, 0x2BB45A92, 0x5CB36A04, 0xC2D7FFA7,
    0xB5D0CF31, 0x2CD99E8B, 0x5BDEAE1D, 0x9B64C2B0, 0xEC63F226, 0x756AA39C, 0x026D930A, 0x9C0906A9, 0xEB0E363F,
    0x72076785, 0x05005713, 0x95BF4A82, 0xE2B87A14, 0x7BB12BAE, 0x0CB61B38, 0x92D28E9B, 0xE5D5BE0D, 0x7CDCEFB7,
    0x0BDBDF21, 0x86D3D2D4, 0xF1D4E242, 0x68DDB3F8, 0x1FDA836E, 0x81BE16CD, 0xF6B9265B, 0x6FB077E1, 0x18B74777,
    0x88085AE6, 0xFF0F6A70, 0x66063BCA, 0x11010B5C, 0x8F659EFF, 0xF862AE69, 0x616BFFD3, 0x166CCF45, 0xA00AE278,
    0xD70DD2EE, 0x4E048354, 0x3903B3C2, 0xA7672661, 0xD06016F7, 0x4969474D, 0x3E6E77DB, 0xAED16A4A, 0xD9D65ADC,
    0x40DF0B66, 0x37D83BF0, 0xA9BCAE53, 0xDEBB9EC5, 0x47B2CF7F, 0x30B5FFE9, 0xBDBDF21C, 0xCABAC28A, 0x53B39330,
    0x24B4A3A6, 0xBAD03605, 0xCDD70693, 0x54DE5729, 0x23D967BF, 0xB3667A2E, 0xC4614AB8, 0x5D681B02, 0x2A6F2B94,
    0xB40BBE37, 0xC30C8EA1, 0x5A05DF1B, 0x2D02EF8D,
};

CVLFile::CVLFile() = default;

CVLFile::CVLFile(const CVLString& name) : m_Name(name) {}

CVLFile::~CVLFile()
{
    if (m_fd > 0)
        close(m_fd);
    m_fd = 0;
}

void CVLFile::Initialize(const CVLString& name)
{
    Close();
    m_Name = name;
    m_AtEnd = false;
}

void CVLFile::Close()
{
    if (m_fd > 0)
        close(m_fd);
    m_fd = 0;
}

bool CVLFile::OpenWithSystemFlags(int systemFlags)
{
    if (m_fd != 0) {
        SetError(kFileError_AlreadyOpen);
        return false;
    }
    m_AtEnd = false;
    if (m_Name.GetLength() == 0) {
        errno = ENOENT;
        SetError(kFileError_System);
        return false;
    }
    int fd = open(m_Name.GetBufferPtr(), systemFlags | O_CLOEXEC, 0666);
    if (fd >= 0)
        fd = AvoidDescriptorZero(fd);
    if (fd < 0) {
        SetError(kFileError_System);
        m_fd = 0;
        return false;
    }
    // A folder opens read-only but every read fails: refuse it here with the system's text.
    struct stat info;
    if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        close(fd);
        errno = EISDIR;
        SetError(kFileError_System);
        m_fd = 0;
        return false;
    }
    m_fd = fd;
    return true;
}

bool CVLFile::Open(int flags)
{
    int systemFlags;
    if (flags & kOpenRead)
        systemFlags = O_RDONLY;
    else if (flags & kOpenKeepContents)
        systemFlags = O_WRONLY | O_CREAT;
    else
        systemFlags = O_WRONLY | O_CREAT | O_TRUNC;
    if (flags & kOpenAppend)
        systemFlags |= O_APPEND;
    return OpenWithSystemFlags(systemFlags);
}

bool CVLFile::Open(const CVLString& name, int flags)
{
    if (m_fd != 0) {
        SetError(kFileError_AlreadyOpen);
        return false;
    }
    m_Name = name;
    return Open(flags);
}

bool CVLFile::OpenReadWrite()
{
    return OpenWithSystemFlags(O_RDWR);
}

bool CVLFile::OpenReadWriteWithReadShare()
{
    return OpenWithSystemFlags(O_RDWR);
}

bool CVLFile::OpenReadWrite(const CVLString& name)
{
    Close();
    m_Name = name;
    return OpenReadWrite();
}

bool CVLFile::OpenReadWriteCreate()
{
    return OpenWithSystemFlags(O_RDWR | O_CREAT | O_TRUNC);
}

bool CVLFile::OpenReadOnly()
{
    return Open(kOpenRead);
}

bool CVLFile::OpenReadWriteAppend()
{
    if (!Exists())
        return OpenReadWriteCreate();
    return OpenReadWrite() && SeekToEnd(0);
}

bool CVLFile::Exists()
{
    return DoesFileExist(m_Name, false);
}

bool CVLFile::Remove()
{
    Close();
    if (unlink(m_Name.GetBufferPtr()) != 0) {
        SetError(kFileError_System);
        return false;
    }
    return true;
}

bool CVLFile::SeekToBegin()
{
    return SeekTo(0u);
}

bool CVLFile::Rename(const CVLString& newName, bool overwrite)
{
    m_Error.Empty();
    if (m_Name.GetLength() == 0) {
        SetErrorText("Unable to rename file with no name.");
        return false;
    }
    struct stat oldTarget;
    bool targetExists = lstat(newName.GetBufferPtr(), &oldTarget) == 0;
    bool replaced = false;
    if (targetExists) {
        if (!overwrite) {
            SetErrorText("Target already exists, overwrite not specified.");
            return false;
        }
        struct stat self;
        if (stat(m_Name.GetBufferPtr(), &self) == 0 && stat(newName.GetBufferPtr(), &oldTarget) == 0 &&
            self.st_dev == oldTarget.st_dev && self.st_ino == oldTarget.st_ino) {
            // Both names are this very file: removing the "target" would delete it.
            m_Name = newName;
            return true;
        }
        if (unlink(newName.GetBufferPtr()) != 0) {
            CVLString text("Failed to remove target before rename: ");
            text += strerror(errno);
            m_Error = text;
            return false;
        }
        replaced = true;
    }
    if (rename(m_Name.GetBufferPtr(), newName.GetBufferPtr()) != 0) {
        if (errno != EXDEV) {
            SetError(kFileError_System);
            return false;
        }
        if (!CopyAcrossDevices(m_Name.GetBufferPtr(), newName.GetBufferPtr())) {
            SetError(kFileError_System);
            return false;
        }
        Close();
        unlink(m_Name.GetBufferPtr());
    }
    m_Name = newName;
    if (replaced) {
        if (chown(newName.GetBufferPtr(), oldTarget.st_uid, oldTarget.st_gid) != 0) {
            // Only the owner's own files can be given away; keep the mode regardless.
        }
        chmod(newName.GetBufferPtr(), oldTarget.st_mode & 07777);
    } else {
        chmod(newName.GetBufferPtr(), 0700);
    }
    return true;
}

bool CVLFile::IsEmpty()
{
    return GetLength64() == 0;
}

unsigned CVLFile::GetLength()
{
    long long length = GetLength64();
    if (length <= 0)
        return 0;
    return length >= 0xFFFFFFFFLL ? 0xFFFFFFFFu : static_cast<unsigned>(length);
}

long long CVLFile::GetLength64()
{
    if (m_fd == 0) {
        if (!OpenReadOnly())
            return 0;
        off_t end = lseek(m_fd, 0, SEEK_END);
        if (end < 0)
            SetError(kFileError_System);
        Close();
        return end < 0 ? 0 : static_cast<long long>(end);
    }
    off_t here = lseek(m_fd, 0, SEEK_CUR);
    off_t end = lseek(m_fd, 0, SEEK_END);
    if (end < 0) {
        SetError(kFileError_System);
        return 0;
    }
    if (here >= 0)
        lseek(m_fd, here, SEEK_SET);
    return static_cast<long long>(end);
}

bool CVLFile::CreateTempFile(const CVLString& directory)
{
    Close();
    CVLString name;
    if (!GetTempFilename(name, directory)) {
        SetError(kFileError_System);
        return false;
    }
    m_Name = name;
    return true;
}

bool CVLFile::CreateTempFile(const CVLString* directory)
{
    return CreateTempFile(directory ? *directory : CVLString());
}

bool CVLFile::IsReadOnly()
{
    return IsFileReadOnly(m_Name);
}

bool CVLFile::SetReadOnly()
{
    if (!SetFileReadOnly(m_Name)) {
        SetError(kFileError_System);
        return false;
    }
    return true;
}

bool CVLFile::SetReadWrite()
{
    if (!SetFileReadWrite(m_Name)) {
        SetError(kFileError_System);
        return false;
    }
    return true;
}

bool CVLFile::IsMemFile() const
{
    return false;
}

bool CVLFile::IsSubFile() const
{
    return false;
}

int CVLFile::Flush()
{
    if (m_fd <= 0)
        return -1;
    return fsync(m_fd) == 0 ? 0 : -1;
}

bool CVLFile::SetGMTDateTime(const CMVDateTime& modified)
{
    if (!vl_stat_setmodifiedtime(m_Name, modified)) {
        SetError(kFileError_System);
        return false;
    }
    return true;
}

int CVLFile::DecideBOM(const unsigned char* b, unsigned n)
{
    if (n >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF)
        return kBOM_UTF8;
    if (n >= 4 && b[0] == 0xFF && b[1] == 0xFE && b[2] == 0x00 && b[3] == 0x00)
        return kBOM_UTF32LE;
    if (n >= 2 && b[0] == 0xFF && b[1] == 0xFE)
        return kBOM_UTF16LE;
    if (n >= 2 && b[0] == 0xFE && b[1] == 0xFF)
        return kBOM_UTF16BE;
    if (n >= 4 && b[0] == 0x00 && b[1] == 0x00 && b[2] == 0xFE && b[3] == 0xFF)
        return kBOM_UTF32BE;
    return kBOM_None;
}

bool CVLFile::BeginWholeFile(WholeFileState& state)
{
    state = WholeFileState();
    if (!IsOpen()) {
        if (!OpenReadOnly())
            return false;
        state.openedHere = true;
        return true;
    }
    state.hadAtEnd = m_AtEnd;
    if (!state.hadAtEnd)
        state.position = GetPosition();
    SeekToBegin();
    return true;
}

void CVLFile::EndWholeFile(const WholeFileState& state)
{
    if (state.openedHere) {
        Close();
        return;
    }
    if (!state.hadAtEnd) {
        SeekTo(state.position);
        m_AtEnd = false;
    }
}

int CVLFile::GetFileBOM()
{
    WholeFileState state;
    if (!BeginWholeFile(state))
        return kBOM_None;
    unsigned char head[4] = {0, 0, 0, 0};
    unsigned got = Read(head, 4);
    if (got == 0xFFFFFFFFu)
        got = 0;
    int mark = DecideBOM(head, got);
    EndWholeFile(state);
    return mark;
}

int CVLFile::GetFileBOM(const CVLString& path)
{
    CVLFile file(path);
    return file.GetFileBOM();
}

unsigned CVLFile::GetFileBOMLength(fileBOM mark)
{
    switch (mark) {
    case kBOM_UTF8: return 3;
    case kBOM_UTF16LE:
    case kBOM_UTF16BE: return 2;
    case kBOM_UTF32LE:
    case kBOM_UTF32BE: return 4;
    default: return 0;
    }
}

bool CVLFile::WriteFileBOM(fileBOM mark)
{
    static const unsigned char kMarks[6][4] = {
        {0, 0, 0, 0}, {0xEF, 0xBB, 0xBF, 0}, {0xFF, 0xFE, 0, 0}, {0xFE, 0xFF, 0, 0}, {0xFF, 0xFE, 0, 0}, {0, 0, 0xFE, 0xFF}};
    unsigned length = GetFileBOMLength(mark);
    if (length == 0)
        return true;
    return Write(kMarks[mark], length) == length;
}

bool CVLFile::SeekTo(unsigned position)
{
    return SeekTo64(static_cast<long long>(position));
}

bool CVLFile::SeekToEnd(int offset)
{
    return SeekToEnd64(static_cast<long long>(offset));
}

bool CVLFile::SeekTo64(long long position)
{
    if (m_fd <= 0)
        return false;
    m_AtEnd = false;
    if (position < 0) {
        errno = EINVAL;
        SetError(kFileError_System);
        return false;
    }
    if (lseek(m_fd, static_cast<off_t>(position), SEEK_SET) < 0) {
        SetError(kFileError_System);
        return false;
    }
    return true;
}

bool CVLFile::SeekToEnd64(long long offset)
{
    if (m_fd <= 0)
        return false;
    m_AtEnd = false;
    if (lseek(m_fd, static_cast<off_t>(offset), SEEK_END) < 0) {
        SetError(kFileError_System);
        return false;
    }
    return true;
}

bool CVLFile::CreateFromMemFile(CVLMemFile& source, unsigned* crc)
{
    Close();
    if (!Open(kOpenCreate))
        return false;
    unsigned length = source.GetLength();
    unsigned written = length ? Write(source.GetContentPtr(), length) : 0;
    Close();
    if (written != length)
        return false;
    if (crc)
        *crc = source.GetCRC32();
    return true;
}

bool CVLFile::CreateFromFile(CVLFile& source, unsigned* crc)
{
    if (crc)
        *crc = 0;
    source.Close();
    if (!source.OpenReadOnly()) {
        m_Error = source.GetLastError();
        return false;
    }
    Close();
    if (!Open(kOpenCreate)) {
        source.Close();
        return false;
    }
    std::vector<char> piece(kCopyPieceSize);
    bool ok = true;
    unsigned running = 0;
    for (;;) {
        unsigned got = source.Read(piece.data(), kCopyPieceSize);
        // A read that failed returns nothing without reaching the end; an old error text of
        // the source says nothing about this copy.
        if (got == 0xFFFFFFFFu || (got == 0 && !source.IsAtEnd())) {
            m_Error = source.GetLastError();
            ok = false;
            break;
        }
        if (got == 0)
            break;
        baseCRC32(piece.data(), static_cast<int>(got), running);
        if (Write(piece.data(), got) != got) {
            ok = false;
            break;
        }
        if (source.IsAtEnd())
            break;
    }
    source.Close();
    Close();
    if (crc)
        *crc = running;
    return ok;
}

unsigned CVLFile::Read(void* bytes, unsigned count)
{
    if (m_fd <= 0 || count == 0)
        return 0;
    char* out = static_cast<char*>(bytes);
    unsigned done = 0;
    while (done < count) {
        ssize_t got = read(m_fd, out + done, count - done);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            SetError(kFileError_System);
            return 0;
        }
        if (got == 0)
            break;
        done += static_cast<unsigned>(got);
    }
    if (done < count)
        m_AtEnd = true;
    return done;
}

unsigned CVLFile::Read(CVLBuffer& buffer, unsigned count)
{
    try {
        buffer.GrowTo(count, false);
    } catch (const std::bad_alloc&) {
        SetError(kFileError_Memory);
        return 0;
    }
    if (buffer.GetBufferLength() < count) {
        SetError(kFileError_Memory);
        return 0;
    }
    return Read(buffer.GetNonConstBufferPtr(), count);
}

unsigned CVLFile::Write(const void* bytes, unsigned count)
{
    if (m_fd <= 0 || count == 0 || !bytes)
        return 0;
    const char* in = static_cast<const char*>(bytes);
    unsigned done = 0;
    errno = 0;
    while (done < count) {
        ssize_t put = write(m_fd, in + done, count - done);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (put == 0)
            break;
        done += static_cast<unsigned>(put);
    }
    if (done < count && errno != 0)
        SetError(kFileError_System);
    return done;
}

unsigned CVLFile::Write(const CVLBuffer& buffer, unsigned count)
{
    if (count > buffer.GetBufferLength())
        count = buffer.GetBufferLength();
    return Write(buffer.GetBufferPtr(), count);
}

unsigned CVLFile::ComputeCRC(unsigned pieceSize, CVLBuffer* work, unsigned* textCRC, bool wantCRC)
{
    WholeFileState state;
    if (!BeginWholeFile(state))
        return 0xFFFFFFFFu;
    CVLBuffer own;
    CVLBuffer& buffer = work ? *work : own;
    try {
        buffer.GrowTo(pieceSize, false);
    } catch (const std::bad_alloc&) {
        SetError(kFileError_Memory);
        EndWholeFile(state);
        return 0xFFFFFFFFu;
    }
    unsigned crc = 0;
    unsigned text = 0;
    textcrcContext context = 0;
    bool failed = false;
    for (;;) {
        unsigned got = Read(buffer.GetNonConstBufferPtr(), pieceSize);
        if (got == 0xFFFFFFFFu || (got == 0 && !m_AtEnd)) {
            failed = true;
            break;
        }
        if (got == 0)
            break;
        if (wantCRC && textCRC)
            baseCRC32andTextCRC32(buffer.GetBufferPtr(), static_cast<int>(got), crc, context, text);
        else if (wantCRC)
            baseCRC32(buffer.GetBufferPtr(), static_cast<int>(got), crc);
        else
            baseTextCRC32(buffer.GetBufferPtr(), static_cast<int>(got), context, text);
        if (got < pieceSize)
            break;
    }
    EndWholeFile(state);
    if (failed) {
        // A part of the file could not be read: no CRC would describe it.
        if (textCRC)
            *textCRC = 0;
        return 0xFFFFFFFFu;
    }
    if (textCRC)
        *textCRC = text;
    return wantCRC ? crc : text;
}

unsigned CVLFile::GetCRC32(bool, CVLBuffer* work, unsigned* textCRC)
{
    return ComputeCRC(kCRCPieceSize, work, textCRC, true);
}

unsigned CVLFile::GetTextCRC32(CVLBuffer* work)
{
    return ComputeCRC(kCRCPieceSize, work, nullptr, false);
}

unsigned CVLFile::GetCRC32Using8kBuffer()
{
    return ComputeCRC(8192, nullptr, nullptr, true);
}

namespace {

// Slicing-by-8: table k gives the CRC of a byte followed by k zero bytes, so eight bytes are
// folded in with eight independent lookups instead of a chain of eight.
struct SliceTables {
    unsigned t[8][256];
    SliceTables()
    {
        for (unsigned i = 0; i < 256; ++i)
            t[0][i] = CVLFile::crc32_table[i];
        for (unsigned k = 1; k < 8; ++k)
            for (unsigned i = 0; i < 256; ++i)
                t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFFu];
    }
};

const SliceTables& Slices()
{
    static const SliceTables tables;
    return tables;
}

// c is the running register (not inverted).
unsigned CRC32Portable(unsigned c, const unsigned char* p, size_t count)
{
    while (count && (reinterpret_cast<uintptr_t>(p) & 7u)) {
        c = CVLFile::crc32_table[(c ^ *p++) & 0xFFu] ^ (c >> 8);
        --count;
    }
    const SliceTables& s = Slices();
    for (; count >= 8; count -= 8, p += 8) {
        // Byte-wise assembly keeps the result independent of the machine's byte order.
        const unsigned lo = c ^ (unsigned(p[0]) | unsigned(p[1]) << 8 | unsigned(p[2]) << 16 | unsigned(p[3]) << 24);
        const unsigned hi = unsigned(p[4]) | unsigned(p[5]) << 8 | unsigned(p[6]) << 16 | unsigned(p[7]) << 24;
        c = s.t[7][lo & 0xFFu] ^ s.t[6][(lo >> 8) & 0xFFu] ^ s.t[5][(lo >> 16) & 0xFFu] ^ s.t[4][lo >> 24]
            ^ s.t[3][hi & 0xFFu] ^ s.t[2][(hi >> 8) & 0xFFu] ^ s.t[1][(hi >> 16) & 0xFFu] ^ s.t[0][hi >> 24];
    }
    while (count--)
        c = CVLFile::crc32_table[(c ^ *p++) & 0xFFu] ^ (c >> 8);
    return c;
}

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define VL_CRC32_CLMUL 1
// Carry-less multiplication folding (the reflected CRC-32 polynomial's fold constants x^(4*128+32),
// x^(4*128-32), x^(128+32), x^(128-32), x^64 mod P, then a Barrett reduction). count is a multiple
// of 16 and at least 64; c is the running register.
__attribute__((target("pclmul,sse4.1"))) unsigned CRC32Folded(unsigned c, const unsigned char* p, size_t count)
{
    alignas(16) static const uint64_t k1k2[2] = {0x0154442bd4ull, 0x01c6e41596ull};
    alignas(16) static const uint64_t k3k4[2] = {0x01751997d0ull, 0x00ccaa009eull};
    alignas(16) static const uint64_t k5k0[2] = {0x0163cd6124ull, 0};
    alignas(16) static const uint64_t poly[2] = {0x01db710641ull, 0x01f7011641ull};

    __m128i x1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 0x00));
    __m128i x2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 0x10));
    __m128i x3 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 0x20));
    __m128i x4 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 0x30));
    x1 = _mm_xor_si128(x1, _mm_cvtsi32_si128(static_cast<int>(c)));
    __m128i x0 = _mm_load_si128(reinterpret_cast<const __m128i*>(k1k2));
    p += 64;
    count -= 64;

    while (count >= 64) {
        __m128i x5 = _mm_clmulepi64_si128(x1, x0, 0x00);
        __m128i x6 = _mm_clmulepi64_si128(x2, x0, 0x00);
        __m128i x7 = _mm_clmulepi64_si128(x3, x0, 0x00);
        __m128i x8 = _mm_clmulepi64_si128(x4, x0, 0x00);
        x1 = _mm_clmulepi64_si128(x1, x0, 0x11);
        x2 = _mm_clmulepi64_si128(x2, x0, 0x11);
        x3 = _mm_clmulepi64_si128(x3, x0, 0x11);
        x4 = _mm_clmulepi64_si128(x4, x0, 0x11);
        x1 = _mm_xor_si128(_mm_xor_si128(x1, x5), _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 0x00)));
        x2 = _mm_xor_si128(_mm_xor_si128(x2, x6), _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 0x10)));
        x3 = _mm_xor_si128(_mm_xor_si128(x3, x7), _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 0x20)));
        x4 = _mm_xor_si128(_mm_xor_si128(x4, x8), _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 0x30)));
        p += 64;
        count -= 64;
    }

    // Four lanes into one.
    x0 = _mm_load_si128(reinterpret_cast<const __m128i*>(k3k4));
    const __m128i lanes[3] = {x2, x3, x4};
    for (const __m128i& next : lanes) {
        __m128i x5 = _mm_clmulepi64_si128(x1, x0, 0x00);
        x1 = _mm_clmulepi64_si128(x1, x0, 0x11);
        x1 = _mm_xor_si128(_mm_xor_si128(x1, next), x5);
    }
    while (count >= 16) {
        __m128i x5 = _mm_clmulepi64_si128(x1, x0, 0x00);
        x1 = _mm_clmulepi64_si128(x1, x0, 0x11);
        x1 = _mm_xor_si128(_mm_xor_si128(x1, _mm_loadu_si128(reinterpret_cast<const __m128i*>(p))), x5);
        p += 16;
        count -= 16;
    }

    // 128 bits to 64, then Barrett reduction to 32.
    x2 = _mm_clmulepi64_si128(x1, x0, 0x10);
    x3 = _mm_setr_epi32(~0, 0, ~0, 0);
    x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), x2);
    x0 = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(k5k0));
    x2 = _mm_srli_si128(x1, 4);
    x1 = _mm_and_si128(x1, x3);
    x1 = _mm_xor_si128(_mm_clmulepi64_si128(x1, x0, 0x00), x2);
    x0 = _mm_load_si128(reinterpret_cast<const __m128i*>(poly));
    x2 = _mm_and_si128(x1, x3);
    x2 = _mm_clmulepi64_si128(x2, x0, 0x10);
    x2 = _mm_and_si128(x2, x3);
    x2 = _mm_clmulepi64_si128(x2, x0, 0x00);
    x1 = _mm_xor_si128(x1, x2);
    return static_cast<unsigned>(_mm_extract_epi32(x1, 1));
}

bool HaveCLMUL()
{
    static const bool have = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
    return have;
}
#endif

}  // namespace

void CVLFile::baseCRC32(const char* bytes, int count, unsigned& crc)
{
    if (!bytes || count <= 0)
        return;
    unsigned c = ~crc;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes);
    size_t n = static_cast<size_t>(count);
#ifdef VL_CRC32_CLMUL
    // Short runs are not worth the set-up of the folding path.
    if (n >= 256 && HaveCLMUL()) {
        const size_t folded = n & ~static_cast<size_t>(15);
        c = CRC32Folded(c, p, folded);
        p += folded;
        n -= folded;
    }
#endif
    crc = ~CRC32Portable(c, p, n);
}

void CVLFile::baseCRC32(char byte, unsigned& crc)
{
    baseCRC32(&byte, 1, crc);
}

void CVLFile::baseTextCRC32(char byte, textcrcContext& context, unsigned& crc)
{
    if (context == 2)
        return;
    switch (byte) {
    case '\n':
        if (context != 1)
            baseCRC32('\r', crc);
        context = 0;
        break;
    case '\r':
        baseCRC32('\r', crc);
        context = 1;
        break;
    case '\0':
        crc = 0;
        context = 2;
        break;
    default:
        baseCRC32(byte, crc);
        context = 0;
        break;
    }
}

void CVLFile::baseTextCRC32(const char* bytes, int count, textcrcContext& context, unsigned& crc)
{
    if (!bytes)
        return;
    for (int i = 0; i < count && context != 2; ++i)
        baseTextCRC32(bytes[i], context, crc);
}

void CVLFile::baseCRC32andTextCRC32(const char* bytes, int count, unsigned& crc, textcrcContext& context,
                                    unsigned& textCRC)
{
    baseCRC32(bytes, count, crc);
    baseTextCRC32(bytes, count, context, textCRC);
}

unsigned CVLFile::WriteString(const char* text, unsigned width)
{
    unsigned length = text ? static_cast<unsigned>(strlen(text)) : 0;
    unsigned written = length ? Write(text, length) : 0;
    if (written != length)
        return written;
    if (width > written) {
        std::string pad(width - written, ' ');
        written += Write(pad.data(), static_cast<unsigned>(pad.size()));
    }
    return written;
}

unsigned CVLFile::WriteString(const CVLString& text, unsigned width)
{
    return WriteString(text.GetBufferPtr(), width);
}

bool CVLFile::ReadString(CVLString& line)
{
    line.Empty();
    if (!IsOpen())
        return false;
    unsigned start = GetPosition();
    std::string bytes;     // the line's bytes as they will appear in the result
    unsigned consumed = 0; // bytes of the file that belong to the line
    bool atEnd = false;
    for (;;) {
        char block[kLinePieceSize + 1];
        memset(block, 0, sizeof(block));
        unsigned got = Read(block, kLinePieceSize);
        if (got == 0 || got == 0xFFFFFFFFu) {
            atEnd = true;
            break;
        }
        size_t textLength = strnlen(block, got);
        const char* lineBreak = static_cast<const char*>(memchr(block, '\n', textLength));
        if (!lineBreak)
            lineBreak = static_cast<const char*>(memchr(block, '\r', textLength));
        if (!lineBreak) {
            bytes.append(block, textLength);
            consumed += got;
            if (got == kLinePieceSize)
                continue;
            atEnd = true;
            break;
        }
        unsigned upTo = static_cast<unsigned>(lineBreak - block) + 1;
        bytes.append(block, upTo);
        consumed += upTo;
        if (*lineBreak == '\r' && upTo == got) {
            char next = 0;
            if (Read(&next, 1) == 1 && next == '\n') {
                bytes.push_back('\n');
                consumed += 1;
            }
        }
        break;
    }
    // Position behind what belongs to the line; the seek must not forget that we hit the end.
    SeekTo(start + consumed);
    m_AtEnd = atEnd;
    if (!bytes.empty())
        line = CVLString(bytes.data(), static_cast<unsigned>(bytes.size()));
    return !bytes.empty();
}

namespace {

// Sets (F_RDLCK) or clears (F_UNLCK) a non-blocking record lock; 0 or -1.
int SetRangeLock(int fd, short type, int offset, int length)
{
    // Descriptor 0 means closed here, not stdin.
    if (fd <= 0)
        return -1;
    struct flock lock;
    memset(&lock, 0, sizeof(lock));
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = offset;
    lock.l_len = length;
    return fcntl(fd, F_SETLK, &lock) == 0 ? 0 : -1;
}

}  // namespace

int CVLFile::LockRange(int offset, int length)
{
    return SetRangeLock(m_fd, F_RDLCK, offset, length);
}

int CVLFile::UnlockRange(int offset, int length)
{
    return SetRangeLock(m_fd, F_UNLCK, offset, length);
}

unsigned CVLFile::GetPosition()
{
    long long position = GetPosition64();
    if (position <= 0)
        return 0;
    return position > 0xFFFFFFFFLL ? 0xFFFFFFFFu : static_cast<unsigned>(position);
}

long long CVLFile::GetPosition64()
{
    if (m_fd <= 0)
        return 0;
    off_t here = lseek(m_fd, 0, SEEK_CUR);
    return here < 0 ? 0 : static_cast<long long>(here);
}

void CVLFile::SetError(fileErrors error)
{
    switch (error) {
    case kFileError_Clear: m_Error.Empty(); break;
    case kFileError_System: m_Error = strerror(errno); break;
    case kFileError_AlreadyOpen: m_Error = "File already open."; break;
    case kFileError_Memory: m_Error = "Memory allocation error."; break;
    default: break;
    }
}

bool CVLFile::ReplaceCharSequence(const char* from, const char* to)
{
    if (!from || !*from)
        return false;
    Close();
    if (!Open(kOpenForRead))
        return false;
    CVLMemFile rewritten;
    rewritten.Open(kOpenCreate);
    bool changed = false;
    CVLString line;
    while (ReadString(line)) {
        CVLString before(line);
        line.ReplaceCharSequence(from, to);
        if (line != before)
            changed = true;
        if (rewritten.WriteString(line) != line.GetLength()) {
            m_Error = rewritten.GetLastError();
            Close();
            return false;
        }
    }
    bool readFailed = !IsAtEnd();
    Close();
    if (readFailed)
        return false;
    if (!changed)
        return true;
    if (!Open(kOpenCreate))
        return false;
    unsigned length = rewritten.GetLength();
    bool ok = (length == 0) || Write(rewritten.GetContentPtr(), length) == length;
    Close();
    return ok;
}

bool CVLFile::DoesFileExist(const CVLString& path, bool linksMustResolve)
{
    if (path.GetLength() == 0)
        return false;
    struct stat info;
    if (stat(path.GetBufferPtr(), &info) == 0)
        return true;
    return !linksMustResolve && lstat(path.GetBufferPtr(), &info) == 0;
}

bool CVLFile::IsFileReadOnly(const CVLString& path)
{
    return !(access(path.GetBufferPtr(), W_OK) == 0 && access(path.GetBufferPtr(), R_OK) == 0);
}

bool CVLFile::IsFileReadOnlyStat(const CVLString& path)
{
    struct stat info;
    if (stat(path.GetBufferPtr(), &info) != 0)
        return false;
    return (info.st_mode & S_IRUSR) && !(info.st_mode & S_IWUSR);
}

bool CVLFile::SetFileReadOnly(const CVLString& path)
{
    return vl_chmod_readonly(path);
}

bool CVLFile::SetFileReadWrite(const CVLString& path)
{
    return vl_chmod_readwrite(path);
}

void CVLFile::MakeStringSafeForFilename(CVLString& name)
{
    name.StripWhiteSpace();
    static const char kUnsafe[] = ":;*?+|<>/\\\"";
    for (const char* c = kUnsafe; *c; ++c)
        name.ReplaceChar(*c, '_');
}

bool CVLFile::IsStringSafeForFilename(const CVLString& name)
{
    CVLString safe(name);
    MakeStringSafeForFilename(safe);
    return safe == name;
}

void CVLFile::RemovePathFromName(CVLString& path)
{
    GetFilenameFromFullFilePathname(path, path);
}

CVLString CVLFile::GetNameWithoutPath(const CVLString& path)
{
    CVLString name;
    GetFilenameFromFullFilePathname(path, name);
    return name;
}

CVLString CVLFile::GetExtensionFromName(const CVLString& path)
{
    std::string name = Bytes(GetNameWithoutPath(path));
    std::string::size_type dot = name.rfind('.');
    if (dot == std::string::npos)
        return CVLString();
    return FromBytes(name.substr(dot + 1));
}

void CVLFile::AddDirSeperator(CVLString& path, char separator)
{
    if (separator == 0)
        separator = '/';
    unsigned length = path.GetLength();
    if (length == 0 || path[length - 1] != separator)
        path.Append(separator);
}

bool CVLFile::GetDirectorySize(const CVLString& folder, double& total, bool recursive)
{
    AddFolderSize(Bytes(folder), total, recursive, 0);
    return true;
}

bool CVLFile::IsStringAWindowsRelativePath(const CVLString& path)
{
    std::string text = Bytes(path);
    if (text.empty() || text[0] == '\\' || text[0] == '/')
        return false;
    bool drive = text.size() >= 2 && text[1] == ':' &&
                 ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'));
    return !drive;
}

bool CVLFile::GetTempFilename(CVLString& result, const CVLString& directory)
{
    std::string pattern;
    std::string dir = Bytes(directory);
    if (dir.empty()) {
        pattern = "/tmp/VLfXXXXXX";
    } else {
        if (dir.back() == '/' || dir.back() == '\\')
            dir.pop_back();
        pattern = dir + "/VLfXXXXXX";
    }
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd >= 0) {
        close(fd);
        result.SetFromUTF8(reinterpret_cast<const unsigned char*>(name.data()));
        return true;
    }
    CVLString prefix("/tmp/VLtemp");
    prefix += static_cast<long long>(time(nullptr));
    return GetFallbackTempFilename(result, prefix);
}

bool CVLFile::GetFallbackTempFilename(CVLString& result, const CVLString& prefix)
{
    CVLString name(prefix);
    for (int counter = 0; counter <= 100; ++counter) {
        if (counter > 0) {
            name = prefix;
            name += counter;
        }
        int fd = open(name.GetBufferPtr(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0660);
        if (fd >= 0) {
            close(fd);
            result = name;
            return true;
        }
    }
    return false;
}

bool CVLFile::GetTempDirectoryPath(CVLString& result)
{
    result = "/tmp/";
    return true;
}

bool CVLFile::CreateTempDirectory(CVLString& result, const CVLString& directory)
{
    CVLString name;
    if (!GetTempFilename(name, directory))
        return false;
    unlink(name.GetBufferPtr());
    if (!vl_mkdir(name, true))
        return false;
    name.Append('/');
    result = name;
    return true;
}

bool CVLFile::CreateTemporaryFileWithExtension(CVLString& path, const char* extension)
{
    CVLString directory(path);
    CVLString temp;
    if (!GetTempFilename(temp, directory)) {
        path.Empty();
        return false;
    }
    const char* ext = extension ? extension : "";
    // link() refuses an existing target where rename() would silently replace it.
    for (int attempt = 0; attempt < 100; ++attempt) {
        CVLString target(temp);
        if (attempt > 0)
            target += static_cast<int>(rand());
        target.Append('.');
        target.Append(ext);
        if (link(temp.GetBufferPtr(), target.GetBufferPtr()) == 0) {
            unlink(temp.GetBufferPtr());
            path = target;
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    unlink(temp.GetBufferPtr());
    path.Empty();
    return false;
}

extern "C" unsigned buildCRC32(const CVLString& path)
{
    CVLFile file(path);
    return file.GetCRC32();
}

// String loading lives here because it is built on the file classes.

bool CVLString::LoadFromFile(const CVLString& path, bool* readAsLocal8Bit, int* byteOrderMark)
{
    CVLFile file(path);
    return LoadFromFile(file, readAsLocal8Bit, byteOrderMark);
}

bool CVLString::LoadFromFile(CVLFile& file, bool* readAsLocal8Bit, int* byteOrderMark)
{
    bool openedHere = false;
    if (!file.IsOpen()) {
        if (!file.OpenReadOnly()) {
            Empty();
            return false;
        }
        openedHere = true;
    } else {
        file.SeekToBegin();
    }
    long long length = file.GetLength64();
    if (length < 0 || length >= 0xFFFFFFFFLL) {
        if (openedHere)
            file.Close();
        Empty();
        return false;
    }
    std::vector<unsigned char> bytes(static_cast<size_t>(length) + 1, 0);
    unsigned got = length ? file.Read(bytes.data(), static_cast<unsigned>(length)) : 0;
    if (got == 0xFFFFFFFFu || got < length) {
        // A failed or short read must not pass for the file's whole text.
        if (openedHere)
            file.Close();
        Empty();
        return false;
    }
    bytes[got] = 0;
    int mark = file.GetFileBOM();
    if (openedHere)
        file.Close();
    if (byteOrderMark)
        *byteOrderMark = mark;

    if (IsLegalUTF8String(bytes.data(), got)) {
        SetFromUTF8(bytes.data(), got);
        if (readAsLocal8Bit)
            *readAsLocal8Bit = false;
        return true;
    }
    if (readAsLocal8Bit)
        *readAsLocal8Bit = (mark == CVLFile::kBOM_None);
    switch (mark) {
    case CVLFile::kBOM_None:
        SetFromLocal8Bit(reinterpret_cast<const char*>(bytes.data()), got);
        return true;
    case CVLFile::kBOM_UTF8:
        SetFromUTF8(bytes.data());
        return true;
    case CVLFile::kBOM_UTF16LE:
    case CVLFile::kBOM_UTF16BE: {
        bool bigEndian = (mark == CVLFile::kBOM_UTF16BE);
        std::vector<unsigned short> units(got / 2);
        for (size_t i = 0; i < units.size(); ++i) {
            unsigned char first = bytes[2 * i];
            unsigned char second = bytes[2 * i + 1];
            units[i] = bigEndian ? static_cast<unsigned short>((first << 8) | second)
                                 : static_cast<unsigned short>((second << 8) | first);
        }
        if (units.empty())
            Empty();
        else
            SetFromUCS2(units.data(), static_cast<unsigned>(units.size()), false);
        return true;
    }
    default:
        Empty();
        return false;
    }
}
