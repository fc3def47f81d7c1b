#pragma once

#include "CVLBuffer.h"
#include "CVLDropDownList.h"
#include "CVLRequestResponse.h"

// Common part of the connect responses: three server texts, a drop-down list and an embedded
// block. Details after status, cookie and error text: the three texts, then the drop-down list;
// the subclasses continue.
class CVLRequestConnectResp_Base : public CVLRequestResponse
{
public:
    ~CVLRequestConnectResp_Base() override;

    void ClearRequestDetails() override;
    bool GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const override;
    bool GetRequestDetailsFromBuffer(CVLReqBuffer& buffer) override;

    // A new response of the same class with default fields; the caller owns it.
    virtual CVLRequestConnectResp_Base* EmptyClone() const = 0;
    virtual void SetIgnorePublicKey(bool ignore) = 0;
    virtual bool GetIgnorePublicKey() const = 0;

    const CVLString& GetFirstServerText() const { return m_FirstServerText; }
    void SetFirstServerText(const CVLString& text) { m_FirstServerText = text; }
    const CVLString& GetSecondServerText() const { return m_SecondServerText; }
    void SetSecondServerText(const CVLString& text) { m_SecondServerText = text; }
    const CVLString& GetThirdServerText() const { return m_ThirdServerText; }
    void SetThirdServerText(const CVLString& text) { m_ThirdServerText = text; }
    const CVLDropDownList& GetDropDownList() const { return m_DropDownList; }
    CVLDropDownList& GetDropDownList() { return m_DropDownList; }
    const CVLBuffer& GetEmbeddedBlock() const { return m_EmbeddedBlock; }
    void SetEmbeddedBlock(const CVLBuffer& block) { m_EmbeddedBlock.CopyFrom(&block); }

protected:
    explicit CVLRequestConnectResp_Base(unsigned short requestType);

    CVLString m_FirstServerText;
    CVLString m_SecondServerText;
    CVLString m_ThirdServerText;
    CVLDropDownList m_DropDownList;
    CVLBuffer m_EmbeddedBlock;
};
