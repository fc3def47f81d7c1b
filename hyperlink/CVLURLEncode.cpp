#include "CVLURLEncode.h"

#include <array>
#include <cstdio>

namespace {

using Encoder = CVLURLEncode::CURIQueryEncoder;

// One entry per byte value: true when the byte is written as an escape. Built once, at
// compile time, from the reserved list plus every byte from 0x80 up.
constexpr std::array<bool, 256> MakeEscapeTable()
{
    std::array<bool, 256> table{};
    for (unsigned i = 0; Encoder::kEncodedCharacterList[i] != 0; ++i)
        table[static_cast<unsigned char>(Encoder::kEncodedCharacterList[i])] = true;
    for (unsigned b = 0x80; b <= 0xFF; ++b)
        table[b] = true;
    return table;
}
constexpr std::array<bool, 256> kEscapeTable = MakeEscapeTable();
static_assert(sizeof(Encoder::kEncodedCharacterList) - 1 == 26, "the URI encoder escapes 26 ASCII characters");

}  // namespace

const std::set<unsigned char> CVLURLEncode::CURIQueryEncoder::kEncodedCharacters(
    reinterpret_cast<const unsigned char*>(kEncodedCharacterList),
    reinterpret_cast<const unsigned char*>(kEncodedCharacterList) + sizeof(kEncodedCharacterList) - 1);

CVLURLEncode::IByteEncoder::~IByteEncoder() = default;

bool CVLURLEncode::CURIQueryEncoder::ShouldEncode(unsigned char byte) const
{
    return kEscapeTable[byte];
}

void CVLURLEncode::CURIQueryEncoder::EncodeByte(unsigned char byte, std::string& out) const
{
    char escape[4];
    std::snprintf(escape, sizeof(escape), "%%%02X", static_cast<unsigned>(byte));
    out.append(escape, 3);
}

CVLString CVLURLEncode::EncodeURLStringPart(const CVLString& text)
{
    CVLString out;
    EncodeURLStringPart(text, out);
    return out;
}

void CVLURLEncode::EncodeURLStringPart(const CVLString& text, CVLString& out)
{
    static const CURIQueryEncoder encoder;
    EncodeString(text, out, encoder);
}

void CVLURLEncode::EncodeString(const CVLString& text, CVLString& out, const IByteEncoder& encoder)
{
    const unsigned length = text.GetLength();
    if (length == 0)
        return;

    std::string encoded;
    encoded.reserve(length);
    const unsigned char* bytes = text.GetUTF8Ptr();
    for (unsigned i = 0; i < length && bytes[i] != 0; ++i) {
        if (encoder.ShouldEncode(bytes[i]))
            encoder.EncodeByte(bytes[i], encoded);
        else
            encoded.push_back(static_cast<char>(bytes[i]));
    }
    // The result is plain bytes of the encoder's choosing: append them as they are.
    out.AppendUTF8(reinterpret_cast<const unsigned char*>(encoded.data()), static_cast<unsigned>(encoded.size()));
}

CVLString CVLURLEncode::DecodeURLStringPart(const CVLString& text)
{
    CVLString out;
    text.PercentDecodeURIToUTF8(out);
    return out;
}

void CVLURLEncode::DecodeURLStringPart(const CVLString& text, CVLString& out)
{
    text.PercentDecodeURIToUTF8(out);
}
