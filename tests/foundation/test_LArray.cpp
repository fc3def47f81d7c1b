#include "LArray.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
class IntOrder : public LComparator
{
public:
    int Compare(const void* a, const void* b, unsigned) const override
    {
        int x = *static_cast<const int*>(a), y = *static_cast<const int*>(b);
        return x < y ? -1 : x > y ? 1 : 0;
    }
};

// Orders by the low byte only, so that items can be equal yet distinguishable.
class LowByteOrder : public LComparator
{
public:
    int Compare(const void* a, const void* b, unsigned) const override
    {
        return (*static_cast<const int*>(a) & 0xFF) - (*static_cast<const int*>(b) & 0xFF);
    }
};

std::vector<int> Items(const LArray& array)
{
    std::vector<int> out;
    for (unsigned i = 1; i <= array.GetCount(); ++i)
        out.push_back(*static_cast<const int*>(array.GetItemPtr(i)));
    return out;
}
}  // namespace

TEST(LArray, OneBasedInsertAndRemove)
{
    LArray array(sizeof(int));
    for (int v : {10, 30})
        array.AppendItem(&v);
    int v = 20;
    EXPECT_EQ(array.InsertItem(&v, 2), 2u);
    v = 5;
    EXPECT_EQ(array.InsertItem(&v, 0), 1u);  // index 0 goes in front
    v = 40;
    EXPECT_EQ(array.InsertItem(&v, 1000), 5u);  // past the end appends
    EXPECT_EQ(Items(array), (std::vector<int>{5, 10, 20, 30, 40}));
    int out = 0;
    EXPECT_FALSE(array.GetItem(0, &out));
    EXPECT_FALSE(array.GetItem(6, &out));
    EXPECT_EQ(array.GetItemPtr(0xFFFFFFFFu), nullptr);
    EXPECT_TRUE(array.GetItem(5, &out));
    EXPECT_EQ(out, 40);
    EXPECT_TRUE(array.RemoveItem(1));
    EXPECT_FALSE(array.RemoveItem(5));
    EXPECT_TRUE(array.RemoveItems(2, 0xFFFFFFFFu));  // huge count is clamped
    EXPECT_EQ(Items(array), (std::vector<int>{10}));
}

TEST(LArray, GrowsAcrossManyInserts)
{
    LArray array(sizeof(int));
    for (int i = 0; i < 1000; ++i)
        array.InsertItem(&i, 1);
    ASSERT_EQ(array.GetCount(), 1000u);
    EXPECT_EQ(*static_cast<const int*>(array.GetItemPtr(1)), 999);
    EXPECT_EQ(*static_cast<const int*>(array.GetItemPtr(1000)), 0);
    // Inserting one of its own items while the block moves.
    LArray small(sizeof(int));
    int seven = 7;
    for (int i = 0; i < 8; ++i)
        small.AppendItem(&seven);
    small.InsertItem(small.GetItemPtr(8), 1);
    EXPECT_EQ(small.GetCount(), 9u);
    EXPECT_EQ(*static_cast<const int*>(small.GetItemPtr(1)), 7);
}

TEST(LArray, KeepSortedInsertsEqualItemsInFront)
{
    LowByteOrder order;
    LArray array(sizeof(int), &order, true);
    for (int v : {0x103, 0x101, 0x102, 0x201, 0x301})
        array.InsertItem(&v, 1);
    // Equal low bytes: the newest goes in front of the existing ones.
    EXPECT_EQ(Items(array), (std::vector<int>{0x301, 0x201, 0x101, 0x102, 0x103}));
    unsigned index = 0;
    int key = 0x002;
    EXPECT_TRUE(array.FindItem(&key, &index));
    EXPECT_EQ(index, 4u);
    key = 0x001;
    EXPECT_TRUE(array.FindItem(&key, &index));
    EXPECT_EQ(index, 1u);  // the first of the equal items
    key = 0x004;
    EXPECT_FALSE(array.FindItem(&key, &index));
    EXPECT_EQ(index, 6u);  // where it would go
}

TEST(LArray, SortAndUnsortedSearch)
{
    IntOrder order;
    LArray array(sizeof(int), &order);
    for (int v : {3, 1, 2, 1})
        array.AppendItem(&v);
    unsigned index = 0;
    int key = 2;
    EXPECT_TRUE(array.FindItem(&key, &index));
    EXPECT_EQ(index, 3u);
    array.Sort();
    EXPECT_EQ(Items(array), (std::vector<int>{1, 1, 2, 3}));
    array.Sort(true);
    EXPECT_EQ(Items(array), (std::vector<int>{3, 2, 1, 1}));
    array.SetKeepSorted(true);
    EXPECT_EQ(Items(array), (std::vector<int>{1, 1, 2, 3}));
    LArray copy(array);
    copy.RemoveAll();
    EXPECT_EQ(array.GetCount(), 4u);
    EXPECT_TRUE(copy.IsEmpty());
}
