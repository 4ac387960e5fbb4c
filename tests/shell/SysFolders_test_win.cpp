#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "base/Unicode.h"
#include "shell/SysFolders.h"

namespace nimbra {
namespace {

TEST(WindowsShellFolderTest, UserFoldersResolveToExistingFolders) {
    for (TShellFolder folder : {sfDesktop, sfPersonal, sfAppData, sfLocalAppData, sfWindows,
                                sfSystem, sfProgramFiles, sfProfile}) {
        const std::string path = GetShellFolderPath(folder);
        ASSERT_FALSE(path.empty()) << ShellFolderInfo(folder).Ident;
        EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::path(ToWide(path)))) << path;
    }
    wchar_t windows[MAX_PATH] = {};
    ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 0u);
    EXPECT_EQ(ToWide(GetShellFolderPath(sfWindows)), std::wstring(windows));
}

}  // namespace
}  // namespace nimbra
