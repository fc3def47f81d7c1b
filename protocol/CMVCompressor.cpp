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
// keyed by the (prefix, byte) pair. Any table holding the same pairs yields the same codes. On
// random input nearly every byte is a miss, and a miss has to find an empty slot: with 32768
// slots for at most 3838 codes the table stays under an eighth full, so most searches end at the
// first probe, and 256 KiB still sit in the second-level cache.
// A slot is one 64-bit word: the code above bit 32 and below it the tag
// generation << 20 | prefix << 8 | byte, so a hit is one load and one compare. Random input
// clears the dictionary every few kilobytes: a clear only starts a new generation, and slots of
// older generations count as empty. Generation 0 marks never-used slots.
const unsigned kTableBits = 15;
const unsigned kTableSlots = 1u << kTableBits;
const unsigned kTableMask = kTableSlots - 1;
const unsigned kKeyBits = 20;
const std::uint32_t kLastGeneration = (1u << (32 - kKeyBits)) - 1;

// The start slot is the XOR of a hash of the prefix and one of the byte. The prefix's half is
// kept in the slot next to its code (bits 44 and up; the code is in bits 32 to 43), so that a
// hit hands the next look-up its hash without a multiplication on the loop's chain of dependent
// steps; the byte's half does not depend on the previous step. Full-width multiplicative hashes:
// the codes of a text are close together and its bytes few, and simpler mixes pile them into long
// runs of occupied slots.
inline unsigned PrefixMix(unsigned prefix)
{
    return (prefix * 2654435761u) >> (32 - kTableBits);
}
inline unsigned ByteMix(unsigned c)
{
    return ((c + 1) * 0x85EBCA6Bu) >> (32 - kTableBits);
}

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

    std::unique_ptr<std::uint64_t[]> slotStore(new std::uint64_t[kTableSlots]());
    std::uint64_t* const slots = slotStore.get();
    std::unique_ptr<unsigned char[]> inBlock(new unsigned char[kBlockSize]);

    unsigned prefix = kEndCode;
    unsigned char first = 0;
    if (input.Read(&first, 1) == 1) {
        prefix = first;
        m_WindowInCount = 1;
    } else if (!input.IsAtEnd()) {
        return compressorFileReadError;
    }

    if (prefix != kEndCode) {
        // The loop's state lives in locals so that it stays in registers: the byte stores into
        // the block may alias any member, which would make the compiler reload every counter
        // after each code. The members are brought up to date on every way out.
        unsigned char* const block = m_OutBlock.get();
        unsigned used = m_OutBlockUsed;
        bool pending = m_bPending;
        unsigned pendingByte = m_PendingByte;
        unsigned long long flushed = 0;      // code stream bytes handed to the file so far
        unsigned long long consumed = 1;     // input bytes before the current block
        unsigned long long windowStart = 0;  // input bytes before the ratio window
        unsigned long long windowOutStart = 0;
        unsigned bestRatio = m_BestRatio;
        unsigned lastRatio = m_LastRatio;
        unsigned nextCode = kFirstCode;
        std::uint32_t generation = 1;
        std::uint32_t genTag = generation << kKeyBits;
        unsigned prefixMix = PrefixMix(prefix);
        // A code makes the run fail once the stream would exceed this many bytes of the block.
        const unsigned maxOut = m_MaxOutputSize;
        unsigned usedLimit = maxOut ? maxOut : ~0u;

        auto sync = [&](unsigned long long inPos) {
            m_OutBlockUsed = used;
            m_bPending = pending;
            m_PendingByte = static_cast<unsigned char>(pendingByte);
            m_OutputCount = static_cast<unsigned>(flushed + used);
            m_WindowInCount = static_cast<unsigned>(inPos - windowStart);
            m_WindowOutCount = static_cast<unsigned>(flushed + used - windowOutStart);
            m_BestRatio = bestRatio;
            m_LastRatio = lastRatio;
        };
        // LZWOut on the locals: the same bytes, the same block boundaries, the same size check.
        auto put = [&](unsigned code) -> compressorErrors {
            // Keep room for the two bytes of a pair's second half.
            if (used + 2 > kBlockSize) {
                m_OutBlockUsed = used;
                flushed += used;
                used = 0;
                usedLimit = maxOut ? static_cast<unsigned>(maxOut - flushed) : ~0u;
                compressorErrors e = WriteOutBlock(output);
                if (e)
                    return e;
            }
            if (!pending) {
                block[used] = static_cast<unsigned char>(code >> 4);
                pendingByte = (code << 4) & 0xF0;
                used += 1;
            } else {
                block[used] = static_cast<unsigned char>(pendingByte | ((code >> 8) & 0x0F));
                block[used + 1] = static_cast<unsigned char>(code);
                used += 2;
            }
            pending = !pending;
            if (used > usedLimit)
                return compressorMaxSizeExceeded;
            return compressorNoError;
        };

        for (;;) {
            unsigned got = input.Read(inBlock.get(), kBlockSize);
            // A read that fails returns 0 without reaching the end: the output would be cut short.
            if (got == 0 && !input.IsAtEnd()) {
                sync(consumed);
                return compressorFileReadError;
            }
            if (got == 0)
                break;
            const unsigned char* const bytes = inBlock.get();
            // The ratio is looked at on the first miss at or after this index of the block.
            unsigned long long checkAt = windowStart + kRatioWindow;
            checkAt = checkAt > consumed + 1 ? checkAt - consumed - 1 : 0;
            unsigned i = 0;
            while (i < got) {
                // Stretches in which no code can need a flush of the block, reach the size limit
                // or fall due for the ratio check run through the short loop below; the bytes
                // around those points take the careful step after it.
                unsigned long long run = got - i;
                if (checkAt <= i)
                    run = 0;
                else if (checkAt - i < run)
                    run = checkAt - i;
                // Every byte makes at most one code of at most two bytes.
                const unsigned room = used + 2 <= kBlockSize ? (kBlockSize - 2 - used) / 2 : 0;
                if (room < run)
                    run = room;
                const unsigned limitRoom = usedLimit >= used ? (usedLimit - used) / 2 : 0;
                if (limitRoom < run)
                    run = limitRoom;
                if (run >= 16) {
                    const unsigned char* p = bytes + i;
                    const unsigned char* const stop = p + run;
                    unsigned char* out = block + used;
                    // The pending four bits and the new code, most significant first.
                    std::uint32_t bits = pending ? pendingByte >> 4 : 0;
                    unsigned nbits = pending ? 4 : 0;
                    unsigned pre = prefix;
                    unsigned preMix = prefixMix;
                    unsigned code = nextCode;
                    const std::uint32_t tagBase = genTag;
                    do {
                        const unsigned c = *p++;
                        const std::uint32_t want = tagBase | (pre << 8) | c;
                        unsigned slot = preMix ^ ByteMix(c);
                        std::uint64_t entry = slots[slot];
                        for (;;) {
                            const std::uint32_t tag = static_cast<std::uint32_t>(entry);
                            if (tag == want)
                                break;
                            if ((tag ^ tagBase) >> kKeyBits)
                                break;
                            slot = (slot + 1) & kTableMask;
                            entry = slots[slot];
                        }
                        if (static_cast<std::uint32_t>(entry) == want) {
                            pre = static_cast<unsigned>(entry >> 32) & 0xFFF;
                            preMix = static_cast<unsigned>(entry >> 44);
                            continue;
                        }
                        // Twelve bits in, then one or two whole bytes out; the second byte of a
                        // one-byte step is rewritten by the next code.
                        bits = (bits << 12) | pre;
                        nbits += 12;
                        const std::uint32_t top = (bits << (16 - nbits)) & 0xFFFF;
                        out[0] = static_cast<unsigned char>(top >> 8);
                        out[1] = static_cast<unsigned char>(top);
                        out += nbits >> 3;
                        nbits &= 7;
                        if (code <= kMaxCode) {
                            slots[slot] = (static_cast<std::uint64_t>(PrefixMix(code)) << 44) |
                                          (static_cast<std::uint64_t>(code) << 32) | want;
                            ++code;
                        }
                        pre = c;
                        preMix = PrefixMix(c);
                    } while (p != stop);
                    used = static_cast<unsigned>(out - block);
                    pending = nbits != 0;
                    pendingByte = (bits << 4) & 0xF0;
                    prefix = pre;
                    prefixMix = preMix;
                    nextCode = code;
                    i += static_cast<unsigned>(run);
                    continue;
                }
                // The careful step: one byte with every check.
                do {
                    const unsigned c = bytes[i];
                    const std::uint32_t want = genTag | (prefix << 8) | c;
                    unsigned slot = prefixMix ^ ByteMix(c);
                    std::uint64_t entry = slots[slot];
                    bool hit;
                    for (;;) {
                        const std::uint32_t tag = static_cast<std::uint32_t>(entry);
                        if (tag == want) {
                            hit = true;
                            break;
                        }
                        if ((tag ^ genTag) >> kKeyBits) {
                            hit = false;
                            break;
                        }
                        slot = (slot + 1) & kTableMask;
                        entry = slots[slot];
                    }
                    if (hit) {
                        prefix = static_cast<unsigned>(entry >> 32) & 0xFFF;
                        prefixMix = static_cast<unsigned>(entry >> 44);
                        continue;
                    }
                    error = put(prefix);
                    if (error) {
                        sync(consumed + i + 1);
                        return error;
                    }
                    if (nextCode <= kMaxCode) {
                        slots[slot] = (static_cast<std::uint64_t>(PrefixMix(nextCode)) << 44) |
                                      (static_cast<std::uint64_t>(nextCode) << 32) | want;
                        ++nextCode;
                    }
                    if (i >= checkAt) {
                        const unsigned long long pos = consumed + i + 1;
                        const unsigned windowIn = static_cast<unsigned>(pos - windowStart);
                        const unsigned windowOut = static_cast<unsigned>(flushed + used - windowOutStart);
                        const unsigned ratio =
                            static_cast<unsigned>(static_cast<unsigned long long>(windowOut) * 100u / windowIn);
                        windowStart = pos;
                        windowOutStart = flushed + used;
                        checkAt = static_cast<unsigned long long>(i) + kRatioWindow;
                        if (ratio <= bestRatio) {
                            bestRatio = ratio;
                        } else if (ratio >= 51 && (ratio > 90 || ratio > lastRatio + 10)) {
                            error = put(kClearCode);
                            if (error) {
                                sync(pos);
                                return error;
                            }
                            if (++generation > kLastGeneration) {
                                std::memset(slots, 0, sizeof(std::uint64_t) * kTableSlots);
                                generation = 1;
                            }
                            genTag = generation << kKeyBits;
                            nextCode = kFirstCode;
                        }
                        lastRatio = ratio;
                    }
                    prefix = c;
                    prefixMix = PrefixMix(c);
                } while (false);
                ++i;
            }
            consumed += got;
            if (got < kBlockSize)
                break;
        }
        sync(consumed);
    }

    error = LZWOut(output, static_cast<unsigned short>(prefix));
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
