#pragma once

#include "CDiffieHellmanParticipant_2014.h"
#include "CVLBuffer.h"
#include "CVLRequestConnect_Base.h"

// The connect request this system sends (type 707). Details: protocol version (2 bytes), client
// type (2 bytes), connect text, public key (count and bytes), the version-independent block and
// the version-dependent block (count and bytes each; empty when sent by this system).
class CVLRequestExtensibleConnect : public CVLRequestConnect_Base, public CDiffieHellmanParticipant_2014
{
public:
    static constexpr unsigned short kRequestType = 707;

    // Client type 0, empty text, key and blocks.
    CVLRequestExtensibleConnect();
    ~CVLRequestExtensibleConnect() override;

    void ClearRequestDetails() override;
    bool GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const override;
    // The dependent block is read only when the received protocol version is the current one
    // for the received client type; otherwise it is skipped.
    bool GetRequestDetailsFromBuffer(CVLReqBuffer& buffer) override;

    const CVLBuffer& GetVersionIndependentBlock() const { return m_VersionIndependentBlock; }
    const CVLBuffer& GetVersionDependentBlock() const { return m_VersionDependentBlock; }

protected:
    CVLBuffer m_VersionIndependentBlock;
    CVLBuffer m_VersionDependentBlock;
};
