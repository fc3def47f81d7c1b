#include "CVLStringListList.h"

#include <memory>

namespace
{
CVLStringList* ListAt(const LArray& array, unsigned index)
{
    const void* slot = array.GetItemPtr(index);
    return slot ? *static_cast<CVLStringList* const*>(slot) : nullptr;
}
}  // namespace

CVLStringListList::CVLStringListList() : LArray(sizeof(CVLStringList*))
{
}

CVLStringListList::CVLStringListList(const CVLStringListList& other) : LArray(sizeof(CVLStringList*))
{
    for (unsigned i = 1; i <= other.GetCount(); ++i)
        AddStringListToList(*ListAt(other, i));
}

CVLStringListList& CVLStringListList::operator=(const CVLStringListList& other)
{
    if (&other != this)
        other.Clone(*this);
    return *this;
}

CVLStringListList::~CVLStringListList()
{
    EmptyListAndDeleteContents();
}

bool CVLStringListList::AddStringListToList(CVLStringList* list, unsigned index)
{
    if (!list)
        return false;
    std::unique_ptr<CVLStringList> owned(list);
    if (index == 0 || index > GetCount())
        index = kAppendIndex;
    InsertItem(&list, index);
    owned.release();
    return true;
}

bool CVLStringListList::AddStringListToList(const CVLStringList& list, unsigned index)
{
    return AddStringListToList(new CVLStringList(list), index);
}

const CVLStringList* CVLStringListList::GetStringListAt(unsigned index) const
{
    return ListAt(*this, index);
}

CVLStringList* CVLStringListList::GetNonConstStringListAt(unsigned index)
{
    return ListAt(*this, index);
}

bool CVLStringListList::DeleteStringListAt(unsigned index)
{
    CVLStringList* list = ListAt(*this, index);
    if (!list)
        return false;
    RemoveItem(index);
    delete list;
    return true;
}

void CVLStringListList::EmptyListAndDeleteContents()
{
    for (unsigned i = 1; i <= GetCount(); ++i)
        delete ListAt(*this, i);
    RemoveAll();
}

void CVLStringListList::Clone(CVLStringListList& target) const
{
    if (&target == this)
        return;
    CVLStringListList copy(*this);
    target.EmptyListAndDeleteContents();
    target.SwapContents(copy);
}
