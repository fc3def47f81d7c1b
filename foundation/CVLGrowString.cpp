#include "CVLGrowString.h"

#include <new>

CVLGrowString::CVLGrowString() = default;

CVLGrowString::CVLGrowString(const char* text)
{
    CVLString converted(text);
    CVLString::GrowTo(converted.GetLength() + 1 + kGrowSlack, false);
    CVLString::operator=(converted);
}

CVLGrowString::CVLGrowString(const CVLString& text)
{
    CVLString::GrowTo(text.GetLength() + 1 + kGrowSlack, false);
    CVLString::operator=(text);
}

CVLGrowString::CVLGrowString(const CVLGrowString& other) : CVLString()
{
    CVLString::GrowTo(other.GetLength() + 1 + kGrowSlack, false);
    CVLString::operator=(other);
}

CVLGrowString::~CVLGrowString() = default;

CVLGrowString& CVLGrowString::operator=(const CVLGrowString& other)
{
    CVLString::operator=(other);
    return *this;
}

CVLGrowString& CVLGrowString::operator=(const CVLString& other)
{
    CVLString::operator=(other);
    return *this;
}

CVLGrowString& CVLGrowString::operator=(const char* text)
{
    CVLString converted(text);
    CVLString::operator=(converted);
    return *this;
}

bool CVLGrowString::GrowTo(unsigned size, bool keepContents)
{
    if (m_Size >= size)
        return m_Data != nullptr;
    unsigned slack = m_GrowSlack;
    if (size > 0xFFFFFFFFu - slack)
        slack = 0xFFFFFFFFu - size;
    return CVLString::GrowTo(size + slack, keepContents);
}
