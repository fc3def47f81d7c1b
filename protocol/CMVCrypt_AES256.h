#pragma once

#include "CMVCrypt_Base.h"

#include <memory>

struct evp_cipher_ctx_st;

// The session cipher: AES-256 in OFB mode. Key and IV come from EVP_BytesToKey (SHA-1, the
// 8-byte salt, 14 iterations) over the whole key material; every call starts from the same key
// stream, so encryption and decryption are the same operation and keep the length.
class CMVCrypt_AES256 : public CMVCrypt_Base
{
public:
    // The two 32-bit integers 48207 and 70619, each little-endian.
    static const unsigned char salt[8];
    static const unsigned kEncryptionType = 1;

    CMVCrypt_AES256();
    ~CMVCrypt_AES256() override;

    bool EncryptBuffer(IVLEncryptableBuffer& buffer, unsigned count, bool unused = false) override;
    bool DecryptBuffer(IVLEncryptableBuffer& buffer, unsigned count, bool unused = false) override;
    void SetKey(const CVLBuffer& key) override;
    void SetKey(const CVLString& key) override;
    void SetKey(unsigned key) override;
    const CVLBuffer& GetKeyConst() const override { return m_KeyMaterial; }
    unsigned GetEncryptionType() const override { return kEncryptionType; }

    // Derive key and IV (once per key change) and prepare the context; false when the
    // derivation does not give a 32-byte key or OpenSSL refuses the context.
    bool AES256_EncryptInit();
    bool AES256_DecryptInit();
    void AES256_EncryptCleanup();
    void AES256_DecryptCleanup();

    // The derived key (32 bytes) and IV (16 bytes); false when they cannot be derived.
    bool GetDerivedKeyAndIV(unsigned char key[32], unsigned char iv[16]);

    struct CipherCtxDeleter {
        void operator()(evp_cipher_ctx_st* ctx) const;
    };

private:
    bool DeriveKeyAndIV();
    void ForgetDerivedKey();
    bool Transform(evp_cipher_ctx_st* ctx, bool encrypt, IVLEncryptableBuffer& buffer, unsigned count);

    CVLBuffer m_KeyMaterial;
    std::unique_ptr<evp_cipher_ctx_st, CipherCtxDeleter> m_EncryptCtx;
    std::unique_ptr<evp_cipher_ctx_st, CipherCtxDeleter> m_DecryptCtx;
    // Key and IV depend only on the key material: derived once after each change.
    unsigned char m_DerivedKey[32];
    unsigned char m_DerivedIV[16];
    bool m_bKeyDerived = false;
};
