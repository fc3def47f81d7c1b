#include "CVLStringList.h"
#include "CVLStringListList.h"

#include <QString>
#include <gtest/gtest.h>

#include <string>

namespace
{
std::string Joined(const CVLStringList& list)
{
    CVLString out;
    list.MakeStringFromElements(out, "|");
    return out.GetBufferPtr();
}
}  // namespace

TEST(CVLStringList, AddAtIndexesAndOutOfRange)
{
    CVLStringList list;
    EXPECT_TRUE(list.AddStringToList("b"));
    EXPECT_TRUE(list.AddStringToList(CVLString("d")));
    EXPECT_TRUE(list.AddStringToList("a", 1));
    EXPECT_TRUE(list.AddStringToList(reinterpret_cast<const unsigned char*>("c"), 3));
    EXPECT_TRUE(list.AddStringToList(QString("e"), 1000));
    EXPECT_TRUE(list.AddStringToList(new CVLString("f"), CVLStringList::kAppendIndex));
    EXPECT_FALSE(list.AddStringToList(static_cast<CVLString*>(nullptr)));
    EXPECT_EQ(Joined(list), "a|b|c|d|e|f");
    EXPECT_EQ(list.GetStringAt(0), nullptr);
    EXPECT_EQ(list.GetStringAt(7), nullptr);
    EXPECT_EQ(list.GetStringAt(0xFFFFFFFFu), nullptr);
    EXPECT_EQ(list.GetStringCopyAt(99).GetLength(), 0u);
    EXPECT_STREQ(list.GetStringCopyAt(2).GetBufferPtr(), "b");
    list.AddStringToList("\xE9");  // detected text
    EXPECT_STREQ(list.GetStringAt(7)->GetBufferPtr(), "\xC3\xA9");
}

TEST(CVLStringList, FindAndDelete)
{
    CVLStringList list;
    list.FillListFromDelimetedString(CVLString("One,two;;THREE,two"), ",;");
    ASSERT_EQ(list.GetCount(), 4u);
    unsigned index = 0;
    EXPECT_TRUE(list.IsStringInList(CVLString("two"), false, &index));
    EXPECT_EQ(index, 2u);  // the first match
    EXPECT_FALSE(list.IsStringInList(CVLString("three")));
    EXPECT_TRUE(list.IsStringInList(CVLString("three"), true, &index));
    EXPECT_EQ(index, 3u);
    EXPECT_TRUE(list.DeleteString(CVLString("TWO"), true));
    EXPECT_EQ(Joined(list), "One|THREE|two");
    EXPECT_FALSE(list.DeleteString(CVLString("absent")));
    EXPECT_FALSE(list.DeleteStringAt(0));
    EXPECT_FALSE(list.DeleteStringAt(4));
    EXPECT_TRUE(list.DeleteStringAt(1));
    EXPECT_EQ(Joined(list), "THREE|two");
    list.EmptyListAndDeleteContents();
    EXPECT_EQ(list.GetCount(), 0u);
}

TEST(CVLStringList, FillListFromDelimitedStringSkipsEmptyPieces)
{
    CVLStringList list;
    list.AddStringToList("stale");
    EXPECT_EQ(list.FillListFromDelimetedString(CVLString(",,a,,b,"), ","), 2u);
    EXPECT_EQ(Joined(list), "a|b");
    EXPECT_EQ(list.FillListFromDelimetedString(CVLString("whole"), nullptr), 1u);
    EXPECT_EQ(Joined(list), "whole");
    EXPECT_EQ(list.FillListFromDelimetedString(CVLString(), ","), 0u);
    // Filling from one of its own strings.
    list.AddStringToList("x y");
    list.FillListFromDelimetedString(*list.GetStringAt(1), " ");
    EXPECT_EQ(Joined(list), "x|y");
}

TEST(CVLStringList, CloneCopyAndSort)
{
    CVLStringList list;
    list.FillListFromDelimetedString(CVLString("pear apple \xC3\xA9" "clair Zebra"), " ");
    CVLStringList copy;
    copy.AddStringToList("old");
    list.Clone(copy);
    ASSERT_EQ(copy.GetCount(), 4u);
    EXPECT_NE(copy.GetStringAt(1), list.GetStringAt(1));
    list.SortAscending();
    EXPECT_EQ(Joined(list), "Zebra|apple|pear|\xC3\xA9" "clair");
    list.SortDescending();
    EXPECT_EQ(Joined(list), "\xC3\xA9" "clair|pear|apple|Zebra");
    EXPECT_EQ(Joined(copy), "pear|apple|\xC3\xA9" "clair|Zebra");
    CVLStringList assigned;
    assigned = copy;
    assigned.AddStringListToList(assigned);
    EXPECT_EQ(assigned.GetCount(), 8u);
    CVLString comma;
    copy.MakeCommaStringFromElements(comma);
    EXPECT_STREQ(comma.GetBufferPtr(), "pear, apple, \xC3\xA9" "clair, Zebra");
}

TEST(CVLStringListList, OwnsItsLists)
{
    CVLStringListList lists;
    CVLStringList* first = new CVLStringList;
    first->AddStringToList("a");
    EXPECT_TRUE(lists.AddStringListToList(first));
    CVLStringList second;
    second.AddStringToList("b");
    EXPECT_TRUE(lists.AddStringListToList(second, 1));
    EXPECT_FALSE(lists.AddStringListToList(static_cast<CVLStringList*>(nullptr)));
    ASSERT_EQ(lists.GetCount(), 2u);
    EXPECT_STREQ(lists.GetStringListAt(1)->GetStringAt(1)->GetBufferPtr(), "b");
    EXPECT_EQ(lists.GetStringListAt(2), first);
    EXPECT_EQ(lists.GetStringListAt(3), nullptr);
    CVLStringListList copy(lists);
    EXPECT_NE(copy.GetStringListAt(2), first);
    EXPECT_TRUE(lists.DeleteStringListAt(1));
    EXPECT_FALSE(lists.DeleteStringListAt(5));
    EXPECT_EQ(lists.GetCount(), 1u);
    EXPECT_EQ(copy.GetCount(), 2u);
}
