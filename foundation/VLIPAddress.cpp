#include "VLIPAddress.h"

#include <cstring>
#include <netdb.h>
#include <sys/socket.h>
#include <sys/types.h>

namespace {

// Longer input cannot be a numeric address (even with a zone suffix); refusing it early keeps
// the resolver away from arbitrary untrusted text.
const unsigned kMaxNumericAddressInput = 255;

}  // namespace

bool VLCanonicalizeNumericAddress(const CVLString& in, CVLString& out)
{
    const unsigned length = in.GetLength();
    if (length == 0 || length > kMaxNumericAddressInput)
        return false;

    addrinfo hints;
    std::memset(&hints, 0, sizeof(hints));
    hints.ai_family = AF_UNSPEC;
    hints.ai_flags = AI_NUMERICHOST;  // numeric only: never a lookup

    addrinfo* result = nullptr;
    if (getaddrinfo(in.GetBufferPtr(), nullptr, &hints, &result) != 0 || result == nullptr)
        return false;

    char host[NI_MAXHOST];
    host[0] = 0;
    const int rc = getnameinfo(result->ai_addr, result->ai_addrlen, host, sizeof(host), nullptr, 0, NI_NUMERICHOST);
    freeaddrinfo(result);
    if (rc != 0)
        return false;

    const size_t written = std::strlen(host);
    if (written == 0 || written > kVLMaxCanonicalAddressLength)
        return false;
    out = CVLString(CVLString::UTF8, host, static_cast<unsigned>(written));
    return true;
}
