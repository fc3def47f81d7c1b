#pragma once

class CVLBuffer;

// Helpers of the RSA key exchange.
class RSAUtils
{
public:
    // A random number of the given bits (no constraint on the top or bottom bits), written
    // big-endian without leading zero bytes: usually (bits + 7) / 8 bytes, sometimes fewer.
    static bool RandomBigNum(CVLBuffer& out, unsigned bits);
};
