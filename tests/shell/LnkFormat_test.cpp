#include "shell/LnkFormat.h"

#include <gtest/gtest.h>

#include <utility>

#include "support/LnkBuilder.h"

namespace nimbra {
namespace {

using testing_support::BuildLnk;
using testing_support::DriveItem;
using testing_support::FileItem;
using testing_support::LnkSpec;
using testing_support::RootItem;
using testing_support::TinyItems;
using testing_support::U16;
using testing_support::U32;

const std::string kUnicodeName =
    "\xC3\x9C"
    "bersicht \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80.txt";
constexpr std::size_t kHeader = 0x4C;

// A link with every part, for the damage tests below.
LnkSpec FullSpec() {
    return {.idListItems = RootItem() + DriveItem("C:\\") + FileItem("WINDOWS", "Windows", true) +
                           FileItem("NOTEPAD.EXE", "notepad.exe", false),
            .localBasePath = "C:\\Windows\\notepad.exe",
            .wideLinkInfo = true,
            .description = "Editor",
            .relativePath = "..\\Windows\\notepad.exe",
            .workingDir = "C:\\Windows",
            .arguments = "/p file.txt",
            .iconLocation = "C:\\Windows\\system32\\shell32.dll",
            .environmentTarget = "%SystemRoot%\\notepad.exe",
            .showCommand = 3,
            .hotKey = 0x0641,
            .iconIndex = -3};
}

TEST(LnkFormatTest, DecodesEveryPart) {
    const TShellLinkFile link = ParseShellLink(BuildLnk(FullSpec()));
    EXPECT_EQ(link.LinkInfoPath, "C:\\Windows\\notepad.exe");
    EXPECT_EQ(link.IDListPath, "C:\\Windows\\notepad.exe");
    EXPECT_EQ(link.RelativePath, "..\\Windows\\notepad.exe");
    // The environment form wins over the other places.
    TShellLinkData expected{.Path = "%SystemRoot%\\notepad.exe",
                            .Arguments = "/p file.txt",
                            .Description = "Editor",
                            .HotKey = 0x0641,
                            .IconIndex = -3,
                            .IconLocation = "C:\\Windows\\system32\\shell32.dll",
                            .ShowCmd = 3,
                            .WorkingDirectory = "C:\\Windows"};
    const std::string items = *FullSpec().idListItems + U16(0);
    expected.IDList.assign(items.begin(), items.end());
    EXPECT_EQ(link.Data, expected);
}

// Overwrites bytes of a built link at an offset.
std::string Patched(std::string bytes, std::size_t at, const std::string& with) {
    bytes.replace(at, with.size(), with);
    return bytes;
}

using TTextField = std::string TShellLinkData::*;

struct FieldCase {
    const char* name;
    std::string bytes;
    TTextField field;
    std::string value;
};

template <class Case>
std::string CaseName(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}
void PrintTo(const FieldCase& c, std::ostream* out) {
    *out << c.name;
}

class LnkFormatFieldTest : public testing::TestWithParam<FieldCase> {};

TEST_P(LnkFormatFieldTest, DecodesTheField) {
    const TShellLinkFile link = ParseShellLink(GetParam().bytes);
    EXPECT_EQ(link.Data.*GetParam().field, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LnkFormatFieldTest,
    testing::Values(
        FieldCase{"LinkInfoOnly",
                  BuildLnk({.localBasePath = "D:\\Tools\\", .commonPathSuffix = "run.exe"}),
                  &TShellLinkData::Path, "D:\\Tools\\run.exe"},
        FieldCase{"WideLinkInfoKeepsUnicode",
                  BuildLnk({.localBasePath = "C:\\" + kUnicodeName, .wideLinkInfo = true}),
                  &TShellLinkData::Path, "C:\\" + kUnicodeName},
        FieldCase{
            "NetworkShare",
            BuildLnk({.networkShare = "\\\\server\\share", .commonPathSuffix = "docs\\a.txt"}),
            &TShellLinkData::Path, "\\\\server\\share\\docs\\a.txt"},
        // The ID list's long Unicode names beat an 8-bit copy in the link
        // information.
        FieldCase{"IDListBeforeLinkInfo",
                  BuildLnk({.idListItems = RootItem() + DriveItem("C:\\") +
                                           FileItem("UBERSI~1.TXT", kUnicodeName, false),
                            .localBasePath = "C:\\?bersicht ?? ?.txt"}),
                  &TShellLinkData::Path, "C:\\" + kUnicodeName},
        FieldCase{"VirtualFolderHasNoPath", BuildLnk({.idListItems = RootItem(false)}),
                  &TShellLinkData::Path, ""},
        FieldCase{"EnvironmentOnly",
                  BuildLnk({.environmentTarget = "%SystemRoot%\\system32\\calc.exe"}),
                  &TShellLinkData::Path, "%SystemRoot%\\system32\\calc.exe"},
        FieldCase{"NoTerminalBlock",
                  BuildLnk({.localBasePath = "C:\\a.exe", .terminalBlock = false}),
                  &TShellLinkData::Path, "C:\\a.exe"},
        // Windows-1252 bytes.
        FieldCase{"EightBitStringsInTheAnsiCodePage",
                  BuildLnk({.unicodeStrings = false, .description = "Caf\xE9"}),
                  &TShellLinkData::Description, "Caf\xC3\xA9"},
        FieldCase{"CountedNulEndsTheText", BuildLnk({.arguments = std::string("-x\0", 3)}),
                  &TShellLinkData::Arguments, "-x"},
        FieldCase{"IconFromItsEnvironmentBlock",
                  BuildLnk({.iconEnvironment = "%SystemRoot%\\explorer.exe"}),
                  &TShellLinkData::IconLocation, "%SystemRoot%\\explorer.exe"},
        // Present but to be ignored: skipped whole, so the texts after it
        // are still found.
        FieldCase{"ForcedNoLinkInfoIsSkipped",
                  BuildLnk({.extraFlags = lnkForceNoLinkInfo,
                            .localBasePath = "C:\\ignored.exe",
                            .arguments = "after"}),
                  &TShellLinkData::Arguments, "after"}),
    CaseName<FieldCase>);

// Damage inside an optional part costs that part only, as with the shell's
// object: each link below also holds arguments, which must survive.
class LnkFormatDamagedPartTest : public testing::TestWithParam<FieldCase> {};

TEST_P(LnkFormatDamagedPartTest, KeepsWhatIsSound) {
    TShellLinkFile link;
    ASSERT_NO_THROW(link = ParseShellLink(GetParam().bytes));
    EXPECT_EQ(link.Data.*GetParam().field, GetParam().value);
    EXPECT_EQ(link.Data.Arguments, "-kept");
}

std::string LocalInfo() {
    return BuildLnk({.localBasePath = "C:\\a.exe", .wideLinkInfo = true, .arguments = "-kept"});
}

// An environment block whose texts have no end, after link information
// naming C:\a.exe.
std::string UnterminatedBlock() {
    return BuildLnk({.localBasePath = "C:\\a.exe",
                     .arguments = "-kept",
                     .environmentTarget = std::string(300, 'x')});
}

// An environment block of 16 bytes instead of its fixed size.
std::string ShortEnvironmentBlock() {
    const std::string bytes = BuildLnk(
        {.extraFlags = lnkHasExpString, .localBasePath = "C:\\a.exe", .arguments = "-kept"});
    return bytes.substr(0, bytes.size() - 4) + U32(16) + U32(0xA0000001) + U32(0) + U32(0) + U32(0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LnkFormatDamagedPartTest,
    testing::Values(
        // The 8-bit base path stands in for a damaged wide one.
        FieldCase{"WideBasePathOutsideTheInfo", Patched(LocalInfo(), kHeader + 28, U32(0xFFFFFFF0)),
                  &TShellLinkData::Path, "C:\\a.exe"},
        FieldCase{"LinkInfoHeaderTooSmall", Patched(LocalInfo(), kHeader + 4, U32(8)),
                  &TShellLinkData::Path, ""},
        FieldCase{"LinkInfoHeaderLargerThanInfo", Patched(LocalInfo(), kHeader + 4, U32(0x1000)),
                  &TShellLinkData::Path, ""},
        FieldCase{"NetworkLinkOutsideTheInfo",
                  Patched(BuildLnk({.networkShare = "\\\\s\\x", .arguments = "-kept"}),
                          kHeader + 20, U32(0xFFFF)),
                  &TShellLinkData::Path, ""},
        FieldCase{"EnvironmentTextWithoutEnd", UnterminatedBlock(), &TShellLinkData::Path,
                  "C:\\a.exe"},
        FieldCase{"EnvironmentBlockOfWrongSize", ShortEnvironmentBlock(), &TShellLinkData::Path,
                  "C:\\a.exe"}),
    CaseName<FieldCase>);

TEST(LnkFormatTest, OnlyMaximizedAndMinimizedShowCommandsDifferFromNormal) {
    const std::pair<std::uint32_t, std::int32_t> cases[] = {{1, 1}, {3, 3}, {7, 7},
                                                            {0, 1}, {2, 1}, {0xFFFFFFFF, 1}};
    for (const auto& [stored, shown] : cases)
        EXPECT_EQ(ParseShellLink(BuildLnk({.showCommand = stored})).Data.ShowCmd, shown) << stored;
}

struct MalformedCase {
    const char* name;
    std::string bytes;
};

void PrintTo(const MalformedCase& c, std::ostream* out) {
    *out << c.name;
}

class LnkFormatMalformedTest : public testing::TestWithParam<MalformedCase> {};

// What decides where the next part begins, or the header, must be sound.
TEST_P(LnkFormatMalformedTest, IsRefused) {
    EXPECT_THROW(ParseShellLink(GetParam().bytes), ELnkFormatError);
}

std::string ListOnly(const std::string& items) {
    return BuildLnk({.idListItems = items});
}

INSTANTIATE_TEST_SUITE_P(
    Table, LnkFormatMalformedTest,
    testing::Values(
        MalformedCase{"TruncatedHeader", BuildLnk({}).substr(0, 75)},
        MalformedCase{"WrongHeaderSize", Patched(BuildLnk({}), 0, U32(0x4D))},
        MalformedCase{"WrongClassId", Patched(BuildLnk({}), 4, "X")},
        MalformedCase{"IDListPastTheEnd", Patched(ListOnly(RootItem()), kHeader, U16(0xFFFF))},
        // An item that would not move a walk forward.
        MalformedCase{"IDListItemOfSizeOne", ListOnly(U16(1) + RootItem())},
        MalformedCase{"IDListItemOverrunsTheList", ListOnly(U16(0x4000) + "xx")},
        // The list's size leaves out the terminator.
        MalformedCase{"IDListWithoutTerminator", Patched(ListOnly(RootItem()), kHeader, U16(20))},
        MalformedCase{"LinkInfoPastTheEnd", Patched(LocalInfo(), kHeader, U32(0x7FFFFFFF))},
        MalformedCase{"LinkInfoSmallerThanItsHeader", Patched(LocalInfo(), kHeader, U32(4))},
        MalformedCase{"HugeStringCount",
                      Patched(BuildLnk({.description = "short"}), kHeader, U16(0xFFFF))},
        MalformedCase{"ExtraBlockPastTheEnd",
                      BuildLnk({}).substr(0, kHeader) + U32(0xFFFFFFFF) + U32(0)},
        MalformedCase{"ExtraBlockTooSmallForItsSignature",
                      BuildLnk({}).substr(0, kHeader) + U32(5) + U32(0)},
        MalformedCase{"LargerThanTheLimit", BuildLnk({}) + std::string(kMaxLnkFileSize, '\0')}),
    CaseName<MalformedCase>);

// Every cut and every single-byte change of a full link is either read or
// refused with ELnkFormatError; the sanitizers see any read outside.
TEST(LnkFormatDamageTest, CutsAndChangedBytesNeverReadOutside) {
    const std::string bytes = BuildLnk(FullSpec());
    const auto parse = [](const std::string& damaged) {
        try {
            ParseShellLink(damaged);
        } catch (const ELnkFormatError&) {
        }
    };
    for (std::size_t size = 0; size < bytes.size(); ++size)
        parse(bytes.substr(0, size));
    for (std::size_t at = 0; at < bytes.size(); ++at)
        for (char value : {'\0', '\x01', '\x7F', '\xFF'})
            parse(Patched(bytes, at, std::string(1, value)));
}

TEST(LnkFormatDamageTest, ManyTinyIDListItemsAreWalkedToTheirEnd) {
    // 32,000 items fill the largest list there is; the walk ends, and such
    // items name no path.
    const std::string items = TinyItems(32000);
    const TShellLinkFile link = ParseShellLink(ListOnly(items));
    EXPECT_EQ(link.Data.IDList.size(), items.size() + 2);
    EXPECT_EQ(link.Data.Path, "");
}

struct PathCase {
    const char* name;
    std::string items;
    std::string path;
};

class IDListToPathTest : public testing::TestWithParam<PathCase> {};

TEST_P(IDListToPathTest, NamesFileSystemItemsOnly) {
    EXPECT_EQ(IDListToPath(GetParam().items), GetParam().path);
}

// A file item whose extension block lies about its place: the primary
// (short) name is used instead.
std::string ItemWithBadExtensionOffset() {
    std::string item = FileItem("SHORT.TXT", "Long name.txt", false);
    return Patched(item, item.size() - 2, U16(0xFFF0));
}

// A file item whose primary name is stored as UTF-16 (type flag 0x04).
std::string UnicodePrimaryItem() {
    const std::string name = testing_support::Utf16Z("\xC3\xA9t\xC3\xA9");
    const std::string body = std::string("\x36\0", 2) + U32(0) + U32(0) + U16(0x20) + name + U16(0);
    return U16(static_cast<std::uint16_t>(body.size() + 2)) + body;
}

INSTANTIATE_TEST_SUITE_P(
    Table, IDListToPathTest,
    testing::Values(
        PathCase{"DriveOnly", RootItem() + DriveItem("E:\\"), "E:\\"},
        PathCase{"BadExtensionFallsBackToThePrimaryName",
                 RootItem() + DriveItem("C:\\") + ItemWithBadExtensionOffset(), "C:\\SHORT.TXT"},
        PathCase{"UnicodePrimaryName", RootItem() + DriveItem("C:\\") + UnicodePrimaryItem(),
                 "C:\\\xC3\xA9t\xC3\xA9"},
        PathCase{"UnknownItemKind", RootItem() + DriveItem("C:\\") + U16(4) + "\x70\x00", ""},
        PathCase{"ItemTooSmall", RootItem() + U16(2), ""},
        PathCase{"CutItem", RootItem() + DriveItem("C:\\").substr(0, 10), ""}),
    CaseName<PathCase>);

}  // namespace
}  // namespace nimbra
