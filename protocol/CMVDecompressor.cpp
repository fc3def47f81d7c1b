#include "CMVDecompressor.h"

#include "CVLBuffer.h"
#include "CVLFile.h"
#include "CVLMemFile.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

const int kReadFlags = 0x0004;
const int kCreateFlags = 0x0010;

const unsigned short kEndCode = 256;
const unsigned short kClearCode = 257;
const unsigned short kFirstCode = 258;
const unsigned short kMaxCode = 4095;

}  // namespace

CMVDecompressor::CMVDecompressor()
{
    std::memset(m_Dictionary, 0, sizeof m_Dictionary);
    std::memset(m_CodeLength, 0, sizeof m_CodeLength);
}

CMVDecompressor::~CMVDecompressor()
{
    FreeStringBlock();
}

void CMVDecompressor::SetError(decompressorErrors error)
{
    const char* text = nullptr;
    switch (error) {
    case decompressorNoError:
        m_pErrorText.reset();
        return;
    case decompressorGeneralError:
        text = "General error.";
        break;
    case decompressorFileWriteError:
        text = "File write error.";
        break;
    case decompressorFileReadError:
        text = "File read error.";
        break;
    case decompressorMemoryError:
        text = "Memory error.";
        break;
    default:
        text = "Undefined error.";
        break;
    }
    if (!m_pErrorText)
        m_pErrorText.reset(new CVLString());
    *m_pErrorText = text;
}

decompressorErrors CMVDecompressor::DecompressFileZLIB(CVLFile&, CVLFile&)
{
    return decompressorGeneralError;
}

decompressorErrors CMVDecompressor::DecompressBufferZLIB(CVLBuffer&, CVLBuffer&)
{
    return decompressorGeneralError;
}

decompressorErrors CMVDecompressor::DecompressBuffer(CVLBuffer&, CVLBuffer&)
{
    SetError(decompressorGeneralError);
    return decompressorGeneralError;
}

bool CMVDecompressor::IsBufferCompressed(CVLBuffer& buffer)
{
    if (buffer.GetLength() < 7 || !buffer.GetBufferPtr())
        return false;
    return std::memcmp(buffer.GetBufferPtr(), "SZLIB\0", 6) == 0;
}

bool CMVDecompressor::IsFileCompressed(CVLFile& file)
{
    bool opened = false;
    unsigned position = 0;
    if (!file.IsOpen()) {
        if (!file.Open(kReadFlags))
            return false;
        opened = true;
    } else {
        position = file.GetPosition();
    }
    unsigned char head[6] = {0, 0, 0, 0, 0, 0};
    unsigned got = 0;
    if (file.SeekToBegin())
        got = file.Read(head, sizeof head);
    if (opened)
        file.Close();
    else
        file.SeekTo(position);
    return got >= 5 && (std::memcmp(head, "LZW12", 5) == 0 || std::memcmp(head, "SZLIB", 5) == 0);
}

decompressorErrors CMVDecompressor::DecompressFile(CVLFile& input, CVLFile& output)
{
    decompressorErrors result = decompressorNoError;
    bool openedInput = false;
    bool openedOutput = false;
    m_DecodedLength = 0;
    m_DecodedCRC = 0;

    if (!input.IsOpen()) {
        if (input.Open(kReadFlags))
            openedInput = true;
        else
            result = decompressorFileReadError;
    }
    if (!result && !output.IsOpen()) {
        if (output.Open(kCreateFlags))
            openedOutput = true;
        else
            result = decompressorFileWriteError;
    }
    if (!result && (!input.SeekToBegin() || !output.SeekToBegin()))
        result = decompressorGeneralError;
    if (!result) {
        unsigned char tag[6];
        if (input.Read(tag, sizeof tag) != sizeof tag || std::memcmp(tag, "LZW12", 5) != 0)
            result = decompressorGeneralError;  // short, "SZLIB" or unknown
        else
            result = DecompressFileLZW12(input, output);
    }
    if (openedInput)
        input.Close();
    if (openedOutput)
        output.Close();
    SetError(result);
    return result;
}

decompressorErrors CMVDecompressor::DecompressFileLZW12(CVLFile& input, CVLFile& output)
{
    if (output.IsMemFile()) {
        CVLMemFile& memory = static_cast<CVLMemFile&>(output);
        if (memory.GetCapacity() == 0) {
            unsigned long long inputLength = input.GetLength();
            unsigned long long capacity = inputLength * 2;
            if (capacity > m_MaxDecodedLength)
                capacity = m_MaxDecodedLength;
            if (capacity)
                memory.GrowTo(static_cast<unsigned>(capacity));
        }
    }
    if (!m_InBlock)
        m_InBlock.reset(new unsigned char[kBlockSize]);
    if (!m_OutBlock)
        m_OutBlock.reset(new unsigned char[kBlockSize]);
    m_OutBlockUsed = 0;

    decompressorErrors result = DecodeLZW12(input, output);
    decompressorErrors flushed = FlushOutBlock(output);
    if (!result)
        result = flushed;
    FreeStringBlock();
    SetError(result);
    return result;
}

void CMVDecompressor::FreeStringBlock()
{
    std::free(m_pStringBlock);
    m_pStringBlock = nullptr;
    m_StringBlockSize = 0;
    m_StringStart = 0;
}

void CMVDecompressor::LZWInInit()
{
    m_InBlockValid = 0;
    m_InBlockPos = 0;
    m_bPending = false;
    m_PendingNibble = 0;
    m_CurrentCode = 0;
    if (!m_InBlock)
        m_InBlock.reset(new unsigned char[kBlockSize]);
    if (!m_pStringBlock) {
        m_pStringBlock = static_cast<unsigned char*>(std::malloc(kStringBlockStart));
        if (!m_pStringBlock)
            throw std::bad_alloc();
        m_StringBlockSize = kStringBlockStart;
    }
}

decompressorErrors CMVDecompressor::fillBucket(CVLFile& input)
{
    if (!m_InBlock)
        m_InBlock.reset(new unsigned char[kBlockSize]);
    m_InBlockPos = 0;
    m_InBlockValid = input.Read(m_InBlock.get(), kBlockSize);
    if (m_InBlockValid == 0 || m_InBlockValid > kBlockSize) {
        m_InBlockValid = 0;
        return decompressorFileReadError;
    }
    return decompressorNoError;
}

int CMVDecompressor::LZWIn(CVLFile& input)
{
    if (m_InBlockPos >= m_InBlockValid && fillBucket(input))
        return -1;
    unsigned first = m_InBlock[m_InBlockPos++];
    if (m_bPending) {
        m_bPending = false;
        m_CurrentCode = static_cast<unsigned short>((m_PendingNibble << 8) | first);
        return m_CurrentCode;
    }
    if (m_InBlockPos >= m_InBlockValid && fillBucket(input))
        return -1;
    unsigned second = m_InBlock[m_InBlockPos++];
    m_PendingNibble = static_cast<unsigned char>(second & 0x0F);
    m_bPending = true;
    m_CurrentCode = static_cast<unsigned short>((first << 4) | (second >> 4));
    return m_CurrentCode;
}

unsigned CMVDecompressor::LZWLoadBuffer(unsigned reserve, unsigned short code)
{
    if (m_StringBlockSize < reserve + 1) {
        // Never happens with the reserve of 0 or 1 the decoder uses.
        return 0;
    }
    unsigned end = m_StringBlockSize - reserve;
    unsigned pos = end;
    // Every entry's prefix is a smaller code (the decoder only adds such entries), so a chain
    // has fewer links than there are codes; the bound is a second line of defence.
    unsigned links = 0;
    for (;;) {
        if (pos == 0) {
            unsigned newSize = m_StringBlockSize + kStringBlockGrowth;
            auto* grown = static_cast<unsigned char*>(std::realloc(m_pStringBlock, newSize));
            if (!grown)
                throw std::bad_alloc();
            std::memmove(grown + kStringBlockGrowth, grown, m_StringBlockSize);
            m_pStringBlock = grown;
            m_StringBlockSize = newSize;
            pos += kStringBlockGrowth;
            end += kStringBlockGrowth;
        }
        if (code < 256) {
            m_pStringBlock[--pos] = static_cast<unsigned char>(code);
            break;
        }
        if (code >= kDictionarySize || ++links >= kDictionarySize)
            return 0;
        m_pStringBlock[--pos] = m_Dictionary[code].byte;
        code = m_Dictionary[code].prefix;
    }
    m_StringStart = pos;
    return end - pos;
}

decompressorErrors CMVDecompressor::FlushOutBlock(CVLFile& output)
{
    if (m_OutBlockUsed == 0)
        return decompressorNoError;
    unsigned used = m_OutBlockUsed;
    m_OutBlockUsed = 0;
    CVLFile::baseCRC32(reinterpret_cast<const char*>(m_OutBlock.get()), static_cast<int>(used), m_DecodedCRC);
    if (output.IsMemFile()) {
        // A memory file grows by exactly what is missing plus a small slack; growing it
        // geometrically here keeps large decodings from copying the block over and over.
        CVLMemFile& memory = static_cast<CVLMemFile&>(output);
        unsigned long long needed = static_cast<unsigned long long>(memory.GetPosition()) + used;
        if (needed > memory.GetCapacity()) {
            unsigned long long target = static_cast<unsigned long long>(memory.GetCapacity()) * 2;
            if (target < needed)
                target = needed;
            unsigned long long limit = static_cast<unsigned long long>(m_MaxDecodedLength) + kBlockSize;
            if (target > limit)
                target = limit > needed ? limit : needed;
            if (target <= 0xFFFFFFFFull)
                memory.GrowTo(static_cast<unsigned>(target));
        }
    }
    if (output.Write(m_OutBlock.get(), used) != used)
        return decompressorFileWriteError;
    return decompressorNoError;
}

decompressorErrors CMVDecompressor::WriteBytes(CVLFile& output, const unsigned char* bytes, unsigned count)
{
    if (count > m_MaxDecodedLength - m_DecodedLength)
        return decompressorGeneralError;
    m_DecodedLength += count;
    while (count) {
        unsigned room = kBlockSize - m_OutBlockUsed;
        if (room == 0) {
            decompressorErrors error = FlushOutBlock(output);
            if (error)
                return error;
            room = kBlockSize;
        }
        unsigned piece = count < room ? count : room;
        std::memcpy(m_OutBlock.get() + m_OutBlockUsed, bytes, piece);
        m_OutBlockUsed += piece;
        bytes += piece;
        count -= piece;
    }
    return decompressorNoError;
}

decompressorErrors CMVDecompressor::DecodeLZW12(CVLFile& input, CVLFile& output)
{
    LZWInInit();
    m_NextCode = kFirstCode;
    for (unsigned c = 0; c < 256; ++c)
        m_CodeLength[c] = 1;

    int code = LZWIn(input);
    for (;;) {
        // Start of the data or just after a clear: the code must be a byte value.
        while (code == kClearCode) {
            m_NextCode = kFirstCode;
            code = LZWIn(input);
        }
        if (code < 0)
            return decompressorFileReadError;
        if (code == kEndCode)
            return decompressorNoError;
        if (code > 255)
            return decompressorGeneralError;

        unsigned char previousFirst = static_cast<unsigned char>(code);
        unsigned short previous = static_cast<unsigned short>(code);
        decompressorErrors error = WriteBytes(output, &previousFirst, 1);
        if (error)
            return error;

        for (;;) {
            int d = LZWIn(input);
            if (d < 0)
                return decompressorFileReadError;
            if (d == kEndCode)
                return decompressorNoError;
            if (d == kClearCode) {
                code = d;
                break;
            }
            // d == next code is the string being defined right now: the previous string plus
            // its own first byte. Anything beyond it no encoder writes.
            const bool definedNow = d == m_NextCode;
            if (d > m_NextCode)
                return decompressorGeneralError;
            const unsigned short expand = definedNow ? previous : static_cast<unsigned short>(d);
            const unsigned length = m_CodeLength[expand] + (definedNow ? 1u : 0u);
            if (length > m_MaxDecodedLength - m_DecodedLength)
                return decompressorGeneralError;

            unsigned char first;
            if (kBlockSize - m_OutBlockUsed >= length) {
                // Expand straight into the output block, from the end of the string backwards.
                unsigned char* start = m_OutBlock.get() + m_OutBlockUsed;
                unsigned char* p = start + length;
                if (definedNow)
                    *--p = previousFirst;
                unsigned c = expand;
                while (p - start > 1) {
                    *--p = m_Dictionary[c].byte;
                    c = m_Dictionary[c].prefix;
                }
                if (c > 255)
                    return decompressorGeneralError;
                *--p = static_cast<unsigned char>(c);
                first = *p;
                m_OutBlockUsed += length;
                m_DecodedLength += length;
            } else {
                // Near the end of the block: expand into the string block and write it across.
                unsigned loaded = LZWLoadBuffer(definedNow ? 1u : 0u, expand);
                if (loaded == 0 || loaded + (definedNow ? 1u : 0u) != length)
                    return decompressorGeneralError;
                if (definedNow)
                    m_pStringBlock[m_StringStart + loaded] = previousFirst;
                first = m_pStringBlock[m_StringStart];
                error = WriteBytes(output, m_pStringBlock + m_StringStart, length);
                if (error)
                    return error;
            }
            if (m_NextCode <= kMaxCode) {
                // previous < m_NextCode always holds here, so every chain strictly descends.
                m_Dictionary[m_NextCode].byte = first;
                m_Dictionary[m_NextCode].prefix = previous;
                m_CodeLength[m_NextCode] = static_cast<unsigned short>(m_CodeLength[previous] + 1);
                ++m_NextCode;
            }
            previous = static_cast<unsigned short>(d);
            previousFirst = first;
        }
    }
}
