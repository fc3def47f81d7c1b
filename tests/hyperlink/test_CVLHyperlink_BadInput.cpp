#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "CVLHyperlink.h"
#include "VLIPAddress.h"

namespace {

using H = CVLHyperlink;

#define HELP "The following syntax is required: vlstudio://[username:password@]server:port//project/item[?parameter&parameter...]"

std::string Bytes(const CVLString& s)
{
    return std::string(s.GetBufferPtr(), s.GetLength());
}

// Links are handed over as they arrive: bytes, not necessarily UTF-8.
CVLString RawLink(const std::string& bytes)
{
    return CVLString(CVLString::Raw, bytes.data(), static_cast<unsigned>(bytes.size()));
}

struct Parsed {
    bool ok = false;
    H::eLinkType type = H::eLinkType_None;
    CVLString user, password, server, project, error;
    int port = 0;
    unsigned tableID = 0;
    AssocArray params{1};
};

void ParseInto(const CVLString& link, Parsed& p, bool keepGoing = false)
{
    p.ok = H::Parse(link, p.type, p.user, p.password, p.server, p.port, p.project, p.tableID, p.params, p.error,
                    keepGoing);
}

struct BadCase {
    const char* name;
    std::string link;
    const char* error;  // empty: valid
    const char* server;
    const char* project;
    const char* params;
};

std::string Pairs(const AssocArray& params)
{
    std::string out;
    for (unsigned i = 1; i <= params.GetPairCount(); ++i) {
        const NamedPair* pair = params.GetPairAt(i);
        out += (out.empty() ? "" : "|") + Bytes(pair->GetKey()) + "=" + Bytes(pair->GetValue());
    }
    return out;
}

TEST(ParseBadInput, OddBytesAndDelimiters)
{
    // clang-format off
    const BadCase cases[] = {
        {"lone percent",             "%",                                            "The protocol is invalid. The http, vlstudio, or escm protocol is required.", "", "", ""},
        {"percent host only",        "vlstudio://%",                                 "The server name syntax is incorrect. " HELP, "", "", ""},
        {"percent everywhere",       "vlstudio://%:1//%/%",                          "The item type is invalid.", "%", "%", ""},
        {"percent value for ID",     "vlstudio://s:1//P/dfct?recordID=%",            "The recordID value is invalid.", "s", "P", ""},
        {"percent text value",       "vlstudio://s:1//P/dfct?attachID=%",            "", "s", "P", "attachid=%"},
        {"half escape",              "vlstudio://s:1//P/dfct?attachID=%4",           "", "s", "P", "attachid=%4"},
        {"escape of percents",       "vlstudio://s:1//P/dfct?attachID=%%%",          "", "s", "P", "attachid=E"},
        {"high bytes",               "vlstudio://\xff\xfe:1//\x80\x81/dfct",         "", "\xC3\xBF\xC3\xBE", "\xE2\x82\xAC?", ""},
        {"cut UTF-8 item",           "vlstudio://s:1//P/\xe4\xbd\xa0\xe5",           "The item type is invalid.", "s", "P", ""},
        {"at signs only",            "vlstudio://@@@",                               "The server name syntax is incorrect. " HELP, "", "", ""},
        {"slashes only",             "vlstudio:///////",                             "The address must contain a port number.", "", "", ""},
        {"bare equals",              "vlstudio://s:1//P/dfct?=",                     "The  parameter is invalid.", "s", "P", ""},
        {"open bracket",             "vlstudio://[",                                 "The server name syntax is incorrect. " HELP, "", "", ""},
        {"unclosed bracket",         "vlstudio://[::1//P/dfct",                      "An IPv6 address must be enclosed in brackets.", "", "", ""},
        {"web open bracket",         "http://[",                                     "The cgi path syntax is invalid. " HELP, "", "", ""},
        {"web empty path",           "http://?",                                     "The item type is invalid.", "", "", ""},
        {"web unclosed bracket",     "http://[::1?table=dfct&project=P",             "An IPv6 address must be enclosed in brackets.", "", "", ""},
        {"empty table",              "cgiparm:table=",                               "The item type is invalid.", "", "", ""},
        {"ampersands only",          "cgiparm:&&&",                                  "The item type is invalid.", "", "", ""},
        {"double ampersand",         "cgiparm:table=dfct&&project=P",                "The &project parameter is invalid.", "", "", ""},
        {"slash in login",           "vlstudio://a/b@s:1//P/dfct",                   "", "s", "P", ""},
        {"slash after item",         "vlstudio://s:1//P/dfct/extra",                 "The item type is invalid.", "s", "P", ""},
        {"double slash before item", "vlstudio://s:1//P//dfct",                      "The item type is invalid.", "s", "P", ""},
        {"single slashes short",     "vlstudio://s:1/P",                             "The project name syntax is incorrect. " HELP, "s", "", ""},
        {"question mark in value",   "vlstudio://s:1//P/dfct?recordID=5?x=1",        "", "s", "P", "recordid=5?x=1"},
        {"fragment in item",         "vlstudio://s:1//P/dfct#frag",                  "The item type is invalid.", "s", "P", ""},
        {"last pair without equals", "vlstudio://s:1//P/dfct?recordID=1&recordID",   "The parameter syntax is invalid. " HELP, "s", "P", "recordid=1"},
        {"control bytes",            "vlstudio://s\t:1//P\x01/dfct?attachID=\x7f",   "", "s\t", "P\x01", "attachid=\x7f"},
    };
    // clang-format on
    for (const BadCase& c : cases) {
        Parsed p;
        ParseInto(RawLink(c.link), p);
        EXPECT_EQ(p.ok, c.error[0] == 0) << c.name;
        EXPECT_EQ(Bytes(p.error), c.error) << c.name;
        EXPECT_EQ(Bytes(p.server), c.server) << c.name;
        EXPECT_EQ(Bytes(p.project), c.project) << c.name;
        EXPECT_EQ(Pairs(p.params), c.params) << c.name;
    }
}

TEST(ParseBadInput, HundredKilobyteLinks)
{
    const std::string big(100000, 'a');
    {
        Parsed p;
        ParseInto(RawLink("vlstudio://s:1//P/dfct?attachID=" + big), p);
        ASSERT_TRUE(p.ok) << Bytes(p.error);
        EXPECT_EQ(p.params.GetValue(CVLString("attachid")).GetLength(), 100000u);
    }
    {
        Parsed p;
        ParseInto(RawLink("vlstudio://s:1//" + big + "/dfct"), p);
        ASSERT_TRUE(p.ok);
        EXPECT_EQ(p.project.GetLength(), 100000u);
    }
    struct Row {
        const char* name;
        std::string link;
        const char* error;
    };
    // clang-format off
    const Row rows[] = {
        {"at signs",     "vlstudio://" + std::string(100000, '@'),                    "The server name syntax is incorrect. " HELP},
        {"slashes",      "vlstudio://" + std::string(100000, '/'),                    "The address must contain a port number."},
        {"colons",       "vlstudio://" + std::string(100000, ':') + "//P/dfct",       "An IPv6 address must be enclosed in brackets."},
        {"percents",     "vlstudio://s:1//P/dfct?attachID=" + std::string(100000, '%'), ""},
        {"high bytes",   "vlstudio://s:1//P/dfct?attachID=" + std::string(100000, '\xE9'), ""},
        {"ampersands",   "vlstudio://s:1//P/dfct?" + std::string(100000, '&'),        "The parameter syntax is invalid. " HELP},
        {"equals",       "vlstudio://s:1//P/dfct?" + std::string(100000, '='),        "The  parameter is invalid."},
        {"web query",    "http://s/c?" + std::string(100000, 'x'),                    "The item type is invalid."},
        {"long key",     "cgiparm:table=dfct&project=P&" + big + "=1",                nullptr},
    };
    // clang-format on
    for (const Row& r : rows) {
        Parsed p;
        ParseInto(RawLink(r.link), p);
        if (r.error == nullptr) {
            EXPECT_FALSE(p.ok) << r.name;
            EXPECT_EQ(Bytes(p.error), "The " + big + " parameter is invalid.") << r.name;
        } else {
            EXPECT_EQ(p.ok, r.error[0] == 0) << r.name;
            EXPECT_EQ(Bytes(p.error), r.error) << r.name;
        }
    }
}

TEST(ParseBadInput, ThousandParameters)
{
    const char* const keys[] = {"number", "recordID", "filterID", "historyID", "sccID", "attachID"};
    std::string query;
    for (int i = 0; i < 1000; ++i)
        query += (i ? "&" : "") + std::string(keys[i % 6]) + "=" + std::to_string(i + 1);

    Parsed native;
    ParseInto(RawLink("vlstudio://s:1//P/dfct?" + query), native);
    ASSERT_TRUE(native.ok) << Bytes(native.error);
    EXPECT_EQ(native.params.GetPairCount(), 1000u);

    Parsed web;
    ParseInto(RawLink("cgiparm:table=dfct&project=P&" + query), web);
    ASSERT_TRUE(web.ok) << Bytes(web.error);
    EXPECT_EQ(web.params.GetPairCount(), 1000u);

    std::string bad;
    for (int i = 0; i < 1000; ++i)
        bad += (i ? "&k" : "k") + std::to_string(i) + "=v";
    Parsed going;
    ParseInto(RawLink("vlstudio://s:1//P/dfct?" + bad), going, true);
    EXPECT_FALSE(going.ok);
    EXPECT_EQ(Bytes(going.error), "The k0 parameter is invalid.");
    EXPECT_EQ(going.params.GetPairCount(), 1000u);
}

bool IsKnownMessage(const std::string& error)
{
    static const std::set<std::string> kMessages = {
        "The protocol is invalid. The http, vlstudio, or escm protocol is required.",
        "The server name syntax is incorrect. " HELP,
        "The address must contain a port number.",
        "An IPv6 address must be enclosed in brackets.",
        "The address must contain a server name in the address.",
        "The project name syntax is incorrect. " HELP,
        "The address must contain a project name.",
        "The item type is invalid.",
        "The parameter syntax is invalid. " HELP,
        "The parameter syntax is invalid.",
        "The cgi path syntax is invalid. " HELP,
        "The project name syntax is incorrect.",
    };
    if (kMessages.count(error))
        return true;
    const std::string head = "The ";
    for (const char* tail : {" parameter is invalid.", " value is invalid."}) {
        const std::string t = tail;
        if (error.size() >= head.size() + t.size() && error.compare(0, head.size(), head) == 0
            && error.compare(error.size() - t.size(), t.size(), t) == 0)
            return true;
    }
    return false;
}

// Random links from the grammar's delimiters and pieces: never a crash or an out-of-bounds read,
// every failure is one of the documented messages, every success is a complete link, and a
// native link rebuilt from its pieces parses back to them.
TEST(ParseBadInput, RandomLinksKeepTheParserContract)
{
    const char* const fragments[] = {
        "vlstudio://", "http://", "https://", "cgiparm:", "@", ":", "/", "//", "?", "&", "=", "%", "%2", "%41",
        "%00", "[", "]", "::1", "s", "4900", "P", "dfct", "rqmt", "fold", "tskb", "recordID", "mode", "table=",
        "project=", "uname=", "\xff", "\xc3", "\xa9", "\x80", " ", "+", "#", "1", "0", "-1", "65537"};
    const unsigned fragmentCount = sizeof(fragments) / sizeof(fragments[0]);
    std::mt19937 random(20261211);
    unsigned validNative = 0;
    for (int round = 0; round < 4000; ++round) {
        auto piece = [&](unsigned maxFragments) {
            std::string text;
            const unsigned n = random() % (maxFragments + 1);
            for (unsigned i = 0; i < n; ++i)
                text += fragments[random() % fragmentCount];
            return text;
        };
        std::string link;
        if (round % 2 == 0) {
            // Shaped like a native link, with odd pieces, so that the later steps are reached.
            const char* const items[] = {"dfct", "rqmt", "fold", "tskb", "home", "spec"};
            link = "vlstudio://";
            if (random() % 2)
                link += piece(3) + "@";
            link += (random() % 3 ? std::string("s") : piece(2)) + ":" + std::to_string(random() % 70000);
            link += (random() % 2 ? "//" : "/") + piece(3) + (random() % 3 ? "P" : "") + "/" + items[random() % 6];
            if (random() % 2)
                link += "?" + piece(6);
            // And now and then a random fragment somewhere.
            if (random() % 3 == 0)
                link.insert(random() % (link.size() + 1), fragments[random() % fragmentCount]);
        } else {
            if (random() % 4 != 0)
                link = fragments[random() % 4];
            link += piece(24);
        }

        Parsed p;
        ParseInto(RawLink(link), p, random() % 2 == 0);
        const std::string error = Bytes(p.error);
        ASSERT_EQ(p.ok, error.empty()) << link;
        if (!p.ok) {
            ASSERT_TRUE(IsKnownMessage(error)) << link << " -> " << error;
            continue;
        }
        ASSERT_NE(p.type, H::eLinkType_None) << link;
        ASSERT_TRUE(H::isTableIDValidForHyperlink(p.tableID)) << link;
        ASSERT_FALSE(p.project.IsEmpty()) << link;
        if (p.type != H::eLinkType_VLStudio) {
            ASSERT_EQ(p.port, 0) << link;
            continue;
        }
        ASSERT_FALSE(p.server.IsEmpty()) << link;
        if (p.port < 0 || p.port > 65535 || Bytes(p.server).find('@') != std::string::npos)
            continue;

        ++validNative;
        CVLString rebuilt("vlstudio://");
        ASSERT_TRUE(H::BuildHyperLink_VLStudio(p.user, p.password, p.server, p.port, p.project, p.tableID, rebuilt))
            << link;
        Parsed again;
        ParseInto(rebuilt, again);
        ASSERT_TRUE(again.ok) << link << " rebuilt as " << Bytes(rebuilt) << ": " << Bytes(again.error);
        CVLString expectedServer = p.server;
        if (Bytes(p.server).find(':') != std::string::npos)
            VLCanonicalizeNumericAddress(p.server, expectedServer);
        EXPECT_EQ(Bytes(again.user), Bytes(p.user)) << link;
        EXPECT_EQ(Bytes(again.password), p.user.IsEmpty() ? "" : Bytes(p.password)) << link;
        EXPECT_EQ(Bytes(again.server), Bytes(expectedServer)) << link;
        EXPECT_EQ(again.port, p.port) << link;
        EXPECT_EQ(Bytes(again.project), Bytes(p.project)) << link;
        EXPECT_EQ(again.tableID, p.tableID) << link;
    }
    EXPECT_GT(validNative, 100u) << "the generator should reach complete native links";
}

}  // namespace
