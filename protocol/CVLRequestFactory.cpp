#include "CVLRequestFactory.h"

CVLRequestFactory::~CVLRequestFactory() = default;
