#pragma once

#include "CVLString.h"

#include <memory>

class CVLBuffer;
class CVLFile;

// Values returned by the decompressor and passed to SetError.
enum decompressorErrors {
    decompressorNoError = 0,
    decompressorGeneralError = 1,
    decompressorFileWriteError = 2,
    decompressorFileReadError = 3,
    decompressorMemoryError = 4
};

// One dictionary entry of the decoder: the last byte of the entry's string and its prefix code.
struct MVDecmpDictionary {
    unsigned char byte;
    unsigned short prefix;
};

// Decodes files in the "LZW12" format (see CMVCompressor). "SZLIB" data and buffer
// decompression are not available and report failure (1).
// Damaged input never loops or overruns: a code the encoder cannot have produced (beyond the
// next free code, or a dictionary code right after a clear) fails with 1, data that ends
// before the end code fails with 3, and output beyond GetMaxDecodedLength() fails with 1.
// The socket layer keeps one decompressor per connection: dictionary and blocks live here.
class CMVDecompressor
{
public:
    static const unsigned kBlockSize = 32768;
    static const unsigned kDictionarySize = 4096;
    static const unsigned kStringBlockStart = 1000;
    static const unsigned kStringBlockGrowth = 1001;
    // Default cap on the bytes one decoding may produce.
    static const unsigned kDefaultMaxDecodedLength = 1024u * 1024u * 1024u;

    CMVDecompressor();
    virtual ~CMVDecompressor();

    CMVDecompressor(const CMVDecompressor&) = delete;
    CMVDecompressor& operator=(const CMVDecompressor&) = delete;

    // Opens closed files (input for reading, output created/truncated), decodes from the start
    // of the input and closes only the files it opened. 0 or a decompressorErrors value; on
    // failure the output holds a partial result that the caller discards.
    decompressorErrors DecompressFile(CVLFile& input, CVLFile& output);
    // Decodes the code stream that follows the tag, from the input's current position.
    decompressorErrors DecompressFileLZW12(CVLFile& input, CVLFile& output);
    decompressorErrors DecompressFileZLIB(CVLFile& input, CVLFile& output);
    // Not available: "General error." and 1; the buffers are not changed.
    decompressorErrors DecompressBuffer(CVLBuffer& input, CVLBuffer& output);
    decompressorErrors DecompressBufferZLIB(CVLBuffer& input, CVLBuffer& output);

    // True when the file begins with the letters of either tag (a closed file is opened and
    // closed again; an open one is read from its start and put back where it was).
    static bool IsFileCompressed(CVLFile& file);
    // True when GetLength() is at least 7 and the bytes begin "SZLIB\0". "LZW12" buffers do not count.
    static bool IsBufferCompressed(CVLBuffer& buffer);

    // Bytes written by the last file decoding and their CRC-32.
    unsigned GetDecodedLength() const { return m_DecodedLength; }
    unsigned GetDecodedCRC() const { return m_DecodedCRC; }

    unsigned GetMaxDecodedLength() const { return m_MaxDecodedLength; }
    void SetMaxDecodedLength(unsigned maxBytes) { m_MaxDecodedLength = maxBytes; }

    // Text of the last failure; null after a success.
    const CVLString* GetErrorText() const { return m_pErrorText.get(); }
    void SetError(decompressorErrors error);

    // Steps of the decoding.
    void LZWInInit();
    // The next 12-bit code, or -1 when the input has no more bytes.
    int LZWIn(CVLFile& input);
    // Refills the input block; 3 when nothing could be read.
    decompressorErrors fillBucket(CVLFile& input);
    // Expands code's string into the string block, leaving reserve free bytes after it.
    // Returns the string's length (without the reserve); its first byte is at GetStringStart().
    unsigned LZWLoadBuffer(unsigned reserve, unsigned short code);
    const unsigned char* GetStringStart() const { return m_pStringBlock + m_StringStart; }

private:
    decompressorErrors WriteBytes(CVLFile& output, const unsigned char* bytes, unsigned count);
    decompressorErrors FlushOutBlock(CVLFile& output);
    decompressorErrors DecodeLZW12(CVLFile& input, CVLFile& output);
    void FreeStringBlock();

    unsigned char* m_pStringBlock = nullptr;
    unsigned m_StringBlockSize = 0;
    unsigned m_StringStart = 0;

    std::unique_ptr<unsigned char[]> m_InBlock;
    unsigned m_InBlockValid = 0;
    unsigned m_InBlockPos = 0;

    unsigned short m_NextCode = 258;
    MVDecmpDictionary m_Dictionary[kDictionarySize];
    // Length of each code's string, so that it can be expanded in place.
    unsigned short m_CodeLength[kDictionarySize];

    bool m_bPending = false;
    unsigned char m_PendingNibble = 0;
    unsigned short m_CurrentCode = 0;

    unsigned m_DecodedLength = 0;
    unsigned m_DecodedCRC = 0;
    std::unique_ptr<CVLString> m_pErrorText;

    unsigned m_MaxDecodedLength = kDefaultMaxDecodedLength;
    std::unique_ptr<unsigned char[]> m_OutBlock;
    unsigned m_OutBlockUsed = 0;
};
