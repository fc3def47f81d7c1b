#pragma once

#include "CMVDiffieHellman_Base.h"

// The legacy key agreement: Diffie-Hellman over the prime 30977 with generator 5, public values
// and secrets as 32-bit integers. 0 means "not set" for each of the three keys.
// This agreement is kept for old peers only; its key space is tiny.
class CMVDiffieHellman_Legacy : public CMVDiffieHellman_Base
{
public:
    static const unsigned kPrime = 30977;
    static const unsigned kGenerator = 5;

    CMVDiffieHellman_Legacy() = default;

    // Copies all three keys; the caller owns the result.
    CMVDiffieHellman_Base* CloneWithSecretKey() const override;
    bool IsEncryptionKeySet() const override { return m_SecretKey != 0; }

    // The own public value; chooses the private key (seeded from the clock) on first use.
    unsigned GetPublicKey();
    unsigned GetPrivateKey() const { return m_PrivateKey; }
    unsigned GetSecretKey() const { return m_SecretKey; }
    // Sets the private key (1 to 30975) and its public value; false when out of range.
    bool SetPrivateAndPublicKeys(unsigned privateKey);
    // Computes the secret from the peer's public value (1 to 30976); false (secret unchanged)
    // when the value is out of range.
    bool SetSecretKeyFromPublic(unsigned peerPublicKey);

    // base^exponent mod 30977 by square-and-multiply.
    static unsigned ModPow(unsigned base, unsigned exponent);

private:
    unsigned m_PublicKey = 0;
    unsigned m_PrivateKey = 0;
    unsigned m_SecretKey = 0;
};
