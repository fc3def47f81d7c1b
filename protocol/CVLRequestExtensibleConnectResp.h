#pragma once

#include "CDiffieHellmanParticipant_2014.h"
#include "CVLRequestConnectResp_Base.h"

// The answer to the extensible connect (type 707): after the common connect-response details,
// the embedded block, the server's public key (count and bytes), the use-public-key byte and the
// two versioned blocks, which a reader moves past without using.
class CVLRequestExtensibleConnectResp : public CVLRequestConnectResp_Base, public CDiffieHellmanParticipant_2014
{
public:
    static constexpr unsigned short kRequestType = 707;

    // Flags 0x401, use public key true.
    CVLRequestExtensibleConnectResp();
    ~CVLRequestExtensibleConnectResp() override;

    void ClearRequestDetails() override;
    bool GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const override;
    bool GetRequestDetailsFromBuffer(CVLReqBuffer& buffer) override;

    CVLRequestConnectResp_Base* EmptyClone() const override;
    // Stores the negation in the use-public-key switch.
    void SetIgnorePublicKey(bool ignore) override;
    bool GetIgnorePublicKey() const override;

    const CVLBuffer& GetVersionIndependentBlock() const { return m_VersionIndependentBlock; }
    const CVLBuffer& GetVersionDependentBlock() const { return m_VersionDependentBlock; }

protected:
    bool m_UsePublicKey = true;
    CVLBuffer m_VersionIndependentBlock;
    CVLBuffer m_VersionDependentBlock;
};
