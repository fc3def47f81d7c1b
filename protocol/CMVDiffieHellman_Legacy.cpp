#include "CMVDiffieHellman_Legacy.h"

#include <cstdlib>
#include <ctime>

CMVDiffieHellman_Base* CMVDiffieHellman_Legacy::CloneWithSecretKey() const
{
    return new CMVDiffieHellman_Legacy(*this);
}

unsigned CMVDiffieHellman_Legacy::ModPow(unsigned base, unsigned exponent)
{
    // Every intermediate value is below 30977, so products stay below 2^30.
    unsigned result = 1;
    base %= kPrime;
    while (exponent) {
        if (exponent & 1u)
            result = (result * base) % kPrime;
        base = (base * base) % kPrime;
        exponent >>= 1;
    }
    return result;
}

unsigned CMVDiffieHellman_Legacy::GetPublicKey()
{
    if (m_PrivateKey == 0) {
        std::srand(static_cast<unsigned>(std::time(nullptr)));
        unsigned r = static_cast<unsigned>(std::rand());
        SetPrivateAndPublicKeys(1 + (r % 30974));
    }
    return m_PublicKey;
}

bool CMVDiffieHellman_Legacy::SetPrivateAndPublicKeys(unsigned privateKey)
{
    if (privateKey < 1 || privateKey > kPrime - 2)
        return false;
    m_PrivateKey = privateKey;
    m_PublicKey = ModPow(kGenerator, privateKey);
    return true;
}

bool CMVDiffieHellman_Legacy::SetSecretKeyFromPublic(unsigned peerPublicKey)
{
    if (peerPublicKey < 1 || peerPublicKey > kPrime - 1 || m_PrivateKey == 0)
        return false;
    m_SecretKey = ModPow(peerPublicKey, m_PrivateKey);
    return true;
}
