#include <gtest/gtest.h>

#include <string>

#include "VLIPAddress.h"

namespace {

struct AddressCase {
    const char* name;
    const char* input;
    bool ok;
    const char* canonical;
};

// clang-format off
const AddressCase kAddresses[] = {
    {"loopback v6",            "::1",                    true,  "::1"},
    {"long form",              "0:0:0:0:0:0:0:1",        true,  "::1"},
    {"upper-case hex",         "2001:DB8:0:0:0:0:0:1",   true,  "2001:db8::1"},
    {"leading zeros",          "2001:0db8::0001",        true,  "2001:db8::1"},
    {"mapped v4",              "::ffff:192.0.2.1",       true,  "::ffff:192.0.2.1"},
    {"v4 unchanged",           "192.0.2.1",              true,  "192.0.2.1"},
    {"host name",              "localhost",              false, ""},
    {"empty",                  "",                       false, ""},
    {"bracketed",              "[::1]",                  false, ""},
    {"two gaps",               "1::2::3",                false, ""},
    {"bad hex",                "zz::1",                  false, ""},
    {"trailing text",          "::1/64",                 false, ""},
};
// clang-format on

TEST(VLIPAddress, CanonicalizesNumericAddressesOnly)
{
    for (const AddressCase& c : kAddresses) {
        CVLString out("untouched");
        EXPECT_EQ(VLCanonicalizeNumericAddress(CVLString(c.input), out), c.ok) << c.name;
        EXPECT_EQ(std::string(out.GetBufferPtr()), c.ok ? c.canonical : "untouched") << c.name;
    }
}

TEST(VLIPAddress, InPlaceAndOverlongInput)
{
    CVLString address("0:0:0:0:0:0:0:1");
    ASSERT_TRUE(VLCanonicalizeNumericAddress(address, address));
    EXPECT_EQ(std::string(address.GetBufferPtr()), "::1");

    const std::string longText(100000, '1');
    CVLString out("untouched");
    EXPECT_FALSE(VLCanonicalizeNumericAddress(CVLString(longText.c_str()), out));
    EXPECT_EQ(std::string(out.GetBufferPtr()), "untouched");
}

}  // namespace
