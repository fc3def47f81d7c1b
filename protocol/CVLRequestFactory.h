#pragma once

class CVLRequest;

// Extends ConstructRequestFromBuffer with request types of other programs.
class CVLRequestFactory
{
public:
    virtual ~CVLRequestFactory();
    // A new object of the type (owned by the caller), or null when the factory does not know it.
    virtual CVLRequest* CreateRequestObject(unsigned short requestType, bool isResponse) = 0;
};
