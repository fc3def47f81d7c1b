#include "RSAUtils.h"

#include "CVLBuffer.h"

#include <openssl/bn.h>

bool RSAUtils::RandomBigNum(CVLBuffer& out, unsigned bits)
{
    if (bits == 0 || bits > 65536)
        return false;
    BIGNUM* number = BN_new();
    if (!number)
        return false;
    bool ok = BN_rand(number, static_cast<int>(bits), BN_RAND_TOP_ANY, BN_RAND_BOTTOM_ANY) == 1;
    if (ok) {
        unsigned size = static_cast<unsigned>(BN_num_bytes(number));
        out.ReAlloc(size);
        if (size)
            BN_bn2bin(number, reinterpret_cast<unsigned char*>(out.GetNonConstBufferPtr()));
    }
    BN_clear_free(number);
    return ok;
}
