#include "AssocArray.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace
{
std::string Keys(const AssocArray& pairs)
{
    std::string out;
    for (unsigned i = 1; i <= pairs.GetCount(); ++i) {
        NamedPair* pair = nullptr;
        EXPECT_TRUE(pairs.GetNamedPairAtIndex(i, &pair));
        if (!out.empty())
            out += ',';
        out += pair->GetKey().GetBufferPtr();
        out += '=';
        out += pair->GetValue().GetBufferPtr();
    }
    return out;
}
}  // namespace

// The sorted and the unsorted list answer lookups alike; only the order differs.
class AssocArrayBoth : public ::testing::TestWithParam<unsigned char>
{
};

TEST_P(AssocArrayBoth, LookupsAndChanges)
{
    AssocArray pairs(GetParam());
    EXPECT_TRUE(pairs.NewPair("number", "12"));
    EXPECT_TRUE(pairs.NewPair("Name", "n1"));
    EXPECT_TRUE(pairs.NewPair("table", "dfct"));
    EXPECT_FALSE(pairs.NewPair("", "empty key"));
    EXPECT_EQ(pairs.GetCount(), 3u);

    CVLString value("untouched");
    EXPECT_TRUE(pairs.GetValue("number", value));
    EXPECT_STREQ(value.GetBufferPtr(), "12");
    value = "untouched";
    EXPECT_FALSE(pairs.GetValue("name", value));  // keys are case-sensitive
    EXPECT_STREQ(value.GetBufferPtr(), "untouched");
    EXPECT_EQ(&pairs.GetValue("absent"), &CVLString::kEmptyString);
    unsigned index = 0;
    EXPECT_TRUE(pairs.FindKey("name", &index, true));

    EXPECT_TRUE(pairs.SetValue("number", "13"));
    EXPECT_TRUE(pairs.SetValue("new", "v"));
    EXPECT_FALSE(pairs.SetValue("", "v"));
    EXPECT_STREQ(pairs.GetValue("number").GetBufferPtr(), "13");
    EXPECT_EQ(pairs.GetCount(), 4u);

    EXPECT_TRUE(pairs.DeletePair("Name"));
    EXPECT_FALSE(pairs.DeletePair("Name"));
    EXPECT_EQ(pairs.GetCount(), 3u);
    NamedPair* pair = reinterpret_cast<NamedPair*>(1);
    EXPECT_FALSE(pairs.GetNamedPairAtIndex(0, &pair));
    EXPECT_EQ(pair, nullptr);
    EXPECT_FALSE(pairs.GetNamedPairAtIndex(4, &pair));

    AssocArray copy(pairs);
    pairs.EmptyAndDeleteContents();
    EXPECT_EQ(copy.GetCount(), 3u);
    EXPECT_STREQ(copy.GetValue("table").GetBufferPtr(), "dfct");
}

INSTANTIATE_TEST_SUITE_P(SortedAndUnsorted, AssocArrayBoth, ::testing::Values(0, 1));

TEST(AssocArray, SortedKeepsByteOrderAndDuplicatesGoInFront)
{
    AssocArray pairs(1);
    pairs.NewPair("openpref", "1");
    pairs.NewPair("clientloc", "/Applications");
    pairs.NewPair("defaultclienttimeout", "2000");
    pairs.NewPair("Zeta", "upper case sorts first");
    EXPECT_EQ(Keys(pairs), "Zeta=upper case sorts first,clientloc=/Applications,defaultclienttimeout=2000,"
                           "openpref=1");
    pairs.NewPair("clientloc", "second");
    EXPECT_EQ(Keys(pairs).substr(0, 50), "Zeta=upper case sorts first,clientloc=second,clien");
    EXPECT_STREQ(pairs.GetValue("clientloc").GetBufferPtr(), "second");
}

TEST(AssocArray, UnsortedKeepsInsertionOrder)
{
    AssocArray pairs;
    pairs.NewPair("b", "1");
    pairs.NewPair("a", "2");
    pairs.NewPair("c", "3");
    EXPECT_EQ(Keys(pairs), "b=1,a=2,c=3");
}

TEST(AssocArray, ManySortedPairsFoundByBisection)
{
    AssocArray pairs(1);
    for (int i = 999; i >= 0; --i) {
        char key[16];
        std::snprintf(key, sizeof key, "k%04d", i);
        ASSERT_TRUE(pairs.NewPair(key, CVLString(i)));
    }
    for (int i = 0; i < 1000; i += 37) {
        char key[16];
        std::snprintf(key, sizeof key, "k%04d", i);
        EXPECT_EQ(pairs.GetValue(key).AtoI(), i);
    }
    NamedPair* first = nullptr;
    ASSERT_TRUE(pairs.GetNamedPairAtIndex(1, &first));
    EXPECT_STREQ(first->GetKey().GetBufferPtr(), "k0000");
}

TEST(AssocArray, MovePairsEmptiesTheSource)
{
    AssocArray source(1), target(1);
    source.NewPair("x", "1");
    source.NewPair("y", "2");
    target.NewPair("old", "gone");
    source.MovePairsTo(target);
    EXPECT_EQ(source.GetCount(), 0u);
    EXPECT_EQ(Keys(target), "x=1,y=2");
    AssocArray assigned;
    assigned = target;
    EXPECT_EQ(Keys(assigned), "x=1,y=2");
}

TEST(AssocArray, RepeatedKeyInUnsortedListGoesInFront)
{
    AssocArray pairs;
    pairs.NewPair("a", "old");
    pairs.NewPair("b", "1");
    pairs.NewPair("a", "new");
    EXPECT_EQ(Keys(pairs), "a=new,a=old,b=1");
    EXPECT_STREQ(pairs.GetValue("a").GetBufferPtr(), "new");
}
