#include "CVLRequestGetCGIURL.h"

#include "CVLReqBuffer.h"

CVLRequestGetCGIURL::CVLRequestGetCGIURL() : CVLRequestPubDataGeneric(kRequestType)
{
}

CVLRequestGetCGIURL::~CVLRequestGetCGIURL() = default;

void CVLRequestGetCGIURL::ClearRequestDetails()
{
    m_ProjectName.FreeString();
    m_SecondText.FreeString();
}

bool CVLRequestGetCGIURL::GetRequestDetailsIntoBuffer(CVLReqBuffer& buffer) const
{
    buffer += m_ProjectName;
    buffer += m_SecondText;
    return true;
}

bool CVLRequestGetCGIURL::GetRequestDetailsFromBuffer(CVLReqBuffer& buffer)
{
    buffer.GetDetail(m_ProjectName);
    buffer.GetDetail(m_SecondText);
    return true;
}
