#pragma once

#include "CVLBuffer.h"

class QString;
class CVLFile;
class CVLStringList;

// The one text type: UTF-8 bytes with a terminating zero byte and a 32-bit byte length.
// Positions, counts and lengths are byte counts unless a name says "Char"; ranges never split
// a character. Plain const char* input is detected: well-formed UTF-8 is taken as it is, other
// bytes are read as Windows-1252 (when a byte only that code page assigns occurs) or Latin-1.
// Strings own their bytes; copying copies them. The only failure is std::bad_alloc from growth,
// which leaves the previous text in place.
class CVLString : public CVLBuffer
{
public:
    // Encodings of the byte run handed to the typed constructor.
    enum ConstructorType {
        Latin1 = 1,      // ISO 8859-1, converted
        UTF8 = 2,        // copied as it is, no check
        Local8Bit = 3,   // the C library's current multibyte encoding, converted
        Raw = 4,         // copied as it is
        Windows1252 = 5  // Windows code page 1252, converted
    };

    // Bits of m_Flags naming the converted form held in the conversion cache.
    enum {
        kCacheLatin1 = 1,
        kCacheUCS2 = 2,
        kCacheLocal8Bit = 4,
        kCacheUTF32 = 8,
        kCacheMask = 15
    };

    static const CVLString kEmptyString;
    static const unsigned kLengthToZero = 0xFFFFFFFFu;  // "up to the zero byte"
    static const int MinSetFromDoublePrecision = 1;
    static const int MaxSetFromDoublePrecision = 17;

    // Construction ----------------------------------------------------------------------
    // Constant-initialised, so kEmptyString is usable from any static initialiser.
    constexpr CVLString() = default;
    CVLString(const char* text);
    CVLString(const char* text, unsigned length);
    CVLString(ConstructorType type, const char* bytes, unsigned length = kLengthToZero);
    CVLString(const QString& text);
    CVLString(char c);
    CVLString(int value);
    CVLString(unsigned value);
    CVLString(short value);
    CVLString(unsigned short value);
    CVLString(long value);
    CVLString(unsigned long value);
    CVLString(long long value);
    CVLString(unsigned long long value);
    CVLString(double value);
    CVLString(double value, int precision);
    CVLString(const CVLString& other);
    CVLString(CVLString&& other) noexcept;
    ~CVLString() override;

    CVLString& operator=(const CVLString& other);
    CVLString& operator=(CVLString&& other) noexcept;
    CVLString& operator=(const char* text);
    CVLString& operator=(const unsigned char* utf8);
    CVLString& operator=(const unsigned short* ucs2);
    CVLString& operator=(const QString& text);
    CVLString& operator=(char c);
    CVLString& operator=(int value);
    CVLString& operator=(unsigned value);
    CVLString& operator=(short value);
    CVLString& operator=(unsigned short value);
    CVLString& operator=(long value);
    CVLString& operator=(unsigned long value);
    CVLString& operator=(long long value);
    CVLString& operator=(unsigned long long value);
    CVLString& operator=(double value);

    // Takes over the other's block, length, flags and cache; the other is left empty.
    void StealCVLStringFromCVLString(CVLString& other);

    void SetFromUTF8(const unsigned char* utf8);
    void SetFromUTF8(const unsigned char* utf8, unsigned length);
    void SetFromLatin1(const char* text);
    void SetFromLatin1(const char* text, unsigned length);
    void SetFromWindows1252(const char* text);
    void SetFromWindows1252(const char* text, unsigned length);
    void SetFromLocal8Bit(const char* text);
    void SetFromLocal8Bit(const char* text, unsigned length);
    // UTF-16 units up to a zero unit or count units; stops at the first unpaired surrogate.
    void SetFromUCS2(const unsigned short* units);
    void SetFromUCS2(const unsigned short* units, unsigned count, bool swapBytes = false);
    // Ill-formed or out-of-range code points become U+FFFD.
    void SetFromUTF32(const unsigned int* codePoints);
    void SetFromUTF32(const unsigned int* codePoints, unsigned count);

    static CVLString fromUTF8(const char* utf8, unsigned length = kLengthToZero);
    static CVLString fromLatin1(const char* text, unsigned length = kLengthToZero);
    static CVLString fromLocal8Bit(const char* text, unsigned length = kLengthToZero);
    static CVLString fromInt(int value);
    static CVLString fromUInt(unsigned value);
    static CVLString fromLong(long value);
    static CVLString fromULong(unsigned long value);
    static CVLString fromInt64(long long value);
    static CVLString fromUInt64(unsigned long long value);

    // Empty text with at least capacity bytes reserved.
    void Empty(unsigned capacity = 0);
    // Empty text, block released.
    void FreeString();

    // Reading ---------------------------------------------------------------------------
    unsigned GetLength() const override;
    // Number of characters (bytes outside 0x80..0xBF).
    unsigned GetCharLength() const;
    // The UTF-8 bytes; never null (the shared "" when there is no block).
    const char* GetBufferPtr() const override;
    const unsigned char* GetUTF8Ptr() const { return reinterpret_cast<const unsigned char*>(GetBufferPtr()); }
    bool IsEmpty() const { return m_Length == 0; }
    // Byte at index; 0 past the length or for a negative index.
    char operator[](unsigned index) const;
    char operator[](int index) const;
    char operator[](short index) const;
    char operator[](long index) const;
    char operator[](unsigned long index) const;
    unsigned GetCharCount(char c) const;
    bool ContainsOnlyNumberCharacters() const;
    bool HasNonWhitespaceData() const;

    // Converted forms: pointers into the conversion cache, valid until the string changes or
    // another converted form is asked for. Never null.
    const char* GetLatin1Ptr() const;
    const unsigned short* GetUCS2Ptr() const;
    const unsigned int* GetUTF32Ptr() const;
    const char* GetLocal8BitPtr() const;

    // UTF-8 both ways.
    QString ToQString() const;

    // Comparing -------------------------------------------------------------------------
    int Compare(const CVLString& other, bool ignoreCase = false) const;
    int Compare(const char* text, bool ignoreCase = false) const;
    int Compare(const unsigned char* utf8, bool ignoreCase = false) const;
    int Compare(const QString& text, bool ignoreCase = false) const;
    bool BeginsWith(const CVLString& prefix, bool ignoreCase = false) const;
    bool EndsWith(const CVLString& suffix, bool ignoreCase = false) const;
    bool operator==(const CVLString& other) const { return Compare(other) == 0; }
    bool operator!=(const CVLString& other) const { return Compare(other) != 0; }
    bool operator==(const char* text) const { return Compare(text) == 0; }
    bool operator!=(const char* text) const { return Compare(text) != 0; }
    bool operator<(const CVLString& other) const { return Compare(other) < 0; }

    // byteCount -1 compares whole strings; lengths are those of a and b (used to skip work only).
    static int CompareUTF8Buffers(const unsigned char* a, const unsigned char* b, int byteCount, bool ignoreCase,
                                  unsigned lengthA = kLengthToZero, unsigned lengthB = kLengthToZero);
    static int stricmpLatin1(const char* a, const char* b);
    static int strnicmpLatin1(const char* a, const char* b, unsigned count);

    // Searching -------------------------------------------------------------------------
    bool InStr(const char* pattern, unsigned start, unsigned* foundAt, bool ignoreCase = false) const;
    bool InStr(const char* pattern, unsigned* foundAt, bool ignoreCase = false) const;
    bool InStr(const CVLString& pattern, unsigned start, unsigned* foundAt, bool ignoreCase = false) const;
    int Find(const CVLString& pattern, int start = 0, bool ignoreCase = false) const;
    // Single-byte searches from the end; always case-sensitive (the flag has no effect).
    bool InStrReverse(char c, unsigned* foundAt, bool ignoreCase = false) const;
    bool InStrReverse(char c, unsigned start, unsigned* foundAt, bool ignoreCase = false) const;
    int ReverseFind(char c, bool ignoreCase = false) const;

    // Pieces ----------------------------------------------------------------------------
    // New heap string the caller deletes; null when start is beyond the length. count 0: to the end.
    CVLString* SubStr(unsigned start, unsigned count = 0) const;
    CVLString SubStrMovedCopy(unsigned start, unsigned count = 0) const;
    // out may be this string.
    void GetSubStrInto(CVLString& out, unsigned start, unsigned count, bool toEnd = false) const;
    CVLString Mid(int start, int count) const;
    CVLString Left(int count) const;
    CVLString Right(int count) const;
    // True when the separator occurs; before/after get the text around its first occurrence.
    // When it does not occur, before is the whole text and after is empty.
    bool SplitStringAt(const CVLString& separator, CVLString& before, CVLString& after) const;
    bool SplitStringAt(char separator, CVLString& before, CVLString& after) const;
    // Appends the pieces between separators to list; keepEmpty also keeps empty pieces.
    // Returns true when at least one piece was added.
    bool Split(const CVLString& separator, CVLStringList& list, bool keepEmpty = false) const;
    bool Split(char separator, CVLStringList& list, bool keepEmpty = false) const;

    // Changing --------------------------------------------------------------------------
    void Append(const char* text);
    void Append(const char* text, unsigned length);
    void Append(const CVLString& text);
    void Append(char c);
    void AppendUTF8(const unsigned char* utf8);
    void AppendUTF8(const unsigned char* utf8, unsigned length);
    void AppendLatin1(const char* text, unsigned length = kLengthToZero);
    void AppendWindows1252(const char* text, unsigned length = kLengthToZero);
    void AppendLocal8Bit(const char* text, unsigned length = kLengthToZero);
    void AppendUCS2(const unsigned short* units, unsigned count = kLengthToZero, bool swapBytes = false);
    CVLString& operator+=(const char* text);
    CVLString& operator+=(const CVLString& text);
    CVLString& operator+=(const unsigned char* utf8);
    CVLString& operator+=(char c);
    CVLString& operator+=(int value);
    CVLString& operator+=(unsigned value);
    CVLString& operator+=(short value);
    CVLString& operator+=(unsigned short value);
    CVLString& operator+=(long value);
    CVLString& operator+=(unsigned long value);
    CVLString& operator+=(long long value);
    CVLString& operator+=(unsigned long long value);
    CVLString& operator+=(double value);
    CVLString& operator+=(const QString& text);

    // A position at or past the length appends; one inside a character moves to the next character.
    void Insert(const char* text, unsigned position);
    void Insert(const CVLString& text, unsigned position);
    void InsertUTF8(const unsigned char* utf8, unsigned position);
    void InsertLatin1(const char* text, unsigned position);
    void InsertWindows1252(const char* text, unsigned position);
    void InsertLocal8Bit(const char* text, unsigned position);
    void InsertUCS2(const unsigned short* units, unsigned position);
    void InsertRaw(const char* bytes, unsigned count, unsigned position);

    // Replaces non-overlapping occurrences of from (all when maxCount is 0) starting at start.
    // Returns true only when to is longer than from and something was replaced.
    bool ReplaceCharSequence(const char* from, const char* to, int maxCount = 0, unsigned start = 0);
    // Replaces every byte from by to; a zero to is ignored. Returns true when something changed.
    bool ReplaceChar(char from, char to, bool ignoreCase = false);
    void TrimLeftAscii(const char* set);
    void TrimRightAscii(const char* set);
    void TrimLeft();
    void TrimRight();
    void StripWhiteSpace();
    void MakeLower();
    void MakeUpper();
    void AppendDirSeperatorIfNotPresent();

    // Numbers ---------------------------------------------------------------------------
    int AtoI(bool* overflow = nullptr) const;
    unsigned AtoUI(bool* overflow = nullptr) const;
    long AtoL(bool* overflow = nullptr) const;
    unsigned long AtoUL(bool* overflow = nullptr) const;
    long long AtoI64() const;
    double AtoF() const;
    int SafeAtoI(int fallback) const;
    static int AtoI(const char* text, bool* overflow = nullptr);
    static unsigned AtoUI(const char* text, bool* overflow = nullptr);
    static long AtoL(const char* text, bool* overflow = nullptr);
    static unsigned long AtoUL(const char* text, bool* overflow = nullptr);

    // Formatting: both replace the text and return the number of bytes written.
    int SafeFormat(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    // Output is cut at maxBytes bytes.
    int Format(unsigned maxBytes, const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 3, 4)))
#endif
        ;

    // Files and URLs ----------------------------------------------------------------------
    // Reads a whole file into the string (implemented with the file classes).
    bool LoadFromFile(const CVLString& path, bool* readAsLocal8Bit = nullptr, int* byteOrderMark = nullptr);
    bool LoadFromFile(CVLFile& file, bool* readAsLocal8Bit = nullptr, int* byteOrderMark = nullptr);
    // Undoes percent escapes; text that is not UTF-8 afterwards is read as Windows-1252 or Latin-1.
    // out is replaced.
    void PercentDecodeURIToUTF8(CVLString& out) const;
    void PercentDecodeURIToUTF8();

    // Encoding ------------------------------------------------------------------------------
    // Replaces out with the Base64 form of count bytes (-1: up to the zero byte); null leaves out unchanged.
    static void Base64Encode(const unsigned char* bytes, unsigned count, CVLString& out);

    // Validation ----------------------------------------------------------------------------
    static bool IsLegalUTF8Sequence(const unsigned char* bytes, unsigned length);
    static bool IsLegalUTF8String(const unsigned char* bytes);
    static bool IsLegalUTF8String(const unsigned char* bytes, unsigned length);
    static bool IsProbableWindows1252String(const char* bytes);
    static bool IsProbableWindows1252String(const char* bytes, unsigned length);
    // Returns the bytes read, or -1 with U+FFFD stored for an ill-formed sequence; characters above
    // U+FFFF and surrogate code points give U+FFFD. Reads at most available bytes.
    static int UTF8CharToUCS2Char(const unsigned char* bytes, unsigned available, unsigned short* out);

    static const unsigned char trailingBytesForUTF8[256];
    static const bool gbProbableWin1252Char[256];
    static const char* const Win1252SpecialChars[128];

    // Buffer slots ----------------------------------------------------------------------------
    // Discards the cache, length 0, keeps (or makes) a block of at least one byte, all zero.
    void ClearBuffer() override;
    void FreeBuffer() override;
    bool GrowTo(unsigned size, bool keepContents) override;
    // Keeps the text valid: a shrink below the text cuts it (at a character boundary).
    bool ReAlloc(unsigned size) override;
    // Buffer-level block transfers; the text is then the block's bytes up to its first zero byte.
    void StealContentsFrom(CVLBuffer& other);
    void SetBuffer(void* block, unsigned size);
    // Copies another buffer's text: a string's text, else the block's bytes up to its first zero byte.
    void CopyFrom(const CVLBuffer* other);
    // Appends bytes as text, without any check, up to the first zero byte among them.
    void AppendToBuffer(const void* bytes, unsigned count);

    // Sets the length after writing into GetNonConstBufferPtr(); clamped to the block, and
    // the text is cut at its first zero byte. Discards the cache.
    void SetLength(unsigned length);

protected:
    void DiscardCache() const;
    // Replace the whole text with length bytes taken as they are (no check).
    void AssignBytes(const char* bytes, unsigned length);
    // Insert length bytes as they are at position (clamped, moved off continuation bytes).
    void InsertBytes(const char* bytes, unsigned length, unsigned position);
    void AppendBytes(const char* bytes, unsigned length);
    // Detection of const char* text: appends its UTF-8 form to out.
    static void AppendDetected(CVLString& out, const char* text, unsigned length);
    unsigned NextCharBoundary(unsigned position) const;

    unsigned m_Length = 0;
    mutable unsigned short m_Flags = 0;
    mutable CVLBuffer* m_pCache = nullptr;
};

bool operator==(const char* text, const CVLString& s);
bool operator!=(const char* text, const CVLString& s);
CVLString operator+(const CVLString& a, const CVLString& b);
CVLString operator+(const CVLString& a, const char* b);
CVLString operator+(const char* a, const CVLString& b);
