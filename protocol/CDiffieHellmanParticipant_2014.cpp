#include "CDiffieHellmanParticipant_2014.h"

CDiffieHellmanParticipant_2014::CDiffieHellmanParticipant_2014() = default;

CDiffieHellmanParticipant_2014::~CDiffieHellmanParticipant_2014() = default;

void CDiffieHellmanParticipant_2014::SetPublicKey(const CVLBuffer& key)
{
    m_PublicKey.CopyFrom(&key);
}
