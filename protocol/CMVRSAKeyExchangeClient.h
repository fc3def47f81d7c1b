#pragma once

#include "CMVRSAKeyExchanger.h"

// Client end of the RSA key exchange: public side with OAEP, holding the server's public key.
class CMVRSAKeyExchangeClient : public CMVRSAKeyExchanger
{
public:
    CMVRSAKeyExchangeClient();

    // Makes a new symmetric key and its SHA-256 hash and writes the key encrypted for the server.
    bool GenerateEncryptedKey(CVLBuffer& encryptedKey);
    // True when the server's signed hash opens (PKCS #1 v1.5) to the hash of our key.
    bool VerifySignedHash(const CVLBuffer& signedHash);

    const CVLBuffer& GetSymmetricKey() const { return m_SymmetricKey; }
    const CVLBuffer& GetKeyHash() const { return m_KeyHash; }

private:
    CVLBuffer m_SymmetricKey;
    CVLBuffer m_KeyHash;
};
