#pragma once

#include <memory>
#include <vector>

class CVLRequest;
class CVLRequestFactory;

// Process-wide list of request factories, created on first use and destroyed at exit together
// with every factory it holds. Not locked: register factories before requests are received.
class CVLRequestFactoryManager
{
public:
    static CVLRequestFactoryManager& instance();

    // Appends the factory and takes ownership (null is ignored).
    void RegisterFactory(CVLRequestFactory* factory);
    // Asks the factories in the order of registration; the first object created (owned by the
    // caller) or null.
    CVLRequest* CreateRequestObject(unsigned short requestType, bool isResponse) const;
    unsigned GetFactoryCount() const { return static_cast<unsigned>(m_Factories.size()); }

    CVLRequestFactoryManager(const CVLRequestFactoryManager&) = delete;
    CVLRequestFactoryManager& operator=(const CVLRequestFactoryManager&) = delete;

private:
    CVLRequestFactoryManager();
    ~CVLRequestFactoryManager();

    std::vector<std::unique_ptr<CVLRequestFactory>> m_Factories;
};
