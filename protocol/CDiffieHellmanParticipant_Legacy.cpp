#include "CDiffieHellmanParticipant_Legacy.h"

CDiffieHellmanParticipant_Legacy::CDiffieHellmanParticipant_Legacy() = default;

CDiffieHellmanParticipant_Legacy::~CDiffieHellmanParticipant_Legacy() = default;
