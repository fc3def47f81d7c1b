// The fast CRC-32 paths (slicing-by-8, and the carry-less multiply folding where the CPU has
// it) must give the bitwise result on every length, start alignment and piece split.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "CVLFile.h"

namespace {

unsigned BitwiseCRC32(const unsigned char* p, size_t n, unsigned crc = 0)
{
    unsigned c = ~crc;
    for (size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return ~c;
}

unsigned FastCRC32(const unsigned char* p, size_t n, unsigned crc = 0)
{
    CVLFile::baseCRC32(reinterpret_cast<const char*>(p), static_cast<int>(n), crc);
    return crc;
}

std::vector<unsigned char> RandomBytes(size_t n, unsigned seed)
{
    std::vector<unsigned char> v(n);
    std::mt19937 random(seed);
    for (auto& b : v)
        b = static_cast<unsigned char>(random());
    return v;
}

TEST(CVLFileCRC, CheckValue)
{
    const char text[] = "123456789";
    unsigned crc = 0;
    CVLFile::baseCRC32(text, 9, crc);
    EXPECT_EQ(crc, 0xCBF43926u);
}

// Every length up to beyond the folding threshold and block sizes, from every start offset
// within a 16-byte window.
TEST(CVLFileCRC, EveryLengthAndAlignmentMatchesBitwise)
{
    const std::vector<unsigned char> data = RandomBytes(1200, 1);
    for (size_t offset = 0; offset < 16; ++offset) {
        for (size_t length = 0; length + offset <= 1100; ++length) {
            ASSERT_EQ(FastCRC32(data.data() + offset, length), BitwiseCRC32(data.data() + offset, length))
                << "offset " << offset << " length " << length;
        }
    }
}

TEST(CVLFileCRC, LargeBuffersMatchBitwise)
{
    const std::vector<unsigned char> data = RandomBytes((1u << 20) + 77, 2);
    for (size_t length : {size_t(4096), size_t(65536) + 5, data.size()})
        EXPECT_EQ(FastCRC32(data.data(), length), BitwiseCRC32(data.data(), length)) << length;
    const std::vector<unsigned char> zeros(100000, 0);
    const std::vector<unsigned char> ones(100000, 0xFF);
    EXPECT_EQ(FastCRC32(zeros.data(), zeros.size()), BitwiseCRC32(zeros.data(), zeros.size()));
    EXPECT_EQ(FastCRC32(ones.data(), ones.size()), BitwiseCRC32(ones.data(), ones.size()));
}

// A running CRC fed in pieces equals the CRC of the whole, whatever the split.
TEST(CVLFileCRC, PiecesChainToTheWhole)
{
    const std::vector<unsigned char> data = RandomBytes(5000, 3);
    const unsigned whole = BitwiseCRC32(data.data(), data.size());
    for (size_t split : {size_t(1), size_t(63), size_t(64), size_t(255), size_t(256), size_t(1000), size_t(4999)}) {
        unsigned crc = FastCRC32(data.data(), split);
        crc = FastCRC32(data.data() + split, data.size() - split, crc);
        EXPECT_EQ(crc, whole) << "split at " << split;
    }
}

TEST(CVLFileCRC, NullAndNonPositiveCountsLeaveTheCRC)
{
    unsigned crc = 0x12345678u;
    CVLFile::baseCRC32(nullptr, 10, crc);
    CVLFile::baseCRC32("abc", 0, crc);
    CVLFile::baseCRC32("abc", -3, crc);
    EXPECT_EQ(crc, 0x12345678u);
}

}  // namespace
