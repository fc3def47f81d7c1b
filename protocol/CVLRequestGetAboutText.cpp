#include "CVLRequestGetAboutText.h"

CVLRequestGetAboutText::CVLRequestGetAboutText() : CVLRequestNoDetails(kRequestType)
{
}

CVLRequestGetAboutText::~CVLRequestGetAboutText() = default;
