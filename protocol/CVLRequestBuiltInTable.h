#pragma once

class CVLRequest;

// The request and response classes that ConstructRequestFromBuffer knows without a factory.
class CVLRequestBuiltInTable
{
public:
    // A new default object of the class for the type (owned by the caller), or null when the
    // table has no class for it (for responses: the generic fallback applies).
    static CVLRequest* CreateBuiltInObject(unsigned short requestType, bool isResponse);
};
