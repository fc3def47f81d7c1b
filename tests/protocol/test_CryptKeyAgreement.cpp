#define OPENSSL_SUPPRESS_DEPRECATED

#include "CMVCrypt_AES256.h"
#include "CMVDiffieHellman_2014.h"
#include "CMVDiffieHellman_Legacy.h"
#include "CVLBuffer.h"
#include "CVLString.h"

#include <openssl/bn.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes ToBytes(const CVLBuffer& b)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(b.GetBufferPtr());
    return p ? Bytes(p, p + b.GetBufferLength()) : Bytes();
}

CVLBuffer ToBuffer(const Bytes& bytes)
{
    CVLBuffer b;
    if (!bytes.empty())
        b.AppendToBuffer(bytes.data(), static_cast<unsigned>(bytes.size()));
    return b;
}

Bytes BigNumBytes(const BIGNUM* n)
{
    Bytes out(static_cast<size_t>(BN_num_bytes(n)));
    BN_bn2bin(n, out.data());
    return out;
}

struct BNDeleter {
    void operator()(BIGNUM* n) const { BN_free(n); }
};
using BN = std::unique_ptr<BIGNUM, BNDeleter>;

}  // namespace

TEST(CryptKeyAgreement, PrimeIsRFC3526Group14)
{
    BN published(BN_get_rfc3526_prime_2048(nullptr));
    BIGNUM* ours = nullptr;
    ASSERT_EQ(512, BN_hex2bn(&ours, CMVDiffieHellman_2014::kPrimeHex));
    BN owned(ours);
    EXPECT_EQ(0, BN_cmp(published.get(), ours));
}

TEST(CryptKeyAgreement, TwoPartiesAgreeAndEncryptAlike)
{
    CMVCrypt_AES256 client;
    CMVCrypt_AES256 server;
    CVLBuffer clientPublic, serverPublic;
    ASSERT_TRUE(client.GetPublicKey(clientPublic));
    ASSERT_TRUE(server.GetPublicKey(serverPublic));
    EXPECT_LE(clientPublic.GetLength(), 256u);
    EXPECT_GE(clientPublic.GetLength(), 200u);
    EXPECT_NE(0, clientPublic.GetBufferPtr()[0]);  // no leading zero byte

    CVLBuffer again;
    ASSERT_TRUE(client.GetPublicKey(again));
    EXPECT_TRUE(again.BufferCompare(clientPublic));

    EXPECT_FALSE(client.IsKeyAgreed());
    ASSERT_TRUE(client.SetSecretKeyFromPublic(serverPublic));
    ASSERT_TRUE(server.SetSecretKeyFromPublic(clientPublic));
    EXPECT_TRUE(client.IsKeyAgreed());
    EXPECT_EQ(256u, client.GetKeyConst().GetLength());
    EXPECT_EQ(ToBytes(client.GetKeyConst()), ToBytes(server.GetKeyConst()));

    Bytes payload(300);
    for (size_t i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<unsigned char>(i * 7);
    CVLBuffer a = ToBuffer(payload);
    CVLBuffer b = ToBuffer(payload);
    ASSERT_TRUE(client.EncryptBuffer(a, 0));
    ASSERT_TRUE(server.EncryptBuffer(b, 0));
    EXPECT_EQ(ToBytes(a), ToBytes(b));
    ASSERT_TRUE(server.DecryptBuffer(a, a.GetLength()));
    EXPECT_EQ(payload, ToBytes(a));
}

TEST(CryptKeyAgreement, SecretBlockIsValueFollowedByZeros)
{
    // The test plays the peer with exponents of its own choosing: with the peer value 2^x the
    // agreed value is y^x for the party's public value y, which the test computes by itself.
    BN p(BN_get_rfc3526_prime_2048(nullptr));
    BN_CTX* ctx = BN_CTX_new();
    CMVCrypt_AES256 party;
    CVLBuffer partyPublicBuffer;
    ASSERT_TRUE(party.GetPublicKey(partyPublicBuffer));
    Bytes partyPublic = ToBytes(partyPublicBuffer);
    BN y(BN_bin2bn(partyPublic.data(), static_cast<int>(partyPublic.size()), nullptr));

    // x = 1: the secret is y itself.
    ASSERT_TRUE(party.SetSecretKeyFromPublic(ToBuffer({2})));
    Bytes expected = partyPublic;
    expected.resize(256, 0);
    EXPECT_EQ(expected, ToBytes(party.GetKeyConst()));

    // The smallest x whose agreed value has a leading zero byte (about one in 256).
    BN shared(BN_dup(y.get()));
    unsigned x = 1;
    while (BN_num_bytes(shared.get()) == 256 && x < 20000) {
        BN_mod_mul(shared.get(), shared.get(), y.get(), p.get(), ctx);
        ++x;
    }
    ASSERT_LT(BN_num_bytes(shared.get()), 256);
    BN peer(BN_new());
    BN_set_word(peer.get(), 0);
    BN_set_bit(peer.get(), static_cast<int>(x));  // 2^x, below p for x < 2048
    if (x >= 2048) {
        BN two(BN_new());
        BN_set_word(two.get(), 2);
        BN exponent(BN_new());
        BN_set_word(exponent.get(), x);
        BN_mod_exp(peer.get(), two.get(), exponent.get(), p.get(), ctx);
    }
    ASSERT_TRUE(party.SetSecretKeyFromPublic(ToBuffer(BigNumBytes(peer.get()))));
    expected = BigNumBytes(shared.get());
    expected.resize(256, 0);
    EXPECT_EQ(expected, ToBytes(party.GetKeyConst()));
    EXPECT_EQ(0, party.GetKeyConst().GetBufferPtr()[255]);
    BN_CTX_free(ctx);
}

TEST(CryptKeyAgreement, RefusedPeerValues)
{
    CMVCrypt_AES256 noState;
    EXPECT_FALSE(noState.SetSecretKeyFromPublic(ToBuffer({2})));
    EXPECT_EQ(CVLString("SetSecretKeyFromPublic failed."), noState.GetErrorText());

    BN p(BN_get_rfc3526_prime_2048(nullptr));
    BN pMinus1(BN_dup(p.get()));
    BN_sub_word(pMinus1.get(), 1);
    struct Case {
        const char* name;
        Bytes peer;
    };
    const Case cases[] = {
        {"empty", {}},
        {"zero", {0}},
        {"one", {1}},
        {"p - 1", BigNumBytes(pMinus1.get())},
        {"p", BigNumBytes(p.get())},
        {"larger than p", Bytes(257, 0xFF)},
    };
    CMVCrypt_AES256 aes;
    CVLBuffer own;
    ASSERT_TRUE(aes.GetPublicKey(own));
    aes.SetKey(CVLString("before"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(aes.SetSecretKeyFromPublic(ToBuffer(c.peer)));
        EXPECT_EQ(CVLString("SetSecretKeyFromPublic failed."), aes.GetErrorText());
        EXPECT_EQ(6u, aes.GetKeyConst().GetLength());  // key material untouched
    }
}

TEST(CryptKeyAgreement, SecretWithAnotherObjectsKey)
{
    CMVCrypt_AES256 a, b, helper;
    CVLBuffer aPublic, bPublic;
    ASSERT_TRUE(a.GetPublicKey(aPublic));
    ASSERT_TRUE(b.GetPublicKey(bPublic));
    ASSERT_TRUE(a.SetSecretKeyFromPublic(bPublic));

    ASSERT_TRUE(helper.SetSecretKeyFromExternalMVCrypt(bPublic, a));
    EXPECT_EQ(ToBytes(a.GetKeyConst()), ToBytes(helper.GetKeyConst()));
    EXPECT_TRUE(helper.IsKeyAgreed());

    CMVCrypt_AES256 none;
    EXPECT_FALSE(helper.SetSecretKeyFromExternalMVCrypt(bPublic, none));
    EXPECT_EQ(CVLString("SetSecretKeyFromExternalMVCrypt failed."), helper.GetErrorText());
}

TEST(CryptKeyAgreement, LegacyValues)
{
    struct Case {
        unsigned privateKey;
        unsigned publicKey;
    };
    const Case cases[] = {{1, 5}, {2, 25}, {3, 125}, {30975, 12391}};  // 5^30975 is the inverse of 5
    for (const Case& c : cases) {
        SCOPED_TRACE(c.privateKey);
        CMVCrypt_AES256 aes;
        ASSERT_TRUE(aes.SetPrivateAndPublicKeys(c.privateKey));
        EXPECT_EQ(c.privateKey, aes.GetPrivateKey());
        EXPECT_EQ(c.publicKey, aes.GetPublicKey());
    }

    CMVCrypt_AES256 aes;
    EXPECT_EQ(0u, aes.GetPrivateKey());
    EXPECT_FALSE(aes.SetPrivateAndPublicKeys(0));
    EXPECT_FALSE(aes.SetPrivateAndPublicKeys(30976));
    ASSERT_TRUE(aes.SetPrivateAndPublicKeys(2));
    ASSERT_TRUE(aes.SetSecretKeyFromPublic(25u));
    EXPECT_EQ(Bytes({0x71, 0x02, 0x00, 0x00}), ToBytes(aes.GetKeyConst()));  // 625
}

TEST(CryptKeyAgreement, LegacyRefusedPeerValues)
{
    CMVCrypt_AES256 aes;
    EXPECT_FALSE(aes.SetSecretKeyFromPublic(25u));  // no legacy state
    ASSERT_TRUE(aes.SetPrivateAndPublicKeys(2));
    EXPECT_FALSE(aes.SetSecretKeyFromPublic(0u));
    EXPECT_EQ(CVLString("Arc4 op_pubkey (0)  privkey (2)   seckey(0) "), aes.GetErrorText());
    EXPECT_FALSE(aes.SetSecretKeyFromPublic(30977u));
    EXPECT_EQ(CVLString("Arc4 op_pubkey (30977)  privkey (2)   seckey(0) "), aes.GetErrorText());
    ASSERT_TRUE(aes.SetSecretKeyFromPublic(25u));
    EXPECT_FALSE(aes.SetSecretKeyFromPublic(30977u));
    EXPECT_EQ(CVLString("Arc4 op_pubkey (30977)  privkey (2)   seckey(625) "), aes.GetErrorText());
}

TEST(CryptKeyAgreement, LegacyPartiesAgreeAndKeepTheirPair)
{
    CMVCrypt_AES256 a, b;
    unsigned aPublic = a.GetPublicKey();
    unsigned bPublic = b.GetPublicKey();
    EXPECT_EQ(aPublic, a.GetPublicKey());
    EXPECT_GE(a.GetPrivateKey(), 1u);
    EXPECT_LE(a.GetPrivateKey(), 30974u);
    EXPECT_GE(aPublic, 1u);
    EXPECT_LE(aPublic, 30976u);
    ASSERT_TRUE(a.SetSecretKeyFromPublic(bPublic));
    ASSERT_TRUE(b.SetSecretKeyFromPublic(aPublic));
    EXPECT_EQ(ToBytes(a.GetKeyConst()), ToBytes(b.GetKeyConst()));
    EXPECT_EQ(4u, a.GetKeyConst().GetLength());
}

TEST(CryptKeyAgreement, CopyKeysAndSwitchingAgreements)
{
    CMVCrypt_AES256 a, b, copy;
    EXPECT_FALSE(copy.CopyKeys(a));  // nothing to copy
    CVLBuffer aPublic, bPublic;
    ASSERT_TRUE(a.GetPublicKey(aPublic));
    ASSERT_TRUE(b.GetPublicKey(bPublic));
    ASSERT_TRUE(a.SetSecretKeyFromPublic(bPublic));
    ASSERT_TRUE(copy.CopyKeys(a));
    EXPECT_EQ(ToBytes(a.GetKeyConst()), ToBytes(copy.GetKeyConst()));
    EXPECT_TRUE(copy.IsKeyAgreed());
    // The clone carries no key pair.
    EXPECT_FALSE(copy.SetSecretKeyFromPublic(bPublic));

    // A legacy operation replaces the 2014 state.
    ASSERT_TRUE(a.SetPrivateAndPublicKeys(2));
    EXPECT_NE(nullptr, dynamic_cast<const CMVDiffieHellman_Legacy*>(a.GetKeyAgreement()));
    EXPECT_FALSE(a.SetSecretKeyFromPublic(bPublic));
    ASSERT_TRUE(a.SetSecretKeyFromPublic(25u));
    CMVCrypt_AES256 legacyCopy;
    ASSERT_TRUE(legacyCopy.CopyKeys(a));
    EXPECT_EQ(Bytes({0x71, 0x02, 0x00, 0x00}), ToBytes(legacyCopy.GetKeyConst()));
    EXPECT_EQ(2u, legacyCopy.GetPrivateKey());
}
