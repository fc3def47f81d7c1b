#pragma once

#include "AssocArray.h"
#include "CVLString.h"
#include "TableIDUtils.h"

class QString;

// Links to items of the tracker: the grammar of vlstudio://, http(s):// and cgiparm: links,
// their parser and validation, and the builders of native links and web-client addresses.
// Static operations only. Failures are a false result; the parser also gives one user-facing
// (translated, UTF-8) message, the builders give none.
class CVLHyperlink
{
public:
    enum eLinkType : int {
        eLinkType_None = 0,      // not yet known, or invalid
        eLinkType_VLStudio = 1,  // "vlstudio://"
        eLinkType_HTTP = 2,      // "http://" or "https://"
        eLinkType_CGIParm = 3    // "cgiparm:"
    };

    enum eRSSOption : int {
        eRSSOption_Links = 0,  // a feed of item links of the given link type
        eRSSOption_Counts = 1  // a feed of counts
    };

    // The link vocabulary.
    static constexpr char kHyperlinkParam_Number[] = "number";
    static constexpr char kHyperlinkParam_RecordID[] = "recordID";
    static constexpr char kHyperlinkParam_Name[] = "name";
    static constexpr char kHyperlinkParam_PassFilter[] = "passfilter";
    static constexpr char kHyperlinkParam_ChartOnly[] = "chartonly";
    static constexpr char kHyperlinkParam_UserName[] = "username";
    static constexpr char kHyperlinkParam_Summary[] = "summary";
    static constexpr char kHyperlinkParam_Table[] = "table";
    static constexpr char kHyperlinkParam_Project[] = "project";
    static constexpr char kHyperlinkParam_ProjName[] = "projectName";
    static constexpr char kHyperlinkParam_FilterID[] = "filterID";
    static constexpr char kHyperlinkParam_LinkType[] = "linktype";
    static constexpr char kHyperlinkParam_LinkType_VLStudio[] = "vlstudio";
    static constexpr char kHyperlinkParam_LinkType_HTTP[] = "http";
    static constexpr char kHyperlinkParam_RSSOption[] = "option";
    static constexpr char kHyperlinkParam_RSSOption_Counts[] = "count";
    static constexpr char kHyperlinkParam_UName[] = "uname";
    static constexpr char kHyperlinkParam_EntityTypeID[] = "entityType";
    static constexpr char kHyperlinkParam_GroupBy[] = "groupBy";
    static constexpr char kHyperlinkParam_PWord[] = "pword";
    static constexpr char kHyperlinkParam_FilterPassed[] = "passed";
    static constexpr char kHyperlinkParam_FolderPath[] = "path";
    static constexpr char kHyperlinkParam_Command[] = "command";
    static constexpr char kHyperlinkParam_DatabaseID[] = "databaseid";
    static constexpr char kHyperlinkParam_OwnerID[] = "ownerID";
    static constexpr char kHyperlinkParam_ServerName[] = "ServerName";
    static constexpr char kHyperlinkParam_VersionNumber[] = "ver";
    static constexpr char kHyperlinkParam_Mode[] = "mode";
    static constexpr char kHyperlinkParam_HistoryID[] = "historyID";
    static constexpr char kHyperlinkParam_PreviewReport[] = "run";
    static constexpr char kHyperlinkParam_AttachID[] = "attachID";
    static constexpr char kHyperlinkParam_SccID[] = "sccID";
    static constexpr char kHyperlinkParam_UnsupportedType[] = "unsupportedType";
    static constexpr char kHyperlinkParam_Type[] = "type";
    static constexpr char kHyperlinkParam_InvalidURLFormat[] = "InvalidURLFormat";
    static constexpr char kHyperlinkParam_FolderRecursive[] = "recursive";
    static constexpr char kHyperlinkParam_EntityID[] = "entityID";

    // File name of the CGI program; a base address ending in it names the program itself.
    static constexpr char kCGIProgramName[] = "vlcgi.exe";

    // Parsing -----------------------------------------------------------------------------

    // Takes a link apart. Every output is emptied first (params only receives pairs); on failure
    // error holds the first problem and the outputs filled before it keep their values. Keys are
    // stored in lower case. keepGoing: invalid parameter keys and values are stored all the same
    // and parsing goes on (the result stays false, error keeps the first message).
    static bool Parse(const CVLString& link, eLinkType& type, CVLString& userName, CVLString& password,
                      CVLString& server, int& port, CVLString& project, unsigned& tableID, AssocArray& params,
                      CVLString& error, bool keepGoing);

    // Parses into throw-away outputs; error gets the message on failure.
    static bool isValidHyperlink(const CVLString& link, CVLString& error);

    // Scheme checks only.
    static bool IsVLStudioLink(const CVLString& link);
    static bool IsHTTPLink(const CVLString& link);

    static bool isTableIDValidForHyperlink(unsigned tableID);
    // Keys compare ignoring case.
    static bool isValidParameterKey(unsigned tableID, const CVLString& key);
    static bool isValidParameterValue(unsigned tableID, const CVLString& key, const CVLString& value);

    // The steps of Parse: each starts at byte position pos of the link, moves pos behind what it
    // took, and on failure sets error and returns false.
    static bool Parse_LinkType(const CVLString& link, unsigned& pos, eLinkType& type, CVLString& error);
    static bool Parse_LoginInfo(const CVLString& link, unsigned& pos, CVLString& userName, CVLString& password,
                                CVLString& error);
    static bool Parse_ServerInfo(const CVLString& link, unsigned& pos, CVLString& server, int& port, CVLString& error);
    static bool Parse_ProjectName(const CVLString& link, unsigned& pos, CVLString& project, CVLString& error);
    static bool Parse_TableID(const CVLString& link, unsigned& pos, unsigned& tableID, CVLString& error);
    static bool Parse_Parameters(const CVLString& link, unsigned& pos, unsigned tableID, AssocArray& params,
                                 CVLString& error, bool keepGoing);
    static bool Parse_CGIInfo(const CVLString& link, unsigned& pos, CVLString& server, CVLString& error);
    static bool Parse_Parameters_HTTP(const CVLString& link, unsigned& pos, CVLString& userName,
                                      CVLString& password, CVLString& project, unsigned& tableID,
                                      AssocArray& params, CVLString& error);

    // Web addresses -----------------------------------------------------------------------

    // Web-client address of the item a link names, below baseAddress, for the project ID the
    // server gave. False with the parser's message when the link is invalid (webAddress
    // untouched); false with an empty error and an empty webAddress when baseAddress is empty.
    static bool ConvertVLStudioToHTTP(const CVLString& link, const CVLString& baseAddress, CVLString& webAddress,
                                      CVLString& error, unsigned projectID);

    // Appends baseAddress with its scheme lower-cased, or with "http://" in front when it has
    // none. False (nothing written) for an empty address.
    static bool BuildHyperLink_HTTP(const CVLString& baseAddress, CVLString& out);
    // Appends "/" projectID and the route, path and query of the item. False (nothing written)
    // for project ID 0.
    static bool BuildParameterList_HTTP(unsigned projectID, unsigned tableID, unsigned recordID, unsigned filterID,
                                        CVLString& out, unsigned version, short mode, bool preview);
    // Appends "?" (count 0) or "&" (count > 0; nothing when negative), key "=" value (unchanged),
    // and increments count.
    static void AddRouteParameter(int& count, const char* key, const CVLString& value, CVLString& out);

    // The three builders below need a non-empty base address and a project ID other than 0
    // (else false, out untouched).
    // out is replaced.
    static bool BuildHTTPLinkForItem(const CVLString& baseAddress, unsigned projectID, const CVLString& projectName,
                                     unsigned tableID, unsigned recordID, CVLString& out, unsigned version,
                                     short mode, unsigned filterID, bool preview);
    // The base address is inserted in front of out's text: pass an empty out.
    static bool BuildHTTPLinkForList(const CVLString& baseAddress, unsigned projectID, const CVLString& projectName,
                                     unsigned tableID, unsigned filterID, CVLString& out);
    // out is replaced with base "/" projectID.
    static bool BuildBaseHTTPLinkForProject(const CVLString& baseAddress, unsigned projectID,
                                            const CVLString& projectName, CVLString& out);
    // All IDs non-zero and a base address, else false (out untouched). out is replaced.
    static bool BuildHTTPLinkForAutomatedTestResult(const CVLString& baseAddress, unsigned projectID,
                                                    unsigned suiteID, unsigned buildID, unsigned resultID,
                                                    CVLString& out);
    // out is replaced, on success only.
    static bool BuildRSSFeedURL(const CVLString& cgiAddress, const CVLString& projectName, unsigned filterID,
                                eLinkType linkType, eRSSOption option, CVLString& out);

    // Native links --------------------------------------------------------------------------

    // Need a server, a port from 0 to 65535, a project name and an item code valid for links
    // (else false, out untouched). out is replaced.
    static bool BuildVLStudioLinkForItem(const CVLString& userName, const CVLString& password,
                                         const CVLString& server, int port, const CVLString& projectName,
                                         unsigned tableID, unsigned recordID, unsigned ownerID, CVLString& out,
                                         unsigned version, short mode, unsigned filterID, unsigned historyID,
                                         bool preview, const CVLString* attachID, unsigned sccID, bool recursive,
                                         unsigned groupBy, unsigned entityType);
    // The link part is inserted in front of out's text: pass an empty out.
    static bool BuildVLStudioLinkForList(const CVLString& userName, const CVLString& password,
                                         const CVLString& server, int port, const CVLString& projectName,
                                         unsigned tableID, unsigned filterID, CVLString& out);
    // "vlstudio://server:port//project" (no item). out is replaced, on success only.
    static bool BuildBaseVLStudioLinkForProject(const CVLString& server, int port, const CVLString& projectName,
                                                CVLString& out);
    // Appends login, server, port, project and item of a native link; true only when all of
    // server, project and a valid item code were written.
    static bool BuildHyperLink_VLStudio(const CVLString& userName, const CVLString& password,
                                        const CVLString& server, int port, const CVLString& projectName,
                                        unsigned tableID, CVLString& out);
    // Appends the query of a native link. Always true.
    static bool BuildParameterList_VLStudio(unsigned tableID, unsigned recordID, unsigned ownerID, unsigned filterID,
                                            CVLString& out, unsigned version, short mode, unsigned historyID,
                                            bool preview, const CVLString* attachID, unsigned sccID, bool recursive,
                                            unsigned groupBy, unsigned entityType);
    // Appends "&ver=" (signed, when not 0) and, for the item code spec, "&filterID=" when there is a filter.
    static void BuildParamatersForRM(CVLString& out, unsigned tableID, unsigned version, short mode,
                                     unsigned filterID);

    // Route names ---------------------------------------------------------------------------

    // Empty for a code without a route.
    static CVLString GetVLWebRouteNameForEntityType(unsigned tableID, bool preview);
    // Exact (case-sensitive) match; false leaves tableID untouched.
    static bool GetEntityTypeForVLWebRouteName(const QString& route, unsigned& tableID);
    // 0 for an empty or non-numeric value; with mapSpecial the web client's -2 (4294967294) is 0.
    static unsigned ConvertVLWebFilterIDValueForVLStudio(const QString& value, bool mapSpecial);
    static bool IsCGIPathAndProjectIDSetupForHTTPLinkBuilding(const CVLString& baseAddress, unsigned projectID);
    static bool isTableIDValidForHTTP(unsigned tableID);
    static bool isTableIDValidForFilters(unsigned tableID);
};
