#include "CVLDropDownList.h"

#include "CVLReqBuffer.h"

namespace {
// An entry is at least its value and its text's count.
const unsigned kMinEntryWidth = 8;
}

CVLDropDownList::CVLDropDownList() = default;

CVLDropDownList::~CVLDropDownList() = default;

void CVLDropDownList::Clear()
{
    m_Entries.clear();
    m_SelectedIndex = 0;
}

void CVLDropDownList::AddEntry(unsigned value, const CVLString& text)
{
    Entry entry;
    entry.value = value;
    entry.text = text;
    m_Entries.push_back(entry);
}

const CVLDropDownList::Entry* CVLDropDownList::GetEntryAt(unsigned index) const
{
    if (index < 1 || index > m_Entries.size())
        return nullptr;
    return &m_Entries[index - 1];
}

bool CVLDropDownList::WriteToReqBuffer(CVLReqBuffer& buffer) const
{
    buffer += GetCount();
    buffer += m_SelectedIndex;
    for (const Entry& entry : m_Entries) {
        buffer += entry.value;
        buffer += entry.text;
    }
    return true;
}

void CVLDropDownList::ReadFromReqBuffer(CVLReqBuffer& buffer)
{
    Clear();
    unsigned count = 0;
    buffer.GetDetail(count);
    buffer.GetDetail(m_SelectedIndex);
    if (count > buffer.GetRemainingLength() / kMinEntryWidth)
        return;
    m_Entries.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        Entry entry;
        buffer.GetDetail(entry.value);
        buffer.GetDetail(entry.text);
        m_Entries.push_back(entry);
    }
}
