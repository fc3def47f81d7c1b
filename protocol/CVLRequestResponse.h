#pragma once

#include "CVLRequest.h"
#include "CVLString.h"

// A response: a request object whose response flag is set. Its details begin with a one-byte
// status, the session cookie again and an error text (always UTF-8); subclasses append their
// own fields after these. A plain CVLRequestResponse is the generic response of any type.
class CVLRequestResponse : public CVLRequest
{
public:
    static constexpr unsigned kDefaultResponseFlags = kFlagUTF8 | kFlagResponse;

    // Type 0, flags 0x401, status 0.
    CVLRequestResponse();
    explicit CVLRequestResponse(unsigned short requestType);
    // The request's id and type, status 0, bit 0 set, bits 3 and 10 taken from the request.
    explicit CVLRequestResponse(const CVLRequest& request);
    ~CVLRequestResponse() override;

    void GetErrorText(CVLString& text) const override;
    const CVLString* GetErrorTextPtr() const override;
    void ClearRequestDetails() override;
    bool ValidateRequestDetails() const override;
    bool GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const override;
    bool GetRequestDetailsFromBuffer(CVLReqBuffer& buffer) override;

    // Copies id, type and cookie from the request, sets bit 6 when the request has it and copies
    // bits 3 and 10.
    virtual void PrepareFor(const CVLRequest& request);
    // True when, of bits 0 and 31, exactly bit 0 is set, and type and id equal the request's.
    virtual bool IsValidResponseFor(const CVLRequest& request) const;

    unsigned char GetStatus() const { return m_Status; }
    void SetStatus(unsigned char status) { m_Status = status; }
    const CVLString& GetErrorTextRef() const { return m_ErrorText; }
    void SetErrorText(const CVLString& text) { m_ErrorText = text; }

protected:
    unsigned char m_Status = 0;
    CVLString m_ErrorText;
};
