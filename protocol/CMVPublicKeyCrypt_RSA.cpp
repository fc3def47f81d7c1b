// The RSA_ interface is deprecated in OpenSSL 3; it is kept because the key texts carry only
// n with e or d, which the EVP_PKEY builders cannot take for a private key without e.
#define OPENSSL_SUPPRESS_DEPRECATED

#include "CMVPublicKeyCrypt_RSA.h"

#include "CVLString.h"

#include <openssl/bn.h>
#include <openssl/crypto.h>
#include <openssl/err.h>
#include <openssl/rsa.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

// Splits at ',' outside double quotes; quotes are removed.
std::vector<std::string> SplitKeyText(const char* text, unsigned length)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (unsigned i = 0; i < length; ++i) {
        char c = text[i];
        if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

std::string Trimmed(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return std::string();
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

BIGNUM* HexToBigNum(const std::string& hex)
{
    if (hex.empty() || hex.size() > 4096 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return nullptr;
    BIGNUM* number = nullptr;
    if (BN_hex2bn(&number, hex.c_str()) != static_cast<int>(hex.size())) {
        BN_free(number);
        return nullptr;
    }
    return number;
}

}  // namespace

void CMVPublicKeyCrypt_RSA::RSADeleter::operator()(rsa_st* rsa) const
{
    RSA_free(rsa);
}

CMVPublicKeyCrypt_RSA::CMVPublicKeyCrypt_RSA(bool publicSide, int padding)
    : m_RSA(RSA_new()), m_Padding(padding), m_bPublicSide(publicSide)
{
    if (!m_RSA)
        throw std::bad_alloc();
}

CMVPublicKeyCrypt_RSA::~CMVPublicKeyCrypt_RSA() = default;

unsigned CMVPublicKeyCrypt_RSA::GetRSABufferSize() const
{
    const BIGNUM* n = nullptr;
    RSA_get0_key(m_RSA.get(), &n, nullptr, nullptr);
    return n ? static_cast<unsigned>(RSA_size(m_RSA.get())) : 0u;
}

bool CMVPublicKeyCrypt_RSA::IsBufferLargeEnough(int count) const
{
    int size = static_cast<int>(GetRSABufferSize());
    if (size == 0 || count < 0)
        return false;
    switch (m_Padding) {
    case kPaddingPKCS1:
        return count < size - 11;
    case kPaddingNone:
        return count == size;
    case kPaddingOAEP:
        return count < size - 41;
    default:
        return false;
    }
}

bool CMVPublicKeyCrypt_RSA::PrepareOutBuffer(const CVLBuffer& in, CVLBuffer& out) const
{
    if (!IsBufferLargeEnough(static_cast<int>(in.GetLength())))
        return false;
    out.ReAlloc(GetRSABufferSize());
    return true;
}

bool CMVPublicKeyCrypt_RSA::EncryptBlock(const unsigned char* in, unsigned count, CVLBuffer& out) const
{
    const BIGNUM* e = nullptr;
    RSA_get0_key(m_RSA.get(), nullptr, &e, nullptr);
    if (!e || !IsBufferLargeEnough(static_cast<int>(count)))
        return false;
    std::vector<unsigned char> block(GetRSABufferSize());
    int written = RSA_public_encrypt(static_cast<int>(count), in, block.data(), m_RSA.get(), m_Padding);
    if (written <= 0) {
        ERR_clear_error();
        return false;
    }
    out.ReAlloc(static_cast<unsigned>(written));
    std::memcpy(out.GetNonConstBufferPtr(), block.data(), static_cast<size_t>(written));
    return true;
}

bool CMVPublicKeyCrypt_RSA::DecryptBlock(const unsigned char* in, unsigned count, CVLBuffer& out) const
{
    const BIGNUM* d = nullptr;
    RSA_get0_key(m_RSA.get(), nullptr, nullptr, &d);
    unsigned size = GetRSABufferSize();
    if (!d || size == 0 || count == 0 || count > size)
        return false;
    std::vector<unsigned char> block(size);
    int written = RSA_private_decrypt(static_cast<int>(count), in, block.data(), m_RSA.get(), m_Padding);
    if (written < 0) {
        ERR_clear_error();
        return false;
    }
    out.ReAlloc(static_cast<unsigned>(written));
    if (written)
        std::memcpy(out.GetNonConstBufferPtr(), block.data(), static_cast<size_t>(written));
    OPENSSL_cleanse(block.data(), block.size());
    return true;
}

bool CMVPublicKeyCrypt_RSA::Encrypt(const CVLBuffer& plain, CVLBuffer& encrypted)
{
    if (!m_bPublicSide)
        return false;
    return EncryptBlock(reinterpret_cast<const unsigned char*>(plain.GetBufferPtr()), plain.GetLength(), encrypted);
}

bool CMVPublicKeyCrypt_RSA::Decrypt(const CVLBuffer& encrypted, CVLBuffer& plain)
{
    if (m_bPublicSide)
        return false;
    return DecryptBlock(reinterpret_cast<const unsigned char*>(encrypted.GetBufferPtr()), encrypted.GetLength(),
                        plain);
}

bool CMVPublicKeyCrypt_RSA::Decrypt(const CVLBuffer& encrypted, CVLString& plain)
{
    if (m_bPublicSide)
        return false;
    CVLBuffer bytes;
    if (!DecryptBlock(reinterpret_cast<const unsigned char*>(encrypted.GetBufferPtr()), encrypted.GetLength(), bytes))
        return false;
    if (bytes.GetLength())
        plain.SetFromUTF8(reinterpret_cast<const unsigned char*>(bytes.GetBufferPtr()), bytes.GetLength());
    else
        plain.Empty();
    return true;
}

bool CMVPublicKeyCrypt_RSA::Sign(const CVLBuffer& text, CVLBuffer& signature)
{
    const BIGNUM* d = nullptr;
    RSA_get0_key(m_RSA.get(), nullptr, nullptr, &d);
    unsigned size = GetRSABufferSize();
    unsigned count = text.GetLength();
    if (m_bPublicSide || !d || size == 0 || count + 11 >= size)
        return false;
    std::vector<unsigned char> block(size);
    int written = RSA_private_encrypt(static_cast<int>(count), reinterpret_cast<const unsigned char*>(text.GetBufferPtr()),
                                      block.data(), m_RSA.get(), RSA_PKCS1_PADDING);
    if (written <= 0) {
        ERR_clear_error();
        return false;
    }
    signature.ReAlloc(static_cast<unsigned>(written));
    std::memcpy(signature.GetNonConstBufferPtr(), block.data(), static_cast<size_t>(written));
    return true;
}

bool CMVPublicKeyCrypt_RSA::GetSignedText(const CVLBuffer& signature, CVLBuffer& text)
{
    const BIGNUM* e = nullptr;
    RSA_get0_key(m_RSA.get(), nullptr, &e, nullptr);
    unsigned size = GetRSABufferSize();
    unsigned count = signature.GetLength();
    if (!m_bPublicSide || !e || size == 0 || count == 0 || count > size)
        return false;
    std::vector<unsigned char> block(size);
    int written = RSA_public_decrypt(static_cast<int>(count), reinterpret_cast<const unsigned char*>(signature.GetBufferPtr()),
                                     block.data(), m_RSA.get(), RSA_PKCS1_PADDING);
    if (written < 0) {
        ERR_clear_error();
        return false;
    }
    text.ReAlloc(static_cast<unsigned>(written));
    if (written)
        std::memcpy(text.GetNonConstBufferPtr(), block.data(), static_cast<size_t>(written));
    return true;
}

bool CMVPublicKeyCrypt_RSA::GenerateKeyPair()
{
    std::unique_ptr<rsa_st, RSADeleter> rsa(RSA_new());
    BIGNUM* e = BN_new();
    bool ok = rsa && e && BN_set_word(e, kPublicExponent) && RSA_generate_key_ex(rsa.get(), kKeyBits, e, nullptr) == 1;
    BN_free(e);
    if (!ok)
        return false;
    m_RSA = std::move(rsa);
    m_KeyTime = CMVDateTime::FromSecondsSince1970(static_cast<double>(std::time(nullptr)));
    return true;
}

bool CMVPublicKeyCrypt_RSA::GetStringFromBigNum(const bignum_st* number, CVLString& out)
{
    out.Empty();
    if (!number)
        return false;
    char* hex = BN_bn2hex(number);
    if (!hex)
        return false;
    out = hex;
    OPENSSL_free(hex);
    return true;
}

bignum_st* CMVPublicKeyCrypt_RSA::GetBigNumFromString(const CVLString& hex)
{
    return HexToBigNum(Trimmed(std::string(hex.GetBufferPtr(), hex.GetLength())));
}

bool CMVPublicKeyCrypt_RSA::Get_RSA_n(CVLString& out) const
{
    const BIGNUM* n = nullptr;
    RSA_get0_key(m_RSA.get(), &n, nullptr, nullptr);
    return GetStringFromBigNum(n, out);
}

bool CMVPublicKeyCrypt_RSA::Get_RSA_e(CVLString& out) const
{
    const BIGNUM* e = nullptr;
    RSA_get0_key(m_RSA.get(), nullptr, &e, nullptr);
    return GetStringFromBigNum(e, out);
}

bool CMVPublicKeyCrypt_RSA::Get_RSA_d(CVLString& out) const
{
    const BIGNUM* d = nullptr;
    RSA_get0_key(m_RSA.get(), nullptr, nullptr, &d);
    return GetStringFromBigNum(d, out);
}

bool CMVPublicKeyCrypt_RSA::GetStringFromKey(CVLString& out, bool privateKey) const
{
    CVLString exponent;
    CVLString modulus;
    if (!(privateKey ? Get_RSA_d(exponent) : Get_RSA_e(exponent)) || !Get_RSA_n(modulus)) {
        out.Empty();
        return false;
    }
    char time[64];
    std::snprintf(time, sizeof time, "%.0f", m_KeyTime.IsSet() ? m_KeyTime.GetSeconds() : 0.0);
    out = time;
    out.Append(",");
    out.Append(exponent);
    out.Append(",");
    out.Append(modulus);
    return true;
}

bool CMVPublicKeyCrypt_RSA::GetKeyFromString(const CVLString& text, bool privateKey)
{
    std::vector<std::string> fields = SplitKeyText(text.GetBufferPtr(), text.GetLength());
    if (fields.size() < 3)
        return false;
    std::string timeText = Trimmed(fields[0]);
    char* end = nullptr;
    double seconds = std::strtod(timeText.c_str(), &end);
    if (timeText.empty() || !end || *end != '\0')
        return false;
    BIGNUM* exponent = HexToBigNum(Trimmed(fields[1]));
    BIGNUM* modulus = HexToBigNum(Trimmed(fields[2]));
    if (!exponent || !modulus || BN_is_zero(modulus) || BN_is_zero(exponent)) {
        BN_free(exponent);
        BN_free(modulus);
        return false;
    }
    std::unique_ptr<rsa_st, RSADeleter> rsa(RSA_new());
    bool ok = false;
    if (rsa) {
        if (privateKey) {
            // OpenSSL wants some e with n; the private text does not carry it. Blinding needs the
            // real e, so it is switched off; exponentiation with d stays constant-time.
            BIGNUM* placeholder = BN_new();
            if (placeholder && BN_set_word(placeholder, kPublicExponent) &&
                RSA_set0_key(rsa.get(), modulus, placeholder, exponent) == 1) {
                RSA_set_flags(rsa.get(), RSA_FLAG_NO_BLINDING);
                ok = true;
            } else {
                BN_free(placeholder);
            }
        } else {
            ok = RSA_set0_key(rsa.get(), modulus, exponent, nullptr) == 1;
        }
    }
    if (!ok) {
        BN_free(exponent);
        BN_free(modulus);
        return false;
    }
    m_RSA = std::move(rsa);
    m_KeyTime = CMVDateTime(seconds);
    return true;
}

bool CMVPublicKeyCrypt_RSA::GetPrivateKeyString(CVLString& out)
{
    return GetStringFromKey(out, true);
}

bool CMVPublicKeyCrypt_RSA::GetPublicKeyString(CVLString& out)
{
    return GetStringFromKey(out, false);
}

bool CMVPublicKeyCrypt_RSA::SetPrivateKeyFromString(const CVLString& text)
{
    return GetKeyFromString(text, true);
}

bool CMVPublicKeyCrypt_RSA::SetPublicKeyFromString(const CVLString& text)
{
    return GetKeyFromString(text, false);
}

bool CMVPublicKeyCrypt_RSA::EncryptLongBuffer(const CVLBuffer& plain, CVLBuffer& encrypted) const
{
    if (!m_bPublicSide || (GetRSABufferSize() != kLongBlockSize && plain.GetLength()))
        return false;
    CVLBuffer result;
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(plain.GetBufferPtr());
    unsigned length = plain.GetLength();
    for (unsigned offset = 0; offset < length; offset += kLongPieceSize) {
        unsigned piece = length - offset < kLongPieceSize ? length - offset : kLongPieceSize;
        CVLBuffer block;
        if (!EncryptBlock(bytes + offset, piece, block) || block.GetLength() != kLongBlockSize)
            return false;
        result += block;
    }
    encrypted.StealContentsFrom(result);
    return true;
}

bool CMVPublicKeyCrypt_RSA::DecryptLongBuffer(const CVLBuffer& encrypted, CVLString& out) const
{
    if (m_bPublicSide || GetRSABufferSize() != kLongBlockSize)
        return false;
    CVLBuffer result;
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(encrypted.GetBufferPtr());
    unsigned blocks = encrypted.GetLength() / kLongBlockSize;
    for (unsigned i = 0; i < blocks; ++i) {
        CVLBuffer piece;
        if (!DecryptBlock(bytes + i * kLongBlockSize, kLongBlockSize, piece))
            return false;
        result += piece;
    }
    if (result.GetLength())
        out.SetFromUTF8(reinterpret_cast<const unsigned char*>(result.GetBufferPtr()), result.GetLength());
    else
        out.Empty();
    return true;
}
