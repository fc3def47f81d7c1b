#include "RegistryUnix.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

const char* const CVLRegistryInd::kDefaultMaxNumTRsToGen = "5000";
const char* const CVLRegistryInd::kDefaultMaxNumTCsToGenForResults = "1000";

namespace {

struct ClientDefault {
    bool hasDefault;
    RegKeyLocation location;
    const char* fileName;
};

// One row per client ID. The redirector's row (8) is the one this program relies on; the
// others name the files of the suite's other programs.
const ClientDefault kClientDefaults[kClientID_Count] = {
    {true, kRegKeyLocation_System, "vlserver.conf"},                     // 0 server
    {true, kRegKeyLocation_User, ".molvar/vlnativeclient.conf"},         // 1 native client
    {true, kRegKeyLocation_User, ".molvar/vladminutil.conf"},            // 2 admin utility
    {true, kRegKeyLocation_User, ".molvar/vlregutil.conf"},              // 3 registry utility
    {false, kRegKeyLocation_NotSet, nullptr},                            // 4 CGI
    {false, kRegKeyLocation_NotSet, nullptr},                            // 5 system client file
    {false, kRegKeyLocation_NotSet, nullptr},                            // 6 user file
    {true, kRegKeyLocation_System, "vlwebcgi.conf"},                     // 7 web CGI
    {true, kRegKeyLocation_User, ".molvar/vlurlredirector.conf"},        // 8 URL redirector
    {true, kRegKeyLocation_System, "vlscmserver.conf"},                  // 9 SCM server
    {true, kRegKeyLocation_User, ".molvar/vlscmclient.conf"},            // 10 SCM client
    {true, kRegKeyLocation_System, "vlpubdatacgi.conf"},                 // 11 published data CGI
    {true, kRegKeyLocation_System, "vlsoapcgi.conf"},                    // 12 SOAP CGI
    {true, kRegKeyLocation_System, "vlscmproxy.conf"},                   // 13 SCM proxy server
    {false, kRegKeyLocation_NotSet, nullptr},                            // 14 project
    {true, kRegKeyLocation_User, ".molvar/vlshellintegration.conf"},     // 15 shell integration
    {true, kRegKeyLocation_User, ".molvar/vleclipse.conf"},              // 16 Eclipse integration
    {true, kRegKeyLocation_User, ".molvar/vlintellij.conf"},             // 17 IntelliJ integration
    {false, kRegKeyLocation_NotSet, nullptr},                            // 18 external provider
    {true, kRegKeyLocation_User, ".molvar/vlnetbeans.conf"},             // 19 Netbeans integration
    {true, kRegKeyLocation_System, "vlrestapi.conf"},                    // 20 REST API
    {true, kRegKeyLocation_System, "vlreqifservice.conf"},               // 21 ReqIF service
    {true, kRegKeyLocation_System, "vlwebclientcgi.conf"},               // 22 web client CGI
    {true, kRegKeyLocation_System, "vlextprovidercgi.conf"},             // 23 external provider CGI
};

const char kNoHomeText[] =
    "The HOME environment variable is not set, so the location of the configuration file is unknown.";

// HOME, or null when it is unset or empty: a path built without it would land in the root folder.
const char* HomeFolder()
{
    const char* home = std::getenv("HOME");
    return (home != nullptr && home[0] != '\0') ? home : nullptr;
}

CVLString SystemErrorText(int errorNumber)
{
    return CVLString(std::strerror(errorNumber));
}

bool PathExists(const char* path)
{
    struct stat info;
    return ::stat(path, &info) == 0;
}

// Everything up to the last '/', without it ("" when there is none; "/" for a file in the root).
std::string DirectoryOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return std::string();
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string FileNameOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

mode_t CurrentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

bool WriteAll(int fd, const char* bytes, size_t count)
{
    while (count > 0) {
        const ssize_t written = ::write(fd, bytes, count);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        bytes += written;
        count -= static_cast<size_t>(written);
    }
    return true;
}

enum class AtomicWriteStep { None, Create, Write, Rename };

// Replaces the file at path with bytes: a temporary file beside it is written, flushed to disk
// and renamed over it, so readers only ever see the old or the new contents. An existing file
// keeps its mode (and, where permitted, owner); a new one gets 0666 less the umask. A symbolic
// link is followed so that the link itself survives. On failure the old file is untouched, the
// temporary file is removed, failedStep tells which step failed and errno says why.
bool WriteFileAtomically(const std::string& path, const char* bytes, size_t count, AtomicWriteStep& failedStep)
{
    failedStep = AtomicWriteStep::None;
    if (path.empty()) {
        failedStep = AtomicWriteStep::Create;
        errno = ENOENT;
        return false;
    }

    std::string target = path;
    struct stat linkInfo;
    if (::lstat(path.c_str(), &linkInfo) == 0 && S_ISLNK(linkInfo.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) != nullptr)
            target = resolved;
    }

    struct stat oldInfo;
    const bool hadOld = ::stat(target.c_str(), &oldInfo) == 0 && S_ISREG(oldInfo.st_mode);
    const mode_t mode = hadOld ? (oldInfo.st_mode & 07777) : (0666 & ~CurrentUmask());

    std::string tempName = target + ".XXXXXX";
    const int fd = ::mkstemp(&tempName[0]);
    if (fd < 0) {
        failedStep = AtomicWriteStep::Create;
        return false;
    }

    auto failWith = [&](AtomicWriteStep step, int fdToClose) {
        const int savedErrno = errno;
        if (fdToClose >= 0)
            ::close(fdToClose);
        ::unlink(tempName.c_str());
        failedStep = step;
        errno = savedErrno;
        return false;
    };

    if (::fchmod(fd, mode) != 0)
        return failWith(AtomicWriteStep::Create, fd);
    if (hadOld && (oldInfo.st_uid != ::geteuid() || oldInfo.st_gid != ::getegid())) {
        // Only root can hand the file back to its owner; anyone else keeps it as their own.
        const int ignored = ::fchown(fd, oldInfo.st_uid, oldInfo.st_gid);
        (void)ignored;
    }
    if (!WriteAll(fd, bytes, count))
        return failWith(AtomicWriteStep::Write, fd);
    if (::fsync(fd) != 0)
        return failWith(AtomicWriteStep::Write, fd);
    if (::close(fd) != 0)
        return failWith(AtomicWriteStep::Write, -1);
    if (::rename(tempName.c_str(), target.c_str()) != 0)
        return failWith(AtomicWriteStep::Rename, -1);

    // Make the rename itself durable; a folder that cannot be synced is no reason to fail.
    std::string folder = DirectoryOf(target);
    if (folder.empty())
        folder = ".";
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

// Reads a whole regular file of at most maxBytes bytes.
bool ReadWholeFile(const char* path, size_t maxBytes, std::string& out)
{
    out.clear();
    // Non-blocking, so that a named pipe in the file's place cannot stall the open.
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || static_cast<unsigned long long>(info.st_size) > maxBytes) {
        ::close(fd);
        errno = EFBIG;
        return false;
    }
    out.resize(static_cast<size_t>(info.st_size));
    size_t done = 0;
    while (done < out.size()) {
        const ssize_t got = ::read(fd, &out[done], out.size() - done);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return false;
        }
        if (got == 0)
            break;
        done += static_cast<size_t>(got);
    }
    out.resize(done);
    ::close(fd);
    return true;
}

bool HasByte(const CVLString& text, char c)
{
    return std::memchr(text.GetBufferPtr(), c, text.GetLength()) != nullptr;
}

}  // namespace

// CVLRegistryInd ---------------------------------------------------------------------------------

CVLRegistryInd::CVLRegistryInd(ClientID clientID, RegKeyLocation location, const char* fileName)
    : m_Cache(1), m_ClientID(clientID), m_Location(location), m_FilePath(fileName != nullptr ? fileName : ""),
      m_FileName(fileName != nullptr ? fileName : "")
{
}

CVLRegistryInd::~CVLRegistryInd() = default;

int CVLRegistryInd::Init()
{
    return CommonInit(nullptr);
}

int CVLRegistryInd::Init(LList* list)
{
    return CommonInit(list);
}

int CVLRegistryInd::CommonInit(LList* list)
{
    InitRegState();
    return ProtectedInit(list);
}

bool CVLRegistryInd::UpdatePropertyInCache(const CVLString& key, const CVLString& value)
{
    // A key or value that would change the line structure of the file cannot be stored:
    // it would come back as different pairs on the next read.
    if (key.IsEmpty() || HasByte(key, ':') || HasByte(key, '\n') || HasByte(key, '\r') || HasByte(value, '\n') ||
        HasByte(value, '\r'))
        return false;
    if (!m_Cache.SetValue(key, value))
        return false;
    m_Dirty = true;
    return true;
}

void CVLRegistryInd::CopyForUnitTests(CVLRegistryInd& target)
{
    if (&target == this)
        return;
    target.m_Cache.EmptyAndDeleteContents();
    target.m_ClientID = m_ClientID;
    target.m_Location = m_Location;
    target.m_FilePath = m_FilePath;
    target.m_FileName = m_FileName;
    target.m_OnlyWriteToCache = m_OnlyWriteToCache;
    target.m_Dirty = m_Dirty;
    target.m_LastError = m_LastError;
    m_Cache.MovePairsTo(target.m_Cache);
    m_OnlyWriteToCache = false;
    m_Dirty = false;
    m_LastError = "";
}

void CVLRegistryInd::SetOnlyWriteSettingsToCache(bool cacheOnly)
{
    m_OnlyWriteToCache = cacheOnly;
}

bool CVLRegistryInd::GetOnlyWriteSettingsToCache() const
{
    return m_OnlyWriteToCache;
}

// CVLRegistry ------------------------------------------------------------------------------------

CVLRegistry::CVLRegistry(ClientID clientID, RegKeyLocation location, const char* fileName)
    : CVLRegistryInd(clientID, location, fileName)
{
}

CVLRegistry::~CVLRegistry()
{
    if (m_OnlyWriteToCache && m_Dirty)
        SaveProperties(m_Cache);
}

CVLString CVLRegistry::IndexedKey(const char* key, int index)
{
    CVLString result(key != nullptr ? key : "");
    if (index != 0) {
        result += ".";
        result += index;
    }
    return result;
}

bool CVLRegistry::ClientCreatesMissingFile(ClientID clientID)
{
    switch (clientID) {
    case kClientID_NativeClient:
    case kClientID_AdminUtility:
    case kClientID_RegistryUtility:
    case kClientID_UserFile:
    case kClientID_URLRedirector:
    case kClientID_Project:
        return true;
    default:
        return false;
    }
}

bool CVLRegistry::GetProperty(const char* key, CVLString& value, const CVLString& defaultValue, int index) const
{
    if (GetProperty(key, value, index))
        return true;
    value = defaultValue;
    return false;
}

bool CVLRegistry::GetProperty(const char* key, CVLString& value, int index) const
{
    if (m_Cache.IsEmpty())
        return false;
    return m_Cache.GetValue(IndexedKey(key, index), value);
}

bool CVLRegistry::SetProperty(const char* key, const char* value, int index)
{
    const CVLString fullKey = IndexedKey(key, index);
    if (!UpdatePropertyInCache(fullKey, CVLString(value != nullptr ? value : ""))) {
        m_LastError = "Unable to set property with key " + fullKey + ".\n";
        return false;
    }
    if (!m_OnlyWriteToCache && !SaveProperties(m_Cache)) {
        // The cache must not claim what the file does not hold.
        m_Cache.DeletePair(fullKey);
        return false;
    }
    return true;
}

bool CVLRegistry::DeleteProperty(const CVLString& key, bool keepInCacheOnly)
{
    if (!m_Cache.DeletePair(key)) {
        m_LastError = "Unable to delete property with key " + key + ".\n";
        return false;
    }
    if (m_OnlyWriteToCache || keepInCacheOnly) {
        m_Dirty = true;
        return true;
    }
    return SaveProperties(m_Cache);
}

bool CVLRegistry::DeleteProperty(const char* key, bool keepInCacheOnly)
{
    return DeleteProperty(CVLString(key != nullptr ? key : ""), keepInCacheOnly);
}

bool CVLRegistry::DeleteCGIOverride(int n)
{
    const char* const prefixes[] = {"FormsPath.", "HTMLPath."};
    for (const char* prefix : prefixes) {
        CVLString key(prefix);
        key += n;
        if (!m_Cache.HasKey(key)) {
            m_LastError = "Unable to delete property with key " + key;
            return false;
        }
        if (!DeleteProperty(key, false))
            return false;
    }
    return true;
}

bool CVLRegistry::SaveProperties()
{
    return SaveProperties(m_Cache);
}

bool CVLRegistry::IfRequiredCreateConfFileIfNotExist()
{
    if (!ClientCreatesMissingFile(m_ClientID) || m_FilePath.IsEmpty() || PathExists(m_FilePath.GetBufferPtr()))
        return true;
    return CreateConfFile();
}

void CVLRegistry::InitRegState()
{
    const char* home = HomeFolder();
    CVLString name = m_FileName;

    if (!name.IsEmpty()) {
        if (m_ClientID == kClientID_Project) {
            if (home == nullptr) {
                m_FilePath = "";
                m_LastError = kNoHomeText;
                return;
            }
            m_FilePath = home;
            m_FilePath += "/.molvar/projects/";
            m_FilePath += name;
        } else {
            m_FilePath = name;
            if (m_Location == kRegKeyLocation_NotSet)
                m_Location = kRegKeyLocation_System;
        }
        return;
    }

    const int id = static_cast<int>(m_ClientID);
    if (id >= 0 && id < kClientID_Count && kClientDefaults[id].hasDefault) {
        m_Location = kClientDefaults[id].location;
        name = kClientDefaults[id].fileName;
    }
    if (m_Location == kRegKeyLocation_User) {
        if (home == nullptr) {
            m_FilePath = "";
            m_LastError = kNoHomeText;
            return;
        }
        m_FilePath = home;
        m_FilePath += "/";
        m_FilePath += name;
    } else {
        m_FilePath = "/etc/";
        m_FilePath += name;
    }
}

int CVLRegistry::ProtectedInit(LList* list)
{
    if (m_FilePath.IsEmpty())
        return 0;
    if (!IfRequiredCreateConfFileIfNotExist()) {
        m_LastError = "The configuration file <" + m_FilePath + "> did not exist and could not be created.";
        return 0;
    }
    return InitFromFile(m_FilePath, list) != 0 ? 1 : 0;
}

bool CVLRegistry::CreateConfFile()
{
    const std::string path(m_FilePath.GetBufferPtr(), m_FilePath.GetLength());
    const bool inMolvar = path.find(".molvar") != std::string::npos;

    if (inMolvar) {
        const std::string folder = DirectoryOf(path);
        // One level only: a missing home folder is not conjured up here.
        if (!folder.empty() && ::access(folder.c_str(), W_OK) != 0)
            ::mkdir(folder.c_str(), 0755);
    }

    if (PathExists(path.c_str()))
        return true;

    if (inMolvar) {
        const char* home = HomeFolder();
        if (home != nullptr) {
            const std::string oldPath = std::string(home) + "/" + FileNameOf(path);
            if (PathExists(oldPath.c_str())) {
                // The old file is copied, not moved: an older program may still read it there.
                std::string bytes;
                if (!ReadWholeFile(oldPath.c_str(), kMaxFileSize, bytes))
                    return false;
                AtomicWriteStep step;
                return WriteFileAtomically(path, bytes.data(), bytes.size(), step);
            }
        }
    }

    // No O_TRUNC: a file that another process created meanwhile is kept as it is.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0666);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

int CVLRegistry::InitFromFile(const CVLString& path, LList* list)
{
    return InitFromFile(path, m_Cache, list);
}

int CVLRegistry::InitFromFile(const CVLString& path, AssocArray& cache, LList* list)
{
    if (path.IsEmpty()) {
        m_LastError = "There was an error initializing the configuration file. The configuration file name was missing.";
        return 0;
    }

    // Non-blocking, so that a named pipe in the file's place cannot stall the open; only a
    // regular file is read (a device or pipe would never end or never start).
    const int fd = ::open(path.GetBufferPtr(), O_RDONLY | O_NONBLOCK);
    struct stat info;
    const bool regular = fd >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (fd >= 0)
        ::close(fd);
    if (!regular) {
        m_LastError = "Could not read configuration file: " + path + "\n";
        return 0;
    }
    if (static_cast<unsigned long long>(info.st_size) > kMaxFileSize) {
        m_LastError = "Could not read configuration file: " + path + " (larger than ";
        m_LastError += kMaxFileSize;
        m_LastError += " bytes)\n";
        return 0;
    }

    CVLString text;
    if (!text.LoadFromFile(path) || text.IsEmpty()) {
        m_LastError = path + " could not be read or is blank.\n";
        return 0;
    }

    const char* bytes = text.GetBufferPtr();
    const size_t length = text.GetLength();
    size_t pos = 0;
    // A byte-order mark (kept by the loader in front of UTF-8 text, or decoded from UTF-16) is
    // not part of the first key.
    if (length >= 3 && std::memcmp(bytes, "\xEF\xBB\xBF", 3) == 0)
        pos = 3;

    // Later lines win over earlier ones; collecting in key order first keeps insertion into the
    // sorted cache cheap for long files.
    std::map<CVLString, CVLString> pairs;
    const bool fillList = list != nullptr && list->GetItemSize() == sizeof(int32_t);
    const CVLString formsPrefix("FormsPath.");
    const CVLString htmlPrefix("HTMLPath.");
    std::string line;
    while (pos < length) {
        const char* lineStart = bytes + pos;
        const void* lf = std::memchr(lineStart, '\n', length - pos);
        const size_t lineLength = lf != nullptr ? static_cast<size_t>(static_cast<const char*>(lf) - lineStart) : length - pos;
        pos += lineLength + 1;

        // Carriage returns are dropped wherever they are; most lines have none and are not copied.
        const char* lineBytes = lineStart;
        size_t lineSize = lineLength;
        if (std::memchr(lineStart, '\r', lineLength) != nullptr) {
            line.assign(lineStart, lineLength);
            line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
            lineBytes = line.data();
            lineSize = line.size();
        }

        const void* colonAt = std::memchr(lineBytes, ':', lineSize);
        const size_t keySize = colonAt != nullptr ? static_cast<size_t>(static_cast<const char*>(colonAt) - lineBytes) : lineSize;
        CVLString key;
        CVLString value;
        key.SetFromUTF8(reinterpret_cast<const unsigned char*>(lineBytes), static_cast<unsigned>(keySize));
        if (colonAt != nullptr)
            value.SetFromUTF8(reinterpret_cast<const unsigned char*>(lineBytes + keySize + 1),
                              static_cast<unsigned>(lineSize - keySize - 1));
        key.StripWhiteSpace();
        value.StripWhiteSpace();
        if (key.IsEmpty())
            continue;

        if (fillList) {
            unsigned prefixLength = 0;
            if (key.BeginsWith(formsPrefix))
                prefixLength = formsPrefix.GetLength();
            else if (key.BeginsWith(htmlPrefix))
                prefixLength = htmlPrefix.GetLength();
            if (prefixLength != 0) {
                const int32_t n = key.Mid(static_cast<int>(prefixLength), static_cast<int>(key.GetLength() - prefixLength)).AtoI();
                list->AppendItem(&n);
            }
        }
        pairs[std::move(key)] = std::move(value);
    }

    for (auto& entry : pairs) {
        unsigned index = 0;
        if (cache.FindKey(entry.first, &index)) {
            NamedPair* existing = nullptr;
            cache.GetNamedPairAtIndex(index, &existing);
            existing->m_Value.StealCVLStringFromCVLString(entry.second);
        } else {
            NamedPair* pair = new NamedPair;
            pair->m_Key = entry.first;
            pair->m_Value.StealCVLStringFromCVLString(entry.second);
            cache.AddPair(pair);
        }
    }
    return static_cast<int>(cache.GetPairCount());
}

bool CVLRegistry::SaveProperties(const AssocArray& cache)
{
    const unsigned count = cache.GetPairCount();
    size_t total = 0;
    for (unsigned i = 1; i <= count; ++i) {
        const NamedPair* pair = cache.GetPairAt(i);
        if (pair != nullptr)
            total += pair->GetKey().GetLength() + pair->GetValue().GetLength() + 2;
    }
    std::string text;
    text.reserve(total);
    for (unsigned i = count; i >= 1; --i) {
        const NamedPair* pair = cache.GetPairAt(i);
        if (pair == nullptr)
            continue;
        text.append(pair->GetKey().GetBufferPtr(), pair->GetKey().GetLength());
        text += ':';
        text.append(pair->GetValue().GetBufferPtr(), pair->GetValue().GetLength());
        text += '\n';
    }

    const std::string path(m_FilePath.GetBufferPtr(), m_FilePath.GetLength());
    AtomicWriteStep step;
    if (!WriteFileAtomically(path, text.data(), text.size(), step)) {
        const int errorNumber = errno;
        if (path.empty() && HomeFolder() == nullptr)
            m_LastError = "Configuration file error [" + m_FilePath + "]: " + kNoHomeText;
        else if (step == AtomicWriteStep::Write)
            m_LastError = SystemErrorText(errorNumber);
        else
            m_LastError = "Configuration file error [" + m_FilePath + "]: " + SystemErrorText(errorNumber);
        return false;
    }
    m_Dirty = false;
    return true;
}
