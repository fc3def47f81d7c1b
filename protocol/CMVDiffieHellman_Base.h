#pragma once

// State of one key agreement held by a cipher (CMVCrypt_Base). The concrete kinds are the
// 2014 agreement (RFC 3526 group 14) and the legacy one (prime 30977).
class CMVDiffieHellman_Base
{
public:
    virtual ~CMVDiffieHellman_Base();

    // A new object holding a copy of the agreed secret; the caller owns it.
    virtual CMVDiffieHellman_Base* CloneWithSecretKey() const = 0;
    // True once a shared secret has been agreed.
    virtual bool IsEncryptionKeySet() const = 0;
};
