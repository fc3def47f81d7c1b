#pragma once

#include "CVLBuffer.h"
#include "CVLRequest.h"

// A request group (flag bit 5): the sub-requests follow as frames of their own right after it.
// Details: the number of sub-requests (4 bytes), a boolean (true by default) and a list of
// one-byte values (4-byte count, then the bytes).
class CVLRequestBundledRequest : public CVLRequest
{
public:
    explicit CVLRequestBundledRequest(unsigned short requestType);
    ~CVLRequestBundledRequest() override;

    void ClearRequestDetails() override;
    bool ValidateRequestDetails() const override;
    bool GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const override;
    bool GetRequestDetailsFromBuffer(CVLReqBuffer& buffer) override;

    unsigned GetSubRequestCount() const { return m_SubRequestCount; }
    void SetSubRequestCount(unsigned count) { m_SubRequestCount = count; }
    bool GetGroupFlag() const { return m_GroupFlag; }
    void SetGroupFlag(bool on) { m_GroupFlag = on; }
    const CVLBuffer& GetByteList() const { return m_ByteList; }
    void SetByteList(const CVLBuffer& bytes) { m_ByteList.CopyFrom(&bytes); }

protected:
    unsigned m_SubRequestCount = 0;
    bool m_GroupFlag = true;
    CVLBuffer m_ByteList;
};
