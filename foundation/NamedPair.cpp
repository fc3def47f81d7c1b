#include "NamedPair.h"

NamedPair::NamedPair(const CVLString& key, const CVLString& value) : m_Key(key), m_Value(value)
{
}
