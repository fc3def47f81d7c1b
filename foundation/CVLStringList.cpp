#include "CVLStringList.h"

#include <QString>

#include <cstring>
#include <memory>

namespace
{
CVLString* StringAt(const LArray& array, unsigned index)
{
    const void* slot = array.GetItemPtr(index);
    return slot ? *static_cast<CVLString* const*>(slot) : nullptr;
}

class ByteOrder : public LComparator
{
public:
    int Compare(const void* item1, const void* item2, unsigned) const override
    {
        const CVLString* a = *static_cast<CVLString* const*>(item1);
        const CVLString* b = *static_cast<CVLString* const*>(item2);
        return a->Compare(*b, false);
    }
};
}  // namespace

CVLStringList::CVLStringList() : LArray(sizeof(CVLString*))
{
}

CVLStringList::CVLStringList(const CVLStringList& other) : LArray(sizeof(CVLString*))
{
    AddStringListToList(other);
}

CVLStringList& CVLStringList::operator=(const CVLStringList& other)
{
    if (&other != this)
        other.Clone(*this);
    return *this;
}

CVLStringList::~CVLStringList()
{
    EmptyListAndDeleteContents();
}

bool CVLStringList::AddStringToList(const char* text, unsigned index)
{
    return AddStringToList(new CVLString(text), index);
}

bool CVLStringList::AddStringToList(const unsigned char* utf8, unsigned index)
{
    std::unique_ptr<CVLString> s(new CVLString);
    s->SetFromUTF8(utf8);
    return AddStringToList(s.release(), index);
}

bool CVLStringList::AddStringToList(const CVLString& text, unsigned index)
{
    return AddStringToList(new CVLString(text), index);
}

bool CVLStringList::AddStringToList(const QString& text, unsigned index)
{
    return AddStringToList(new CVLString(text), index);
}

bool CVLStringList::AddStringToList(CVLString* text, unsigned index)
{
    if (!text)
        return false;
    std::unique_ptr<CVLString> owned(text);
    if (index == 0 || index > GetCount())
        index = kAppendIndex;
    InsertItem(&text, index);
    owned.release();
    return true;
}

bool CVLStringList::AddStringListToList(const CVLStringList& other)
{
    if (&other == this) {
        CVLStringList copy(other);
        return AddStringListToList(copy);
    }
    Reserve(GetCount() + other.GetCount());
    for (unsigned i = 1; i <= other.GetCount(); ++i)
        AddStringToList(*StringAt(other, i));
    return true;
}

const CVLString* CVLStringList::GetStringAt(unsigned index) const
{
    return StringAt(*this, index);
}

CVLString* CVLStringList::GetNonConstStringAt(unsigned index)
{
    return StringAt(*this, index);
}

CVLString CVLStringList::GetStringCopyAt(unsigned index) const
{
    const CVLString* s = StringAt(*this, index);
    return s ? *s : CVLString();
}

bool CVLStringList::IsStringInList(const CVLString& text, bool ignoreCase, unsigned* index) const
{
    for (unsigned i = 1; i <= GetCount(); ++i) {
        if (StringAt(*this, i)->Compare(text, ignoreCase) == 0) {
            if (index)
                *index = i;
            return true;
        }
    }
    return false;
}

bool CVLStringList::DeleteString(const CVLString& text, bool ignoreCase)
{
    unsigned index = 0;
    return IsStringInList(text, ignoreCase, &index) && DeleteStringAt(index);
}

bool CVLStringList::DeleteStringAt(unsigned index)
{
    CVLString* s = StringAt(*this, index);
    if (!s)
        return false;
    RemoveItem(index);
    delete s;
    return true;
}

void CVLStringList::EmptyListAndDeleteContents()
{
    for (unsigned i = 1; i <= GetCount(); ++i)
        delete StringAt(*this, i);
    RemoveAll();
}

void CVLStringList::Clone(CVLStringList& target) const
{
    if (&target == this)
        return;
    CVLStringList copy(*this);
    target.EmptyListAndDeleteContents();
    target.SwapContents(copy);
}

void CVLStringList::MakeStringFromElements(CVLString& out, const char* separator) const
{
    CVLString sep(separator ? separator : "");
    CVLString joined;
    for (unsigned i = 1; i <= GetCount(); ++i) {
        if (i > 1)
            joined += sep;
        joined += *StringAt(*this, i);
    }
    out.StealCVLStringFromCVLString(joined);
}

void CVLStringList::MakeCommaStringFromElements(CVLString& out) const
{
    MakeStringFromElements(out, ", ");
}

unsigned CVLStringList::FillListFromDelimetedString(const CVLString& text, const char* delimiters)
{
    CVLString source(text);  // text may be one of our own strings
    EmptyListAndDeleteContents();
    const char* p = source.GetBufferPtr();
    const unsigned n = source.GetLength();
    unsigned added = 0, from = 0;
    for (unsigned i = 0; i <= n; ++i) {
        bool cut = i == n || (delimiters && *delimiters && std::strchr(delimiters, p[i]));
        if (!cut)
            continue;
        if (i > from) {
            AddStringToList(new CVLString(CVLString::UTF8, p + from, i - from));
            ++added;
        }
        from = i + 1;
    }
    return added;
}

void CVLStringList::SortAscending()
{
    Sort(ByteOrder(), false);
}

void CVLStringList::SortDescending()
{
    Sort(ByteOrder(), true);
}
