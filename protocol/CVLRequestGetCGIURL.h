#pragma once

#include "CVLRequestPubDataGeneric.h"
#include "CVLString.h"

// Asks the server for the web client's base address and the id of a project (type 461).
// Details: project name, second text (empty in this system).
class CVLRequestGetCGIURL : public CVLRequestPubDataGeneric
{
public:
    static constexpr unsigned short kRequestType = 461;

    CVLRequestGetCGIURL();
    ~CVLRequestGetCGIURL() override;

    void ClearRequestDetails() override;
    bool GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const override;
    bool GetRequestDetailsFromBuffer(CVLReqBuffer& buffer) override;

    const CVLString& GetProjectName() const { return m_ProjectName; }
    void SetProjectName(const CVLString& name) { m_ProjectName = name; }
    const CVLString& GetSecondText() const { return m_SecondText; }
    void SetSecondText(const CVLString& text) { m_SecondText = text; }

protected:
    CVLString m_ProjectName;
    CVLString m_SecondText;
};
