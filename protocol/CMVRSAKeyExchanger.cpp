#include "CMVRSAKeyExchanger.h"

#include "CVLString.h"
#include "RSAUtils.h"

#include <openssl/sha.h>

#include <string>

CMVRSAKeyExchanger::CMVRSAKeyExchanger(bool publicSide, int padding) : CMVPublicKeyCrypt_RSA(publicSide, padding)
{
}

bool CMVRSAKeyExchanger::Hash_SHA256(const CVLBuffer& in, CVLBuffer& digest)
{
    static const unsigned char kNothing = 0;
    const unsigned char* bytes =
        in.GetLength() ? reinterpret_cast<const unsigned char*>(in.GetBufferPtr()) : &kNothing;
    unsigned char md[SHA256_DIGEST_LENGTH];
    if (!SHA256(bytes, in.GetLength(), md))
        return false;
    digest.ReAlloc(SHA256_DIGEST_LENGTH);
    for (unsigned i = 0; i < SHA256_DIGEST_LENGTH; ++i)
        digest.GetNonConstBufferPtr()[i] = static_cast<char>(md[i]);
    return true;
}

bool CMVRSAKeyExchanger::Hash_SHA256Hex(const CVLBuffer& in, CVLString& out)
{
    CVLBuffer digest;
    if (!Hash_SHA256(in, digest))
        return false;
    BinaryBufToHexString(digest, out);
    return true;
}

bool CMVRSAKeyExchanger::Hash_SHA256Base64(const CVLBuffer& in, CVLString& out)
{
    CVLBuffer digest;
    if (!Hash_SHA256(in, digest))
        return false;
    CVLString::Base64Encode(reinterpret_cast<const unsigned char*>(digest.GetBufferPtr()), digest.GetLength(), out);
    return true;
}

char CMVRSAKeyExchanger::hexDigit(unsigned char value)
{
    if (value > 15)
        return '0';
    return static_cast<char>(value < 10 ? '0' + value : 'a' + (value - 10));
}

void CMVRSAKeyExchanger::BinaryBufToHexString(const CVLBuffer& in, CVLString& out)
{
    std::string hex;
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(in.GetBufferPtr());
    hex.reserve(static_cast<size_t>(in.GetLength()) * 2);
    for (unsigned i = 0; i < in.GetLength(); ++i) {
        hex += hexDigit(static_cast<unsigned char>(bytes[i] >> 4));
        hex += hexDigit(static_cast<unsigned char>(bytes[i] & 0x0F));
    }
    out = hex.c_str();
}

bool CMVRSAKeyExchanger::GenerateSymmetricKey(CVLBuffer& key)
{
    return RSAUtils::RandomBigNum(key, 256);
}

bool CMVRSAKeyExchanger::GetPublicKeyFingerPrint(CVLString& out)
{
    CVLString text;
    if (!GetPublicKeyString(text))
        return false;
    return Hash_SHA256Base64(text, out);
}
