#include "CVLRequestMailList.h"

CVLRequestMailList::CVLRequestMailList() : CVLRequestNoDetails(kRequestType)
{
}

CVLRequestMailList::~CVLRequestMailList() = default;
