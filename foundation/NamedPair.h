#pragma once

#include "CVLString.h"

// A key and its value, both text.
class NamedPair
{
public:
    NamedPair() = default;
    NamedPair(const CVLString& key, const CVLString& value);

    const CVLString& GetKey() const { return m_Key; }
    const CVLString& GetValue() const { return m_Value; }
    CVLString& GetNonConstValue() { return m_Value; }
    void SetKey(const CVLString& key) { m_Key = key; }
    void SetValue(const CVLString& value) { m_Value = value; }

    CVLString m_Key;
    CVLString m_Value;
};
