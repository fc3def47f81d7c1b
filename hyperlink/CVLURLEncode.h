#pragma once

#include <set>
#include <string>

#include "CVLString.h"

// Percent-encoding of text that goes into links and web addresses, and the matching decoder
// for text taken out of them. Static operations only; nothing here fails.
class CVLURLEncode
{
public:
    // Decides which bytes are escaped and how.
    class IByteEncoder
    {
    public:
        virtual bool ShouldEncode(unsigned char byte) const = 0;
        // Appends the escape for byte to out.
        virtual void EncodeByte(unsigned char byte, std::string& out) const = 0;
        virtual ~IByteEncoder();
    };

    // Encoder for the path and query pieces of URIs: the 26 reserved characters below and
    // every byte from 0x80 to 0xFF become "%XX" (upper-case hex); everything else, control
    // bytes included, passes unchanged. A space becomes "%20", never "+".
    class CURIQueryEncoder : public IByteEncoder
    {
    public:
        bool ShouldEncode(unsigned char byte) const override;
        void EncodeByte(unsigned char byte, std::string& out) const override;

        // The reserved characters in their documented order, and the same bytes as a set.
        static constexpr char kEncodedCharacterList[] = " \"#$%&'+,/:;<=>?@[\\]^`{|}~";
        static const std::set<unsigned char> kEncodedCharacters;
    };

    // The encoded form of text as a new string.
    static CVLString EncodeURLStringPart(const CVLString& text);
    // Appends the encoded form of text to out (out is not emptied first).
    static void EncodeURLStringPart(const CVLString& text, CVLString& out);
    // Common core: appends text to out with every byte the encoder selects escaped.
    static void EncodeString(const CVLString& text, CVLString& out, const IByteEncoder& encoder);

    // Undoes "%XX" escapes ("+" stays "+"); a result that is not well-formed UTF-8 is read as
    // Windows-1252 or Latin-1. The first form returns a new string, the second replaces out.
    static CVLString DecodeURLStringPart(const CVLString& text);
    static void DecodeURLStringPart(const CVLString& text, CVLString& out);
};
