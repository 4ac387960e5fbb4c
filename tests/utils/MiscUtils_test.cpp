#include "utils/MiscUtils.h"

#include <gtest/gtest.h>

namespace nimbra {
namespace {

struct JoinCase {
    const char* first;
    const char* second;
    const char* joined;
};

class JoinPathTest : public testing::TestWithParam<JoinCase> {};

TEST_P(JoinPathTest, AddsABackslashOnlyWhereNeeded) {
    EXPECT_EQ(JoinPath(GetParam().first, GetParam().second), GetParam().joined);
}

INSTANTIATE_TEST_SUITE_P(
    Table, JoinPathTest,
    testing::Values(JoinCase{"C:\\Users", "x.lnk", "C:\\Users\\x.lnk"},
                    JoinCase{"C:\\", "Windows", "C:\\Windows"},
                    JoinCase{"C:", "file.txt", "C:file.txt"}, JoinCase{"", "name", "name"},
                    JoinCase{"Programs", "", "Programs\\"},
                    JoinCase{"\\\\server\\share", "doc", "\\\\server\\share\\doc"},
                    JoinCase{"dir/", "x", "dir/\\x"}));

struct FileDirCase {
    const char* path;
    const char* folder;
};

class ExtractFileDirTest : public testing::TestWithParam<FileDirCase> {};

TEST_P(ExtractFileDirTest, KeepsTheBackslashOnlyOfARoot) {
    EXPECT_EQ(ExtractFileDir(GetParam().path), GetParam().folder);
}

INSTANTIATE_TEST_SUITE_P(Table, ExtractFileDirTest,
                         testing::Values(FileDirCase{"C:\\dir\\x", "C:\\dir"},
                                         FileDirCase{"C:\\x", "C:\\"},
                                         FileDirCase{"C:\\dir\\", "C:\\dir"},
                                         FileDirCase{"C:x", "C:"}, FileDirCase{"\\x", "\\"},
                                         FileDirCase{"x", ""}, FileDirCase{"", ""},
                                         FileDirCase{"\\\\server\\share\\doc", "\\\\server\\share"},
                                         FileDirCase{"C:\\a b\\c d.txt", "C:\\a b"}));

struct HotkeyCase {
    const char* name;
    std::string text;
    bool farEast;
    std::string stripped;
};

class StripHotkeyTest : public testing::TestWithParam<HotkeyCase> {};

TEST_P(StripHotkeyTest, RemovesAcceleratorMarks) {
    EXPECT_EQ(StripHotkey(GetParam().text, GetParam().farEast), GetParam().stripped);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StripHotkeyTest,
    testing::Values(HotkeyCase{"Plain", "&Start Menu", false, "Start Menu"},
                    HotkeyCase{"Middle", "Start &Menu", false, "Start Menu"},
                    HotkeyCase{"DoubleAmpersand", "Tom && Jerry", false, "Tom & Jerry"},
                    HotkeyCase{"TripleAmpersand", "a&&&b", false, "a&b"},
                    HotkeyCase{"TrailingAmpersand", "End&", false, "End"},
                    HotkeyCase{"NoMarks", "Desktop", false, "Desktop"},
                    HotkeyCase{"FarEastParenthesised",
                               "\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB(&F)", true,
                               "\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB"},
                    HotkeyCase{"FarEastRuleOffElsewhere", "File(&F)", false, "File(F)"},
                    HotkeyCase{"FarEastWithoutClosingParenthesis", "File(&F", true, "File(F"},
                    HotkeyCase{"FarEastNotAtTheParenthesis", "&File (x)", true, "File (x)"},
                    HotkeyCase{"FarEastMultiByteLetter", "x(&\xC3\x9C)y", true, "xy"},
                    HotkeyCase{"MultiByteAfterMark",
                               "&\xC3\x9C"
                               "bersicht",
                               false,
                               "\xC3\x9C"
                               "bersicht"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace nimbra
