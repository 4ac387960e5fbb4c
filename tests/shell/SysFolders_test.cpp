#include "shell/SysFolders.h"

#include <gtest/gtest.h>

#include <set>

#include "shell/LocalizedSysFolders.h"
#include "support/ScopedLanguage.h"
#include "support/TestFolders.h"

namespace nimbra {
namespace {

using testing_support::ShellFolderOverride;

struct RowCase {
    TShellFolder folder;
    int code;
    const char* ident;
    const char* name;
};

class ShellFolderTableTest : public testing::TestWithParam<RowCase> {};

TEST_P(ShellFolderTableTest, RowHoldsCodeIdentifierAndName) {
    const RowCase& c = GetParam();
    EXPECT_EQ(GetShellFolderCSIDL(c.folder), c.code);
    EXPECT_EQ(GetShellFolderCSIDL(c.folder, true), c.code + 0x8000) << "create only when asked";
    EXPECT_STREQ(ShellFolderInfo(c.folder).Ident, c.ident);
    EXPECT_STREQ(ShellFolderInfo(c.folder).Name, c.name);
    EXPECT_EQ(EnumTypeInfo(TShellFolder{}).NameOf(c.folder), c.ident);
}

// The rows whose codes are out of ordinal order, and the ends of the table.
INSTANTIATE_TEST_SUITE_P(
    Rows, ShellFolderTableTest,
    testing::Values(RowCase{sfDesktop, 0, "sfDesktop", "Desktop"},
                    RowCase{sfStartMenu, 11, "sfStartMenu", "Start Menu"},
                    RowCase{sfDesktopDirectory, 16, "sfDesktopDirectory", "Desktop Directory"},
                    RowCase{sfAltStartup, 29, "sfAltStartup",
                            "User's nonlocalized Startup program group"},
                    RowCase{sfCommonFavorites, 31, "sfCommonFavorites", "Common Favorites"},
                    RowCase{sfLocalAppData, 28, "sfLocalAppData", "Local Application Data"},
                    RowCase{sfCommonAppData, 35, "sfCommonAppData", "Common Application Data"},
                    RowCase{sfMyDocuments, 12, "sfMyDocuments", "My Documents Shell Folder"},
                    RowCase{sfCommonMusic, 53, "sfCommonMusic", "Common Music"},
                    RowCase{sfProfiles, 62, "sfProfiles", "User Profiles"},
                    RowCase{sfComputersNearMe, 61, "sfComputersNearMe", "Computers Near Me"}));

TEST(ShellFolderTableTest, HasFiftyEightDistinctRows) {
    std::set<int> codes;
    std::set<std::string> idents;
    for (int i = 0; i < kShellFolderCount; ++i) {
        codes.insert(ShellFolderInfo(static_cast<TShellFolder>(i)).Code);
        idents.insert(ShellFolderInfo(static_cast<TShellFolder>(i)).Ident);
    }
    EXPECT_EQ(kShellFolderCount, 58);
    EXPECT_EQ(codes.size(), 58u);
    EXPECT_EQ(idents.size(), 58u);
    EXPECT_EQ(EnumTypeInfo(TShellFolder{}).ValueOf("SFCOMMONFAVORITES"), sfCommonFavorites);
}

TEST(ShellFolderTest, AResolverPointsFoldersElsewhere) {
    ShellFolderOverride folders({{sfFavorites, "/tmp/fav"}});
    EXPECT_EQ(GetShellFolderPath(sfFavorites), "/tmp/fav");
    EXPECT_TRUE(ShellFolderExists(sfFavorites));
    EXPECT_FALSE(ShellFolderExists(sfCommonFavorites));
    EXPECT_EQ(GetShellFolderPath(static_cast<TShellFolder>(99)), "");
}

TEST(ShellFolderTest, VirtualFoldersHaveNoPath) {
    // sfPrinters is virtual too, but Wine hands out a folder for it.
    for (TShellFolder folder : {sfMyComputer, sfControlPanel, sfBitBucket, sfNetwork})
        EXPECT_FALSE(ShellFolderExists(folder)) << ShellFolderInfo(folder).Ident;
}

TEST(ShellFolderNameTest, ALanguageReplacesTheBuiltInName) {
    EXPECT_EQ(GetShellFolderName(sfFavorites), "Favorites");
    const testing_support::ScopedLanguage german("German", "[SysFolders]\nsfFavorites=Favoriten");
    EXPECT_EQ(GetShellFolderName(sfFavorites), "Favoriten");
    EXPECT_EQ(GetShellFolderName(sfDesktop), "Desktop");
}

TEST(ShellFolderNameTest, ConstantsListEveryIdentifierInOrder) {
    const auto constants = SysFoldersConstants();
    ASSERT_EQ(constants.size(), 58u);
    EXPECT_EQ(constants.front(), "SysFolders.sfDesktop=Desktop");
    EXPECT_EQ(constants[30], "SysFolders.sfLocalAppData=Local Application Data");
    EXPECT_EQ(constants.back(), "SysFolders.sfComputersNearMe=Computers Near Me");
}

}  // namespace
}  // namespace nimbra
