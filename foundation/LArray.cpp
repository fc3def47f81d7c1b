#include "LArray.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

LArray::LArray(unsigned itemSize, const LComparator* comparator, bool keepSorted)
    : m_ItemSize(itemSize ? itemSize : 1), m_pComparator(comparator), m_KeepSorted(keepSorted)
{
}

LArray::LArray(const LArray& other)
    : m_ItemSize(other.m_ItemSize), m_pComparator(other.m_pComparator), m_KeepSorted(other.m_KeepSorted)
{
    Reserve(other.m_Count);
    if (other.m_Count)
        std::memcpy(m_pItems, other.m_pItems, static_cast<size_t>(other.m_Count) * m_ItemSize);
    m_Count = other.m_Count;
}

LArray& LArray::operator=(const LArray& other)
{
    if (&other != this) {
        LArray copy(other);
        SwapContents(copy);
        m_pComparator = other.m_pComparator;
        m_KeepSorted = other.m_KeepSorted;
    }
    return *this;
}

LArray::~LArray()
{
    std::free(m_pItems);
}

void LArray::SetKeepSorted(bool keepSorted)
{
    m_KeepSorted = keepSorted;
    if (keepSorted && m_pComparator)
        Sort(false);
}

bool LArray::GetItem(unsigned index, void* out) const
{
    if (!IsValidIndex(index) || !out)
        return false;
    std::memcpy(out, ItemAt(index), m_ItemSize);
    return true;
}

const void* LArray::GetItemPtr(unsigned index) const
{
    return IsValidIndex(index) ? ItemAt(index) : nullptr;
}

void* LArray::GetItemPtr(unsigned index)
{
    return IsValidIndex(index) ? ItemAt(index) : nullptr;
}

bool LArray::SetItem(unsigned index, const void* item)
{
    if (!IsValidIndex(index) || !item)
        return false;
    std::memmove(ItemAt(index), item, m_ItemSize);
    return true;
}

void LArray::Reserve(unsigned count)
{
    if (count <= m_Capacity)
        return;
    size_t bytes = static_cast<size_t>(count) * m_ItemSize;
    if (count > 0x7FFFFFFFu || bytes / m_ItemSize != count)
        throw std::bad_alloc();
    void* block = std::realloc(m_pItems, bytes);
    if (!block)
        throw std::bad_alloc();
    m_pItems = static_cast<char*>(block);
    m_Capacity = count;
}

unsigned LArray::InsertItem(const void* item, unsigned index)
{
    if (!item)
        return 0;
    if (m_KeepSorted && m_pComparator) {
        unsigned at = 1;
        FindItem(item, &at);
        index = at;
    }
    if (index < 1 || index > m_Count)
        index = index < 1 ? 1 : m_Count + 1;
    // item may live inside our block: copy it before the block moves.
    std::vector<char> saved(static_cast<const char*>(item), static_cast<const char*>(item) + m_ItemSize);
    if (m_Count == m_Capacity) {
        if (m_Count >= 0x7FFFFFFEu)
            throw std::bad_alloc();
        unsigned grow = m_Capacity < 8 ? 8 : m_Capacity / 2;
        Reserve(m_Capacity + std::min(grow, 0x7FFFFFFEu - m_Capacity));
    }
    char* slot = ItemAt(index);
    std::memmove(slot + m_ItemSize, slot, static_cast<size_t>(m_Count - index + 1) * m_ItemSize);
    std::memcpy(slot, saved.data(), m_ItemSize);
    ++m_Count;
    return index;
}

bool LArray::RemoveItem(unsigned index)
{
    return RemoveItems(index, 1);
}

bool LArray::RemoveItems(unsigned index, unsigned count)
{
    if (!IsValidIndex(index) || count == 0)
        return false;
    if (count > m_Count - index + 1)
        count = m_Count - index + 1;
    char* slot = ItemAt(index);
    size_t tail = static_cast<size_t>(m_Count - index + 1 - count) * m_ItemSize;
    std::memmove(slot, slot + static_cast<size_t>(count) * m_ItemSize, tail);
    m_Count -= count;
    return true;
}

void LArray::RemoveAll()
{
    std::free(m_pItems);
    m_pItems = nullptr;
    m_Count = 0;
    m_Capacity = 0;
}

int LArray::CompareItems(const void* a, const void* b) const
{
    return m_pComparator ? m_pComparator->Compare(a, b, m_ItemSize) : std::memcmp(a, b, m_ItemSize);
}

bool LArray::FindItem(const void* item, unsigned* index) const
{
    if (!item)
        return false;
    if (m_KeepSorted) {
        // Lower bound: the first item not before item.
        unsigned lo = 1, hi = m_Count + 1;
        while (lo < hi) {
            unsigned mid = lo + (hi - lo) / 2;
            if (CompareItems(ItemAt(mid), item) < 0)
                lo = mid + 1;
            else
                hi = mid;
        }
        bool found = lo <= m_Count && CompareItems(ItemAt(lo), item) == 0;
        if (index)
            *index = lo;
        return found;
    }
    for (unsigned i = 1; i <= m_Count; ++i) {
        if (CompareItems(ItemAt(i), item) == 0) {
            if (index)
                *index = i;
            return true;
        }
    }
    if (index)
        *index = m_Count + 1;
    return false;
}

bool LArray::BisectSearch(const void* key, LArrayKeyCompare compare, void* context, unsigned* index) const
{
    if (!compare)
        return false;
    unsigned lo = 1, hi = m_Count + 1;
    while (lo < hi) {
        unsigned mid = lo + (hi - lo) / 2;
        if (compare(key, ItemAt(mid), context) > 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    bool found = lo <= m_Count && compare(key, ItemAt(lo), context) == 0;
    if (index)
        *index = lo;
    return found;
}

bool LArray::LinearSearch(const void* key, LArrayKeyCompare compare, void* context, unsigned* index,
                          unsigned start) const
{
    if (!compare)
        return false;
    for (unsigned i = start < 1 ? 1 : start; i <= m_Count; ++i) {
        if (compare(key, ItemAt(i), context) == 0) {
            if (index)
                *index = i;
            return true;
        }
    }
    return false;
}

void LArray::Sort(bool descending)
{
    if (m_pComparator) {
        Sort(*m_pComparator, descending);
        return;
    }
    struct Bytes : LComparator {
        int Compare(const void* a, const void* b, unsigned size) const override { return std::memcmp(a, b, size); }
    } bytes;
    Sort(bytes, descending);
}

void LArray::Sort(const LComparator& comparator, bool descending)
{
    if (m_Count < 2)
        return;
    std::vector<unsigned> order(m_Count);
    for (unsigned i = 0; i < m_Count; ++i)
        order[i] = i + 1;
    std::stable_sort(order.begin(), order.end(), [&](unsigned a, unsigned b) {
        int c = comparator.Compare(ItemAt(a), ItemAt(b), m_ItemSize);
        return descending ? c > 0 : c < 0;
    });
    std::vector<char> sorted(static_cast<size_t>(m_Count) * m_ItemSize);
    for (unsigned i = 0; i < m_Count; ++i)
        std::memcpy(&sorted[static_cast<size_t>(i) * m_ItemSize], ItemAt(order[i]), m_ItemSize);
    std::memcpy(m_pItems, sorted.data(), sorted.size());
}

void LArray::SwapContents(LArray& other)
{
    if (other.m_ItemSize != m_ItemSize)
        return;
    std::swap(m_Count, other.m_Count);
    std::swap(m_Capacity, other.m_Capacity);
    std::swap(m_pItems, other.m_pItems);
}
