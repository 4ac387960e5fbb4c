#include "folders/CustomFolderUtils.h"

#include <gtest/gtest.h>

#include "support/ScopedTextLookup.h"
#include "support/TestFolders.h"

namespace nimbra {
namespace {

using testing_support::ShellFolderOverride;

// What happens to the entry dialog's title: a step is either the user
// typing ("type:" text) or the paths changing ("paths:" new default title).
struct AutoTitleCase {
    const char* name;
    const char* loaded;
    const char* loadedDefault;
    std::vector<std::string> steps;
    const char* shown;
    const char* written;  // at OK, with the last default title
};

class AutoTitleTest : public testing::TestWithParam<AutoTitleCase> {};

TEST_P(AutoTitleTest, FollowsTheFirstPathUntilTheUserTypesATitle) {
    const AutoTitleCase& c = GetParam();
    TAutoTitle title;
    title.Load(c.loaded, c.loadedDefault);
    std::string defaultTitle = c.loadedDefault;
    for (const std::string& step : c.steps) {
        if (step.starts_with("type:"))
            title.Typed(step.substr(5));
        else
            title.LocationsChanged(defaultTitle = step.substr(6));
    }
    EXPECT_EQ(title.Title(), c.shown);
    EXPECT_EQ(title.FinalTitle(defaultTitle), c.written);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, AutoTitleTest,
    testing::Values(
        AutoTitleCase{"NewEntryTakesTheFirstPath", "", "", {"paths:&Tools"}, "&Tools", "&Tools"},
        AutoTitleCase{"DefaultTitleFollowsANewFirstPath",
                      "&Tools",
                      "&Tools",
                      {"paths:&Games"},
                      "&Games",
                      "&Games"},
        AutoTitleCase{"TypedTitleIsKeptWhenPathsAreAdded",
                      "",
                      "",
                      {"paths:&Tools", "type:My tools", "paths:&Games"},
                      "My tools",
                      "My tools"},
        AutoTitleCase{"LoadedOwnTitleIsKept", "Work", "&Tools", {"paths:&Games"}, "Work", "Work"},
        AutoTitleCase{"EmptiedTitleFollowsAgain",
                      "Work",
                      "&Tools",
                      {"type:", "paths:&Games"},
                      "&Games",
                      "&Games"},
        AutoTitleCase{"EmptyTitleIsFilledAtOk", "Work", "&Tools", {"type:"}, "", "&Tools"},
        AutoTitleCase{"AllPathsRemoved", "&Tools", "&Tools", {"paths:"}, "", ""}),
    [](const auto& info) { return info.param.name; });

TEST(CanAcceptFolderTest, NeedsAtLeastOnePath) {
    TCustomFolders list;
    TCustomFolder* folder = list.Add();
    EXPECT_FALSE(CanAcceptFolder(*folder));
    folder->Paths()->AddDisk("C:\\a");
    EXPECT_TRUE(CanAcceptFolder(*folder));
    delete folder->Paths()->Items(0);
    EXPECT_FALSE(CanAcceptFolder(*folder));
}

struct LocationCase {
    const char* name;
    TCustomFolderPathType type;
    int row;
    const char* path;
    bool valid;
};

class LocationValidTest : public testing::TestWithParam<LocationCase> {};

TEST_P(LocationValidTest, OnlyTheChosenKindCounts) {
    const LocationCase& c = GetParam();
    EXPECT_EQ(IsLocationValid(c.type, c.row, c.path), c.valid);
}

INSTANTIATE_TEST_SUITE_P(Choices, LocationValidTest,
                         testing::Values(LocationCase{"ShellWithRow", ptShell, 0, "", true},
                                         LocationCase{"ShellWithoutRow", ptShell, -1, "C:\\",
                                                      false},
                                         LocationCase{"DiskWithPath", ptDisk, -1, "C:\\", true},
                                         LocationCase{"DiskWithoutPath", ptDisk, 3, "", false}),
                         [](const auto& info) { return info.param.name; });

TEST(ExistingShellFoldersTest, OffersOnlyFoldersThatExistSortedByLocalizedName) {
    ShellFolderOverride shell(
        {{sfDesktop, "/d"}, {sfFavorites, "/f"}, {sfPersonal, "/p"}, {sfRecent, "/r"}});
    testing_support::ScopedTextLookup german({{{"SysFolders", "sfDesktop"}, "Schreibtisch"},
                                              {{"SysFolders", "sfPersonal"}, "Eigene Dateien"},
                                              {{"SysFolders", "sfRecent"}, "zuletzt benutzt"}});
    const std::vector<TShellFolderChoice> choices = ExistingShellFolders();
    std::vector<std::string> names;
    for (const TShellFolderChoice& choice : choices)
        names.push_back(choice.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"Eigene Dateien", "Favorites", "Schreibtisch",
                                               "zuletzt benutzt"}));
    EXPECT_EQ(ShellFolderRow(choices, sfDesktop), 2);
    EXPECT_EQ(ShellFolderRow(choices, sfCommonDocuments), 0);  // not offered: the first row
}

TEST(ExistingShellFoldersTest, NoFolderMeansNoRowToSelect) {
    ShellFolderOverride shell({});
    const std::vector<TShellFolderChoice> choices = ExistingShellFolders();
    EXPECT_TRUE(choices.empty());
    EXPECT_EQ(ShellFolderRow(choices, sfDesktop), -1);
}

}  // namespace
}  // namespace nimbra
