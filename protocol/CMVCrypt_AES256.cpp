#include "CMVCrypt_AES256.h"

#include "IVLEncryptableBuffer.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>

#include <cstring>
#include <new>

const unsigned char CMVCrypt_AES256::salt[8] = {0x4F, 0xBC, 0x00, 0x00, 0xDB, 0x13, 0x01, 0x00};

void CMVCrypt_AES256::CipherCtxDeleter::operator()(evp_cipher_ctx_st* ctx) const
{
    EVP_CIPHER_CTX_free(ctx);
}

CMVCrypt_AES256::CMVCrypt_AES256() : m_EncryptCtx(EVP_CIPHER_CTX_new()), m_DecryptCtx(EVP_CIPHER_CTX_new())
{
    if (!m_EncryptCtx || !m_DecryptCtx)
        throw std::bad_alloc();
    std::memset(m_DerivedKey, 0, sizeof m_DerivedKey);
    std::memset(m_DerivedIV, 0, sizeof m_DerivedIV);
}

CMVCrypt_AES256::~CMVCrypt_AES256()
{
    ForgetDerivedKey();
    if (m_KeyMaterial.GetBufferLength())
        OPENSSL_cleanse(m_KeyMaterial.GetNonConstBufferPtr(), m_KeyMaterial.GetBufferLength());
}

void CMVCrypt_AES256::ForgetDerivedKey()
{
    OPENSSL_cleanse(m_DerivedKey, sizeof m_DerivedKey);
    OPENSSL_cleanse(m_DerivedIV, sizeof m_DerivedIV);
    m_bKeyDerived = false;
}

void CMVCrypt_AES256::SetKey(const CVLBuffer& key)
{
    if (&key == &m_KeyMaterial)
        return;
    // Plain-buffer copy of the whole block, whatever the source's own idea of its length.
    CVLBuffer copy;
    if (key.GetBufferLength() && key.GetBufferPtr())
        copy.AppendToBuffer(key.GetBufferPtr(), key.GetBufferLength());
    if (m_KeyMaterial.GetBufferLength())
        OPENSSL_cleanse(m_KeyMaterial.GetNonConstBufferPtr(), m_KeyMaterial.GetBufferLength());
    m_KeyMaterial.StealContentsFrom(copy);
    ForgetDerivedKey();
}

void CMVCrypt_AES256::SetKey(const CVLString& key)
{
    CVLBuffer copy;
    if (key.GetLength())
        copy.AppendToBuffer(key.GetBufferPtr(), key.GetLength());
    SetKey(copy);
}

void CMVCrypt_AES256::SetKey(unsigned key)
{
    unsigned char bytes[4] = {static_cast<unsigned char>(key), static_cast<unsigned char>(key >> 8),
                              static_cast<unsigned char>(key >> 16), static_cast<unsigned char>(key >> 24)};
    CVLBuffer copy;
    copy.AppendToBuffer(bytes, 4);
    SetKey(copy);
}

bool CMVCrypt_AES256::DeriveKeyAndIV()
{
    if (m_bKeyDerived)
        return true;
    // EVP_BytesToKey skips the work for a null data pointer, so empty key material still
    // needs a valid address.
    static const unsigned char kNoData = 0;
    const unsigned char* data = m_KeyMaterial.GetBufferLength()
                                    ? reinterpret_cast<const unsigned char*>(m_KeyMaterial.GetBufferPtr())
                                    : &kNoData;
    int keyLength = EVP_BytesToKey(EVP_aes_256_ofb(), EVP_sha1(), salt, data,
                                   static_cast<int>(m_KeyMaterial.GetBufferLength()), 14, m_DerivedKey, m_DerivedIV);
    if (keyLength != 32) {
        ForgetDerivedKey();
        return false;
    }
    m_bKeyDerived = true;
    return true;
}

bool CMVCrypt_AES256::GetDerivedKeyAndIV(unsigned char key[32], unsigned char iv[16])
{
    if (!DeriveKeyAndIV())
        return false;
    std::memcpy(key, m_DerivedKey, 32);
    std::memcpy(iv, m_DerivedIV, 16);
    return true;
}

bool CMVCrypt_AES256::AES256_EncryptInit()
{
    EVP_CIPHER_CTX_reset(m_EncryptCtx.get());
    return DeriveKeyAndIV() &&
           EVP_EncryptInit_ex(m_EncryptCtx.get(), EVP_aes_256_ofb(), nullptr, m_DerivedKey, m_DerivedIV) == 1;
}

bool CMVCrypt_AES256::AES256_DecryptInit()
{
    EVP_CIPHER_CTX_reset(m_DecryptCtx.get());
    return DeriveKeyAndIV() &&
           EVP_DecryptInit_ex(m_DecryptCtx.get(), EVP_aes_256_ofb(), nullptr, m_DerivedKey, m_DerivedIV) == 1;
}

void CMVCrypt_AES256::AES256_EncryptCleanup()
{
    EVP_CIPHER_CTX_reset(m_EncryptCtx.get());
}

void CMVCrypt_AES256::AES256_DecryptCleanup()
{
    EVP_CIPHER_CTX_reset(m_DecryptCtx.get());
}

bool CMVCrypt_AES256::Transform(evp_cipher_ctx_st* ctx, bool encrypt, IVLEncryptableBuffer& buffer, unsigned count)
{
    bool ok = encrypt ? AES256_EncryptInit() : AES256_DecryptInit();
    if (ok && count) {
        // OFB is a stream mode: the output has the input's length and may overwrite it, so the
        // bytes are transformed where they are. The cipher refuses a call before it touches a
        // byte, and a stream cipher's final step writes nothing, so a failure leaves them intact.
        unsigned char* data = reinterpret_cast<unsigned char*>(buffer.GetNonConstBufferPtr());
        int produced = 0;
        int tail = 0;
        if (encrypt) {
            ok = EVP_EncryptUpdate(ctx, data, &produced, data, static_cast<int>(count)) == 1 &&
                 EVP_EncryptFinal_ex(ctx, data + produced, &tail) == 1;
        } else {
            ok = EVP_DecryptUpdate(ctx, data, &produced, data, static_cast<int>(count)) == 1 &&
                 EVP_DecryptFinal_ex(ctx, data + produced, &tail) == 1;
        }
        ok = ok && static_cast<unsigned>(produced + tail) == count;
    }
    if (encrypt)
        AES256_EncryptCleanup();
    else
        AES256_DecryptCleanup();
    if (!ok)
        return false;
    if (buffer.GetBufferLength() != count)
        buffer.ReAlloc(count);
    return true;
}

bool CMVCrypt_AES256::EncryptBuffer(IVLEncryptableBuffer& buffer, unsigned count, bool)
{
    unsigned length = buffer.GetLength();
    if (count == 0 || count > length)
        count = length;
    if (count > 0x7FFFFFF0u)
        return false;
    return Transform(m_EncryptCtx.get(), true, buffer, count);
}

bool CMVCrypt_AES256::DecryptBuffer(IVLEncryptableBuffer& buffer, unsigned count, bool)
{
    if (count > buffer.GetLength() || count > 0x7FFFFFF0u)
        return false;
    return Transform(m_DecryptCtx.get(), false, buffer, count);
}
