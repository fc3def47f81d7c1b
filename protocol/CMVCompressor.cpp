#include "CMVCompressor.h"

#include "CVLBuffer.h"
#include "CVLFile.h"
#include "CVLMemFile.h"

#include <cstdint>
#include <cstring>

namespace {

const unsigned char kLZW12Tag[6] = {'L', 'Z', 'W', '1', '2', 0};
const unsigned char kSZLIBTag[6] = {'S', 'Z', 'L', 'I', 'B', 0};

const int kReadFlags = 0x0004;
const int kCandidateReadFlags = 0x1004;
const int kCreateFlags = 0x0010;

// Below this many bytes read since the last check the ratio is not looked at.
const unsigned kRatioWindow = 10000;

// The dictionary as the compression run searches it: open addressing over a power-of-two table
// well above the 3838 codes a run can hold, keyed by the (prefix, byte) pair. It holds exactly
// the pairs the 5021-slot LZWFind table would hold, so the codes written are the same; only
// the search takes fewer probes (the 16-bit cut of LZWFind's hash makes prefixes 512 apart
// start at the same slot).
class PairTable
{
public:
    PairTable() : m_Slots(new Slot[kSlots]) { Wipe(); }

    // Random input clears the dictionary every few kilobytes: a clear only starts a new
    // generation, and slots of older generations count as empty.
    void Clear()
    {
        if (++m_Generation == 0)
            Wipe();
    }

    // The slot holding the pair, or the empty slot where it belongs.
    unsigned Find(unsigned short prefix, unsigned char c, std::uint32_t& key) const
    {
        key = (static_cast<std::uint32_t>(prefix) << 8) | c;
        unsigned slot = (key * 2654435761u) >> (32 - kBits);
        while (m_Slots[slot].generation == m_Generation && m_Slots[slot].key != key)
            slot = (slot + 1) & (kSlots - 1);
        return slot;
    }
    bool Holds(unsigned slot, std::uint32_t key) const
    {
        return m_Slots[slot].generation == m_Generation && m_Slots[slot].key == key;
    }
    unsigned short Code(unsigned slot) const { return m_Slots[slot].code; }
    void Set(unsigned slot, std::uint32_t key, unsigned short code) { m_Slots[slot] = Slot{key, code, m_Generation}; }

private:
    void Wipe()
    {
        std::memset(m_Slots.get(), 0, sizeof(Slot) * kSlots);
        m_Generation = 1;  // generation 0 marks never-used slots
    }

    static const unsigned kBits = 13;
    static const unsigned kSlots = 1u << kBits;
    struct Slot {
        std::uint32_t key;
        unsigned short code;
        unsigned short generation;
    };
    std::unique_ptr<Slot[]> m_Slots;
    unsigned short m_Generation = 1;
};

}  // namespace

CMVCompressor::CMVCompressor() = default;

CMVCompressor::~CMVCompressor() = default;

void CMVCompressor::SetError(compressorErrors error)
{
    const char* text = nullptr;
    switch (error) {
    case compressorNoError:
        m_pErrorText.reset();
        return;
    case compressorGeneralError:
        text = "General error.";
        break;
    case compressorFileWriteError:
        text = "File write error.";
        break;
    case compressorFileReadError:
        text = "File read error.";
        break;
    case compressorMemoryError:
        text = "Memory error.";
        break;
    case compressorMaxSizeExceeded:
        text = "Max compressed size exceeded.";
        break;
    default:
        text = "Undefined error.";
        break;
    }
    if (!m_pErrorText)
        m_pErrorText.reset(new CVLString());
    *m_pErrorText = text;
}

compressorErrors CMVCompressor::CompressFile(CVLFile& input, CVLFile& output)
{
    if (m_CompressionMethod == compressorModeLZW12)
        return CompressFileLZW12(input, output);
    return CompressFileZLIB(input, output);
}

compressorErrors CMVCompressor::CompressFileZLIB(CVLFile&, CVLFile&)
{
    return compressorGeneralError;
}

compressorErrors CMVCompressor::CompressBuffer(CVLBuffer&, CVLBuffer&)
{
    return compressorGeneralError;
}

compressorErrors CMVCompressor::CompressBufferZLIB(CVLBuffer&, CVLBuffer&)
{
    return compressorGeneralError;
}

bool CMVCompressor::IsBufferCandidateForCompression(CVLBuffer& buffer)
{
    return buffer.GetLength() > 1023;
}

compressorErrors CMVCompressor::WriteOutBlock(CVLFile& output)
{
    if (m_OutBlockUsed == 0)
        return compressorNoError;
    unsigned used = m_OutBlockUsed;
    m_OutBlockUsed = 0;
    if (output.IsMemFile()) {
        // Grow a memory file geometrically instead of by one block at a time.
        CVLMemFile& memory = static_cast<CVLMemFile&>(output);
        unsigned long long needed = static_cast<unsigned long long>(memory.GetPosition()) + used;
        if (needed > memory.GetCapacity()) {
            unsigned long long target = static_cast<unsigned long long>(memory.GetCapacity()) * 2;
            if (target < needed)
                target = needed;
            if (target <= 0xFFFFFFFFull)
                memory.GrowTo(static_cast<unsigned>(target));
        }
    }
    if (output.Write(m_OutBlock.get(), used) != used)
        return compressorFileWriteError;
    return compressorNoError;
}

compressorErrors CMVCompressor::LZWOutInit(CVLFile& output)
{
    output.Close();
    if (!output.Open(kCreateFlags))
        return compressorFileWriteError;
    if (output.Write(kLZW12Tag, sizeof kLZW12Tag) != sizeof kLZW12Tag)
        return compressorFileWriteError;
    if (!m_OutBlock)
        m_OutBlock.reset(new unsigned char[kBlockSize]);
    m_OutBlockUsed = 0;
    m_bPending = false;
    m_PendingByte = 0;
    m_BestRatio = 100;
    m_LastRatio = 100;
    return compressorNoError;
}

compressorErrors CMVCompressor::ZLIBOutInit(CVLFile& output, unsigned value)
{
    output.Close();
    if (!output.Open(kCreateFlags))
        return compressorFileWriteError;
    unsigned char head[10];
    std::memcpy(head, kSZLIBTag, 6);
    head[6] = static_cast<unsigned char>(value);
    head[7] = static_cast<unsigned char>(value >> 8);
    head[8] = static_cast<unsigned char>(value >> 16);
    head[9] = static_cast<unsigned char>(value >> 24);
    if (output.Write(head, sizeof head) != sizeof head)
        return compressorFileWriteError;
    return compressorNoError;
}

compressorErrors CMVCompressor::LZWOut(CVLFile& output, unsigned short code)
{
    if (!m_OutBlock)
        m_OutBlock.reset(new unsigned char[kBlockSize]);
    // Keep room for the two bytes of a pair's second half.
    if (m_OutBlockUsed + 2 > kBlockSize) {
        compressorErrors error = WriteOutBlock(output);
        if (error)
            return error;
    }
    unsigned char* out = m_OutBlock.get() + m_OutBlockUsed;
    if (!m_bPending) {
        out[0] = static_cast<unsigned char>(code >> 4);
        m_PendingByte = static_cast<unsigned char>((code << 4) & 0xF0);
        m_bPending = true;
        m_OutBlockUsed += 1;
        m_OutputCount += 1;
        m_WindowOutCount += 1;
    } else {
        out[0] = static_cast<unsigned char>(m_PendingByte | ((code >> 8) & 0x0F));
        out[1] = static_cast<unsigned char>(code & 0xFF);
        m_bPending = false;
        m_OutBlockUsed += 2;
        m_OutputCount += 2;
        m_WindowOutCount += 2;
    }
    if (m_MaxOutputSize && m_OutputCount > m_MaxOutputSize)
        return compressorMaxSizeExceeded;
    return compressorNoError;
}

compressorErrors CMVCompressor::LZWOutFlush(CVLFile& output)
{
    if (!m_OutBlock)
        m_OutBlock.reset(new unsigned char[kBlockSize]);
    if (m_bPending) {
        if (m_OutBlockUsed + 1 > kBlockSize) {
            compressorErrors error = WriteOutBlock(output);
            if (error)
                return error;
        }
        m_OutBlock[m_OutBlockUsed++] = m_PendingByte;
        m_bPending = false;
        m_OutputCount += 1;
    }
    return WriteOutBlock(output);
}

int CMVCompressor::LZWFind(unsigned short prefix, int c, MVCmpDictionary* table)
{
    unsigned slot = (static_cast<unsigned short>((prefix << 7) ^ c)) % kTableSize;
    unsigned step = 11;
    unsigned wraps = 0;
    for (;;) {
        const MVCmpDictionary& entry = table[slot];
        if (entry.code == kEmptySlot || (entry.prefix == prefix && entry.byte == c))
            return static_cast<int>(slot);
        slot += step;
        if (slot >= kTableSize) {
            slot -= kTableSize;
            if (wraps >= 5)
                step = 1;
            ++wraps;
        }
    }
}

compressorErrors CMVCompressor::CompressFileLZW12(CVLFile& input, CVLFile& output)
{
    compressorErrors result = LZW12Run(input, output);
    input.Close();
    output.Close();
    m_OutBlockUsed = 0;
    SetError(result);
    return result;
}

compressorErrors CMVCompressor::LZW12Run(CVLFile& input, CVLFile& output)
{
    m_OutputCount = 0;
    m_WindowInCount = 0;
    m_WindowOutCount = 0;

    input.Close();
    if (!input.Open(kReadFlags) || !input.SeekToBegin())
        return compressorFileReadError;
    compressorErrors error = LZWOutInit(output);
    if (error)
        return error;

    PairTable table;
    std::unique_ptr<unsigned char[]> inBlock(new unsigned char[kBlockSize]);

    unsigned short nextCode = kFirstCode;
    unsigned short prefix = kEndCode;
    unsigned char first = 0;
    if (input.Read(&first, 1) == 1) {
        prefix = first;
        m_WindowInCount = 1;
    } else if (!input.IsAtEnd()) {
        return compressorFileReadError;
    }

    if (prefix != kEndCode) {
        for (;;) {
            unsigned got = input.Read(inBlock.get(), kBlockSize);
            // A read that fails returns 0 without reaching the end: the output would be cut short.
            if (got == 0 && !input.IsAtEnd())
                return compressorFileReadError;
            if (got == 0)
                break;
            const unsigned char* bytes = inBlock.get();
            for (unsigned i = 0; i < got; ++i) {
                const int c = bytes[i];
                ++m_WindowInCount;
                std::uint32_t key = 0;
                const unsigned slot = table.Find(prefix, static_cast<unsigned char>(c), key);
                if (table.Holds(slot, key)) {
                    prefix = table.Code(slot);
                    continue;
                }
                // The common case of LZWOut written out here: room in the block, no size limit.
                if (!m_MaxOutputSize && m_OutBlockUsed + 2 <= kBlockSize && m_OutBlock) {
                    unsigned char* out = m_OutBlock.get() + m_OutBlockUsed;
                    const unsigned written = m_bPending ? 2u : 1u;
                    if (!m_bPending) {
                        out[0] = static_cast<unsigned char>(prefix >> 4);
                        m_PendingByte = static_cast<unsigned char>((prefix << 4) & 0xF0);
                    } else {
                        out[0] = static_cast<unsigned char>(m_PendingByte | ((prefix >> 8) & 0x0F));
                        out[1] = static_cast<unsigned char>(prefix & 0xFF);
                    }
                    m_bPending = !m_bPending;
                    m_OutBlockUsed += written;
                    m_OutputCount += written;
                    m_WindowOutCount += written;
                } else {
                    error = LZWOut(output, prefix);
                    if (error)
                        return error;
                }
                if (nextCode <= kMaxCode)
                    table.Set(slot, key, nextCode++);
                if (m_WindowInCount >= kRatioWindow) {
                    unsigned ratio = static_cast<unsigned>(
                        static_cast<unsigned long long>(m_WindowOutCount) * 100u / m_WindowInCount);
                    m_WindowInCount = 0;
                    m_WindowOutCount = 0;
                    if (ratio <= m_BestRatio) {
                        m_BestRatio = ratio;
                    } else if (ratio >= 51 && (ratio > 90 || ratio > m_LastRatio + 10)) {
                        error = LZWOut(output, kClearCode);
                        if (error)
                            return error;
                        table.Clear();
                        nextCode = kFirstCode;
                    }
                    m_LastRatio = ratio;
                }
                prefix = static_cast<unsigned short>(c);
            }
            if (got < kBlockSize)
                break;
        }
    }

    error = LZWOut(output, prefix);
    if (!error)
        error = LZWOut(output, kEndCode);
    if (!error)
        error = LZWOutFlush(output);
    return error;
}

// Signature check ---------------------------------------------------------------------------

bool CMVCompressor::IsID3v2Header(unsigned char* h)
{
    if (!h)
        return false;
    return h[0] == 0x49 && h[1] == 0x44 && h[2] == 0x33 && h[3] != 0xFF && h[4] != 0xFF && h[6] < 0x80 &&
           h[7] < 0x80 && h[8] < 0x80 && h[9] < 0x80;
}

bool CMVCompressor::IsMP3Header(unsigned char* h)
{
    if (!h)
        return false;
    return h[0] == 0xFF && (h[1] & 0xF0) == 0xF0 && (h[1] & 0x06) != 0 && h[2] >= 0x10 && h[2] <= 0xEF;
}

namespace {

enum SignatureKind { kPrefix, kMoov, kID3v2, kMP3, kZlib };
enum SignatureResult { kNotCandidate, kCandidateInMode1 };

struct Signature {
    SignatureKind kind;
    SignatureResult result;
    unsigned length;
    unsigned char bytes[8];
};

// clang-format off
// The first matching row decides.
const Signature kSignatures[] = {
    {kPrefix, kCandidateInMode1, 5, {0xFF, 0xD8, 0xFF, 0xE0, 0x00}},                   // JPEG (JFIF)
    {kPrefix, kNotCandidate,     5, {0xFF, 0xD8, 0xFF, 0xFE, 0x00}},                   // JPEG, comment first
    {kPrefix, kNotCandidate,     5, {0xFF, 0xD8, 0xFF, 0xE1, 0x17}},                   // JPEG (Exif)
    {kPrefix, kNotCandidate,     4, {0x50, 0x4B, 0x03, 0x04}},                         // ZIP
    {kPrefix, kNotCandidate,     3, {0x1F, 0x8B, 0x08}},                               // gzip
    {kPrefix, kNotCandidate,     6, {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A}},             // PNG
    {kPrefix, kNotCandidate,     8, {0x50, 0x4B, 0x30, 0x30, 0x50, 0x4B, 0x03, 0x04}}, // spanned ZIP
    {kPrefix, kNotCandidate,     3, {0x42, 0x5A, 0x68}},                               // bzip2
    {kPrefix, kNotCandidate,     2, {0x1F, 0x9D}},                                     // compress
    {kPrefix, kNotCandidate,     4, {0x4D, 0x53, 0x43, 0x46}},                         // cabinet
    {kPrefix, kNotCandidate,     4, {0x5A, 0x4F, 0x4F, 0x20}},                         // zoo
    {kPrefix, kNotCandidate,     5, {0x2D, 0x6C, 0x68, 0x35, 0x2D}},                   // LHA
    {kPrefix, kNotCandidate,     2, {0x60, 0xEA}},                                     // ARJ
    {kPrefix, kCandidateInMode1, 6, {0x47, 0x49, 0x46, 0x38, 0x39, 0x61}},             // GIF89a
    {kPrefix, kCandidateInMode1, 6, {0x47, 0x49, 0x46, 0x38, 0x37, 0x61}},             // GIF87a
    {kPrefix, kNotCandidate,     3, {0x49, 0x49, 0x2A}},                               // TIFF
    {kPrefix, kNotCandidate,     3, {0x4D, 0x4D, 0x2A}},                               // TIFF
    {kPrefix, kNotCandidate,     4, {0x53, 0x49, 0x54, 0x21}},                         // StuffIt
    {kPrefix, kNotCandidate,     7, {0x53, 0x74, 0x75, 0x66, 0x66, 0x49, 0x74}},       // StuffIt
    {kPrefix, kNotCandidate,     4, {0x52, 0x61, 0x72, 0x21}},                         // RAR
    {kPrefix, kNotCandidate,     4, {0x00, 0x00, 0x01, 0xB3}},                         // MPEG video
    {kPrefix, kNotCandidate,     4, {0x41, 0x56, 0x49, 0x20}},                         // AVI
    {kPrefix, kNotCandidate,     4, {0x2E, 0x72, 0x61, 0xFD}},                         // RealAudio
    {kPrefix, kNotCandidate,     4, {0x5F, 0x27, 0xA8, 0x89}},                         // archive
    {kPrefix, kNotCandidate,     4, {0x38, 0x42, 0x50, 0x53}},                         // Photoshop
    {kPrefix, kNotCandidate,     4, {0x38, 0x42, 0x49, 0x4D}},                         // Photoshop
    {kPrefix, kCandidateInMode1, 4, {0x7F, 0xFE, 0x34, 0x0A}},                         // other
    {kPrefix, kCandidateInMode1, 6, {0x12, 0x34, 0x56, 0x78, 0x90, 0xFF}},             // other
    {kPrefix, kCandidateInMode1, 8, {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1}}, // compound document
    {kMoov,   kNotCandidate,     4, {'m', 'o', 'o', 'v'}},                             // QuickTime, bytes 4 to 7
    {kID3v2,  kNotCandidate,     0, {0}},                                              // MP3 with ID3v2
    {kMP3,    kNotCandidate,     0, {0}},                                              // MPEG audio frame
    {kPrefix, kNotCandidate,     4, {0x50, 0x4B, 0x05, 0x06}},                         // empty ZIP
    {kPrefix, kNotCandidate,     6, {0x37, 0x7A, 0xBC, 0xAF, 0x27, 0x1C}},             // 7-Zip
    {kPrefix, kNotCandidate,     4, {0x4C, 0x5A, 0x49, 0x50}},                         // lzip
    {kPrefix, kNotCandidate,     6, {0xFD, 0x37, 0x7A, 0x58, 0x5A, 0x00}},             // xz
    {kPrefix, kNotCandidate,     4, {0x04, 0x22, 0x4D, 0x18}},                         // LZ4
    {kPrefix, kNotCandidate,     4, {0x1A, 0x45, 0xDF, 0xA3}},                         // Matroska
    {kPrefix, kNotCandidate,     8, {'f', 't', 'y', 'p', 'i', 's', 'o', 'm'}},         // MP4
    {kZlib,   kNotCandidate,     0, {0}},                                              // zlib stream
};
// clang-format on

bool Matches(const Signature& sig, unsigned char* head)
{
    switch (sig.kind) {
    case kPrefix:
        return std::memcmp(head, sig.bytes, sig.length) == 0;
    case kMoov:
        return std::memcmp(head + 4, sig.bytes, sig.length) == 0;
    case kID3v2:
        return CMVCompressor::IsID3v2Header(head);
    case kMP3:
        return CMVCompressor::IsMP3Header(head);
    case kZlib:
        return head[0] == 0x78 && (head[1] == 0x9C || head[1] == 0xDA || head[1] == 0xBB || head[1] == 0xF9);
    }
    return false;
}

}  // namespace

bool CMVCompressor::IsFileCandidateForCompression(CVLFile& file, compressorMode mode)
{
    if (!file.Open(kCandidateReadFlags))
        return false;
    bool result = false;
    if (file.GetLength() >= 512) {
        unsigned char head[50];
        std::memset(head, 0, sizeof head);
        if (file.Read(head, sizeof head) == sizeof head) {
            result = true;
            for (const Signature& sig : kSignatures) {
                if (Matches(sig, head)) {
                    result = sig.result == kCandidateInMode1 && mode == compressorModeZLIB;
                    break;
                }
            }
        }
    }
    file.Close();
    return result;
}
