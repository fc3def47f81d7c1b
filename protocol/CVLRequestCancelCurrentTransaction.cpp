#include "CVLRequestCancelCurrentTransaction.h"

CVLRequestCancelCurrentTransaction::CVLRequestCancelCurrentTransaction() : CVLRequestNoDetails(kRequestType)
{
}

CVLRequestCancelCurrentTransaction::~CVLRequestCancelCurrentTransaction() = default;
