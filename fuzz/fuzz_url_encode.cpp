// Percent-escaping both ways. Decoding any bytes gives well-formed UTF-8 (both entry points
// agree), encoding escapes exactly the bytes the encoder selects, and decoding what the encoder
// produced gives back the text (up to a zero byte, where every text ends for its readers).

#include <cstring>
#include <string>

#include "CVLURLEncode.h"
#include "FuzzSupport.h"

namespace {

bool IsHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 64 * 1024)
        return 0;
    const CVLString raw = FuzzRawString(data, size);

    // Decoding whatever arrives.
    const CVLString decoded = CVLURLEncode::DecodeURLStringPart(raw);
    FUZZ_CHECK(CVLString::IsLegalUTF8String(decoded.GetUTF8Ptr(), decoded.GetLength()));
    FUZZ_CHECK(std::memchr(decoded.GetBufferPtr(), 0, decoded.GetLength()) == nullptr);
    CVLString viaString;
    raw.PercentDecodeURIToUTF8(viaString);
    FUZZ_CHECK(FuzzBytes(viaString) == FuzzBytes(decoded));
    CVLString inPlace = raw;
    inPlace.PercentDecodeURIToUTF8();
    FUZZ_CHECK(FuzzBytes(inPlace) == FuzzBytes(decoded));

    // Encoding: every selected byte becomes "%XX", everything else passes unchanged; like every
    // reader of the text, the encoder stops at a zero byte.
    const void* zero = std::memchr(data, 0, size);
    const size_t textLength = zero ? static_cast<const uint8_t*>(zero) - data : size;
    const CVLString encoded = CVLURLEncode::EncodeURLStringPart(raw);
    const std::string enc = FuzzBytes(encoded);
    const CVLURLEncode::CURIQueryEncoder encoder;
    size_t at = 0;
    for (size_t i = 0; i < textLength; ++i) {
        const unsigned char b = data[i];
        if (encoder.ShouldEncode(b)) {
            FUZZ_CHECK(at + 3 <= enc.size());
            FUZZ_CHECK(enc[at] == '%' && IsHex(enc[at + 1]) && IsHex(enc[at + 2]));
            FUZZ_CHECK(std::stoi(enc.substr(at + 1, 2), nullptr, 16) == b);
            at += 3;
        } else {
            FUZZ_CHECK(at < enc.size() && static_cast<unsigned char>(enc[at]) == b);
            FUZZ_CHECK(b != '%' && b != ' ' && b < 0x80);
            ++at;
        }
    }
    FUZZ_CHECK(at == enc.size());
    CVLString appended("x");
    CVLURLEncode::EncodeURLStringPart(raw, appended);
    FUZZ_CHECK(FuzzBytes(appended) == "x" + enc);

    // Round trip: the text up to its first zero byte comes back when it was UTF-8.
    if (CVLString::IsLegalUTF8String(data, static_cast<unsigned>(textLength))) {
        const CVLString back = CVLURLEncode::DecodeURLStringPart(encoded);
        FUZZ_CHECK(FuzzBytes(back) == std::string(reinterpret_cast<const char*>(data), textLength));
    }
    return 0;
}
