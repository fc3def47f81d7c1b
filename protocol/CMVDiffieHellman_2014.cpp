// The DH_ interface is deprecated in OpenSSL 3 but gives exactly the bytes the peers expect
// (DH_compute_key strips leading zero bytes of the agreed value).
#define OPENSSL_SUPPRESS_DEPRECATED

#include "CMVDiffieHellman_2014.h"

#include <openssl/bn.h>
#include <openssl/crypto.h>
#include <openssl/dh.h>
#include <openssl/err.h>

#include <cstring>

const char* const CMVDiffieHellman_2014::kPrimeHex =
    "FFFFFFFFFFFFFFFFC90FDAA22168C234C4C6628B80DC1CD129024E088A67CC74"
    "020BBEA63B139B22514A08798E3404DDEF9519B3CD3A431B302B0A6DF25F1437"
    "4FE1356D6D51C245E485B576625E7EC6F44C42E9A637ED6B0BFF5CB6F406B7ED"
    "EE386BFB5A899FA5AE9F24117C4B1FE649286651ECE45B3DC2007CB8A163BF05"
    "98DA48361C55D39A69163FA8FD24CF5F83655D23DCA3AD961C62F356208552BB"
    "9ED529077096966D670C354E4ABC9804F1746C08CA18217C32905E462E36CE3B"
    "E39E772C180E86039B2783A2EC07A28FB5C55DF06F4C52C9DE2BCBF695581718"
    "3995497CEA956AE515D2261898FA051015728E5A8AACAA68FFFFFFFFFFFFFFFF";

void CMVDiffieHellman_2014::DHDeleter::operator()(dh_st* dh) const
{
    DH_free(dh);
}

CMVDiffieHellman_2014::CMVDiffieHellman_2014() = default;

CMVDiffieHellman_2014::~CMVDiffieHellman_2014()
{
    if (m_SecretKey.GetBufferLength())
        OPENSSL_cleanse(m_SecretKey.GetNonConstBufferPtr(), m_SecretKey.GetBufferLength());
}

CMVDiffieHellman_Base* CMVDiffieHellman_2014::CloneWithSecretKey() const
{
    CMVDiffieHellman_2014* clone = new CMVDiffieHellman_2014();
    clone->m_SecretKey = m_SecretKey;
    return clone;
}

bool CMVDiffieHellman_2014::HasKeyPair() const
{
    return m_DH && DH_get0_pub_key(m_DH.get()) != nullptr;
}

bool CMVDiffieHellman_2014::MakeKeyPair()
{
    if (!m_DH) {
        std::unique_ptr<dh_st, DHDeleter> dh(DH_new());
        if (!dh)
            return false;
        BIGNUM* p = nullptr;
        BIGNUM* g = BN_new();
        if (!BN_hex2bn(&p, kPrimeHex) || !g || !BN_set_word(g, kGenerator) ||
            !DH_set0_pqg(dh.get(), p, nullptr, g)) {
            BN_free(p);
            BN_free(g);
            return false;
        }
        m_DH = std::move(dh);
    }
    if (DH_get0_pub_key(m_DH.get()) == nullptr && DH_generate_key(m_DH.get()) != 1)
        return false;
    return DH_get0_pub_key(m_DH.get()) != nullptr;
}

bool CMVDiffieHellman_2014::GetPublicKey(CVLBuffer& out)
{
    if (!MakeKeyPair()) {
        out.FreeBuffer();
        return false;
    }
    const BIGNUM* pub = DH_get0_pub_key(m_DH.get());
    unsigned size = static_cast<unsigned>((BN_num_bits(pub) + 7) / 8);
    out.ReAlloc(size);
    if (size)
        BN_bn2bin(pub, reinterpret_cast<unsigned char*>(out.GetNonConstBufferPtr()));
    return true;
}

bool CMVDiffieHellman_2014::ComputeSecretKey(const CVLBuffer& peerPublicKey)
{
    return ComputeSecretKeyWith(peerPublicKey, *this);
}

bool CMVDiffieHellman_2014::ComputeSecretKeyWith(const CVLBuffer& peerPublicKey, const CMVDiffieHellman_2014& keyOwner)
{
    if (m_SecretKey.GetBufferLength())
        OPENSSL_cleanse(m_SecretKey.GetNonConstBufferPtr(), m_SecretKey.GetBufferLength());
    m_SecretKey.FreeBuffer();
    if (!keyOwner.HasKeyPair() || peerPublicKey.GetBufferLength() == 0 || !peerPublicKey.GetBufferPtr())
        return false;

    BIGNUM* peer = BN_bin2bn(reinterpret_cast<const unsigned char*>(peerPublicKey.GetBufferPtr()),
                             static_cast<int>(peerPublicKey.GetBufferLength()), nullptr);
    if (!peer)
        return false;
    dh_st* dh = keyOwner.m_DH.get();
    int size = DH_size(dh);
    bool ok = false;
    // Only 1 < y < p - 1 can come from an honest peer; OpenSSL lets some others through.
    const BIGNUM* p = DH_get0_p(dh);
    BIGNUM* pMinus1 = p ? BN_dup(p) : nullptr;
    bool inRange = pMinus1 && BN_sub_word(pMinus1, 1) && BN_cmp(peer, BN_value_one()) > 0 && BN_cmp(peer, pMinus1) < 0;
    BN_free(pMinus1);
    if (size > 0 && inRange) {
        CVLBuffer secret(static_cast<unsigned>(size));
        std::memset(secret.GetNonConstBufferPtr(), 0, static_cast<size_t>(size));
        int written = DH_compute_key(reinterpret_cast<unsigned char*>(secret.GetNonConstBufferPtr()), peer, dh);
        if (written > 0) {
            m_SecretKey.StealContentsFrom(secret);
            ok = true;
        } else {
            OPENSSL_cleanse(secret.GetNonConstBufferPtr(), secret.GetBufferLength());
            ERR_clear_error();
        }
    }
    BN_free(peer);
    return ok;
}
