#include "shell/LnkUtils.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/LnkBuilder.h"
#include "support/ScopedEnv.h"
#include "support/TestFolders.h"
#include "utils/FileUtils.h"
#include "utils/MiscUtils.h"

namespace nimbra {
namespace {

using testing_support::BuildLnk;
using testing_support::PathText;
using testing_support::ScopedEnv;
using testing_support::ShellFolderOverride;
using testing_support::TempDir;
namespace fs = std::filesystem;

TEST(LoadShellLnkTest, NoNameNoFileAndDamagedFilesGiveNoLink) {
    TempDir dir;
    const std::string damaged = PathText(dir.MakeFile("damaged.lnk", "L\0\0\0 not a link"));
    const std::string truncated =
        PathText(dir.MakeFile("truncated.lnk", BuildLnk({}).substr(0, 40)));
    for (const std::string& name :
         {std::string(), PathText(dir.Path() / "missing.lnk"), damaged, truncated}) {
        EXPECT_EQ(LoadShellLnk(name), nullptr) << name;
        EXPECT_EQ(GetLnkTarget(name), "") << name;
    }
}

TEST(ShellLnkTest, LoadWithoutAFileNameResetsEveryField) {
    TempDir dir;
    const std::string file = PathText(
        dir.MakeFile("full.lnk", BuildLnk({.localBasePath = PathText(dir.MakeFile("t.txt", "x")),
                                           .arguments = "-a",
                                           .showCommand = 3,
                                           .iconIndex = 4})));
    TShellLnk link;
    link.SetFileName(file);
    link.Load();
    ASSERT_EQ(link.Arguments(), "-a");
    ASSERT_NE(link.Target(), "");

    link.SetFileName("");
    link.Load();
    EXPECT_EQ(link.Data(), TShellLinkData());
    EXPECT_EQ(link.Target(), "");
}

struct PlaceCase {
    TLnkFolder place;
    TShellFolder folder;
};

class LnkFolderTest : public testing::TestWithParam<PlaceCase> {};

TEST_P(LnkFolderTest, EachPlaceIsItsSpecialFolder) {
    const ShellFolderOverride folders({{GetParam().folder, "C:\\Place"}});
    EXPECT_EQ(GetLnkFolder(GetParam().place), "C:\\Place");
}

INSTANTIATE_TEST_SUITE_P(Table, LnkFolderTest,
                         testing::Values(PlaceCase{lfDesktop, sfDesktopDirectory},
                                         PlaceCase{lfStartMenu, sfStartMenu},
                                         PlaceCase{lfStartup, sfStartup},
                                         PlaceCase{lfPrograms, sfPrograms},
                                         PlaceCase{lfCommonPrograms, sfCommonPrograms},
                                         PlaceCase{lfCommonStartup, sfCommonStartup}));

TEST(LnkFolderTest, PlacesThatCannotBeResolvedAreEmpty) {
    {
        const ShellFolderOverride nothing({});
        for (TLnkFolder place : {lfDesktop, lfCommonStartup, lfQuickLaunch})
            EXPECT_EQ(GetLnkFolder(place), "") << place;
    }
    TempDir appData;
    const ShellFolderOverride folders({{sfAppData, PathText(appData.Path())}});
    EXPECT_EQ(GetQuickLaunchFolder(), "") << "the folder below application data is missing";
    const std::string quickLaunch =
        PathText(appData.MakeDir("Microsoft/Internet Explorer/Quick Launch"));
    EXPECT_EQ(GetQuickLaunchFolder(),
              JoinPath(PathText(appData.Path()), "Microsoft\\Internet Explorer\\Quick Launch"));
    EXPECT_TRUE(DirectoryExists(GetLnkFolder(lfQuickLaunch)));
}

// An empty folder never names the current one, whose link would be found
// by its bare name; a folder that is not there gets no link either.
TEST(LnkFileTest, AnEmptyOrMissingFolderHasNoLink) {
    TempDir dir;
    dir.MakeFile("Nimbra.lnk", "kept");
    const fs::path previous = fs::current_path();
    fs::current_path(dir.Path());
    EXPECT_FALSE(LnkExists("", "Nimbra.lnk"));
    DeleteLnk("", "Nimbra.lnk");
    EXPECT_FALSE(CreateLnk("", "Nimbra.lnk", "C:\\x.exe", ""));
    fs::current_path(previous);
    EXPECT_TRUE(FileExists(PathText(dir.Path() / "Nimbra.lnk")));
    EXPECT_FALSE(CreateLnk(PathText(dir.Path() / "missing"), "Nimbra.lnk", "C:\\x.exe", ""));
}

struct ExpandCase {
    const char* text;
    const char* expanded;
};

class ExpandEnvVarsTest : public testing::TestWithParam<ExpandCase> {};

// The same table holds for the system's expansion and for our own.
TEST_P(ExpandEnvVarsTest, ReplacesOnlyKnownNames) {
    const ScopedEnv a("NIMBRA_A", "alpha");
    const ScopedEnv b("NIMBRA_B", "");
    EXPECT_EQ(ExpandEnvVars(GetParam().text), GetParam().expanded);
    TShellLnk link;
    link.SetPath(GetParam().text);
    EXPECT_EQ(link.Target(), GetParam().expanded) << "setting the path expands the target";
}

INSTANTIATE_TEST_SUITE_P(
    Table, ExpandEnvVarsTest,
    testing::Values(ExpandCase{"%NIMBRA_A%\\x", "alpha\\x"}, ExpandCase{"%NIMBRA_B%x", "x"},
                    // An unknown reference is kept whole; its closing mark
                    // opens nothing.
                    ExpandCase{"%NIMBRA_NONE%NIMBRA_A%", "%NIMBRA_NONE%NIMBRA_A%"},
                    ExpandCase{"%NIMBRA_NONE%%NIMBRA_A%", "%NIMBRA_NONE%alpha"},
                    ExpandCase{"100%", "100%"}, ExpandCase{"%%", "%%"}));

}  // namespace
}  // namespace nimbra
