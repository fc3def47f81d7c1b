// LZW12 data. Any bytes (as a whole file, or as a code stream after the tag) decode to a result
// or an error, never past the output cap; a success reports the length and CRC-32 of what it
// wrote, a failure a text; a decompressor used again gives the same answer. Compressing the
// bytes and decompressing the result gives them back.

#include <string>

#include "CMVCompressor.h"
#include "CMVDecompressor.h"
#include "CVLMemFile.h"
#include "FuzzSupport.h"

namespace {

const unsigned kMaxDecoded = 1024 * 1024;

void Fill(CVLMemFile& file, const std::string& bytes)
{
    file.Open(CVLFile::kOpenCreate);
    if (!bytes.empty())
        file.Write(bytes.data(), static_cast<unsigned>(bytes.size()));
    file.Close();
}

std::string Contents(CVLMemFile& file)
{
    const char* p = file.GetContentPtr();
    return p ? std::string(p, file.GetLength()) : std::string();
}

unsigned Crc32(const std::string& bytes)
{
    unsigned crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

struct Result {
    int code = 0;
    std::string output;
};

Result Decode(CMVDecompressor& decompressor, const std::string& input)
{
    CVLMemFile in;
    CVLMemFile out;
    Fill(in, input);
    Result r;
    r.code = decompressor.DecompressFile(in, out);
    r.output = Contents(out);
    FUZZ_CHECK(r.code >= 0 && r.code <= 4);
    if (r.code == 0) {
        FUZZ_CHECK(decompressor.GetErrorText() == nullptr);
        FUZZ_CHECK(r.output.size() <= kMaxDecoded);
        FUZZ_CHECK(decompressor.GetDecodedLength() == r.output.size());
        FUZZ_CHECK(decompressor.GetDecodedCRC() == Crc32(r.output));
    } else {
        FUZZ_CHECK(decompressor.GetErrorText() != nullptr);
        FUZZ_CHECK(!decompressor.GetErrorText()->IsEmpty());
    }
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 128 * 1024)
        return 0;
    // The first byte picks the shape: the bytes as they are, or a code stream behind the tag.
    std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] & 1)
        input.insert(0, std::string("LZW12\0", 6));

    CMVDecompressor decompressor;
    decompressor.SetMaxDecodedLength(kMaxDecoded);
    const Result first = Decode(decompressor, input);
    const Result second = Decode(decompressor, input);
    FUZZ_CHECK(first.code == second.code);
    if (first.code == 0)
        FUZZ_CHECK(first.output == second.output);

    // Round trip of the raw bytes.
    const std::string plain(reinterpret_cast<const char*>(data), size);
    CMVCompressor compressor;
    compressor.SetCompressionMethod(compressorModeLZW12);
    CVLMemFile in;
    CVLMemFile packed;
    Fill(in, plain);
    FUZZ_CHECK(compressor.CompressFile(in, packed) == 0);
    const std::string compressed = Contents(packed);
    FUZZ_CHECK(compressed.compare(0, 6, std::string("LZW12\0", 6)) == 0);
    FUZZ_CHECK(CMVDecompressor::IsFileCompressed(packed));

    CMVDecompressor unpacker;
    const Result back = Decode(unpacker, compressed);
    FUZZ_CHECK(back.code == 0);
    FUZZ_CHECK(back.output == plain);
    return 0;
}
