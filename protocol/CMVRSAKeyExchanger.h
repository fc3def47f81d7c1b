#pragma once

#include "CMVPublicKeyCrypt_RSA.h"

class CVLString;

// RSA key exchange: the client sends a random 256-bit key under the server's public key (OAEP);
// the server answers with the key's SHA-256 digest signed with its private key (PKCS #1 v1.5).
class CMVRSAKeyExchanger : public CMVPublicKeyCrypt_RSA
{
public:
    CMVRSAKeyExchanger(bool publicSide, int padding);

    // SHA-256 of the buffer's GetLength() bytes: 32 bytes / 64 lower-case hex digits / Base64.
    static bool Hash_SHA256(const CVLBuffer& in, CVLBuffer& digest);
    static bool Hash_SHA256Hex(const CVLBuffer& in, CVLString& out);
    static bool Hash_SHA256Base64(const CVLBuffer& in, CVLString& out);
    // Two lower-case hexadecimal digits per byte of GetLength().
    static void BinaryBufToHexString(const CVLBuffer& in, CVLString& out);
    // '0' to '9', 'a' to 'f'; '0' for values above 15.
    static char hexDigit(unsigned char value);
    // A 256-bit random number (usually 32 bytes, sometimes shorter).
    static bool GenerateSymmetricKey(CVLBuffer& key);
    // Base64 of the SHA-256 of the public key text; false without a public key.
    bool GetPublicKeyFingerPrint(CVLString& out);
};
