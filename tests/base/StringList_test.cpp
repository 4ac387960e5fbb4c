#include "base/StringList.h"

#include <gtest/gtest.h>

namespace nimbra {
namespace {

TEST(StringListTest, TextEndsEveryLineWithCrLfAndSplitsAnyLineBreak) {
    TStringList list({"a", "", "b"});
    EXPECT_EQ(list.Text(), "a\r\n\r\nb\r\n");
    list.SetText("one\r\ntwo\nthree\rfour");
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"one", "two", "three", "four"}));
    list.SetText("x\r\n");
    EXPECT_EQ(list.Count(), 1);
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
}

TEST(StringListTest, SortedListFindsIgnoringCaseAndKeepsOrder) {
    TStringList list;
    list.SetSorted(true);
    list.Add("banana");
    list.Add("Apple");
    list.Add("cherry");
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"Apple", "banana", "cherry"}));
    int index = -1;
    EXPECT_TRUE(list.Find("APPLE", index));
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(list.Find("blueberry", index));
    EXPECT_EQ(index, 2);
    EXPECT_THROW(list.Insert(0, "x"), EListError);
}

struct DuplicateCase {
    const char* name;
    TDuplicates mode;
    int count;
    bool raises;
};

class SortedDuplicatesTest : public testing::TestWithParam<DuplicateCase> {};

TEST_P(SortedDuplicatesTest, FollowsThePolicy) {
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(GetParam().mode);
    list.Add("C:\\A");
    if (GetParam().raises) {
        EXPECT_THROW(list.Add("c:\\a"), EListError);
    } else {
        list.Add("c:\\a");
    }
    EXPECT_EQ(list.Count(), GetParam().count);
}

INSTANTIATE_TEST_SUITE_P(Policies, SortedDuplicatesTest,
                         testing::Values(DuplicateCase{"Ignore", dupIgnore, 1, false},
                                         DuplicateCase{"Accept", dupAccept, 2, false},
                                         DuplicateCase{"Error", dupError, 1, true}),
                         [](const auto& info) { return info.param.name; });

TEST(StringListTest, AcceptedDuplicatesAreAllFoundFromTheFirst) {
    TObject first;
    TObject second;
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(dupAccept);
    list.AddObject("z", nullptr);
    list.AddObject("Path", &first);
    list.AddObject("a", nullptr);
    list.AddObject("PATH", &second);
    int index = -1;
    ASSERT_TRUE(list.Find("path", index));
    EXPECT_EQ(list.Objects(index), &first);
    EXPECT_EQ(list.Objects(index + 1), &second);
}

TEST(StringListTest, NonAsciiSortsIgnoringCase) {
    TStringList list;
    list.SetSorted(true);
    list.Add(
        "\xC3\xBC"
        "ber");  // über
    list.Add(
        "\xC3\x9C"
        "BER");  // ÜBER
    EXPECT_EQ(list.Count(), 1);
}

TEST(StringListTest, NamesAndValues) {
    TStringList list({"Left=10", "Top=20", "noequals"});
    EXPECT_EQ(list.Values("top"), "20");
    EXPECT_EQ(list.Names(0), "Left");
    EXPECT_EQ(list.IndexOfName("noequals"), -1);
    list.SetValues("Width", "5");
    EXPECT_EQ(list.Strings(3), "Width=5");
    list.SetValues("Left", "");
    EXPECT_EQ(list.IndexOfName("Left"), -1);
}

TEST(StringListTest, ChangeEventsFireOncePerBracket) {
    TStringList list;
    int changing = 0;
    int changed = 0;
    list.OnChanging = [&](TStrings&) { ++changing; };
    list.OnChange = [&](TStrings&) { ++changed; };
    list.Add("a");
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(changed, 1);
    list.SetCommaText("x,y,z");
    EXPECT_EQ(changing, 2);
    EXPECT_EQ(changed, 2);
}

TEST(StringListTest, MoveExchangeAndBounds) {
    TStringList list({"a", "b", "c"});
    list.Move(0, 2);
    EXPECT_EQ(list.CommaText(), "b,c,a");
    list.Exchange(0, 1);
    EXPECT_EQ(list.CommaText(), "c,b,a");
    EXPECT_THROW(list.Strings(3), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
}

TEST(StringListTest, CustomSortByLength) {
    TStringList list({"ccc", "a", "bb"});
    list.CustomSort([](const TStringList& l, int a, int b) {
        return static_cast<int>(l.Strings(a).size()) - static_cast<int>(l.Strings(b).size());
    });
    EXPECT_EQ(list.CommaText(), "a,bb,ccc");
}

}  // namespace
}  // namespace nimbra
