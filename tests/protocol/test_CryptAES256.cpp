#include "CMVCrypt_AES256.h"
#include "CMVCrypt_Factory.h"
#include "CVLBuffer.h"
#include "CVLString.h"

#include <openssl/evp.h>
#include <openssl/sha.h>

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

Bytes Hex(const std::string& hex)
{
    Bytes out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(static_cast<unsigned char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return out;
}

// EVP_BytesToKey written out: D1 = SHA-1^14(data || salt), Di = SHA-1^14(Di-1 || data || salt),
// key and IV are the first 48 bytes of D1 || D2 || D3.
void ReferenceKeyAndIV(const Bytes& data, Bytes& key, Bytes& iv)
{
    const Bytes salt(CMVCrypt_AES256::salt, CMVCrypt_AES256::salt + 8);
    Bytes stream;
    Bytes previous;
    while (stream.size() < 48) {
        Bytes input = previous;
        input.insert(input.end(), data.begin(), data.end());
        input.insert(input.end(), salt.begin(), salt.end());
        unsigned char md[SHA_DIGEST_LENGTH];
        SHA1(input.data(), input.size(), md);
        for (int i = 1; i < 14; ++i)
            SHA1(md, SHA_DIGEST_LENGTH, md);
        previous.assign(md, md + SHA_DIGEST_LENGTH);
        stream.insert(stream.end(), previous.begin(), previous.end());
    }
    key.assign(stream.begin(), stream.begin() + 32);
    iv.assign(stream.begin() + 32, stream.begin() + 48);
}

Bytes DirectOFB(const Bytes& key, const Bytes& iv, const Bytes& plain)
{
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    Bytes out(plain.size() + 16);
    int n = 0;
    int tail = 0;
    EVP_EncryptInit_ex(ctx, EVP_aes_256_ofb(), nullptr, key.data(), iv.data());
    EVP_EncryptUpdate(ctx, out.data(), &n, plain.data(), static_cast<int>(plain.size()));
    EVP_EncryptFinal_ex(ctx, out.data() + n, &tail);
    EVP_CIPHER_CTX_free(ctx);
    out.resize(static_cast<size_t>(n + tail));
    return out;
}

Bytes Payload(size_t n, unsigned seed)
{
    Bytes b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = static_cast<unsigned char>((i * 131 + seed * 17 + (i >> 3)) & 0xFF);
    return b;
}

}  // namespace

TEST(CryptAES256, SaltAndType)
{
    EXPECT_EQ(Bytes({0x4F, 0xBC, 0x00, 0x00, 0xDB, 0x13, 0x01, 0x00}),
              Bytes(CMVCrypt_AES256::salt, CMVCrypt_AES256::salt + 8));
    std::unique_ptr<CMVCrypt_Base> aes(CMVCrypt_Factory::EncryptionClassFactory(1));
    ASSERT_NE(nullptr, aes);
    EXPECT_EQ(1u, aes->GetEncryptionType());
    EXPECT_NE(nullptr, dynamic_cast<CMVCrypt_AES256*>(aes.get()));
    EXPECT_EQ(nullptr, CMVCrypt_Factory::EncryptionClassFactory(2));
    EXPECT_EQ(nullptr, CMVCrypt_Factory::EncryptionClassFactory(0));
}

TEST(CryptAES256, ReferenceOFBMatchesPublishedVector)
{
    // NIST SP 800-38A, F.4.5 OFB-AES256.Encrypt, first block.
    Bytes key = Hex("603deb1015ca71be2b73aef0857d77811f352c073b6108d72d9810a30914dff4");
    Bytes iv = Hex("000102030405060708090a0b0c0d0e0f");
    EXPECT_EQ(Hex("dc7e84bfda79164b7ecd8486985d3860"), DirectOFB(key, iv, Hex("6bc1bee22e409f96e93d7e117393172a")));
}

TEST(CryptAES256, KeyDerivationAndCipherMatchIndependentComputation)
{
    struct Case {
        const char* name;
        Bytes key;
    };
    // clang-format off
    const Case cases[] = {
        {"empty", {}},
        {"legacy secret 625", {0x71, 0x02, 0x00, 0x00}},
        {"20 bytes (one SHA-1 block)", Payload(20, 1)},
        {"256-byte secret", Payload(256, 2)},
    };
    // clang-format on
    const Bytes plain = Payload(1000, 3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMVCrypt_AES256 aes;
        aes.SetKey(ToBuffer(c.key));
        EXPECT_EQ(c.key, ToBytes(aes.GetKeyConst()));

        Bytes refKey, refIV;
        ReferenceKeyAndIV(c.key, refKey, refIV);
        unsigned char key[32], iv[16];
        ASSERT_TRUE(aes.GetDerivedKeyAndIV(key, iv));
        EXPECT_EQ(refKey, Bytes(key, key + 32));
        EXPECT_EQ(refIV, Bytes(iv, iv + 16));

        CVLBuffer buffer = ToBuffer(plain);
        ASSERT_TRUE(aes.EncryptBuffer(buffer, 0));
        EXPECT_EQ(DirectOFB(refKey, refIV, plain), ToBytes(buffer));
    }
}

TEST(CryptAES256, EncryptDecryptKeepLengthAndRestart)
{
    const Bytes payload = Payload(100, 4);
    CMVCrypt_AES256 sender;
    CMVCrypt_AES256 receiver;
    sender.SetKey(CVLString("session key"));
    receiver.SetKey(CVLString("session key"));
    EXPECT_EQ(11u, sender.GetKeyConst().GetLength());

    CVLBuffer first = ToBuffer(payload);
    ASSERT_TRUE(sender.EncryptBuffer(first, 0));
    EXPECT_EQ(100u, first.GetLength());
    EXPECT_NE(payload, ToBytes(first));

    // Every call starts from the same key stream.
    CVLBuffer second = ToBuffer(payload);
    ASSERT_TRUE(sender.EncryptBuffer(second, 500));
    EXPECT_EQ(ToBytes(first), ToBytes(second));

    ASSERT_TRUE(receiver.DecryptBuffer(first, first.GetLength()));
    EXPECT_EQ(payload, ToBytes(first));

    // Only a prefix: the buffer keeps exactly the processed bytes.
    CVLBuffer part = ToBuffer(payload);
    ASSERT_TRUE(sender.EncryptBuffer(part, 30));
    const Bytes full = ToBytes(second);
    EXPECT_EQ(Bytes(full.begin(), full.begin() + 30), ToBytes(part));
    ASSERT_TRUE(receiver.DecryptBuffer(part, 10));
    EXPECT_EQ(Bytes(payload.begin(), payload.begin() + 10), ToBytes(part));
}

TEST(CryptAES256, KeyChangeChangesTheStream)
{
    const Bytes payload = Payload(64, 5);
    CMVCrypt_AES256 aes;
    aes.SetKey(7u);
    EXPECT_EQ(Bytes({7, 0, 0, 0}), ToBytes(aes.GetKeyConst()));
    CVLBuffer a = ToBuffer(payload);
    ASSERT_TRUE(aes.EncryptBuffer(a, 0));
    aes.SetKey(8u);
    CVLBuffer b = ToBuffer(payload);
    ASSERT_TRUE(aes.EncryptBuffer(b, 0));
    EXPECT_NE(ToBytes(a), ToBytes(b));

    CMVCrypt_AES256 fresh;
    fresh.SetKey(8u);
    CVLBuffer c = ToBuffer(payload);
    ASSERT_TRUE(fresh.EncryptBuffer(c, 0));
    EXPECT_EQ(ToBytes(b), ToBytes(c));
}

TEST(CryptAES256, DecryptCounts)
{
    CMVCrypt_AES256 aes;
    aes.SetKey(1u);
    CVLBuffer zero = ToBuffer(Payload(10, 6));
    ASSERT_TRUE(aes.DecryptBuffer(zero, 0));
    EXPECT_EQ(0u, zero.GetLength());

    CVLBuffer tooShort = ToBuffer(Payload(10, 6));
    EXPECT_FALSE(aes.DecryptBuffer(tooShort, 11));
    EXPECT_EQ(Payload(10, 6), ToBytes(tooShort));

    CVLBuffer empty;
    EXPECT_TRUE(aes.EncryptBuffer(empty, 0));
    EXPECT_EQ(0u, empty.GetLength());
}

TEST(CryptAES256, FramingWithLength)
{
    CMVCrypt_AES256 aes;
    aes.SetKey(CVLString("k"));
    const Bytes plain = {'h', 'e', 'l', 'l', 'o'};
    CVLBuffer buffer = ToBuffer(plain);
    ASSERT_TRUE(aes.EncryptBufferWithLength(buffer, 0));
    Bytes framed = ToBytes(buffer);
    ASSERT_EQ(9u, framed.size());
    EXPECT_EQ(Bytes({5, 0, 0, 0}), Bytes(framed.end() - 4, framed.end()));

    unsigned count = 99;
    ASSERT_TRUE(aes.DecryptBufferWithLength(buffer, count));
    EXPECT_EQ(5u, count);
    EXPECT_EQ(plain, ToBytes(buffer));

    CVLBuffer text = ToBuffer(framed);
    CVLString out("old");
    ASSERT_TRUE(aes.DecryptBufferToStr(text, out));
    EXPECT_EQ(CVLString("hello"), out);

    struct Case {
        const char* name;
        Bytes bytes;
        bool ok;
    };
    // clang-format off
    const Case cases[] = {
        {"empty", {}, true},
        {"three bytes", {1, 2, 3}, false},
        {"count beyond the data", {1, 2, 3, 4, 0, 0, 0}, false},
        {"huge count", {1, 0xFF, 0xFF, 0xFF, 0xFF}, false},
        {"zero count", {1, 2, 0, 0, 0, 0}, true},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CVLBuffer b = ToBuffer(c.bytes);
        unsigned n = 77;
        EXPECT_EQ(c.ok, aes.DecryptBufferWithLength(b, n));
        if (c.ok) {
            EXPECT_EQ(0u, n);
        } else {
            EXPECT_EQ(c.bytes, ToBytes(b));
        }
    }
}

TEST(CryptAES256, RandomKeysAndDebugText)
{
    CVLBuffer key;
    CMVCrypt_Base::GenerateRandomKeyBuffer(key, 256);
    EXPECT_EQ(32u, key.GetLength());
    CMVCrypt_Base::GenerateRandomKeyBuffer(key, 5);
    EXPECT_EQ(1u, key.GetLength());
    CVLBuffer other;
    CMVCrypt_Base::GenerateRandomKeyBuffer(other, 128);
    CMVCrypt_Base::GenerateRandomKeyBuffer(key, 128);
    EXPECT_FALSE(key.BufferCompare(other));

    CMVCrypt_AES256 aes;
    aes.SetKey(CVLString("abc"));
    CVLString text;
    aes.DEBUG_GetKeyAsString(text);
    EXPECT_EQ(CVLString("YWJj"), text);
}
