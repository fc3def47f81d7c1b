#pragma once

#include "CVLBuffer.h"

// The key-agreement side of a connect message: the sender's public value as a byte block
// (big-endian, at most 256 bytes). The transport fills it in or reads it; the object only holds it.
class CDiffieHellmanParticipant_2014
{
public:
    CDiffieHellmanParticipant_2014();
    virtual ~CDiffieHellmanParticipant_2014();

    const CVLBuffer& GetPublicKey() const { return m_PublicKey; }
    // Copies the block.
    void SetPublicKey(const CVLBuffer& key);
    bool IsPublicKeySet() const { return m_PublicKey.GetBufferLength() != 0; }

protected:
    CVLBuffer m_PublicKey;
};
