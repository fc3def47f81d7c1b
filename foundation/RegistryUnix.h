#pragma once

#include "AssocArray.h"
#include "CVLString.h"
#include "LArray.h"

// The suite's list of fixed-size items. The store only ever fills it with 32-bit integers
// (the indexes of "FormsPath."/"HTMLPath." keys); a list of another item size is left alone.
using LList = LArray;

// Which program of the suite the settings belong to; selects the default file name and folder.
enum ClientID {
    kClientID_Server = 0,
    kClientID_NativeClient = 1,
    kClientID_AdminUtility = 2,
    kClientID_RegistryUtility = 3,
    kClientID_CGI = 4,                 // no default file
    kClientID_SystemClientFile = 5,    // no default file; named by the caller ("/etc/vlclient.conf")
    kClientID_UserFile = 6,            // no default file
    kClientID_WebCGI = 7,
    kClientID_URLRedirector = 8,       // ".molvar/vlurlredirector.conf" in the home folder
    kClientID_SCMServer = 9,
    kClientID_SCMClient = 10,
    kClientID_PublishedDataCGI = 11,
    kClientID_SOAPCGI = 12,
    kClientID_SCMProxyServer = 13,
    kClientID_Project = 14,            // no default file; the name is put under ~/.molvar/projects/
    kClientID_ShellIntegration = 15,
    kClientID_EclipseIntegration = 16,
    kClientID_IntelliJIntegration = 17,
    kClientID_ExternalProvider = 18,   // no default file
    kClientID_NetbeansIntegration = 19,
    kClientID_RESTAPI = 20,
    kClientID_ReqIFService = 21,
    kClientID_WebClientCGI = 22,
    kClientID_ExternalProviderCGI = 23,
    kClientID_Count = 24
};

// Where a settings file lives.
enum RegKeyLocation {
    kRegKeyLocation_NotSet = 0,
    kRegKeyLocation_System = 1,  // "/etc/"
    kRegKeyLocation_User = 2     // the home folder ("HOME")
};

// Settings kept as key/value pairs in a small text file, one "key:value" line per pair.
// The whole file is read into a sorted cache by Init; reads come from the cache; every change
// rewrites the whole file unless the store is cache-only. Failures return false/0 and leave
// their reason in GetLastError(); nothing is ever shown to the user from here.
class CVLRegistryInd
{
public:
    static const char* const kDefaultMaxNumTRsToGen;            // "5000"
    static const char* const kDefaultMaxNumTCsToGenForResults;  // "1000"

    // Stores the arguments only (a null name counts as empty); the disk is not touched.
    CVLRegistryInd(ClientID clientID, RegKeyLocation location, const char* fileName);
    CVLRegistryInd(const CVLRegistryInd&) = delete;
    CVLRegistryInd& operator=(const CVLRegistryInd&) = delete;
    virtual ~CVLRegistryInd();

    // Works out the path, creates a missing file where this client wants one, and reads it.
    // 1 when the file held at least one pair, 0 otherwise (GetLastError() says why, if it can).
    virtual int Init();
    virtual int Init(LList* list);

    // False (value unchanged) when the (indexed) key is absent.
    virtual bool GetProperty(const char* key, CVLString& value, const CVLString& defaultValue, int index = 0) const = 0;
    virtual bool GetProperty(const char* key, CVLString& value, int index = 0) const = 0;
    // True when the value is in the cache and, unless cache-only, the file was written. A failed
    // write also drops the key from the cache.
    virtual bool SetProperty(const char* key, const char* value, int index = 0) = 0;
    virtual bool DeleteProperty(const CVLString& key, bool keepInCacheOnly) = 0;
    virtual bool DeleteProperty(const char* key, bool keepInCacheOnly) = 0;
    virtual bool DeleteCGIOverride(int n) = 0;
    virtual bool SaveProperties() = 0;
    // Puts the pair into the cache and marks it dirty; false for a key or value that a line
    // of the file cannot hold (empty key, ':' or a line break in the key, a line break in the value).
    virtual bool UpdatePropertyInCache(const CVLString& key, const CVLString& value);
    // Moves everything (cache, IDs, path, flags, last error) into target; this store is left empty.
    virtual void CopyForUnitTests(CVLRegistryInd& target);
    virtual void SetOnlyWriteSettingsToCache(bool cacheOnly);
    virtual bool GetOnlyWriteSettingsToCache() const;
    virtual int CommonInit(LList* list);

    ClientID GetClientID() const { return m_ClientID; }
    void SetClientID(ClientID clientID) { m_ClientID = clientID; }
    RegKeyLocation GetLocation() const { return m_Location; }
    const CVLString& GetFilePath() const { return m_FilePath; }
    const CVLString& GetLastError() const { return m_LastError; }
    bool IsDirty() const { return m_Dirty; }
    // The cache, sorted ascending by key; owned by the store.
    const AssocArray& GetCache() const { return m_Cache; }

protected:
    virtual void InitRegState() = 0;
    virtual int ProtectedInit(LList* list) = 0;
    virtual int InitFromFile(const CVLString& path, LList* list) = 0;
    virtual int InitFromFile(const CVLString& path, AssocArray& cache, LList* list) = 0;
    virtual bool SaveProperties(const AssocArray& cache) = 0;

    AssocArray m_Cache;
    CVLString m_LastError;
    ClientID m_ClientID;
    RegKeyLocation m_Location;
    CVLString m_FilePath;
    bool m_OnlyWriteToCache = false;
    bool m_Dirty = false;
    CVLString m_FileName;  // the constructor's name, kept so that InitRegState can run again
};

// The file implementation of the settings store.
//
// File format: UTF-8 text without a byte-order mark, one "key:value\n" line per pair, written in
// descending byte order of the keys. Reading splits each line at its first colon, drops carriage
// returns, strips white space around key and value, skips empty keys and lets later duplicates win.
//
// Saving never rewrites the file in place: the whole text goes to a temporary file in the same
// folder, which is flushed to disk and renamed over the old file (keeping its mode), so a crash,
// a full disk or a second writer leaves either the complete old or the complete new file.
class CVLRegistry : public CVLRegistryInd
{
public:
    // Files larger than this are not read (the store keeps its defaults).
    static const unsigned kMaxFileSize = 64u * 1024u * 1024u;

    CVLRegistry(ClientID clientID, RegKeyLocation location, const char* fileName);
    // Writes the cache first when the store is cache-only and dirty.
    ~CVLRegistry() override;

    bool GetProperty(const char* key, CVLString& value, const CVLString& defaultValue, int index = 0) const override;
    bool GetProperty(const char* key, CVLString& value, int index = 0) const override;
    bool SetProperty(const char* key, const char* value, int index = 0) override;
    bool DeleteProperty(const CVLString& key, bool keepInCacheOnly) override;
    bool DeleteProperty(const char* key, bool keepInCacheOnly) override;
    bool DeleteCGIOverride(int n) override;
    bool SaveProperties() override;

    // Creates the file when this client wants one and it is missing; true when nothing was
    // needed or the file now exists.
    bool IfRequiredCreateConfFileIfNotExist();

protected:
    void InitRegState() override;
    int ProtectedInit(LList* list) override;
    int InitFromFile(const CVLString& path, LList* list) override;
    int InitFromFile(const CVLString& path, AssocArray& cache, LList* list) override;
    bool SaveProperties(const AssocArray& cache) override;

    // Creates the folder ".molvar" and the file, carrying over a file of the same name from the
    // home folder (the old place) when there is one. True when the file exists afterwards.
    bool CreateConfFile();

private:
    static CVLString IndexedKey(const char* key, int index);
    static bool ClientCreatesMissingFile(ClientID clientID);
};
