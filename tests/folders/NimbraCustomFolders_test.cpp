#include "folders/NimbraCustomFolders.h"

#include <gtest/gtest.h>

#include "support/TestFolders.h"
#include "utils/NewLangUtils.h"

namespace nimbra {
namespace {

using testing_support::ShellFolderOverride;

struct FolderSummary {
    std::string title;
    std::vector<TShellFolder> paths;
    bool operator==(const FolderSummary&) const = default;
};

std::vector<FolderSummary> Summarize(const TCustomFolders& folders) {
    std::vector<FolderSummary> result;
    for (int i = 0; i < folders.Count(); ++i) {
        const TCustomFolder* f = folders.Items(i);
        FolderSummary s{f->Title(), {}};
        for (int p = 0; p < f->Paths()->Count(); ++p) {
            EXPECT_EQ(f->Paths()->Items(p)->PathType(), ptShell);
            s.paths.push_back(f->Paths()->Items(p)->ShellFolder());
        }
        EXPECT_TRUE(f->Include());
        result.push_back(s);
    }
    return result;
}

// Answers the German names of two special folders and the separator.
void SpeakGerman() {
    SetActiveTextLookup(
        [](std::string_view section, std::string_view ident) -> std::optional<std::string> {
            if (section == "SysFolders" && ident == "sfDesktop")
                return "Schreibtisch";
            if (section == "SysFolders" && ident == "sfStartMenu")
                return "Startmen\xC3\xBC";
            return std::nullopt;
        });
}

struct DefaultsCase {
    const char* name;
    std::map<TShellFolder, std::string> existing;
    std::vector<FolderSummary> expected;
};

class DefaultFoldersTest : public testing::TestWithParam<DefaultsCase> {};

TEST_P(DefaultFoldersTest, AddsEntriesOnlyForFoldersThatExist) {
    ShellFolderOverride folders(GetParam().existing);
    TCustomFolders list;
    AddDefaultFolders(list);
    EXPECT_EQ(Summarize(list), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Systems, DefaultFoldersTest,
    testing::Values(
        DefaultsCase{"Everything",
                     {{sfStartMenu, "a"},
                      {sfCommonStartMenu, "b"},
                      {sfDesktop, "c"},
                      {sfCommonDesktopDirectory, "d"},
                      {sfPersonal, "e"},
                      {sfCommonDocuments, "f"},
                      {sfFavorites, "g"},
                      {sfCommonFavorites, "h"},
                      {sfRecent, "i"}},
                     {{"&Start Menu", {sfStartMenu, sfCommonStartMenu}},
                      {"&Desktop", {sfDesktop, sfCommonDesktopDirectory}},
                      {"&My Documents", {sfPersonal, sfCommonDocuments}},
                      {"&Favorites", {sfFavorites, sfCommonFavorites}},
                      {"&Recent Files", {sfRecent}}}},
        DefaultsCase{"NoPersonalStartMenu",
                     {{sfCommonStartMenu, "b"}, {sfDesktop, "c"}, {sfRecent, "i"}},
                     {{"&Desktop", {sfDesktop}}, {"&Recent Files", {sfRecent}}}},
        DefaultsCase{"NoAllUsersDocuments", {{sfPersonal, "e"}}, {{"&My Documents", {sfPersonal}}}},
        // As current Windows does: both Favorites are the user's own folder.
        DefaultsCase{"AllUsersFavoritesAreTheUsersOwn",
                     {{sfFavorites, "C:\\Users\\jo\\Favorites"},
                      {sfCommonFavorites, "c:\\users\\JO\\Favorites\\"}},
                     {{"&Favorites", {sfFavorites}}}},
        DefaultsCase{"Nothing", {}, {}}),
    [](const auto& info) { return info.param.name; });

class CustomFolderTitleTest : public testing::Test {
  protected:
    ~CustomFolderTitleTest() override { SetActiveTextLookup({}); }
    bool TitleStored(const TCustomFolder& folder) const {
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
    ASSERT_EQ(list.Count(), 4);
    SpeakGerman();
    EXPECT_EQ(list.Items(1)->Title(), "&Startmen\xC3\xBC");
    EXPECT_EQ(list.Items(2)->Title(), "&Schreibtisch");
    EXPECT_FALSE(TitleStored(*list.Items(2)));
    EXPECT_EQ(list.Items(0)->Title(), "Mine");
    EXPECT_EQ(typed->Title(), "&Work");
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
            SpeakGerman();
            TCustomFolder* folder = list.Add();
            if (titleFirst)
                folder->SetTitle(c.title);
            folder->SetPaths(&desktop);
            if (!titleFirst)
                folder->SetTitle(c.title);
            SetActiveTextLookup({});
            EXPECT_EQ(folder->Title(), c.followsTheLanguage ? "&Desktop" : c.title) << c.title;
            EXPECT_NE(TitleStored(*folder), c.followsTheLanguage) << c.title;
        }
    }
}

TEST(CustomFolderPathTest, TitleAndFullPathFollowThePathType) {
    ShellFolderOverride folders({{sfFavorites, "/x/fav"}});
    TCustomFolderPaths paths;
    TCustomFolderPath* disk = paths.AddDisk("D:\\Tools");
    TCustomFolderPath* shell = paths.AddShell(sfFavorites);
    TCustomFolderPath* missing = paths.AddShell(sfCommonFavorites);
    EXPECT_EQ(disk->Title(), "D:\\Tools");
    EXPECT_EQ(disk->FullPath(), "D:\\Tools");
    EXPECT_EQ(shell->Title(), "Favorites");
    EXPECT_EQ(shell->FullPath(), "/x/fav");
    EXPECT_EQ(missing->Title(), "Common Favorites");
    EXPECT_EQ(missing->FullPath(), "");
}

TEST(CustomFolderTest, SeparatorTitleIsAlwaysTheSeparatorTextAndNotStored) {
    TCustomFolders list;
    TCustomFolder* separator = list.AddSeparator();
    separator->SetTitle("stored text");
    EXPECT_EQ(separator->Title(), "- separator -");
    EXPECT_FALSE(GetPropInfo(*separator, "Title").IsStored(*separator));
}

TEST(CustomFolderTest, AssignCopiesPathsAndTheTitleAsRead) {
    TCustomFolders list;
    TCustomFolder* source = list.AddSeparator();
    source->Paths()->AddDisk("C:\\a");
    source->SetInclude(false);
    TCustomFolder* copy = list.Add();
    copy->Assign(*source);
    EXPECT_TRUE(copy->Separator());
    EXPECT_FALSE(copy->Include());
    ASSERT_EQ(copy->Paths()->Count(), 1);
    EXPECT_NE(copy->Paths()->Items(0), source->Paths()->Items(0));
    copy->SetSeparator(false);
    EXPECT_EQ(copy->Title(), "- separator -");  // the separator text became its title
}

TEST(CustomFolderTest, PathsTextJoinsTheTitles) {
    ShellFolderOverride folders({});
    TCustomFolders list;
    TCustomFolder* folder = list.Add();
    EXPECT_EQ(folder->PathsText(), "");
    folder->Paths()->AddShell(sfStartMenu);
    folder->Paths()->AddShell(sfCommonStartMenu);
    EXPECT_EQ(folder->PathsText(), "Start Menu, Common Start Menu");
}

}  // namespace
}  // namespace nimbra
