#pragma once

#include "CVLString.h"

// Conversions of host names between their Unicode form and the ASCII ("xn--") form of
// international domain names, label by label at every ".". No mapping, normalisation,
// lower-casing or length checks take place. out is replaced; neither function fails.

// ASCII form: every label that is not pure ASCII becomes "xn--" and its Punycode form (a label
// whose form does not fit the 500-byte work area is written as far as it got). A pure-ASCII
// host is copied byte for byte.
void InternationalizedDomainName(const CVLString& host, CVLString& out);

// Unicode form: every pure-ASCII label beginning with "xn--" (case-sensitive) is decoded from
// Punycode and written as UTF-8. A label that is not valid Punycode is copied unchanged.
void LocalizeInternationalizedDomainName(const CVLString& host, CVLString& out);
