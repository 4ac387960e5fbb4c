#include "base/Locale.h"

#include <gtest/gtest.h>

namespace nimbra {
namespace {

struct UpperCase {
    const char* name;
    std::string text;
    std::string upper;
};

class AnsiUpperCaseTest : public testing::TestWithParam<UpperCase> {};

TEST_P(AnsiUpperCaseTest, UpperCasesLettersOfAnyScript) {
    EXPECT_EQ(AnsiUpperCase(GetParam().text), GetParam().upper);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AnsiUpperCaseTest,
    testing::Values(UpperCase{"Ascii", "notepad 2.lnk", "NOTEPAD 2.LNK"},
                    UpperCase{"German",
                              "\xC3\xA4pfel \xC3\xB6l \xC3\xBC"
                              "ber",
                              "\xC3\x84PFEL \xC3\x96L \xC3\x9C"
                              "BER"},
                    UpperCase{"French", "\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89"},
                    UpperCase{"Greek", "\xCE\xB1\xCE\xB2\xCE\xB3", "\xCE\x91\xCE\x92\xCE\x93"},
                    UpperCase{"Cyrillic", "\xD0\xBF\xD1\x80\xD0\xB8", "\xD0\x9F\xD0\xA0\xD0\x98"},
                    UpperCase{"CjkUnchanged", "\xE6\x97\xA5\xE6\x9C\xAC",
                              "\xE6\x97\xA5\xE6\x9C\xAC"},
                    UpperCase{"Empty", "", ""}),
    [](const auto& info) { return info.param.name; });

TEST(AnsiCompareTextTest, IgnoresCaseOfAnyScript) {
    EXPECT_EQ(AnsiCompareText("\xC3\xA4pfel", "\xC3\x84PFEL"), 0);
    EXPECT_EQ(AnsiCompareText("readme.TXT", "README.txt"), 0);
    EXPECT_LT(AnsiCompareText("a.txt", "B.lnk"), 0);
    EXPECT_GT(AnsiCompareText("z", "A"), 0);
    EXPECT_LT(AnsiCompareText("abc", "abcd"), 0);
    EXPECT_TRUE(AnsiSameText("C:\\Users", "c:\\USERS"));
}

TEST(AnsiSortKeyTest, KeysOrderLikeTheComparison) {
    const std::vector<std::string> words = {
        "apple", "Banana", "banana2", "\xC3\x84pfel", "zebra", "Zeta", "a",   "",
        "A.txt", "b.lnk",  "C",       "\xC3\xA4pfel", "10",    "9",    "x y", "x_y"};
    for (const std::string& a : words) {
        for (const std::string& b : words) {
            const int compared = AnsiCompareText(a, b);
            const int byKeys = AnsiSortKey(a).compare(AnsiSortKey(b));
            EXPECT_EQ(compared < 0, byKeys < 0) << a << " / " << b;
            EXPECT_EQ(compared == 0, byKeys == 0) << a << " / " << b;
        }
    }
}

TEST(AppendAnsiUpperCaseTest, AppendsToWhatIsThere) {
    std::string out = "x|";
    AppendAnsiUpperCase(out, "abc");
    AppendAnsiUpperCase(out, "|\xC3\xA4");
    EXPECT_EQ(out, "x|ABC|\xC3\x84");
}

TEST(AnsiCompareStrTest, RespectsCase) {
    EXPECT_NE(AnsiCompareStr("a", "A"), 0);
    EXPECT_EQ(AnsiCompareStr("same", "same"), 0);
}

TEST(AsciiTextTest, ComparesOnlyAsciiLettersWithoutCase) {
    EXPECT_TRUE(SameText(".LNK", ".lnk"));
    EXPECT_FALSE(SameText(".lnk", ".lnk "));
    EXPECT_EQ(AsciiUpperCase("x.url \xC3\xA4"), "X.URL \xC3\xA4");
}

}  // namespace
}  // namespace nimbra
