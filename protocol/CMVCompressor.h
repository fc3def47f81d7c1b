#pragma once

#include "CVLString.h"

#include <memory>

class CVLBuffer;
class CVLFile;

// Values returned by the compressor and passed to SetError.
enum compressorErrors {
    compressorNoError = 0,
    compressorGeneralError = 1,
    compressorFileWriteError = 2,
    compressorFileReadError = 3,
    compressorMemoryError = 4,
    compressorMaxSizeExceeded = 5
};

// Compression methods; the mode argument of IsFileCandidateForCompression uses the same values.
enum compressorMode {
    compressorModeLZW12 = 0,
    compressorModeZLIB = 1
};

// One slot of the compressor's hash table: the entry (prefix code, appended byte) and its code.
struct MVCmpDictionary {
    unsigned char byte;
    unsigned short code;    // 4096 marks an empty slot
    unsigned short prefix;
};

// Compresses files into the "LZW12" format: the six tag bytes "LZW12\0", then 12-bit LZW codes
// packed most significant bits first (256 ends the data, 257 clears the dictionary).
// The "SZLIB" method and buffer compression are not available: they return 1 and change nothing.
// Every operation returns 0 or a compressorErrors value and records the matching text.
class CMVCompressor
{
public:
    static const unsigned kBlockSize = 32768;
    static const unsigned kTableSize = 5021;  // a prime
    static const unsigned short kEmptySlot = 4096;
    static const unsigned short kEndCode = 256;
    static const unsigned short kClearCode = 257;
    static const unsigned short kFirstCode = 258;
    static const unsigned short kMaxCode = 4095;

    CMVCompressor();
    virtual ~CMVCompressor();

    CMVCompressor(const CMVCompressor&) = delete;
    CMVCompressor& operator=(const CMVCompressor&) = delete;

    // LZW12 with the method 0; the ZLIB method (the default) returns 1 and touches nothing.
    compressorErrors CompressFile(CVLFile& input, CVLFile& output);
    // Both files are closed afterwards. On failure the output is incomplete: the caller discards it.
    compressorErrors CompressFileLZW12(CVLFile& input, CVLFile& output);
    compressorErrors CompressFileZLIB(CVLFile& input, CVLFile& output);
    compressorErrors CompressBuffer(CVLBuffer& input, CVLBuffer& output);
    compressorErrors CompressBufferZLIB(CVLBuffer& input, CVLBuffer& output);

    // True when the buffer holds more than 1023 bytes.
    static bool IsBufferCandidateForCompression(CVLBuffer& buffer);
    // Signature check of a closed file (opened and closed here): false for files shorter than
    // 512 bytes and for formats that are already compressed. Callers pass the mode 1.
    static bool IsFileCandidateForCompression(CVLFile& file, compressorMode mode);
    // Checks on a header already read (at least 10 bytes); false for null.
    static bool IsID3v2Header(unsigned char* header);
    static bool IsMP3Header(unsigned char* header);

    int GetCompressionMethod() const { return m_CompressionMethod; }
    void SetCompressionMethod(int method) { m_CompressionMethod = method; }
    // 0 means no limit; exceeding the limit fails the compression with 5.
    unsigned GetMaxOutputSize() const { return m_MaxOutputSize; }
    void SetMaxOutputSize(unsigned maxBytes) { m_MaxOutputSize = maxBytes; }
    // Bytes of code stream written by the last compression, not counting the tag.
    unsigned GetOutputCount() const { return m_OutputCount; }

    // Text of the last failure; null after a success.
    const CVLString* GetErrorText() const { return m_pErrorText.get(); }
    void SetError(compressorErrors error);

    // Steps of the compression, for the file-transfer code and the tests.
    compressorErrors LZWOutInit(CVLFile& output);
    compressorErrors LZWOut(CVLFile& output, unsigned short code);
    compressorErrors LZWOutFlush(CVLFile& output);
    // The slot holding (prefix, c), or the empty slot where it belongs.
    static int LZWFind(unsigned short prefix, int c, MVCmpDictionary* table);
    compressorErrors ZLIBOutInit(CVLFile& output, unsigned value);

private:
    compressorErrors WriteOutBlock(CVLFile& output);
    compressorErrors LZW12Run(CVLFile& input, CVLFile& output);

    int m_CompressionMethod = compressorModeZLIB;
    unsigned m_OutputCount = 0;
    unsigned m_WindowInCount = 0;
    unsigned m_WindowOutCount = 0;
    unsigned m_BestRatio = 100;
    unsigned m_LastRatio = 100;
    bool m_bPending = false;
    unsigned char m_PendingByte = 0;
    unsigned m_MaxOutputSize = 0;
    std::unique_ptr<CVLString> m_pErrorText;

    // Output block of one run: codes are collected here and written in 32768-byte pieces.
    std::unique_ptr<unsigned char[]> m_OutBlock;
    unsigned m_OutBlockUsed = 0;
};
