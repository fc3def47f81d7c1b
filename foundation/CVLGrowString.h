#pragma once

#include "CVLString.h"

// A CVLString for text built by many appends: the block grows in steps of 512 spare bytes.
class CVLGrowString : public CVLString
{
public:
    static const unsigned kGrowSlack = 512;

    CVLGrowString();
    CVLGrowString(const char* text);
    CVLGrowString(const CVLString& text);
    CVLGrowString(const CVLGrowString& other);
    ~CVLGrowString() override;

    CVLGrowString& operator=(const CVLGrowString& other);
    CVLGrowString& operator=(const CVLString& other);
    CVLGrowString& operator=(const char* text);

    // Nothing when the block already has size bytes; else grows to size + the slack.
    bool GrowTo(unsigned size, bool keepContents) override;

protected:
    unsigned m_GrowSlack = kGrowSlack;
};
