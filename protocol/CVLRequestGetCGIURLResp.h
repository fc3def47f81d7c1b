#pragma once

#include "CVLRequestResponse.h"

// The answer to the web-address request (type 461): after status, cookie and error text, the
// web client's base address for the project and the numeric project id.
class CVLRequestGetCGIURLResp : public CVLRequestResponse
{
public:
    static constexpr unsigned short kRequestType = 461;

    // Empty address, project id 0.
    CVLRequestGetCGIURLResp();
    ~CVLRequestGetCGIURLResp() override;

    void ClearRequestDetails() override;
    bool GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const override;
    bool GetRequestDetailsFromBuffer(CVLReqBuffer& buffer) override;

    const CVLString& GetCGIURL() const { return m_CGIURL; }
    void SetCGIURL(const CVLString& url) { m_CGIURL = url; }
    unsigned GetProjectId() const { return m_ProjectId; }
    void SetProjectId(unsigned projectId) { m_ProjectId = projectId; }

protected:
    CVLString m_CGIURL;
    unsigned m_ProjectId = 0;
};
