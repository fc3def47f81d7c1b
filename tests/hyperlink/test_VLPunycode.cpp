#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "VLPunycode.h"

namespace {

struct PunycodeVector {
    const char* name;
    std::vector<punycode_uint> codePoints;
    const char* encoded;
};

// Sample strings of RFC 3492, section 7.1, and two well-known host labels.
// clang-format off
const PunycodeVector kVectors[] = {
    {"A_Arabic",  {0x0644, 0x064A, 0x0647, 0x0645, 0x0627, 0x0628, 0x062A, 0x0643, 0x0644, 0x0645, 0x0648, 0x0634,
                   0x0639, 0x0631, 0x0628, 0x064A, 0x061F},
                  "egbpdaj6bu4bxfgehfvwxn"},
    {"B_Chinese", {0x4ED6, 0x4EEC, 0x4E3A, 0x4EC0, 0x4E48, 0x4E0D, 0x8BF4, 0x4E2D, 0x6587},
                  "ihqwcrb4cv8a8dqg056pqjye"},
    {"D_Czech",   {0x0050, 0x0072, 0x006F, 0x010D, 0x0070, 0x0072, 0x006F, 0x0073, 0x0074, 0x011B, 0x006E, 0x0065,
                   0x006D, 0x006C, 0x0075, 0x0076, 0x00ED, 0x010D, 0x0065, 0x0073, 0x006B, 0x0079},
                  "Proprostnemluvesky-uyb24dma41a"},
    {"L_Mixed",   {0x0033, 0x5E74, 0x0042, 0x7D44, 0x91D1, 0x516B, 0x5148, 0x751F},
                  "3B-ww4c5e180e575a65lsy2b"},
    {"S_Basic",   {0x002D, 0x003E, 0x0020, 0x0024, 0x0031, 0x002E, 0x0030, 0x0030, 0x0020, 0x003C, 0x002D},
                  "-> $1.00 <--"},
    {"muenchen",  {'m', 0xFC, 'n', 'c', 'h', 'e', 'n'}, "mnchen-3ya"},
    {"buecher",   {'b', 0xFC, 'c', 'h', 'e', 'r'}, "bcher-kva"},
    {"emoji",     {0x1F600}, "e28h"},
};
// clang-format on

class PunycodeVectors : public ::testing::TestWithParam<PunycodeVector> {};

TEST_P(PunycodeVectors, EncodesToThePublishedForm)
{
    const PunycodeVector& v = GetParam();
    char out[256];
    punycode_uint length = sizeof(out);
    ASSERT_EQ(punycode_encode(static_cast<punycode_uint>(v.codePoints.size()), v.codePoints.data(), nullptr, &length,
                              out),
              punycode_success);
    EXPECT_EQ(std::string(out, length), v.encoded);
}

TEST_P(PunycodeVectors, DecodesBackToTheCodePoints)
{
    const PunycodeVector& v = GetParam();
    const std::string encoded = v.encoded;
    std::vector<punycode_uint> out(256);
    punycode_uint length = static_cast<punycode_uint>(out.size());
    ASSERT_EQ(punycode_decode(static_cast<punycode_uint>(encoded.size()), encoded.data(), &length, out.data(), nullptr),
              punycode_success);
    out.resize(length);
    EXPECT_EQ(out, v.codePoints);
}

INSTANTIATE_TEST_SUITE_P(RFC3492, PunycodeVectors, ::testing::ValuesIn(kVectors),
                         [](const ::testing::TestParamInfo<PunycodeVector>& param) { return std::string(param.param.name); });

TEST(Punycode, CaseFlagsRoundTrip)
{
    const std::string encoded = "3B-ww4c5e180e575a65lsy2b";
    std::vector<punycode_uint> codePoints(64);
    unsigned char flags[64] = {};
    punycode_uint length = 64;
    ASSERT_EQ(punycode_decode(static_cast<punycode_uint>(encoded.size()), encoded.data(), &length, codePoints.data(),
                              flags),
              punycode_success);
    ASSERT_EQ(length, 8u);
    EXPECT_EQ(flags[2], 1) << "the basic B is upper case";
    EXPECT_EQ(flags[0], 0);

    // Asking for upper case turns basic letters and the digits of a flagged code point upper case.
    const punycode_uint input[] = {'a', 0xFC};
    const unsigned char upper[] = {1, 1};
    char out[32];
    punycode_uint outLength = sizeof(out);
    ASSERT_EQ(punycode_encode(2, input, upper, &outLength, out), punycode_success);
    EXPECT_EQ(std::string(out, outLength), "A-ehA");
}

struct StatusCase {
    const char* name;
    const char* input;
    punycode_uint room;
    punycode_status expected;
};

// clang-format off
const StatusCase kDecodeStatus[] = {
    {"non-basic byte before delimiter", "\xC3\xA9-abc", 64, punycode_bad_input},
    {"invalid digit",                   "ab-c!",        64, punycode_bad_input},
    {"truncated integer",               "a-z",          64, punycode_bad_input},
    {"lone delimiter",                  "-",            64, punycode_bad_input},
    {"delimiter read as a digit",       "-a",           64, punycode_bad_input},
    {"integer overflow",                "9999999999",   64, punycode_overflow},
    {"beyond Unicode",                  "a-j023p",      64, punycode_bad_input},
    {"surrogate",                       "ib9b",         64, punycode_bad_input},
    {"too little room for basics",      "abcdef-",      3,  punycode_big_output},
    {"too little room for insertions",  "mnchen-3ya",   6,  punycode_big_output},
    {"empty input",                     "",             0,  punycode_success},
};
// clang-format on

TEST(Punycode, DecodeReportsEveryStatus)
{
    for (const StatusCase& c : kDecodeStatus) {
        std::vector<punycode_uint> out(c.room + 1, 0xDEADBEEF);
        punycode_uint length = c.room;
        const std::string input = c.input;
        EXPECT_EQ(punycode_decode(static_cast<punycode_uint>(input.size()), input.data(), &length, out.data(), nullptr),
                  c.expected)
            << c.name;
        EXPECT_EQ(out[c.room], 0xDEADBEEF) << c.name << ": wrote past the room given";
        if (c.expected != punycode_success) {
            EXPECT_EQ(length, 0u) << c.name;
        }
    }
}

TEST(Punycode, EncodeStopsAtTheRoomGiven)
{
    const punycode_uint input[] = {'a', 'b', 'c', 0x4ED6, 0x4EEC, 0x4E3A};
    char out[8];
    std::memset(out, '#', sizeof(out));
    punycode_uint length = 5;
    EXPECT_EQ(punycode_encode(6, input, nullptr, &length, out), punycode_big_output);
    EXPECT_LE(length, 5u);
    EXPECT_EQ(std::string(out, 4), "abc-") << "what fitted is kept";
    EXPECT_EQ(out[5], '#');

    const punycode_uint huge[] = {0xFFFFFFFF, 0x80, 0xFFFFFFFF};
    char big[64];
    punycode_uint bigLength = sizeof(big);
    EXPECT_EQ(punycode_encode(3, huge, nullptr, &bigLength, big), punycode_overflow);
}

TEST(Punycode, SurrogatesAreNotDecoded)
{
    // Encoding the surrogate U+D800 is possible; decoding it back is refused.
    const punycode_uint input[] = {0xD800};
    char out[16];
    punycode_uint length = sizeof(out);
    ASSERT_EQ(punycode_encode(1, input, nullptr, &length, out), punycode_success);
    std::vector<punycode_uint> decoded(16);
    punycode_uint decodedLength = 16;
    EXPECT_EQ(punycode_decode(length, out, &decodedLength, decoded.data(), nullptr), punycode_bad_input);
}

}  // namespace
