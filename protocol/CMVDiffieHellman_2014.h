#pragma once

#include "CMVDiffieHellman_Base.h"
#include "CVLBuffer.h"

#include <memory>

struct dh_st;

// The 2014 key agreement: Diffie-Hellman over the 2048-bit MODP group of RFC 3526 (group 14)
// with generator 2. Public values are unsigned big-endian byte strings without leading zero
// bytes; the secret is a 256-byte block, the agreed value followed by zero bytes.
class CMVDiffieHellman_2014 : public CMVDiffieHellman_Base
{
public:
    // The prime of RFC 3526 group 14 as hexadecimal text.
    static const char* const kPrimeHex;
    static const unsigned kGenerator = 2;
    static const unsigned kSecretSize = 256;

    CMVDiffieHellman_2014();
    ~CMVDiffieHellman_2014() override;

    // Holds only a copy of the secret (no key pair); the caller owns the result.
    CMVDiffieHellman_Base* CloneWithSecretKey() const override;
    bool IsEncryptionKeySet() const override { return m_SecretKey.GetBufferLength() != 0; }

    // Makes the key pair on first use and writes the own public value into out.
    // False (out emptied) when OpenSSL cannot make the key pair.
    bool GetPublicKey(CVLBuffer& out);
    // True once a key pair exists (GetPublicKey succeeded on this object).
    bool HasKeyPair() const;

    // Computes the secret from the peer's public value (all GetBufferLength() bytes) with this
    // object's private key. False, secret emptied, without a key pair or when the value is refused.
    bool ComputeSecretKey(const CVLBuffer& peerPublicKey);
    // The same with the private key of keyOwner, storing the secret here.
    bool ComputeSecretKeyWith(const CVLBuffer& peerPublicKey, const CMVDiffieHellman_2014& keyOwner);

    const CVLBuffer& GetSecretKey() const { return m_SecretKey; }
    void SetSecretKey(const CVLBuffer& secret) { m_SecretKey = secret; }

    struct DHDeleter {
        void operator()(dh_st* dh) const;
    };

private:
    bool MakeKeyPair();

    std::unique_ptr<dh_st, DHDeleter> m_DH;
    CVLBuffer m_SecretKey;
};
