#pragma once

#include "CVLStringList.h"

// Owning list of heap CVLStringList objects, 1-based. The list deletes its lists.
class CVLStringListList : public LArray
{
public:
    CVLStringListList();
    CVLStringListList(const CVLStringListList& other);
    CVLStringListList& operator=(const CVLStringListList& other);
    ~CVLStringListList() override;

    // Takes ownership of list (false and nothing taken for null).
    bool AddStringListToList(CVLStringList* list, unsigned index = kAppendIndex);
    // Adds a copy of list.
    bool AddStringListToList(const CVLStringList& list, unsigned index = kAppendIndex);
    // Null when out of range; the list stays owned by this list.
    const CVLStringList* GetStringListAt(unsigned index) const;
    CVLStringList* GetNonConstStringListAt(unsigned index);
    bool DeleteStringListAt(unsigned index);
    void EmptyListAndDeleteContents();
    void Clone(CVLStringListList& target) const;
};
