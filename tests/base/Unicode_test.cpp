#include "base/Unicode.h"

#include <gtest/gtest.h>

namespace nimbra {
namespace {

struct Utf16Case {
    const char* name;
    std::string utf8;
    std::u16string utf16;
};

void PrintTo(const Utf16Case& c, std::ostream* out) {
    *out << c.name;
}

class Utf8ToUtf16Test : public testing::TestWithParam<Utf16Case> {};

TEST_P(Utf8ToUtf16Test, ConvertsBothWays) {
    const Utf16Case& c = GetParam();
    EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16);
    EXPECT_EQ(Utf16ToUtf8(c.utf16), c.utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Valid, Utf8ToUtf16Test,
    testing::Values(Utf16Case{"Empty", "", u""}, Utf16Case{"Ascii", "Notepad", u"Notepad"},
                    Utf16Case{"TwoByte",
                              "Gr\xC3\xB6\xC3\x9F"
                              "e",
                              u"Gr\u00F6\u00DFe"},
                    Utf16Case{"ThreeByte", "\xE2\x82\xAC 5", u"\u20AC 5"},
                    Utf16Case{"SurrogatePair", "\xF0\x9F\x98\x80!", u"\U0001F600!"},
                    Utf16Case{"LastCodePoint", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"}),
    [](const auto& info) { return info.param.name; });

struct InvalidCase {
    const char* name;
    std::string bytes;
    std::u16string expected;
};

class InvalidUtf8Test : public testing::TestWithParam<InvalidCase> {};

TEST_P(InvalidUtf8Test, ReplacesEachBadByte) {
    EXPECT_FALSE(IsValidUtf8(GetParam().bytes));
    EXPECT_EQ(Utf8ToUtf16(GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Bad, InvalidUtf8Test,
    testing::Values(InvalidCase{"LoneContinuation",
                                "a\x80"
                                "b",
                                u"a\uFFFDb"},
                    InvalidCase{"TruncatedAtEnd", "ab\xE2\x82", u"ab\uFFFD\uFFFD"},
                    InvalidCase{"Overlong", "\xC0\xAF", u"\uFFFD\uFFFD"},
                    InvalidCase{"BeyondUnicode", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
                    InvalidCase{"Latin1Byte", "caf\xE9", u"caf\uFFFD"},
                    InvalidCase{"InvalidLead", "\xFF", u"\uFFFD"}),
    [](const auto& info) { return info.param.name; });

// A file name may hold an unpaired surrogate: it must come back unchanged,
// or the name shown could not be opened.
INSTANTIATE_TEST_SUITE_P(
    LoneSurrogates, Utf8ToUtf16Test,
    testing::Values(Utf16Case{"High",
                              "a\xED\xA0\xBD"
                              "b",
                              std::u16string{u'a', char16_t(0xD83D), u'b'}},
                    Utf16Case{"LowAtEnd", "\xED\xB8\x80", std::u16string{char16_t(0xDE00)}},
                    Utf16Case{"HighBeforeCharacter", "\xED\xAF\xBFx",
                              std::u16string{char16_t(0xDBFF), u'x'}},
                    Utf16Case{"LowBeforeHigh", "\xED\xB0\x80\xED\xA0\x80",
                              std::u16string{char16_t(0xDC00), char16_t(0xD800)}}),
    [](const auto& info) { return info.param.name; });

TEST(LoneSurrogateTest, IsNoValidUtf8) {
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));
}

TEST(LoneSurrogateTest, RoundTripsThroughThePlatformWideString) {
    const std::string name = "C:\\x\xED\xA0\x80y.txt";
    EXPECT_EQ(ToUtf8(ToWide(name)), name);
    EXPECT_EQ(ToWide(name).size(), 10u);
}

TEST(LoneSurrogateTest, TextFilesStillShowAReplacementCharacter) {
    EXPECT_EQ(DecodeTextFile(std::string("\xFF\xFEx\0\x00\xD8", 6)), "x\xEF\xBF\xBD");
}

TEST(WideTest, RoundTripsThroughThePlatformWideString) {
    const std::string text = "C:\\Users\\J\xC3\xBCrgen\\\xF0\x9F\x93\x81 Docs";
    EXPECT_EQ(ToUtf8(ToWide(text)), text);
    if constexpr (sizeof(wchar_t) == 2) {
        EXPECT_EQ(ToWide("\xF0\x9F\x98\x80").size(), 2u);  // a surrogate pair on Windows
    } else {
        EXPECT_EQ(ToWide("\xF0\x9F\x98\x80").size(), 1u);
    }
}

TEST(IsValidUtf8Test, AcceptsALiteralReplacementCharacter) {
    EXPECT_TRUE(IsValidUtf8("x\xEF\xBF\xBDy"));
}

struct TextFileCase {
    const char* name;
    std::string bytes;
    std::string text;
};

class DecodeTextFileTest : public testing::TestWithParam<TextFileCase> {};

TEST_P(DecodeTextFileTest, GivesUtf8) {
    EXPECT_EQ(DecodeTextFile(GetParam().bytes), GetParam().text);
}

// Invalid UTF-8 is taken for Windows-1252, the code page of the tests'
// systems: 0xE4 is a-umlaut and 0x80 the euro sign.
INSTANTIATE_TEST_SUITE_P(
    Table, DecodeTextFileTest,
    testing::Values(
        TextFileCase{"PlainAscii", "plain", "plain"},
        TextFileCase{"Utf8Mark", "\xEF\xBB\xBF[Section]\r\nA=\xC3\xA4", "[Section]\r\nA=\xC3\xA4"},
        TextFileCase{"Ansi", "A=\xE4 \x80", "A=\xC3\xA4 \xE2\x82\xAC"},
        TextFileCase{"Utf16LittleEndian", std::string("\xFF\xFE[\0x\0]\0\xE9\0", 10),
                     "[x]\xC3\xA9"},
        TextFileCase{"Utf16BigEndian", std::string("\xFE\xFF\0[\0x\0]\0\xE9\x20\xAC", 12),
                     "[x]\xC3\xA9\xE2\x82\xAC"},
        TextFileCase{"Utf16OddLastByte", std::string("\xFF\xFEx\0y", 5), "x\xEF\xBF\xBD"},
        TextFileCase{"Utf16BigEndianOddLastByte", std::string("\xFE\xFF\0x\0", 5), "x\xEF\xBF\xBD"},
        TextFileCase{"Utf16MarkOnly", "\xFF\xFE", ""}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace nimbra
