#pragma once

#include "CMVPublicKeyCryptBase.h"
#include "CVLBuffer.h"

#include <memory>

struct rsa_st;
struct bignum_st;

// RSA with OpenSSL. An object is either the public side (holds a peer's public key: encrypts
// and checks signatures) or the private side (decrypts and signs); operations of the other
// side fail without touching their output.
// Key text: "time,exponent,modulus" with the key time in decimal seconds since 0000-01-01 and
// both numbers in upper-case hexadecimal (e for a public key, d for a private key).
class CMVPublicKeyCrypt_RSA : public CMVPublicKeyCryptBase
{
public:
    // Padding modes (OpenSSL's values).
    enum { kPaddingPKCS1 = 1, kPaddingNone = 3, kPaddingOAEP = 4 };
    static const int kKeyBits = 2048;
    static const unsigned long kPublicExponent = 113;
    // Piece and block sizes of the long-buffer form.
    static const unsigned kLongPieceSize = 214;
    static const unsigned kLongBlockSize = 256;

    explicit CMVPublicKeyCrypt_RSA(bool publicSide, int padding = kPaddingOAEP);
    ~CMVPublicKeyCrypt_RSA() override;

    CMVPublicKeyCrypt_RSA(const CMVPublicKeyCrypt_RSA&) = delete;
    CMVPublicKeyCrypt_RSA& operator=(const CMVPublicKeyCrypt_RSA&) = delete;

    // Public side: encrypts with the padding mode; the output has the modulus size.
    bool Encrypt(const CVLBuffer& plain, CVLBuffer& encrypted) override;
    // Private side: decrypts with the padding mode.
    bool Decrypt(const CVLBuffer& encrypted, CVLBuffer& plain) override;
    bool Decrypt(const CVLBuffer& encrypted, CVLString& plain) override;
    // Private side: PKCS #1 v1.5 private-key encryption of the bytes themselves (no digest).
    bool Sign(const CVLBuffer& text, CVLBuffer& signature) override;
    // Public side: the inverse of Sign.
    bool GetSignedText(const CVLBuffer& signature, CVLBuffer& text) override;
    // A new 2048-bit key with exponent 113; records the current time as key time.
    bool GenerateKeyPair() override;
    bool GetPrivateKeyString(CVLString& out) override;
    bool GetPublicKeyString(CVLString& out) override;
    // Sets n and d.
    bool SetPrivateKeyFromString(const CVLString& text) override;
    // Sets n and e.
    bool SetPublicKeyFromString(const CVLString& text) override;

    // Public side: 214-byte pieces, each encrypted into one block; empty input gives empty output.
    bool EncryptLongBuffer(const CVLBuffer& plain, CVLBuffer& encrypted) const;
    // Private side: decrypts each whole block (trailing bytes ignored) and sets out as UTF-8.
    bool DecryptLongBuffer(const CVLBuffer& encrypted, CVLString& out) const;

    // The modulus size in bytes, 0 without a key.
    unsigned GetRSABufferSize() const;
    // Whether count bytes may be encrypted with the padding mode.
    bool IsBufferLargeEnough(int count) const;
    // Sizes out to the modulus size; false without a key or when in does not fit.
    bool PrepareOutBuffer(const CVLBuffer& in, CVLBuffer& out) const;

    // Upper-case hexadecimal of n, e, d; false (out emptied) when the number is not set.
    bool Get_RSA_n(CVLString& out) const;
    bool Get_RSA_e(CVLString& out) const;
    bool Get_RSA_d(CVLString& out) const;
    static bool GetStringFromBigNum(const bignum_st* number, CVLString& out);
    // A new number the caller frees with BN_free; null for text that is not hexadecimal.
    static bignum_st* GetBigNumFromString(const CVLString& hex);
    bool GetKeyFromString(const CVLString& text, bool privateKey);
    bool GetStringFromKey(CVLString& out, bool privateKey) const;

    bool IsPublicSide() const { return m_bPublicSide; }
    int GetPadding() const { return m_Padding; }
    void SetPadding(int padding) { m_Padding = padding; }

    struct RSADeleter {
        void operator()(rsa_st* rsa) const;
    };

protected:
    bool EncryptBlock(const unsigned char* in, unsigned count, CVLBuffer& out) const;
    bool DecryptBlock(const unsigned char* in, unsigned count, CVLBuffer& out) const;

    std::unique_ptr<rsa_st, RSADeleter> m_RSA;
    int m_Padding = kPaddingOAEP;
    bool m_bPublicSide = true;
};
