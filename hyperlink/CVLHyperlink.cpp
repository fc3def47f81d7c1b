#include "CVLHyperlink.h"

#include <QObject>
#include <QString>
#include <cstring>

#include "CVLURLEncode.h"
#include "VLIPAddress.h"

namespace {

// ---------------------------------------------------------------------------------------------
// Raw access to the link bytes. Delimiters are searched in the raw link (so %2F or %3A inside a
// piece never splits it); every piece is then decoded on its own.

struct LinkBytes {
    const char* data;
    unsigned length;

    explicit LinkBytes(const CVLString& link) : data(link.GetBufferPtr()), length(link.GetLength()) {}

    // Position of the first c at or after from, or false.
    bool Find(char c, unsigned from, unsigned& at) const
    {
        if (from >= length)
            return false;
        const void* hit = std::memchr(data + from, c, length - from);
        if (hit == nullptr)
            return false;
        at = static_cast<unsigned>(static_cast<const char*>(hit) - data);
        return true;
    }

    // Position of the first occurrence of pattern at or after from; ASCII letters match either case.
    bool Find(const char* pattern, unsigned from, unsigned& at, bool ignoreCase) const
    {
        const unsigned patternLength = static_cast<unsigned>(std::strlen(pattern));
        if (patternLength == 0 || from > length || length - from < patternLength)
            return false;
        for (unsigned i = from; i + patternLength <= length; ++i) {
            if (Matches(pattern, patternLength, i, ignoreCase)) {
                at = i;
                return true;
            }
        }
        return false;
    }

    // Position of the last c at or after from, or false.
    bool FindLast(char c, unsigned from, unsigned& at) const
    {
        for (unsigned i = length; i > from; --i) {
            if (data[i - 1] == c) {
                at = i - 1;
                return true;
            }
        }
        return false;
    }

    bool BeginsWithIgnoringCase(const char* prefix) const
    {
        const unsigned prefixLength = static_cast<unsigned>(std::strlen(prefix));
        return prefixLength <= length && Matches(prefix, prefixLength, 0, true);
    }

    // Raw bytes [start, end), or false when the range lies outside the link.
    bool Take(unsigned start, unsigned end, CVLString& out) const
    {
        if (start > end || end > length)
            return false;
        out = CVLString(CVLString::Raw, data + start, end - start);
        return true;
    }

private:
    static char LowerASCII(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

    bool Matches(const char* pattern, unsigned patternLength, unsigned at, bool ignoreCase) const
    {
        for (unsigned j = 0; j < patternLength; ++j) {
            const char a = data[at + j];
            const char b = pattern[j];
            if (ignoreCase ? LowerASCII(a) != LowerASCII(b) : a != b)
                return false;
        }
        return true;
    }
};

// True when [start, end) holds only ASCII bytes other than NUL and "%": decoding such a piece
// gives it back unchanged.
bool IsPlainASCII(const char* data, unsigned start, unsigned end)
{
    for (unsigned i = start; i < end; ++i) {
        const unsigned char b = static_cast<unsigned char>(data[i]);
        if (b == 0 || b == '%' || b >= 0x80)
            return false;
    }
    return true;
}

// Raw bytes [start, end) decoded, or false when the range lies outside the link.
bool TakeDecoded(const LinkBytes& bytes, unsigned start, unsigned end, CVLString& out)
{
    // Most pieces carry no escapes; they skip the decoder's copy and text detection.
    if (start <= end && end <= bytes.length && IsPlainASCII(bytes.data, start, end)) {
        // Refilled in place, so a string reused across pieces keeps its block.
        out.Empty();
        out.InsertRaw(bytes.data + start, end - start, 0);
        return true;
    }
    CVLString raw;
    if (!bytes.Take(start, end, raw))
        return false;
    CVLURLEncode::DecodeURLStringPart(raw, out);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Messages. Every text goes through the translation lookup with the parser's disambiguation;
// the syntax help is appended untranslated.

const char kTrContext[] = "CVLHyperlink::Parse";
const char kSyntaxHelp[] =
    "The following syntax is required: "
    "vlstudio://[username:password@]server:port//project/item[?parameter&parameter...]";

CVLString Tr(const char* text)
{
    return CVLString(QObject::tr(text, kTrContext));
}

void SetError(CVLString& error, const char* text)
{
    error = Tr(text);
}

void SetSyntaxError(CVLString& error, const char* text)
{
    error = Tr(text);
    error.Append(kSyntaxHelp);
}

void SetKeyError(CVLString& error, const CVLString& key, const char* fragment)
{
    error = Tr(QT_TRANSLATE_NOOP("QObject", "The "));
    error.Append(key);
    error.Append(Tr(fragment));
}

// ---------------------------------------------------------------------------------------------
// What each item code accepts as parameters. Value kinds:
//   ID          AtoUI value that is neither 0 nor 4294967295 (so "-1" is refused)
//   Text        any non-empty value
//   Any         any value, even an empty one
//   FoldMode    a number whose low 16 bits are 0, 1 or 2
//   FoldCode    exactly the code fold as a number (1718578276)
//   GroupBy     1, 2, 4 or 8
//   ZeroOrOne   0 or 1

enum class ValueKind { ID, Text, Any, FoldMode, FoldCode, GroupBy, ZeroOrOne };

struct ParamRule {
    const char* key;
    ValueKind kind;
};

using H = CVLHyperlink;

// clang-format off
const ParamRule kRecordRules[] = {
    {H::kHyperlinkParam_Number, ValueKind::ID},    {H::kHyperlinkParam_RecordID, ValueKind::ID},
    {H::kHyperlinkParam_FilterID, ValueKind::ID},  {H::kHyperlinkParam_HistoryID, ValueKind::ID},
    {H::kHyperlinkParam_SccID, ValueKind::ID},     {H::kHyperlinkParam_AttachID, ValueKind::Text},
};
const ParamRule kRequirementRules[] = {
    {H::kHyperlinkParam_Number, ValueKind::ID},    {H::kHyperlinkParam_RecordID, ValueKind::ID},
    {H::kHyperlinkParam_FilterID, ValueKind::ID},  {H::kHyperlinkParam_HistoryID, ValueKind::ID},
    {H::kHyperlinkParam_SccID, ValueKind::ID},     {H::kHyperlinkParam_AttachID, ValueKind::Text},
    {H::kHyperlinkParam_VersionNumber, ValueKind::ID},
};
const ParamRule kSpecificationRules[] = {
    {H::kHyperlinkParam_Number, ValueKind::ID},    {H::kHyperlinkParam_RecordID, ValueKind::ID},
    {H::kHyperlinkParam_FilterID, ValueKind::ID},  {H::kHyperlinkParam_HistoryID, ValueKind::ID},
    {H::kHyperlinkParam_SccID, ValueKind::ID},     {H::kHyperlinkParam_AttachID, ValueKind::Text},
    {H::kHyperlinkParam_VersionNumber, ValueKind::ID}, {H::kHyperlinkParam_Mode, ValueKind::Any},
};
const ParamRule kEventsRules[] = {
    {H::kHyperlinkParam_RecordID, ValueKind::ID},  {H::kHyperlinkParam_OwnerID, ValueKind::ID},
    {H::kHyperlinkParam_SccID, ValueKind::ID},     {H::kHyperlinkParam_AttachID, ValueKind::Text},
};
const ParamRule kEmailRules[] = {
    {H::kHyperlinkParam_RecordID, ValueKind::ID},  {H::kHyperlinkParam_OwnerID, ValueKind::ID},
};
const ParamRule kPersonRules[] = {
    {H::kHyperlinkParam_UserName, ValueKind::Text}, {H::kHyperlinkParam_RecordID, ValueKind::ID},
};
const ParamRule kNamedRules[] = {
    {H::kHyperlinkParam_Name, ValueKind::Text},    {H::kHyperlinkParam_RecordID, ValueKind::ID},
};
const ParamRule kTaskRules[] = {
    {H::kHyperlinkParam_Summary, ValueKind::Text}, {H::kHyperlinkParam_RecordID, ValueKind::ID},
};
const ParamRule kFilterRules[] = {
    {H::kHyperlinkParam_Name, ValueKind::Text},    {H::kHyperlinkParam_RecordID, ValueKind::ID},
    {H::kHyperlinkParam_FilterPassed, ValueKind::Any},
};
const ParamRule kReportRules[] = {
    {H::kHyperlinkParam_Name, ValueKind::Text},    {H::kHyperlinkParam_RecordID, ValueKind::ID},
    {H::kHyperlinkParam_PreviewReport, ValueKind::Any},
};
const ParamRule kHomeRules[] = {
    {H::kHyperlinkParam_RecordID, ValueKind::ID},
};
const ParamRule kFolderRules[] = {
    {H::kHyperlinkParam_RecordID, ValueKind::ID},  {H::kHyperlinkParam_OwnerID, ValueKind::ID},
    {H::kHyperlinkParam_HistoryID, ValueKind::ID}, {H::kHyperlinkParam_FolderPath, ValueKind::Text},
    {H::kHyperlinkParam_Mode, ValueKind::FoldMode},
};
const ParamRule kTaskBoardRules[] = {
    {H::kHyperlinkParam_EntityID, ValueKind::ID},  {H::kHyperlinkParam_OwnerID, ValueKind::ID},
    {H::kHyperlinkParam_EntityTypeID, ValueKind::FoldCode}, {H::kHyperlinkParam_GroupBy, ValueKind::GroupBy},
    {H::kHyperlinkParam_FolderRecursive, ValueKind::ZeroOrOne},
};

struct ItemRules {
    unsigned tableID;
    const ParamRule* rules;
    unsigned count;
};

template <unsigned N>
constexpr ItemRules Rules(unsigned tableID, const ParamRule (&rules)[N])
{
    return ItemRules{tableID, rules, N};
}

// Exactly the codes a link may name.
const ItemRules kItemRules[] = {
    Rules(kTableID_dfct, kRecordRules),      Rules(kTableID_tstc, kRecordRules),
    Rules(kTableID_tstr, kRecordRules),      Rules(kTableID_rqmt, kRequirementRules),
    Rules(kTableID_rdmt, kRequirementRules), Rules(kTableID_spec, kSpecificationRules),
    Rules(kTableID_devt, kEventsRules),      Rules(kTableID_cevt, kEventsRules),
    Rules(kTableID_revt, kEventsRules),      Rules(kTableID_rqvt, kEventsRules),
    Rules(kTableID_rdvt, kEventsRules),      Rules(kTableID_dtml, kEmailRules),
    Rules(kTableID_tsml, kEmailRules),       Rules(kTableID_trml, kEmailRules),
    Rules(kTableID_rqml, kEmailRules),       Rules(kTableID_rdml, kEmailRules),
    Rules(kTableID_cust, kPersonRules),      Rules(kTableID_user, kPersonRules),
    Rules(kTableID_ugrp, kNamedRules),       Rules(kTableID_scfg, kNamedRules),
    Rules(kTableID_task, kTaskRules),        Rules(kTableID_dflt, kFilterRules),
    Rules(kTableID_rprt, kReportRules),      Rules(kTableID_home, kHomeRules),
    Rules(kTableID_fold, kFolderRules),      Rules(kTableID_tskb, kTaskBoardRules),
};
// clang-format on
static_assert(sizeof(kItemRules) / sizeof(kItemRules[0]) == 26, "links name exactly 26 item codes");

const ItemRules* FindItemRules(unsigned tableID)
{
    for (const ItemRules& item : kItemRules)
        if (item.tableID == tableID)
            return &item;
    return nullptr;
}

// key equals word (ASCII) ignoring case. An all-ASCII key is compared byte by byte; any other
// key goes through the full text comparison, which knows the non-ASCII case pairs.
bool KeyIs(const CVLString& key, const char* word)
{
    const char* k = key.GetBufferPtr();
    const unsigned length = key.GetLength();
    bool ascii = true;
    for (unsigned i = 0; i < length && ascii; ++i)
        ascii = static_cast<unsigned char>(k[i]) < 0x80;
    if (!ascii)
        return key.Compare(word, true) == 0;
    unsigned i = 0;
    for (; i < length && word[i] != '\0'; ++i) {
        const char a = (k[i] >= 'A' && k[i] <= 'Z') ? static_cast<char>(k[i] - 'A' + 'a') : k[i];
        const char b = (word[i] >= 'A' && word[i] <= 'Z') ? static_cast<char>(word[i] - 'A' + 'a') : word[i];
        if (a != b)
            return false;
    }
    return i == length && word[i] == '\0';
}

const ParamRule* FindParamRule(unsigned tableID, const CVLString& key)
{
    const ItemRules* item = FindItemRules(tableID);
    if (item == nullptr)
        return nullptr;
    for (unsigned i = 0; i < item->count; ++i)
        if (KeyIs(key, item->rules[i].key))
            return &item->rules[i];
    return nullptr;
}

bool IsValidID(unsigned id)
{
    return id != 0 && id != 0xFFFFFFFFu;
}

// value.AtoUI(), with short runs of plain digits (the usual IDs) read directly: up to nine
// digits cannot overflow, so the result is the same.
unsigned ValueToUnsigned(const CVLString& value)
{
    const char* text = value.GetBufferPtr();
    const unsigned length = value.GetLength();
    if (length == 0 || length > 9)
        return value.AtoUI();
    unsigned result = 0;
    for (unsigned i = 0; i < length; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return value.AtoUI();
        result = result * 10 + static_cast<unsigned>(text[i] - '0');
    }
    return result;
}

bool IsValueAccepted(ValueKind kind, const CVLString& value)
{
    switch (kind) {
    case ValueKind::ID:
        return IsValidID(ValueToUnsigned(value));
    case ValueKind::Text:
        return !value.IsEmpty();
    case ValueKind::Any:
        return true;
    case ValueKind::FoldMode: {
        const unsigned low = static_cast<unsigned>(value.AtoI()) & 0xFFFFu;
        return low <= 2;
    }
    case ValueKind::FoldCode:
        return ValueToUnsigned(value) == kTableID_fold;
    case ValueKind::GroupBy: {
        const unsigned groupBy = ValueToUnsigned(value);
        return groupBy == 1 || groupBy == 2 || groupBy == 4 || groupBy == 8;
    }
    case ValueKind::ZeroOrOne:
        return ValueToUnsigned(value) <= 1;
    }
    return false;
}

// The item text of a link must be four bytes forming a code links may name.
bool ItemTextToTableID(const CVLString& item, unsigned& tableID)
{
    if (item.GetLength() != 4)
        return false;
    const unsigned char* b = item.GetUTF8Ptr();
    const unsigned code = static_cast<unsigned>(b[0]) << 24 | static_cast<unsigned>(b[1]) << 16
        | static_cast<unsigned>(b[2]) << 8 | static_cast<unsigned>(b[3]);
    if (!CVLHyperlink::isTableIDValidForHyperlink(code))
        return false;
    tableID = code;
    return true;
}

// One key "=" value pair starting at pos. The value ends at the next "&" searched from the "=".
enum class PairResult { Read, MissingEquals, BadKey, BadValue };

PairResult ReadPair(const LinkBytes& bytes, unsigned& pos, CVLString& key, CVLString& value)
{
    unsigned equals = 0;
    if (!bytes.Find('=', pos, equals))
        return PairResult::MissingEquals;
    if (!TakeDecoded(bytes, pos, equals, key))
        return PairResult::BadKey;
    unsigned end = bytes.length;
    const bool hasAmpersand = bytes.Find('&', equals, end);
    if (!TakeDecoded(bytes, equals + 1, end, value))
        return PairResult::BadValue;
    pos = hasAmpersand ? end + 1 : bytes.length;
    return PairResult::Read;
}

// The message for a pair whose key or value cannot be read (BadKey or BadValue).
void SetPairReadError(CVLString& error, PairResult result)
{
    if (result == PairResult::BadKey)
        SetError(error, QT_TRANSLATE_NOOP("QObject", "A parsing error occurred when reading the parameter key."));
    else
        SetError(error, QT_TRANSLATE_NOOP("QObject", "A parsing error occurred when reading the parameter value."));
}

// Checks one parameter against the item code; false with the message when it is refused.
bool CheckParameter(unsigned tableID, const CVLString& key, const CVLString& value, CVLString& error)
{
    // One rule lookup serves both checks (isValidParameterKey / isValidParameterValue).
    const ParamRule* rule = FindParamRule(tableID, key);
    if (rule == nullptr) {
        SetKeyError(error, key, QT_TRANSLATE_NOOP("QObject", " parameter is invalid."));
        return false;
    }
    if (!IsValueAccepted(rule->kind, value)) {
        SetKeyError(error, key, QT_TRANSLATE_NOOP("QObject", " value is invalid."));
        return false;
    }
    return true;
}

void StoreParameter(AssocArray& params, const CVLString& key, const CVLString& value)
{
    const char* k = key.GetBufferPtr();
    const unsigned length = key.GetLength();
    char lowered[64];
    bool ascii = length <= sizeof lowered;
    for (unsigned i = 0; i < length && ascii; ++i) {
        ascii = static_cast<unsigned char>(k[i]) < 0x80;
        lowered[i] = (k[i] >= 'A' && k[i] <= 'Z') ? static_cast<char>(k[i] - 'A' + 'a') : k[i];
    }
    if (ascii) {
        params.NewPair(CVLString(CVLString::Raw, lowered, length), value);
        return;
    }
    CVLString lowerKey(key);
    lowerKey.MakeLower();
    params.NewPair(lowerKey, value);
}

}  // namespace

// =============================================================================================
// Link grammar, as the parser reads it (positions are byte offsets; delimiters are found in the
// raw link, every piece is percent-decoded afterwards; scheme and "table=" ignore case):
//
//   link        = native | web | cgiparm
//   native      = "vlstudio://" [login "@"] server ("//" | "/") project "/" item ["?" [params]]
//   login       = user [":" password]      ; up to the FIRST "@" anywhere in the link
//   server      = host ":" port            ; split at the LAST ":" of the server part
//   host        = name | "[" ipv6 "]"      ; a host holding ":" must be bracketed; ipv6 is not decoded
//   port        = digits                   ; read with AtoI, no range check; required
//   project     = 1*byte                   ; up to the next "/", must not be empty
//   item        = 4 bytes                  ; up to "?" or the end; one of the 26 codes
//   params      = param *("&" param)
//   param       = key "=" value            ; value runs from "=" to the next "&" or the end
//   web         = ("http://" | "https://") cgi-path "?" params
//   cgi-path    = up to the first "?"      ; two or more ":" need a bracketed IPv6 host
//   cgiparm     = "cgiparm:" params
//
// The server part ends at the first "//" after the login; only without one does the first "/"
// end it. In the web forms "table=" (searched anywhere in the query) gives the item code,
// "uname", "pword" and "project" give the login and project, "ServerName", "table" and
// "command" are skipped, and every other parameter is checked like a native one.
// =============================================================================================
bool CVLHyperlink::Parse(const CVLString& link, eLinkType& type, CVLString& userName, CVLString& password,
                         CVLString& server, int& port, CVLString& project, unsigned& tableID, AssocArray& params,
                         CVLString& error, bool keepGoing)
{
    type = eLinkType_None;
    userName.Empty();
    password.Empty();
    server.Empty();
    port = 0;
    project.Empty();
    tableID = 0;
    error.Empty();

    unsigned pos = 0;
    if (!Parse_LinkType(link, pos, type, error))
        return false;

    switch (type) {
    case eLinkType_VLStudio:
        return Parse_LoginInfo(link, pos, userName, password, error) && Parse_ServerInfo(link, pos, server, port, error)
            && Parse_ProjectName(link, pos, project, error) && Parse_TableID(link, pos, tableID, error)
            && Parse_Parameters(link, pos, tableID, params, error, keepGoing);
    case eLinkType_HTTP:
        return Parse_CGIInfo(link, pos, server, error)
            && Parse_Parameters_HTTP(link, pos, userName, password, project, tableID, params, error);
    case eLinkType_CGIParm:
        return Parse_Parameters_HTTP(link, pos, userName, password, project, tableID, params, error);
    case eLinkType_None:
        break;
    }
    return false;
}

bool CVLHyperlink::Parse_LinkType(const CVLString& link, unsigned& pos, eLinkType& type, CVLString& error)
{
    struct Scheme {
        const char* prefix;
        eLinkType type;
    };
    // Tested in this order.
    static const Scheme kSchemes[] = {
        {"vlstudio://", eLinkType_VLStudio},
        {"http://", eLinkType_HTTP},
        {"https://", eLinkType_HTTP},
        {"cgiparm:", eLinkType_CGIParm},
    };
    const LinkBytes bytes(link);
    for (const Scheme& scheme : kSchemes) {
        if (bytes.BeginsWithIgnoringCase(scheme.prefix)) {
            type = scheme.type;
            pos = static_cast<unsigned>(std::strlen(scheme.prefix));
            return true;
        }
    }
    type = eLinkType_None;
    SetError(error, QT_TRANSLATE_NOOP("QObject", "The protocol is invalid. The http, vlstudio, or escm protocol is required."));
    return false;
}

bool CVLHyperlink::Parse_LoginInfo(const CVLString& link, unsigned& pos, CVLString& userName, CVLString& password,
                                   CVLString& error)
{
    const LinkBytes bytes(link);
    unsigned at = 0;
    // The whole link is searched: a plain "@" anywhere ends the login part.
    if (!bytes.Find('@', 0, at))
        return true;

    CVLString login;
    if (!bytes.Take(pos, at, login)) {
        SetError(error, QT_TRANSLATE_NOOP("QObject", "A parsing error occurred when reading the username and password."));
        return false;
    }
    const LinkBytes loginBytes(login);
    unsigned colon = 0;
    if (loginBytes.Find(':', 0, colon)) {
        if (!TakeDecoded(loginBytes, 0, colon, userName)) {
            SetError(error, QT_TRANSLATE_NOOP("QObject", "A parsing error occurred when reading the username."));
            return false;
        }
        if (!TakeDecoded(loginBytes, colon + 1, loginBytes.length, password)) {
            SetError(error, QT_TRANSLATE_NOOP("QObject", "A parsing error occurred when reading the password."));
            return false;
        }
    } else if (!TakeDecoded(loginBytes, 0, loginBytes.length, userName)) {
        SetError(error, QT_TRANSLATE_NOOP("QObject", "A parsing error occurred when reading the username."));
        return false;
    }
    pos = at + 1;
    return true;
}

bool CVLHyperlink::Parse_ServerInfo(const CVLString& link, unsigned& pos, CVLString& server, int& port,
                                    CVLString& error)
{
    const LinkBytes bytes(link);
    unsigned separator = 0;
    unsigned separatorLength = 2;
    if (!bytes.Find("//", pos, separator, false)) {
        separatorLength = 1;
        if (!bytes.Find('/', pos, separator)) {
            SetSyntaxError(error, QT_TRANSLATE_NOOP("QObject", "The server name syntax is incorrect. "));
            return false;
        }
    }

    CVLString part;
    if (!bytes.Take(pos, separator, part)) {
        SetError(error, QT_TRANSLATE_NOOP("QObject", "A parsing error occurred when reading the server address."));
        return false;
    }

    // The port follows the last ":" of the part; one at the very start does not count.
    const LinkBytes partBytes(part);
    unsigned colon = 0;
    if (!partBytes.FindLast(':', 1, colon)) {
        SetError(error, QT_TRANSLATE_NOOP("QObject", "The address must contain a port number."));
        return false;
    }
    CVLString portText;
    if (!partBytes.Take(colon + 1, partBytes.length, portText)) {
        SetError(error, QT_TRANSLATE_NOOP("QObject", "A parsing error occurred when reading the port number."));
        return false;
    }
    port = portText.AtoI();

    CVLString host;
    if (!partBytes.Take(0, colon, host)) {
        SetError(error, QT_TRANSLATE_NOOP("QObject", "A parsing error occurred when reading the server name."));
        return false;
    }

    const LinkBytes hostBytes(host);
    unsigned unused = 0;
    if (hostBytes.Find(':', 0, unused)) {
        // An IPv6 address: "[" first, and the first "]" is the last byte. Used without decoding.
        unsigned closing = 0;
        const bool bracketed = hostBytes.data[0] == '[' && hostBytes.Find(']', 0, closing)
            && closing == hostBytes.length - 1;
        if (!bracketed) {
            SetError(error, QT_TRANSLATE_NOOP("QObject", "An IPv6 address must be enclosed in brackets."));
            return false;
        }
        unsigned first = 0;
        unsigned last = hostBytes.length;
        while (first < last && hostBytes.data[first] == '[')
            ++first;
        while (last > first && hostBytes.data[last - 1] == ']')
            --last;
        hostBytes.Take(first, last, server);
    } else {
        CVLURLEncode::DecodeURLStringPart(host, server);
    }

    if (server.IsEmpty()) {
        SetError(error, QT_TRANSLATE_NOOP("QObject", "The address must contain a server name in the address."));
        return false;
    }
    pos = separator + separatorLength;
    return true;
}

bool CVLHyperlink::Parse_ProjectName(const CVLString& link, unsigned& pos, CVLString& project, CVLString& error)
{
    const LinkBytes bytes(link);
    unsigned slash = 0;
    if (!bytes.Find('/', pos, slash)) {
        SetSyntaxError(error, QT_TRANSLATE_NOOP("QObject", "The project name syntax is incorrect. "));
        return false;
    }
    if (!TakeDecoded(bytes, pos, slash, project)) {
        SetError(error, QT_TRANSLATE_NOOP("QObject", "A parsing error occurred when reading the project name."));
        return false;
    }
    if (project.IsEmpty()) {
        SetError(error, QT_TRANSLATE_NOOP("QObject", "The address must contain a project name."));
        return false;
    }
    pos = slash + 1;
    return true;
}

bool CVLHyperlink::Parse_TableID(const CVLString& link, unsigned& pos, unsigned& tableID, CVLString& error)
{
    const LinkBytes bytes(link);
    unsigned end = bytes.length;
    const bool hasQuery = bytes.Find('?', pos, end);
    if (end == 0) {
        SetSyntaxError(error, QT_TRANSLATE_NOOP("QObject", "The item type syntax is incorrect. "));
        return false;
    }
    CVLString item;
    if (!TakeDecoded(bytes, pos, end, item)) {
        SetError(error, QT_TRANSLATE_NOOP("QObject", "A parsing error occurred when reading the item type."));
        return false;
    }
    if (!ItemTextToTableID(item, tableID)) {
        SetError(error, QT_TRANSLATE_NOOP("QObject", "The item type is invalid."));
        return false;
    }
    pos = hasQuery ? end + 1 : bytes.length;
    return true;
}

bool CVLHyperlink::Parse_Parameters(const CVLString& link, unsigned& pos, unsigned tableID, AssocArray& params,
                                    CVLString& error, bool keepGoing)
{
    const LinkBytes bytes(link);
    bool valid = true;
    CVLString key;
    CVLString value;
    while (pos < bytes.length) {
        CVLString problem;
        const PairResult read = ReadPair(bytes, pos, key, value);
        switch (read) {
        case PairResult::MissingEquals:
            // Without "=" the rest cannot be split into pairs: always the end of parsing.
            if (valid)
                SetSyntaxError(error, QT_TRANSLATE_NOOP("QObject", "The parameter syntax is invalid. "));
            return false;
        case PairResult::BadKey:
        case PairResult::BadValue:
            if (valid)
                SetPairReadError(error, read);
            return false;
        case PairResult::Read:
            break;
        }
        if (!CheckParameter(tableID, key, value, problem)) {
            if (valid)
                error = problem;  // the first problem is the one reported
            valid = false;
            if (!keepGoing)
                return false;
        }
        StoreParameter(params, key, value);
    }
    return valid;
}

bool CVLHyperlink::Parse_CGIInfo(const CVLString& link, unsigned& pos, CVLString& server, CVLString& error)
{
    const LinkBytes bytes(link);
    unsigned question = 0;
    if (!bytes.Find('?', pos, question)) {
        SetSyntaxError(error, QT_TRANSLATE_NOOP("QObject", "The cgi path syntax is invalid. "));
        return false;
    }
    CVLString path;
    if (!bytes.Take(pos, question, path)) {
        SetError(error, QT_TRANSLATE_NOOP("QObject", "A parsing error occurred when reading the cgi path."));
        return false;
    }

    const LinkBytes pathBytes(path);
    unsigned firstColon = 0;
    unsigned lastColon = 0;
    if (pathBytes.Find(':', 0, firstColon))
        pathBytes.FindLast(':', 0, lastColon);
    if (firstColon < lastColon) {
        // Two or more ":" mean an IPv6 host, which must be bracketed: the "]" is followed by the
        // port's ":" or directly by the path's "/".
        unsigned closing = 0;
        unsigned slash = 0;
        const bool bracketed = pathBytes.data[0] == '[' && pathBytes.Find(']', 0, closing)
            && (closing + 1 == lastColon || (pathBytes.Find('/', lastColon, slash) && slash == closing + 1));
        if (!bracketed) {
            SetError(error, QT_TRANSLATE_NOOP("QObject", "An IPv6 address must be enclosed in brackets."));
            return false;
        }
    }
    CVLURLEncode::DecodeURLStringPart(path, server);
    pos = question + 1;
    return true;
}

bool CVLHyperlink::Parse_Parameters_HTTP(const CVLString& link, unsigned& pos, CVLString& userName,
                                         CVLString& password, CVLString& project, unsigned& tableID,
                                         AssocArray& params, CVLString& error)
{
    const LinkBytes bytes(link);

    // The item code first, wherever "table=" stands in the query.
    unsigned tableAt = 0;
    if (!bytes.Find("table=", pos, tableAt, true)) {
        SetError(error, QT_TRANSLATE_NOOP("QObject", "The item type is invalid."));
        return false;
    }
    const unsigned itemStart = tableAt + 6;
    unsigned itemEnd = bytes.length;
    bytes.Find('&', itemStart, itemEnd);
    CVLString item;
    if (!TakeDecoded(bytes, itemStart, itemEnd, item) || !ItemTextToTableID(item, tableID)) {
        SetError(error, QT_TRANSLATE_NOOP("QObject", "The item type is invalid."));
        return false;
    }

    CVLString key;
    CVLString value;
    while (pos < bytes.length) {
        const PairResult read = ReadPair(bytes, pos, key, value);
        switch (read) {
        case PairResult::MissingEquals:
            SetError(error, QT_TRANSLATE_NOOP("QObject", "The parameter syntax is invalid."));
            return false;
        case PairResult::BadKey:
        case PairResult::BadValue:
            SetPairReadError(error, read);
            return false;
        case PairResult::Read:
            break;
        }
        if (KeyIs(key, kHyperlinkParam_UName)) {
            userName = value;
        } else if (KeyIs(key, kHyperlinkParam_PWord)) {
            password = value;
        } else if (KeyIs(key, kHyperlinkParam_Project)) {
            project = value;
        } else if (KeyIs(key, kHyperlinkParam_ServerName) || KeyIs(key, kHyperlinkParam_Table)
                   || KeyIs(key, kHyperlinkParam_Command)) {
            // Addressing of the CGI program itself, not of the item.
        } else {
            if (!CheckParameter(tableID, key, value, error))
                return false;
            StoreParameter(params, key, value);
        }
    }

    if (project.IsEmpty()) {
        SetError(error, QT_TRANSLATE_NOOP("QObject", "The project name syntax is incorrect."));
        return false;
    }
    return true;
}

bool CVLHyperlink::isValidHyperlink(const CVLString& link, CVLString& error)
{
    eLinkType type = eLinkType_None;
    CVLString userName;
    CVLString password;
    CVLString server;
    int port = 0;
    CVLString project;
    unsigned tableID = 0;
    AssocArray params(1);
    return Parse(link, type, userName, password, server, port, project, tableID, params, error, false);
}

bool CVLHyperlink::IsVLStudioLink(const CVLString& link)
{
    unsigned pos = 0;
    eLinkType type = eLinkType_None;
    CVLString error;
    return Parse_LinkType(link, pos, type, error) && type == eLinkType_VLStudio;
}

bool CVLHyperlink::IsHTTPLink(const CVLString& link)
{
    unsigned pos = 0;
    eLinkType type = eLinkType_None;
    CVLString error;
    return Parse_LinkType(link, pos, type, error) && type == eLinkType_HTTP;
}

bool CVLHyperlink::isTableIDValidForHyperlink(unsigned tableID)
{
    return FindItemRules(tableID) != nullptr;
}

bool CVLHyperlink::isValidParameterKey(unsigned tableID, const CVLString& key)
{
    return FindParamRule(tableID, key) != nullptr;
}

bool CVLHyperlink::isValidParameterValue(unsigned tableID, const CVLString& key, const CVLString& value)
{
    const ParamRule* rule = FindParamRule(tableID, key);
    return rule != nullptr && IsValueAccepted(rule->kind, value);
}

// =============================================================================================
// Web-client addresses and native links
// =============================================================================================

namespace {

// How the path and query below "/projectID" are written for an item.
enum class WebPathForm {
    Record,         // "/route", "?filterID=F" | "/route/R/"
    Requirement,    // as Record, then "?version=V"
    Specification,  // "/requirementDocuments", "?filterID=F" | ".../R/specification?version=V&filterID=F"
    Simple,         // "/route" | "/route/R"
    Home,           // "/home" | "/home?dashboard=R"
    Folder,         // "/folders" | "/folders/R/" view "&filterID=0&recursive=false"
    Unsupported     // "/unsupportedType?type=<code as signed decimal>"
};

struct WebRoute {
    unsigned tableID;
    const char* route;
    const char* previewRoute;  // route when the preview flag is set, or null
    bool routeToCode;          // the reverse lookup gives this code for the route
    WebPathForm form;
};

// clang-format off
const WebRoute kWebRoutes[] = {
    {kTableID_home, "home",                 nullptr,         true,  WebPathForm::Home},
    {kTableID_dfct, "issues",               nullptr,         true,  WebPathForm::Record},
    {kTableID_tstc, "testCases",            nullptr,         true,  WebPathForm::Record},
    {kTableID_tstr, "testRuns",             nullptr,         true,  WebPathForm::Record},
    {kTableID_rqmt, "requirements",         nullptr,         true,  WebPathForm::Requirement},
    {kTableID_rdmt, "requirementDocuments", nullptr,         true,  WebPathForm::Requirement},
    {kTableID_spec, "requirementDocuments", nullptr,         false, WebPathForm::Specification},
    {kTableID_fold, "folders",              nullptr,         true,  WebPathForm::Folder},
    {kTableID_rprt, "reports",              "previewReport", true,  WebPathForm::Simple},
    {kTableID_user, "users",                nullptr,         true,  WebPathForm::Simple},
    {kTableID_cust, "customers",            nullptr,         true,  WebPathForm::Simple},
    {kTableID_aswt, "automationSuites",     nullptr,         true,  WebPathForm::Unsupported},
    {kTableID_abld, "build",                nullptr,         true,  WebPathForm::Unsupported},
    {kTableID_dflt, "filters",              nullptr,         true,  WebPathForm::Simple},
};

// Folder views by mode; any other mode shows the item list.
struct FolderView {
    int mode;
    const char* view;
};
const FolderView kFolderViews[] = {
    {1, "taskboard?type=issues,testCases,testRuns,requirements,requirementDocuments"},
    {2, "list?type=folders"},
};
const char kFolderDefaultView[] = "list?type=issues,testCases,testRuns,requirements,requirementDocuments";
const char kFolderViewSuffix[] = "&filterID=0&recursive=false";

// Items the web client shows, and items whose lists can be filtered.
const unsigned kHTTPTableIDs[] = {
    kTableID_cust, kTableID_dfct, kTableID_dflt, kTableID_fold, kTableID_home, kTableID_rdmt,
    kTableID_rprt, kTableID_rqmt, kTableID_spec, kTableID_tstc, kTableID_tstr, kTableID_user,
};
const unsigned kFilterTableIDs[] = {
    kTableID_dfct, kTableID_rdmt, kTableID_rqmt, kTableID_spec, kTableID_tstc, kTableID_tstr,
};
// clang-format on

template <unsigned N>
bool Contains(const unsigned (&codes)[N], unsigned tableID)
{
    for (unsigned code : codes)
        if (code == tableID)
            return true;
    return false;
}

const WebRoute* FindWebRoute(unsigned tableID)
{
    for (const WebRoute& route : kWebRoutes)
        if (route.tableID == tableID)
            return &route;
    return nullptr;
}

// 0 and 4294967295 both mean: no filter.
bool HasFilter(unsigned filterID)
{
    return filterID != 0 && filterID != 0xFFFFFFFFu;
}

// Web addresses write filter IDs and versions as signed 32-bit numbers (4294967294 is -2).
CVLString Signed(unsigned value)
{
    return CVLString::fromInt(static_cast<int>(value));
}

CVLString Unsigned(unsigned value)
{
    return CVLString::fromUInt(value);
}

bool EndsWithCGIProgram(const CVLString& address)
{
    return address.EndsWith(CVLString(CVLHyperlink::kCGIProgramName), true);
}

// The page of the CGI program that reports the address form as invalid.
void BuildInvalidURLFormatLink(const CVLString& base, const CVLString& projectName, CVLString& out)
{
    CVLString link(base);
    link.Append("?");
    link.Append(CVLHyperlink::kHyperlinkParam_Command);
    link.Append("=");
    link.Append(CVLHyperlink::kHyperlinkParam_InvalidURLFormat);
    link.Append("&");
    link.Append(CVLHyperlink::kHyperlinkParam_ProjName);
    link.Append("=");
    CVLURLEncode::EncodeURLStringPart(projectName, link);
    out = link;
}

bool IsValidPort(int port)
{
    return port >= 0 && port <= 65535;
}

bool IsNativeItemInputValid(const CVLString& server, int port, const CVLString& projectName)
{
    return !server.IsEmpty() && IsValidPort(port) && !projectName.IsEmpty();
}

const char kVLStudioScheme[] = "vlstudio://";

}  // namespace

bool CVLHyperlink::IsCGIPathAndProjectIDSetupForHTTPLinkBuilding(const CVLString& baseAddress, unsigned projectID)
{
    return !baseAddress.IsEmpty() && projectID != 0;
}

bool CVLHyperlink::isTableIDValidForHTTP(unsigned tableID)
{
    return Contains(kHTTPTableIDs, tableID);
}

bool CVLHyperlink::isTableIDValidForFilters(unsigned tableID)
{
    return Contains(kFilterTableIDs, tableID);
}

CVLString CVLHyperlink::GetVLWebRouteNameForEntityType(unsigned tableID, bool preview)
{
    const WebRoute* route = FindWebRoute(tableID);
    if (route == nullptr)
        return CVLString();
    return CVLString(preview && route->previewRoute != nullptr ? route->previewRoute : route->route);
}

bool CVLHyperlink::GetEntityTypeForVLWebRouteName(const QString& route, unsigned& tableID)
{
    const CVLString name(route);
    for (const WebRoute& entry : kWebRoutes) {
        if (!entry.routeToCode)
            continue;
        if (name.Compare(entry.route, false) == 0
            || (entry.previewRoute != nullptr && name.Compare(entry.previewRoute, false) == 0)) {
            tableID = entry.tableID;
            return true;
        }
    }
    return false;
}

unsigned CVLHyperlink::ConvertVLWebFilterIDValueForVLStudio(const QString& value, bool mapSpecial)
{
    if (value.isEmpty())
        return 0;
    bool ok = false;
    const unsigned filterID = value.toUInt(&ok, 10);
    if (!ok)
        return 0;
    if (mapSpecial && filterID == 4294967294u)
        return 0;
    return filterID;
}

void CVLHyperlink::AddRouteParameter(int& count, const char* key, const CVLString& value, CVLString& out)
{
    if (count == 0)
        out.Append("?");
    else if (count > 0)
        out.Append("&");
    out.Append(key);
    out.Append("=");
    out.Append(value);
    ++count;
}

bool CVLHyperlink::BuildHyperLink_HTTP(const CVLString& baseAddress, CVLString& out)
{
    if (baseAddress.IsEmpty())
        return false;
    static const char* const kSchemes[] = {"http://", "https://"};
    for (const char* scheme : kSchemes) {
        const unsigned schemeLength = static_cast<unsigned>(std::strlen(scheme));
        if (LinkBytes(baseAddress).BeginsWithIgnoringCase(scheme)) {
            out.Append(scheme);
            out.Append(CVLString(CVLString::Raw, baseAddress.GetBufferPtr() + schemeLength,
                                 baseAddress.GetLength() - schemeLength));
            return true;
        }
    }
    out.Append("http://");
    out.Append(baseAddress);
    return true;
}

bool CVLHyperlink::BuildParameterList_HTTP(unsigned projectID, unsigned tableID, unsigned recordID,
                                           unsigned filterID, CVLString& out, unsigned version, short mode,
                                           bool preview)
{
    if (projectID == 0)
        return false;
    out.Append("/");
    out.Append(Unsigned(projectID));

    const WebRoute* route = FindWebRoute(tableID);
    const WebPathForm form = route != nullptr ? route->form : WebPathForm::Unsupported;
    const CVLString routeName = GetVLWebRouteNameForEntityType(tableID, preview);

    switch (form) {
    case WebPathForm::Record:
    case WebPathForm::Requirement:
        out.Append("/");
        out.Append(routeName);
        if (recordID == 0) {
            if (HasFilter(filterID)) {
                out.Append("?filterID=");
                out.Append(Signed(filterID));
            }
        } else {
            out.Append("/");
            out.Append(Unsigned(recordID));
            out.Append("/");
            if (form == WebPathForm::Requirement && version != 0) {
                out.Append("?version=");
                out.Append(Signed(version));
            }
        }
        break;
    case WebPathForm::Specification:
        out.Append("/requirementDocuments");
        if (recordID == 0) {
            if (HasFilter(filterID)) {
                out.Append("?filterID=");
                out.Append(Signed(filterID));
            }
        } else {
            out.Append("/");
            out.Append(Unsigned(recordID));
            out.Append("/specification");
            int count = 0;
            if (version != 0)
                AddRouteParameter(count, "version", Signed(version), out);
            if (HasFilter(filterID))
                AddRouteParameter(count, "filterID", Signed(filterID), out);
        }
        break;
    case WebPathForm::Simple:
        out.Append("/");
        out.Append(routeName);
        if (recordID != 0) {
            out.Append("/");
            out.Append(Unsigned(recordID));
        }
        break;
    case WebPathForm::Home:
        out.Append("/home");
        if (recordID != 0) {
            out.Append("?dashboard=");
            out.Append(Unsigned(recordID));
        }
        break;
    case WebPathForm::Folder:
        out.Append("/folders");
        if (recordID != 0) {
            out.Append("/");
            out.Append(Unsigned(recordID));
            out.Append("/");
            const char* view = kFolderDefaultView;
            for (const FolderView& entry : kFolderViews)
                if (entry.mode == mode)
                    view = entry.view;
            out.Append(view);
            out.Append(kFolderViewSuffix);
        }
        break;
    case WebPathForm::Unsupported:
        out.Append("/");
        out.Append(kHyperlinkParam_UnsupportedType);
        out.Append("?");
        out.Append(kHyperlinkParam_Type);
        out.Append("=");
        out.Append(Signed(tableID));
        break;
    }
    return true;
}

bool CVLHyperlink::ConvertVLStudioToHTTP(const CVLString& link, const CVLString& baseAddress, CVLString& webAddress,
                                         CVLString& error, unsigned projectID)
{
    eLinkType type = eLinkType_None;
    CVLString userName;
    CVLString password;
    CVLString server;
    int port = 0;
    CVLString project;
    unsigned tableID = 0;
    AssocArray params(1);
    if (!Parse(link, type, userName, password, server, port, project, tableID, params, error, false))
        return false;

    CVLString address;
    if (!BuildHyperLink_HTTP(baseAddress, address)) {
        webAddress.Empty();
        return false;
    }

    unsigned recordID = 0;
    unsigned filterID = 0;
    unsigned version = 0;
    short mode = 0;
    bool preview = false;
    for (unsigned i = 1; i <= params.GetPairCount(); ++i) {
        const NamedPair* pair = params.GetPairAt(i);
        if (pair == nullptr)
            continue;
        const CVLString& key = pair->GetKey();
        const CVLString& value = pair->GetValue();
        if (key.Compare(kHyperlinkParam_RecordID, true) == 0)
            recordID = value.AtoUI();
        else if (key.Compare(kHyperlinkParam_FilterID, true) == 0)
            filterID = value.AtoUI();
        else if (key.Compare(kHyperlinkParam_VersionNumber, true) == 0)
            version = value.AtoUI();
        else if (key.Compare(kHyperlinkParam_PreviewReport, true) == 0)
            preview = value.AtoUI() == 1;
        else if (key.Compare(kHyperlinkParam_Mode, true) == 0)
            mode = static_cast<short>(value.AtoI());
    }

    const bool built = BuildParameterList_HTTP(projectID, tableID, recordID, filterID, address, version, mode, preview);
    webAddress = address;
    return built;
}

bool CVLHyperlink::BuildHTTPLinkForItem(const CVLString& baseAddress, unsigned projectID,
                                        const CVLString& projectName, unsigned tableID, unsigned recordID,
                                        CVLString& out, unsigned version, short mode, unsigned filterID, bool preview)
{
    if (!IsCGIPathAndProjectIDSetupForHTTPLinkBuilding(baseAddress, projectID))
        return false;
    CVLString base;
    BuildHyperLink_HTTP(baseAddress, base);
    if (EndsWithCGIProgram(base)) {
        BuildInvalidURLFormatLink(base, projectName, out);
        return true;
    }
    const bool built = BuildParameterList_HTTP(projectID, tableID, recordID, filterID, base, version, mode, preview);
    out = base;
    return built;
}

bool CVLHyperlink::BuildHTTPLinkForList(const CVLString& baseAddress, unsigned projectID,
                                        const CVLString& projectName, unsigned tableID, unsigned filterID,
                                        CVLString& out)
{
    if (!IsCGIPathAndProjectIDSetupForHTTPLinkBuilding(baseAddress, projectID))
        return false;
    CVLString base;
    BuildHyperLink_HTTP(baseAddress, base);
    if (EndsWithCGIProgram(base)) {
        BuildInvalidURLFormatLink(base, projectName, out);
        return true;
    }
    BuildParameterList_HTTP(projectID, tableID, 0, filterID, out, 0, 0, false);
    out.Insert(base, 0);
    return true;
}

bool CVLHyperlink::BuildBaseHTTPLinkForProject(const CVLString& baseAddress, unsigned projectID,
                                               const CVLString& projectName, CVLString& out)
{
    if (!IsCGIPathAndProjectIDSetupForHTTPLinkBuilding(baseAddress, projectID))
        return false;
    CVLString base;
    BuildHyperLink_HTTP(baseAddress, base);
    if (EndsWithCGIProgram(base)) {
        BuildInvalidURLFormatLink(base, projectName, out);
        return true;
    }
    base.Append("/");
    base.Append(Unsigned(projectID));
    out = base;
    return true;
}

bool CVLHyperlink::BuildHTTPLinkForAutomatedTestResult(const CVLString& baseAddress, unsigned projectID,
                                                       unsigned suiteID, unsigned buildID, unsigned resultID,
                                                       CVLString& out)
{
    if (baseAddress.IsEmpty() || projectID == 0 || suiteID == 0 || buildID == 0 || resultID == 0)
        return false;
    CVLString link(baseAddress);
    link.Append("/");
    link.Append(Unsigned(projectID));
    link.Append("/");
    link.Append(GetVLWebRouteNameForEntityType(kTableID_aswt, false));
    link.Append("/");
    link.Append(Unsigned(suiteID));
    link.Append("/");
    link.Append(GetVLWebRouteNameForEntityType(kTableID_abld, false));
    link.Append("/");
    link.Append(Unsigned(buildID));
    link.Append("/results?resultID=");
    link.Append(Unsigned(resultID));
    out = link;
    return true;
}

bool CVLHyperlink::BuildRSSFeedURL(const CVLString& cgiAddress, const CVLString& projectName, unsigned filterID,
                                   eLinkType linkType, eRSSOption option, CVLString& out)
{
    if (cgiAddress.IsEmpty() || projectName.IsEmpty() || !HasFilter(filterID))
        return false;
    CVLString link(cgiAddress);
    link.Append("?command=rss&");
    link.Append(kHyperlinkParam_Project);
    link.Append("=");
    CVLURLEncode::EncodeURLStringPart(projectName, link);
    link.Append("&");
    link.Append(kHyperlinkParam_FilterID);
    link.Append("=");
    link.Append(Unsigned(filterID));
    int count = 1;
    if (option == eRSSOption_Counts) {
        AddRouteParameter(count, kHyperlinkParam_RSSOption, CVLString(kHyperlinkParam_RSSOption_Counts), link);
    } else if (option == eRSSOption_Links) {
        if (linkType == eLinkType_VLStudio)
            AddRouteParameter(count, kHyperlinkParam_LinkType, CVLString(kHyperlinkParam_LinkType_VLStudio), link);
        else if (linkType == eLinkType_HTTP)
            AddRouteParameter(count, kHyperlinkParam_LinkType, CVLString(kHyperlinkParam_LinkType_HTTP), link);
        else
            return false;
    } else {
        return false;
    }
    out = link;
    return true;
}

bool CVLHyperlink::BuildHyperLink_VLStudio(const CVLString& userName, const CVLString& password,
                                           const CVLString& server, int port, const CVLString& projectName,
                                           unsigned tableID, CVLString& out)
{
    if (!userName.IsEmpty()) {
        CVLURLEncode::EncodeURLStringPart(userName, out);
        if (!password.IsEmpty()) {
            out.Append(":");
            CVLURLEncode::EncodeURLStringPart(password, out);
        }
        out.Append("@");
    }
    if (server.IsEmpty())
        return false;

    const LinkBytes serverBytes(server);
    unsigned unused = 0;
    if (serverBytes.Find(':', 0, unused)) {
        // IPv6: canonical numeric form in brackets; an address that cannot be converted is kept.
        unsigned first = 0;
        unsigned last = serverBytes.length;
        while (first < last && serverBytes.data[first] == '[')
            ++first;
        while (last > first && serverBytes.data[last - 1] == ']')
            --last;
        CVLString address;
        serverBytes.Take(first, last, address);
        VLCanonicalizeNumericAddress(address, address);
        out.Append("[");
        out.Append(address);
        out.Append("]");
    } else {
        CVLURLEncode::EncodeURLStringPart(server, out);
    }

    if (IsValidPort(port)) {
        out.Append(":");
        out.Append(CVLString::fromInt(port));
    }

    if (projectName.IsEmpty())
        return false;
    out.Append("//");
    CVLURLEncode::EncodeURLStringPart(projectName, out);
    if (!isTableIDValidForHyperlink(tableID))
        return false;
    CVLString item;
    ConvertTableIDToEntityTypeString(tableID, item);
    out.Append("/");
    out.Append(item);
    return true;
}

void CVLHyperlink::BuildParamatersForRM(CVLString& out, unsigned tableID, unsigned version, short /*mode*/,
                                        unsigned filterID)
{
    if (version != 0) {
        out.Append("&");
        out.Append(kHyperlinkParam_VersionNumber);
        out.Append("=");
        out.Append(Signed(version));
    }
    if (tableID == kTableID_spec && HasFilter(filterID)) {
        out.Append("&");
        out.Append(kHyperlinkParam_FilterID);
        out.Append("=");
        out.Append(Unsigned(filterID));
    }
}

bool CVLHyperlink::BuildParameterList_VLStudio(unsigned tableID, unsigned recordID, unsigned ownerID,
                                               unsigned filterID, CVLString& out, unsigned version, short mode,
                                               unsigned historyID, bool preview, const CVLString* attachID,
                                               unsigned sccID, bool recursive, unsigned groupBy,
                                               unsigned entityType)
{
    if (recordID == 0) {
        if (HasFilter(filterID)) {
            out.Append("?");
            out.Append(kHyperlinkParam_FilterID);
            out.Append("=");
            out.Append(Unsigned(filterID));
        }
        return true;
    }

    int count = 0;
    if (tableID == kTableID_tskb) {
        AddRouteParameter(count, kHyperlinkParam_EntityTypeID, Unsigned(entityType), out);
        AddRouteParameter(count, kHyperlinkParam_EntityID, Unsigned(recordID), out);
        AddRouteParameter(count, kHyperlinkParam_GroupBy, Unsigned(groupBy), out);
        AddRouteParameter(count, kHyperlinkParam_FolderRecursive, CVLString(recursive ? "1" : "0"), out);
    } else {
        AddRouteParameter(count, kHyperlinkParam_RecordID, Unsigned(recordID), out);
    }
    if (ownerID != 0)
        AddRouteParameter(count, kHyperlinkParam_OwnerID, Unsigned(ownerID), out);
    if (tableID == kTableID_fold) {
        // The 16-bit mode widened with its sign, written unsigned.
        AddRouteParameter(count, kHyperlinkParam_Mode, Unsigned(static_cast<unsigned>(static_cast<int>(mode))), out);
    }
    if (tableID == kTableID_rqmt || tableID == kTableID_rdmt || tableID == kTableID_spec)
        BuildParamatersForRM(out, tableID, version, mode, filterID);
    if (historyID != 0)
        AddRouteParameter(count, kHyperlinkParam_HistoryID, Unsigned(historyID), out);
    if (preview)
        AddRouteParameter(count, kHyperlinkParam_PreviewReport, CVLString("1"), out);
    if (attachID != nullptr && !attachID->IsEmpty())
        AddRouteParameter(count, kHyperlinkParam_AttachID, *attachID, out);
    if (sccID != 0)
        AddRouteParameter(count, kHyperlinkParam_SccID, Unsigned(sccID), out);
    return true;
}

bool CVLHyperlink::BuildVLStudioLinkForItem(const CVLString& userName, const CVLString& password,
                                            const CVLString& server, int port, const CVLString& projectName,
                                            unsigned tableID, unsigned recordID, unsigned ownerID, CVLString& out,
                                            unsigned version, short mode, unsigned filterID, unsigned historyID,
                                            bool preview, const CVLString* attachID, unsigned sccID, bool recursive,
                                            unsigned groupBy, unsigned entityType)
{
    if (!IsNativeItemInputValid(server, port, projectName) || !isTableIDValidForHyperlink(tableID))
        return false;
    CVLString link(kVLStudioScheme);
    if (!BuildHyperLink_VLStudio(userName, password, server, port, projectName, tableID, link))
        return false;
    BuildParameterList_VLStudio(tableID, recordID, ownerID, filterID, link, version, mode, historyID, preview,
                                attachID, sccID, recursive, groupBy, entityType);
    out = link;
    return true;
}

bool CVLHyperlink::BuildVLStudioLinkForList(const CVLString& userName, const CVLString& password,
                                            const CVLString& server, int port, const CVLString& projectName,
                                            unsigned tableID, unsigned filterID, CVLString& out)
{
    if (!IsNativeItemInputValid(server, port, projectName) || !isTableIDValidForHyperlink(tableID))
        return false;
    CVLString link(kVLStudioScheme);
    if (!BuildHyperLink_VLStudio(userName, password, server, port, projectName, tableID, link))
        return false;
    BuildParameterList_VLStudio(tableID, 0, 0, filterID, out, 0, 0, 0, false, nullptr, 0, false, 0, 0);
    out.Insert(link, 0);
    return true;
}

bool CVLHyperlink::BuildBaseVLStudioLinkForProject(const CVLString& server, int port, const CVLString& projectName,
                                                   CVLString& out)
{
    if (!IsNativeItemInputValid(server, port, projectName))
        return false;
    CVLString link(kVLStudioScheme);
    // Item code 0 writes everything up to the project and then reports "no item"; for a
    // project link that is the whole link.
    BuildHyperLink_VLStudio(CVLString::kEmptyString, CVLString::kEmptyString, server, port, projectName, 0, link);
    out = link;
    return true;
}
