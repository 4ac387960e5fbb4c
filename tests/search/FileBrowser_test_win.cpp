#include <windows.h>

#include <winioctl.h>

#include <gtest/gtest.h>

#include "base/Handles_win.h"
#include "base/Unicode.h"
#include "search/FileBrowser.h"
#include "search/NimbraTypes.h"
#include "support/TestFolders.h"
#include "support/WineGaps.h"

namespace nimbra {
namespace {

using testing_support::PathText;
using testing_support::TempDir;

TEST(WindowsFileBrowserTest, ADriveRootHasNoEntryOfItsOwn) {
    TDateTime changed = 12345;
    EXPECT_FALSE(TFileBrowser::ReadFolderTime("C:\\", changed));
    EXPECT_EQ(changed, 12345);
}

// An included network folder whose host does not answer: listed alone, like
// any folder that cannot be read. How long the system takes to give up is
// recorded, not asserted (Wine gives up at once; Windows waits for its
// network time-out).
TEST(WindowsFileBrowserTest, AShareOnAHostThatDoesNotAnswerIsListedAlone) {
    const ULONGLONG start = GetTickCount64();
    TProgramMenuItems items{nullptr};
    items.ScanRoot("\\\\10.255.255.1\\share", "R");
    RecordProperty("ScanMilliseconds", static_cast<int>(GetTickCount64() - start));
    ASSERT_EQ(items.Count(), 1);
    EXPECT_EQ(items.Items(0).Changed(), 0);
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

// Makes `link` a directory junction to `target` (an absolute path), as
// "mklink /J" does; false where the file system cannot.
bool MakeJunction(const std::filesystem::path& link, const std::filesystem::path& target) {
    if (!CreateDirectoryW(link.wstring().c_str(), nullptr))
        return false;
    const TFileHandle dir(
        CreateFileW(link.wstring().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!dir)
        return false;
    // The mount-point reparse buffer: the NT path, then the printed one.
    const std::wstring substitute = L"\\??\\" + target.wstring();
    const std::wstring print = target.wstring();
    const auto bytes = [](const std::wstring& text) {
        return static_cast<USHORT>(text.size() * sizeof(wchar_t));
    };
    std::vector<BYTE> buffer(8 + 8 + bytes(substitute) + bytes(print) + 2 * sizeof(wchar_t));
    auto* words = reinterpret_cast<USHORT*>(buffer.data());
    *reinterpret_cast<DWORD*>(buffer.data()) = IO_REPARSE_TAG_MOUNT_POINT;
    words[2] = static_cast<USHORT>(buffer.size() - 8);                    // data length
    words[4] = 0;                                                         // substitute offset
    words[5] = bytes(substitute);                                         // substitute length
    words[6] = static_cast<USHORT>(bytes(substitute) + sizeof(wchar_t));  // print offset
    words[7] = bytes(print);                                              // print length
    auto* text = reinterpret_cast<wchar_t*>(buffer.data() + 16);
    std::copy(substitute.begin(), substitute.end(), text);
    std::copy(print.begin(), print.end(), text + substitute.size() + 1);
    DWORD returned = 0;
    return DeviceIoControl(dir.Get(), FSCTL_SET_REPARSE_POINT, buffer.data(),
                           static_cast<DWORD>(buffer.size()), nullptr, 0, &returned,
                           nullptr) != FALSE;
}

// A junction that leads back to a folder above it is listed as a folder,
// but not entered: the tree is read once, not once per level until paths
// grow too long.
TEST(WindowsFileBrowserTest, AFolderIsKnownByOneIdentityWhateverThePathAndOthersByTheirOwn) {
    TempDir dir;
    const auto a = dir.MakeDir("a");
    const auto b = dir.MakeDir("b");
    std::uint64_t ids[3][2] = {};
    ASSERT_TRUE(TFileBrowser::ReadFolderId(PathText(a), ids[0][0], ids[0][1]));
    ASSERT_TRUE(TFileBrowser::ReadFolderId(PathText(b / ".." / "A"), ids[1][0], ids[1][1]));
    ASSERT_TRUE(TFileBrowser::ReadFolderId(PathText(b), ids[2][0], ids[2][1]));
    EXPECT_EQ(ids[0][1], ids[1][1]);
    EXPECT_EQ(ids[0][0], ids[1][0]);
    EXPECT_NE(ids[0][1], ids[2][1]);
    std::uint64_t device = 0;
    std::uint64_t node = 0;
    EXPECT_FALSE(TFileBrowser::ReadFolderId(PathText(dir.Path() / "missing"), device, node));
}

TEST(WindowsFileBrowserTest, AJunctionToAnAncestorIsListedButNotEntered) {
    TempDir dir;
    const auto a = dir.MakeDir("a");
    dir.MakeFile("a\\x.txt");
    const auto b = dir.MakeDir("a\\b");
    // Wine 8 makes no junctions (and its CreateSymbolicLinkW succeeds
    // without making anything), so what was made is checked.
    const bool made =
        MakeJunction(b / "loop", a) &&
        (GetFileAttributesW((b / "loop").wstring().c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    if (!made) {
        testing_support::NoteWineGap("no directory junctions: the cycle test has nothing to walk");
        GTEST_SKIP() << "this file system makes no junctions";
    }
    std::uint64_t device = 0;
    std::uint64_t node = 0;
    std::uint64_t loopDevice = 0;
    std::uint64_t loopNode = 0;
    ASSERT_TRUE(TFileBrowser::ReadFolderId(PathText(a), device, node));
    ASSERT_TRUE(TFileBrowser::ReadFolderId(PathText(b / "loop"), loopDevice, loopNode));
    EXPECT_EQ(std::make_pair(loopDevice, loopNode), std::make_pair(device, node))
        << "the junction leads to the folder it names";

    TProgramMenuItems items{nullptr};
    items.ScanRoot(PathText(dir.Path()), "R");
    std::vector<std::string> titles;
    for (int i = 1; i < items.Count(); ++i)
        titles.push_back(items.Items(i).Title());
    EXPECT_EQ(titles, (std::vector<std::string>{"a", "x.txt", "b", "loop"}));
    RemoveDirectoryW((b / "loop").wstring().c_str());
}

}  // namespace
}  // namespace nimbra
