#pragma once

#include "CVLString.h"

#include <vector>

class CVLReqBuffer;

// A list of (value, text) entries with a selected index, as connect responses carry it.
// Wire form: entry count (unsigned 32-bit), selected index (unsigned 32-bit), then for each
// entry its value (unsigned 32-bit) and its text.
class CVLDropDownList
{
public:
    struct Entry
    {
        unsigned value = 0;
        CVLString text;
    };

    CVLDropDownList();
    ~CVLDropDownList();

    void Clear();
    void AddEntry(unsigned value, const CVLString& text);
    unsigned GetCount() const { return static_cast<unsigned>(m_Entries.size()); }
    // 1-based; null when out of range.
    const Entry* GetEntryAt(unsigned index) const;
    unsigned GetSelectedIndex() const { return m_SelectedIndex; }
    void SetSelectedIndex(unsigned index) { m_SelectedIndex = index; }

    bool WriteToReqBuffer(CVLReqBuffer& buffer) const;
    // An entry count that cannot fit in the remaining bytes reads as an empty list.
    void ReadFromReqBuffer(CVLReqBuffer& buffer);

private:
    std::vector<Entry> m_Entries;
    unsigned m_SelectedIndex = 0;
};
