#include "folders/ShDirectoryDialog.h"

#include <gtest/gtest.h>

namespace nimbra {
namespace {

struct FlagsCase {
    const char* name;
    TShellVersion shell;
    bool autoNewUI;
    bool showEditBox;
    bool autoEditBox;
    bool allowNonFS;
    bool showFiles;
    unsigned flags;
    bool newButton;  // with AllowCreate
};

class BrowseFlagsTest : public testing::TestWithParam<FlagsCase> {};

TEST_P(BrowseFlagsTest, FollowTheShellAndTheProperties) {
    const FlagsCase& c = GetParam();
    TSHDirectoryDialog dialog(nullptr);
    dialog.SetAutoNewUI(c.autoNewUI);
    dialog.SetShowEditBox(c.showEditBox);
    dialog.SetAutoEditBox(c.autoEditBox);
    dialog.SetAllowNonFS(c.allowNonFS);
    dialog.SetShowFiles(c.showFiles);
    EXPECT_EQ(dialog.Flags(c.shell), c.flags);
    EXPECT_FALSE(dialog.WantsNewButton(c.shell));  // AllowCreate is off
    dialog.SetAllowCreate(true);
    EXPECT_EQ(dialog.WantsNewButton(c.shell), c.newButton);
}

INSTANTIATE_TEST_SUITE_P(
    Shells, BrowseFlagsTest,
    testing::Values(
        // Defaults: new style and edit box on a current shell.
        FlagsCase{"CurrentShell", 600, true, false, true, false, false, 0x04 | 0x40 | 0x30 | 0x09,
                  false},
        FlagsCase{"Shell5NewStyle", 500, true, false, true, false, false, 0x04 | 0x40 | 0x30 | 0x09,
                  false},
        FlagsCase{"Shell471OldStyleWithEditBox", 471, true, false, true, false, false,
                  0x04 | 0x30 | 0x09, true},
        FlagsCase{"Shell4OldStyleNoEditBox", 400, true, false, true, false, false, 0x04 | 0x09,
                  true},
        FlagsCase{"Shell4AskedForEditBox", 400, true, true, false, false, false, 0x04 | 0x30 | 0x09,
                  true},
        FlagsCase{"NewUIOff", 600, false, false, false, false, false, 0x04 | 0x09, true},
        FlagsCase{"NonFileSystem", 600, true, false, false, true, false, 0x04 | 0x40, false},
        FlagsCase{"WithFiles", 600, true, false, false, false, true, 0x04 | 0x40 | 0x09 | 0x4000,
                  false}),
    [](const auto& info) { return info.param.name; });

struct StartCase {
    const char* name;
    const char* directory;
    TDriveKind drive;
    bool exists;
    bool usable;
};

class StartFolderTest : public testing::TestWithParam<StartCase> {};

TEST_P(StartFolderTest, OnlyExistingFoldersOnLocalDrives) {
    const StartCase& c = GetParam();
    EXPECT_EQ(IsUsableStartFolder(c.directory, c.drive, c.exists), c.usable);
}

INSTANTIATE_TEST_SUITE_P(Folders, StartFolderTest,
                         testing::Values(StartCase{"FixedDrive", "C:\\Tools", dkFixed, true, true},
                                         StartCase{"CdRom", "D:\\", dkCdRom, true, true},
                                         StartCase{"Missing", "C:\\Gone", dkFixed, false, false},
                                         StartCase{"Empty", "", dkNoRoot, true, false},
                                         StartCase{"Removable", "A:\\", dkRemovable, true, false},
                                         StartCase{"Network", "\\\\server\\share", dkRemote, true,
                                                   false}),
                         [](const auto& info) { return info.param.name; });

struct PickCase {
    const char* name;
    bool picked;
    const char* path;
    bool allowNonFS;
    bool accepted;
    const char* directory;
};

class BrowseResultTest : public testing::TestWithParam<PickCase> {};

TEST_P(BrowseResultTest, TakesOnlyAcceptedPicks) {
    const PickCase& c = GetParam();
    TSHDirectoryDialog dialog(nullptr);
    dialog.SetAllowNonFS(c.allowNonFS);
    dialog.SetDirectory("C:\\Start");
    EXPECT_EQ(dialog.AcceptPick(c.picked, c.path), c.accepted);
    EXPECT_EQ(dialog.Directory(), c.directory);
}

INSTANTIATE_TEST_SUITE_P(
    Picks, BrowseResultTest,
    testing::Values(PickCase{"Folder", true, "C:\\Tools", false, true, "C:\\Tools"},
                    PickCase{"Cancelled", false, "", false, false, "C:\\Start"},
                    PickCase{"NoPathRefused", true, "", false, false, "C:\\Start"},
                    PickCase{"NoPathWithNonFileSystem", true, "", true, true, ""}),
    [](const auto& info) { return info.param.name; });

TEST(SHDirectoryDialogTest, PublishesItsPropertiesInOrder) {
    TSHDirectoryDialog dialog(nullptr);
    std::vector<std::string> names;
    for (const TPropInfo* prop : dialog.ClassInfo().Properties())
        names.push_back(prop->Name);
    const std::vector<std::string> own{"Title",       "Caption",    "Directory",   "AllowCreate",
                                       "HelpContext", "AllowNonFS", "ShowEditBox", "AutoEditBox",
                                       "AutoNewUI",   "ShowFiles"};
    ASSERT_GE(names.size(), own.size());
    EXPECT_EQ(std::vector<std::string>(names.end() - static_cast<std::ptrdiff_t>(own.size()),
                                       names.end()),
              own);
}

}  // namespace
}  // namespace nimbra
