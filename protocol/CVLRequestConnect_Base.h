#pragma once

#include "CVLRequest.h"
#include "CVLString.h"

// Common part of the connect requests: the sender's client type, the protocol version read
// from a received connect request, and a free connect text.
// Default details: protocol version of the client type (2 bytes), client type (2 bytes), text.
class CVLRequestConnect_Base : public CVLRequest
{
public:
    ~CVLRequestConnect_Base() override;

    void ClearRequestDetails() override;
    bool ValidateRequestDetails() const override;
    bool GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const override;
    bool GetRequestDetailsFromBuffer(CVLReqBuffer& buffer) override;

    unsigned short GetClientType() const { return m_ClientType; }
    void SetClientType(unsigned short clientType) { m_ClientType = clientType; }
    unsigned short GetReceivedProtocolVersion() const { return m_ReceivedProtocolVersion; }
    const CVLString& GetConnectText() const { return m_ConnectText; }
    void SetConnectText(const CVLString& text) { m_ConnectText = text; }

protected:
    explicit CVLRequestConnect_Base(unsigned short requestType);

    unsigned short m_ClientType = 0;
    unsigned short m_ReceivedProtocolVersion = 0;
    CVLString m_ConnectText;
};
