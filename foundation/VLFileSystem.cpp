#include "VLFileSystem.h"

#include "CMVDateTime.h"
#include "CVLString.h"
#include "CVLStringList.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::string Bytes(const CVLString& text)
{
    return std::string(text.GetBufferPtr(), text.GetLength());
}

// Paths are bytes: they go in and out unchanged, whatever their encoding.
void SetBytes(CVLString& out, const std::string& bytes)
{
    out.SetFromUTF8(reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned>(bytes.size()));
}

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

std::string::size_type LastSeparator(const std::string& path)
{
    return path.find_last_of("/\\");
}

std::string StripLeadingSeparators(const std::string& path)
{
    std::string::size_type first = path.find_first_not_of("/\\");
    return first == std::string::npos ? std::string() : path.substr(first);
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    if (folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

bool IsDirectoryNoFollow(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsDirectoryFollow(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool EndsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool ListFolder(const std::string& folder, std::vector<std::string>& names)
{
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return false;
    while (struct dirent* entry = readdir(dir))
        names.emplace_back(entry->d_name);
    closedir(dir);
    return true;
}

bool IsDotOrDotDot(const std::string& name)
{
    return name == "." || name == "..";
}

bool CollectFilesAndFolders(const std::string& path, CVLStringList& list, bool recurse, bool includeSelf, int depth)
{
    struct stat info;
    if (stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        list.AddStringToList(CVLString(CVLString::Raw, path.c_str(), static_cast<unsigned>(path.size())));
        return true;
    }
    std::vector<std::string> names;
    if (!ListFolder(path, names))
        return false;
    if (includeSelf)
        list.AddStringToList(CVLString(CVLString::Raw, path.c_str(), static_cast<unsigned>(path.size())));
    bool ok = true;
    for (const std::string& name : names) {
        if (IsDotOrDotDot(name))
            continue;
        std::string full = JoinPath(path, name);
        // Links to folders are listed, not followed, so that a link loop cannot recurse forever.
        if (recurse && IsDirectoryNoFollow(full) && depth < 256) {
            if (!CollectFilesAndFolders(full, list, true, true, depth + 1))
                ok = false;
        } else {
            list.AddStringToList(CVLString(CVLString::Raw, full.c_str(), static_cast<unsigned>(full.size())));
        }
    }
    return ok;
}

} // namespace

bool GetDirectoryFromFullFilePathname(const CVLString& path, CVLString& result, char separator)
{
    std::string text = Bytes(path);
    if (text.empty()) {
        result.Empty();
        return false;
    }
    std::string::size_type last = LastSeparator(text);
    if (last != std::string::npos)
        text.erase(last + 1);
    if (separator != 0) {
        if (!IsSeparator(text.back()))
            text.push_back(separator);
    } else if (IsSeparator(text.back()) && text.size() > 1) {
        // The root folder keeps its one separator: "" would mean the working directory.
        text.pop_back();
    }
    SetBytes(result, text);
    return !text.empty();
}

bool GetFilenameFromFullFilePathname(const CVLString& path, CVLString& result)
{
    std::string text = Bytes(path);
    std::string::size_type last = LastSeparator(text);
    if (last != std::string::npos)
        text.erase(0, last + 1);
    SetBytes(result, text);
    return !text.empty();
}

bool GetFullFilePathnameFromDirectoryAndFilename(const CVLString& folder, const CVLString& name, CVLString& result,
                                                 char separator)
{
    std::string dir = Bytes(folder);
    std::string file = Bytes(name);
    if (separator == 0 || (separator == '\\' && dir.find('/') != std::string::npos))
        separator = '/';
    std::string joined = dir;
    if (!dir.empty() && dir.back() != separator && (file.empty() || file.front() != separator))
        joined.push_back(separator);
    joined += file;
    SetBytes(result, joined);
    return !joined.empty();
}

bool GetRootFromRepoPath(const CVLString& repoPath, CVLString& result)
{
    std::string text = StripLeadingSeparators(Bytes(repoPath));
    std::string::size_type slash = text.find('/');
    if (slash != std::string::npos)
        text.erase(slash);
    SetBytes(result, text);
    return !text.empty();
}

bool GetPathFromFullRepoPath(const CVLString& repoPath, CVLString& result, bool keepSlash)
{
    std::string text = StripLeadingSeparators(Bytes(repoPath));
    std::string::size_type slash = text.rfind('/');
    if (slash == std::string::npos)
        text.clear();
    else
        text.erase(keepSlash ? slash + 1 : slash);
    SetBytes(result, text);
    return !text.empty();
}

bool GetFilenameFromFullRepoPath(const CVLString& repoPath, CVLString& result)
{
    std::string text = Bytes(repoPath);
    std::string::size_type slash = text.rfind('/');
    if (slash != std::string::npos)
        text.erase(0, slash + 1);
    SetBytes(result, text);
    return !text.empty();
}

bool GetFullPathFromAnyPathInput(const CVLString& input, CVLString& result, bool* singleItem)
{
    std::string text = Bytes(input);
    bool wildcard = false;
    if (text == "*") {
        wildcard = true;
        text = ".";
    } else if (text.size() >= 2 && text.back() == '*' && IsSeparator(text[text.size() - 2])) {
        wildcard = true;
        text.pop_back();
    }
    if (singleItem)
        *singleItem = !wildcard;

    if (!text.empty() && text.front() == '/') {
        SetBytes(result, text);
        return true;
    }
    CVLString cwd;
    if (!vl_getcwd(cwd))
        return false;
    if (text.empty() || text == "." || text == "./" || text == ".\\") {
        result = cwd;
        return true;
    }
    GetFullFilePathnameFromDirectoryAndFilename(
        cwd, CVLString(CVLString::Raw, text.c_str(), static_cast<unsigned>(text.size())), result, '/');
    return true;
}

bool GetFileListForDirectory(const CVLString& folder, CVLStringList& list, const CVLString* suffix)
{
    std::string dir = Bytes(folder);
    if (vl_isfile(folder))
        return false;
    std::vector<std::string> names;
    if (!ListFolder(dir, names))
        return false;
    std::string wanted = suffix ? Bytes(*suffix) : std::string();
    for (const std::string& name : names) {
        if (IsDirectoryFollow(JoinPath(dir, name)))
            continue;
        if (!wanted.empty() && !EndsWith(name, wanted))
            continue;
        list.AddStringToList(CVLString(CVLString::Raw, name.c_str(), static_cast<unsigned>(name.size())));
    }
    return true;
}

bool GetDirListForDirectory(const CVLString& folder, CVLStringList& list)
{
    std::string dir = Bytes(folder);
    std::vector<std::string> names;
    if (!ListFolder(dir, names))
        return false;
    for (const std::string& name : names) {
        if (!IsDotOrDotDot(name) && IsDirectoryFollow(JoinPath(dir, name)))
            list.AddStringToList(CVLString(CVLString::Raw, name.c_str(), static_cast<unsigned>(name.size())));
    }
    return true;
}

bool GetFileAndDirectoryListFromPath(const CVLString& path, CVLStringList& list, bool recurse, bool includeSelf)
{
    return CollectFilesAndFolders(Bytes(path), list, recurse, includeSelf, 0);
}

bool vl_access(const CVLString& path, char mode, struct stat* info)
{
    if (info && stat(path.GetBufferPtr(), info) != 0)
        return false;
    int how = F_OK;
    switch (mode) {
    case 'r': case 'R': how = R_OK; break;
    case 'w': case 'W': how = W_OK; break;
    case 'x': case 'X': how = X_OK; break;
    default: break;
    }
    return access(path.GetBufferPtr(), how) == 0;
}

int vl_stat(const CVLString& path, struct stat* info)
{
    return stat(path.GetBufferPtr(), info);
}

int vl_lstat(const CVLString& path, struct stat* info)
{
    return lstat(path.GetBufferPtr(), info);
}

bool vl_isdir(const CVLString& path)
{
    struct stat info;
    return vl_access(path, 'e', &info) && S_ISDIR(info.st_mode);
}

bool vl_isfile(const CVLString& path)
{
    struct stat info;
    return vl_access(path, 'e', &info) && S_ISREG(info.st_mode);
}

bool vl_issymlink(const CVLString& path)
{
    struct stat info;
    return lstat(path.GetBufferPtr(), &info) == 0 && S_ISLNK(info.st_mode);
}

long long vl_symlinksize(const CVLString& path)
{
    struct stat info;
    if (lstat(path.GetBufferPtr(), &info) != 0)
        return -1;
    if (!S_ISLNK(info.st_mode)) {
        errno = EINVAL;
        return -1;
    }
    return static_cast<long long>(info.st_size);
}

bool vl_mkdir(const CVLString& path, bool recursive)
{
    std::string dir = Bytes(path);
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    if (dir.empty()) {
        errno = ENOENT;
        return false;
    }
    if (mkdir(dir.c_str(), 0755) == 0)
        return true;
    if (errno != ENOENT || !recursive)
        return false;
    std::string::size_type slash = dir.rfind('/');
    if (slash == std::string::npos || slash == 0)
        return false;
    std::string parent = dir.substr(0, slash);
    if (!vl_mkdir(CVLString(CVLString::Raw, parent.c_str(), static_cast<unsigned>(parent.size())), true) &&
        errno != EEXIST)
        return false;
    return mkdir(dir.c_str(), 0755) == 0;
}

bool vl_rmdir(const CVLString& path)
{
    return rmdir(path.GetBufferPtr()) == 0;
}

bool vl_remove(const CVLString& path)
{
    return unlink(path.GetBufferPtr()) == 0;
}

bool vl_rename(const CVLString& from, const CVLString& to)
{
    return rename(from.GetBufferPtr(), to.GetBufferPtr()) == 0;
}

bool vl_mktemp(CVLString& pathTemplate)
{
    std::vector<char> name(pathTemplate.GetBufferPtr(), pathTemplate.GetBufferPtr() + pathTemplate.GetLength() + 1);
    int fd = mkstemp(name.data());
    if (fd < 0)
        return false;
    close(fd);
    pathTemplate.SetFromUTF8(reinterpret_cast<const unsigned char*>(name.data()));
    return true;
}

bool vl_copy(const CVLString& from, const CVLString& to, bool failIfExists, bool* diskFull)
{
    if (diskFull)
        *diskFull = false;
    struct stat target;
    if (failIfExists && vl_access(to, 'r', &target) && S_ISREG(target.st_mode)) {
        errno = EEXIST;
        return false;
    }
    int in = open(from.GetBufferPtr(), O_RDONLY);
    if (in < 0)
        return false;
    struct stat source;
    // Copying a file onto itself would truncate it before a byte was read.
    if (fstat(in, &source) == 0 && stat(to.GetBufferPtr(), &target) == 0 && source.st_dev == target.st_dev &&
        source.st_ino == target.st_ino) {
        close(in);
        errno = EINVAL;
        return false;
    }
    int out = open(to.GetBufferPtr(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (out < 0) {
        int saved = errno;
        close(in);
        errno = saved;
        return false;
    }
    const size_t kBlockSize = 131072;
    std::vector<char> block(kBlockSize);
    bool ok = true;
    int failure = 0;
    for (;;) {
        ssize_t got = read(in, block.data(), kBlockSize);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            failure = errno;
            ok = false;
            break;
        }
        if (got == 0)
            break;
        ssize_t done = 0;
        while (done < got) {
            ssize_t put = write(out, block.data() + done, static_cast<size_t>(got - done));
            if (put < 0) {
                if (errno == EINTR)
                    continue;
                failure = errno;
                if (diskFull)
                    *diskFull = (errno == ENOSPC);
                ok = false;
                break;
            }
            done += put;
        }
        if (!ok)
            break;
    }
    close(in);
    if (close(out) != 0 && ok) {
        failure = errno;
        if (diskFull)
            *diskFull = (errno == ENOSPC);
        ok = false;
    }
    if (!ok)
        errno = failure;
    return ok;
}

int vl_open(const CVLString& path, int flags, mode_t mode)
{
    return open(path.GetBufferPtr(), flags, mode);
}

bool vl_getcwd(CVLString& result)
{
    char buffer[1024];
    if (!getcwd(buffer, sizeof(buffer)))
        return false;
    result.SetFromUTF8(reinterpret_cast<const unsigned char*>(buffer));
    return true;
}

struct VLDirScan
{
    DIR* dir = nullptr;
    int previousCwd = -1;  // descriptor of the working directory before an extended scan
};

namespace {

bool NextEntry(VLDirScan* handle, CVLString& name)
{
    if (!handle || !handle->dir)
        return false;
    struct dirent* entry = readdir(handle->dir);
    if (!entry) {
        name.Empty();
        return false;
    }
    name.SetFromUTF8(reinterpret_cast<const unsigned char*>(entry->d_name));
    return true;
}

bool EntryIsDirectory(const CVLString& name)
{
    struct stat info;
    return lstat(name.GetBufferPtr(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

bool vl_startscandir(const CVLString& folder, VLDirScan*& handle, CVLString& name)
{
    handle = nullptr;
    DIR* dir = opendir(folder.GetBufferPtr());
    if (!dir)
        return false;
    handle = new VLDirScan;
    handle->dir = dir;
    if (NextEntry(handle, name))
        return true;
    vl_scandirclose(handle);
    handle = nullptr;
    return false;
}

bool vl_scandirnext(VLDirScan* handle, CVLString& name)
{
    return NextEntry(handle, name);
}

void vl_scandirclose(VLDirScan* handle)
{
    if (!handle)
        return;
    if (handle->dir)
        closedir(handle->dir);
    delete handle;
}

bool vl_startscandirExt(const CVLString& folder, VLDirScan*& handle, CVLString& name, bool& isDirectory)
{
    isDirectory = false;
    handle = nullptr;
    int previous = open(".", O_RDONLY | O_DIRECTORY);
    if (previous < 0)
        return false;
    if (chdir(folder.GetBufferPtr()) != 0) {
        int saved = errno;
        close(previous);
        errno = saved;
        return false;
    }
    DIR* dir = opendir(".");
    if (!dir) {
        int saved = errno;
        if (fchdir(previous) != 0) {
            // Nothing more can be done; the caller sees the first error.
        }
        close(previous);
        errno = saved;
        return false;
    }
    handle = new VLDirScan;
    handle->dir = dir;
    handle->previousCwd = previous;
    if (NextEntry(handle, name)) {
        isDirectory = EntryIsDirectory(name);
        return true;
    }
    vl_scandircloseExt(handle);
    handle = nullptr;
    return false;
}

bool vl_scandirnextExt(VLDirScan* handle, CVLString& name, bool& isDirectory)
{
    isDirectory = false;
    if (!NextEntry(handle, name))
        return false;
    isDirectory = EntryIsDirectory(name);
    return true;
}

void vl_scandircloseExt(VLDirScan* handle)
{
    if (!handle)
        return;
    if (handle->dir)
        closedir(handle->dir);
    if (handle->previousCwd >= 0) {
        if (fchdir(handle->previousCwd) != 0) {
            // The old folder is gone; stay where we are.
        }
        close(handle->previousCwd);
    }
    delete handle;
}

bool vl_chmod_readonly(const CVLString& path)
{
    struct stat info;
    if (stat(path.GetBufferPtr(), &info) != 0)
        return false;
    return chmod(path.GetBufferPtr(), (info.st_mode & 07777) & ~static_cast<mode_t>(0222)) == 0;
}

bool vl_chmod_readwrite(const CVLString& path)
{
    struct stat info;
    if (stat(path.GetBufferPtr(), &info) != 0)
        return false;
    return chmod(path.GetBufferPtr(), (info.st_mode & 07777) | 0200) == 0;
}

bool vl_is_chmod_readonly(const CVLString& path)
{
    struct stat info;
    if (stat(path.GetBufferPtr(), &info) != 0)
        return false;
    return (info.st_mode & 0222) == 0;
}

bool vl_chmod(const CVLString& path, mode_t mode)
{
    return chmod(path.GetBufferPtr(), mode) == 0;
}

namespace {

double ModifiedSeconds(const struct stat& info)
{
#if defined(__APPLE__)
    return static_cast<double>(info.st_mtimespec.tv_sec) + info.st_mtimespec.tv_nsec / 1e9;
#else
    return static_cast<double>(info.st_mtim.tv_sec) + info.st_mtim.tv_nsec / 1e9;
#endif
}

} // namespace

bool vl_stat_getmodifiedtime(const CVLString& path, CMVDateTime& modified)
{
    struct stat info;
    if (!vl_access(path, 'r', &info))
        return false;
    modified = CMVDateTime::FromSecondsSince1970(ModifiedSeconds(info));
    return true;
}

bool vl_lstat_getmodifiedtime(const CVLString& path, CMVDateTime& modified)
{
    struct stat info;
    if (lstat(path.GetBufferPtr(), &info) != 0)
        return false;
    modified = CMVDateTime::FromSecondsSince1970(ModifiedSeconds(info));
    return true;
}

bool vl_stat_setmodifiedtime(const CVLString& path, const CMVDateTime& modified)
{
    if (!modified.IsSet()) {
        errno = EINVAL;
        return false;
    }
    double seconds = modified.GetSecondsSince1970();
    // Far outside what a file system keeps, and beyond what converts to time_t safely.
    if (!(seconds > -1e12 && seconds < 1e12)) {
        errno = EINVAL;
        return false;
    }
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    double whole = static_cast<double>(static_cast<long long>(seconds));
    if (whole > seconds)
        whole -= 1.0;
    times[1].tv_sec = static_cast<time_t>(whole);
    long nsec = static_cast<long>((seconds - whole) * 1e9);
    times[1].tv_nsec = nsec < 0 ? 0 : (nsec > 999999999 ? 999999999 : nsec);
    return utimensat(AT_FDCWD, path.GetBufferPtr(), times, 0) == 0;
}

bool vl_isfullpath(const CVLString& path)
{
    return path.GetLength() > 0 && path.GetBufferPtr()[0] == '/';
}

void vl_sleepmilliseconds(unsigned milliseconds)
{
    struct timespec wanted;
    wanted.tv_sec = static_cast<time_t>(milliseconds / 1000);
    wanted.tv_nsec = static_cast<long>(milliseconds % 1000) * 1000000L;
    struct timespec remaining;
    while (nanosleep(&wanted, &remaining) != 0 && errno == EINTR)
        wanted = remaining;
}
