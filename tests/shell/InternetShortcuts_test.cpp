#include "shell/InternetShortcuts.h"

#include <gtest/gtest.h>

#include "support/TestFolders.h"

namespace nimbra {
namespace {

using testing_support::PathText;
using testing_support::TempDir;

struct IniCase {
    const char* name;
    std::string text;
    std::string value;  // of [InternetShortcut] URL
};

class IniTextValueTest : public testing::TestWithParam<IniCase> {};

TEST_P(IniTextValueTest, FollowsThePrivateProfileRules) {
    EXPECT_EQ(IniTextValue(GetParam().text, "InternetShortcut", "URL"), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Table, IniTextValueTest,
    testing::Values(
        IniCase{"NamesIgnoreCase", "[internetshortcut]\nurl=http://a/\n", "http://a/"},
        IniCase{"BlanksAroundNamesAndValue", "  [ InternetShortcut ]  \n  URL =  http://a/ b \n",
                "http://a/ b"},
        IniCase{"EnclosingQuotesGo", "[InternetShortcut]\nURL=\"http://a/\"\n", "http://a/"},
        IniCase{"UnmatchedQuoteStays", "[InternetShortcut]\nURL=\"http://a/\n", "\"http://a/"},
        IniCase{"FirstKeyWins", "[InternetShortcut]\nURL=first\nURL=second\n", "first"},
        IniCase{"OnlyTheFirstSectionOfANameCounts",
                "[InternetShortcut]\nIconIndex=1\n[InternetShortcut]\nURL=late\n", ""},
        IniCase{"OtherSectionsDoNotCount", "[Other]\nURL=x\n[InternetShortcut]\nName=y\n", ""},
        IniCase{"CommentsAreSkipped", "[InternetShortcut]\n;URL=x\nURL=y\n", "y"},
        IniCase{"EqualsInTheValue", "[InternetShortcut]\nURL=http://a/?b=c\n", "http://a/?b=c"},
        IniCase{"HeaderWithoutClosingBracket", "[InternetShortcut\nURL=x\n", "x"},
        IniCase{"CarriageReturnsOnly", "[InternetShortcut]\rURL=x\r", "x"}),
    [](const testing::TestParamInfo<IniCase>& info) { return std::string(info.param.name); });

TEST(ParseInternetShortcutTest, ReadsEveryPropertyFromItsKeyOrItsPropertyLine) {
    const TInternetShortcutData data = ParseInternetShortcut(
        "[{000214A0-0000-0000-C000-000000000046}]\r\n"
        "Prop3=19,11\r\n"
        "Prop4=31,Example Name\r\n"
        "Prop12=31,Description from the property set\r\n"
        "[InternetShortcut]\r\n"
        "URL=http://example.com/\r\n"
        "WorkingDirectory=C:\\Work\r\n"
        "HotKey=833\r\n"
        "ShowCommand=3\r\n"
        "IconIndex=-2\r\n"
        "IconFile=C:\\Icons\\site.ico\r\n"
        "WhatsNew=news\r\n"
        "Author=someone\r\n"
        "Comment=remark\r\n");
    const TInternetShortcutData expected{.URL = "http://example.com/",
                                         .HotKey = 833,
                                         .IconFile = "C:\\Icons\\site.ico",
                                         .IconIndex = -2,
                                         .WorkingDirectory = "C:\\Work",
                                         .ShowCmd = 3,
                                         .WhatsNew = "news",
                                         .Author = "someone",
                                         .Description = "Description from the property set",
                                         .Comment = "remark",
                                         .Name = "Example Name"};
    EXPECT_EQ(data, expected);
}

TEST(ParseInternetShortcutTest, TheShortcutSectionWinsAndBadNumbersAreZero) {
    const TInternetShortcutData data = ParseInternetShortcut(
        "[InternetShortcut]\nURL=u\nDesc=from the key\nHotKey=junk\n"
        "IconIndex=99999999999999999999\n"
        "[{000214A0-0000-0000-C000-000000000046}]\nProp12=31,from the set\nProp7=3,7\n");
    EXPECT_EQ(data.Description, "from the key");
    EXPECT_EQ(data.HotKey, 0);
    EXPECT_EQ(data.IconIndex, 0);
    EXPECT_EQ(data.ShowCmd, 7);
    // A hot key keeps its low 16 bits; what is missing keeps its reset value.
    EXPECT_EQ(ParseInternetShortcut("[InternetShortcut]\nHotKey=65601\n").HotKey, 65);
    EXPECT_EQ(ParseInternetShortcut("[InternetShortcut]\nURL=x\n").ShowCmd, 1);
    EXPECT_EQ(ParseInternetShortcut(std::string("garbage\0\xFF[", 10)), TInternetShortcutData());
}

TEST(InternetShortcutInfoTest, AMissingFileLeavesTheOutputsAlone) {
    TempDir dir;
    std::string url = "u";
    std::string title = "t";
    EXPECT_FALSE(GetInternetShortcutInfo(PathText(dir.Path() / "none.url"), url, title));
    EXPECT_FALSE(GetInternetShortcutInfo("", url, title));
    EXPECT_EQ(url, "u");
    EXPECT_EQ(title, "t");
}

}  // namespace
}  // namespace nimbra
