#include "AssocArray.h"

#include <memory>

namespace
{
// Items are NamedPair pointers; pairs order by key, byte for byte.
class PairComparator : public LComparator
{
public:
    int Compare(const void* item1, const void* item2, unsigned) const override
    {
        const NamedPair* a = *static_cast<NamedPair* const*>(item1);
        const NamedPair* b = *static_cast<NamedPair* const*>(item2);
        return a->m_Key.Compare(b->m_Key, false);
    }
};
const PairComparator kPairComparator;

struct KeySearch {
    const CVLString* key;
    bool ignoreCase;
};

int CompareKeyWithPair(const void* key, const void* item, void* context)
{
    const KeySearch* search = static_cast<const KeySearch*>(key);
    (void)context;
    const NamedPair* pair = *static_cast<NamedPair* const*>(item);
    // Reversed operands of the pair's Compare: negative means the key sorts first.
    return -pair->m_Key.Compare(*search->key, search->ignoreCase);
}

NamedPair* PairAt(const LArray& array, unsigned index)
{
    const void* slot = array.GetItemPtr(index);
    return slot ? *static_cast<NamedPair* const*>(slot) : nullptr;
}
}  // namespace

AssocArray::AssocArray(unsigned char keepSorted) : LArray(sizeof(NamedPair*), &kPairComparator, keepSorted != 0)
{
}

AssocArray::AssocArray(const AssocArray& other) : LArray(sizeof(NamedPair*), &kPairComparator, other.IsSorted())
{
    CopyPairsFrom(other);
}

AssocArray& AssocArray::operator=(const AssocArray& other)
{
    if (&other != this) {
        AssocArray copy(other);
        EmptyAndDeleteContents();
        SetKeepSorted(false);
        copy.MovePairsTo(*this);
        m_KeepSorted = other.IsSorted();
    }
    return *this;
}

AssocArray::~AssocArray()
{
    EmptyAndDeleteContents();
}

void AssocArray::CopyPairsFrom(const AssocArray& other)
{
    Reserve(other.GetCount());
    for (unsigned i = 1; i <= other.GetCount(); ++i) {
        std::unique_ptr<NamedPair> pair(new NamedPair(*PairAt(other, i)));
        NamedPair* raw = pair.get();
        // Copy in the same order (already sorted when the source is).
        bool sorted = m_KeepSorted;
        m_KeepSorted = false;
        InsertItem(&raw, kAppendIndex);
        m_KeepSorted = sorted;
        pair.release();
    }
}

bool AssocArray::NewPair(const CVLString& key, const CVLString& value)
{
    if (key.GetLength() == 0)
        return false;
    std::unique_ptr<NamedPair> pair(new NamedPair(key, value));
    return AddPair(pair.release());
}

bool AssocArray::AddPair(NamedPair* pair)
{
    if (!pair)
        return false;
    std::unique_ptr<NamedPair> owned(pair);
    if (pair->m_Key.GetLength() == 0)
        return false;
    // A repeated key goes in front of the existing one, so lookups find the newest pair.
    unsigned index = kAppendIndex;
    KeySearch search{&pair->m_Key, false};
    if (m_KeepSorted)
        BisectSearch(&search, CompareKeyWithPair, nullptr, &index);
    else
        LinearSearch(&search, CompareKeyWithPair, nullptr, &index);
    NamedPair* raw = pair;
    bool sorted = m_KeepSorted;
    m_KeepSorted = false;  // the place is already chosen
    try {
        InsertItem(&raw, index);
    } catch (...) {
        m_KeepSorted = sorted;
        throw;
    }
    m_KeepSorted = sorted;
    owned.release();
    return true;
}

bool AssocArray::SetValue(const CVLString& key, const CVLString& value)
{
    if (key.GetLength() == 0)
        return false;
    unsigned index = 0;
    if (FindKey(key, &index)) {
        PairAt(*this, index)->m_Value = value;
        return true;
    }
    return NewPair(key, value);
}

bool AssocArray::FindKey(const CVLString& key, unsigned* index, bool ignoreCase) const
{
    KeySearch search{&key, ignoreCase};
    unsigned at = 0;
    bool found = (m_KeepSorted && !ignoreCase) ? BisectSearch(&search, CompareKeyWithPair, nullptr, &at)
                                               : LinearSearch(&search, CompareKeyWithPair, nullptr, &at);
    if (found && index)
        *index = at;
    return found;
}

bool AssocArray::GetValue(const CVLString& key, CVLString& out) const
{
    unsigned index = 0;
    if (!FindKey(key, &index))
        return false;
    out = PairAt(*this, index)->m_Value;
    return true;
}

const CVLString& AssocArray::GetValue(const CVLString& key) const
{
    unsigned index = 0;
    if (!FindKey(key, &index))
        return CVLString::kEmptyString;
    return PairAt(*this, index)->m_Value;
}

bool AssocArray::DeletePair(const CVLString& key)
{
    unsigned index = 0;
    return FindKey(key, &index) && DeletePairAtIndex(index);
}

bool AssocArray::DeletePairAtIndex(unsigned index)
{
    NamedPair* pair = PairAt(*this, index);
    if (!pair)
        return false;
    RemoveItem(index);
    delete pair;
    return true;
}

bool AssocArray::GetNamedPairAtIndex(unsigned index, NamedPair** pair) const
{
    NamedPair* found = PairAt(*this, index);
    if (pair)
        *pair = found;
    return found != nullptr;
}

const NamedPair* AssocArray::GetPairAt(unsigned index) const
{
    return PairAt(*this, index);
}

void AssocArray::EmptyAndDeleteContents()
{
    for (unsigned i = 1; i <= GetCount(); ++i)
        delete PairAt(*this, i);
    RemoveAll();
}

void AssocArray::MovePairsTo(AssocArray& target)
{
    if (&target == this)
        return;
    target.EmptyAndDeleteContents();
    bool targetSorted = target.m_KeepSorted;
    SwapContents(target);
    target.m_KeepSorted = false;
    if (targetSorted)
        target.SetKeepSorted(true);  // sorts when the source kept another order
}
