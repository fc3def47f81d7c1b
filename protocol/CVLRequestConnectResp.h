#pragma once

#include "CDiffieHellmanParticipant_Legacy.h"
#include "CVLRequestConnectResp_Base.h"

// The answer to the legacy connect (type 1): after the common connect-response details, the
// server's public key (unsigned 32-bit) and the embedded block. Ignoring the public key is
// flag bit 9.
class CVLRequestConnectResp : public CVLRequestConnectResp_Base, public CDiffieHellmanParticipant_Legacy
{
public:
    static constexpr unsigned short kRequestType = 1;

    CVLRequestConnectResp();
    ~CVLRequestConnectResp() override;

    void ClearRequestDetails() override;
    bool GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const override;
    bool GetRequestDetailsFromBuffer(CVLReqBuffer& buffer) override;

    CVLRequestConnectResp_Base* EmptyClone() const override;
    void SetIgnorePublicKey(bool ignore) override;
    bool GetIgnorePublicKey() const override;
};
