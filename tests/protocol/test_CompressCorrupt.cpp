#include "test_CompressHelpers.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace codec_test;

// Damaged code streams must end with an error, quickly, without reading or writing out of
// bounds (the sanitizer build checks the latter) and without unbounded output.

namespace {

int DecodeStream(const Bytes& stream, Bytes* decoded = nullptr, CMVDecompressor* use = nullptr)
{
    Bytes out;
    int result = Decompress(Tagged(stream), out, use);
    if (decoded)
        *decoded = out;
    return result;
}

}  // namespace

TEST(CompressCorrupt, ImpossibleCodesGiveGeneralError)
{
    struct Case {
        const char* name;
        std::vector<unsigned> codes;
    };
    // clang-format off
    const Case cases[] = {
        // 261 while 258 is the next free code; the later codes would then build the chain
        // 259 -> 261 -> 259, which an unguarded decoder follows for ever.
        {"chain loop", {'A', 261, 'B', 259, 'C', 259, 259, 256}},
        {"beyond next code", {'A', 300, 256}},
        {"largest code first", {4095, 256}},
        {"dictionary code first", {258, 256}},
        {"dictionary code after clear", {'A', 'B', 258, 257, 258, 256}},
        {"stale code after clear", {'A', 'B', 'C', 258, 259, 257, 'A', 260, 256}},
        {"one past the next code", {'A', 'A', 260, 256}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMVDecompressor decompressor;
        EXPECT_EQ(1, DecodeStream(PackCodes(c.codes), nullptr, &decompressor));
        ASSERT_NE(nullptr, decompressor.GetErrorText());
        EXPECT_EQ(CVLString("General error."), *decompressor.GetErrorText());
    }
}

TEST(CompressCorrupt, TruncatedStreamsGiveReadError)
{
    Bytes input = PseudoText(3000, 5);
    Bytes compressed;
    ASSERT_EQ(0, Compress(input, compressed));
    Bytes stream(compressed.begin() + 6, compressed.end());
    CMVDecompressor decompressor;  // reused: no state may leak from one run into the next
    for (size_t cut = 0; cut < stream.size() - 1; cut += (cut < 16 ? 1 : 37)) {
        SCOPED_TRACE(cut);
        Bytes decoded;
        EXPECT_EQ(3, DecodeStream(Bytes(stream.begin(), stream.begin() + static_cast<long>(cut)), &decoded,
                                  &decompressor));
        EXPECT_EQ(CVLString("File read error."), *decompressor.GetErrorText());
        EXPECT_LE(decoded.size(), input.size());
        EXPECT_TRUE(std::equal(decoded.begin(), decoded.end(), input.begin()));
    }
    Bytes decoded;
    EXPECT_EQ(0, DecodeStream(stream, &decoded, &decompressor));
    EXPECT_TRUE(decoded == input);
}

TEST(CompressCorrupt, RandomAndMutatedStreamsEndQuickly)
{
    auto start = std::chrono::steady_clock::now();
    CMVDecompressor decompressor;
    decompressor.SetMaxDecodedLength(4u << 20);
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        Bytes stream = RandomBytes(1 + (seed * 7919u) % 6000, seed);
        int result = DecodeStream(stream, nullptr, &decompressor);
        EXPECT_TRUE(result == 1 || result == 3 || result == 0) << seed;
        EXPECT_LE(decompressor.GetDecodedLength(), 4u << 20);
    }
    Bytes input = PseudoText(20000, 8);
    Bytes compressed;
    ASSERT_EQ(0, Compress(input, compressed));
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        Bytes stream(compressed.begin() + 6, compressed.end());
        Bytes noise = RandomBytes(4, seed);
        stream[(noise[0] | (noise[1] << 8)) % stream.size()] ^= static_cast<unsigned char>(noise[2] | 1);
        int result = DecodeStream(stream, nullptr, &decompressor);
        EXPECT_TRUE(result == 0 || result == 1 || result == 3) << seed;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

TEST(CompressCorrupt, OutputIsCapped)
{
    // 1 MiB of one byte value decodes from a few KiB; the cap stops it well before.
    Bytes compressed;
    ASSERT_EQ(0, Compress(Bytes(1 << 20, 'z'), compressed));
    CMVDecompressor decompressor;
    decompressor.SetMaxDecodedLength(100000);
    Bytes decoded;
    EXPECT_EQ(1, Decompress(compressed, decoded, &decompressor));
    EXPECT_LE(decoded.size(), 100000u);
    decompressor.SetMaxDecodedLength(1 << 20);
    EXPECT_EQ(0, Decompress(compressed, decoded, &decompressor));
    EXPECT_EQ(size_t(1) << 20, decoded.size());
}
