#include "CMVPublicKeyCryptBase.h"

#include "CVLBuffer.h"
#include "CVLString.h"

#include <openssl/crypto.h>

CMVPublicKeyCryptBase::CMVPublicKeyCryptBase() = default;

CMVPublicKeyCryptBase::~CMVPublicKeyCryptBase() = default;

bool CMVPublicKeyCryptBase::VerifySignature(const CVLBuffer& signature, const CVLBuffer& expected)
{
    CVLBuffer text;
    if (!GetSignedText(signature, text))
        return false;
    return text.BufferCompare(expected);
}

void CMVPublicKeyCryptBase::GetLibVersion(CVLString& out)
{
    out = OpenSSL_version(OPENSSL_VERSION);
}
