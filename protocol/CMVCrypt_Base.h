#pragma once

#include "CMVDiffieHellman_Base.h"
#include "CVLBuffer.h"
#include "CVLString.h"

#include <memory>

class IVLEncryptableBuffer;
class CMVDiffieHellman_2014;
class CMVDiffieHellman_Legacy;

// Base of the session ciphers of the request protocol. Besides the cipher interface it holds
// the state of one key agreement (2014 or legacy); an operation of the other agreement replaces
// it. Failures return false; the key agreements also set GetErrorText().
class CMVCrypt_Base
{
public:
    CMVCrypt_Base();
    virtual ~CMVCrypt_Base();

    CMVCrypt_Base(const CMVCrypt_Base&) = delete;
    CMVCrypt_Base& operator=(const CMVCrypt_Base&) = delete;

    // Encrypts the first count bytes of buffer.GetLength() (all of them for 0 or a larger count);
    // the buffer is left holding exactly the encrypted bytes. On failure it is unchanged.
    virtual bool EncryptBuffer(IVLEncryptableBuffer& buffer, unsigned count, bool unused = false) = 0;
    // Decrypts the first count bytes (count <= GetLength()); the buffer is left holding exactly
    // count bytes, so 0 empties it. On failure it is unchanged.
    virtual bool DecryptBuffer(IVLEncryptableBuffer& buffer, unsigned count, bool unused = false) = 0;
    // The key material becomes a copy of the whole block / the text bytes / 4 little-endian bytes.
    virtual void SetKey(const CVLBuffer& key) = 0;
    virtual void SetKey(const CVLString& key) = 0;
    virtual void SetKey(unsigned key) = 0;
    virtual const CVLBuffer& GetKeyConst() const = 0;
    virtual unsigned GetEncryptionType() const = 0;
    // Called after every key change that comes from a key agreement.
    virtual bool InitFromSecretKey();

    // 2014 agreement -------------------------------------------------------------------------
    // Makes the key pair on first use and writes the own public value; out is emptied on failure.
    bool GetPublicKey(CVLBuffer& out);
    // Secret from the peer's public value; it becomes the key material. Needs a preceding
    // GetPublicKey on this object.
    bool SetSecretKeyFromPublic(const CVLBuffer& peerPublicKey);
    // Secret from the peer's public value and other's private key, stored here and made this
    // object's key material. False when other has no 2014 key pair.
    bool SetSecretKeyFromExternalMVCrypt(const CVLBuffer& peerPublicKey, const CMVCrypt_Base& other);

    // Legacy agreement -----------------------------------------------------------------------
    // The own public value; chooses the private key on first use.
    unsigned GetPublicKey();
    // The private key, 0 without a legacy state.
    unsigned GetPrivateKey() const;
    // Sets the private key (1 to 30975) and its public value; false when out of range.
    bool SetPrivateAndPublicKeys(unsigned privateKey);
    // Secret from the peer's public value (1 to 30976); it becomes the key material.
    bool SetSecretKeyFromPublic(unsigned peerPublicKey);

    // Both: replaces the own state with a clone of other's and takes the key material from the
    // cloned secret. False (nothing changed) when other has no key-agreement state.
    bool CopyKeys(const CMVCrypt_Base& other);

    // Null until a key-agreement operation made one. Owned by this object.
    const CMVDiffieHellman_Base* GetKeyAgreement() const { return m_pDiffieHellman.get(); }
    // True when the key-agreement state holds an agreed secret.
    bool IsKeyAgreed() const { return m_pDiffieHellman && m_pDiffieHellman->IsEncryptionKeySet(); }

    // Framing ---------------------------------------------------------------------------------
    // Encrypts like EncryptBuffer, then appends the encrypted count as 4 little-endian bytes.
    bool EncryptBufferWithLength(CVLBuffer& buffer, unsigned count, bool unused = false);
    // Inverse: reads the count from the last 4 bytes and decrypts that many bytes, dropping the
    // trailer. Empty buffer: true, count 0. Fewer than 4 bytes or a count beyond the data: false.
    bool DecryptBufferWithLength(CVLBuffer& buffer, unsigned& count, bool unused = false);
    // The same for text; out is emptied first and set from the decrypted bytes as UTF-8.
    bool DecryptBufferToStr(CVLBuffer& buffer, CVLString& out);

    // Resizes buffer to bits / 8 bytes (1 for fewer than 8 bits) of random bytes.
    static void GenerateRandomKeyBuffer(CVLBuffer& buffer, unsigned short bits);

    // Base64 text of the key material or of a buffer, for diagnostics.
    void DEBUG_GetKeyAsString(CVLString& out) const;
    static void DEBUG_GetKeyAsString(const CVLBuffer& key, CVLString& out);

    // Text of the last key-agreement failure.
    const CVLString& GetErrorText() const { return m_ErrorText; }

private:
    CMVDiffieHellman_2014* Get2014State(bool create);
    CMVDiffieHellman_Legacy* GetLegacyState(bool create);
    void SetLegacyError(unsigned peerPublicKey);

    CVLString m_ErrorText;
    std::unique_ptr<CMVDiffieHellman_Base> m_pDiffieHellman;
};
