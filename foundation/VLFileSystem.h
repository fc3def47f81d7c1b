#pragma once

#include <sys/stat.h>
#include <sys/types.h>

class CVLString;
class CVLStringList;
class CMVDateTime;

// Path names and thin wrappers over the POSIX file-system calls. Path results are replaced,
// never appended to (except the list functions, which append); a result may be the same
// object as the input. Failures are reported by the result and leave the reason in errno.

// Path functions. Splitting accepts '/' and '\' as separators.

// The path up to and including its last separator (the whole path when it has none); then
// separator != 0 appends it unless the result already ends with '/' or '\', separator 0 removes
// one trailing separator. Returns whether the result is not empty.
bool GetDirectoryFromFullFilePathname(const CVLString& path, CVLString& result, char separator = 0);
// The text after the last separator (the whole path when none). Returns whether not empty.
bool GetFilenameFromFullFilePathname(const CVLString& path, CVLString& result);
// folder + separator + name; the separator only when the folder is not empty, does not end
// with it and the name does not begin with it. 0 means '/'; '\' becomes '/' when the folder
// contains a '/'. Returns whether the result is not empty.
bool GetFullFilePathnameFromDirectoryAndFilename(const CVLString& folder, const CVLString& name, CVLString& result,
                                                 char separator = 0);
// Leading '\' and '/' removed, then cut before the first '/'.
bool GetRootFromRepoPath(const CVLString& repoPath, CVLString& result);
// Leading separators removed, then cut at the last '/' (kept when keepSlash); empty when none.
bool GetPathFromFullRepoPath(const CVLString& repoPath, CVLString& result, bool keepSlash = false);
// The text after the last '/', or the whole path.
bool GetFilenameFromFullRepoPath(const CVLString& repoPath, CVLString& result);
// An absolute path for any input: a trailing "/*" or "\*" is dropped, an absolute path is taken
// as is, anything else is joined to the working directory ("." and "*" give the directory
// itself). singleItem (may be null) is true unless the input named a wildcard. False only when
// the working directory cannot be read.
bool GetFullPathFromAnyPathInput(const CVLString& input, CVLString& result, bool* singleItem = nullptr);
// Appends the names of the entries that are not folders (only those ending with suffix when
// it is given). False when folder is a regular file or cannot be scanned.
bool GetFileListForDirectory(const CVLString& folder, CVLStringList& list, const CVLString* suffix = nullptr);
// Appends the names of the sub-folders other than "." and "..". False when it cannot be scanned.
bool GetDirListForDirectory(const CVLString& folder, CVLStringList& list);
// A regular file adds itself; a folder adds itself when includeSelf, then every entry as a
// full path, descending into sub-folders (each adding itself first) when recurse.
bool GetFileAndDirectoryListFromPath(const CVLString& path, CVLStringList& list, bool recurse, bool includeSelf);

// File-system wrappers; true on success unless noted.

// mode 'r'/'R' read, 'w'/'W' write, 'x'/'X' execute, anything else existence. With info the
// path is first passed to stat (filling info); a failed stat gives false.
bool vl_access(const CVLString& path, char mode, struct stat* info = nullptr);
// The system results (0 or -1).
int vl_stat(const CVLString& path, struct stat* info);
int vl_lstat(const CVLString& path, struct stat* info);
bool vl_isdir(const CVLString& path);
bool vl_isfile(const CVLString& path);
bool vl_issymlink(const CVLString& path);
// Size of the link itself (length of its target text); -1 when path is not a symbolic link.
long long vl_symlinksize(const CVLString& path);
// Trailing '/' removed, mode 0755; recursive creates missing parents first.
bool vl_mkdir(const CVLString& path, bool recursive = false);
bool vl_rmdir(const CVLString& path);
bool vl_remove(const CVLString& path);
bool vl_rename(const CVLString& from, const CVLString& to);
// mkstemp on pathTemplate (ending in XXXXXX); on success it holds the created file's name and
// the file exists, empty and closed.
bool vl_mktemp(CVLString& pathTemplate);
// Copies through a 131072-byte block into a target created or truncated with mode 0666.
// failIfExists refuses (EEXIST) a readable regular target. diskFull (may be null) tells after
// a failed write whether the disk was full.
bool vl_copy(const CVLString& from, const CVLString& to, bool failIfExists, bool* diskFull = nullptr);
// open(2): the descriptor or -1. The caller closes it.
int vl_open(const CVLString& path, int flags, mode_t mode = 0666);
bool vl_getcwd(CVLString& result);

// Directory scans. A handle is made by the start call and must be given to the close call
// whenever the start call returned true; on false there is nothing to close.
struct VLDirScan;
// Name of the first entry ("." and ".." included).
bool vl_startscandir(const CVLString& folder, VLDirScan*& handle, CVLString& name);
bool vl_scandirnext(VLDirScan* handle, CVLString& name);
void vl_scandirclose(VLDirScan* handle);
// Also reports whether each entry is a directory (lstat). The scanned folder is the working
// directory until the close call: only one such scan at a time in a process.
bool vl_startscandirExt(const CVLString& folder, VLDirScan*& handle, CVLString& name, bool& isDirectory);
bool vl_scandirnextExt(VLDirScan* handle, CVLString& name, bool& isDirectory);
void vl_scandircloseExt(VLDirScan* handle);

// Clear every write bit.
bool vl_chmod_readonly(const CVLString& path);
// Add owner write.
bool vl_chmod_readwrite(const CVLString& path);
// True when no write bit is set (false when the path cannot be examined).
bool vl_is_chmod_readonly(const CVLString& path);
bool vl_chmod(const CVLString& path, mode_t mode);

// Modification times; the get forms need the file to be readable (stat form) or a link to
// exist (lstat form).
bool vl_stat_getmodifiedtime(const CVLString& path, CMVDateTime& modified);
bool vl_lstat_getmodifiedtime(const CVLString& path, CMVDateTime& modified);
// Sets the modification time, keeping the access time. An unset time fails (EINVAL).
bool vl_stat_setmodifiedtime(const CVLString& path, const CMVDateTime& modified);

bool vl_isfullpath(const CVLString& path);
void vl_sleepmilliseconds(unsigned milliseconds);
