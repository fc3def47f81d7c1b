#pragma once

#include "CVLBuffer.h"

#include <string>

class CVLString;
class CVLStringList;
class QString;

// 1 byte on the wire: 1 announces that an optional detail follows, any other value that it is absent.
enum OptionalDetailFlag : unsigned char
{
    kOptionalDetailAbsent = 0,
    kOptionalDetailPresent = 1
};

// One request or response in binary form: an 11-byte header (format marker 0x67, request id,
// request type, flags) followed by details written one after another, all little-endian.
// One cursor (the position) serves writing and reading; after every write the used length
// equals the position. Readers never fail: reading past the used length yields zeros or empty
// texts and leaves the position where it was. Counts read from the buffer are checked against
// the bytes that are really there before anything is allocated.
class CVLReqBuffer : public CVLBuffer
{
public:
    static constexpr unsigned kHeaderSize = 11;
    static constexpr unsigned kDefaultAllocation = 512;
    static constexpr unsigned kDefaultGrowthBlock = 1024;
    static constexpr unsigned char kRequestVersion = 0x67;
    static constexpr unsigned kFlagResponse = 0x1;
    static constexpr unsigned kFlagClientSupportsAES = 0x8;
    static constexpr unsigned kFlagUTF8 = 0x400;
    static constexpr unsigned kClearedFlags = kFlagUTF8;
    // Largest allocation the buffer grows to; a write that needs more fails and writes nothing.
    static constexpr unsigned kMaxAllocation = 2147483646u;

    // 512 bytes, growth block 1024, cleared.
    CVLReqBuffer();
    // initialSize is used when it lies in 12..2147483646 (else 512); growthBlock when it lies in
    // 1025..2147483646 (else 1024). Cleared.
    CVLReqBuffer(unsigned initialSize, unsigned growthBlock);
    // A cleared 512-byte buffer whose header carries the given values.
    CVLReqBuffer(unsigned requestId, unsigned short requestType, unsigned flags);
    CVLReqBuffer(const CVLReqBuffer& other);
    CVLReqBuffer& operator=(const CVLReqBuffer& other);
    ~CVLReqBuffer() override;

    // The used length (header included), not the allocation.
    unsigned GetLength() const override;
    // At least 11 bytes allocated, all zeroed, cleared header, position and used length 11.
    void ClearBuffer() override;

    // Appends the other buffer's details (everything after its header) raw, without a count.
    virtual bool AddDetailFromBuffer(const CVLReqBuffer& other);
    // 32-bit byte count, then the string's UTF-8 bytes, whatever the header flag says.
    virtual bool AddDetail(const CVLString& text);
    // 32-bit byte count, then the bytes; no terminator.
    virtual bool AddRawStringDetail(const char* bytes, unsigned count);
    // Overwrites 4 bytes at an absolute offset; fails unless 11 <= offset and offset + 4 <= used length.
    virtual bool SetUIntAt(unsigned offset, unsigned value);
    // Used length minus the header.
    virtual unsigned GetDetailLength() const;
    // Raw bytes at the position, no count. False (nothing written) when the buffer would
    // exceed kMaxAllocation.
    virtual bool AddDetail(const void* bytes, unsigned count);
    // 32-bit byte count, then the bytes.
    virtual bool AddDetailWithLen(const void* bytes, unsigned count);

    // Header fields. Setters make sure the header is allocated (keeping the contents); getters
    // answer the default (version '0', everything else 0) when fewer than 11 bytes are allocated.
    void SetHeaderRequestVersion(unsigned char version);
    unsigned char GetHeaderRequestVersion() const;
    void SetHeaderRequestId(unsigned requestId);
    unsigned GetHeaderRequestId() const;
    void SetHeaderRequestType(unsigned short requestType);
    unsigned short GetHeaderRequestType() const;
    void SetHeaderRequestFlags(unsigned flags);
    unsigned GetHeaderRequestFlags() const;
    bool IsResponse() const;
    void SetClientSupportsAES(bool on);
    bool DoesClientSupportAES() const;
    void SetUTF8Encoded(bool on);
    bool IsUTF8Encoded() const;

    // The one cursor. SetPosition accepts any value; readers past the used length read nothing.
    unsigned GetPosition() const { return m_Position; }
    void SetPosition(unsigned position) { m_Position = position; }
    // Bytes between the position and the used length (0 when the position is past it).
    unsigned GetRemainingLength() const;
    unsigned GetGrowthBlock() const { return m_GrowthBlock; }

    // Writers; each returns the buffer so that writes chain.
    CVLReqBuffer& operator+=(char value);
    CVLReqBuffer& operator+=(unsigned char value);
    CVLReqBuffer& operator+=(bool value);
    CVLReqBuffer& operator+=(OptionalDetailFlag value);
    CVLReqBuffer& operator+=(short value);
    CVLReqBuffer& operator+=(unsigned short value);
    CVLReqBuffer& operator+=(int value);
    CVLReqBuffer& operator+=(unsigned int value);
    CVLReqBuffer& operator+=(long value);
    CVLReqBuffer& operator+=(unsigned long value);
    CVLReqBuffer& operator+=(long long value);
    CVLReqBuffer& operator+=(unsigned long long value);
    CVLReqBuffer& operator+=(double value);
    // UTF-8 when header flag bit 10 is set, else the local 8-bit code page.
    CVLReqBuffer& operator+=(const CVLString& text);
    // Null writes a count of 0; otherwise as a CVLString.
    CVLReqBuffer& operator+=(const char* text);
    // Always UTF-8.
    CVLReqBuffer& operator+=(const std::string& text);
    CVLReqBuffer& operator+=(const QString& text);
    // Element count, then each element as a text.
    CVLReqBuffer& operator+=(const CVLStringList& list);
    template <typename Enum> CVLReqBuffer& WriteEnumAsInt(Enum value)
    {
        return *this += static_cast<int>(value);
    }
    // As operator+= of a CVLString; with convertLineBreaks every "\r\n" becomes "\n" first.
    bool AddString(const CVLString& text, bool convertLineBreaks);
    bool AddDetail(const std::string& text);
    // 32-bit byte count, then a header-less sequence of details (a versioned block).
    bool AddNestedBlock(const CVLBuffer& block);

    // Readers, at the position; each advances past what it read.
    void GetDetail(char& value);
    void GetDetail(unsigned char& value);
    void GetDetail(bool& value);
    void GetDetail(short& value);
    void GetDetail(unsigned short& value);
    void GetDetail(int& value);
    void GetDetail(unsigned int& value);
    void GetDetail(long& value);
    void GetDetail(unsigned long& value);
    void GetDetail(long long& value);
    void GetDetail(unsigned long long& value);
    void GetDetail(double& value);
    // count raw bytes; zero-filled when fewer remain.
    void GetDetail(void* bytes, unsigned count);
    // Decoded as UTF-8 when header flag bit 10 is set, else from the local 8-bit code page.
    void GetDetail(CVLString& text);
    void GetDetail(std::string& text);
    // A count that is zero or negative gives an empty text; missing bytes count as zeros, so the
    // text is what is there, up to its first zero byte, and the position ends at the used length.
    void GetDetail(QString& text);
    // Element count, then that many texts. A count that cannot fit in the remaining bytes
    // reads as an empty list with the position just after the count.
    void GetDetail(CVLStringList& list);
    template <typename Enum> void GetDetailEnumAsInt(Enum& value)
    {
        int raw = 0;
        GetDetail(raw);
        value = static_cast<Enum>(raw);
    }
    // 1 byte, always consumed when present; true exactly when it is 1.
    bool IsOptionalDetailPresent();
    // A text detail decoded as UTF-8 whatever the header flag says.
    void GetUTF8Detail(CVLString& text);
    // A 32-bit count and that many bytes into out (emptied when the count is 0 or lies; the
    // position then stays just after the count).
    void GetDetailWithLen(CVLBuffer& out);
    // Moves past a 32-bit count and its bytes; a lying count leaves the position after the count.
    void SkipDetailWithLen();

    // Number of bytes among the first used-length bytes, header included, whose lowest bit is set.
    unsigned GetChecksum() const;
    // The same count over any byte range.
    static unsigned CountBytesWithLowBitSet(const void* bytes, unsigned count);

    // Copies a received block: fewer than 11 bytes do nothing and give 0; otherwise the buffer
    // becomes an exact copy (used length = the source's length, position 11) and the result is
    // that length when the first byte is 0x67, else 0.
    unsigned LoadBufferFromBuffer(const CVLBuffer& source);
    // Copies the other's allocation and takes over its used length.
    unsigned LoadBufferFromBuffer(const CVLReqBuffer& source);

    // Appends zero bytes while the detail length is at most minLength.
    static bool PadRequestBufferToMinLengthOf(CVLReqBuffer& buffer, unsigned minLength);

    // The wire form of a string list: element count, then each string as a text detail.
    static bool WriteStringListToReqBuffer(const CVLStringList& list, CVLReqBuffer& buffer);
    static void ReadStringListFromReqBuffer(CVLStringList& list, CVLReqBuffer& buffer);

protected:
    struct NoAllocation
    {
    };
    // Header-only buffer for the size-counting subclass.
    explicit CVLReqBuffer(NoAllocation);

    // A CVLString detail in the encoding the header flag chooses.
    bool WriteText(const CVLString& text);
    // Makes room for count more bytes at the position, by the growth rule.
    bool MakeRoomFor(unsigned long long count);
    // bytes, or a copy of them in copy when they lie inside this buffer's own block.
    const void* StableSource(const void* bytes, unsigned count, CVLBuffer& copy) const;
    // Writes a value little-endian through AddDetail.
    bool AddLittleEndian(unsigned long long value, unsigned width);
    // Reads width bytes little-endian; false (value 0, position unmoved) when they are missing.
    bool ReadLittleEndian(unsigned long long& value, unsigned width);
    // Reads a 32-bit count and checks that many bytes follow; on success the position is
    // after the count and data points at the bytes.
    bool ReadCountedBytes(const char*& data, unsigned& count);

    unsigned m_Position = kHeaderSize;
    unsigned m_UsedLength = kHeaderSize;
    unsigned m_GrowthBlock = kDefaultGrowthBlock;
};
