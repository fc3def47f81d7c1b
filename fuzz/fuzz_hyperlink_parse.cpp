// Any bytes as a link. Beyond not crashing: a result is either a success with an empty message
// and complete parts or a failure with one of the parser's own messages; keepGoing never turns
// a clean success into something else; and a native link rebuilt from the parts (the builder for
// login, server, port, project and item, then the parameters with escaped values) parses back to
// the same parts.

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "CVLHyperlink.h"
#include "CVLURLEncode.h"
#include "FuzzSupport.h"
#include "VLIPAddress.h"

namespace {

using H = CVLHyperlink;

#define HELP "The following syntax is required: vlstudio://[username:password@]server:port//project/item[?parameter&parameter...]"

struct Parsed {
    bool ok = false;
    H::eLinkType type = H::eLinkType_None;
    CVLString user, password, server, project, error;
    int port = 0;
    unsigned tableID = 0;
    AssocArray params{1};
};

void ParseInto(const CVLString& link, Parsed& p, bool keepGoing)
{
    p.ok = H::Parse(link, p.type, p.user, p.password, p.server, p.port, p.project, p.tableID, p.params, p.error,
                    keepGoing);
}

std::string Pairs(const AssocArray& params)
{
    std::string out;
    for (unsigned i = 1; i <= params.GetPairCount(); ++i) {
        const NamedPair* pair = params.GetPairAt(i);
        out += FuzzBytes(pair->GetKey()) + '\0' + FuzzBytes(pair->GetValue()) + '\0';
    }
    return out;
}

std::vector<std::string> SortedPairs(const AssocArray& params)
{
    std::vector<std::string> out;
    for (unsigned i = 1; i <= params.GetPairCount(); ++i) {
        const NamedPair* pair = params.GetPairAt(i);
        out.push_back(FuzzBytes(pair->GetKey()) + '\0' + FuzzBytes(pair->GetValue()));
    }
    std::sort(out.begin(), out.end());
    return out;
}

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool IsKnownMessage(const std::string& error)
{
    static const std::set<std::string> kMessages = {
        "The protocol is invalid. The http, vlstudio, or escm protocol is required.",
        "A parsing error occurred when reading the username and password.",
        "A parsing error occurred when reading the username.",
        "A parsing error occurred when reading the password.",
        "The server name syntax is incorrect. " HELP,
        "A parsing error occurred when reading the server address.",
        "The address must contain a port number.",
        "A parsing error occurred when reading the port number.",
        "A parsing error occurred when reading the server name.",
        "An IPv6 address must be enclosed in brackets.",
        "The address must contain a server name in the address.",
        "The project name syntax is incorrect. " HELP,
        "A parsing error occurred when reading the project name.",
        "The address must contain a project name.",
        "The item type syntax is incorrect. " HELP,
        "A parsing error occurred when reading the item type.",
        "The item type is invalid.",
        "The parameter syntax is invalid. " HELP,
        "A parsing error occurred when reading the parameter key.",
        "A parsing error occurred when reading the parameter value.",
        "The cgi path syntax is invalid. " HELP,
        "A parsing error occurred when reading the cgi path.",
        "The parameter syntax is invalid.",
        "The project name syntax is incorrect.",
    };
    if (kMessages.count(error))
        return true;
    if (error.compare(0, 4, "The ") != 0)
        return false;
    return EndsWith(error, " parameter is invalid.") || EndsWith(error, " value is invalid.");
}

void CheckContract(const Parsed& p)
{
    const std::string error = FuzzBytes(p.error);
    FUZZ_CHECK(p.ok == error.empty());
    if (!p.ok) {
        FUZZ_CHECK(IsKnownMessage(error));
        return;
    }
    FUZZ_CHECK(p.type != H::eLinkType_None);
    FUZZ_CHECK(H::isTableIDValidForHyperlink(p.tableID));
    FUZZ_CHECK(!p.project.IsEmpty());
    if (p.type != H::eLinkType_VLStudio)
        FUZZ_CHECK(p.port == 0);
    else
        FUZZ_CHECK(!p.server.IsEmpty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 64 * 1024)
        return 0;
    const CVLString link = FuzzRawString(data, size);

    Parsed strict;
    ParseInto(link, strict, false);
    CheckContract(strict);

    Parsed going;
    ParseInto(link, going, true);
    CheckContract(going);

    CVLString validError;
    FUZZ_CHECK(H::isValidHyperlink(link, validError) == strict.ok);
    FUZZ_CHECK(FuzzBytes(validError) == FuzzBytes(strict.error));

    if (!strict.ok)
        return 0;
    // Going on past bad parameters changes nothing when there were none.
    FUZZ_CHECK(going.ok);
    FUZZ_CHECK(going.type == strict.type && going.port == strict.port && going.tableID == strict.tableID);
    FUZZ_CHECK(FuzzBytes(going.user) == FuzzBytes(strict.user));
    FUZZ_CHECK(FuzzBytes(going.password) == FuzzBytes(strict.password));
    FUZZ_CHECK(FuzzBytes(going.server) == FuzzBytes(strict.server));
    FUZZ_CHECK(FuzzBytes(going.project) == FuzzBytes(strict.project));
    FUZZ_CHECK(Pairs(going.params) == Pairs(strict.params));

    // Rebuild what the native-link builder can express: login, server, port, project and item.
    const Parsed& p = strict;
    if (p.type != H::eLinkType_VLStudio || p.port < 0 || p.port > 65535
        || FuzzBytes(p.server).find('@') != std::string::npos)
        return 0;
    CVLString rebuilt("vlstudio://");
    FUZZ_CHECK(H::BuildHyperLink_VLStudio(p.user, p.password, p.server, p.port, p.project, p.tableID, rebuilt));
    // The parameters go back as a query with every value escaped again.
    for (unsigned i = 1; i <= p.params.GetPairCount(); ++i) {
        const NamedPair* pair = p.params.GetPairAt(i);
        rebuilt.Append(i == 1 ? "?" : "&");
        CVLURLEncode::EncodeURLStringPart(pair->GetKey(), rebuilt);
        rebuilt.Append("=");
        CVLURLEncode::EncodeURLStringPart(pair->GetValue(), rebuilt);
    }
    Parsed again;
    ParseInto(rebuilt, again, false);
    if (!again.ok)
        std::fprintf(stderr, "rebuilt link [%s] refused: %s\n", FuzzBytes(rebuilt).c_str(),
                     FuzzBytes(again.error).c_str());
    FUZZ_CHECK(again.ok);
    CVLString expectedServer = p.server;
    if (FuzzBytes(p.server).find(':') != std::string::npos)
        VLCanonicalizeNumericAddress(p.server, expectedServer);
    FUZZ_CHECK(FuzzBytes(again.user) == FuzzBytes(p.user));
    FUZZ_CHECK(FuzzBytes(again.password) == (p.user.IsEmpty() ? std::string() : FuzzBytes(p.password)));
    FUZZ_CHECK(FuzzBytes(again.server) == FuzzBytes(expectedServer));
    FUZZ_CHECK(again.port == p.port);
    FUZZ_CHECK(FuzzBytes(again.project) == FuzzBytes(p.project));
    FUZZ_CHECK(again.tableID == p.tableID);
    // Repeated keys are all kept, but their order among themselves is the sorted insertion's:
    // compare the pairs as a multiset.
    FUZZ_CHECK(SortedPairs(again.params) == SortedPairs(p.params));
    return 0;
}
