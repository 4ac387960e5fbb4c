#include "folders/NimbraCustomFolders.h"

#include <gtest/gtest.h>

#include <optional>

#include "support/DescribeFolders.h"
#include "support/ScopedTextLookup.h"
#include "support/TestFolders.h"

namespace nimbra {
namespace {

using testing_support::DescribeFolders;
using testing_support::ScopedTextLookup;
using testing_support::ShellFolderOverride;

const ScopedTextLookup::Texts kGerman = {{{"SysFolders", "sfDesktop"}, "Schreibtisch"},
                                         {{"SysFolders", "sfStartMenu"}, "Startmen\xC3\xBC"}};

struct DefaultsCase {
    const char* name;
    std::map<TShellFolder, std::string> existing;
    std::vector<std::string> expected;
};

class DefaultFoldersTest : public testing::TestWithParam<DefaultsCase> {};

TEST_P(DefaultFoldersTest, AddsEntriesOnlyForFoldersThatExist) {
    ShellFolderOverride folders(GetParam().existing);
    TCustomFolders list;
    AddDefaultFolders(list);
    EXPECT_EQ(DescribeFolders(list), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Systems, DefaultFoldersTest,
    testing::Values(DefaultsCase{"Everything",
                                 {{sfStartMenu, "a"},
                                  {sfCommonStartMenu, "b"},
                                  {sfDesktop, "c"},
                                  {sfCommonDesktopDirectory, "d"},
                                  {sfPersonal, "e"},
                                  {sfCommonDocuments, "f"},
                                  {sfFavorites, "g"},
                                  {sfCommonFavorites, "h"},
                                  {sfRecent, "i"}},
                                 {"&Start Menu + shell:sfStartMenu shell:sfCommonStartMenu",
                                  "&Desktop + shell:sfDesktop shell:sfCommonDesktopDirectory",
                                  "&My Documents + shell:sfPersonal shell:sfCommonDocuments",
                                  "&Favorites + shell:sfFavorites shell:sfCommonFavorites",
                                  "&Recent Files + shell:sfRecent"}},
                    DefaultsCase{"NoPersonalStartMenu",
                                 {{sfCommonStartMenu, "b"}, {sfDesktop, "c"}, {sfRecent, "i"}},
                                 {"&Desktop + shell:sfDesktop", "&Recent Files + shell:sfRecent"}},
                    DefaultsCase{"NoAllUsersDocuments",
                                 {{sfPersonal, "e"}},
                                 {"&My Documents + shell:sfPersonal"}},
                    // As current Windows has it: both Favorites are the user's own folder.
                    DefaultsCase{"AllUsersFavoritesAreTheUsersOwn",
                                 {{sfFavorites, "C:\\Users\\jo\\Favorites"},
                                  {sfCommonFavorites, "c:\\users\\JO\\Favorites\\"}},
                                 {"&Favorites + shell:sfFavorites"}},
                    DefaultsCase{"Nothing", {}, {}}),
    [](const auto& info) { return info.param.name; });

class CustomFolderTitleTest : public testing::Test {
  protected:
    static bool TitleStored(const TCustomFolder& folder) {
        return GetPropInfo(folder, "Title").IsStored(folder);
    }
    ShellFolderOverride shell{{{sfDesktop, "c"}, {sfStartMenu, "s"}}};
    TCustomFolders list;
};

TEST_F(CustomFolderTitleTest, DefaultTitlesFollowTheLanguageAndAreNotStored) {
    list.Add()->SetTitle("Mine");
    AddDefaultFolders(list);
    TCustomFolder* typed = list.Add();
    typed->Paths()->AddShell(sfDesktop);
    typed->SetTitle("&Work");
    ScopedTextLookup german(kGerman);
    EXPECT_EQ(
        DescribeFolders(list),
        (std::vector<std::string>{"Mine +", "&Startmen\xC3\xBC + shell:sfStartMenu",
                                  "&Schreibtisch + shell:sfDesktop", "&Work + shell:sfDesktop"}));
    EXPECT_FALSE(TitleStored(*list.Items(2)));
    EXPECT_TRUE(TitleStored(*typed));
}

// The dialogs write the title back before the paths; loading sets it after.
TEST_F(CustomFolderTitleTest, ADefaultTitleInEitherLanguageBecomesTheDefault) {
    TCustomFolderPaths desktop;
    desktop.AddShell(sfDesktop);
    const struct {
        const char* title;
        bool followsTheLanguage;
    } cases[] = {{"&Schreibtisch", true},
                 {"&Desktop", true},
                 {"", true},
                 {"Desktop", false},
                 {"&desktop", false}};
    for (const auto& c : cases) {
        for (const bool titleFirst : {false, true}) {
            std::optional<ScopedTextLookup> german(std::in_place, kGerman);
            TCustomFolder* folder = list.Add();
            if (titleFirst)
                folder->SetTitle(c.title);
            folder->SetPaths(&desktop);
            if (!titleFirst)
                folder->SetTitle(c.title);
            german.reset();
            EXPECT_EQ(folder->Title(), c.followsTheLanguage ? "&Desktop" : c.title) << c.title;
            EXPECT_NE(TitleStored(*folder), c.followsTheLanguage) << c.title;
        }
    }
}

TEST(CustomFolderPathTest, TitleFullPathAndPathsTextFollowThePathType) {
    ShellFolderOverride folders({{sfFavorites, "/x/fav"}});
    TCustomFolders list;
    TCustomFolderPaths& paths = *list.Add()->Paths();
    TCustomFolderPath* disk = paths.AddDisk("D:\\Tools");
    TCustomFolderPath* shell = paths.AddShell(sfFavorites);
    TCustomFolderPath* missing = paths.AddShell(sfCommonFavorites);
    EXPECT_EQ(disk->FullPath(), "D:\\Tools");
    EXPECT_EQ(shell->FullPath(), "/x/fav");
    EXPECT_EQ(missing->FullPath(), "");
    EXPECT_EQ(list.Items(0)->PathsText(), "D:\\Tools, Favorites, Common Favorites");
    EXPECT_EQ(list.Add()->PathsText(), "");
}

TEST(CustomFolderTest, ASeparatorReadsAndCopiesAsTheSeparatorTextAndIsNotStored) {
    TCustomFolders list;
    TCustomFolder* source = list.AddSeparator();
    source->SetTitle("stored text");
    source->Paths()->AddDisk("C:\\a");
    source->SetInclude(false);
    EXPECT_EQ(source->Title(), "- separator -");
    EXPECT_FALSE(GetPropInfo(*source, "Title").IsStored(*source));
    TCustomFolder* copy = list.Add();
    copy->Assign(*source);
    EXPECT_TRUE(copy->Separator());
    EXPECT_FALSE(copy->Include());
    ASSERT_EQ(copy->Paths()->Count(), 1);
    EXPECT_NE(copy->Paths()->Items(0), source->Paths()->Items(0));
    copy->SetSeparator(false);
    EXPECT_EQ(copy->Title(), "- separator -");  // the separator text became its title
}

}  // namespace
}  // namespace nimbra
