#include "CMVCrypt_Base.h"

#include "CMVDiffieHellman_2014.h"
#include "CMVDiffieHellman_Legacy.h"
#include "IVLEncryptableBuffer.h"

#include <openssl/rand.h>

#include <cstdlib>
#include <cstring>

CMVCrypt_Base::CMVCrypt_Base() = default;

CMVCrypt_Base::~CMVCrypt_Base() = default;

bool CMVCrypt_Base::InitFromSecretKey()
{
    return true;
}

CMVDiffieHellman_2014* CMVCrypt_Base::Get2014State(bool create)
{
    auto* state = dynamic_cast<CMVDiffieHellman_2014*>(m_pDiffieHellman.get());
    if (!state && create) {
        m_pDiffieHellman.reset(new CMVDiffieHellman_2014());
        state = static_cast<CMVDiffieHellman_2014*>(m_pDiffieHellman.get());
    }
    return state;
}

CMVDiffieHellman_Legacy* CMVCrypt_Base::GetLegacyState(bool create)
{
    auto* state = dynamic_cast<CMVDiffieHellman_Legacy*>(m_pDiffieHellman.get());
    if (!state && create) {
        m_pDiffieHellman.reset(new CMVDiffieHellman_Legacy());
        state = static_cast<CMVDiffieHellman_Legacy*>(m_pDiffieHellman.get());
    }
    return state;
}

bool CMVCrypt_Base::GetPublicKey(CVLBuffer& out)
{
    return Get2014State(true)->GetPublicKey(out);
}

bool CMVCrypt_Base::SetSecretKeyFromPublic(const CVLBuffer& peerPublicKey)
{
    CMVDiffieHellman_2014* state = Get2014State(false);
    if (!state || !state->ComputeSecretKey(peerPublicKey)) {
        m_ErrorText = "SetSecretKeyFromPublic failed.";
        return false;
    }
    SetKey(state->GetSecretKey());
    return InitFromSecretKey();
}

bool CMVCrypt_Base::SetSecretKeyFromExternalMVCrypt(const CVLBuffer& peerPublicKey, const CMVCrypt_Base& other)
{
    const auto* otherState = dynamic_cast<const CMVDiffieHellman_2014*>(other.m_pDiffieHellman.get());
    if (!otherState || !otherState->HasKeyPair()) {
        m_ErrorText = "SetSecretKeyFromExternalMVCrypt failed.";
        return false;
    }
    // Compute into a fresh state first: other may be this object.
    std::unique_ptr<CMVDiffieHellman_2014> result(new CMVDiffieHellman_2014());
    if (!result->ComputeSecretKeyWith(peerPublicKey, *otherState)) {
        m_ErrorText = "SetSecretKeyFromExternalMVCrypt failed.";
        return false;
    }
    Get2014State(true)->SetSecretKey(result->GetSecretKey());
    SetKey(result->GetSecretKey());
    return InitFromSecretKey();
}

unsigned CMVCrypt_Base::GetPublicKey()
{
    return GetLegacyState(true)->GetPublicKey();
}

unsigned CMVCrypt_Base::GetPrivateKey() const
{
    const auto* state = dynamic_cast<const CMVDiffieHellman_Legacy*>(m_pDiffieHellman.get());
    return state ? state->GetPrivateKey() : 0;
}

bool CMVCrypt_Base::SetPrivateAndPublicKeys(unsigned privateKey)
{
    if (privateKey < 1 || privateKey > CMVDiffieHellman_Legacy::kPrime - 2)
        return false;
    return GetLegacyState(true)->SetPrivateAndPublicKeys(privateKey);
}

void CMVCrypt_Base::SetLegacyError(unsigned peerPublicKey)
{
    CMVDiffieHellman_Legacy* state = GetLegacyState(false);
    m_ErrorText.SafeFormat("Arc4 op_pubkey (%u)  privkey (%u)   seckey(%u) ", peerPublicKey,
                           state ? state->GetPrivateKey() : 0u, state ? state->GetSecretKey() : 0u);
}

bool CMVCrypt_Base::SetSecretKeyFromPublic(unsigned peerPublicKey)
{
    CMVDiffieHellman_Legacy* state = GetLegacyState(false);
    if (!state || !state->SetSecretKeyFromPublic(peerPublicKey)) {
        SetLegacyError(peerPublicKey);
        return false;
    }
    SetKey(state->GetSecretKey());
    return InitFromSecretKey();
}

bool CMVCrypt_Base::CopyKeys(const CMVCrypt_Base& other)
{
    if (!other.m_pDiffieHellman)
        return false;
    std::unique_ptr<CMVDiffieHellman_Base> clone(other.m_pDiffieHellman->CloneWithSecretKey());
    m_pDiffieHellman = std::move(clone);
    if (auto* modern = dynamic_cast<CMVDiffieHellman_2014*>(m_pDiffieHellman.get())) {
        if (modern->IsEncryptionKeySet())
            SetKey(modern->GetSecretKey());
    } else if (auto* legacy = dynamic_cast<CMVDiffieHellman_Legacy*>(m_pDiffieHellman.get())) {
        if (legacy->IsEncryptionKeySet())
            SetKey(legacy->GetSecretKey());
    }
    return true;
}

bool CMVCrypt_Base::EncryptBufferWithLength(CVLBuffer& buffer, unsigned count, bool unused)
{
    unsigned length = buffer.GetLength();
    if (count == 0 || count > length)
        count = length;
    if (!EncryptBuffer(buffer, count, unused))
        return false;
    unsigned char trailer[4] = {static_cast<unsigned char>(count), static_cast<unsigned char>(count >> 8),
                                static_cast<unsigned char>(count >> 16), static_cast<unsigned char>(count >> 24)};
    buffer.AppendToBuffer(trailer, 4);
    return true;
}

bool CMVCrypt_Base::DecryptBufferWithLength(CVLBuffer& buffer, unsigned& count, bool unused)
{
    count = 0;
    unsigned size = buffer.GetBufferLength();
    if (size == 0)
        return true;
    if (size < 4)
        return false;
    const unsigned char* trailer = reinterpret_cast<const unsigned char*>(buffer.GetBufferPtr()) + size - 4;
    unsigned stored = static_cast<unsigned>(trailer[0]) | (static_cast<unsigned>(trailer[1]) << 8) |
                      (static_cast<unsigned>(trailer[2]) << 16) | (static_cast<unsigned>(trailer[3]) << 24);
    // A count beyond the data in front of the trailer can only come from damaged input.
    if (stored > size - 4 || stored > buffer.GetLength())
        return false;
    if (!DecryptBuffer(buffer, stored, unused))
        return false;
    count = stored;
    return true;
}

bool CMVCrypt_Base::DecryptBufferToStr(CVLBuffer& buffer, CVLString& out)
{
    out.Empty();
    unsigned count = 0;
    if (!DecryptBufferWithLength(buffer, count))
        return false;
    if (count)
        out.SetFromUTF8(reinterpret_cast<const unsigned char*>(buffer.GetBufferPtr()), count);
    return true;
}

void CMVCrypt_Base::GenerateRandomKeyBuffer(CVLBuffer& buffer, unsigned short bits)
{
    unsigned size = bits < 8 ? 1u : bits / 8u;
    buffer.ReAlloc(size);
    unsigned char* bytes = reinterpret_cast<unsigned char*>(buffer.GetNonConstBufferPtr());
    if (RAND_bytes(bytes, static_cast<int>(size)) != 1) {
        for (unsigned i = 0; i < size; ++i)
            bytes[i] = static_cast<unsigned char>(std::rand());
    }
}

void CMVCrypt_Base::DEBUG_GetKeyAsString(CVLString& out) const
{
    DEBUG_GetKeyAsString(GetKeyConst(), out);
}

void CMVCrypt_Base::DEBUG_GetKeyAsString(const CVLBuffer& key, CVLString& out)
{
    out.Empty();
    if (key.GetBufferLength() && key.GetBufferPtr())
        CVLString::Base64Encode(reinterpret_cast<const unsigned char*>(key.GetBufferPtr()), key.GetBufferLength(), out);
}
