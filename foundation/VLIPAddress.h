#pragma once

#include "CVLString.h"

// Numeric IP address helpers shared by the link builders and the socket layer.

// Longest canonical numeric address we hand out (INET6_ADDRSTRLEN without the zero byte).
static const unsigned kVLMaxCanonicalAddressLength = 45;

// Rewrites a numeric IPv4 or IPv6 address (no brackets) in its canonical numeric form, for
// example "0:0:0:0:0:0:0:1" as "::1". Never consults a name service: a host name, an empty
// text, a bracketed or otherwise malformed address, or a result longer than
// kVLMaxCanonicalAddressLength gives false and leaves out untouched. in and out may be the
// same string.
bool VLCanonicalizeNumericAddress(const CVLString& in, CVLString& out);
