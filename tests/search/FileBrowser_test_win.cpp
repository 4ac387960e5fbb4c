#include <windows.h>

#include <gtest/gtest.h>

#include "base/Unicode.h"
#include "search/FileBrowser.h"
#include "search/NimbraTypes.h"
#include "support/TestFolders.h"

namespace nimbra {
namespace {

using testing_support::PathText;
using testing_support::TempDir;

TEST(WindowsFileBrowserTest, ADriveRootHasNoEntryOfItsOwn) {
    TDateTime changed = 12345;
    EXPECT_FALSE(TFileBrowser::ReadFolderTime("C:\\", changed));
    EXPECT_EQ(changed, 12345);
}

TEST(WindowsFileBrowserTest, HiddenAndSystemEntriesAreListed) {
    TempDir dir;
    const auto hidden = dir.MakeFile("hidden.txt");
    const auto system = dir.MakeDir("system");
    ASSERT_TRUE(SetFileAttributesW(hidden.wstring().c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW(system.wstring().c_str(),
                                   FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY));
    TProgramMenuItems items{nullptr};
    items.ScanRoot(PathText(dir.Path()), "R");
    ASSERT_EQ(items.Count(), 3);
    EXPECT_EQ(items.Items(1).Title(), "hidden.txt");
    EXPECT_EQ(items.Items(2).Title(), "system");
    EXPECT_TRUE(items.Items(2).IsFolder());
}

TEST(WindowsFileBrowserTest, TimesAreTheEntrysLastWriteInLocalTime) {
    TempDir dir;
    const auto file = dir.MakeFile("stamp.txt");
    HANDLE handle = CreateFileW(file.wstring().c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    // 2021-01-15 12:00 UTC.
    const ULONGLONG ticks = 132551856000000000ULL;
    FILETIME written{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    ASSERT_TRUE(SetFileTime(handle, nullptr, nullptr, &written));
    CloseHandle(handle);

    TFileBrowser browser;
    browser.SetPath(PathText(dir.Path()));
    ASSERT_TRUE(browser.Next());
    EXPECT_EQ(browser.Name(), "stamp.txt");
    EXPECT_FALSE(browser.IsDirectory());
    EXPECT_EQ(browser.LastWriteTime(), UtcToLocal(EncodeDate(2021, 1, 15) + 0.5));
    EXPECT_FALSE(browser.Next());
}

}  // namespace
}  // namespace nimbra
