// The word-wise request checksum keeps byte counters that are summed every few kilobytes:
// long runs, where a counter overflow would show, must still equal the plain byte loop.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "CVLReqBuffer.h"

namespace {

unsigned PlainCount(const unsigned char* p, size_t n)
{
    unsigned total = 0;
    for (size_t i = 0; i < n; ++i)
        total += p[i] & 1u;
    return total;
}

TEST(ReqBufferChecksumLong, AllOddBytesAcrossCounterFlushes)
{
    const std::vector<unsigned char> odd(3 * 255 * 32 + 77, 0xFF);
    for (size_t length : {size_t(255 * 32 - 1), size_t(255 * 32), size_t(255 * 32 + 1), odd.size()})
        EXPECT_EQ(CVLReqBuffer::CountBytesWithLowBitSet(odd.data(), static_cast<unsigned>(length)), length);
}

TEST(ReqBufferChecksumLong, RandomLongRunsEveryAlignment)
{
    std::mt19937 random(11);
    std::vector<unsigned char> block(70000);
    for (auto& b : block)
        b = static_cast<unsigned char>(random());
    for (unsigned align = 0; align < 8; ++align) {
        for (unsigned length : {8160u, 8191u, 16320u, 65536u, 69000u}) {
            ASSERT_EQ(CVLReqBuffer::CountBytesWithLowBitSet(block.data() + align, length),
                      PlainCount(block.data() + align, length))
                << "length " << length << " alignment " << align;
        }
    }
}

}  // namespace
