#include "CVLRequestFactoryManager.h"

#include "CVLRequest.h"
#include "CVLRequestFactory.h"

namespace {
const unsigned kInitialFactoryRoom = 15;
}

CVLRequestFactoryManager& CVLRequestFactoryManager::instance()
{
    static CVLRequestFactoryManager s_Manager;
    return s_Manager;
}

CVLRequestFactoryManager::CVLRequestFactoryManager()
{
    m_Factories.reserve(kInitialFactoryRoom);
}

CVLRequestFactoryManager::~CVLRequestFactoryManager() = default;

void CVLRequestFactoryManager::RegisterFactory(CVLRequestFactory* factory)
{
    if (factory)
        m_Factories.emplace_back(factory);
}

CVLRequest* CVLRequestFactoryManager::CreateRequestObject(unsigned short requestType, bool isResponse) const
{
    for (const auto& factory : m_Factories) {
        if (CVLRequest* object = factory->CreateRequestObject(requestType, isResponse))
            return object;
    }
    return nullptr;
}
