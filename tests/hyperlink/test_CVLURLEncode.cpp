#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "CVLURLEncode.h"

namespace {

std::string Bytes(const CVLString& s)
{
    return std::string(s.GetBufferPtr(), s.GetLength());
}

CVLString Utf8(const char* text)
{
    return CVLString(CVLString::UTF8, text);
}

struct CodecCase {
    const char* name;
    const char* input;     // UTF-8
    const char* expected;  // UTF-8
};

// clang-format off
const CodecCase kEncodeCases[] = {
    {"space and slash",       "Main Project/1",      "Main%20Project%2F1"},
    {"unreserved unchanged",  "a-b_c.d!*()",         "a-b_c.d!*()"},
    {"percent",               "100%",                "100%25"},
    {"tab passes",            "a\tb",                "a\tb"},
    {"control bytes pass",    "\x01\x1f\x7f",        "\x01\x1f\x7f"},
    {"UTF-8 byte by byte",    "\xC3\xA9",            "%C3%A9"},
    {"euro sign",             "\xE2\x82\xAC",        "%E2%82%AC"},
    {"all 26 reserved",       " \"#$%&'+,/:;<=>?@[\\]^`{|}~",
        "%20%22%23%24%25%26%27%2B%2C%2F%3A%3B%3C%3D%3E%3F%40%5B%5C%5D%5E%60%7B%7C%7D%7E"},
    {"empty",                 "",                    ""},
};

const CodecCase kDecodeCases[] = {
    {"space and slash",       "Main%20Project%2F1",  "Main Project/1"},
    {"trailing percent",      "50%",                 "50%"},
    {"percent one digit",     "5%4",                 "5%4"},
    {"lone percent",          "%",                   "%"},
    {"non-hex arithmetic",    "%zz",                 "S"},
    {"plus stays",            "a+b",                 "a+b"},
    {"UTF-8 escapes",         "%C3%A9",              "\xC3\xA9"},
    {"lower-case hex",        "%c3%a9",              "\xC3\xA9"},
    {"Latin-1 fallback",      "%E9t%E9",             "\xC3\xA9t\xC3\xA9"},
    {"Windows-1252 fallback", "%93x%94",             "\xE2\x80\x9Cx\xE2\x80\x9D"},
    {"escaped percent",       "100%25",              "100%"},
    {"zero byte ends text",   "ab%00cd",             "ab"},
};
// clang-format on

class EncodeTable : public ::testing::TestWithParam<CodecCase> {};
class DecodeTable : public ::testing::TestWithParam<CodecCase> {};

TEST_P(EncodeTable, EncodesAsDocumented)
{
    const CodecCase& c = GetParam();
    EXPECT_EQ(Bytes(CVLURLEncode::EncodeURLStringPart(Utf8(c.input))), c.expected) << c.name;
}

TEST_P(DecodeTable, DecodesAsDocumented)
{
    const CodecCase& c = GetParam();
    EXPECT_EQ(Bytes(CVLURLEncode::DecodeURLStringPart(Utf8(c.input))), c.expected) << c.name;
    CVLString out("previous text");
    CVLURLEncode::DecodeURLStringPart(Utf8(c.input), out);
    EXPECT_EQ(Bytes(out), c.expected) << c.name << " (replacing form)";
}

std::string CaseName(const ::testing::TestParamInfo<CodecCase>& info)
{
    std::string name;
    for (const char* p = info.param.name; *p; ++p)
        name += (std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(URLEncode, EncodeTable, ::testing::ValuesIn(kEncodeCases), CaseName);
INSTANTIATE_TEST_SUITE_P(URLEncode, DecodeTable, ::testing::ValuesIn(kDecodeCases), CaseName);

TEST(URLEncode, AppendingFormKeepsPreviousText)
{
    CVLString out("vlstudio://");
    CVLURLEncode::EncodeURLStringPart(Utf8("a b"), out);
    EXPECT_EQ(Bytes(out), "vlstudio://a%20b");
}

TEST(URLEncode, EncodingIntoItselfIsSafe)
{
    CVLString text("a b");
    CVLURLEncode::EncodeURLStringPart(text, text);
    EXPECT_EQ(Bytes(text), "a ba%20b");
}

TEST(URLEncode, EncoderSelectsExactlyReservedAndHighBytes)
{
    const CVLURLEncode::CURIQueryEncoder encoder;
    const std::string reserved = CVLURLEncode::CURIQueryEncoder::kEncodedCharacterList;
    EXPECT_EQ(reserved.size(), 26u);
    EXPECT_EQ(CVLURLEncode::CURIQueryEncoder::kEncodedCharacters.size(), 26u);
    for (unsigned b = 1; b < 256; ++b) {
        const bool expected = b >= 0x80 || reserved.find(static_cast<char>(b)) != std::string::npos;
        EXPECT_EQ(encoder.ShouldEncode(static_cast<unsigned char>(b)), expected) << "byte " << b;
        EXPECT_EQ(CVLURLEncode::CURIQueryEncoder::kEncodedCharacters.count(static_cast<unsigned char>(b)) == 1,
                  b < 0x80 && expected)
            << "byte " << b;
    }
    std::string escape;
    encoder.EncodeByte(0xAB, escape);
    encoder.EncodeByte(0x0A, escape);
    EXPECT_EQ(escape, "%AB%0A");
}

// A custom encoder plugs into the common core.
class DigitsOnlyEncoder : public CVLURLEncode::IByteEncoder
{
public:
    bool ShouldEncode(unsigned char byte) const override { return byte >= '0' && byte <= '9'; }
    void EncodeByte(unsigned char byte, std::string& out) const override { out += '<' + std::string(1, static_cast<char>(byte)) + '>'; }
};

TEST(URLEncode, EncodeStringUsesTheGivenEncoder)
{
    CVLString out("x");
    CVLURLEncode::EncodeString(CVLString("a1b22"), out, DigitsOnlyEncoder());
    EXPECT_EQ(Bytes(out), "xa<1>b<2><2>");
}

TEST(URLEncode, DecodeUndoesEncodeForEveryCharacterClass)
{
    // Every ASCII byte but zero, plus multi-byte characters of each length.
    std::string text;
    for (int b = 1; b < 0x80; ++b)
        text += static_cast<char>(b);
    text += "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
    const CVLString original = CVLString(CVLString::UTF8, text.c_str());
    const CVLString encoded = CVLURLEncode::EncodeURLStringPart(original);
    for (unsigned i = 0; i < encoded.GetLength(); ++i)
        ASSERT_LT(static_cast<unsigned char>(encoded.GetBufferPtr()[i]), 0x80u) << "encoded text is ASCII";
    EXPECT_EQ(Bytes(CVLURLEncode::DecodeURLStringPart(encoded)), text);
}

}  // namespace
