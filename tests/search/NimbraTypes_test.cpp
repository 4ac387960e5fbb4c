#include "search/NimbraTypes.h"

#include <gtest/gtest.h>

#include "folders/NimbraCustomFolders.h"
#include "search/SystemIcons.h"
#include "support/TestFolders.h"
#include "utils/MiscUtils.h"

namespace nimbra {
namespace {

using testing_support::PathText;
using testing_support::ShellFolderOverride;
using testing_support::TempDir;

// One line per entry: indent by level, title, and "/" for folders.
std::vector<std::string> Outline(TProgramMenuItems& items) {
    std::vector<std::string> lines;
    for (int i = 0; i < items.Count(); ++i) {
        const TProgramMenuItem e = items.Items(i);
        lines.push_back(std::string(static_cast<std::size_t>(e.Level()) * 2, ' ') + e.Title() +
                        (e.IsFolder() ? "/" : ""));
    }
    return lines;
}

class CatalogueScanTest : public testing::Test {
  protected:
    TProgramMenuItems items{[] { return 7; }};
    TempDir dir;
    std::string root = PathText(dir.Path());
};

TEST_F(CatalogueScanTest, FilesSortedFirstThenEachSubfolderWithItsSubtree) {
    dir.MakeFile("b.lnk");
    dir.MakeFile("A.txt");
    dir.MakeFile("z/inner.txt");
    dir.MakeFile("C/deeper/x.url");
    dir.MakeFile("C/c1.txt");
    items.ScanRoot(root, "Root");
    const std::string rootTitle = dir.Path().filename().string();
    EXPECT_EQ(Outline(items),
              (std::vector<std::string>{rootTitle + "/", "  A.txt", "  b", "  C/", "    c1.txt",
                                        "    deeper/", "      x.url", "  z/", "    inner.txt"}));
}

TEST_F(CatalogueScanTest, EntryFieldsForFilesAndFolders) {
    dir.MakeFile("Programs/Accessories/Notepad.lnk");
    items.ScanRoot(root, "Start Menu");
    ASSERT_EQ(items.Count(), 4);
    const TProgramMenuItem rootEntry = items.Items(0);
    const TProgramMenuItem programs = items.Items(1);
    const TProgramMenuItem notepad = items.Items(3);

    EXPECT_EQ(rootEntry.FileName(), root);
    EXPECT_EQ(rootEntry.Folder(), "");
    EXPECT_EQ(rootEntry.RelativePath(), "");
    EXPECT_FALSE(rootEntry.Parent());

    EXPECT_EQ(programs.Title(), "Programs");
    EXPECT_EQ(programs.FileName(), JoinPath(root, "Programs"));
    EXPECT_EQ(programs.FullPath(), JoinPath(root, "Programs"));
    EXPECT_EQ(programs.RelativePath(), "");

    EXPECT_EQ(notepad.Title(), "Notepad");
    EXPECT_EQ(notepad.SearchKey(), "NOTEPAD");
    EXPECT_EQ(notepad.FileName(), "Notepad.lnk");
    EXPECT_EQ(notepad.Folder(), JoinPath(JoinPath(root, "Programs"), "Accessories"));
    EXPECT_EQ(notepad.FullPath(), JoinPath(notepad.Folder(), "Notepad.lnk"));
    EXPECT_EQ(notepad.RelativePath(), "Start Menu\\Programs\\Accessories\\Notepad.lnk");
    EXPECT_EQ(notepad.Level(), 3);
    EXPECT_EQ(notepad.Parent().Title(), "Accessories");
    EXPECT_EQ(notepad.ImageIndex(), -1);
    EXPECT_FALSE(notepad.Shown());
    EXPECT_FALSE(notepad.Matches());
}

struct TitleCase {
    const char* file;
    const char* title;
};

class FileTitleTest : public testing::TestWithParam<TitleCase> {};

TEST_P(FileTitleTest, OnlyShortcutsLoseTheirExtension) {
    TProgramMenuItems items{nullptr};
    const TProgramMenuItem root = items.AddRoot("C:\\Root", "Root", kZeroDate);
    EXPECT_EQ(items.AddFile(root, GetParam().file, kZeroDate).Title(), GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FileTitleTest,
    testing::Values(TitleCase{"Notepad.lnk", "Notepad"}, TitleCase{"Notepad.LNK", "Notepad"},
                    TitleCase{"Notepad.LnK", "Notepad"}, TitleCase{"Google.url", "Google.url"},
                    TitleCase{"readme.txt", "readme.txt"}, TitleCase{"a.b.lnk", "a.b"},
                    TitleCase{"noext", "noext"}, TitleCase{"lnk", "lnk"},
                    TitleCase{"x.lnk.txt", "x.lnk.txt"}, TitleCase{"..data", "..data"}));

struct RootTitleCase {
    const char* folder;
    const char* title;
};

class RootTitleTest : public testing::TestWithParam<RootTitleCase> {};

TEST_P(RootTitleTest, IsTheLastComponentOrTheWholeRoot) {
    TProgramMenuItems items{nullptr};
    EXPECT_EQ(items.AddRoot(GetParam().folder, "x", kZeroDate).Title(), GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(Table, RootTitleTest,
                         testing::Values(RootTitleCase{"C:\\", "C:\\"}, RootTitleCase{"C:", "C:"},
                                         RootTitleCase{"C:\\Users\\Start Menu", "Start Menu"},
                                         RootTitleCase{"\\\\server\\share", "share"},
                                         RootTitleCase{"/home/u/Desktop", "Desktop"}));

TEST_F(CatalogueScanTest, DotEntriesAreSkippedButDotNamesAreListed) {
    dir.MakeFile("..data");
    dir.MakeFile(".hidden");
    dir.MakeDir(".svn");
    items.ScanRoot(root, "R");
    std::vector<std::string> titles;
    for (int i = 1; i < items.Count(); ++i)
        titles.push_back(items.Items(i).Title());
    EXPECT_EQ(titles, (std::vector<std::string>{"..data", ".hidden", ".svn"}));
}

TEST_F(CatalogueScanTest, EmptyRootAddsNothingAtAll) {
    items.ScanRoot("", "Missing");
    EXPECT_EQ(items.Count(), 0);
}

TEST_F(CatalogueScanTest, AFolderThatCannotBeListedKeepsOnlyItsRoot) {
    const std::string missing = JoinPath(root, "does-not-exist");
    const std::string file = PathText(dir.MakeFile("plain.txt"));
    items.ScanRoot(missing, "Missing");
    items.ScanRoot(file, "File");
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(items.Items(0).Changed(), kZeroDate);
    EXPECT_EQ(items.Items(0).Title(), "does-not-exist");
    EXPECT_EQ(items.Items(1).Level(), 0);
}

TEST_F(CatalogueScanTest, ADriveRootWithoutADirectoryEntryHasTheZeroDate) {
    items.ScanRoot("Q:\\", "Q:\\");
    ASSERT_GE(items.Count(), 1);
    EXPECT_EQ(items.Items(0).Title(), "Q:\\");
    EXPECT_EQ(items.Items(0).Changed(), kZeroDate);
}

TEST_F(CatalogueScanTest, UnicodeNamesSortAndMatchIgnoringCase) {
    dir.MakeFile(
        "\xC3\xBC"
        "bersicht.txt");                           // übersicht
    dir.MakeFile("\xC3\x84nderungen.lnk");         // Änderungen
    dir.MakeFile("\xE6\x97\xA5\xE6\x9C\xAC.url");  // 日本
    items.ScanRoot(root, "R");
    ASSERT_EQ(items.Count(), 4);
    EXPECT_EQ(items.Items(1).Title(), "\xC3\x84nderungen");
    EXPECT_EQ(items.Items(1).SearchKey(), "\xC3\x84NDERUNGEN");
    EXPECT_EQ(items.Items(2).SearchKey(),
              "\xC3\x9C"
              "BERSICHT.TXT");
    EXPECT_EQ(items.Items(3).Title(), "\xE6\x97\xA5\xE6\x9C\xAC.url");
}

TEST_F(CatalogueScanTest, TheSameFolderTwiceIsScannedTwiceAndFoundTwice) {
    dir.MakeFile("Tools/app.lnk");
    items.ScanRoot(root, "One");
    items.ScanRoot(root, "Two");
    ASSERT_EQ(items.Count(), 6);
    std::string path = JoinPath(JoinPath(root, "TOOLS"), "APP.LNK");
    int cursor = 0;
    const TProgramMenuItem first = items.FindByPath(path, cursor);
    ASSERT_TRUE(first);
    EXPECT_EQ(first.Index(), 2u);
    const TProgramMenuItem second = items.FindNextByPath(cursor);
    ASSERT_TRUE(second);
    EXPECT_EQ(second.Index(), 5u);
    EXPECT_EQ(second.RelativePath(), "Two\\Tools\\app.lnk");
    EXPECT_FALSE(items.FindNextByPath(cursor));
    EXPECT_EQ(cursor, -1);
}

TEST_F(CatalogueScanTest, FindByPathFindsFoldersAndRootsAndNothingElse) {
    dir.MakeFile("a/b/c.txt");
    items.ScanRoot(root, "R");
    int cursor = 0;
    EXPECT_EQ(items.FindByPath(root, cursor).Index(), 0u);
    EXPECT_EQ(items.FindByPath(JoinPath(root, "A"), cursor).Index(), 1u);
    EXPECT_FALSE(items.FindByPath(JoinPath(root, "a\\c.txt"), cursor));
    EXPECT_EQ(cursor, -1);
    EXPECT_FALSE(items.FindByPath("", cursor));
    EXPECT_FALSE(items.FindByPath(JoinPath(root, "a\\b\\c.txt\\d"), cursor));
}

TEST(CatalogueRescanTest, ScansIncludedEntriesInOrderAndSkipsTheRest) {
    TempDir a;
    TempDir b;
    a.MakeFile("one.txt");
    b.MakeFile("two.txt");
    ShellFolderOverride folders({{sfFavorites, PathText(b.Path())}});
    TCustomFolders list;
    TCustomFolder* disk = list.Add();
    disk->Paths()->AddDisk(PathText(a.Path()));
    list.AddSeparator();
    TCustomFolder* excluded = list.Add();
    excluded->SetInclude(false);
    excluded->Paths()->AddDisk(PathText(a.Path()));
    TCustomFolder* shell = list.Add();
    shell->Paths()->AddShell(sfFavorites);
    shell->Paths()->AddShell(sfCommonFavorites);  // no path here: skipped

    TProgramMenuItems items{[] { return 3; }};
    items.Rescan(list);
    ASSERT_EQ(items.Count(), 4);
    EXPECT_EQ(items.Items(1).Title(), "one.txt");
    EXPECT_EQ(items.Items(3).Title(), "two.txt");
    EXPECT_EQ(items.Items(3).RelativePath(), "Favorites\\two.txt");
    EXPECT_EQ(items.DefaultImageIndex(), 3);

    items.Rescan(TCustomFolders());
    EXPECT_EQ(items.Count(), 0);
}

TEST(CatalogueRescanTest, RootTitlesLoseTheirAcceleratorMarks) {
    TempDir dir;
    const std::string path = PathText(dir.MakeDir("Tom && Jerry"));
    dir.MakeFile("Tom && Jerry/x.txt");
    TCustomFolders list;
    list.Add()->Paths()->AddDisk(path);
    TProgramMenuItems items{nullptr};
    items.Rescan(list);
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(items.Items(1).RelativePath(), JoinPath(StripHotkey(path), "x.txt"));
    EXPECT_NE(items.Items(1).RelativePath().find("Tom & Jerry"), std::string::npos);
}

TEST(CatalogueIconTest, TheFirstDrawQueuesOnceAndShowsThePlaceholder) {
    TProgramMenuItems items{[] { return 42; }};
    const TProgramMenuItem root = items.AddRoot("C:\\R", "R", kZeroDate);
    const TProgramMenuItem file = items.AddFile(root, "a.txt", kZeroDate);
    EXPECT_EQ(file.GetImageIndex(), 42);  // no view linked: nothing to queue
    EXPECT_EQ(file.ImageIndex(), 42);
    file.SetImageIndex(5);
    EXPECT_EQ(file.GetImageIndex(), 5);
}

}  // namespace
}  // namespace nimbra
