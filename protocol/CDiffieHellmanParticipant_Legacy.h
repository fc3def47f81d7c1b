#pragma once

// The key-agreement side of a legacy connect message: one unsigned 32-bit public value,
// 0 meaning not set.
class CDiffieHellmanParticipant_Legacy
{
public:
    CDiffieHellmanParticipant_Legacy();
    virtual ~CDiffieHellmanParticipant_Legacy();

    unsigned GetPublicKey() const { return m_PublicKey; }
    void SetPublicKey(unsigned key) { m_PublicKey = key; }
    bool IsPublicKeySet() const { return m_PublicKey != 0; }

protected:
    unsigned m_PublicKey = 0;
};
