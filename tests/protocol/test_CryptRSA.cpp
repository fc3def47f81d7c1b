#include "CMVPublicKeyCrypt_RSA.h"
#include "CMVRSAKeyExchangeClient.h"
#include "CMVRSAKeyExchangeServer.h"
#include "CMVRSAKeyExchanger.h"
#include "CVLBuffer.h"
#include "CVLString.h"
#include "RSAUtils.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

CVLBuffer ToBuffer(const Bytes& bytes)
{
    CVLBuffer b;
    if (!bytes.empty())
        b.AppendToBuffer(bytes.data(), static_cast<unsigned>(bytes.size()));
    return b;
}

Bytes ToBytes(const CVLBuffer& b)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(b.GetBufferPtr());
    return p ? Bytes(p, p + b.GetLength()) : Bytes();
}

Bytes Payload(size_t n)
{
    Bytes b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = static_cast<unsigned char>('a' + i % 26);
    return b;
}

std::string PayloadText(size_t n)
{
    Bytes b = Payload(n);
    return std::string(b.begin(), b.end());
}

std::string Str(const CVLString& s)
{
    return std::string(s.GetBufferPtr(), s.GetLength());
}

// One 2048-bit key for the whole suite: generating it is the slow part.
class CryptRSA : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        CMVPublicKeyCrypt_RSA maker(false);
        ASSERT_TRUE(maker.GenerateKeyPair());
        ASSERT_TRUE(maker.GetPrivateKeyString(s_privateText));
        ASSERT_TRUE(maker.GetPublicKeyString(s_publicText));
    }

    void SetUp() override
    {
        ASSERT_TRUE(m_public.SetPublicKeyFromString(s_publicText));
        ASSERT_TRUE(m_private.SetPrivateKeyFromString(s_privateText));
    }

    static CVLString s_privateText;
    static CVLString s_publicText;
    CMVPublicKeyCrypt_RSA m_public{true};
    CMVPublicKeyCrypt_RSA m_private{false};
};

CVLString CryptRSA::s_privateText;
CVLString CryptRSA::s_publicText;

}  // namespace

TEST_F(CryptRSA, KeyTexts)
{
    std::string pub = Str(s_publicText);
    std::string priv = Str(s_privateText);
    size_t c1 = pub.find(',');
    size_t c2 = pub.find(',', c1 + 1);
    ASSERT_NE(std::string::npos, c2);
    EXPECT_EQ("71", pub.substr(c1 + 1, c2 - c1 - 1));  // e = 113
    EXPECT_EQ(pub.substr(0, c1), priv.substr(0, c1));   // same key time
    EXPECT_EQ(pub.substr(c2), priv.substr(priv.rfind(',')));
    EXPECT_EQ(std::string::npos, pub.substr(c1 + 1).find_first_not_of("0123456789ABCDEF,"));
    EXPECT_GT(std::stod(pub.substr(0, c1)), 6.3e10);  // seconds since year 0, after 1970
    EXPECT_EQ(256u, m_public.GetRSABufferSize());

    CVLString again;
    ASSERT_TRUE(m_public.GetPublicKeyString(again));
    EXPECT_EQ(s_publicText, again);

    struct Case {
        const char* name;
        const char* text;
        bool ok;
    };
    // clang-format off
    const Case cases[] = {
        {"quoted fields", "\"63000000000\",\"71\",\"C5\"", true},
        {"two fields", "63000000000,71", false},
        {"not hexadecimal", "63000000000,7G,C5", false},
        {"bad time", "soon,71,C5", false},
        {"zero modulus", "1,71,0", false},
        {"empty", "", false},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMVPublicKeyCrypt_RSA rsa(true);
        EXPECT_EQ(c.ok, rsa.SetPublicKeyFromString(CVLString(c.text)));
    }
    CMVPublicKeyCrypt_RSA empty(true);
    EXPECT_EQ(0u, empty.GetRSABufferSize());
    CVLString text("x");
    EXPECT_FALSE(empty.GetPublicKeyString(text));
}

TEST_F(CryptRSA, EncryptDecryptAndSides)
{
    CVLBuffer plain = ToBuffer(Payload(100));
    CVLBuffer encrypted;
    ASSERT_TRUE(m_public.Encrypt(plain, encrypted));
    EXPECT_EQ(256u, encrypted.GetLength());
    CVLBuffer decrypted;
    ASSERT_TRUE(m_private.Decrypt(encrypted, decrypted));
    EXPECT_EQ(Payload(100), ToBytes(decrypted));
    CVLString text;
    ASSERT_TRUE(m_private.Decrypt(encrypted, text));
    EXPECT_EQ(PayloadText(100), Str(text));

    // Wrong side: false, output untouched.
    CVLBuffer untouched = ToBuffer({1, 2, 3});
    EXPECT_FALSE(m_private.Encrypt(plain, untouched));
    EXPECT_FALSE(m_public.Decrypt(encrypted, untouched));
    EXPECT_FALSE(m_public.Sign(plain, untouched));
    EXPECT_FALSE(m_private.GetSignedText(encrypted, untouched));
    EXPECT_EQ(Bytes({1, 2, 3}), ToBytes(untouched));

    // Damaged ciphertext.
    Bytes bad = ToBytes(encrypted);
    bad[100] ^= 1;
    EXPECT_FALSE(m_private.Decrypt(ToBuffer(bad), untouched));
    EXPECT_EQ(Bytes({1, 2, 3}), ToBytes(untouched));
}

TEST_F(CryptRSA, SizeRulesPerPadding)
{
    struct Case {
        int padding;
        int count;
        bool fits;
    };
    // clang-format off
    const Case cases[] = {
        {CMVPublicKeyCrypt_RSA::kPaddingOAEP, 214, true}, {CMVPublicKeyCrypt_RSA::kPaddingOAEP, 215, false},
        {CMVPublicKeyCrypt_RSA::kPaddingPKCS1, 244, true}, {CMVPublicKeyCrypt_RSA::kPaddingPKCS1, 245, false},
        {CMVPublicKeyCrypt_RSA::kPaddingNone, 256, true}, {CMVPublicKeyCrypt_RSA::kPaddingNone, 255, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.padding << "/" << c.count);
        m_public.SetPadding(c.padding);
        EXPECT_EQ(c.fits, m_public.IsBufferLargeEnough(c.count));
        CVLBuffer out;
        Bytes in = Payload(static_cast<size_t>(c.count));
        in[0] = 0;  // below n for the unpadded form
        EXPECT_EQ(c.fits, m_public.Encrypt(ToBuffer(in), out));
        if (c.fits) {
            m_private.SetPadding(c.padding);
            CVLBuffer back;
            ASSERT_TRUE(m_private.Decrypt(out, back));
            Bytes expected = in;
            if (c.padding == CMVPublicKeyCrypt_RSA::kPaddingNone)
                expected.resize(256);
            EXPECT_EQ(expected, ToBytes(back));
        }
    }
}

TEST_F(CryptRSA, SignatureIsThePlainBytes)
{
    CVLBuffer text = ToBuffer(Payload(32));
    CVLBuffer signature;
    ASSERT_TRUE(m_private.Sign(text, signature));
    EXPECT_EQ(256u, signature.GetLength());
    CVLBuffer recovered;
    ASSERT_TRUE(m_public.GetSignedText(signature, recovered));
    EXPECT_EQ(Payload(32), ToBytes(recovered));
    EXPECT_TRUE(m_public.VerifySignature(signature, text));
    EXPECT_FALSE(m_public.VerifySignature(signature, ToBuffer(Payload(31))));
    Bytes bad = ToBytes(signature);
    bad[0] ^= 0x40;
    EXPECT_FALSE(m_public.VerifySignature(ToBuffer(bad), text));
}

TEST_F(CryptRSA, LongBuffers)
{
    struct Case {
        size_t length;
        unsigned blocks;
    };
    const Case cases[] = {{0, 0}, {1, 1}, {214, 1}, {215, 2}, {428, 2}, {1000, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        CVLBuffer encrypted = ToBuffer({9});
        ASSERT_TRUE(m_public.EncryptLongBuffer(ToBuffer(Payload(c.length)), encrypted));
        EXPECT_EQ(c.blocks * 256u, encrypted.GetLength());
        Bytes withTail = ToBytes(encrypted);
        withTail.push_back(0x55);  // bytes after the last whole block are ignored
        CVLString text;
        ASSERT_TRUE(m_private.DecryptLongBuffer(ToBuffer(withTail), text));
        EXPECT_EQ(PayloadText(c.length), Str(text));
    }
    CVLBuffer encrypted;
    ASSERT_TRUE(m_public.EncryptLongBuffer(ToBuffer(Payload(428)), encrypted));
    Bytes bad = ToBytes(encrypted);
    bad[300] ^= 1;
    CVLString text;
    EXPECT_FALSE(m_private.DecryptLongBuffer(ToBuffer(bad), text));
    EXPECT_FALSE(m_private.EncryptLongBuffer(ToBuffer(Payload(10)), encrypted));
}

TEST_F(CryptRSA, KeyExchangeBetweenClientAndServer)
{
    CMVRSAKeyExchangeClient client;
    CMVRSAKeyExchangeServer server;
    ASSERT_TRUE(client.SetPublicKeyFromString(s_publicText));
    ASSERT_TRUE(server.SetPrivateKeyFromString(s_privateText));

    CVLBuffer encryptedKey;
    ASSERT_TRUE(client.GenerateEncryptedKey(encryptedKey));
    EXPECT_LE(client.GetSymmetricKey().GetLength(), 32u);
    EXPECT_GE(client.GetSymmetricKey().GetLength(), 28u);
    EXPECT_EQ(32u, client.GetKeyHash().GetLength());

    CVLBuffer key, signedHash;
    ASSERT_TRUE(server.ReceiveEncryptedKey(encryptedKey, key, signedHash));
    EXPECT_TRUE(key.BufferCompare(client.GetSymmetricKey()));
    EXPECT_TRUE(client.VerifySignedHash(signedHash));

    // A signature by another key is refused.
    CMVRSAKeyExchangeServer stranger;
    ASSERT_TRUE(stranger.GenerateKeyPair());
    CVLBuffer strangerHash;
    ASSERT_TRUE(stranger.Sign(client.GetKeyHash(), strangerHash));
    EXPECT_FALSE(client.VerifySignedHash(strangerHash));

    CVLString fingerprint;
    ASSERT_TRUE(client.GetPublicKeyFingerPrint(fingerprint));
    CVLString expected;
    ASSERT_TRUE(CMVRSAKeyExchanger::Hash_SHA256Base64(s_publicText, expected));
    EXPECT_EQ(expected, fingerprint);
    EXPECT_EQ(44u, fingerprint.GetLength());
}

TEST(CryptRSAHelpers, HashesAndHex)
{
    CVLString abc("abc");
    CVLString hex;
    ASSERT_TRUE(CMVRSAKeyExchanger::Hash_SHA256Hex(abc, hex));
    EXPECT_EQ(CVLString("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"), hex);
    CVLString b64;
    ASSERT_TRUE(CMVRSAKeyExchanger::Hash_SHA256Base64(abc, b64));
    EXPECT_EQ(CVLString("ungWv48Bz+pBQUDeXa4iI7ADYaOWF3qctBD/YfIAFa0="), b64);

    CVLString digits;
    CMVRSAKeyExchanger::BinaryBufToHexString(ToBuffer({0x00, 0x0F, 0xA0, 0xFF}), digits);
    EXPECT_EQ(CVLString("000fa0ff"), digits);
    EXPECT_EQ('0', CMVRSAKeyExchanger::hexDigit(16));
    EXPECT_EQ('f', CMVRSAKeyExchanger::hexDigit(15));

    CVLBuffer number;
    ASSERT_TRUE(RSAUtils::RandomBigNum(number, 256));
    EXPECT_LE(number.GetLength(), 32u);
    EXPECT_FALSE(RSAUtils::RandomBigNum(number, 0));

    CVLString version;
    CMVPublicKeyCryptBase::GetLibVersion(version);
    EXPECT_EQ(0, Str(version).find("OpenSSL"));
}
