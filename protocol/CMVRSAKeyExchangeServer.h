#pragma once

#include "CMVRSAKeyExchanger.h"

// Server end of the RSA key exchange: private side with OAEP.
class CMVRSAKeyExchangeServer : public CMVRSAKeyExchanger
{
public:
    CMVRSAKeyExchangeServer();

    // Decrypts the client's key and signs its SHA-256 digest. False leaves both outputs unchanged.
    bool ReceiveEncryptedKey(const CVLBuffer& encryptedKey, CVLBuffer& key, CVLBuffer& signedHash);
};
