#include "shell/SysFolders.h"

#include <gtest/gtest.h>

#include <set>

#include "shell/LocalizedSysFolders.h"
#include "support/ScopedLanguage.h"
#include "support/TestFolders.h"

namespace nimbra {
namespace {

using testing_support::ShellFolderOverride;

// The codes matter to the platform's calls only; the Windows tests check them
// against the platform's own names.
TEST(ShellFolderTableTest, HasFiftyEightDistinctRowsOfferedForTranslation) {
    std::set<int> codes;
    std::set<std::string> idents;
    for (int i = 0; i < kShellFolderCount; ++i) {
        codes.insert(ShellFolderInfo(static_cast<TShellFolder>(i)).Code);
        idents.emplace(EnumTypeInfo(TShellFolder{}).NameOf(i));
    }
    EXPECT_EQ(kShellFolderCount, 58);
    EXPECT_EQ(codes.size(), 58u);
    EXPECT_EQ(idents.size(), 58u);
    const auto constants = SysFoldersConstants();
    ASSERT_EQ(constants.size(), 58u);
    EXPECT_EQ(constants.front(), "SysFolders.sfDesktop=Desktop");
    EXPECT_EQ(constants[30], "SysFolders.sfLocalAppData=Local Application Data");
    EXPECT_EQ(constants.back(), "SysFolders.sfComputersNearMe=Computers Near Me");
}

TEST(ShellFolderTest, AResolverPointsFoldersElsewhere) {
    ShellFolderOverride folders({{sfFavorites, "/tmp/fav"}});
    EXPECT_EQ(GetShellFolderPath(sfFavorites), "/tmp/fav");
    EXPECT_TRUE(ShellFolderExists(sfFavorites));
    EXPECT_FALSE(ShellFolderExists(sfCommonFavorites));
    EXPECT_EQ(GetShellFolderPath(static_cast<TShellFolder>(99)), "");
}

TEST(ShellFolderNameTest, ALanguageReplacesTheBuiltInName) {
    const testing_support::ScopedLanguage german("German", "[SysFolders]\nsfFavorites=Favoriten");
    EXPECT_EQ(GetShellFolderName(sfFavorites), "Favoriten");
    EXPECT_EQ(GetShellFolderName(sfDesktop), "Desktop");
}

}  // namespace
}  // namespace nimbra
