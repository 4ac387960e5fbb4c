#include "shell/LnkFormat.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/LnkBuilder.h"

namespace nimbra {
namespace {

using testing_support::BuildLnk;
using testing_support::DriveItem;
using testing_support::FileItem;
using testing_support::LnkSpec;
using testing_support::RootItem;
using testing_support::U16;
using testing_support::U32;

const std::string kUnicodeName =
    "\xC3\x9C"
    "bersicht \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80.txt";

// A link with every part, for the damage tests below.
LnkSpec FullSpec() {
    LnkSpec spec;
    spec.idListItems = RootItem() + DriveItem("C:\\") + FileItem("WINDOWS", "Windows", true) +
                       FileItem("NOTEPAD.EXE", "notepad.exe", false);
    spec.localBasePath = "C:\\Windows\\notepad.exe";
    spec.wideLinkInfo = true;
    spec.description = "Editor";
    spec.relativePath = "..\\Windows\\notepad.exe";
    spec.workingDir = "C:\\Windows";
    spec.arguments = "/p file.txt";
    spec.iconLocation = "C:\\Windows\\system32\\shell32.dll";
    spec.environmentTarget = "%SystemRoot%\\notepad.exe";
    spec.showCommand = 3;
    spec.hotKey = 0x0641;
    spec.iconIndex = -3;
    return spec;
}

struct ValidCase {
    const char* name;
    std::function<LnkSpec()> spec;
    std::function<void(const TShellLinkFile&)> check;
};

class LnkFormatValidTest : public testing::TestWithParam<ValidCase> {};

TEST_P(LnkFormatValidTest, DecodesTheFields) {
    GetParam().check(ParseShellLink(BuildLnk(GetParam().spec())));
}

INSTANTIATE_TEST_SUITE_P(
    Table, LnkFormatValidTest,
    testing::Values(
        ValidCase{"EveryPart", FullSpec,
                  [](const TShellLinkFile& link) {
                      // The environment form wins over the other places.
                      EXPECT_EQ(link.Data.Path, "%SystemRoot%\\notepad.exe");
                      EXPECT_EQ(link.LinkInfoPath, "C:\\Windows\\notepad.exe");
                      EXPECT_EQ(link.IDListPath, "C:\\Windows\\notepad.exe");
                      EXPECT_EQ(link.RelativePath, "..\\Windows\\notepad.exe");
                      EXPECT_EQ(link.Data.Description, "Editor");
                      EXPECT_EQ(link.Data.WorkingDirectory, "C:\\Windows");
                      EXPECT_EQ(link.Data.Arguments, "/p file.txt");
                      EXPECT_EQ(link.Data.IconLocation, "C:\\Windows\\system32\\shell32.dll");
                      EXPECT_EQ(link.Data.IconIndex, -3);
                      EXPECT_EQ(link.Data.ShowCmd, 3);
                      EXPECT_EQ(link.Data.HotKey, 0x0641);
                      const std::string items = *FullSpec().idListItems + U16(0);
                      EXPECT_EQ(std::string(link.Data.IDList.begin(), link.Data.IDList.end()),
                                items);
                  }},
        ValidCase{"LinkInfoOnly",
                  [] {
                      LnkSpec spec;
                      spec.localBasePath = "D:\\Tools\\";
                      spec.commonPathSuffix = "run.exe";
                      return spec;
                  },
                  [](const TShellLinkFile& link) {
                      EXPECT_EQ(link.Data.Path, "D:\\Tools\\run.exe");
                      EXPECT_TRUE(link.Data.IDList.empty());
                  }},
        ValidCase{
            "WideLinkInfoKeepsUnicode",
            [] {
                LnkSpec spec;
                spec.localBasePath = "C:\\" + kUnicodeName;
                spec.wideLinkInfo = true;
                return spec;
            },
            [](const TShellLinkFile& link) { EXPECT_EQ(link.Data.Path, "C:\\" + kUnicodeName); }},
        ValidCase{"NetworkShare",
                  [] {
                      LnkSpec spec;
                      spec.networkShare = "\\\\server\\share";
                      spec.commonPathSuffix = "docs\\a.txt";
                      return spec;
                  },
                  [](const TShellLinkFile& link) {
                      EXPECT_EQ(link.Data.Path, "\\\\server\\share\\docs\\a.txt");
                  }},
        ValidCase{
            "IDListBeforeLinkInfo",
            [] {
                LnkSpec spec;
                spec.idListItems =
                    RootItem() + DriveItem("C:\\") + FileItem("UBERSI~1.TXT", kUnicodeName, false);
                spec.localBasePath = "C:\\?bersicht ?? ?.txt";  // an 8-bit copy
                return spec;
            },
            [](const TShellLinkFile& link) { EXPECT_EQ(link.Data.Path, "C:\\" + kUnicodeName); }},
        ValidCase{"VirtualFolderHasNoPath",
                  [] {
                      LnkSpec spec;
                      spec.idListItems = RootItem(false);
                      return spec;
                  },
                  [](const TShellLinkFile& link) {
                      EXPECT_EQ(link.Data.Path, "");
                      EXPECT_EQ(link.Data.IDList.size(), 22u);
                  }},
        ValidCase{"EnvironmentOnly",
                  [] {
                      LnkSpec spec;
                      spec.environmentTarget = "%SystemRoot%\\system32\\calc.exe";
                      return spec;
                  },
                  [](const TShellLinkFile& link) {
                      EXPECT_EQ(link.Data.Path, "%SystemRoot%\\system32\\calc.exe");
                  }},
        ValidCase{
            "EightBitStringsInTheAnsiCodePage",
            [] {
                LnkSpec spec;
                spec.unicodeStrings = false;
                spec.description = "Caf\xE9";  // Windows-1252 bytes
                return spec;
            },
            [](const TShellLinkFile& link) { EXPECT_EQ(link.Data.Description, "Caf\xC3\xA9"); }},
        ValidCase{"CountedNulEndsTheText",
                  [] {
                      LnkSpec spec;
                      spec.arguments = std::string("-x\0", 3);
                      return spec;
                  },
                  [](const TShellLinkFile& link) { EXPECT_EQ(link.Data.Arguments, "-x"); }},
        ValidCase{"IconFromItsEnvironmentBlock",
                  [] {
                      LnkSpec spec;
                      spec.iconEnvironment = "%SystemRoot%\\explorer.exe";
                      return spec;
                  },
                  [](const TShellLinkFile& link) {
                      EXPECT_EQ(link.Data.IconLocation, "%SystemRoot%\\explorer.exe");
                  }},
        ValidCase{"ForcedNoLinkInfoIsSkipped",
                  [] {
                      LnkSpec spec;
                      spec.localBasePath = "C:\\ignored.exe";
                      spec.extraFlags = lnkForceNoLinkInfo;
                      spec.arguments = "after";
                      return spec;
                  },
                  [](const TShellLinkFile& link) {
                      EXPECT_EQ(link.Data.Path, "");
                      EXPECT_EQ(link.Data.Arguments, "after");
                  }},
        ValidCase{"NoTerminalBlock",
                  [] {
                      LnkSpec spec;
                      spec.localBasePath = "C:\\a.exe";
                      spec.terminalBlock = false;
                      return spec;
                  },
                  [](const TShellLinkFile& link) { EXPECT_EQ(link.Data.Path, "C:\\a.exe"); }}),
    [](const testing::TestParamInfo<ValidCase>& info) { return std::string(info.param.name); });

struct ShowCase {
    std::uint32_t stored;
    std::int32_t reported;
};

class LnkShowCommandTest : public testing::TestWithParam<ShowCase> {};

TEST_P(LnkShowCommandTest, OnlyMaximizedAndMinimizedDifferFromNormal) {
    LnkSpec spec;
    spec.showCommand = GetParam().stored;
    EXPECT_EQ(ParseShellLink(BuildLnk(spec)).Data.ShowCmd, GetParam().reported);
}

INSTANTIATE_TEST_SUITE_P(Table, LnkShowCommandTest,
                         testing::Values(ShowCase{1, 1}, ShowCase{3, 3}, ShowCase{7, 7},
                                         ShowCase{0, 1}, ShowCase{2, 1}, ShowCase{0xFFFFFFFF, 1}));

// Overwrites bytes of a built link at an offset.
std::string Patched(std::string bytes, std::size_t at, const std::string& with) {
    bytes.replace(at, with.size(), with);
    return bytes;
}

constexpr std::size_t kHeader = 0x4C;

struct MalformedCase {
    const char* name;
    std::function<std::string()> bytes;
};

class LnkFormatMalformedTest : public testing::TestWithParam<MalformedCase> {};

TEST_P(LnkFormatMalformedTest, IsRefused) {
    EXPECT_THROW(ParseShellLink(GetParam().bytes()), ELnkFormatError);
}

LnkSpec ListOnly(const std::string& items) {
    LnkSpec spec;
    spec.idListItems = items;
    return spec;
}

LnkSpec LocalInfo() {
    LnkSpec spec;
    spec.localBasePath = "C:\\a.exe";
    spec.wideLinkInfo = true;
    return spec;
}

INSTANTIATE_TEST_SUITE_P(
    Table, LnkFormatMalformedTest,
    testing::Values(
        MalformedCase{"Empty", [] { return std::string(); }},
        MalformedCase{"TruncatedHeader", [] { return BuildLnk(LnkSpec()).substr(0, 75); }},
        MalformedCase{"WrongHeaderSize", [] { return Patched(BuildLnk(LnkSpec()), 0, U32(0x4D)); }},
        MalformedCase{"WrongClassId", [] { return Patched(BuildLnk(LnkSpec()), 4, "X"); }},
        MalformedCase{"IDListPastTheEnd",
                      [] { return Patched(BuildLnk(ListOnly(RootItem())), kHeader, U16(0xFFFF)); }},
        MalformedCase{"IDListItemOfSizeOne",
                      // An item that would not move a walk forward.
                      [] { return BuildLnk(ListOnly(U16(1) + RootItem())); }},
        MalformedCase{"IDListItemOverrunsTheList",
                      [] { return BuildLnk(ListOnly(U16(0x4000) + "xx")); }},
        MalformedCase{"IDListWithoutTerminator",
                      [] {
                          // The list's size leaves out the terminator: the
                          // walk reaches the end of the list first.
                          const std::string bytes = BuildLnk(ListOnly(RootItem()));
                          return Patched(bytes, kHeader, U16(20));
                      }},
        MalformedCase{"LinkInfoPastTheEnd",
                      [] { return Patched(BuildLnk(LocalInfo()), kHeader, U32(0x7FFFFFFF)); }},
        MalformedCase{"LinkInfoHeaderTooSmall",
                      [] { return Patched(BuildLnk(LocalInfo()), kHeader + 4, U32(8)); }},
        MalformedCase{"LinkInfoHeaderLargerThanInfo",
                      [] { return Patched(BuildLnk(LocalInfo()), kHeader + 4, U32(0x1000)); }},
        MalformedCase{"BasePathOffsetPastTheInfo",
                      [] { return Patched(BuildLnk(LocalInfo()), kHeader + 28, U32(0xFFFFFFF0)); }},
        MalformedCase{"WideBasePathWithoutEnd",
                      [] {
                          // Point the wide text at the last byte of the info.
                          std::string bytes = BuildLnk(LocalInfo());
                          const std::uint32_t size = static_cast<unsigned char>(bytes[kHeader]);
                          return Patched(bytes, kHeader + 28, U32(size - 1));
                      }},
        MalformedCase{"NetworkLinkPastTheInfo",
                      [] {
                          LnkSpec spec;
                          spec.networkShare = "\\\\s\\x";
                          return Patched(BuildLnk(spec), kHeader + 20, U32(0xFFFF));
                      }},
        MalformedCase{"HugeStringCount",
                      [] {
                          LnkSpec spec;
                          spec.description = "short";
                          return Patched(BuildLnk(spec), kHeader, U16(0xFFFF));
                      }},
        MalformedCase{"StringCutShort",
                      [] {
                          LnkSpec spec;
                          spec.arguments = "0123456789";
                          spec.terminalBlock = false;
                          const std::string bytes = BuildLnk(spec);
                          return bytes.substr(0, bytes.size() - 3);
                      }},
        MalformedCase{
            "ExtraBlockPastTheEnd",
            [] { return BuildLnk(LnkSpec()).substr(0, kHeader) + U32(0xFFFFFFFF) + U32(0); }},
        MalformedCase{"ExtraBlockTooSmallForItsSignature",
                      [] { return BuildLnk(LnkSpec()).substr(0, kHeader) + U32(5) + U32(0); }},
        MalformedCase{"EnvironmentBlockOfWrongSize",
                      [] {
                          return BuildLnk(LnkSpec()).substr(0, kHeader) + U32(16) +
                                 U32(0xA0000001) + U32(0) + U32(0) + U32(0);
                      }},
        MalformedCase{"EnvironmentTextWithoutEnd",
                      [] {
                          LnkSpec spec;
                          spec.environmentTarget = std::string(300, 'x');
                          return BuildLnk(spec);
                      }},
        MalformedCase{"LargerThanTheLimit",
                      [] {
                          LnkSpec spec;
                          std::string bytes = BuildLnk(spec);
                          bytes.resize(kMaxLnkFileSize + 1, '\0');
                          return bytes;
                      }}),
    [](const testing::TestParamInfo<MalformedCase>& info) { return std::string(info.param.name); });

// Every cut and every single-byte change of a full link is either read or
// refused with ELnkFormatError; the sanitizers see any read outside.
TEST(LnkFormatDamageTest, CutsAndChangedBytesNeverReadOutside) {
    const std::string bytes = BuildLnk(FullSpec());
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        try {
            ParseShellLink(bytes.substr(0, size));
        } catch (const ELnkFormatError&) {
        }
    }
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        for (char value : {'\0', '\x01', '\x7F', '\xFF'}) {
            std::string changed = bytes;
            changed[at] = value;
            try {
                ParseShellLink(changed);
            } catch (const ELnkFormatError&) {
            }
        }
    }
}

TEST(LnkFormatIDListTest, ManyTinyItemsAreWalkedToTheirEnd) {
    // 32,000 empty items (just their size) fill the largest list there is;
    // the walk ends, and such items name no path.
    std::string items;
    for (int i = 0; i < 32000; ++i)
        items += U16(2);
    const TShellLinkFile link = ParseShellLink(BuildLnk(ListOnly(items)));
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
    item.replace(item.size() - 2, 2, U16(0xFFF0));
    return item;
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
        PathCase{"LongNames",
                 RootItem() + DriveItem("C:\\") + FileItem("PROGRA~1", "Program Files", true) +
                     FileItem("APP.EXE", "App.exe", false),
                 "C:\\Program Files\\App.exe"},
        PathCase{"BadExtensionFallsBackToThePrimaryName",
                 RootItem() + DriveItem("C:\\") + ItemWithBadExtensionOffset(), "C:\\SHORT.TXT"},
        PathCase{"UnicodePrimaryName", RootItem() + DriveItem("C:\\") + UnicodePrimaryItem(),
                 "C:\\\xC3\xA9t\xC3\xA9"},
        PathCase{"OtherRoot", RootItem(false) + DriveItem("C:\\"), ""},
        PathCase{"UnknownItemKind", RootItem() + DriveItem("C:\\") + U16(4) + "\x70\x00", ""},
        PathCase{"ItemTooSmall", RootItem() + U16(2), ""},
        PathCase{"CutItem", RootItem() + DriveItem("C:\\").substr(0, 10), ""},
        PathCase{"Empty", "", ""}),
    [](const testing::TestParamInfo<PathCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace nimbra
