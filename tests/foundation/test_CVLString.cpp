#include "CVLGrowString.h"
#include "CVLString.h"
#include "CVLStringList.h"

#include <QString>
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <string>

namespace
{
std::string Bytes(const CVLString& s)
{
    return std::string(s.GetBufferPtr(), s.GetLength());
}

// The text's invariant: the zero byte sits at the length and no zero byte comes before it.
void ExpectValid(const CVLString& s)
{
    ASSERT_NE(s.GetBufferPtr(), nullptr);
    EXPECT_EQ(std::strlen(s.GetBufferPtr()), s.GetLength());
    if (s.GetLength()) {
        EXPECT_GE(s.GetBufferLength(), s.GetLength() + 1);
    }
}

const char* const kAEEuro = "a\xC3\xA9\xE2\x82\xAC";  // a, e acute, euro sign
const char* const kAEB = "a\xC3\xA9"
                         "b";  // a, e acute, b
}  // namespace

// clang-format off
struct DetectCase { const char* name; const char* input; const char* expected; };
const DetectCase kDetectCases[] = {
    {"ascii",            "plain text",            "plain text"},
    {"utf8 kept",        "caf\xC3\xA9",           "caf\xC3\xA9"},
    {"latin1 e acute",   "caf\xE9",               "caf\xC3\xA9"},
    {"win1252 quotes",   "\x93word\x94",          "\xE2\x80\x9Cword\xE2\x80\x9D"},
    {"win1252 lone 81",  "\x93" "a\x81" "b\x94",  "\xE2\x80\x9C" "a?b\xE2\x80\x9D"},
    {"win1252 euro",     "5\x80",                 "5\xE2\x82\xAC"},
    {"lone 81 latin1",   "\x81",                  "\xC2\x81"},
    {"lone continuation","a\x80",                 "a\xE2\x82\xAC"},
    {"truncated utf8",   "ab\xC3",                "ab\xC3\x83"},
    {"overlong",         "\xC0\xAF",              "\xC3\x80\xC2\xAF"},
    {"surrogate",        "\xED\xA0\x80",          "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
    {"f5 lead",          "\xF5\x80\x80\x80",      "\xC3\xB5\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC"},
    {"empty",            "",                      ""},
};
// clang-format on

class CVLStringDetect : public ::testing::TestWithParam<DetectCase>
{
};

TEST_P(CVLStringDetect, ConstCharTextBecomesUTF8)
{
    const DetectCase& c = GetParam();
    CVLString constructed(c.input);
    EXPECT_EQ(Bytes(constructed), c.expected);
    ExpectValid(constructed);
    CVLString assigned;
    assigned = c.input;
    EXPECT_EQ(Bytes(assigned), c.expected);
    CVLString appended("x");
    appended += c.input;
    EXPECT_EQ(Bytes(appended), std::string("x") + c.expected);
    EXPECT_EQ(constructed.Compare(c.input), 0);
}

INSTANTIATE_TEST_SUITE_P(Table, CVLStringDetect, ::testing::ValuesIn(kDetectCases),
                         [](const ::testing::TestParamInfo<DetectCase>& p) {
                             std::string n = p.param.name;
                             for (char& ch : n)
                                 if (!isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return n;
                         });

TEST(CVLString, CafeFromFourBytesIsFiveBytesOfUTF8)
{
    const char bytes[] = {0x63, 0x61, 0x66, static_cast<char>(0xE9), 0};
    CVLString s(bytes);
    EXPECT_EQ(s.GetLength(), 5u);
    EXPECT_EQ(s.GetCharLength(), 4u);
    EXPECT_EQ(Bytes(s), "caf\xC3\xA9");
}

TEST(CVLString, UnsignedCharTextIsStoredUnchecked)
{
    const unsigned char bytes[] = {0x63, 0x61, 0x66, 0xE9, 0};
    CVLString s;
    s = bytes;
    EXPECT_EQ(Bytes(s), "caf\xE9");
    CVLString t;
    t.SetFromUTF8(bytes, 2);
    EXPECT_EQ(Bytes(t), "ca");
    EXPECT_EQ(Bytes(CVLString::fromUTF8("ab\0cd", 5)), "ab");  // stops at the zero byte
}

TEST(CVLString, TypedConstructor)
{
    EXPECT_EQ(Bytes(CVLString(CVLString::Latin1, "\xE9\x93", CVLString::kLengthToZero)), "\xC3\xA9\xC2\x93");
    EXPECT_EQ(Bytes(CVLString(CVLString::UTF8, "\xE9xyz", 2)), "\xE9x");
    EXPECT_EQ(Bytes(CVLString(CVLString::Raw, "0a1b", 4)), "0a1b");
    EXPECT_EQ(Bytes(CVLString(CVLString::Windows1252, "\x93\xE9", 2)), "\xE2\x80\x9C\xC3\xA9");
    EXPECT_EQ(Bytes(CVLString(static_cast<CVLString::ConstructorType>(9), "abc", 3)), "");
    EXPECT_EQ(Bytes(CVLString(CVLString::Latin1, nullptr, 4)), "");
}

TEST(CVLString, CharLengthCountsLeadBytes)
{
    CVLString s(kAEEuro);
    EXPECT_EQ(s.GetLength(), 6u);
    EXPECT_EQ(s.GetCharLength(), 3u);
}

TEST(CVLString, EmptyStringNeverGivesANullPointer)
{
    CVLString s;
    EXPECT_STREQ(s.GetBufferPtr(), "");
    EXPECT_EQ(s.GetLength(), 0u);
    EXPECT_EQ(s[0], 0);
    EXPECT_EQ(s[-1], 0);
    EXPECT_STREQ(s.GetLatin1Ptr(), "");
    EXPECT_EQ(s.GetUCS2Ptr()[0], 0);
    EXPECT_STREQ(CVLString::kEmptyString.GetBufferPtr(), "");
}

TEST(CVLString, IndexPastTheEndIsZero)
{
    CVLString s("abc");
    EXPECT_EQ(s[2u], 'c');
    EXPECT_EQ(s[3u], 0);
    EXPECT_EQ(s[1000000u], 0);
    EXPECT_EQ(s[static_cast<short>(-5)], 0);
    EXPECT_EQ(s[static_cast<size_t>(1)], 'b');
    EXPECT_EQ(s[static_cast<size_t>(0x100000000ull)], 0);  // no truncation to a smaller index
    EXPECT_EQ(s[-1L], 0);
}

TEST(CVLString, NumbersAsText)
{
    EXPECT_EQ(Bytes(CVLString(-42)), "-42");
    EXPECT_EQ(Bytes(CVLString(4294967295u)), "4294967295");
    EXPECT_EQ(Bytes(CVLString(-9223372036854775807LL - 1)), "-9223372036854775808");
    EXPECT_EQ(Bytes(CVLString::fromUInt64(18446744073709551615ULL)), "18446744073709551615");
    CVLString s("n=");
    s += 7;
    s += 'x';
    s += '\0';  // a zero byte is ignored
    EXPECT_EQ(Bytes(s), "n=7x");
}

TEST(CVLString, CopyIsDeepAndMoveEmptiesTheSource)
{
    CVLString a("hello");
    CVLString b(a);
    EXPECT_NE(a.GetBufferPtr(), b.GetBufferPtr());
    EXPECT_EQ(b, a);
    const char* block = a.GetBufferPtr();
    CVLString c(std::move(a));
    EXPECT_EQ(c.GetBufferPtr(), block);
    EXPECT_EQ(a.GetLength(), 0u);
    EXPECT_STREQ(a.GetBufferPtr(), "");
    CVLString d;
    d.StealCVLStringFromCVLString(c);
    EXPECT_EQ(Bytes(d), "hello");
    EXPECT_EQ(c.GetLength(), 0u);
}

TEST(CVLString, ConversionsAndTheirCache)
{
    CVLString s("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");  // a, e acute, euro, emoji
    EXPECT_STREQ(s.GetLatin1Ptr(), "a\xE9?" "?");
    const unsigned short* u = s.GetUCS2Ptr();
    const unsigned short expectedUcs2[] = {'a', 0xE9, 0x20AC, 0xD83D, 0xDE00, 0};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(u[i], expectedUcs2[i]) << i;
    EXPECT_EQ(s.GetUCS2Ptr(), u);  // cached
    const unsigned int* w = s.GetUTF32Ptr();
    EXPECT_EQ(w[3], 0x1F600u);
    EXPECT_EQ(w[4], 0u);

    CVLString back;
    back.SetFromUCS2(expectedUcs2);
    EXPECT_EQ(back, s);
    back.SetFromUTF32(w);
    EXPECT_EQ(back, s);
    s += "!";
    EXPECT_STREQ(s.GetLatin1Ptr(), "a\xE9?" "?!");  // the cache followed the change
}

TEST(CVLString, IllFormedBytesInConversions)
{
    CVLString s;
    s.SetFromUTF8(reinterpret_cast<const unsigned char*>("a\xFF" "b"));
    EXPECT_EQ(s.GetUCS2Ptr()[0], 'a');
    EXPECT_EQ(s.GetUCS2Ptr()[1], 0);  // stops at the ill-formed byte
    const unsigned int* w = s.GetUTF32Ptr();
    EXPECT_EQ(w[1], 0xFFFDu);
    EXPECT_EQ(w[2], static_cast<unsigned>('b'));
}

TEST(CVLString, UCS2StopsAtAnUnpairedSurrogateAndCanSwap)
{
    const unsigned short units[] = {'o', 'k', 0xD800, 'x', 0};
    CVLString s;
    s.SetFromUCS2(units);
    EXPECT_EQ(Bytes(s), "ok");
    const unsigned short swapped[] = {0x6100, 0xE900};
    s.SetFromUCS2(swapped, 2, true);
    EXPECT_EQ(Bytes(s), "a\xC3\xA9");
    const unsigned int bad[] = {'a', 0x110000, 0xD800, 0};
    s.SetFromUTF32(bad);
    EXPECT_EQ(Bytes(s), "a\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(CVLString, QStringIsUTF8BothWays)
{
    QString q = QString::fromUtf8("\xC3\xA9t\xC3\xA9 \xE2\x82\xAC");
    CVLString s(q);
    EXPECT_EQ(Bytes(s), "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(s.ToQString(), q);
    EXPECT_EQ(s.Compare(q), 0);
}

// clang-format off
struct SubStrCase { const char* name; const char* text; unsigned start, count; bool isNull; const char* expected; };
const SubStrCase kSubStrCases[] = {
    {"start inside char moves on",  kAEB, 2, 1, false, "b"},
    {"end extended to whole char",  kAEB, 1, 1, false, "\xC3\xA9"},
    {"start past end is null",      kAEB, 5, 0, true,  nullptr},
    {"start at end is empty",       kAEB, 4, 0, false, ""},
    {"count 0 means to the end",    kAEB, 1, 0, false, "\xC3\xA9" "b"},
    {"huge count is clamped",       kAEB, 0, 0xFFFFFFFFu, false, kAEB},
    {"huge start is null",          kAEB, 0xFFFFFFFFu, 3, true, nullptr},
    {"whole text",                  "abc", 0, 3, false, "abc"},
};
// clang-format on

TEST(CVLString, SubStrKeepsWholeCharacters)
{
    for (const SubStrCase& c : kSubStrCases) {
        SCOPED_TRACE(c.name);
        CVLString s(c.text);
        std::unique_ptr<CVLString> piece(s.SubStr(c.start, c.count));
        if (c.isNull) {
            EXPECT_EQ(piece, nullptr);
            EXPECT_EQ(s.SubStrMovedCopy(c.start, c.count).GetLength(), 0u);
            continue;
        }
        ASSERT_NE(piece, nullptr);
        EXPECT_EQ(Bytes(*piece), c.expected);
        EXPECT_EQ(Bytes(s.SubStrMovedCopy(c.start, c.count)), c.expected);
    }
}

TEST(CVLString, MidLeftRightAndSubStrInto)
{
    CVLString s("hello world");
    EXPECT_EQ(Bytes(s.Mid(6, 5)), "world");
    EXPECT_EQ(Bytes(s.Mid(6, 100)), "world");
    EXPECT_EQ(Bytes(s.Mid(-3, 5)), "hello");
    EXPECT_EQ(Bytes(s.Mid(3, 0)), "");
    EXPECT_EQ(Bytes(s.Mid(50, 3)), "");
    EXPECT_EQ(Bytes(s.Mid(INT_MAX, INT_MAX)), "");
    EXPECT_EQ(Bytes(s.Left(5)), "hello");
    EXPECT_EQ(Bytes(s.Left(100)), "hello world");
    EXPECT_EQ(Bytes(s.Left(-1)), "");
    EXPECT_EQ(Bytes(s.Right(5)), "world");
    EXPECT_EQ(Bytes(s.Right(100)), "hello world");
    EXPECT_EQ(Bytes(s.Right(-2)), "");
    CVLString utf(kAEB);
    EXPECT_EQ(Bytes(utf.Right(2)), "b");  // a start inside a character moves to the next one
    s.GetSubStrInto(s, 6, 0, true);  // into itself
    EXPECT_EQ(Bytes(s), "world");
    s.GetSubStrInto(s, 1, 0, false);
    EXPECT_EQ(Bytes(s), "");
}

TEST(CVLString, SplitStringAtAndSplit)
{
    CVLString before, after;
    EXPECT_TRUE(CVLString("key=value=x").SplitStringAt('=', before, after));
    EXPECT_EQ(Bytes(before), "key");
    EXPECT_EQ(Bytes(after), "value=x");
    EXPECT_FALSE(CVLString("novalue").SplitStringAt(CVLString("::"), before, after));
    EXPECT_EQ(Bytes(before), "novalue");
    EXPECT_EQ(Bytes(after), "");
    CVLString self("a:b");
    EXPECT_TRUE(self.SplitStringAt(':', self, after));
    EXPECT_EQ(Bytes(self), "a");

    CVLStringList list;
    EXPECT_TRUE(CVLString("a,,b,").Split(',', list, false));
    ASSERT_EQ(list.GetCount(), 2u);
    EXPECT_EQ(Bytes(*list.GetStringAt(2)), "b");
    CVLStringList withEmpty;
    CVLString("a,,b,").Split(CVLString(","), withEmpty, true);
    EXPECT_EQ(withEmpty.GetCount(), 4u);
}

// clang-format off
struct CompareCase { const char* name; const char* a; const char* b; bool ignoreCase; int sign; };
const CompareCase kCompareCases[] = {
    {"equal",                  "abc",  "abc",  false, 0},
    {"case differs",           "ABC",  "abc",  false, -1},
    {"case ignored",           "ABC",  "abc",  true,  0},
    {"latin letters ignored",  "\xC3\x89t\xC3\xA9", "\xC3\xA9T\xC3\x89", true, 0},
    {"sharp s not folded",     "Stra\xC3\x9F" "e", "STRASSE", true, 1},
    {"roman numerals",         "\xE2\x85\xA0", "\xE2\x85\xB0", true, -1},
    {"prefix is smaller",      "ab",   "abc",  true,  -1},
    {"longer is larger",       "abc",  "ab",   false, 1},
    {"code point order",       "z",    "\xC3\xA9", false, -1},
    {"empty vs empty",         "",     "",     true,  0},
};
// clang-format on

TEST(CVLString, CompareWithAndWithoutCase)
{
    auto sign = [](int v) { return v < 0 ? -1 : v > 0 ? 1 : 0; };
    for (const CompareCase& c : kCompareCases) {
        SCOPED_TRACE(c.name);
        CVLString a(c.a), b(c.b);
        EXPECT_EQ(sign(a.Compare(b, c.ignoreCase)), c.sign);
        EXPECT_EQ(sign(a.Compare(c.b, c.ignoreCase)), c.sign);
        EXPECT_EQ(sign(a.Compare(reinterpret_cast<const unsigned char*>(b.GetBufferPtr()), c.ignoreCase)), c.sign);
    }
}

TEST(CVLString, CompareNullsAndIllFormedBytes)
{
    EXPECT_EQ(CVLString::CompareUTF8Buffers(nullptr, nullptr, -1, true), 0);
    EXPECT_LT(CVLString::CompareUTF8Buffers(nullptr, reinterpret_cast<const unsigned char*>(""), -1, false), 0);
    EXPECT_GT(CVLString::CompareUTF8Buffers(reinterpret_cast<const unsigned char*>(""), nullptr, -1, false), 0);
    EXPECT_GT(CVLString("x").Compare(static_cast<const char*>(nullptr)), 0);
    CVLString bad;
    bad.SetFromUTF8(reinterpret_cast<const unsigned char*>("A\xC3"));  // truncated sequence at the end
    CVLString other;
    other.SetFromUTF8(reinterpret_cast<const unsigned char*>("a\xBF"));  // lone continuation byte
    EXPECT_EQ(bad.Compare(other, true), 0);  // both ill-formed bytes read as U+FFFD
    EXPECT_TRUE("abc" == CVLString("abc"));
    EXPECT_TRUE(CVLString::stricmpLatin1(nullptr, "a") < 0);
    EXPECT_EQ(CVLString::strnicmpLatin1("ABx", "aby", 2), 0);
}

TEST(CVLString, BeginsWithAndEndsWith)
{
    CVLString s("Hello W\xC3\xB6rld");
    EXPECT_TRUE(s.BeginsWith(CVLString("Hello")));
    EXPECT_FALSE(s.BeginsWith(CVLString("hello")));
    EXPECT_TRUE(s.BeginsWith(CVLString("hELLO"), true));
    EXPECT_FALSE(s.BeginsWith(CVLString("Hello World and more")));
    EXPECT_FALSE(s.BeginsWith(CVLString("Hello World and more"), true));
    // An empty prefix: true case-sensitively; ignoring case only for an empty string.
    EXPECT_TRUE(s.BeginsWith(CVLString()));
    EXPECT_FALSE(s.BeginsWith(CVLString(), true));
    EXPECT_TRUE(CVLString().BeginsWith(CVLString(), true));

    EXPECT_TRUE(s.EndsWith(CVLString("W\xC3\xB6rld")));
    EXPECT_TRUE(s.EndsWith(CVLString("w\xC3\x96RLD"), true));
    EXPECT_FALSE(s.EndsWith(CVLString("xx Hello W\xC3\xB6rld")));
    CVLString tail;
    tail.SetFromUTF8(reinterpret_cast<const unsigned char*>("\xB6rld"));
    EXPECT_FALSE(s.EndsWith(tail));  // the cut would fall inside a character
    EXPECT_TRUE(s.EndsWith(CVLString()));
}

TEST(CVLString, MakeLowerAndUpper)
{
    CVLString s("ABC \xC3\x89\xC3\xA9 \xE2\x85\xA0 \xE2\x92\xB6 1");  // ABC Éé Ⅰ Ⓐ 1
    s.MakeLower();
    EXPECT_EQ(Bytes(s), "abc \xC3\xA9\xC3\xA9 \xE2\x85\xA0 \xE2\x92\xB6 1");
    s.MakeUpper();
    EXPECT_EQ(Bytes(s), "ABC \xC3\x89\xC3\x89 \xE2\x85\xA0 \xE2\x92\xB6 1");
    CVLString emoji("x\xF0\x9F\x98\x80y");
    emoji.MakeLower();
    EXPECT_EQ(Bytes(emoji), "x\xEF\xBF\xBDy");
    CVLString bad;
    bad.SetFromUTF8(reinterpret_cast<const unsigned char*>("A\x80"));
    bad.MakeLower();
    EXPECT_EQ(Bytes(bad), "a\xEF\xBF\xBD");
    ExpectValid(bad);
}

// clang-format off
struct InStrCase { const char* name; const char* text; const char* pattern; unsigned start; bool ignoreCase; bool found; unsigned at; };
const InStrCase kInStrCases[] = {
    {"found",                "hello world", "world", 0, false, true,  6},
    {"from start",           "abcabc",      "abc",   1, false, true,  3},
    {"case ignored",         "Hello World", "WORLD", 0, true,  true,  6},
    {"case matters",         "Hello World", "WORLD", 0, false, false, 0},
    {"empty pattern",        "abc",         "",      0, false, false, 0},
    {"too long from start",  "abcdef",      "ef",    5, false, false, 0},
    {"huge start",           "abcdef",      "a",     0xFFFFFFFFu, false, false, 0},
    {"start in char",        "\xC3\xA9" "a", "a",    1, false, true,  2},
    {"utf8 case ignored",    "x\xC3\x89t\xC3\xA9", "\xC3\xA9T", 0, true, true, 1},
};
// clang-format on

TEST(CVLString, InStrAndFind)
{
    for (const InStrCase& c : kInStrCases) {
        SCOPED_TRACE(c.name);
        CVLString s(c.text);
        unsigned at = 12345;
        EXPECT_EQ(s.InStr(c.pattern, c.start, &at, c.ignoreCase), c.found);
        if (c.found) {
            EXPECT_EQ(at, c.at);
        }
        int f = s.Find(CVLString(c.pattern), c.start > INT_MAX ? -1 : static_cast<int>(c.start), c.ignoreCase);
        EXPECT_EQ(f, c.found ? static_cast<int>(c.at) : -1);
    }
    EXPECT_FALSE(CVLString("abc").InStr(static_cast<const char*>(nullptr), nullptr));
    EXPECT_EQ(CVLString("abc").Find(CVLString("a"), -1), -1);
}

TEST(CVLString, CaseInsensitiveInStrReportsPositionsInTheString)
{
    // The ill-formed byte widens to three bytes when lowercased; the hit is still at byte 2.
    CVLString s;
    s.SetFromUTF8(reinterpret_cast<const unsigned char*>("\xFF" "aB"));
    unsigned at = 0;
    ASSERT_TRUE(s.InStr("b", 0, &at, true));
    EXPECT_EQ(at, 2u);
    EXPECT_EQ(s[at], 'B');
}

TEST(CVLString, InStrReverse)
{
    unsigned at = 99;
    EXPECT_FALSE(CVLString(":").InStrReverse(':', &at));
    EXPECT_TRUE(CVLString("a:").InStrReverse(':', &at));
    EXPECT_EQ(at, 1u);
    CVLString path("a/b/c");
    EXPECT_EQ(path.ReverseFind('/'), 3);
    EXPECT_TRUE(path.InStrReverse('/', 2, &at));
    EXPECT_EQ(at, 1u);
    EXPECT_FALSE(path.InStrReverse('/', 0, &at));
    EXPECT_FALSE(path.InStrReverse('/', 5, &at));
    EXPECT_FALSE(path.InStrReverse('/', 0xFFFFFFFFu, &at));
    EXPECT_EQ(path.ReverseFind('x'), -1);
    EXPECT_FALSE(CVLString("aB").InStrReverse('b', &at, true));  // single bytes, case always matters
}

// clang-format off
struct ReplaceCase { const char* name; const char* text; const char* from; const char* to; int maxCount; unsigned start; bool result; const char* expected; };
const ReplaceCase kReplaceCases[] = {
    {"longer replacement",   "a b c",      " ",    "%20", 0, 0, true,  "a%20b%20c"},
    {"shorter replacement",  "a\r\nb\r\n", "\r\n", "\r",  0, 0, false, "a\rb\r"},
    {"max count",            "xxxx",       "x",    "yy",  2, 0, true,  "yyyyxx"},
    {"from start",           "xaxa",       "x",    "zz",  0, 1, true,  "xazza"},
    {"no overlap",           "aaa",        "aa",   "b",   0, 0, false, "ba"},
    {"not searched again",   "ab",         "a",    "aa",  0, 0, true,  "aab"},
    {"null to deletes",      "a-b-c",      "-",    nullptr, 0, 0, false, "abc"},
    {"not found longer",     "abc",        "x",    "yy",  0, 0, false, "abc"},
    {"empty from",           "abc",        "",     "y",   0, 0, false, "abc"},
    {"start past end",       "abc",        "a",    "yy",  0, 3, false, "abc"},
};
// clang-format on

TEST(CVLString, ReplaceCharSequence)
{
    for (const ReplaceCase& c : kReplaceCases) {
        SCOPED_TRACE(c.name);
        CVLString s(c.text);
        EXPECT_EQ(s.ReplaceCharSequence(c.from, c.to, c.maxCount, c.start), c.result);
        EXPECT_EQ(Bytes(s), c.expected);
        ExpectValid(s);
    }
    CVLString s("abc");
    EXPECT_FALSE(s.ReplaceCharSequence(nullptr, "x"));
}

TEST(CVLString, InsertAppendAndReplaceChar)
{
    CVLString s(kAEB);
    s.Insert("X", 2);  // inside e acute: goes behind it
    EXPECT_EQ(Bytes(s), "a\xC3\xA9Xb");
    s.Insert(CVLString("<"), 0);
    s.Insert("\xE9", 1000);  // detected as Latin-1, appended
    EXPECT_EQ(Bytes(s), "<a\xC3\xA9Xb\xC3\xA9");
    s.InsertRaw(s.GetBufferPtr(), 2, 1);  // from its own bytes
    EXPECT_EQ(Bytes(s), "<<aa\xC3\xA9Xb\xC3\xA9");
    EXPECT_TRUE(s.ReplaceChar('a', 'o'));
    EXPECT_FALSE(s.ReplaceChar('a', '\0'));
    EXPECT_EQ(Bytes(s), "<<oo\xC3\xA9Xb\xC3\xA9");
    s.Append(s);
    EXPECT_EQ(s.GetLength(), 20u);
    CVLString dir("/tmp");
    dir.AppendDirSeperatorIfNotPresent();
    dir.AppendDirSeperatorIfNotPresent();
    EXPECT_EQ(Bytes(dir), "/tmp/");
    CVLString root("/");
    root.AppendDirSeperatorIfNotPresent();
    EXPECT_EQ(Bytes(root), "/");
}

TEST(CVLString, Trimming)
{
    CVLString s(" \t\xE2\x80\x83x y\xC2\xA0\r\n\xE2\x80\xA8");  // em space, no-break space, line separator
    s.StripWhiteSpace();
    EXPECT_EQ(Bytes(s), "x y");
    CVLString t("--ab--");
    t.TrimLeftAscii("-");
    EXPECT_EQ(Bytes(t), "ab--");
    t.TrimRightAscii("-");
    EXPECT_EQ(Bytes(t), "ab");
    t.TrimLeftAscii(nullptr);
    EXPECT_EQ(Bytes(t), "ab");
    CVLString all("   ");
    all.TrimLeft();
    EXPECT_EQ(Bytes(all), "");
    CVLString bad;
    bad.SetFromUTF8(reinterpret_cast<const unsigned char*>("\x80 a \xA0"));
    bad.StripWhiteSpace();  // ill-formed bytes are not white space
    EXPECT_EQ(Bytes(bad), "\x80 a \xA0");
    EXPECT_FALSE(CVLString(" \t").HasNonWhitespaceData());
    EXPECT_TRUE(CVLString(" x").HasNonWhitespaceData());
}

// clang-format off
struct AtoICase { const char* text; int value; bool overflow; };
const AtoICase kAtoICases[] = {
    {"12abc",        12,   false},
    {"  -7",         -7,   false},
    {"2147483647",   INT_MAX, false},
    {"-2147483648",  INT_MIN, false},
    {"2147483648",   INT_MIN, true},   // atoi's result in this C library
    {"abc",          0,    false},
    {"",             0,    false},
};
struct AtoUICase { const char* text; unsigned value; bool overflow; };
const AtoUICase kAtoUICases[] = {
    {"4294967295",   4294967295u, false},
    {"4294967296",   4294967295u, true},
    {"-1",           4294967295u, true},
    {"17 apples",    17u,  false},
    {"x",            0u,   false},
};
// clang-format on

TEST(CVLString, AtoIAndAtoUI)
{
    for (const AtoICase& c : kAtoICases) {
        SCOPED_TRACE(c.text);
        bool overflow = !c.overflow;
        int v = CVLString(c.text).AtoI(&overflow);
        EXPECT_EQ(overflow, c.overflow);
        if (!c.overflow) {
            EXPECT_EQ(v, c.value);
        }
    }
    for (const AtoUICase& c : kAtoUICases) {
        SCOPED_TRACE(c.text);
        bool overflow = !c.overflow;
        unsigned v = CVLString(c.text).AtoUI(&overflow);
        EXPECT_EQ(overflow, c.overflow);
        if (!c.overflow) {
            EXPECT_EQ(v, c.value);
        }
    }
    EXPECT_EQ(CVLString("99").AtoI(), 99);
    EXPECT_EQ(CVLString("5000000000").SafeAtoI(-1), -1);
    EXPECT_EQ(CVLString("123").SafeAtoI(-1), 123);
    EXPECT_EQ(CVLString("5000000000").AtoI64(), 5000000000LL);
    bool overflow = false;
    EXPECT_EQ(CVLString("99999999999999999999").AtoL(&overflow), LONG_MAX);
    EXPECT_TRUE(overflow);
    EXPECT_EQ(CVLString("42").AtoUL(&overflow), 42ul);
    EXPECT_FALSE(overflow);
    EXPECT_DOUBLE_EQ(CVLString("2.5x").AtoF(), 2.5);
    EXPECT_EQ(CVLString::AtoI("8", nullptr), 8);
}

TEST(CVLString, FormatAndSafeFormat)
{
    CVLString s;
    EXPECT_EQ(s.SafeFormat("%s-%05d-%c%%", "ab", 42, 'z'), 11);
    EXPECT_EQ(Bytes(s), "ab-00042-z%");
    std::string big(5000, 'q');
    EXPECT_EQ(s.SafeFormat("[%s]", big.c_str()), 5002);
    EXPECT_EQ(s.GetLength(), 5002u);
    // An argument that is the string's own text survives the reformatting.
    s = "self";
    s.SafeFormat("%s+%s", s.GetBufferPtr(), s.GetBufferPtr());
    EXPECT_EQ(Bytes(s), "self+self");
    EXPECT_EQ(s.SafeFormat(nullptr), 0);
    EXPECT_EQ(s.GetLength(), 0u);
    EXPECT_EQ(s.Format(4, "%s", "toolong"), 4);  // cut at the bound, never past it
    EXPECT_EQ(Bytes(s), "tool");
    EXPECT_EQ(s.Format(2, "%s", "\xC3\xA9\xC3\xA9"), 2);
    EXPECT_EQ(Bytes(s), "\xC3\xA9");
    EXPECT_EQ(s.Format(3, "%s", "\xC3\xA9\xC3\xA9"), 2);  // never half a character
}

// clang-format off
struct DecodeCase { const char* input; const char* expected; };
const DecodeCase kDecodeCases[] = {
    {"Main%20Project%2F1", "Main Project/1"},
    {"50%",                "50%"},
    {"5%4",                "5%4"},
    {"%zz",                "S"},
    {"%C3%A9",             "\xC3\xA9"},
    {"%E9t%E9",            "\xC3\xA9t\xC3\xA9"},
    {"%93q%94",            "\xE2\x80\x9Cq\xE2\x80\x9D"},
    {"a+b",                "a+b"},
    {"%25",                "%"},
    {"%2525",              "%25"},
    {"ab%00cd",            "ab"},
    {"",                   ""},
};
// clang-format on

TEST(CVLString, PercentDecodeURIToUTF8)
{
    for (const DecodeCase& c : kDecodeCases) {
        SCOPED_TRACE(c.input);
        CVLString out("junk");
        CVLString(c.input).PercentDecodeURIToUTF8(out);
        EXPECT_EQ(Bytes(out), c.expected);
        ExpectValid(out);
        CVLString inPlace(c.input);
        inPlace.PercentDecodeURIToUTF8();
        EXPECT_EQ(Bytes(inPlace), c.expected);
    }
}

// clang-format off
struct Base64Case { const char* input; const char* expected; };
const Base64Case kBase64Cases[] = {
    {"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"},
    {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"},
};
// clang-format on

TEST(CVLString, Base64EncodeRfc4648Vectors)
{
    for (const Base64Case& c : kBase64Cases) {
        CVLString out("old");
        CVLString::Base64Encode(reinterpret_cast<const unsigned char*>(c.input), CVLString::kLengthToZero, out);
        EXPECT_EQ(Bytes(out), c.expected) << c.input;
    }
    const unsigned char binary[] = {0x00, 0xFF, 0xFE};
    CVLString out;
    CVLString::Base64Encode(binary, 3, out);
    EXPECT_EQ(Bytes(out), "AP/+");
    CVLString::Base64Encode(nullptr, 3, out);
    EXPECT_EQ(Bytes(out), "AP/+");
}

// clang-format off
struct LegalCase { const char* name; const char* bytes; unsigned length; bool legal; };
const LegalCase kLegalCases[] = {
    {"ascii",          "abc",               3, true},
    {"two byte",       "\xC3\xA9",          2, true},
    {"C1 lead",        "\xC1\xBF",          2, false},
    {"E0 low second",  "\xE0\x9F\x80",      3, false},
    {"E0 ok",          "\xE0\xA0\x80",      3, true},
    {"ED surrogate",   "\xED\xA0\x80",      3, false},
    {"ED ok",          "\xED\x9F\xBF",      3, true},
    {"F0 low second",  "\xF0\x8F\x80\x80",  4, false},
    {"F4 too high",    "\xF4\x90\x80\x80",  4, false},
    {"F4 max",         "\xF4\x8F\xBF\xBF",  4, true},
    {"F8 lead",        "\xF8\x88\x80\x80\x80", 5, false},
    {"runs past end",  "\xE2\x82",          2, false},
    {"bad continuation","\xC3\x41",         2, false},
    {"empty",          "",                  0, true},
};
// clang-format on

TEST(CVLString, LegalUTF8)
{
    for (const LegalCase& c : kLegalCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CVLString::IsLegalUTF8String(reinterpret_cast<const unsigned char*>(c.bytes), c.length), c.legal);
    }
    EXPECT_TRUE(CVLString::IsProbableWindows1252String("a\x93"));
    EXPECT_FALSE(CVLString::IsProbableWindows1252String("a\x81\xE9"));
    unsigned short u = 0;
    EXPECT_EQ(CVLString::UTF8CharToUCS2Char(reinterpret_cast<const unsigned char*>("\xE2\x82\xAC"), 3, &u), 3);
    EXPECT_EQ(u, 0x20ACu);
    EXPECT_EQ(CVLString::UTF8CharToUCS2Char(reinterpret_cast<const unsigned char*>("\xE2\x82\xAC"), 2, &u), -1);
    EXPECT_EQ(u, 0xFFFDu);
    EXPECT_EQ(CVLString::UTF8CharToUCS2Char(reinterpret_cast<const unsigned char*>("\xF0\x9F\x98\x80"), 4, &u), 4);
    EXPECT_EQ(u, 0xFFFDu);
}

TEST(CVLString, SmallReaders)
{
    EXPECT_TRUE(CVLString("0123").ContainsOnlyNumberCharacters());
    EXPECT_FALSE(CVLString("01a").ContainsOnlyNumberCharacters());
    EXPECT_FALSE(CVLString().ContainsOnlyNumberCharacters());
    EXPECT_EQ(CVLString("a.b.c").GetCharCount('.'), 2u);
}

TEST(CVLString, BufferSlotsKeepTheTextValid)
{
    CVLString s("abcdef");
    s.ClearBuffer();
    EXPECT_EQ(s.GetLength(), 0u);
    EXPECT_STREQ(s.GetBufferPtr(), "");
    CVLString t("a\xC3\xA9xyz");
    t.ReAlloc(3);  // would cut inside e acute
    EXPECT_EQ(Bytes(t), "a");
    ExpectValid(t);
    CVLString u("hello");
    u.Empty(100);
    EXPECT_EQ(u.GetLength(), 0u);
    EXPECT_GE(u.GetBufferLength(), 100u);
    std::strcpy(u.GetNonConstBufferPtr(), "written");
    u.SetLength(7);
    EXPECT_EQ(Bytes(u), "written");
    u.SetLength(1000);  // past the block: clamped, cut at the first zero byte
    EXPECT_EQ(Bytes(u), "written");
    u.FreeString();
    EXPECT_EQ(u.GetBufferLength(), 0u);
    EXPECT_STREQ(u.GetBufferPtr(), "");
}

TEST(CVLString, AssignmentKeepsAnExactBlock)
{
    CVLString s;
    s = "abc";
    EXPECT_EQ(s.GetBufferLength(), 4u);
    s = "a";
    EXPECT_EQ(s.GetBufferLength(), 4u);
    EXPECT_EQ(Bytes(s), "a");
}

TEST(CVLGrowString, GrowsWithSlack)
{
    CVLGrowString g("abc");
    EXPECT_EQ(g.GetBufferLength(), 3u + 513u);
    std::string expected = "abc";
    for (int i = 0; i < 600; ++i) {
        g += "x";
        expected += 'x';
    }
    EXPECT_EQ(Bytes(g), expected);
    EXPECT_GE(g.GetBufferLength(), g.GetLength() + 1);
    unsigned before = g.GetBufferLength();
    EXPECT_TRUE(g.GrowTo(10, true));
    EXPECT_EQ(g.GetBufferLength(), before);
    EXPECT_TRUE(g.GrowTo(before + 1, true));
    EXPECT_EQ(g.GetBufferLength(), before + 1 + CVLGrowString::kGrowSlack);
}

TEST(CVLString, HostileInputNeverReadsOutOfBounds)
{
    // Every byte value, alone and in runs, through the readers that walk characters.
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    all += "\xF4\x8F\xBF";  // truncated at the very end
    CVLString raw;
    raw.SetFromUTF8(reinterpret_cast<const unsigned char*>(all.c_str()));
    CVLString copy(raw);
    copy.MakeLower();
    copy.MakeUpper();
    copy.StripWhiteSpace();
    ExpectValid(copy);
    // Case mapping writes U+FFFD for every ill-formed byte, so its result is always well-formed.
    EXPECT_TRUE(CVLString::IsLegalUTF8String(copy.GetUTF8Ptr()));
    unsigned at;
    raw.InStr("\xC3\x81", 0, &at, true);
    raw.GetUCS2Ptr();
    raw.GetUTF32Ptr();
    raw.GetLatin1Ptr();
    raw.GetLocal8BitPtr();
    CVLString detected(all.c_str());
    EXPECT_TRUE(CVLString::IsLegalUTF8String(detected.GetUTF8Ptr()));
    for (unsigned start = 0; start <= raw.GetLength() + 2; start += 7) {
        std::unique_ptr<CVLString> piece(raw.SubStr(start, 5));
        if (piece) {
            ExpectValid(*piece);
        }
        raw.EndsWith(raw.SubStrMovedCopy(start, 0), true);
    }
    CVLString decoded;
    CVLString("%").PercentDecodeURIToUTF8(decoded);
    EXPECT_EQ(Bytes(decoded), "%");
}

TEST(CVLString, BufferLevelCopiesKeepTheLengthInStep)
{
    CVLString s("a long text that is longer than the source");
    CVLBuffer raw;
    raw.AppendToBuffer("ab\0cd", 5);
    s.CopyFrom(&raw);
    EXPECT_EQ(Bytes(s), "ab");
    CVLBuffer unterminated;
    unterminated.AppendToBuffer("xyz", 3);
    s.CopyFrom(&unterminated);
    EXPECT_EQ(Bytes(s), "xyz");
    ExpectValid(s);
    s.AppendToBuffer("12\0" "3", 4);
    EXPECT_EQ(Bytes(s), "xyz12");
    CVLBuffer block;
    block.AppendToBuffer("qrs", 3);  // no zero byte: the string makes room for one
    s.StealContentsFrom(block);
    EXPECT_EQ(Bytes(s), "qrs");
    ExpectValid(s);
    s.CopyFrom(nullptr);
    EXPECT_EQ(s.GetLength(), 0u);
}

// Random byte runs, biased toward the bytes that matter to UTF-8, through the operations
// that walk characters: the text stays valid and the properties below hold.
TEST(CVLString, RandomBytesKeepInvariants)
{
    const unsigned char kInteresting[] = {'a', 'B', ' ', '%', '3', 'F', 'z', 0x80, 0x81, 0x93, 0xA0, 0xA9, 0xBF,
                                          0xC2, 0xC3, 0xE0, 0xE2, 0xED, 0xF0, 0xF4, 0xF8, 0xFF, '\t', 0x0A};
    unsigned seed = 12345;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    auto legal = [](const CVLString& s) { return CVLString::IsLegalUTF8String(s.GetUTF8Ptr(), s.GetLength()); };
    for (int round = 0; round < 1500; ++round) {
        std::string bytes;
        unsigned n = next() % 12;
        for (unsigned i = 0; i < n; ++i)
            bytes += static_cast<char>(kInteresting[next() % sizeof kInteresting]);
        SCOPED_TRACE(round);
        CVLString detected(bytes.c_str());
        ASSERT_TRUE(legal(detected));
        CVLString raw;
        raw.SetFromUTF8(reinterpret_cast<const unsigned char*>(bytes.c_str()));
        ASSERT_EQ(raw.GetLength(), bytes.size());

        unsigned start = next() % (n + 3), count = next() % (n + 3);
        std::unique_ptr<CVLString> piece(detected.SubStr(start, count));
        if (piece) {
            ASSERT_TRUE(legal(*piece));
        }
        ASSERT_TRUE(legal(detected.Mid(static_cast<int>(start), static_cast<int>(count))));
        ExpectValid(raw.Mid(static_cast<int>(start), static_cast<int>(count)));

        CVLString lower(raw), upper(raw);
        lower.MakeLower();
        upper.MakeUpper();
        ASSERT_TRUE(legal(lower));
        ASSERT_TRUE(legal(upper));

        CVLString other;
        other.SetFromUTF8(reinterpret_cast<const unsigned char*>(bytes.c_str() + (n ? next() % n : 0)));
        int ab = raw.Compare(other, true), ba = other.Compare(raw, true);
        EXPECT_EQ(ab < 0, ba > 0);
        EXPECT_EQ(ab == 0, ba == 0);

        unsigned at = 0;
        if (raw.InStr(other, 0, &at, true)) {
            EXPECT_LE(at, raw.GetLength());
        }
        CVLString decoded;
        raw.PercentDecodeURIToUTF8(decoded);
        ASSERT_TRUE(legal(decoded));

        CVLString edited(raw);
        edited.ReplaceCharSequence("%", "%25", 0, start);
        edited.Insert(other, count);
        edited.StripWhiteSpace();
        ExpectValid(edited);
        edited.TrimRightAscii("\xA9");
        ExpectValid(edited);
        raw.EndsWith(other, true);
        raw.BeginsWith(other, true);
    }
}
