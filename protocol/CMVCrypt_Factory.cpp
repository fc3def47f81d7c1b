#include "CMVCrypt_Factory.h"

#include "CMVCrypt_AES256.h"

CMVCrypt_Base* CMVCrypt_Factory::EncryptionClassFactory(unsigned encryptionType)
{
    if (encryptionType == CMVCrypt_AES256::kEncryptionType)
        return new CMVCrypt_AES256();
    return nullptr;
}
