#include "search/NimbraTypes.h"

#include <gtest/gtest.h>

#include "base/Exception.h"
#include "base/Locale.h"
#include "folders/NimbraCustomFolders.h"
#include "support/AllocationLimit.h"
#include "support/CatalogueOutline.h"
#include "support/TestFolders.h"
#include "utils/MiscUtils.h"

namespace nimbra {
namespace {

using testing_support::AllocationLimit;
using testing_support::Outline;
using testing_support::PathText;
using testing_support::ShellFolderOverride;
using testing_support::TempDir;

class CatalogueScanTest : public testing::Test {
  protected:
    TProgramMenuItems items{[] { return 7; }};
    TempDir dir;
    std::string root = PathText(dir.Path());
};

struct ListingCase {
    const char* name;
    std::vector<const char*> files;  // a name ending in "/" is a folder
    std::vector<std::string> outline;
};

class CatalogueListingTest : public CatalogueScanTest,
                             public testing::WithParamInterface<ListingCase> {};

TEST_P(CatalogueListingTest, FilesSortedFirstThenEachSubfolderWithItsSubtree) {
    for (const std::string file : GetParam().files)
        file.ends_with('/') ? (void)dir.MakeDir(file) : (void)dir.MakeFile(file);
    items.ScanRoot(root, "Root");
    EXPECT_EQ(Outline(items, 1), GetParam().outline);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CatalogueListingTest,
    testing::Values(ListingCase{"TreeWithDotNamesButNoDotEntries",
                                {"b.lnk", "A.txt", "z/inner.txt", "C/deeper/x.url", "C/c1.txt",
                                 "..data", ".hidden", ".svn/"},
                                {"  ..data", "  .hidden", "  A.txt", "  b", "  .svn/", "  C/",
                                 "    c1.txt", "    deeper/", "      x.url", "  z/",
                                 "    inner.txt"}},
                    ListingCase{"NonAscii",  // übersicht, Änderungen, 日本
                                {"\xC3\xBC"
                                 "bersicht.txt",
                                 "\xC3\x84nderungen.lnk", "\xE6\x97\xA5\xE6\x9C\xAC.url"},
                                {"  \xC3\x84nderungen",
                                 "  \xC3\xBC"
                                 "bersicht.txt",
                                 "  \xE6\x97\xA5\xE6\x9C\xAC.url"}}),
    [](const auto& info) { return info.param.name; });

struct TitleCase {
    const char* file;
    const char* titleAndKey;
};

class FileTitleTest : public testing::TestWithParam<TitleCase> {};

TEST_P(FileTitleTest, OnlyShortcutsLoseTheirExtension) {
    TProgramMenuItems items{nullptr};
    const TProgramMenuItem e =
        items.AddFile(items.AddRoot("C:\\Root", "Root", kZeroDate), GetParam().file, kZeroDate);
    EXPECT_EQ(e.Title() + "|" + std::string(e.SearchKey()), GetParam().titleAndKey);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FileTitleTest,
    testing::Values(TitleCase{"Notepad.LNK", "Notepad|NOTEPAD"},
                    TitleCase{"Google.url", "Google.url|GOOGLE.URL"},
                    TitleCase{"a.b.lnk", "a.b|A.B"}, TitleCase{"lnk", "lnk|LNK"},
                    TitleCase{"x.lnk.txt", "x.lnk.txt|X.LNK.TXT"},
                    TitleCase{"\xC3\xA4nderung.lnk", "\xC3\xA4nderung|\xC3\x84NDERUNG"}));

TEST_F(CatalogueScanTest, ARootThatCannotBeListedKeepsOnlyItsEntry) {
    items.ScanRoot("", "Missing");  // a special folder this system lacks: nothing at all
    items.ScanRoot(JoinPath(root, "does-not-exist"), "Missing");
    items.ScanRoot(PathText(dir.MakeFile("plain.txt")), "File");
    items.ScanRoot("Q:\\", "Q:\\");  // a drive root has no directory entry of its own
    ASSERT_EQ(Outline(items), (std::vector<std::string>{"does-not-exist/", "plain.txt/", "Q:\\/"}));
    EXPECT_EQ(items.Items(0).Changed(), kZeroDate);
    EXPECT_EQ(items.Items(2).Changed(), kZeroDate);
}

// Every path the catalogue holds, written in any case, finds exactly the
// entries with that path, in catalogue order; other paths find nothing.
TEST_F(CatalogueScanTest, FindByPathFindsEveryEntryWithThePath) {
    for (const char* file : {"a.txt", "A.TXT", "b.lnk", "m", "Zz.txt", "sub/a.txt", "sub/d/x.url",
                             "Sub2/b.txt", "\xC3\x84pfel", "\xC3\xA4pfel"})
        dir.MakeFile(file);
    for (int i = 0; i < 40; ++i)
        dir.MakeFile("many/f" + std::to_string(i));
    items.ScanRoot(root, "One");
    items.ScanRoot(root, "Two");  // the same folder twice: every path twice
    EXPECT_EQ(items.Items(items.Count() - 1).RelativePath(), "Two\\Sub2\\b.txt");
    std::vector<std::string> paths{"", JoinPath(root, "0"), JoinPath(root, "a.txt\\x"),
                                   JoinPath(root, "sub\\zz"), JoinPath(root, "many\\f5x")};
    for (int i = 0; i < items.Count(); ++i)
        paths.push_back(AnsiUpperCase(items.Items(i).FullPath()));
    for (const std::string& path : paths) {
        std::vector<std::uint32_t> expected;
        for (int i = 0; i < items.Count(); ++i)
            if (AnsiSameText(items.Items(i).FullPath(), path))
                expected.push_back(static_cast<std::uint32_t>(i));
        std::vector<std::uint32_t> found;
        int cursor = 0;
        for (auto e = items.FindByPath(path, cursor); e; e = items.FindNextByPath(cursor))
            found.push_back(e.Index());
        EXPECT_EQ(found, expected) << path;
        EXPECT_EQ(cursor, -1);
    }
}

// Running out of memory while an entry is added leaves the catalogue as it
// was: the next entry reads back its own name and key, and filters end.
TEST(CatalogueMemoryTest, AnEntryIsAddedWholeOrNotAtAll) {
    const std::string longName = std::string(600, 'q') + ".txt";  // the buffers must grow
    bool refused = true;
    for (int allowed = 0; refused; ++allowed) {
        TProgramMenuItems items{nullptr};
        const TProgramMenuItem folder = items.AddRoot("C:\\R", "R", kZeroDate);
        for (const char* name : {"a", "b", "c", "d", "e", "f"})
            items.AddFile(folder, name, kZeroDate);
        {
            AllocationLimit limit(allowed);
            try {
                items.AddFile(folder, longName, kZeroDate);
            } catch (const std::bad_alloc&) {
            }
            refused = limit.Reached();
        }
        if (!refused)
            break;
        ASSERT_EQ(items.Count(), 7) << allowed;
        const TProgramMenuItem next = items.AddFile(folder, "z.txt", kZeroDate);
        EXPECT_EQ(next.Title() + "|" + std::string(next.SearchKey()), "z.txt|Z.TXT") << allowed;
        std::vector<std::uint32_t> rows;
        EXPECT_EQ(items.Filter(TMatchRequest{{"Q"}}, rows), -1) << allowed;
        EXPECT_EQ(items.Filter(TMatchRequest{{"Z"}}, rows), 1) << allowed;
    }
}

// Built by hand, a catalogue keeps catalogue order, which lookups by path
// rely on: what would break it is refused and changes nothing.
TEST(CatalogueOrderTest, IsKeptWhenBuiltByHand) {
    TProgramMenuItems items{nullptr};
    const TProgramMenuItem root = items.AddRoot("C:\\R", "R", kZeroDate);
    items.AddFile(root, "b.txt", kZeroDate);
    const TProgramMenuItem sub = items.AddFolder(root, "Sub", kZeroDate);
    items.AddFile(sub, "x.txt", kZeroDate);
    EXPECT_NO_THROW(items.AddFile(sub, "X.TXT", kZeroDate));  // the same name in another case
    EXPECT_THROW(items.AddFile(sub, "a.txt", kZeroDate), EListError);         // before x.txt
    EXPECT_THROW(items.AddFile(root, "c.txt", kZeroDate), EListError);        // after a subfolder
    EXPECT_THROW(items.AddFolder(root, "A", kZeroDate), EListError);          // before Sub
    EXPECT_THROW(items.AddFile(items.Items(1), "y", kZeroDate), EListError);  // below a file
    items.AddFolder(root, "Tail", kZeroDate);
    EXPECT_THROW(items.AddFile(sub, "y.txt", kZeroDate), EListError);  // Sub has ended
    ASSERT_EQ(items.Count(), 6);
    int cursor = 0;
    EXPECT_EQ(items.FindByPath("C:\\R\\Sub\\x.txt", cursor).Index(), 3u);
    EXPECT_EQ(items.FindNextByPath(cursor).Index(), 4u);
}

TEST(CatalogueRescanTest, ScansIncludedEntriesInOrderAndSkipsTheRest) {
    TempDir a;
    TempDir b;
    const std::string tom = PathText(a.MakeDir("Tom && Jerry"));  // "&&" is an accelerator mark
    a.MakeFile("Tom && Jerry/one.txt");
    b.MakeFile("two.txt");
    ShellFolderOverride folders({{sfFavorites, PathText(b.Path())}});
    TCustomFolders list;
    list.Add()->Paths()->AddDisk(tom);
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
    EXPECT_EQ(items.Items(1).RelativePath(), JoinPath(StripHotkey(tom), "one.txt"));
    EXPECT_NE(StripHotkey(tom).find("Tom & Jerry"), std::string::npos);
    EXPECT_EQ(items.Items(3).RelativePath(), "Favorites\\two.txt");
    EXPECT_EQ(items.DefaultImageIndex(), 3);
    items.Rescan(TCustomFolders());
    EXPECT_EQ(items.Count(), 0);
}

}  // namespace
}  // namespace nimbra
