#pragma once

// Shared helpers of the codec tests: memory files in and out, a 12-bit code packer and an
// independent bitwise CRC-32.

#include "CMVCompressor.h"
#include "CMVDecompressor.h"
#include "CVLMemFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace codec_test {

using Bytes = std::vector<unsigned char>;

inline Bytes Tagged(const Bytes& stream)
{
    Bytes out = {'L', 'Z', 'W', '1', '2', 0};
    out.insert(out.end(), stream.begin(), stream.end());
    return out;
}

inline void Fill(CVLMemFile& file, const Bytes& bytes)
{
    file.Open(CVLFile::kOpenCreate);
    if (!bytes.empty())
        file.Write(bytes.data(), static_cast<unsigned>(bytes.size()));
    file.Close();
}

inline Bytes Contents(CVLMemFile& file)
{
    unsigned length = file.GetLength();
    const unsigned char* p = reinterpret_cast<const unsigned char*>(file.GetContentPtr());
    return p ? Bytes(p, p + length) : Bytes();
}

inline int Compress(const Bytes& input, Bytes& output, unsigned maxOutput = 0, CMVCompressor* use = nullptr)
{
    CMVCompressor local;
    CMVCompressor& compressor = use ? *use : local;
    compressor.SetCompressionMethod(compressorModeLZW12);
    compressor.SetMaxOutputSize(maxOutput);
    CVLMemFile in;
    CVLMemFile out;
    Fill(in, input);
    int result = compressor.CompressFile(in, out);
    output = Contents(out);
    return result;
}

inline int Decompress(const Bytes& input, Bytes& output, CMVDecompressor* use = nullptr)
{
    CMVDecompressor local;
    CMVDecompressor& decompressor = use ? *use : local;
    CVLMemFile in;
    CVLMemFile out;
    Fill(in, input);
    int result = decompressor.DecompressFile(in, out);
    output = Contents(out);
    return result;
}

// Packs 12-bit codes the way the format does: most significant bits first, a lone last code
// padded with a zero nibble.
inline Bytes PackCodes(const std::vector<unsigned>& codes)
{
    Bytes out;
    for (size_t i = 0; i < codes.size(); i += 2) {
        unsigned a = codes[i] & 0xFFF;
        out.push_back(static_cast<unsigned char>(a >> 4));
        if (i + 1 < codes.size()) {
            unsigned b = codes[i + 1] & 0xFFF;
            out.push_back(static_cast<unsigned char>(((a & 0xF) << 4) | (b >> 8)));
            out.push_back(static_cast<unsigned char>(b & 0xFF));
        } else {
            out.push_back(static_cast<unsigned char>((a & 0xF) << 4));
        }
    }
    return out;
}

inline std::vector<unsigned> UnpackCodes(const Bytes& stream)
{
    std::vector<unsigned> codes;
    size_t i = 0;
    while (i + 1 < stream.size()) {
        codes.push_back((static_cast<unsigned>(stream[i]) << 4) | (stream[i + 1] >> 4));
        if (i + 2 >= stream.size())
            break;
        codes.push_back((static_cast<unsigned>(stream[i + 1] & 0x0F) << 8) | stream[i + 2]);
        i += 3;
    }
    return codes;
}

inline uint32_t ReferenceCRC32(const Bytes& bytes)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// Deterministic pseudo-text: words from a small vocabulary, some digits and punctuation.
inline Bytes PseudoText(size_t size, uint32_t seed)
{
    static const char* const kWords[] = {"issue", "test", "run", "requirement", "project", "server", "link",
                                         "the", "of", "and", "client", "corvane", "vlstudio", "item", "\n"};
    Bytes out;
    out.reserve(size);
    uint32_t x = seed;
    while (out.size() < size) {
        x = x * 1664525u + 1013904223u;
        const char* w = kWords[(x >> 16) % (sizeof kWords / sizeof kWords[0])];
        for (const char* p = w; *p && out.size() < size; ++p)
            out.push_back(static_cast<unsigned char>(*p));
        if (out.size() < size)
            out.push_back((x >> 8) % 7 == 0 ? static_cast<unsigned char>('0' + (x >> 24) % 10) : ' ');
    }
    return out;
}

inline Bytes RandomBytes(size_t size, uint32_t seed)
{
    Bytes out(size);
    uint32_t x = seed;
    for (auto& b : out) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b = static_cast<unsigned char>(x >> 7);
    }
    return out;
}

}  // namespace codec_test
