#pragma once

#include "CVLString.h"

#include <map>
#include <vector>

class QString;

// What shared code needs to know about the running application: product names, the client
// type it announces and a few application-dependent settings. One object exists at a time;
// its constructor registers it in g_spApplicationSpecifics and its destructor unregisters it.
// Shared code reaches it only through the free functions below.
class CApplicationSpecifics
{
public:
    CApplicationSpecifics();
    CApplicationSpecifics(const CApplicationSpecifics&) = delete;
    CApplicationSpecifics& operator=(const CApplicationSpecifics&) = delete;
    virtual ~CApplicationSpecifics();

    virtual const char* GetServerDbDir() const = 0;
    virtual const char* GetProjectsSubDir() const = 0;
    virtual const char* GetInstallersFolder() const = 0;
    virtual std::vector<unsigned> GetSupportedProducts() const = 0;
    // Name of one product flag (MolvarProductFlag); "" for any other value.
    virtual const char* GetProductStr(unsigned productFlag) const = 0;
    virtual bool IsSupported(unsigned productFlags) const = 0;
    virtual bool IsSupported(unsigned productFlags, unsigned short clientType) const = 0;
    virtual bool IsSupported(int feature) const = 0;
    // Replace every placeholder code of the code map in text; return text.
    virtual CVLString& ReplaceAppSpecificCodesInCVLString(CVLString& text) const = 0;
    virtual QString& ReplaceAppSpecificCodesInQString(QString& text) const = 0;
    virtual const char* GetDTDDataName() const = 0;
    virtual const char* GetDefaultCustomerDetailStylesheet() const = 0;
    virtual const char* GetDefaultDefectDetailStylesheet() const = 0;
    virtual const char* GetCustomerDetailStylesheetID() const = 0;
    virtual const char* GetDefectDetailStylesheetID() const = 0;
    virtual const char* GetDefaultTestCaseDetailStylesheet() const = 0;
    virtual const char* GetDefaultTestRunDetailStylesheet() const = 0;
    virtual const char* GetTestCaseDetailStylesheetID() const = 0;
    virtual const char* GetTestRunDetailStylesheetID() const = 0;
    virtual const char* GetTempFileNameAndPathUnix() const = 0;
    virtual const char* GetTempFileNameUnix() const = 0;

    const CVLString& GetProductName() const { return m_ProductName; }
    void SetProductName(const CVLString& name) { m_ProductName = name; }
    const CVLString& GetApplicationName() const { return m_ApplicationName; }
    void SetApplicationName(const CVLString& name) { m_ApplicationName = name; }
    unsigned short GetClientType() const { return m_ClientType; }
    void SetClientType(unsigned short clientType) { m_ClientType = clientType; }
    const CVLString& GetStartupLogName() const { return m_StartupLogName; }
    const CVLString& GetNumberedStartupLogName() const { return m_NumberedStartupLogName; }
    // The suite-wide client file that supplies the native client's folder as a fallback
    // for the user preferences ("/etc/vlclient.conf" in this application). Tests point it
    // at a file of their own.
    const CVLString& GetClientConfigFile() const { return m_ClientConfigFile; }
    void SetClientConfigFile(const CVLString& path) { m_ClientConfigFile = path; }

protected:
    CVLString m_ProductName;
    CVLString m_ApplicationName;
    unsigned short m_ClientType = 0;
    CVLString m_StartupLogName;
    CVLString m_NumberedStartupLogName;
    CVLString m_ClientConfigFile;
};

// The one application-specifics object of the process, or null. Not owned by shared code.
extern CApplicationSpecifics* g_spApplicationSpecifics;

// Placeholder code ("%PRDNM%") to value, ordered by case-sensitive CVLString::Compare.
typedef std::map<CVLString, CVLString> AppSpecificCodesMap;

// Filled on the first call (%PRDNM% and %APPNM% from the registered object at that moment, or
// the product name and an empty text without one) and unchanged afterwards. The first call
// must not run on two threads at once.
const AppSpecificCodesMap& GetAppSpecificCodesToValueMap();

// Replace the placeholder codes through the registered object; without one the text is left.
CVLString& ReplaceAppSpecificCodesInCVLString(CVLString& text);
QString& ReplaceAppSpecificCodesInQString(QString& text);

// The replacement rule itself, independent of any object: every code of the map in ascending
// order, every occurrence, case-sensitive, replacements not searched again.
CVLString& ReplaceCodesFromMap(const AppSpecificCodesMap& codes, CVLString& text);
QString& ReplaceCodesFromMap(const AppSpecificCodesMap& codes, QString& text);
