#include "CVLBuffer.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

TEST(CVLBuffer, AppendGrowsByExactlyTheAppendedBytes)
{
    CVLBuffer buffer(5);
    std::memcpy(buffer.GetNonConstBufferPtr(), "abcde", 5);
    buffer.AppendToBuffer("0123456789", 10);
    ASSERT_EQ(buffer.GetBufferLength(), 15u);
    EXPECT_EQ(buffer.GetLength(), 15u);
    EXPECT_EQ(std::memcmp(buffer.GetBufferPtr(), "abcde0123456789", 15), 0);

    // Growing to less than the block changes nothing and still reports a block.
    EXPECT_TRUE(buffer.GrowTo(3, true));
    EXPECT_EQ(buffer.GetBufferLength(), 15u);
    EXPECT_EQ(std::memcmp(buffer.GetBufferPtr(), "abcde0123456789", 15), 0);
}

TEST(CVLBuffer, AppendingNothingOrNullChangesNothing)
{
    CVLBuffer buffer(2);
    buffer.AppendToBuffer(nullptr, 10);
    buffer.AppendToBuffer("xyz", 0);
    EXPECT_EQ(buffer.GetBufferLength(), 2u);
}

TEST(CVLBuffer, AppendingOwnBytesReadsThemBeforeTheBlockMoves)
{
    CVLBuffer buffer;
    buffer.AppendToBuffer("abcdef", 6);
    buffer.AppendToBuffer(buffer.GetBufferPtr() + 2, 4);
    ASSERT_EQ(buffer.GetBufferLength(), 10u);
    EXPECT_EQ(std::memcmp(buffer.GetBufferPtr(), "abcdefcdef", 10), 0);
    buffer += buffer;
    ASSERT_EQ(buffer.GetBufferLength(), 20u);
    EXPECT_EQ(std::memcmp(buffer.GetBufferPtr() + 10, "abcdefcdef", 10), 0);
}

TEST(CVLBuffer, TextAssignmentAllocatesTextAndNulAndNeverShrinks)
{
    CVLBuffer buffer;
    buffer = "abc";
    ASSERT_EQ(buffer.GetBufferLength(), 4u);
    EXPECT_EQ(std::memcmp(buffer.GetBufferPtr(), "abc", 4), 0);
    buffer = "a";
    EXPECT_EQ(buffer.GetBufferLength(), 4u);
    EXPECT_STREQ(buffer.GetBufferPtr(), "a");
    buffer = static_cast<const char*>(nullptr);
    EXPECT_EQ(buffer.GetBufferLength(), 4u);
    EXPECT_STREQ(buffer.GetBufferPtr(), "a");
}

TEST(CVLBuffer, CopiesAreDeepAndCompareByBytes)
{
    CVLBuffer a;
    a.AppendToBuffer("12345", 5);
    CVLBuffer b(a);
    EXPECT_NE(a.GetBufferPtr(), b.GetBufferPtr());
    EXPECT_TRUE(a.BufferCompare(b));
    b.GetNonConstBufferPtr()[0] = 'x';
    EXPECT_FALSE(a.BufferCompare(b));
    CVLBuffer c;
    c = a;
    EXPECT_TRUE(c.BufferCompare(a));
    c.CopyFrom(nullptr);
    EXPECT_EQ(c.GetBufferLength(), 0u);
    EXPECT_EQ(c.GetBufferPtr(), nullptr);
    EXPECT_TRUE(c.BufferCompare(CVLBuffer()));
    CVLBuffer shorter;
    shorter.AppendToBuffer("1234", 4);
    EXPECT_FALSE(a.BufferCompare(shorter));
}

TEST(CVLBuffer, StealTakesTheBlockAndLeavesTheSourceEmpty)
{
    CVLBuffer a, b;
    a.AppendToBuffer("abc", 3);
    b.AppendToBuffer("zz", 2);
    const char* block = a.GetBufferPtr();
    b.StealContentsFrom(a);
    EXPECT_EQ(b.GetBufferPtr(), block);
    EXPECT_EQ(b.GetBufferLength(), 3u);
    EXPECT_EQ(a.GetBufferLength(), 0u);
    EXPECT_EQ(a.GetBufferPtr(), nullptr);
}

TEST(CVLBuffer, SetBufferAdoptsAMallocBlock)
{
    CVLBuffer buffer;
    void* block = std::malloc(8);
    std::memset(block, 'q', 8);
    buffer.SetBuffer(block, 8);
    EXPECT_EQ(buffer.GetBufferLength(), 8u);
    EXPECT_EQ(buffer.GetBufferPtr()[7], 'q');
}

TEST(CVLBuffer, ReAllocToZeroFreesAndClearZeroFills)
{
    CVLBuffer buffer(6);
    buffer.ClearBuffer();
    for (unsigned i = 0; i < 6; ++i)
        EXPECT_EQ(buffer.GetBufferPtr()[i], 0);
    EXPECT_FALSE(buffer.ReAlloc(0));
    EXPECT_EQ(buffer.GetBufferPtr(), nullptr);
    EXPECT_EQ(buffer.GetBufferLength(), 0u);
    EXPECT_TRUE(buffer.Alloc(3));
    EXPECT_EQ(buffer.GetBufferLength(), 3u);
    buffer.FreeBuffer();
    EXPECT_EQ(buffer.GetBufferLength(), 0u);
}

TEST(CVLBuffer, FailedGrowthThrowsAndKeepsTheOldBlock)
{
    CVLBuffer buffer;
    buffer.AppendToBuffer("keep", 4);
    const char* block = buffer.GetBufferPtr();
    // An append that would overflow the 32-bit size can never be satisfied.
    EXPECT_THROW(buffer.AppendToBuffer("x", UINT_MAX), std::bad_alloc);
    EXPECT_EQ(buffer.GetBufferPtr(), block);
    ASSERT_EQ(buffer.GetBufferLength(), 4u);
    EXPECT_EQ(std::memcmp(buffer.GetBufferPtr(), "keep", 4), 0);
}
