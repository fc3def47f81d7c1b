#include "CVLString.h"

#include "CVLStringList.h"
#include "CVLStringUnicodeTables.h"

#include <QString>

#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace
{
const char kEmptyText[1] = {0};
const unsigned kMaxText = 0xFFFFFFFEu;  // a text and its zero byte must fit a 32-bit size

unsigned CheckedLength(size_t n)
{
    if (n >= kMaxText)
        throw std::bad_alloc();
    return static_cast<unsigned>(n);
}

// Bytes of text before the zero byte, at most max (kLengthToZero: no limit).
unsigned TextLength(const char* p, unsigned max)
{
    if (!p)
        return 0;
    if (max == CVLString::kLengthToZero)
        return CheckedLength(std::strlen(p));
    const void* z = std::memchr(p, 0, max);
    return z ? static_cast<unsigned>(static_cast<const char*>(z) - p) : max;
}

bool IsContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

void AppendUTF8CodePoint(std::string& out, unsigned cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one well-formed sequence into its code point. Returns the bytes read, or -1
// (cp = U+FFFD) when the sequence at p is ill-formed or runs past available.
int DecodeCodePoint(const unsigned char* p, unsigned available, unsigned* cp)
{
    if (available == 0) {
        *cp = 0xFFFD;
        return -1;
    }
    unsigned char b = p[0];
    if (b < 0x80) {
        *cp = b;
        return 1;
    }
    unsigned n = CVLString::trailingBytesForUTF8[b] + 1u;
    if (n > available || !CVLString::IsLegalUTF8Sequence(p, n)) {
        *cp = 0xFFFD;
        return -1;
    }
    unsigned v = b & (0x7F >> n);
    for (unsigned i = 1; i < n; ++i)
        v = (v << 6) | (p[i] & 0x3F);
    *cp = v;
    return static_cast<int>(n);
}

// The 16-bit units of a text, as the case mapping and case-insensitive comparison see it:
// characters above U+FFFF and ill-formed bytes (one byte at a time) become U+FFFD.
template <typename F>
void ForEachUnit(const unsigned char* p, unsigned length, F f)
{
    unsigned i = 0;
    while (i < length) {
        unsigned short u;
        int r = CVLString::UTF8CharToUCS2Char(p + i, length - i, &u);
        unsigned used = r < 0 ? 1u : static_cast<unsigned>(r);
        f(u, i, used);
        i += used;
    }
}

bool IsSpaceUnit(unsigned short u)
{
    if (u >= 0x09 && u <= 0x0D)
        return true;
    unsigned char c = CVLStringUnicodeTables::Category(u);
    return c == CVLStringUnicodeTables::kCatSpaceSeparator || c == CVLStringUnicodeTables::kCatLineSeparator ||
           c == CVLStringUnicodeTables::kCatParagraphSeparator;
}

unsigned short FoldUnit(unsigned short u, unsigned char fromCategory)
{
    if (CVLStringUnicodeTables::Category(u) == fromCategory) {
        unsigned short partner = CVLStringUnicodeTables::CasePartner(u);
        if (partner)
            return partner;
    }
    return u;
}

// Case-mapped copy of length bytes; map (if given) gets the source offset of every output byte
// plus one final entry for the end.
std::string MapCase(const unsigned char* p, unsigned length, unsigned char fromCategory,
                    std::vector<unsigned>* map = nullptr)
{
    std::string out;
    out.reserve(length);
    ForEachUnit(p, length, [&](unsigned short u, unsigned at, unsigned) {
        size_t before = out.size();
        AppendUTF8CodePoint(out, FoldUnit(u, fromCategory));
        if (map)
            map->insert(map->end(), out.size() - before, at);
    });
    if (map)
        map->push_back(length);
    return out;
}

void ConvertLatin1(std::string& out, const char* p, unsigned n)
{
    out.reserve(out.size() + n + n / 4);
    for (unsigned i = 0; i < n; ++i) {
        unsigned char b = static_cast<unsigned char>(p[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
        } else {
            out += static_cast<char>(0xC0 + (b >> 6));
            out += static_cast<char>(0x80 + (b & 0x3F));
        }
    }
}

void ConvertWindows1252(std::string& out, const char* p, unsigned n)
{
    out.reserve(out.size() + n + n / 4);
    for (unsigned i = 0; i < n; ++i) {
        unsigned char b = static_cast<unsigned char>(p[i]);
        if (b < 0x80)
            out += static_cast<char>(b);
        else
            out += CVLString::Win1252SpecialChars[b - 0x80];
    }
}

void ConvertLocal8Bit(std::string& out, const char* p, unsigned n)
{
    std::mbstate_t state{};
    unsigned i = 0;
    while (i < n) {
        wchar_t wc = 0;
        size_t avail = n - i < 5 ? n - i : 5;
        size_t r = std::mbrtowc(&wc, p + i, avail, &state);
        if (r == static_cast<size_t>(-1) || r == static_cast<size_t>(-2) || r == 0) {
            out += '@';
            state = std::mbstate_t{};
            ++i;
            continue;
        }
        unsigned cp = static_cast<unsigned>(wc);
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) || cp == 0)
            cp = 0xFFFD;
        AppendUTF8CodePoint(out, cp);
        i += static_cast<unsigned>(r);
    }
}

// UTF-8 form of n bytes of const char* text, detected as UTF-8, Windows-1252 or Latin-1.
// Returns false when the bytes are already UTF-8 (nothing written: use them as they are).
bool ConvertDetected(std::string& out, const char* p, unsigned n)
{
    const unsigned char* u = reinterpret_cast<const unsigned char*>(p);
    if (CVLString::IsLegalUTF8String(u, n))
        return false;
    if (CVLString::IsProbableWindows1252String(p, n))
        ConvertWindows1252(out, p, n);
    else
        ConvertLatin1(out, p, n);
    return true;
}

void ConvertUCS2(std::string& out, const unsigned short* units, unsigned count, bool swap)
{
    auto unitAt = [&](unsigned i) -> unsigned {
        unsigned short v = units[i];
        if (swap)
            v = static_cast<unsigned short>((v >> 8) | (v << 8));
        return v;
    };
    for (unsigned i = 0; i < count; ++i) {
        unsigned u = unitAt(i);
        if (u == 0)
            break;
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 1 >= count)
                break;
            unsigned lo = unitAt(i + 1);
            if (lo < 0xDC00 || lo > 0xDFFF)
                break;
            AppendUTF8CodePoint(out, 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00));
            ++i;
        } else if (u >= 0xDC00 && u <= 0xDFFF) {
            break;
        } else {
            AppendUTF8CodePoint(out, u);
        }
    }
}

unsigned UCS2Count(const unsigned short* units, unsigned count)
{
    if (!units)
        return 0;
    if (count != CVLString::kLengthToZero)
        return count;
    unsigned n = 0;
    while (units[n] && n < kMaxText)
        ++n;
    return n;
}

int VFormatTo(std::string& out, const char* format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    int need = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (need <= 0) {
        out.clear();
        return 0;
    }
    out.assign(static_cast<size_t>(need) + 1, '\0');
    std::vsnprintf(&out[0], out.size(), format, args);
    out.resize(std::strlen(out.c_str()));
    return static_cast<int>(out.size());
}
}  // namespace

// ---------------------------------------------------------------------------------------
// Character tables

// clang-format off
const unsigned char CVLString::trailingBytesForUTF8[256] = {
    0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0, 0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,
    0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0, 0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,
    0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0, 0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,
    0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0, 0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,
    0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0, 0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,
    0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0, 0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,
    1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1, 1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,
    2,2,2,2,2,2,2,2,2,2,2,2,2,2,2,2, 3,3,3,3,3,3,3,3,4,4,4,4,5,5,5,5,
};

const bool CVLString::gbProbableWin1252Char[256] = {
    // 0x00 - 0x7F
    false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,
    false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,
    false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,
    false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,
    false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,
    false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,
    false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,
    false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,
    // 0x80 - 0x8F: 0x80, 0x82 - 0x8C, 0x8E
    true, false,true, true, true, true, true, true, true, true, true, true, true, false,true, false,
    // 0x90 - 0x9F: 0x91 - 0x9C, 0x9E, 0x9F
    false,true, true, true, true, true, true, true, true, true, true, true, true, false,true, true,
    // 0xA0 - 0xFF
    false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,
    false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,
    false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,
    false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,
    false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,
    false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,false,
};

const char* const CVLString::Win1252SpecialChars[128] = {
    "\xE2\x82\xAC", "?", "\xE2\x80\x9A", "\xC6\x92", "\xE2\x80\x9E", "\xE2\x80\xA6", "\xE2\x80\xA0", "\xE2\x80\xA1",  // 0x80
    "\xCB\x86", "\xE2\x80\xB0", "\xC5\xA0", "\xE2\x80\xB9", "\xC5\x92", "?", "\xC5\xBD", "?",  // 0x88
    "?", "\xE2\x80\x98", "\xE2\x80\x99", "\xE2\x80\x9C", "\xE2\x80\x9D", "\xE2\x80\xA2", "\xE2\x80\x93", "\xE2\x80\x94",  // 0x90
    "\xCB\x9C", "\xE2\x84\xA2", "\xC5\xA1", "\xE2\x80\xBA", "\xC5\x93", "?", "\xC5\xBE", "\xC5\xB8",  // 0x98
    "\xC2\xA0", "\xC2\xA1", "\xC2\xA2", "\xC2\xA3", "\xC2\xA4", "\xC2\xA5", "\xC2\xA6", "\xC2\xA7",  // 0xA0
    "\xC2\xA8", "\xC2\xA9", "\xC2\xAA", "\xC2\xAB", "\xC2\xAC", "\xC2\xAD", "\xC2\xAE", "\xC2\xAF",  // 0xA8
    "\xC2\xB0", "\xC2\xB1", "\xC2\xB2", "\xC2\xB3", "\xC2\xB4", "\xC2\xB5", "\xC2\xB6", "\xC2\xB7",  // 0xB0
    "\xC2\xB8", "\xC2\xB9", "\xC2\xBA", "\xC2\xBB", "\xC2\xBC", "\xC2\xBD", "\xC2\xBE", "\xC2\xBF",  // 0xB8
    "\xC3\x80", "\xC3\x81", "\xC3\x82", "\xC3\x83", "\xC3\x84", "\xC3\x85", "\xC3\x86", "\xC3\x87",  // 0xC0
    "\xC3\x88", "\xC3\x89", "\xC3\x8A", "\xC3\x8B", "\xC3\x8C", "\xC3\x8D", "\xC3\x8E", "\xC3\x8F",  // 0xC8
    "\xC3\x90", "\xC3\x91", "\xC3\x92", "\xC3\x93", "\xC3\x94", "\xC3\x95", "\xC3\x96", "\xC3\x97",  // 0xD0
    "\xC3\x98", "\xC3\x99", "\xC3\x9A", "\xC3\x9B", "\xC3\x9C", "\xC3\x9D", "\xC3\x9E", "\xC3\x9F",  // 0xD8
    "\xC3\xA0", "\xC3\xA1", "\xC3\xA2", "\xC3\xA3", "\xC3\xA4", "\xC3\xA5", "\xC3\xA6", "\xC3\xA7",  // 0xE0
    "\xC3\xA8", "\xC3\xA9", "\xC3\xAA", "\xC3\xAB", "\xC3\xAC", "\xC3\xAD", "\xC3\xAE", "\xC3\xAF",  // 0xE8
    "\xC3\xB0", "\xC3\xB1", "\xC3\xB2", "\xC3\xB3", "\xC3\xB4", "\xC3\xB5", "\xC3\xB6", "\xC3\xB7",  // 0xF0
    "\xC3\xB8", "\xC3\xB9", "\xC3\xBA", "\xC3\xBB", "\xC3\xBC", "\xC3\xBD", "\xC3\xBE", "\xC3\xBF",  // 0xF8
};
// clang-format on

const CVLString CVLString::kEmptyString;

// ---------------------------------------------------------------------------------------
// Core byte operations: every change goes through these, and each discards the cache first.

void CVLString::DiscardCache() const
{
    delete m_pCache;
    m_pCache = nullptr;
    m_Flags = static_cast<unsigned short>(m_Flags & ~kCacheMask);
}

void CVLString::AssignBytes(const char* bytes, unsigned length)
{
    DiscardCache();
    length = bytes ? TextLength(bytes, length) : 0;
    if (length == 0) {
        m_Length = 0;
        if (m_Data)
            m_Data[0] = 0;
        return;
    }
    if (m_Data && bytes >= m_Data && bytes < m_Data + m_Size) {
        // A piece of our own text: it already fits.
        std::memmove(m_Data, bytes, length);
    } else {
        GrowTo(length + 1, false);
        std::memcpy(m_Data, bytes, length);
    }
    m_Data[length] = 0;
    m_Length = length;
}

void CVLString::AppendBytes(const char* bytes, unsigned length)
{
    InsertBytes(bytes, length, m_Length);
}

void CVLString::InsertBytes(const char* bytes, unsigned length, unsigned position)
{
    length = bytes ? TextLength(bytes, length) : 0;
    if (length == 0)
        return;
    DiscardCache();
    if (length > kMaxText - 1 - m_Length)
        throw std::bad_alloc();
    if (position > m_Length)
        position = m_Length;
    position = NextCharBoundary(position);
    std::string own;
    if (m_Data && bytes >= m_Data && bytes < m_Data + m_Size) {
        own.assign(bytes, length);  // growing may move our block
        bytes = own.data();
    }
    GrowTo(m_Length + length + 1, true);
    std::memmove(m_Data + position + length, m_Data + position, m_Length - position);
    std::memcpy(m_Data + position, bytes, length);
    m_Length += length;
    m_Data[m_Length] = 0;
}

unsigned CVLString::NextCharBoundary(unsigned position) const
{
    while (position < m_Length && IsContinuation(static_cast<unsigned char>(m_Data[position])))
        ++position;
    return position;
}

void CVLString::AppendDetected(CVLString& out, const char* text, unsigned length)
{
    if (!text)
        return;
    unsigned n = TextLength(text, length);
    std::string converted;
    if (ConvertDetected(converted, text, n))
        out.AppendBytes(converted.data(), CheckedLength(converted.size()));
    else
        out.AppendBytes(text, n);
}

// ---------------------------------------------------------------------------------------
// Construction and assignment

CVLString::CVLString(const char* text)
{
    AppendDetected(*this, text, kLengthToZero);
}

CVLString::CVLString(const char* text, unsigned length)
{
    AppendDetected(*this, text, length);
}

CVLString::CVLString(ConstructorType type, const char* bytes, unsigned length)
{
    if (!bytes)
        return;
    unsigned n = TextLength(bytes, length);
    std::string out;
    switch (type) {
    case Latin1:
        ConvertLatin1(out, bytes, n);
        break;
    case UTF8:
    case Raw:
        AssignBytes(bytes, n);
        return;
    case Local8Bit:
        ConvertLocal8Bit(out, bytes, n);
        break;
    case Windows1252:
        ConvertWindows1252(out, bytes, n);
        break;
    default:
        return;
    }
    AssignBytes(out.data(), CheckedLength(out.size()));
}

CVLString::CVLString(const QString& text)
{
    *this = text;
}

CVLString::CVLString(char c)
{
    *this = c;
}

CVLString::CVLString(int value)
{
    *this = value;
}
CVLString::CVLString(unsigned value)
{
    *this = value;
}
CVLString::CVLString(short value)
{
    *this = value;
}
CVLString::CVLString(unsigned short value)
{
    *this = value;
}
CVLString::CVLString(long value)
{
    *this = value;
}
CVLString::CVLString(unsigned long value)
{
    *this = value;
}
CVLString::CVLString(long long value)
{
    *this = value;
}
CVLString::CVLString(unsigned long long value)
{
    *this = value;
}
CVLString::CVLString(double value)
{
    *this = value;
}

CVLString::CVLString(double value, int precision)
{
    if (precision < MinSetFromDoublePrecision)
        precision = MinSetFromDoublePrecision;
    if (precision > MaxSetFromDoublePrecision)
        precision = MaxSetFromDoublePrecision;
    char text[64];
    int n = std::snprintf(text, sizeof text, "%.*g", precision, value);
    AssignBytes(text, n > 0 ? static_cast<unsigned>(n) : 0);
}

CVLString::CVLString(const CVLString& other) : CVLBuffer()
{
    AssignBytes(other.GetBufferPtr(), other.m_Length);
}

CVLString::CVLString(CVLString&& other) noexcept : CVLBuffer()
{
    m_Data = other.m_Data;
    m_Size = other.m_Size;
    m_Length = other.m_Length;
    m_Flags = other.m_Flags;
    m_pCache = other.m_pCache;
    other.m_Data = nullptr;
    other.m_Size = 0;
    other.m_Length = 0;
    other.m_Flags = 0;
    other.m_pCache = nullptr;
}

CVLString::~CVLString()
{
    delete m_pCache;
}

CVLString& CVLString::operator=(const CVLString& other)
{
    if (&other != this)
        AssignBytes(other.GetBufferPtr(), other.m_Length);
    return *this;
}

CVLString& CVLString::operator=(CVLString&& other) noexcept
{
    if (&other != this)
        StealCVLStringFromCVLString(other);
    return *this;
}

void CVLString::StealCVLStringFromCVLString(CVLString& other)
{
    if (&other == this)
        return;
    DiscardCache();
    std::free(m_Data);
    m_Data = other.m_Data;
    m_Size = other.m_Size;
    m_Length = other.m_Length;
    m_Flags = other.m_Flags;
    m_pCache = other.m_pCache;
    other.m_Data = nullptr;
    other.m_Size = 0;
    other.m_Length = 0;
    other.m_Flags = 0;
    other.m_pCache = nullptr;
}

CVLString& CVLString::operator=(const char* text)
{
    unsigned n = TextLength(text, kLengthToZero);
    std::string converted;
    if (text && ConvertDetected(converted, text, n))
        AssignBytes(converted.data(), CheckedLength(converted.size()));
    else
        AssignBytes(text, n);  // keeps the block when it is big enough
    return *this;
}

CVLString& CVLString::operator=(const unsigned char* utf8)
{
    SetFromUTF8(utf8);
    return *this;
}

CVLString& CVLString::operator=(const unsigned short* ucs2)
{
    SetFromUCS2(ucs2);
    return *this;
}

CVLString& CVLString::operator=(const QString& text)
{
    QByteArray utf8 = text.toUtf8();
    AssignBytes(utf8.constData(), CheckedLength(static_cast<size_t>(utf8.size())));
    return *this;
}

CVLString& CVLString::operator=(char c)
{
    AssignBytes(&c, 1);
    return *this;
}

CVLString& CVLString::operator=(int value)
{
    return *this = static_cast<long long>(value);
}
CVLString& CVLString::operator=(unsigned value)
{
    return *this = static_cast<unsigned long long>(value);
}
CVLString& CVLString::operator=(short value)
{
    return *this = static_cast<long long>(value);
}
CVLString& CVLString::operator=(unsigned short value)
{
    return *this = static_cast<unsigned long long>(value);
}
CVLString& CVLString::operator=(long value)
{
    return *this = static_cast<long long>(value);
}
CVLString& CVLString::operator=(unsigned long value)
{
    return *this = static_cast<unsigned long long>(value);
}

CVLString& CVLString::operator=(long long value)
{
    char text[32];
    int n = std::snprintf(text, sizeof text, "%lld", value);
    AssignBytes(text, static_cast<unsigned>(n));
    return *this;
}

CVLString& CVLString::operator=(unsigned long long value)
{
    char text[32];
    int n = std::snprintf(text, sizeof text, "%llu", value);
    AssignBytes(text, static_cast<unsigned>(n));
    return *this;
}

CVLString& CVLString::operator=(double value)
{
    char text[64];
    int n = std::snprintf(text, sizeof text, "%.*g", 15, value);
    AssignBytes(text, n > 0 ? static_cast<unsigned>(n) : 0);
    return *this;
}

void CVLString::SetFromUTF8(const unsigned char* utf8)
{
    AssignBytes(reinterpret_cast<const char*>(utf8), kLengthToZero);
}

void CVLString::SetFromUTF8(const unsigned char* utf8, unsigned length)
{
    AssignBytes(reinterpret_cast<const char*>(utf8), length);
}

void CVLString::SetFromLatin1(const char* text)
{
    SetFromLatin1(text, kLengthToZero);
}

void CVLString::SetFromLatin1(const char* text, unsigned length)
{
    CVLString s(Latin1, text, length);
    StealCVLStringFromCVLString(s);
}

void CVLString::SetFromWindows1252(const char* text)
{
    SetFromWindows1252(text, kLengthToZero);
}

void CVLString::SetFromWindows1252(const char* text, unsigned length)
{
    CVLString s(Windows1252, text, length);
    StealCVLStringFromCVLString(s);
}

void CVLString::SetFromLocal8Bit(const char* text)
{
    SetFromLocal8Bit(text, kLengthToZero);
}

void CVLString::SetFromLocal8Bit(const char* text, unsigned length)
{
    CVLString s(Local8Bit, text, length);
    StealCVLStringFromCVLString(s);
}

void CVLString::SetFromUCS2(const unsigned short* units)
{
    SetFromUCS2(units, kLengthToZero, false);
}

void CVLString::SetFromUCS2(const unsigned short* units, unsigned count, bool swapBytes)
{
    std::string out;
    if (units)
        ConvertUCS2(out, units, UCS2Count(units, count), swapBytes);
    AssignBytes(out.data(), CheckedLength(out.size()));
}

void CVLString::SetFromUTF32(const unsigned int* codePoints)
{
    SetFromUTF32(codePoints, kLengthToZero);
}

void CVLString::SetFromUTF32(const unsigned int* codePoints, unsigned count)
{
    std::string out;
    for (unsigned i = 0; codePoints && i < count; ++i) {
        unsigned cp = codePoints[i];
        if (cp == 0)
            break;
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            cp = 0xFFFD;
        AppendUTF8CodePoint(out, cp);
    }
    AssignBytes(out.data(), CheckedLength(out.size()));
}

CVLString CVLString::fromUTF8(const char* utf8, unsigned length)
{
    return CVLString(UTF8, utf8, length);
}

CVLString CVLString::fromLatin1(const char* text, unsigned length)
{
    return CVLString(Latin1, text, length);
}

CVLString CVLString::fromLocal8Bit(const char* text, unsigned length)
{
    return CVLString(Local8Bit, text, length);
}

CVLString CVLString::fromInt(int value)
{
    return CVLString(value);
}
CVLString CVLString::fromUInt(unsigned value)
{
    return CVLString(value);
}
CVLString CVLString::fromLong(long value)
{
    return CVLString(value);
}
CVLString CVLString::fromULong(unsigned long value)
{
    return CVLString(value);
}
CVLString CVLString::fromInt64(long long value)
{
    return CVLString(value);
}
CVLString CVLString::fromUInt64(unsigned long long value)
{
    return CVLString(value);
}

void CVLString::Empty(unsigned capacity)
{
    DiscardCache();
    m_Length = 0;
    if (capacity > m_Size)
        GrowTo(capacity, false);
    if (m_Data)
        m_Data[0] = 0;
}

void CVLString::FreeString()
{
    FreeBuffer();
}

// ---------------------------------------------------------------------------------------
// Buffer slots

void CVLString::ClearBuffer()
{
    DiscardCache();
    m_Length = 0;
    if (!m_Data)
        CVLBuffer::ReAlloc(1);
    std::memset(m_Data, 0, m_Size);
}

void CVLString::FreeBuffer()
{
    DiscardCache();
    CVLBuffer::FreeBuffer();
    m_Length = 0;
}

bool CVLString::GrowTo(unsigned size, bool keepContents)
{
    (void)keepContents;  // the text is always kept: it must stay valid
    if (m_Size >= size)
        return m_Data != nullptr;
    return CVLBuffer::ReAlloc(size);
}

bool CVLString::ReAlloc(unsigned size)
{
    DiscardCache();
    bool present = CVLBuffer::ReAlloc(size);
    if (!present) {
        m_Length = 0;
    } else if (m_Length >= size) {
        unsigned cut = size - 1;
        while (cut > 0 && IsContinuation(static_cast<unsigned char>(m_Data[cut])))
            --cut;
        m_Length = cut;
        m_Data[cut] = 0;
    }
    return present;
}

void CVLString::StealContentsFrom(CVLBuffer& other)
{
    DiscardCache();
    CVLBuffer::StealContentsFrom(other);
    m_Length = 0;
    SetLength(m_Size);
}

void CVLString::SetBuffer(void* block, unsigned size)
{
    DiscardCache();
    CVLBuffer::SetBuffer(block, size);
    m_Length = 0;
    SetLength(m_Size);
}

void CVLString::CopyFrom(const CVLBuffer* other)
{
    if (other == this)
        return;
    if (const CVLString* text = dynamic_cast<const CVLString*>(other)) {
        AssignBytes(text->GetBufferPtr(), text->m_Length);
        return;
    }
    if (!other || !other->GetBufferPtr()) {
        AssignBytes(nullptr, 0);
        return;
    }
    AssignBytes(other->GetBufferPtr(), other->GetBufferLength());
}

void CVLString::AppendToBuffer(const void* bytes, unsigned count)
{
    if (bytes && count)
        AppendBytes(static_cast<const char*>(bytes), count);
}

void CVLString::SetLength(unsigned length)
{
    DiscardCache();
    if (!m_Data || m_Size == 0) {
        m_Length = 0;
        return;
    }
    if (length >= m_Size) {
        if (length > m_Size || !std::memchr(m_Data, 0, m_Size)) {
            // The text needs its zero byte inside the block.
            length = m_Size;
            CVLBuffer::ReAlloc(m_Size + 1);
        }
    }
    const void* z = std::memchr(m_Data, 0, length);
    m_Length = z ? static_cast<unsigned>(static_cast<const char*>(z) - m_Data) : length;
    m_Data[m_Length] = 0;
}

// ---------------------------------------------------------------------------------------
// Reading

unsigned CVLString::GetLength() const
{
    return m_Length;
}

unsigned CVLString::GetCharLength() const
{
    unsigned n = 0;
    for (unsigned i = 0; i < m_Length; ++i)
        if (!IsContinuation(static_cast<unsigned char>(m_Data[i])))
            ++n;
    return n;
}

const char* CVLString::GetBufferPtr() const
{
    return m_Data ? m_Data : kEmptyText;
}

char CVLString::operator[](unsigned index) const
{
    return index < m_Length ? m_Data[index] : 0;
}

char CVLString::operator[](int index) const
{
    return index < 0 ? 0 : (*this)[static_cast<unsigned>(index)];
}

char CVLString::operator[](short index) const
{
    return (*this)[static_cast<int>(index)];
}

char CVLString::operator[](long index) const
{
    return index < 0 || static_cast<unsigned long>(index) >= m_Length ? 0 : m_Data[index];
}

char CVLString::operator[](unsigned long index) const
{
    return index < m_Length ? m_Data[index] : 0;
}

unsigned CVLString::GetCharCount(char c) const
{
    unsigned n = 0;
    for (unsigned i = 0; i < m_Length; ++i)
        if (m_Data[i] == c)
            ++n;
    return n;
}

bool CVLString::ContainsOnlyNumberCharacters() const
{
    if (m_Length == 0)
        return false;
    for (unsigned i = 0; i < m_Length; ++i)
        if (m_Data[i] < '0' || m_Data[i] > '9')
            return false;
    return true;
}

bool CVLString::HasNonWhitespaceData() const
{
    bool found = false;
    ForEachUnit(GetUTF8Ptr(), m_Length, [&](unsigned short u, unsigned, unsigned) {
        if (!IsSpaceUnit(u))
            found = true;
    });
    return found;
}

// ---------------------------------------------------------------------------------------
// Converted forms

const char* CVLString::GetLatin1Ptr() const
{
    if (!(m_pCache && (m_Flags & kCacheLatin1))) {
        DiscardCache();
        std::string out;
        const unsigned char* p = GetUTF8Ptr();
        for (unsigned i = 0; i < m_Length;) {
            unsigned cp;
            int r = DecodeCodePoint(p + i, m_Length - i, &cp);
            out += cp <= 0xFF ? static_cast<char>(cp) : '?';
            i += r < 0 ? 1u : static_cast<unsigned>(r);
        }
        std::unique_ptr<CVLBuffer> cache(new CVLBuffer(CheckedLength(out.size()) + 1));
        std::memcpy(cache->GetNonConstBufferPtr(), out.c_str(), out.size() + 1);
        m_pCache = cache.release();
        m_Flags = static_cast<unsigned short>(m_Flags | kCacheLatin1);
    }
    return m_pCache->GetBufferPtr();
}

const unsigned short* CVLString::GetUCS2Ptr() const
{
    if (!(m_pCache && (m_Flags & kCacheUCS2))) {
        DiscardCache();
        std::vector<unsigned short> out;
        out.reserve(m_Length + 1);
        const unsigned char* p = GetUTF8Ptr();
        for (unsigned i = 0; i < m_Length;) {
            unsigned cp;
            int r = DecodeCodePoint(p + i, m_Length - i, &cp);
            if (r < 0)
                break;  // the conversion stops at the first ill-formed sequence
            if (cp >= 0x10000) {
                cp -= 0x10000;
                out.push_back(static_cast<unsigned short>(0xD800 + (cp >> 10)));
                out.push_back(static_cast<unsigned short>(0xDC00 + (cp & 0x3FF)));
            } else {
                out.push_back(static_cast<unsigned short>((cp >= 0xD800 && cp <= 0xDFFF) ? 0xFFFD : cp));
            }
            i += static_cast<unsigned>(r);
        }
        out.push_back(0);
        unsigned bytes = CheckedLength(out.size() * sizeof(unsigned short));
        std::unique_ptr<CVLBuffer> cache(new CVLBuffer(bytes));
        std::memcpy(cache->GetNonConstBufferPtr(), out.data(), bytes);
        m_pCache = cache.release();
        m_Flags = static_cast<unsigned short>(m_Flags | kCacheUCS2);
    }
    return reinterpret_cast<const unsigned short*>(m_pCache->GetBufferPtr());
}

const unsigned int* CVLString::GetUTF32Ptr() const
{
    if (!(m_pCache && (m_Flags & kCacheUTF32))) {
        DiscardCache();
        std::vector<unsigned int> out;
        out.reserve(m_Length + 1);
        const unsigned char* p = GetUTF8Ptr();
        for (unsigned i = 0; i < m_Length;) {
            unsigned cp;
            int r = DecodeCodePoint(p + i, m_Length - i, &cp);
            out.push_back(cp);
            i += r < 0 ? 1u : static_cast<unsigned>(r);
        }
        out.push_back(0);
        unsigned bytes = CheckedLength(out.size() * sizeof(unsigned int));
        std::unique_ptr<CVLBuffer> cache(new CVLBuffer(bytes));
        std::memcpy(cache->GetNonConstBufferPtr(), out.data(), bytes);
        m_pCache = cache.release();
        m_Flags = static_cast<unsigned short>(m_Flags | kCacheUTF32);
    }
    return reinterpret_cast<const unsigned int*>(m_pCache->GetBufferPtr());
}

const char* CVLString::GetLocal8BitPtr() const
{
    if (!(m_pCache && (m_Flags & kCacheLocal8Bit))) {
        DiscardCache();
        std::string out;
        const unsigned char* p = GetUTF8Ptr();
        std::mbstate_t state{};
        char mb[MB_LEN_MAX > 16 ? MB_LEN_MAX : 16];
        for (unsigned i = 0; i < m_Length;) {
            unsigned cp;
            int r = DecodeCodePoint(p + i, m_Length - i, &cp);
            i += r < 0 ? 1u : static_cast<unsigned>(r);
            size_t n = static_cast<size_t>(-1);
            if (r >= 0 && cp <= static_cast<unsigned>(WCHAR_MAX))
                n = std::wcrtomb(mb, static_cast<wchar_t>(cp), &state);
            if (n == static_cast<size_t>(-1) || n == 0) {
                out += '@';
                state = std::mbstate_t{};
            } else {
                out.append(mb, n);
            }
        }
        std::unique_ptr<CVLBuffer> cache(new CVLBuffer(CheckedLength(out.size()) + 1));
        std::memcpy(cache->GetNonConstBufferPtr(), out.c_str(), out.size() + 1);
        m_pCache = cache.release();
        m_Flags = static_cast<unsigned short>(m_Flags | kCacheLocal8Bit);
    }
    return m_pCache->GetBufferPtr();
}

QString CVLString::ToQString() const
{
    return QString::fromUtf8(GetBufferPtr(), static_cast<int>(m_Length > INT_MAX ? INT_MAX : m_Length));
}

// ---------------------------------------------------------------------------------------
// Comparing

int CVLString::CompareUTF8Buffers(const unsigned char* a, const unsigned char* b, int byteCount, bool ignoreCase,
                                  unsigned lengthA, unsigned lengthB)
{
    if (!a)
        return b ? -1 : 0;
    if (!b)
        return 1;
    if (!ignoreCase) {
        if (byteCount < 0)
            return std::strcmp(reinterpret_cast<const char*>(a), reinterpret_cast<const char*>(b));
        return std::strncmp(reinterpret_cast<const char*>(a), reinterpret_cast<const char*>(b),
                            static_cast<size_t>(byteCount));
    }
    unsigned la = lengthA != kLengthToZero ? lengthA : CheckedLength(std::strlen(reinterpret_cast<const char*>(a)));
    unsigned lb = lengthB != kLengthToZero ? lengthB : CheckedLength(std::strlen(reinterpret_cast<const char*>(b)));
    unsigned ia = 0, ib = 0;
    for (;;) {
        if (byteCount >= 0 && ia >= static_cast<unsigned>(byteCount))
            return 0;
        unsigned short ua = 0, ub = 0;
        unsigned na = 0, nb = 0;
        if (ia < la) {
            int r = UTF8CharToUCS2Char(a + ia, la - ia, &ua);
            na = r < 0 ? 1u : static_cast<unsigned>(r);
        }
        if (ib < lb) {
            int r = UTF8CharToUCS2Char(b + ib, lb - ib, &ub);
            nb = r < 0 ? 1u : static_cast<unsigned>(r);
        }
        int fa = FoldUnit(ua, CVLStringUnicodeTables::kCatUppercaseLetter);
        int fb = FoldUnit(ub, CVLStringUnicodeTables::kCatUppercaseLetter);
        if (fa != fb)
            return fa - fb;
        if (na == 0)
            return 0;  // both ended
        ia += na;
        ib += nb;
    }
}

int CVLString::Compare(const CVLString& other, bool ignoreCase) const
{
    if (m_Length == 0 && other.m_Length == 0)
        return 0;
    return CompareUTF8Buffers(GetUTF8Ptr(), other.GetUTF8Ptr(), -1, ignoreCase, m_Length, other.m_Length);
}

int CVLString::Compare(const char* text, bool ignoreCase) const
{
    if (!text)
        return 1;
    unsigned n = TextLength(text, kLengthToZero);
    std::string converted;
    if (ConvertDetected(converted, text, n))
        return CompareUTF8Buffers(GetUTF8Ptr(), reinterpret_cast<const unsigned char*>(converted.c_str()), -1,
                                  ignoreCase, m_Length, CheckedLength(converted.size()));
    return CompareUTF8Buffers(GetUTF8Ptr(), reinterpret_cast<const unsigned char*>(text), -1, ignoreCase, m_Length,
                              n);
}

int CVLString::Compare(const unsigned char* utf8, bool ignoreCase) const
{
    if (!utf8)
        return 1;
    return CompareUTF8Buffers(GetUTF8Ptr(), utf8, -1, ignoreCase, m_Length, kLengthToZero);
}

int CVLString::Compare(const QString& text, bool ignoreCase) const
{
    return Compare(CVLString(text), ignoreCase);
}

bool CVLString::BeginsWith(const CVLString& prefix, bool ignoreCase) const
{
    if (prefix.m_Length == 0)
        return ignoreCase ? m_Length == 0 : true;
    if (!ignoreCase && prefix.m_Length > m_Length)
        return false;
    int count = prefix.m_Length > static_cast<unsigned>(INT_MAX) ? INT_MAX : static_cast<int>(prefix.m_Length);
    return CompareUTF8Buffers(GetUTF8Ptr(), prefix.GetUTF8Ptr(), count, ignoreCase, m_Length, prefix.m_Length) == 0;
}

bool CVLString::EndsWith(const CVLString& suffix, bool ignoreCase) const
{
    if (suffix.m_Length > m_Length)
        return false;
    unsigned cut = m_Length - suffix.m_Length;
    if (cut < m_Length && IsContinuation(static_cast<unsigned char>(m_Data[cut])))
        return false;
    return CompareUTF8Buffers(GetUTF8Ptr() + cut, suffix.GetUTF8Ptr(), -1, ignoreCase, suffix.m_Length,
                              suffix.m_Length) == 0;
}

int CVLString::stricmpLatin1(const char* a, const char* b)
{
    if (!a)
        return b ? -1 : 0;
    if (!b)
        return 1;
    return strcasecmp(a, b);
}

int CVLString::strnicmpLatin1(const char* a, const char* b, unsigned count)
{
    if (!a)
        return b ? -1 : 0;
    if (!b)
        return 1;
    return strncasecmp(a, b, count);
}

bool operator==(const char* text, const CVLString& s)
{
    return s.Compare(text) == 0;
}

bool operator!=(const char* text, const CVLString& s)
{
    return s.Compare(text) != 0;
}

CVLString operator+(const CVLString& a, const CVLString& b)
{
    CVLString r(a);
    r += b;
    return r;
}

CVLString operator+(const CVLString& a, const char* b)
{
    CVLString r(a);
    r += b;
    return r;
}

CVLString operator+(const char* a, const CVLString& b)
{
    CVLString r(a);
    r += b;
    return r;
}

// ---------------------------------------------------------------------------------------
// Searching

bool CVLString::InStr(const char* pattern, unsigned start, unsigned* foundAt, bool ignoreCase) const
{
    if (!pattern || !*pattern)
        return false;
    CVLString p(pattern);
    if (static_cast<unsigned long long>(start) + p.m_Length > m_Length)
        return false;
    start = NextCharBoundary(start);
    if (!ignoreCase) {
        const char* hit = std::strstr(m_Data + start, p.m_Data);
        if (!hit)
            return false;
        if (foundAt)
            *foundAt = static_cast<unsigned>(hit - m_Data);
        return true;
    }
    // Lowercased copies; the map takes a hit back to our own byte position even where
    // lowercasing changes byte lengths (ill-formed bytes, characters above U+FFFF).
    std::vector<unsigned> map;
    std::string text =
        MapCase(GetUTF8Ptr() + start, m_Length - start, CVLStringUnicodeTables::kCatUppercaseLetter, &map);
    std::string lowered = MapCase(p.GetUTF8Ptr(), p.m_Length, CVLStringUnicodeTables::kCatUppercaseLetter);
    size_t at = text.find(lowered);
    if (at == std::string::npos)
        return false;
    if (foundAt)
        *foundAt = start + map[at];
    return true;
}

bool CVLString::InStr(const char* pattern, unsigned* foundAt, bool ignoreCase) const
{
    return InStr(pattern, 0, foundAt, ignoreCase);
}

bool CVLString::InStr(const CVLString& pattern, unsigned start, unsigned* foundAt, bool ignoreCase) const
{
    return InStr(pattern.GetBufferPtr(), start, foundAt, ignoreCase);
}

int CVLString::Find(const CVLString& pattern, int start, bool ignoreCase) const
{
    if (start < 0 || static_cast<unsigned>(start) > m_Length)
        return -1;
    unsigned at = 0;
    if (!InStr(pattern, static_cast<unsigned>(start), &at, ignoreCase) || at > static_cast<unsigned>(INT_MAX))
        return -1;
    return static_cast<int>(at);
}

bool CVLString::InStrReverse(char c, unsigned* foundAt, bool ignoreCase) const
{
    if (m_Length < 2)
        return false;
    return InStrReverse(c, m_Length - 1, foundAt, ignoreCase);
}

bool CVLString::InStrReverse(char c, unsigned start, unsigned* foundAt, bool) const
{
    if (m_Length < 2 || start < 1 || start >= m_Length)
        return false;
    for (unsigned i = start + 1; i-- > 0;) {
        if (m_Data[i] == c) {
            if (foundAt)
                *foundAt = i;
            return true;
        }
    }
    return false;
}

int CVLString::ReverseFind(char c, bool ignoreCase) const
{
    unsigned at = 0;
    if (!InStrReverse(c, &at, ignoreCase) || at > static_cast<unsigned>(INT_MAX))
        return -1;
    return static_cast<int>(at);
}

// ---------------------------------------------------------------------------------------
// Pieces

CVLString* CVLString::SubStr(unsigned start, unsigned count) const
{
    if (start > m_Length)
        return nullptr;
    std::unique_ptr<CVLString> piece(new CVLString);
    GetSubStrInto(*piece, start, count, count == 0);
    return piece.release();
}

CVLString CVLString::SubStrMovedCopy(unsigned start, unsigned count) const
{
    CVLString piece;
    if (start <= m_Length)
        GetSubStrInto(piece, start, count, count == 0);
    return piece;
}

void CVLString::GetSubStrInto(CVLString& out, unsigned start, unsigned count, bool toEnd) const
{
    if (start > m_Length)
        start = m_Length;
    start = NextCharBoundary(start);
    unsigned remaining = m_Length - start;
    if (toEnd || count > remaining)
        count = remaining;
    unsigned end = NextCharBoundary(start + count);
    CVLString piece;
    piece.AssignBytes(GetBufferPtr() + start, end - start);
    out.StealCVLStringFromCVLString(piece);
}

CVLString CVLString::Mid(int start, int count) const
{
    unsigned s = start < 0 ? 0u : static_cast<unsigned>(start);
    unsigned c = count < 0 ? 0u : static_cast<unsigned>(count);
    if (s > m_Length)
        s = m_Length;
    if (c > m_Length - s)
        c = m_Length - s;
    if (s == 0 && c == m_Length)
        return *this;
    CVLString piece;
    GetSubStrInto(piece, s, c, false);
    return piece;
}

CVLString CVLString::Left(int count) const
{
    if (count >= 0 && static_cast<unsigned>(count) >= m_Length)
        return *this;
    return Mid(0, count);
}

CVLString CVLString::Right(int count) const
{
    unsigned n = count < 0 ? 0u : static_cast<unsigned>(count);
    if (n > m_Length)
        n = m_Length;
    if (m_Length - n > static_cast<unsigned>(INT_MAX) || n > static_cast<unsigned>(INT_MAX))
        return CVLString();
    return Mid(static_cast<int>(m_Length - n), static_cast<int>(n));
}

bool CVLString::SplitStringAt(const CVLString& separator, CVLString& before, CVLString& after) const
{
    unsigned at = 0;
    CVLString first, second;
    bool found = separator.m_Length > 0 && InStr(separator, 0, &at, false);
    if (found) {
        first.AssignBytes(GetBufferPtr(), at);
        second.AssignBytes(GetBufferPtr() + at + separator.m_Length, m_Length - at - separator.m_Length);
    } else {
        first = *this;
    }
    before.StealCVLStringFromCVLString(first);
    after.StealCVLStringFromCVLString(second);
    return found;
}

bool CVLString::SplitStringAt(char separator, CVLString& before, CVLString& after) const
{
    if (separator == 0) {
        before = *this;
        after.Empty();
        return false;
    }
    return SplitStringAt(CVLString(Raw, &separator, 1), before, after);
}

bool CVLString::Split(const CVLString& separator, CVLStringList& list, bool keepEmpty) const
{
    bool added = false;
    auto add = [&](unsigned from, unsigned to) {
        if (to > from || keepEmpty) {
            list.AddStringToList(new CVLString(UTF8, GetBufferPtr() + from, to - from));
            added = true;
        }
    };
    if (separator.m_Length == 0) {
        add(0, m_Length);
        return added;
    }
    unsigned from = 0;
    for (;;) {
        const char* hit = from <= m_Length ? std::strstr(GetBufferPtr() + from, separator.GetBufferPtr()) : nullptr;
        if (!hit) {
            add(from, m_Length);
            break;
        }
        unsigned at = static_cast<unsigned>(hit - GetBufferPtr());
        add(from, at);
        from = at + separator.m_Length;
    }
    return added;
}

bool CVLString::Split(char separator, CVLStringList& list, bool keepEmpty) const
{
    if (separator == 0)
        return Split(CVLString(), list, keepEmpty);
    return Split(CVLString(Raw, &separator, 1), list, keepEmpty);
}

// ---------------------------------------------------------------------------------------
// Changing

void CVLString::Append(const char* text)
{
    AppendDetected(*this, text, kLengthToZero);
}

void CVLString::Append(const char* text, unsigned length)
{
    AppendDetected(*this, text, length);
}

void CVLString::Append(const CVLString& text)
{
    AppendBytes(text.GetBufferPtr(), text.m_Length);
}

void CVLString::Append(char c)
{
    if (c)
        AppendBytes(&c, 1);
}

void CVLString::AppendUTF8(const unsigned char* utf8)
{
    AppendBytes(reinterpret_cast<const char*>(utf8), kLengthToZero);
}

void CVLString::AppendUTF8(const unsigned char* utf8, unsigned length)
{
    AppendBytes(reinterpret_cast<const char*>(utf8), length);
}

void CVLString::AppendLatin1(const char* text, unsigned length)
{
    Append(CVLString(Latin1, text, length));
}

void CVLString::AppendWindows1252(const char* text, unsigned length)
{
    Append(CVLString(Windows1252, text, length));
}

void CVLString::AppendLocal8Bit(const char* text, unsigned length)
{
    Append(CVLString(Local8Bit, text, length));
}

void CVLString::AppendUCS2(const unsigned short* units, unsigned count, bool swapBytes)
{
    CVLString s;
    s.SetFromUCS2(units, count, swapBytes);
    Append(s);
}

CVLString& CVLString::operator+=(const char* text)
{
    Append(text);
    return *this;
}

CVLString& CVLString::operator+=(const CVLString& text)
{
    Append(text);
    return *this;
}

CVLString& CVLString::operator+=(const unsigned char* utf8)
{
    AppendUTF8(utf8);
    return *this;
}

CVLString& CVLString::operator+=(char c)
{
    Append(c);
    return *this;
}

CVLString& CVLString::operator+=(int value)
{
    Append(CVLString(value));
    return *this;
}
CVLString& CVLString::operator+=(unsigned value)
{
    Append(CVLString(value));
    return *this;
}
CVLString& CVLString::operator+=(short value)
{
    Append(CVLString(value));
    return *this;
}
CVLString& CVLString::operator+=(unsigned short value)
{
    Append(CVLString(value));
    return *this;
}
CVLString& CVLString::operator+=(long value)
{
    Append(CVLString(value));
    return *this;
}
CVLString& CVLString::operator+=(unsigned long value)
{
    Append(CVLString(value));
    return *this;
}
CVLString& CVLString::operator+=(long long value)
{
    Append(CVLString(value));
    return *this;
}
CVLString& CVLString::operator+=(unsigned long long value)
{
    Append(CVLString(value));
    return *this;
}
CVLString& CVLString::operator+=(double value)
{
    Append(CVLString(value));
    return *this;
}
CVLString& CVLString::operator+=(const QString& text)
{
    Append(CVLString(text));
    return *this;
}

void CVLString::Insert(const char* text, unsigned position)
{
    Insert(CVLString(text), position);
}

void CVLString::Insert(const CVLString& text, unsigned position)
{
    InsertBytes(text.GetBufferPtr(), text.m_Length, position);
}

void CVLString::InsertUTF8(const unsigned char* utf8, unsigned position)
{
    InsertBytes(reinterpret_cast<const char*>(utf8), kLengthToZero, position);
}

void CVLString::InsertLatin1(const char* text, unsigned position)
{
    Insert(CVLString(Latin1, text), position);
}

void CVLString::InsertWindows1252(const char* text, unsigned position)
{
    Insert(CVLString(Windows1252, text), position);
}

void CVLString::InsertLocal8Bit(const char* text, unsigned position)
{
    Insert(CVLString(Local8Bit, text), position);
}

void CVLString::InsertUCS2(const unsigned short* units, unsigned position)
{
    CVLString s;
    s.SetFromUCS2(units);
    Insert(s, position);
}

void CVLString::InsertRaw(const char* bytes, unsigned count, unsigned position)
{
    InsertBytes(bytes, count, position);
}

bool CVLString::ReplaceCharSequence(const char* from, const char* to, int maxCount, unsigned start)
{
    if (!from || !*from || start >= m_Length)
        return false;
    if (!to)
        to = "";
    const size_t fromLen = std::strlen(from);
    const size_t toLen = std::strlen(to);
    const unsigned limit = maxCount > 0 ? static_cast<unsigned>(maxCount) : 0;
    // from or to may point into this string: keep private copies.
    std::string f(from, fromLen), t(to, toLen);
    unsigned replaced = 0;
    auto matchAt = [&](unsigned r) {
        return (limit == 0 || replaced < limit) && m_Length - r >= fromLen &&
               std::memcmp(m_Data + r, f.data(), fromLen) == 0;
    };
    DiscardCache();
    if (toLen <= fromLen) {
        unsigned r = start, w = start;
        while (r < m_Length) {
            if (matchAt(r)) {
                std::memcpy(m_Data + w, t.data(), toLen);
                w += static_cast<unsigned>(toLen);
                r += static_cast<unsigned>(fromLen);
                ++replaced;
            } else {
                m_Data[w++] = m_Data[r++];
            }
        }
        m_Length = w;
        m_Data[w] = 0;
        return false;
    }
    std::string out(m_Data, start);
    unsigned r = start;
    while (r < m_Length) {
        if (matchAt(r)) {
            out += t;
            r += static_cast<unsigned>(fromLen);
            ++replaced;
        } else {
            out += m_Data[r++];
        }
    }
    if (replaced == 0)
        return false;
    CVLString rebuilt;
    rebuilt.AssignBytes(out.data(), CheckedLength(out.size()));
    StealCVLStringFromCVLString(rebuilt);
    return true;
}

bool CVLString::ReplaceChar(char from, char to, bool ignoreCase)
{
    if (to == 0 || m_Length == 0)
        return false;
    auto fold = [&](char c) {
        return ignoreCase && c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    const char f = fold(from);
    bool changed = false;
    DiscardCache();
    for (unsigned i = 0; i < m_Length; ++i) {
        if (fold(m_Data[i]) == f && m_Data[i] != to) {
            m_Data[i] = to;
            changed = true;
        }
    }
    return changed;
}

void CVLString::TrimLeftAscii(const char* set)
{
    if (!set || m_Length == 0)
        return;
    unsigned i = 0;
    while (i < m_Length && std::strchr(set, m_Data[i]))
        ++i;
    if (i > 0)
        AssignBytes(m_Data + i, m_Length - i);
}

void CVLString::TrimRightAscii(const char* set)
{
    if (!set || m_Length == 0)
        return;
    unsigned n = m_Length;
    while (n > 0 && std::strchr(set, m_Data[n - 1]))
        --n;
    if (n < m_Length) {
        DiscardCache();
        m_Length = n;
        m_Data[n] = 0;
    }
}

void CVLString::TrimLeft()
{
    unsigned i = 0;
    const unsigned char* p = GetUTF8Ptr();
    while (i < m_Length) {
        unsigned short u;
        int r = UTF8CharToUCS2Char(p + i, m_Length - i, &u);
        if (r < 0 || !IsSpaceUnit(u))
            break;
        i += static_cast<unsigned>(r);
    }
    if (i > 0)
        AssignBytes(m_Data + i, m_Length - i);
}

void CVLString::TrimRight()
{
    unsigned n = m_Length;
    const unsigned char* p = GetUTF8Ptr();
    while (n > 0) {
        unsigned lead = n - 1;
        while (lead > 0 && n - lead < 4 && IsContinuation(p[lead]))
            --lead;
        unsigned short u;
        int r = UTF8CharToUCS2Char(p + lead, n - lead, &u);
        if (r < 0 || lead + static_cast<unsigned>(r) != n || !IsSpaceUnit(u))
            break;
        n = lead;
    }
    if (n < m_Length) {
        DiscardCache();
        m_Length = n;
        m_Data[n] = 0;
    }
}

void CVLString::StripWhiteSpace()
{
    TrimRight();
    TrimLeft();
}

void CVLString::MakeLower()
{
    if (m_Length == 0)
        return;
    std::string out = MapCase(GetUTF8Ptr(), m_Length, CVLStringUnicodeTables::kCatUppercaseLetter);
    AssignBytes(out.data(), CheckedLength(out.size()));
}

void CVLString::MakeUpper()
{
    if (m_Length == 0)
        return;
    std::string out = MapCase(GetUTF8Ptr(), m_Length, CVLStringUnicodeTables::kCatLowercaseLetter);
    AssignBytes(out.data(), CheckedLength(out.size()));
}

void CVLString::AppendDirSeperatorIfNotPresent()
{
    if (m_Length < 2 || m_Data[m_Length - 1] == '/')
        return;
    AppendBytes("/", 1);
}

// ---------------------------------------------------------------------------------------
// Numbers

int CVLString::AtoI(const char* text, bool* overflow)
{
    if (overflow)
        *overflow = false;
    if (!text || !*text)
        return 0;
    if (!overflow)
        return std::atoi(text);
    long long v = 0;
    if (std::sscanf(text, "%lld", &v) != 1)
        return 0;
    if (v >= INT_MIN && v <= INT_MAX)
        return static_cast<int>(v);
    *overflow = true;
    return std::atoi(text);
}

unsigned CVLString::AtoUI(const char* text, bool* overflow)
{
    if (overflow)
        *overflow = false;
    if (!text || !*text)
        return 0;
    unsigned long long v = 0;
    if (std::sscanf(text, "%llu", &v) != 1)
        return 0;
    if (v <= UINT_MAX)
        return static_cast<unsigned>(v);
    if (overflow)
        *overflow = true;
    unsigned u = 0;
    std::sscanf(text, "%u", &u);
    return u;
}

long CVLString::AtoL(const char* text, bool* overflow)
{
    if (overflow)
        *overflow = false;
    if (!text || !*text)
        return 0;
    errno = 0;
    long v = std::strtol(text, nullptr, 10);
    if (errno == ERANGE && overflow)
        *overflow = true;
    return v;
}

unsigned long CVLString::AtoUL(const char* text, bool* overflow)
{
    if (overflow)
        *overflow = false;
    if (!text || !*text)
        return 0;
    errno = 0;
    unsigned long v = std::strtoul(text, nullptr, 10);
    if (errno == ERANGE && overflow)
        *overflow = true;
    return v;
}

int CVLString::AtoI(bool* overflow) const
{
    return AtoI(GetBufferPtr(), overflow);
}

unsigned CVLString::AtoUI(bool* overflow) const
{
    return AtoUI(GetBufferPtr(), overflow);
}

long CVLString::AtoL(bool* overflow) const
{
    return AtoL(GetBufferPtr(), overflow);
}

unsigned long CVLString::AtoUL(bool* overflow) const
{
    return AtoUL(GetBufferPtr(), overflow);
}

long long CVLString::AtoI64() const
{
    long long v = 0;
    if (m_Length == 0 || std::sscanf(GetBufferPtr(), "%lld", &v) != 1)
        return 0;
    return v;
}

double CVLString::AtoF() const
{
    return m_Length == 0 ? 0.0 : std::atof(GetBufferPtr());
}

int CVLString::SafeAtoI(int fallback) const
{
    long long v = 0;
    if (m_Length == 0 || std::sscanf(GetBufferPtr(), "%lld", &v) != 1)
        return 0;
    return (v >= INT_MIN && v <= INT_MAX) ? static_cast<int>(v) : fallback;
}

// ---------------------------------------------------------------------------------------
// Formatting

int CVLString::SafeFormat(const char* format, ...)
{
    CVLString fmt(format);
    if (fmt.m_Length == 0) {
        Empty();
        return 0;
    }
    // Arguments may point into this string, so the result is built apart and moved in.
    std::string out;
    va_list args;
    va_start(args, format);
    int n = VFormatTo(out, fmt.GetBufferPtr(), args);
    va_end(args);
    CVLString result;
    result.AssignBytes(out.data(), CheckedLength(out.size()));
    StealCVLStringFromCVLString(result);
    return n;
}

int CVLString::Format(unsigned maxBytes, const char* format, ...)
{
    CVLString fmt(format);
    if (fmt.m_Length == 0) {
        Empty();
        return 0;
    }
    std::string out;
    va_list args;
    va_start(args, format);
    VFormatTo(out, fmt.GetBufferPtr(), args);
    va_end(args);
    // Bounded by maxBytes, never split inside a character.
    if (out.size() > maxBytes) {
        size_t cut = maxBytes;
        while (cut > 0 && IsContinuation(static_cast<unsigned char>(out[cut])))
            --cut;
        out.resize(cut);
    }
    CVLString result;
    if (maxBytes < kMaxText)
        result.GrowTo(maxBytes + 1, false);
    result.AssignBytes(out.data(), CheckedLength(out.size()));
    StealCVLStringFromCVLString(result);
    return static_cast<int>(m_Length);
}

// ---------------------------------------------------------------------------------------
// URLs

void CVLString::PercentDecodeURIToUTF8(CVLString& out) const
{
    std::string bytes;
    bytes.reserve(m_Length);
    const unsigned char* p = GetUTF8Ptr();
    for (unsigned i = 0; i < m_Length;) {
        unsigned char b = p[i];
        if (b == '%' && m_Length - i > 2) {
            unsigned char c1 = p[i + 1], c2 = p[i + 2];
            unsigned hi = c1 < 'A' ? (c1 & 0x0Fu) : (c1 & 0x0Fu) + 9u;
            unsigned lo = c2 < 'A' ? c2 - 48u : (c2 & ~0x20u) - 55u;
            b = static_cast<unsigned char>((hi * 16u + lo) & 0xFFu);
            i += 3;
        } else {
            ++i;
        }
        // An escaped zero byte would end the text early for every reader; the text ends there.
        if (b == 0)
            break;
        bytes += static_cast<char>(b);
    }
    CVLString decoded;
    AppendDetected(decoded, bytes.c_str(), CheckedLength(bytes.size()));
    out.StealCVLStringFromCVLString(decoded);
}

void CVLString::PercentDecodeURIToUTF8()
{
    PercentDecodeURIToUTF8(*this);
}

// ---------------------------------------------------------------------------------------
// Encoding and validation

void CVLString::Base64Encode(const unsigned char* bytes, unsigned count, CVLString& out)
{
    if (!bytes)
        return;
    if (count == kLengthToZero)
        count = CheckedLength(std::strlen(reinterpret_cast<const char*>(bytes)));
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    text.reserve((static_cast<size_t>(count) + 2) / 3 * 4);
    unsigned i = 0;
    for (; i + 3 <= count; i += 3) {
        unsigned v = (bytes[i] << 16) | (bytes[i + 1] << 8) | bytes[i + 2];
        text += kAlphabet[(v >> 18) & 63];
        text += kAlphabet[(v >> 12) & 63];
        text += kAlphabet[(v >> 6) & 63];
        text += kAlphabet[v & 63];
    }
    if (count - i == 1) {
        unsigned v = bytes[i] << 16;
        text += kAlphabet[(v >> 18) & 63];
        text += kAlphabet[(v >> 12) & 63];
        text += "==";
    } else if (count - i == 2) {
        unsigned v = (bytes[i] << 16) | (bytes[i + 1] << 8);
        text += kAlphabet[(v >> 18) & 63];
        text += kAlphabet[(v >> 12) & 63];
        text += kAlphabet[(v >> 6) & 63];
        text += '=';
    }
    out.AssignBytes(text.data(), CheckedLength(text.size()));
}

bool CVLString::IsLegalUTF8Sequence(const unsigned char* bytes, unsigned length)
{
    if (!bytes || length == 0)
        return false;
    unsigned char b = bytes[0];
    if (b < 0x80)
        return length >= 1;
    if (b < 0xC2 || b > 0xF4)
        return false;
    unsigned n = trailingBytesForUTF8[b] + 1u;
    if (n > length)
        return false;
    // Checked in order, so a zero byte (never a continuation byte) ends the check.
    unsigned char second = bytes[1];
    switch (b) {
    case 0xE0:
        if (second < 0xA0 || second > 0xBF)
            return false;
        break;
    case 0xED:
        if (second < 0x80 || second > 0x9F)
            return false;
        break;
    case 0xF0:
        if (second < 0x90 || second > 0xBF)
            return false;
        break;
    case 0xF4:
        if (second < 0x80 || second > 0x8F)
            return false;
        break;
    default:
        if (!IsContinuation(second))
            return false;
    }
    for (unsigned i = 2; i < n; ++i)
        if (!IsContinuation(bytes[i]))
            return false;
    return true;
}

bool CVLString::IsLegalUTF8String(const unsigned char* bytes)
{
    return IsLegalUTF8String(bytes, kLengthToZero);
}

bool CVLString::IsLegalUTF8String(const unsigned char* bytes, unsigned length)
{
    if (!bytes)
        return true;
    unsigned n = TextLength(reinterpret_cast<const char*>(bytes), length);
    for (unsigned i = 0; i < n;) {
        if (bytes[i] < 0x80) {
            ++i;
            continue;
        }
        unsigned seq = trailingBytesForUTF8[bytes[i]] + 1u;
        if (seq > n - i || !IsLegalUTF8Sequence(bytes + i, seq))
            return false;
        i += seq;
    }
    return true;
}

bool CVLString::IsProbableWindows1252String(const char* bytes)
{
    return IsProbableWindows1252String(bytes, kLengthToZero);
}

bool CVLString::IsProbableWindows1252String(const char* bytes, unsigned length)
{
    if (!bytes)
        return false;
    unsigned n = TextLength(bytes, length);
    for (unsigned i = 0; i < n; ++i)
        if (gbProbableWin1252Char[static_cast<unsigned char>(bytes[i])])
            return true;
    return false;
}

int CVLString::UTF8CharToUCS2Char(const unsigned char* bytes, unsigned available, unsigned short* out)
{
    unsigned short dummy;
    if (!out)
        out = &dummy;
    if (!bytes) {
        *out = 0xFFFD;
        return -1;
    }
    unsigned cp;
    int r = DecodeCodePoint(bytes, available, &cp);
    if (r < 0) {
        *out = 0xFFFD;
        return -1;
    }
    *out = (cp > 0xFFFF || (cp >= 0xD800 && cp <= 0xDFFF)) ? 0xFFFD : static_cast<unsigned short>(cp);
    return r;
}
