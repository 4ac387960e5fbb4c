#include "folders/NimbraCustomFolders.h"

#include <gtest/gtest.h>

#include "support/ScopedLanguage.h"
#include "support/TestFolders.h"

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
        DefaultsCase{"Nothing", {}, {}}),
    [](const auto& info) { return info.param.name; });

TEST(DefaultFoldersTest, KeepsWhatIsThereAndFollowsTheLanguage) {
    ShellFolderOverride folders({{sfDesktop, "c"}});
    TCustomFolders list;
    {
        const testing_support::ScopedLanguage german("German",
                                                     "[SysFolders]\nsfDesktop=Schreibtisch");
        list.Add()->SetTitle("Mine");
        AddDefaultFolders(list);
    }
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(0)->Title(), "Mine");
    EXPECT_EQ(list.Items(1)->Title(), "&Schreibtisch");
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

TEST(CustomFolderPathTest, NewPathIsAnEmptyDiskPathOnTheDesktopDefault) {
    TCustomFolderPaths paths;
    TCustomFolderPath* path = paths.Add();
    EXPECT_EQ(path->PathType(), ptDisk);
    EXPECT_EQ(path->Path(), "");
    EXPECT_EQ(path->ShellFolder(), sfDesktop);
}

TEST(CustomFolderTest, SeparatorTitleIsAlwaysTheSeparatorTextAndNotStored) {
    TCustomFolders list;
    TCustomFolder* separator = list.AddSeparator();
    separator->SetTitle("stored text");
    EXPECT_EQ(separator->Title(), "- separator -");
    const TPropInfo& title = GetPropInfo(*separator, "Title");
    EXPECT_FALSE(title.IsStored(*separator));
    EXPECT_TRUE(title.IsStored(*list.Add()));
    EXPECT_TRUE(separator->Include());
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

TEST(CustomFolderTest, PublishedPropertiesInOrderWithDefaults) {
    const TClassInfo& info = TCustomFolder::StaticClassInfo();
    std::vector<std::string> names;
    for (const TPropInfo* p : info.Properties())
        names.push_back(p->Name);
    EXPECT_EQ(names, (std::vector<std::string>{"Paths", "Title", "Include", "Separator"}));
    EXPECT_EQ(info.FindProperty("Include")->Default, 1);
    EXPECT_EQ(info.FindProperty("Separator")->Default, 0);
    const TClassInfo& pathInfo = TCustomFolderPath::StaticClassInfo();
    EXPECT_FALSE(pathInfo.FindProperty("Title")->IsWritable());
    EXPECT_EQ(pathInfo.FindProperty("PathType")->Default, ptDisk);
}

}  // namespace
}  // namespace nimbra
