#include "CVLReqBuffer.h"

#include "CVLString.h"
#include "CVLStringList.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstring>

namespace {

const unsigned kMinInitialSize = 12;
const unsigned kMinCustomGrowthBlock = 1025;
// Smallest wire form of a text element: its 4-byte count.
const unsigned kMinTextDetailWidth = 4;

void StoreLittleEndian(char* at, unsigned long long value, unsigned width)
{
    for (unsigned i = 0; i < width; ++i)
        at[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

unsigned long long LoadLittleEndian(const char* at, unsigned width)
{
    unsigned long long value = 0;
    for (unsigned i = 0; i < width; ++i)
        value |= static_cast<unsigned long long>(static_cast<unsigned char>(at[i])) << (8 * i);
    return value;
}

} // namespace

CVLReqBuffer::CVLReqBuffer()
{
    CVLBuffer::Alloc(kDefaultAllocation);
    ClearBuffer();
}

CVLReqBuffer::CVLReqBuffer(unsigned initialSize, unsigned growthBlock)
{
    if (growthBlock >= kMinCustomGrowthBlock && growthBlock <= kMaxAllocation)
        m_GrowthBlock = growthBlock;
    if (initialSize < kMinInitialSize || initialSize > kMaxAllocation)
        initialSize = kDefaultAllocation;
    CVLBuffer::Alloc(initialSize);
    ClearBuffer();
}

CVLReqBuffer::CVLReqBuffer(unsigned requestId, unsigned short requestType, unsigned flags) : CVLReqBuffer()
{
    SetHeaderRequestId(requestId);
    SetHeaderRequestType(requestType);
    SetHeaderRequestFlags(flags);
}

CVLReqBuffer::CVLReqBuffer(NoAllocation)
{
    CVLBuffer::Alloc(kHeaderSize);
    CVLReqBuffer::ClearBuffer();
}

CVLReqBuffer::CVLReqBuffer(const CVLReqBuffer& other)
    : CVLBuffer(other), m_Position(other.m_Position), m_UsedLength(other.m_UsedLength),
      m_GrowthBlock(other.m_GrowthBlock)
{
}

CVLReqBuffer& CVLReqBuffer::operator=(const CVLReqBuffer& other)
{
    if (this != &other) {
        CVLBuffer::operator=(other);
        m_Position = other.m_Position;
        m_UsedLength = other.m_UsedLength;
        m_GrowthBlock = other.m_GrowthBlock;
    }
    return *this;
}

CVLReqBuffer::~CVLReqBuffer() = default;

unsigned CVLReqBuffer::GetLength() const
{
    return m_UsedLength;
}

void CVLReqBuffer::ClearBuffer()
{
    if (m_Size < kHeaderSize)
        CVLBuffer::GrowTo(kHeaderSize, false);
    std::memset(m_Data, 0, m_Size);
    m_Data[0] = static_cast<char>(kRequestVersion);
    StoreLittleEndian(m_Data + 7, kClearedFlags, 4);
    m_Position = kHeaderSize;
    m_UsedLength = kHeaderSize;
}

// ---- growth and raw writes ------------------------------------------------------------

bool CVLReqBuffer::MakeRoomFor(unsigned long long count)
{
    const unsigned allocated = GetBufferLength();
    const unsigned long long end = static_cast<unsigned long long>(m_Position) + count;
    // Equality grows too: a write never fills the allocation to its last byte.
    if (end < allocated)
        return true;
    const unsigned long long block = m_GrowthBlock;
    const unsigned long long grown = allocated + block * ((end - allocated) / block + 1);
    if (grown > kMaxAllocation)
        return false;
    if (!GrowTo(static_cast<unsigned>(grown), true))
        return false;
    // Bytes a write skips over (a position set past the end) read as zeros, not as leftovers.
    if (m_Data && GetBufferLength() > allocated && GetBufferLength() == m_Size)
        std::memset(m_Data + allocated, 0, m_Size - allocated);
    return true;
}

const void* CVLReqBuffer::StableSource(const void* bytes, unsigned count, CVLBuffer& copy) const
{
    const char* p = static_cast<const char*>(bytes);
    if (!p || !m_Data || count == 0 || p < m_Data || p >= m_Data + m_Size)
        return bytes;
    // The source lies in our own block, which growth may move: write from a copy.
    copy.AppendToBuffer(p, count);
    return copy.GetBufferPtr();
}

bool CVLReqBuffer::AddDetail(const void* bytes, unsigned count)
{
    CVLBuffer copy;
    bytes = StableSource(bytes, count, copy);
    if (!MakeRoomFor(count))
        return false;
    if (count > 0) {
        if (bytes)
            std::memmove(m_Data + m_Position, bytes, count);
        else
            std::memset(m_Data + m_Position, 0, count);
    }
    m_Position += count;
    m_UsedLength = m_Position;
    return true;
}

bool CVLReqBuffer::AddDetailWithLen(const void* bytes, unsigned count)
{
    CVLBuffer copy;
    bytes = StableSource(bytes, count, copy);
    if (!MakeRoomFor(static_cast<unsigned long long>(count) + 4))
        return false;
    StoreLittleEndian(m_Data + m_Position, count, 4);
    m_Position += 4;
    if (count > 0) {
        if (bytes)
            std::memmove(m_Data + m_Position, bytes, count);
        else
            std::memset(m_Data + m_Position, 0, count);
    }
    m_Position += count;
    m_UsedLength = m_Position;
    return true;
}

bool CVLReqBuffer::AddLittleEndian(unsigned long long value, unsigned width)
{
    char bytes[8];
    StoreLittleEndian(bytes, value, width);
    return AddDetail(bytes, width);
}

bool CVLReqBuffer::AddDetailFromBuffer(const CVLReqBuffer& other)
{
    // Only bytes that are really stored count (a size-counting buffer stores none).
    const unsigned stored = other.m_UsedLength < other.GetBufferLength() ? other.m_UsedLength : other.GetBufferLength();
    if (stored <= kHeaderSize || !other.GetBufferPtr())
        return true;
    const unsigned details = stored - kHeaderSize;
    if (&other == this) {
        CVLReqBuffer copy(other);
        return AddDetail(copy.GetBufferPtr() + kHeaderSize, details);
    }
    return AddDetail(other.GetBufferPtr() + kHeaderSize, details);
}

bool CVLReqBuffer::AddDetail(const CVLString& text)
{
    return AddDetailWithLen(text.GetBufferPtr(), text.GetLength());
}

bool CVLReqBuffer::AddRawStringDetail(const char* bytes, unsigned count)
{
    return AddDetailWithLen(bytes, bytes ? count : 0);
}

bool CVLReqBuffer::SetUIntAt(unsigned offset, unsigned value)
{
    if (offset < kHeaderSize || static_cast<unsigned long long>(offset) + 4 > m_UsedLength ||
        static_cast<unsigned long long>(offset) + 4 > GetBufferLength())
        return false;
    StoreLittleEndian(m_Data + offset, value, 4);
    return true;
}

unsigned CVLReqBuffer::GetDetailLength() const
{
    return m_UsedLength > kHeaderSize ? m_UsedLength - kHeaderSize : 0;
}

// ---- header ------------------------------------------------------------------------------

void CVLReqBuffer::SetHeaderRequestVersion(unsigned char version)
{
    GrowTo(kHeaderSize, true);
    if (GetBufferLength() >= kHeaderSize)
        m_Data[0] = static_cast<char>(version);
}

unsigned char CVLReqBuffer::GetHeaderRequestVersion() const
{
    if (GetBufferLength() < kHeaderSize)
        return '0';
    return static_cast<unsigned char>(m_Data[0]);
}

void CVLReqBuffer::SetHeaderRequestId(unsigned requestId)
{
    GrowTo(kHeaderSize, true);
    if (GetBufferLength() >= kHeaderSize)
        StoreLittleEndian(m_Data + 1, requestId, 4);
}

unsigned CVLReqBuffer::GetHeaderRequestId() const
{
    if (GetBufferLength() < kHeaderSize)
        return 0;
    return static_cast<unsigned>(LoadLittleEndian(m_Data + 1, 4));
}

void CVLReqBuffer::SetHeaderRequestType(unsigned short requestType)
{
    GrowTo(kHeaderSize, true);
    if (GetBufferLength() >= kHeaderSize)
        StoreLittleEndian(m_Data + 5, requestType, 2);
}

unsigned short CVLReqBuffer::GetHeaderRequestType() const
{
    if (GetBufferLength() < kHeaderSize)
        return 0;
    return static_cast<unsigned short>(LoadLittleEndian(m_Data + 5, 2));
}

void CVLReqBuffer::SetHeaderRequestFlags(unsigned flags)
{
    GrowTo(kHeaderSize, true);
    if (GetBufferLength() >= kHeaderSize)
        StoreLittleEndian(m_Data + 7, flags, 4);
}

unsigned CVLReqBuffer::GetHeaderRequestFlags() const
{
    if (GetBufferLength() < kHeaderSize)
        return 0;
    return static_cast<unsigned>(LoadLittleEndian(m_Data + 7, 4));
}

bool CVLReqBuffer::IsResponse() const
{
    return (GetHeaderRequestFlags() & kFlagResponse) != 0;
}

void CVLReqBuffer::SetClientSupportsAES(bool on)
{
    unsigned flags = GetHeaderRequestFlags();
    SetHeaderRequestFlags(on ? (flags | kFlagClientSupportsAES) : (flags & ~kFlagClientSupportsAES));
}

bool CVLReqBuffer::DoesClientSupportAES() const
{
    return (GetHeaderRequestFlags() & kFlagClientSupportsAES) != 0;
}

void CVLReqBuffer::SetUTF8Encoded(bool on)
{
    unsigned flags = GetHeaderRequestFlags();
    SetHeaderRequestFlags(on ? (flags | kFlagUTF8) : (flags & ~kFlagUTF8));
}

bool CVLReqBuffer::IsUTF8Encoded() const
{
    return (GetHeaderRequestFlags() & kFlagUTF8) != 0;
}

unsigned CVLReqBuffer::GetRemainingLength() const
{
    const unsigned allocated = GetBufferLength();
    const unsigned end = m_UsedLength < allocated ? m_UsedLength : allocated;
    return m_Position < end ? end - m_Position : 0;
}

// ---- writers -------------------------------------------------------------------------------

CVLReqBuffer& CVLReqBuffer::operator+=(char value)
{
    AddDetail(&value, 1);
    return *this;
}

CVLReqBuffer& CVLReqBuffer::operator+=(unsigned char value)
{
    AddDetail(&value, 1);
    return *this;
}

CVLReqBuffer& CVLReqBuffer::operator+=(bool value)
{
    AddLittleEndian(value ? 1 : 0, 1);
    return *this;
}

CVLReqBuffer& CVLReqBuffer::operator+=(OptionalDetailFlag value)
{
    AddLittleEndian(static_cast<unsigned char>(value), 1);
    return *this;
}

CVLReqBuffer& CVLReqBuffer::operator+=(short value)
{
    AddLittleEndian(static_cast<unsigned short>(value), 2);
    return *this;
}

CVLReqBuffer& CVLReqBuffer::operator+=(unsigned short value)
{
    AddLittleEndian(value, 2);
    return *this;
}

CVLReqBuffer& CVLReqBuffer::operator+=(int value)
{
    AddLittleEndian(static_cast<unsigned>(value), 4);
    return *this;
}

CVLReqBuffer& CVLReqBuffer::operator+=(unsigned int value)
{
    AddLittleEndian(value, 4);
    return *this;
}

CVLReqBuffer& CVLReqBuffer::operator+=(long value)
{
    AddLittleEndian(static_cast<unsigned long long>(static_cast<long long>(value)), 8);
    return *this;
}

CVLReqBuffer& CVLReqBuffer::operator+=(unsigned long value)
{
    AddLittleEndian(value, 8);
    return *this;
}

CVLReqBuffer& CVLReqBuffer::operator+=(long long value)
{
    AddLittleEndian(static_cast<unsigned long long>(value), 8);
    return *this;
}

CVLReqBuffer& CVLReqBuffer::operator+=(unsigned long long value)
{
    AddLittleEndian(value, 8);
    return *this;
}

CVLReqBuffer& CVLReqBuffer::operator+=(double value)
{
    std::uint64_t bits = 0;
    static_assert(sizeof(bits) == sizeof(value), "double must be binary64");
    std::memcpy(&bits, &value, sizeof(bits));
    AddLittleEndian(bits, 8);
    return *this;
}

bool CVLReqBuffer::WriteText(const CVLString& text)
{
    if (IsUTF8Encoded())
        return AddDetailWithLen(text.GetBufferPtr(), text.GetLength());
    const char* local = text.GetLocal8BitPtr();
    const size_t n = local ? std::strlen(local) : 0;
    return AddDetailWithLen(local, n > kMaxAllocation ? 0 : static_cast<unsigned>(n));
}

CVLReqBuffer& CVLReqBuffer::operator+=(const CVLString& text)
{
    WriteText(text);
    return *this;
}

CVLReqBuffer& CVLReqBuffer::operator+=(const char* text)
{
    if (!text) {
        AddDetailWithLen(nullptr, 0);
        return *this;
    }
    if (IsUTF8Encoded()) {
        const size_t n = std::strlen(text);
        if (n <= kMaxAllocation)
            AddDetailWithLen(text, static_cast<unsigned>(n));
        return *this;
    }
    return *this += CVLString(text);
}

CVLReqBuffer& CVLReqBuffer::operator+=(const std::string& text)
{
    AddDetail(text);
    return *this;
}

CVLReqBuffer& CVLReqBuffer::operator+=(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    AddDetailWithLen(utf8.constData(), static_cast<unsigned>(utf8.size()));
    return *this;
}

CVLReqBuffer& CVLReqBuffer::operator+=(const CVLStringList& list)
{
    WriteStringListToReqBuffer(list, *this);
    return *this;
}

bool CVLReqBuffer::AddString(const CVLString& text, bool convertLineBreaks)
{
    if (!convertLineBreaks)
        return WriteText(text);
    CVLString converted(text);
    converted.ReplaceCharSequence("\r\n", "\n");
    return WriteText(converted);
}

bool CVLReqBuffer::AddDetail(const std::string& text)
{
    if (text.size() > kMaxAllocation)
        return false;
    return AddDetail(CVLString(text.c_str(), static_cast<unsigned>(text.size())));
}

bool CVLReqBuffer::AddNestedBlock(const CVLBuffer& block)
{
    return AddDetailWithLen(block.GetBufferPtr(), block.GetBufferPtr() ? block.GetLength() : 0);
}

// ---- readers ---------------------------------------------------------------------------------

bool CVLReqBuffer::ReadLittleEndian(unsigned long long& value, unsigned width)
{
    value = 0;
    if (static_cast<unsigned long long>(m_Position) + width > m_UsedLength ||
        static_cast<unsigned long long>(m_Position) + width > GetBufferLength())
        return false;
    value = LoadLittleEndian(m_Data + m_Position, width);
    m_Position += width;
    return true;
}

bool CVLReqBuffer::ReadCountedBytes(const char*& data, unsigned& count)
{
    data = nullptr;
    count = 0;
    unsigned long long raw = 0;
    if (!ReadLittleEndian(raw, 4))
        return false;
    // The count has been consumed; a count that promises more than is there reads as nothing.
    const unsigned claimed = static_cast<unsigned>(raw);
    if (claimed > GetRemainingLength())
        return false;
    data = m_Data + m_Position;
    count = claimed;
    m_Position += claimed;
    return true;
}

void CVLReqBuffer::GetDetail(char& value)
{
    unsigned long long raw = 0;
    ReadLittleEndian(raw, 1);
    value = static_cast<char>(raw);
}

void CVLReqBuffer::GetDetail(unsigned char& value)
{
    char raw = 0;
    GetDetail(raw);
    value = static_cast<unsigned char>(raw);
}

void CVLReqBuffer::GetDetail(bool& value)
{
    unsigned long long raw = 0;
    ReadLittleEndian(raw, 1);
    value = raw != 0;
}

void CVLReqBuffer::GetDetail(short& value)
{
    unsigned long long raw = 0;
    ReadLittleEndian(raw, 2);
    value = static_cast<short>(static_cast<unsigned short>(raw));
}

void CVLReqBuffer::GetDetail(unsigned short& value)
{
    short raw = 0;
    GetDetail(raw);
    value = static_cast<unsigned short>(raw);
}

void CVLReqBuffer::GetDetail(int& value)
{
    unsigned long long raw = 0;
    ReadLittleEndian(raw, 4);
    value = static_cast<int>(static_cast<unsigned>(raw));
}

void CVLReqBuffer::GetDetail(unsigned int& value)
{
    int raw = 0;
    GetDetail(raw);
    value = static_cast<unsigned>(raw);
}

void CVLReqBuffer::GetDetail(long long& value)
{
    unsigned long long raw = 0;
    ReadLittleEndian(raw, 8);
    value = static_cast<long long>(raw);
}

void CVLReqBuffer::GetDetail(unsigned long long& value)
{
    long long raw = 0;
    GetDetail(raw);
    value = static_cast<unsigned long long>(raw);
}

void CVLReqBuffer::GetDetail(long& value)
{
    long long raw = 0;
    GetDetail(raw);
    value = static_cast<long>(raw);
}

void CVLReqBuffer::GetDetail(unsigned long& value)
{
    long long raw = 0;
    GetDetail(raw);
    value = static_cast<unsigned long>(raw);
}

void CVLReqBuffer::GetDetail(double& value)
{
    unsigned long long raw = 0;
    ReadLittleEndian(raw, 8);
    std::uint64_t bits = raw;
    std::memcpy(&value, &bits, sizeof(value));
}

void CVLReqBuffer::GetDetail(void* bytes, unsigned count)
{
    if (!bytes || count == 0)
        return;
    if (count > GetRemainingLength() || static_cast<unsigned long long>(m_Position) + count > GetBufferLength()) {
        std::memset(bytes, 0, count);
        return;
    }
    std::memcpy(bytes, m_Data + m_Position, count);
    m_Position += count;
}

void CVLReqBuffer::GetDetail(CVLString& text)
{
    const char* data = nullptr;
    unsigned count = 0;
    if (!ReadCountedBytes(data, count) || count == 0) {
        text.FreeString();
        return;
    }
    if (IsUTF8Encoded())
        text.SetFromUTF8(reinterpret_cast<const unsigned char*>(data), count);
    else
        text.SetFromLocal8Bit(data, count);
}

void CVLReqBuffer::GetUTF8Detail(CVLString& text)
{
    const char* data = nullptr;
    unsigned count = 0;
    if (!ReadCountedBytes(data, count) || count == 0) {
        text.FreeString();
        return;
    }
    text.SetFromUTF8(reinterpret_cast<const unsigned char*>(data), count);
}

void CVLReqBuffer::GetDetail(std::string& text)
{
    CVLString read;
    GetDetail(read);
    text.assign(read.GetBufferPtr(), read.GetLength());
}

void CVLReqBuffer::GetDetail(QString& text)
{
    text.clear();
    int count = 0;
    GetDetail(count);
    if (count <= 0)
        return;
    // Missing bytes read as zeros, so the text ends where the data does.
    const unsigned available = GetRemainingLength();
    const unsigned take = static_cast<unsigned>(count) < available ? static_cast<unsigned>(count) : available;
    const char* data = m_Data + m_Position;
    m_Position += take;
    if (static_cast<unsigned>(count) > take)
        m_Position = m_UsedLength;
    const void* zero = std::memchr(data, 0, take);
    const unsigned n = zero ? static_cast<unsigned>(static_cast<const char*>(zero) - data) : take;
    text = QString::fromUtf8(data, static_cast<int>(n));
}

void CVLReqBuffer::GetDetail(CVLStringList& list)
{
    ReadStringListFromReqBuffer(list, *this);
}

bool CVLReqBuffer::IsOptionalDetailPresent()
{
    unsigned long long raw = 0;
    ReadLittleEndian(raw, 1);
    return raw == kOptionalDetailPresent;
}

void CVLReqBuffer::GetDetailWithLen(CVLBuffer& out)
{
    const char* data = nullptr;
    unsigned count = 0;
    if (!ReadCountedBytes(data, count) || count == 0) {
        out.FreeBuffer();
        return;
    }
    out.Alloc(count);
    std::memcpy(out.GetNonConstBufferPtr(), data, count);
}

void CVLReqBuffer::SkipDetailWithLen()
{
    const char* data = nullptr;
    unsigned count = 0;
    ReadCountedBytes(data, count);
}

// ---- checksum ----------------------------------------------------------------------------------

unsigned CVLReqBuffer::CountBytesWithLowBitSet(const void* bytes, unsigned count)
{
    if (!bytes)
        return 0;
    const unsigned char* p = static_cast<const unsigned char*>(bytes);
    const std::uint64_t lowBits = 0x0101010101010101ull;
    const std::uint64_t evenLanes = 0x00FF00FF00FF00FFull;
    unsigned total = 0;
    unsigned i = 0;
    // The low bits of 32 bytes are added lane-wise into byte counters that cannot overflow
    // within 255 steps, then the lanes are summed; memcpy keeps unaligned starts legal.
    while (count - i >= 32) {
        unsigned steps = (count - i) / 32;
        if (steps > 255)
            steps = 255;
        std::uint64_t a = 0, b = 0, c = 0, d = 0;
        for (unsigned s = 0; s < steps; ++s, i += 32) {
            std::uint64_t w[4];
            std::memcpy(w, p + i, sizeof(w));
            a += w[0] & lowBits;
            b += w[1] & lowBits;
            c += w[2] & lowBits;
            d += w[3] & lowBits;
        }
        // Byte lanes to 16-bit lanes (at most 4 * 2 * 255 each), then all four summed.
        const std::uint64_t pairs = (a & evenLanes) + ((a >> 8) & evenLanes) + (b & evenLanes) + ((b >> 8) & evenLanes)
            + (c & evenLanes) + ((c >> 8) & evenLanes) + (d & evenLanes) + ((d >> 8) & evenLanes);
        total += static_cast<unsigned>((pairs * 0x0001000100010001ull) >> 48);
    }
    for (; i + 8 <= count; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, p + i, sizeof(word));
        total += static_cast<unsigned>(((word & lowBits) * lowBits) >> 56);
    }
    for (; i < count; ++i)
        total += p[i] & 1u;
    return total;
}

unsigned CVLReqBuffer::GetChecksum() const
{
    const unsigned allocated = GetBufferLength();
    const unsigned n = m_UsedLength < allocated ? m_UsedLength : allocated;
    return CountBytesWithLowBitSet(GetBufferPtr(), n);
}

// ---- loading and padding ---------------------------------------------------------------------

unsigned CVLReqBuffer::LoadBufferFromBuffer(const CVLBuffer& source)
{
    const unsigned length = source.GetLength();
    if (length < kHeaderSize || !source.GetBufferPtr() || source.GetBufferLength() < length)
        return 0;
    if (&source == this) {
        m_Position = kHeaderSize;
        return GetHeaderRequestVersion() == kRequestVersion ? length : 0;
    }
    CVLBuffer::Alloc(length);
    std::memcpy(m_Data, source.GetBufferPtr(), length);
    m_UsedLength = length;
    m_Position = kHeaderSize;
    return static_cast<unsigned char>(m_Data[0]) == kRequestVersion ? length : 0;
}

unsigned CVLReqBuffer::LoadBufferFromBuffer(const CVLReqBuffer& source)
{
    const unsigned length = source.GetLength();
    const unsigned allocated = source.GetBufferLength();
    if (length < kHeaderSize || allocated < length || !source.GetBufferPtr())
        return 0;
    if (&source != this) {
        CVLBuffer::Alloc(allocated);
        std::memcpy(m_Data, source.GetBufferPtr(), allocated);
        m_UsedLength = length;
    }
    m_Position = kHeaderSize;
    return static_cast<unsigned char>(m_Data[0]) == kRequestVersion ? length : 0;
}

bool CVLReqBuffer::PadRequestBufferToMinLengthOf(CVLReqBuffer& buffer, unsigned minLength)
{
    const unsigned details = buffer.GetDetailLength();
    if (details > minLength)
        return true;
    const unsigned long long missing = static_cast<unsigned long long>(minLength) - details + 1;
    if (missing > kMaxAllocation)
        return false;
    buffer.SetPosition(buffer.GetLength());
    return buffer.AddDetail(nullptr, static_cast<unsigned>(missing));
}

// ---- string lists ------------------------------------------------------------------------------

bool CVLReqBuffer::WriteStringListToReqBuffer(const CVLStringList& list, CVLReqBuffer& buffer)
{
    const unsigned count = list.GetCount();
    bool ok = buffer.AddLittleEndian(count, 4);
    for (unsigned i = 1; ok && i <= count; ++i) {
        const CVLString* s = list.GetStringAt(i);
        if (s)
            buffer += *s;
        else
            buffer += static_cast<const char*>(nullptr);
    }
    return ok;
}

void CVLReqBuffer::ReadStringListFromReqBuffer(CVLStringList& list, CVLReqBuffer& buffer)
{
    list.EmptyListAndDeleteContents();
    unsigned long long raw = 0;
    if (!buffer.ReadLittleEndian(raw, 4))
        return;
    const unsigned count = static_cast<unsigned>(raw);
    // Every element needs at least its count: a larger claim cannot be true.
    if (count > buffer.GetRemainingLength() / kMinTextDetailWidth)
        return;
    for (unsigned i = 0; i < count; ++i) {
        CVLString text;
        buffer.GetDetail(text);
        list.AddStringToList(text, 0x7FFFFFFFu);
    }
}
