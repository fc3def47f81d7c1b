#include "CMVRSAKeyExchangeServer.h"

CMVRSAKeyExchangeServer::CMVRSAKeyExchangeServer() : CMVRSAKeyExchanger(false, kPaddingOAEP)
{
}

bool CMVRSAKeyExchangeServer::ReceiveEncryptedKey(const CVLBuffer& encryptedKey, CVLBuffer& key, CVLBuffer& signedHash)
{
    CVLBuffer plainKey;
    CVLBuffer hash;
    CVLBuffer signature;
    if (!Decrypt(encryptedKey, plainKey) || !Hash_SHA256(plainKey, hash) || !Sign(hash, signature))
        return false;
    key.StealContentsFrom(plainKey);
    signedHash.StealContentsFrom(signature);
    return true;
}
