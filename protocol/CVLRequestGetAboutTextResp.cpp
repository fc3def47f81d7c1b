#include "CVLRequestGetAboutTextResp.h"

CVLRequestGetAboutTextResp::CVLRequestGetAboutTextResp() : CVLRequestResponse(kRequestType)
{
}

CVLRequestGetAboutTextResp::~CVLRequestGetAboutTextResp() = default;
