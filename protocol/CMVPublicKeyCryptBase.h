#pragma once

#include "CMVDateTime.h"

class CVLBuffer;
class CVLString;

// Base of the public-key ciphers. Every operation returns false on failure; a failed operation
// leaves its output unchanged unless its own description says otherwise.
class CMVPublicKeyCryptBase
{
public:
    CMVPublicKeyCryptBase();
    virtual ~CMVPublicKeyCryptBase();

    virtual bool Encrypt(const CVLBuffer& plain, CVLBuffer& encrypted) = 0;
    virtual bool Decrypt(const CVLBuffer& encrypted, CVLBuffer& plain) = 0;
    virtual bool Decrypt(const CVLBuffer& encrypted, CVLString& plain) = 0;
    virtual bool Sign(const CVLBuffer& text, CVLBuffer& signature) = 0;
    virtual bool GetSignedText(const CVLBuffer& signature, CVLBuffer& text) = 0;
    // True when the text recovered from the signature equals expected (BufferCompare).
    virtual bool VerifySignature(const CVLBuffer& signature, const CVLBuffer& expected);
    virtual bool GenerateKeyPair() = 0;
    virtual bool GetPrivateKeyString(CVLString& out) = 0;
    virtual bool GetPublicKeyString(CVLString& out) = 0;
    virtual bool SetPrivateKeyFromString(const CVLString& text) = 0;
    virtual bool SetPublicKeyFromString(const CVLString& text) = 0;

    // The OpenSSL version text.
    static void GetLibVersion(CVLString& out);

    // When the key pair was made (not set for a key that has not been made or loaded).
    const CMVDateTime& GetKeyTime() const { return m_KeyTime; }
    void SetKeyTime(const CMVDateTime& time) { m_KeyTime = time; }

protected:
    CMVDateTime m_KeyTime;
};
