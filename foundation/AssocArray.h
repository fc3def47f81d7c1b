#pragma once

#include "LArray.h"
#include "NamedPair.h"

// Key/value list of heap NamedPair objects, which it owns and deletes. Keys compare
// case-sensitively (byte order); constructed with 1 it keeps the pairs sorted by key and
// searches by bisection, else it keeps insertion order and searches linearly.
class AssocArray : public LArray
{
public:
    explicit AssocArray(unsigned char keepSorted = 0);
    // Deep copy.
    AssocArray(const AssocArray& other);
    AssocArray& operator=(const AssocArray& other);
    ~AssocArray() override;

    // Adds a pair; false (nothing added) for an empty key. A key already present is added
    // again, in front of the existing one.
    bool NewPair(const CVLString& key, const CVLString& value);
    // Takes ownership of pair (deleted at once when its key is empty; false then).
    bool AddPair(NamedPair* pair);
    // Replaces the value of the first pair with the key, or adds a pair. False for an empty key.
    bool SetValue(const CVLString& key, const CVLString& value);
    // False (out unchanged) when the key is absent.
    bool GetValue(const CVLString& key, CVLString& out) const;
    // The value, or CVLString::kEmptyString when the key is absent.
    const CVLString& GetValue(const CVLString& key) const;
    bool HasKey(const CVLString& key) const { return FindKey(key, nullptr); }
    // index gets the first pair with the key (1-based).
    bool FindKey(const CVLString& key, unsigned* index, bool ignoreCase = false) const;
    // Removes (and deletes) the first pair with the key. False when absent.
    bool DeletePair(const CVLString& key);
    bool DeletePairAtIndex(unsigned index);
    // 1-based; pair gets null and false when out of range. The pair stays owned by the list.
    bool GetNamedPairAtIndex(unsigned index, NamedPair** pair) const;
    const NamedPair* GetPairAt(unsigned index) const;
    unsigned GetPairCount() const { return GetCount(); }
    bool IsSorted() const { return GetKeepSorted(); }
    void EmptyAndDeleteContents();
    // Moves every pair into target (whose own pairs are deleted first); this list is left empty.
    void MovePairsTo(AssocArray& target);

private:
    void CopyPairsFrom(const AssocArray& other);
};
