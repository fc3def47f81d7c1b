#include "CMVDateTime.h"

CMVDateTime CMVDateTime::FromSecondsSince1970(double secondsSince1970)
{
    CMVDateTime result;
    result.SetSecondsSince1970(secondsSince1970);
    return result;
}

void CMVDateTime::Clear()
{
    m_seconds = 0.0;
    m_isSet = false;
}

void CMVDateTime::SetSeconds(double secondsSince0000)
{
    m_seconds = secondsSince0000;
    m_isSet = true;
}

void CMVDateTime::SetSecondsSince1970(double secondsSince1970)
{
    SetSeconds(secondsSince1970 + kSecondsFrom0000To1970);
}

bool CMVDateTime::operator==(const CMVDateTime& other) const
{
    if (m_isSet != other.m_isSet)
        return false;
    return !m_isSet || m_seconds == other.m_seconds;
}
