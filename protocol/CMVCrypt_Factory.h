#pragma once

class CMVCrypt_Base;

// Makes session ciphers by encryption type.
class CMVCrypt_Factory
{
public:
    // A new CMVCrypt_AES256 for type 1, null for any other type. The caller owns the result.
    static CMVCrypt_Base* EncryptionClassFactory(unsigned encryptionType);
};
