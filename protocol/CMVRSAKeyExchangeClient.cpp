#include "CMVRSAKeyExchangeClient.h"

CMVRSAKeyExchangeClient::CMVRSAKeyExchangeClient() : CMVRSAKeyExchanger(true, kPaddingOAEP)
{
}

bool CMVRSAKeyExchangeClient::GenerateEncryptedKey(CVLBuffer& encryptedKey)
{
    CVLBuffer key;
    CVLBuffer hash;
    if (!GenerateSymmetricKey(key) || !Hash_SHA256(key, hash) || !Encrypt(key, encryptedKey))
        return false;
    m_SymmetricKey.StealContentsFrom(key);
    m_KeyHash.StealContentsFrom(hash);
    return true;
}

bool CMVRSAKeyExchangeClient::VerifySignedHash(const CVLBuffer& signedHash)
{
    return m_KeyHash.GetLength() != 0 && VerifySignature(signedHash, m_KeyHash);
}
