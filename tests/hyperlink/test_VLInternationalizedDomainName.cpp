#include <gtest/gtest.h>

#include <string>

#include "VLInternationalizedDomainName.h"

namespace {

std::string Bytes(const CVLString& s)
{
    return std::string(s.GetBufferPtr(), s.GetLength());
}

struct HostCase {
    const char* name;
    const char* unicodeForm;  // UTF-8
    const char* asciiForm;
};

// Hosts whose two forms convert into each other.
// clang-format off
const HostCase kHosts[] = {
    {"first label only",   "b\xC3\xBC" "cher.example.com",        "xn--bcher-kva.example.com"},
    {"middle label",       "www.m\xC3\xBC" "nchen.de",            "www.xn--mnchen-3ya.de"},
    {"every label",        "\xC3\xBC.\xC3\xBC",                   "xn--tda.xn--tda"},
    {"trailing dot",       "b\xC3\xBC" "cher.",                   "xn--bcher-kva."},
    {"empty labels kept",  "a..b\xC3\xBC" "cher",                 "a..xn--bcher-kva"},
    {"beyond the BMP",     "\xF0\x9F\x98\x80.example",            "xn--e28h.example"},
    {"no mapping",         "B\xC3\xBC" "cher.COM",                "xn--Bcher-kva.COM"},
};
// clang-format on

TEST(InternationalizedDomainName, ConvertsNonASCIILabelsOnly)
{
    for (const HostCase& c : kHosts) {
        CVLString ascii;
        InternationalizedDomainName(CVLString(CVLString::UTF8, c.unicodeForm), ascii);
        EXPECT_EQ(Bytes(ascii), c.asciiForm) << c.name;
    }
}

TEST(InternationalizedDomainName, LocalizeIsTheInverse)
{
    for (const HostCase& c : kHosts) {
        CVLString unicode;
        LocalizeInternationalizedDomainName(CVLString(c.asciiForm), unicode);
        EXPECT_EQ(Bytes(unicode), c.unicodeForm) << c.name;
    }
}

TEST(InternationalizedDomainName, ASCIIHostIsCopiedByteForByte)
{
    CVLString out("old");
    InternationalizedDomainName(CVLString("Build-Srv.EXAMPLE.com"), out);
    EXPECT_EQ(Bytes(out), "Build-Srv.EXAMPLE.com");
    InternationalizedDomainName(CVLString(), out);
    EXPECT_EQ(Bytes(out), "");
}

TEST(InternationalizedDomainName, OverlongLabelIsCutAtTheWorkArea)
{
    std::string label;
    for (int i = 0; i < 400; ++i)
        label += "\xE4\xB8\xAD";  // 中
    CVLString out;
    InternationalizedDomainName(CVLString(CVLString::UTF8, label.c_str()), out);
    const std::string ascii = Bytes(out);
    ASSERT_EQ(ascii.compare(0, 4, "xn--"), 0);
    EXPECT_GT(ascii.size(), 4u);
    EXPECT_LE(ascii.size(), 4u + 500u);
}

struct LocalizeCase {
    const char* name;
    const char* input;
    const char* expected;
};

// clang-format off
const LocalizeCase kLocalizeUnchanged[] = {
    {"upper-case prefix",   "XN--bcher-kva.com",  "XN--bcher-kva.com"},
    {"mixed-case prefix",   "Xn--bcher-kva.com",  "Xn--bcher-kva.com"},
    {"no prefix",           "bcher-kva.com",      "bcher-kva.com"},
    {"invalid Punycode",    "xn--a-!!.com",       "xn--a-!!.com"},
    {"truncated Punycode",  "xn--a-z.com",        "xn--a-z.com"},
    {"non-ASCII label",     "xn--\xC3\xBC.com",   "xn--\xC3\xBC.com"},
};
// clang-format on

TEST(InternationalizedDomainName, LocalizeLeavesOtherLabelsAlone)
{
    for (const LocalizeCase& c : kLocalizeUnchanged) {
        CVLString out;
        LocalizeInternationalizedDomainName(CVLString(CVLString::UTF8, c.input), out);
        EXPECT_EQ(Bytes(out), c.expected) << c.name;
    }
}

}  // namespace
