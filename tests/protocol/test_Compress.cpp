#include "test_CompressHelpers.h"

#include "CVLFile.h"
#include "CVLMemFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <unistd.h>

using namespace codec_test;

namespace {

struct StreamCase {
    const char* name;
    Bytes input;
    Bytes stream;  // after the tag
};

}  // namespace

TEST(Compress, KnownStreamsAndTheirDecoding)
{
    // clang-format off
    const StreamCase cases[] = {
        {"empty", {}, {0x10, 0x01, 0x00}},
        {"A", {0x41}, {0x04, 0x11, 0x00}},
        {"AB", {0x41, 0x42}, {0x04, 0x10, 0x42, 0x10, 0x00}},
    };
    // clang-format on
    for (const StreamCase& c : cases) {
        SCOPED_TRACE(c.name);
        CMVCompressor compressor;
        Bytes compressed;
        ASSERT_EQ(0, Compress(c.input, compressed, 0, &compressor));
        EXPECT_EQ(Tagged(c.stream), compressed);
        EXPECT_EQ(nullptr, compressor.GetErrorText());

        CMVDecompressor decompressor;
        Bytes decoded;
        ASSERT_EQ(0, Decompress(compressed, decoded, &decompressor));
        EXPECT_EQ(c.input, decoded);
        EXPECT_EQ(c.input.size(), decompressor.GetDecodedLength());
        EXPECT_EQ(ReferenceCRC32(c.input), decompressor.GetDecodedCRC());
    }
}

TEST(Compress, RoundTrips)
{
    struct Case {
        const char* name;
        Bytes input;
        size_t maxCompressed;  // 0: no bound checked
    };
    // clang-format off
    const Case cases[] = {
        // A code equal to the next free code (the string being defined) is needed at once.
        {"20 identical bytes", Bytes(20, 'x'), 0},
        {"10000 identical bytes", Bytes(10000, 0x5A), 300},
        {"all byte values", [] { Bytes b; for (int i = 0; i < 256; ++i) b.push_back(static_cast<unsigned char>(i)); return b; }(), 0},
        {"pseudo text 64 KiB", PseudoText(65536, 7), 40000},
        {"random 100 KiB", RandomBytes(100 * 1024, 3), 0},
        {"1 MiB mixed", [] { Bytes b = PseudoText(600 * 1024, 11); Bytes r = RandomBytes(200 * 1024, 5);
                             b.insert(b.end(), r.begin(), r.end()); Bytes t = PseudoText(248 * 1024, 13);
                             b.insert(b.end(), t.begin(), t.end()); return b; }(), 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes compressed;
        ASSERT_EQ(0, Compress(c.input, compressed));
        if (c.maxCompressed) {
            EXPECT_LT(compressed.size(), c.maxCompressed);
        }
        CMVDecompressor decompressor;
        Bytes decoded;
        ASSERT_EQ(0, Decompress(compressed, decoded, &decompressor));
        ASSERT_EQ(c.input.size(), decoded.size());
        EXPECT_TRUE(c.input == decoded);
        EXPECT_EQ(ReferenceCRC32(c.input), decompressor.GetDecodedCRC());
    }
}

TEST(Compress, OutputCountIsTheCodeStreamLength)
{
    CMVCompressor compressor;
    Bytes input = PseudoText(5000, 1);
    Bytes compressed;
    ASSERT_EQ(0, Compress(input, compressed, 0, &compressor));
    EXPECT_EQ(compressed.size() - 6, compressor.GetOutputCount());
}

TEST(Compress, RatioRiseWritesClearAndDecoderStartsAfresh)
{
    // Text first builds a dictionary that fits; random bytes after it make the ratio jump,
    // which must produce the clear code, followed by a plain byte code.
    Bytes input = PseudoText(60000, 2);
    Bytes noise = RandomBytes(60000, 9);
    input.insert(input.end(), noise.begin(), noise.end());
    Bytes compressed;
    ASSERT_EQ(0, Compress(input, compressed));
    std::vector<unsigned> codes = UnpackCodes(Bytes(compressed.begin() + 6, compressed.end()));
    size_t clears = 0;
    for (size_t i = 0; i + 1 < codes.size(); ++i) {
        if (codes[i] == CMVCompressor::kClearCode) {
            ++clears;
            EXPECT_LT(codes[i + 1], 256u) << "code after clear at " << i;
        }
    }
    EXPECT_GE(clears, 1u);
    Bytes decoded;
    ASSERT_EQ(0, Decompress(compressed, decoded));
    EXPECT_TRUE(input == decoded);
}

TEST(Compress, HandMadeClearStreamDecodes)
{
    // "AB", clear, then "AB" again with the dictionary rebuilt from 258.
    Bytes stream = PackCodes({'A', 'B', 258, CMVCompressor::kClearCode, 'A', 'B', 258, 256});
    Bytes decoded;
    ASSERT_EQ(0, Decompress(Tagged(stream), decoded));
    EXPECT_EQ((Bytes{'A', 'B', 'A', 'B', 'A', 'B', 'A', 'B'}), decoded);
}

TEST(Compress, MaxOutputSizeExceeded)
{
    CMVCompressor compressor;
    Bytes compressed;
    EXPECT_EQ(compressorMaxSizeExceeded, Compress(RandomBytes(1000, 4), compressed, 10, &compressor));
    ASSERT_NE(nullptr, compressor.GetErrorText());
    EXPECT_EQ(CVLString("Max compressed size exceeded."), *compressor.GetErrorText());

    // A later success clears the text.
    ASSERT_EQ(0, Compress(Bytes(100, 'a'), compressed, 0, &compressor));
    EXPECT_EQ(nullptr, compressor.GetErrorText());
}

TEST(Compress, UnavailableOperationsReportFailureAndTouchNothing)
{
    CMVCompressor compressor;  // default method is ZLIB
    EXPECT_EQ(compressorModeZLIB, compressor.GetCompressionMethod());
    CVLMemFile in;
    CVLMemFile out;
    Fill(in, Bytes{1, 2, 3});
    Fill(out, Bytes{9, 9});
    EXPECT_EQ(1, compressor.CompressFile(in, out));
    EXPECT_FALSE(in.IsOpen());
    EXPECT_FALSE(out.IsOpen());
    EXPECT_EQ((Bytes{9, 9}), Contents(out));

    CVLBuffer a(10);
    CVLBuffer b;
    EXPECT_EQ(1, compressor.CompressBuffer(a, b));
    EXPECT_EQ(1, compressor.CompressBufferZLIB(a, b));
    EXPECT_EQ(0u, b.GetLength());

    CMVDecompressor decompressor;
    EXPECT_EQ(1, decompressor.DecompressBuffer(a, b));
    ASSERT_NE(nullptr, decompressor.GetErrorText());
    EXPECT_EQ(CVLString("General error."), *decompressor.GetErrorText());
    EXPECT_EQ(10u, a.GetLength());
    EXPECT_EQ(0u, b.GetLength());
}

TEST(Compress, DecoderRefusesOtherTags)
{
    struct Case {
        const char* name;
        Bytes input;
    };
    // clang-format off
    const Case cases[] = {
        {"SZLIB", {'S', 'Z', 'L', 'I', 'B', 0, 1, 0, 0, 0, 0x78, 0x9C}},
        {"short", {'L', 'Z', 'W', '1', '2'}},
        {"unknown", {'L', 'Z', 'W', '1', '3', 0, 0x10, 0x01, 0x00}},
        {"empty", {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMVDecompressor decompressor;
        Bytes decoded;
        EXPECT_EQ(1, Decompress(c.input, decoded, &decompressor));
        ASSERT_NE(nullptr, decompressor.GetErrorText());
        EXPECT_EQ(CVLString("General error."), *decompressor.GetErrorText());
    }
}

TEST(Compress, TagRecognition)
{
    auto buffer = [](const char* bytes, unsigned n) {
        CVLBuffer b;
        b.AppendToBuffer(bytes, n);
        return b;
    };
    CVLBuffer szlib6 = buffer("SZLIB\0", 6);
    CVLBuffer szlib7 = buffer("SZLIB\0x", 7);
    CVLBuffer lzw7 = buffer("LZW12\0x", 7);
    EXPECT_FALSE(CMVDecompressor::IsBufferCompressed(szlib6));
    EXPECT_TRUE(CMVDecompressor::IsBufferCompressed(szlib7));
    EXPECT_FALSE(CMVDecompressor::IsBufferCompressed(lzw7));

    struct Case {
        const char* name;
        Bytes content;
        bool compressed;
    };
    // clang-format off
    const Case cases[] = {
        {"LZW12", Tagged({0x10, 0x01, 0x00}), true},
        {"SZLIB", {'S', 'Z', 'L', 'I', 'B', 0, 0, 0}, true},
        {"text", {'h', 'e', 'l', 'l', 'o', '!'}, false},
        {"too short", {'L', 'Z'}, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CVLMemFile file;
        Fill(file, c.content);
        EXPECT_EQ(c.compressed, CMVDecompressor::IsFileCompressed(file));
        EXPECT_FALSE(file.IsOpen());
    }
}

TEST(Compress, CompressionCandidates)
{
    EXPECT_FALSE(CMVCompressor::IsBufferCandidateForCompression(*std::make_unique<CVLBuffer>(1023)));
    EXPECT_TRUE(CMVCompressor::IsBufferCandidateForCompression(*std::make_unique<CVLBuffer>(1024)));

    auto file600 = [](const Bytes& head) {
        Bytes b(600, 'a');
        std::copy(head.begin(), head.end(), b.begin());
        return b;
    };
    struct Case {
        const char* name;
        Bytes content;
        bool inMode1;
        bool inMode0;
    };
    // clang-format off
    const Case cases[] = {
        {"511-byte text", Bytes(511, 'a'), false, false},
        {"600-byte text", Bytes(600, 'a'), true, true},
        {"GIF89a", file600({'G', 'I', 'F', '8', '9', 'a'}), true, false},
        {"JPEG JFIF", file600({0xFF, 0xD8, 0xFF, 0xE0, 0x00}), true, false},
        {"JPEG Exif", file600({0xFF, 0xD8, 0xFF, 0xE1, 0x17}), false, false},
        {"PNG", file600({0x89, 'P', 'N', 'G', 0x0D, 0x0A}), false, false},
        {"gzip", file600({0x1F, 0x8B, 0x08}), false, false},
        {"compound document", file600({0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1}), true, false},
        {"QuickTime", file600({0, 0, 0, 0x20, 'm', 'o', 'o', 'v'}), false, false},
        {"ID3v2", file600({'I', 'D', '3', 4, 0, 0, 0x10, 0x20, 0x30, 0x40}), false, false},
        {"ID3 with large size byte", file600({'I', 'D', '3', 4, 0, 0, 0x80, 0, 0, 0}), true, true},
        {"MPEG audio frame", file600({0xFF, 0xFB, 0x90}), false, false},
        {"FF FB EF is not a frame", file600({0xFF, 0xFB, 0xF0}), true, true},
        {"xz", file600({0xFD, '7', 'z', 'X', 'Z', 0}), false, false},
        {"MP4", file600({'f', 't', 'y', 'p', 'i', 's', 'o', 'm'}), false, false},
        {"zlib", file600({0x78, 0xDA}), false, false},
        {"zlib lookalike", file600({0x78, 0x01}), true, true},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CVLMemFile file;
        Fill(file, c.content);
        EXPECT_EQ(c.inMode1, CMVCompressor::IsFileCandidateForCompression(file, compressorModeZLIB));
        EXPECT_EQ(c.inMode0, CMVCompressor::IsFileCandidateForCompression(file, compressorModeLZW12));
        EXPECT_FALSE(file.IsOpen());
    }
    EXPECT_FALSE(CMVCompressor::IsID3v2Header(nullptr));
    EXPECT_FALSE(CMVCompressor::IsMP3Header(nullptr));
}

TEST(Compress, DiskFilesRoundTripAndAreClosed)
{
    CVLString inName, packedName, outName;
    ASSERT_TRUE(CVLFile::GetTempFilename(inName, CVLString()));
    ASSERT_TRUE(CVLFile::GetTempFilename(packedName, CVLString()));
    ASSERT_TRUE(CVLFile::GetTempFilename(outName, CVLString()));
    Bytes input = PseudoText(200000, 21);
    {
        CVLFile f(inName);
        ASSERT_TRUE(f.Open(CVLFile::kOpenCreate));
        ASSERT_EQ(input.size(), f.Write(input.data(), static_cast<unsigned>(input.size())));
        f.Close();
    }
    CVLFile in(inName), packed(packedName), out(outName);
    EXPECT_FALSE(CMVCompressor::IsFileCandidateForCompression(packed, compressorModeZLIB));  // empty file
    EXPECT_TRUE(CMVCompressor::IsFileCandidateForCompression(in, compressorModeZLIB));
    CMVCompressor compressor;
    compressor.SetCompressionMethod(compressorModeLZW12);
    compressor.SetMaxOutputSize(static_cast<unsigned>(input.size() - input.size() / 4));
    ASSERT_EQ(0, compressor.CompressFile(in, packed));
    EXPECT_FALSE(in.IsOpen());
    EXPECT_FALSE(packed.IsOpen());
    EXPECT_EQ(compressor.GetOutputCount() + 6, packed.GetLength());
    EXPECT_TRUE(CMVDecompressor::IsFileCompressed(packed));

    CMVDecompressor decompressor;
    ASSERT_EQ(0, decompressor.DecompressFile(packed, out));
    EXPECT_FALSE(packed.IsOpen());
    EXPECT_FALSE(out.IsOpen());
    EXPECT_EQ(input.size(), out.GetLength());
    EXPECT_EQ(out.GetCRC32(), decompressor.GetDecodedCRC());
    EXPECT_EQ(ReferenceCRC32(input), decompressor.GetDecodedCRC());

    unlink(inName.GetBufferPtr());
    unlink(packedName.GetBufferPtr());
    unlink(outName.GetBufferPtr());
}

TEST(Compress, ReadAndWriteFailuresAreReported)
{
    // A folder opens for reading but every read fails; /dev/full refuses every write.
    CMVCompressor compressor;
    compressor.SetCompressionMethod(compressorModeLZW12);
    CVLFile folder(CVLString("/tmp"));
    CVLMemFile out;
    EXPECT_EQ(compressorFileReadError, compressor.CompressFile(folder, out));
    EXPECT_EQ(CVLString("File read error."), *compressor.GetErrorText());

    if (access("/dev/full", W_OK) == 0) {
        CVLMemFile in;
        Fill(in, PseudoText(100000, 3));
        CVLFile full(CVLString("/dev/full"));
        EXPECT_EQ(compressorFileWriteError, compressor.CompressFile(in, full));
        EXPECT_EQ(CVLString("File write error."), *compressor.GetErrorText());

        Bytes compressed;
        ASSERT_EQ(0, Compress(PseudoText(100000, 3), compressed));
        CVLMemFile packed;
        Fill(packed, compressed);
        CMVDecompressor decompressor;
        EXPECT_EQ(decompressorFileWriteError, decompressor.DecompressFile(packed, full));
        EXPECT_EQ(CVLString("File write error."), *decompressor.GetErrorText());
        EXPECT_FALSE(full.IsOpen());
    }
}
