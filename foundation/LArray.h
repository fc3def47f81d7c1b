#pragma once

#include <cstddef>

// Orders two items of an LArray: negative, 0 or positive. The array does not own it.
class LComparator
{
public:
    virtual ~LComparator() = default;
    virtual int Compare(const void* item1, const void* item2, unsigned itemSize) const = 0;
};

// Compares a search key with an item (negative: key before item). context is passed through.
typedef int (*LArrayKeyCompare)(const void* key, const void* item, void* context);

// General array of fixed-size items copied in by value. Indexes are 1-based; 0 is never an item.
// With a comparator and keep-sorted on, insertion ignores the index and keeps the order
// (an equal item goes in front of the existing ones); searches then use bisection.
// The array does not interpret its items: owning subclasses delete what items point to.
// Growth throws std::bad_alloc; the array is unchanged then.
class LArray
{
public:
    static const unsigned kAppendIndex = 0x7FFFFFFFu;  // any index past the end appends too

    explicit LArray(unsigned itemSize, const LComparator* comparator = nullptr, bool keepSorted = false);
    // Copies the item bytes (a shallow copy for arrays of pointers).
    LArray(const LArray& other);
    LArray& operator=(const LArray& other);
    virtual ~LArray();

    unsigned GetCount() const { return m_Count; }
    unsigned GetItemSize() const { return m_ItemSize; }
    bool IsEmpty() const { return m_Count == 0; }
    bool IsValidIndex(unsigned index) const { return index >= 1 && index <= m_Count; }

    void SetComparator(const LComparator* comparator) { m_pComparator = comparator; }
    const LComparator* GetComparator() const { return m_pComparator; }
    // Turning keep-sorted on sorts the items (when there is a comparator).
    void SetKeepSorted(bool keepSorted);
    bool GetKeepSorted() const { return m_KeepSorted; }

    // Copies the item at index into out (GetItemSize() bytes). False when out of range.
    bool GetItem(unsigned index, void* out) const;
    // Pointer to the item at index, null when out of range; invalid after the next insert or removal.
    const void* GetItemPtr(unsigned index) const;
    void* GetItemPtr(unsigned index);
    // Overwrites the item at index. False when out of range. Does not re-sort.
    bool SetItem(unsigned index, const void* item);

    // Inserts a copy of item before index (past the end appends), or at its sorted place when
    // keep-sorted. Returns the index it got.
    unsigned InsertItem(const void* item, unsigned index = kAppendIndex);
    unsigned AppendItem(const void* item) { return InsertItem(item, kAppendIndex); }
    bool RemoveItem(unsigned index);
    bool RemoveItems(unsigned index, unsigned count);
    // Removes every item; capacity is released.
    void RemoveAll();
    // Reserves room for count items.
    void Reserve(unsigned count);

    // Finds item by the comparator: bisection when sorted, else linear. index gets the found
    // index (first of equal items), or for a sorted array the place it would be inserted.
    bool FindItem(const void* item, unsigned* index) const;
    // Bisection with a key comparator; only meaningful when sorted by a compatible order.
    // index gets the first matching index, or the insertion place when not found.
    bool BisectSearch(const void* key, LArrayKeyCompare compare, void* context, unsigned* index) const;
    // Linear search with a key comparator from index start; index gets the first match.
    bool LinearSearch(const void* key, LArrayKeyCompare compare, void* context, unsigned* index,
                      unsigned start = 1) const;

    // Stable sort by the comparator (or by the given one); descending reverses the order.
    void Sort(bool descending = false);
    void Sort(const LComparator& comparator, bool descending = false);
    // Exchanges the contents of two arrays of the same item size.
    void SwapContents(LArray& other);

protected:
    char* ItemAt(unsigned index) const { return m_pItems + static_cast<size_t>(index - 1) * m_ItemSize; }
    int CompareItems(const void* a, const void* b) const;

    unsigned m_ItemSize;
    unsigned m_Count = 0;
    unsigned m_Capacity = 0;
    char* m_pItems = nullptr;
    const LComparator* m_pComparator;
    bool m_KeepSorted;
};
