#include "CComputeDetailSizeReqBuffer.h"
#include "CVLReqBuffer.h"
#include "CVLString.h"
#include "CVLStringList.h"

#include <QString>
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes AllBytes(const CVLReqBuffer& buffer)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(buffer.GetBufferPtr());
    return Bytes(p, p + buffer.GetLength());
}

Bytes DetailBytes(const CVLReqBuffer& buffer)
{
    Bytes all = AllBytes(buffer);
    return Bytes(all.begin() + CVLReqBuffer::kHeaderSize, all.end());
}

// A buffer whose details are exactly the given bytes, positioned at the first detail.
CVLReqBuffer BufferWithDetails(const Bytes& details)
{
    CVLReqBuffer buffer;
    buffer.AddDetail(details.data(), static_cast<unsigned>(details.size()));
    buffer.SetPosition(CVLReqBuffer::kHeaderSize);
    return buffer;
}

} // namespace

TEST(ReqBufferHeader, FreshBufferIsClearedHeaderOnly)
{
    CVLReqBuffer buffer;
    EXPECT_EQ(buffer.GetLength(), 11u);
    EXPECT_EQ(buffer.GetPosition(), 11u);
    EXPECT_EQ(buffer.GetBufferLength(), 512u);
    EXPECT_EQ(buffer.GetDetailLength(), 0u);
    EXPECT_EQ(AllBytes(buffer), (Bytes{0x67, 0, 0, 0, 0, 0, 0, 0, 0x04, 0, 0}));
    EXPECT_TRUE(buffer.IsUTF8Encoded());
    EXPECT_FALSE(buffer.IsResponse());
    EXPECT_FALSE(buffer.DoesClientSupportAES());
}

TEST(ReqBufferHeader, FieldsAreLittleEndianInPlace)
{
    CVLReqBuffer buffer(0x04030201u, 0x0605, 0x0A090807u);
    EXPECT_EQ(AllBytes(buffer), (Bytes{0x67, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(buffer.GetHeaderRequestId(), 0x04030201u);
    EXPECT_EQ(buffer.GetHeaderRequestType(), 0x0605);
    EXPECT_EQ(buffer.GetHeaderRequestFlags(), 0x0A090807u);
    buffer.SetClientSupportsAES(true);
    EXPECT_TRUE(buffer.DoesClientSupportAES());
    EXPECT_EQ(buffer.GetHeaderRequestFlags(), 0x0A09080Fu);
    buffer.SetHeaderRequestFlags(0x1);
    EXPECT_TRUE(buffer.IsResponse());
    EXPECT_FALSE(buffer.IsUTF8Encoded());
}

TEST(ReqBufferHeader, GettersAnswerDefaultsWithoutHeaderAndSettersRestoreIt)
{
    CVLReqBuffer buffer;
    buffer.FreeBuffer();
    EXPECT_EQ(buffer.GetHeaderRequestVersion(), '0');
    EXPECT_EQ(buffer.GetHeaderRequestId(), 0u);
    EXPECT_EQ(buffer.GetHeaderRequestType(), 0);
    EXPECT_EQ(buffer.GetHeaderRequestFlags(), 0u);
    EXPECT_FALSE(buffer.IsUTF8Encoded());
    EXPECT_EQ(buffer.GetChecksum(), 0u);
    buffer.SetHeaderRequestType(707);
    EXPECT_GE(buffer.GetBufferLength(), 11u);
    EXPECT_EQ(buffer.GetHeaderRequestType(), 707);
}

TEST(ReqBufferConstruction, InitialSizeAndGrowthBlockBounds)
{
    struct Row
    {
        const char* name;
        unsigned initial;
        unsigned growth;
        unsigned expectAllocated;
        unsigned expectGrowth;
    };
    // clang-format off
    const Row rows[] = {
        {"too small",          11,          0,           512, 1024},
        {"smallest allowed",   12,          1025,        12,  1025},
        {"growth at 1024",     100,         1024,        100, 1024},
        {"too large",          0x7FFFFFFFu, 0x7FFFFFFFu, 512, 1024},
        {"largest growth",     64,          2147483646u, 64,  2147483646u},
    };
    // clang-format on
    for (const Row& row : rows) {
        CVLReqBuffer buffer(row.initial, row.growth);
        EXPECT_EQ(buffer.GetBufferLength(), row.expectAllocated) << row.name;
        EXPECT_EQ(buffer.GetGrowthBlock(), row.expectGrowth) << row.name;
        EXPECT_EQ(buffer.GetLength(), 11u) << row.name;
    }
}

TEST(ReqBufferWriters, PrimitiveWireForms)
{
    struct Row
    {
        const char* name;
        void (*write)(CVLReqBuffer&);
        Bytes expect;
    };
    // clang-format off
    const Row rows[] = {
        {"unsigned 1",     [](CVLReqBuffer& b) { b += 1u; },                        {1, 0, 0, 0}},
        {"int -2",         [](CVLReqBuffer& b) { b += -2; },                        {0xFE, 0xFF, 0xFF, 0xFF}},
        {"short",          [](CVLReqBuffer& b) { b += static_cast<short>(0x0102); }, {2, 1}},
        {"unsigned short", [](CVLReqBuffer& b) { b += static_cast<unsigned short>(0xC302); }, {2, 0xC3}},
        {"char",           [](CVLReqBuffer& b) { b += 'x'; },                       {'x'}},
        {"bool true",      [](CVLReqBuffer& b) { b += true; },                      {1}},
        {"bool false",     [](CVLReqBuffer& b) { b += false; },                     {0}},
        {"optional flag",  [](CVLReqBuffer& b) { b += kOptionalDetailPresent; },    {1}},
        {"long long",      [](CVLReqBuffer& b) { b += 0x0807060504030201ll; },      {1, 2, 3, 4, 5, 6, 7, 8}},
        {"long",           [](CVLReqBuffer& b) { b += -1l; },                       {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {"double 1.0",     [](CVLReqBuffer& b) { b += 1.0; },                       {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}},
        {"text abc",       [](CVLReqBuffer& b) { b += CVLString("abc"); },          {3, 0, 0, 0, 'a', 'b', 'c'}},
        {"empty text",     [](CVLReqBuffer& b) { b += CVLString(); },               {0, 0, 0, 0}},
        {"C string",       [](CVLReqBuffer& b) { b += "ab"; },                      {2, 0, 0, 0, 'a', 'b'}},
        {"null C string",  [](CVLReqBuffer& b) { b += static_cast<const char*>(nullptr); }, {0, 0, 0, 0}},
        {"std::string",    [](CVLReqBuffer& b) { b += std::string("hi"); },         {2, 0, 0, 0, 'h', 'i'}},
        {"QString e-acute",[](CVLReqBuffer& b) { b += QString::fromUtf8("\xC3\xA9"); }, {2, 0, 0, 0, 0xC3, 0xA9}},
        {"raw bytes",      [](CVLReqBuffer& b) { b.AddDetail("xyz", 3); },          {'x', 'y', 'z'}},
        {"raw string",     [](CVLReqBuffer& b) { b.AddRawStringDetail("xy", 2); },  {2, 0, 0, 0, 'x', 'y'}},
        {"enum as int",    [](CVLReqBuffer& b) { b.WriteEnumAsInt(kOptionalDetailPresent); }, {1, 0, 0, 0}},
        {"CRLF converted", [](CVLReqBuffer& b) { b.AddString(CVLString("a\r\nb"), true); }, {3, 0, 0, 0, 'a', '\n', 'b'}},
        {"CRLF kept",      [](CVLReqBuffer& b) { b.AddString(CVLString("a\r\nb"), false); }, {4, 0, 0, 0, 'a', '\r', '\n', 'b'}},
    };
    // clang-format on
    for (const Row& row : rows) {
        CVLReqBuffer buffer;
        row.write(buffer);
        EXPECT_EQ(DetailBytes(buffer), row.expect) << row.name;
        EXPECT_EQ(buffer.GetPosition(), buffer.GetLength()) << row.name;
    }
}

TEST(ReqBufferWriters, WritersChainAndReadBackInOrder)
{
    CVLReqBuffer buffer;
    buffer += static_cast<unsigned char>(7);
    buffer += static_cast<short>(-3);
    buffer += 123456789;
    buffer += -5ll;
    buffer += 2.5;
    buffer += CVLString("h\xC3\xA9llo");
    buffer += QString::fromUtf8("q");
    buffer += std::string("s");
    buffer.SetPosition(11);

    unsigned char c = 0;
    short s = 0;
    int i = 0;
    long long ll = 0;
    double d = 0;
    CVLString text;
    QString qtext;
    std::string stext;
    buffer.GetDetail(c);
    buffer.GetDetail(s);
    buffer.GetDetail(i);
    buffer.GetDetail(ll);
    buffer.GetDetail(d);
    buffer.GetDetail(text);
    buffer.GetDetail(qtext);
    buffer.GetDetail(stext);
    EXPECT_EQ(c, 7);
    EXPECT_EQ(s, -3);
    EXPECT_EQ(i, 123456789);
    EXPECT_EQ(ll, -5);
    EXPECT_EQ(d, 2.5);
    EXPECT_STREQ(text.GetBufferPtr(), "h\xC3\xA9llo");
    EXPECT_EQ(qtext, QString("q"));
    EXPECT_EQ(stext, "s");
    EXPECT_EQ(buffer.GetPosition(), buffer.GetLength());
}

TEST(ReqBufferWriters, StringDetailIsUTF8EvenWithoutTheFlag)
{
    CVLReqBuffer buffer;
    buffer.SetUTF8Encoded(false);
    buffer.AddDetail(CVLString("\xC3\xA9"));
    EXPECT_EQ(DetailBytes(buffer), (Bytes{2, 0, 0, 0, 0xC3, 0xA9}));
}

TEST(ReqBufferWriters, AddDetailFromBufferAppendsDetailsOnly)
{
    CVLReqBuffer source(9, 9, 9);
    source += 0x01020304u;
    CVLReqBuffer target;
    target += 'a';
    EXPECT_TRUE(target.AddDetailFromBuffer(source));
    EXPECT_EQ(DetailBytes(target), (Bytes{'a', 4, 3, 2, 1}));
    CVLReqBuffer empty;
    EXPECT_TRUE(target.AddDetailFromBuffer(empty));
    EXPECT_EQ(target.GetDetailLength(), 5u);
    // A counting buffer stores no details, so there is nothing to copy from it.
    CComputeDetailSizeReqBuffer counter;
    counter += 0x01020304u;
    EXPECT_TRUE(target.AddDetailFromBuffer(counter));
    EXPECT_EQ(target.GetDetailLength(), 5u);
}

TEST(ReqBufferGrowth, GrowsByBlocksAndOnExactFill)
{
    struct Row
    {
        const char* name;
        unsigned usedBefore;
        unsigned write;
        unsigned expectAllocated;
    };
    // clang-format off
    const Row rows[] = {
        {"stays below the end", 509,  2,    512},
        {"exact fill grows",    510,  2,    1536},
        {"one byte to the end", 511,  1,    1536},
        {"far past the end",    11,   3000, 512 + 1024 * 3},
        {"a whole block past",  11,   1525, 512 + 1024 * 2},
    };
    // clang-format on
    for (const Row& row : rows) {
        CVLReqBuffer buffer;
        std::vector<char> filler(row.usedBefore - 11, 'x');
        buffer.AddDetail(filler.data(), static_cast<unsigned>(filler.size()));
        ASSERT_EQ(buffer.GetLength(), row.usedBefore) << row.name;
        ASSERT_EQ(buffer.GetBufferLength(), 512u) << row.name;
        std::vector<char> more(row.write, 'y');
        ASSERT_TRUE(buffer.AddDetail(more.data(), row.write)) << row.name;
        EXPECT_EQ(buffer.GetBufferLength(), row.expectAllocated) << row.name;
        EXPECT_EQ(buffer.GetLength(), row.usedBefore + row.write) << row.name;
        EXPECT_EQ(buffer.GetBufferPtr()[row.usedBefore - 1], row.usedBefore > 11 ? 'x' : 0) << row.name;
    }
}

TEST(ReqBufferGrowth, LengthPrefixedWriteCountsItsPrefix)
{
    CVLReqBuffer buffer;
    std::vector<char> filler(512 - 11 - 7, 'x');
    buffer.AddDetail(filler.data(), static_cast<unsigned>(filler.size()));
    buffer.AddDetailWithLen("abc", 3); // 505 + 7 == 512: grows
    EXPECT_EQ(buffer.GetBufferLength(), 1536u);
}

TEST(ReqBufferGrowth, SourceInsideTheOwnBlockSurvivesGrowth)
{
    CVLReqBuffer buffer;
    std::vector<char> filler(490);
    for (unsigned i = 0; i < filler.size(); ++i)
        filler[i] = static_cast<char>(i);
    buffer.AddDetail(filler.data(), 490);
    ASSERT_TRUE(buffer.AddDetail(buffer.GetBufferPtr() + 11, 490));
    ASSERT_TRUE(buffer.AddDetailWithLen(buffer.GetBufferPtr() + 11, 490));
    ASSERT_GT(buffer.GetBufferLength(), 512u);
    const char* p = buffer.GetBufferPtr();
    EXPECT_EQ(std::memcmp(p + 11, filler.data(), 490), 0);
    EXPECT_EQ(std::memcmp(p + 11 + 490, filler.data(), 490), 0);
    EXPECT_EQ(std::memcmp(p + 11 + 980 + 4, filler.data(), 490), 0);
}

TEST(ReqBufferGrowth, BytesSkippedByAPositionPastTheEndAreZero)
{
    CVLReqBuffer buffer;
    buffer.SetPosition(2000);
    buffer += 'z';
    EXPECT_EQ(buffer.GetLength(), 2001u);
    const char* p = buffer.GetBufferPtr();
    for (unsigned i = 11; i < 2000; ++i)
        ASSERT_EQ(p[i], 0) << i;
    EXPECT_EQ(p[2000], 'z');
}

TEST(ReqBufferGrowth, WriteBeyondTheCapFailsAndWritesNothing)
{
    CVLReqBuffer buffer;
    buffer += 1u;
    buffer.SetPosition(0x7FFFFFF0u);
    EXPECT_FALSE(buffer.AddDetail("abcdefghijklmnopqrstuvwxyz", 26));
    EXPECT_EQ(buffer.GetBufferLength(), 512u);
    EXPECT_EQ(buffer.GetLength(), 15u);
}

TEST(ReqBufferReaders, ReadingPastTheEndYieldsZeroAndKeepsPosition)
{
    CVLReqBuffer buffer = BufferWithDetails({0x41, 0x42, 0x43});
    int i = 99;
    buffer.GetDetail(i);
    EXPECT_EQ(i, 0);
    EXPECT_EQ(buffer.GetPosition(), 11u);
    char c = 0;
    buffer.GetDetail(c);
    EXPECT_EQ(c, 0x41);

    long long ll = 5;
    double d = 5;
    short s = 5;
    bool b = true;
    buffer.GetDetail(ll);
    buffer.GetDetail(d);
    buffer.GetDetail(s);
    EXPECT_EQ(ll, 0);
    EXPECT_EQ(d, 0.0);
    EXPECT_EQ(s, 0x4342);
    buffer.GetDetail(b);
    EXPECT_FALSE(b);
    unsigned char raw[4] = {9, 9, 9, 9};
    buffer.GetDetail(raw, 4);
    EXPECT_EQ(Bytes(raw, raw + 4), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(buffer.GetPosition(), 14u);
}

TEST(ReqBufferReaders, AnyNonZeroByteIsTrue)
{
    CVLReqBuffer buffer = BufferWithDetails({0, 1, 0x80});
    bool values[3] = {true, false, false};
    for (bool& v : values)
        buffer.GetDetail(v);
    EXPECT_FALSE(values[0]);
    EXPECT_TRUE(values[1]);
    EXPECT_TRUE(values[2]);
}

TEST(ReqBufferReaders, OptionalDetailOnlyForOneAndAlwaysConsumed)
{
    CVLReqBuffer buffer = BufferWithDetails({2, 1, 0});
    EXPECT_FALSE(buffer.IsOptionalDetailPresent());
    EXPECT_EQ(buffer.GetPosition(), 12u);
    EXPECT_TRUE(buffer.IsOptionalDetailPresent());
    EXPECT_FALSE(buffer.IsOptionalDetailPresent());
    EXPECT_FALSE(buffer.IsOptionalDetailPresent());
    EXPECT_EQ(buffer.GetPosition(), 14u);
}

TEST(ReqBufferReaders, TextCountsThatLie)
{
    struct Row
    {
        const char* name;
        Bytes details;
        const char* expectText;
        unsigned expectPosition;
    };
    // clang-format off
    const Row rows[] = {
        {"count 10, 4 bytes follow",  {10, 0, 0, 0, 'a', 'b', 'c', 'd'},       "",   15},
        {"count 4 GB",                {0xFF, 0xFF, 0xFF, 0xFF, 'a'},           "",   15},
        {"count 2^31",                {0, 0, 0, 0x80, 'a'},                    "",   15},
        {"count cut short",           {3, 0},                                  "",   11},
        {"count 0",                   {0, 0, 0, 0, 'a'},                       "",   15},
        {"exact",                     {2, 0, 0, 0, 'o', 'k'},                  "ok", 17},
        {"stops at a zero byte",      {3, 0, 0, 0, 'o', 0, 'k'},               "o",  18},
    };
    // clang-format on
    for (const Row& row : rows) {
        CVLReqBuffer buffer = BufferWithDetails(row.details);
        CVLString text("previous");
        buffer.GetDetail(text);
        EXPECT_STREQ(text.GetBufferPtr(), row.expectText) << row.name;
        EXPECT_EQ(buffer.GetPosition(), row.expectPosition) << row.name;

        CVLReqBuffer again = BufferWithDetails(row.details);
        CVLBuffer block;
        again.GetDetailWithLen(block);
        EXPECT_EQ(again.GetPosition(), row.expectPosition) << row.name << " (block)";
        EXPECT_LE(block.GetBufferLength(), row.details.size()) << row.name << " (block)";
    }
}

TEST(ReqBufferReaders, QStringCountsThatLie)
{
    struct Row
    {
        const char* name;
        Bytes details;
        QString expect;
    };
    // clang-format off
    const Row rows[] = {
        {"negative count",  {0xFF, 0xFF, 0xFF, 0xFF, 'a'},  QString()},
        {"zero count",      {0, 0, 0, 0, 'a'},              QString()},
        {"more than there", {9, 0, 0, 0, 'a', 'b'},         QString("ab")},
        {"up to zero byte", {3, 0, 0, 0, 'a', 0, 'b'},      QString("a")},
        {"huge count",      {0xFF, 0xFF, 0xFF, 0x7F, 'z'},  QString("z")},
    };
    // clang-format on
    for (const Row& row : rows) {
        CVLReqBuffer buffer = BufferWithDetails(row.details);
        QString text("previous");
        buffer.GetDetail(text);
        EXPECT_EQ(text, row.expect) << row.name;
        EXPECT_LE(buffer.GetPosition(), buffer.GetLength()) << row.name;
    }
}

TEST(ReqBufferReaders, SkipDetailWithLenMovesPastTheBlock)
{
    CVLReqBuffer buffer = BufferWithDetails({3, 0, 0, 0, 1, 2, 3, 'z'});
    buffer.SkipDetailWithLen();
    EXPECT_EQ(buffer.GetPosition(), 18u);
    char c = 0;
    buffer.GetDetail(c);
    EXPECT_EQ(c, 'z');
}

TEST(ReqBufferStringList, RoundTripAndLyingCount)
{
    CVLStringList list;
    list.AddStringToList("one");
    list.AddStringToList("");
    list.AddStringToList("thr\xC3\xA9\x65");
    CVLReqBuffer buffer;
    EXPECT_TRUE(CVLReqBuffer::WriteStringListToReqBuffer(list, buffer));
    EXPECT_EQ(DetailBytes(buffer),
              (Bytes{3, 0, 0, 0, 3, 0, 0, 0, 'o', 'n', 'e', 0, 0, 0, 0, 6, 0, 0, 0, 't', 'h', 'r', 0xC3, 0xA9, 'e'}));
    buffer.SetPosition(11);
    CVLStringList read;
    read.AddStringToList("stale");
    CVLReqBuffer::ReadStringListFromReqBuffer(read, buffer);
    ASSERT_EQ(read.GetCount(), 3u);
    EXPECT_STREQ(read.GetStringAt(1)->GetBufferPtr(), "one");
    EXPECT_STREQ(read.GetStringAt(2)->GetBufferPtr(), "");
    EXPECT_STREQ(read.GetStringAt(3)->GetBufferPtr(), "thr\xC3\xA9\x65");
    EXPECT_EQ(buffer.GetPosition(), buffer.GetLength());

    // A count of 2^31 must not make two billion empty strings.
    for (const Bytes& lie : {Bytes{0, 0, 0, 0x80, 1, 0, 0, 0, 'a'}, Bytes{0xFF, 0xFF, 0xFF, 0xFF}}) {
        CVLReqBuffer liar = BufferWithDetails(lie);
        CVLStringList out;
        liar.GetDetail(out);
        EXPECT_EQ(out.GetCount(), 0u);
        EXPECT_EQ(liar.GetPosition(), 15u);
    }
}

TEST(ReqBufferLoad, ShortWrongAndGoodSources)
{
    CVLReqBuffer target;
    target += 0x11223344u;
    const Bytes before = AllBytes(target);

    CVLBuffer tenBytes(10);
    std::memset(tenBytes.GetNonConstBufferPtr(), 0x67, 10);
    EXPECT_EQ(target.LoadBufferFromBuffer(tenBytes), 0u);
    EXPECT_EQ(AllBytes(target), before);

    CVLBuffer wrongMarker(11);
    std::memset(wrongMarker.GetNonConstBufferPtr(), 0x66, 11);
    EXPECT_EQ(target.LoadBufferFromBuffer(wrongMarker), 0u);
    EXPECT_EQ(target.GetLength(), 11u);
    EXPECT_EQ(target.GetBufferLength(), 11u);
    EXPECT_EQ(static_cast<unsigned char>(target.GetBufferPtr()[0]), 0x66);

    CVLReqBuffer source(5, 461, 0x401);
    source += CVLString("abc");
    CVLBuffer plain;
    plain.AppendToBuffer(source.GetBufferPtr(), source.GetLength());
    EXPECT_EQ(target.LoadBufferFromBuffer(plain), 18u);
    EXPECT_EQ(target.GetPosition(), 11u);
    EXPECT_EQ(target.GetHeaderRequestType(), 461);
    CVLString text;
    target.GetDetail(text);
    EXPECT_STREQ(text.GetBufferPtr(), "abc");

    CVLReqBuffer copy;
    EXPECT_EQ(copy.LoadBufferFromBuffer(source), 18u);
    EXPECT_EQ(copy.GetLength(), 18u);
    EXPECT_EQ(copy.GetBufferLength(), source.GetBufferLength());
    EXPECT_EQ(copy.GetPosition(), 11u);
}

TEST(ReqBufferSetUIntAt, OnlyInsideTheDetails)
{
    CVLReqBuffer buffer;
    buffer += 0u;
    buffer += 0u;
    EXPECT_FALSE(buffer.SetUIntAt(10, 1));
    EXPECT_TRUE(buffer.SetUIntAt(11, 0x01020304u));
    EXPECT_TRUE(buffer.SetUIntAt(15, 0xAABBCCDDu));
    EXPECT_FALSE(buffer.SetUIntAt(16, 1));
    EXPECT_FALSE(buffer.SetUIntAt(0xFFFFFFFEu, 1));
    EXPECT_EQ(DetailBytes(buffer), (Bytes{4, 3, 2, 1, 0xDD, 0xCC, 0xBB, 0xAA}));
}

TEST(ReqBufferPad, AppendsZerosUntilPastTheMinimum)
{
    CVLReqBuffer buffer;
    buffer += 'a';
    EXPECT_TRUE(CVLReqBuffer::PadRequestBufferToMinLengthOf(buffer, 4));
    EXPECT_EQ(DetailBytes(buffer), (Bytes{'a', 0, 0, 0, 0}));
    EXPECT_TRUE(CVLReqBuffer::PadRequestBufferToMinLengthOf(buffer, 4));
    EXPECT_EQ(buffer.GetDetailLength(), 5u);
}

TEST(ReqBufferChecksum, KnownValues)
{
    CVLReqBuffer buffer;
    EXPECT_EQ(buffer.GetChecksum(), 1u);
    buffer.SetHeaderRequestFlags(0x401);
    EXPECT_EQ(buffer.GetChecksum(), 2u);
    EXPECT_EQ(CVLReqBuffer::CountBytesWithLowBitSet("abc", 3), 2u);
    EXPECT_EQ(CVLReqBuffer::CountBytesWithLowBitSet(nullptr, 5), 0u);
    // Only the used length counts, not stale bytes behind it.
    buffer += 0xFFFFFFFFu;
    buffer.SetPosition(11);
    buffer += static_cast<unsigned char>(0);
    EXPECT_EQ(buffer.GetChecksum(), 2u);
}

TEST(ReqBufferChecksum, EqualsThePlainLoopOnEveryLengthAndAlignment)
{
    std::mt19937 random(20261211);
    std::vector<unsigned char> block(300 + 8 + 8);
    for (unsigned round = 0; round < 3; ++round) {
        for (auto& b : block)
            b = static_cast<unsigned char>(random());
        for (unsigned align = 0; align < 8; ++align) {
            for (unsigned length = 0; length <= 300; ++length) {
                const unsigned char* start = block.data() + align;
                unsigned plain = 0;
                for (unsigned i = 0; i < length; ++i)
                    plain += start[i] & 1u;
                ASSERT_EQ(CVLReqBuffer::CountBytesWithLowBitSet(start, length), plain)
                    << "length " << length << " alignment " << align;
            }
        }
    }
    // And through a buffer: header plus details of every length.
    CVLReqBuffer buffer;
    unsigned plain = 1;
    for (unsigned i = 0; i < 300; ++i) {
        const unsigned char b = static_cast<unsigned char>(random());
        buffer += b;
        plain += b & 1u;
        ASSERT_EQ(buffer.GetChecksum(), plain) << "details " << i + 1;
    }
}

TEST(ComputeDetailSize, CountsWhatWritesWouldAppend)
{
    CComputeDetailSizeReqBuffer counter;
    EXPECT_EQ(counter.GetDetailLength(), 0u);
    counter += 1u;                 // 4
    counter += CVLString("h\xC3\xA9"); // 4 + 3
    counter += 'c';                // 1
    counter += 1.0;                // 8
    counter.AddDetail("abcde", 5); // 5
    counter.AddDetailWithLen(nullptr, 10); // 14
    EXPECT_EQ(counter.GetDetailLength(), 39u);
    EXPECT_EQ(counter.GetComputedSizeForNoReallocs(), 51u);
    EXPECT_TRUE(counter.SetUIntAt(11, 5));
    EXPECT_TRUE(counter.GrowTo(100000, true));
    EXPECT_EQ(counter.GetBufferLength(), 11u);
    counter.ClearBuffer();
    EXPECT_EQ(counter.GetDetailLength(), 0u);
    EXPECT_EQ(counter.GetComputedSizeForNoReallocs(), 12u);
}

TEST(ComputeDetailSize, ReservedSizeNeedsNoFurtherGrowth)
{
    std::vector<char> big(3000, 'q');
    CComputeDetailSizeReqBuffer counter;
    counter += 7;
    counter.AddDetailWithLen(big.data(), 3000);
    CVLReqBuffer real;
    real.GrowTo(counter.GetComputedSizeForNoReallocs(), true);
    const unsigned reserved = real.GetBufferLength();
    real += 7;
    real.AddDetailWithLen(big.data(), 3000);
    EXPECT_EQ(real.GetBufferLength(), reserved);
    EXPECT_EQ(reserved, real.GetLength() + 1);
}
