#pragma once

#include "CDiffieHellmanParticipant_Legacy.h"
#include "CVLRequestConnect_Base.h"

// The legacy connect request (type 1). Details: protocol version (2 bytes), client type
// (2 bytes), public key (4 bytes), connect text.
class CVLRequestConnect : public CVLRequestConnect_Base, public CDiffieHellmanParticipant_Legacy
{
public:
    static constexpr unsigned short kRequestType = 1;

    CVLRequestConnect();
    ~CVLRequestConnect() override;

    void ClearRequestDetails() override;
    bool GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const override;
    bool GetRequestDetailsFromBuffer(CVLReqBuffer& buffer) override;
};
