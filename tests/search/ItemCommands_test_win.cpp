// Catalogue entries the file system makes awkward: names Windows allows but
// UTF-8 cannot hold, paths beyond the classic limit, and shortcuts that
// point at themselves, at each other or at a drive that is gone. Each is
// listed, the scan ends, and the commands reach the right file.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "base/Unicode.h"
#include "search/ItemCommands.h"
#include "search/NimbraTypes.h"
#include "shell/LnkUtils.h"
#include "shell/PidlUtils_win.h"
#include "support/TestFolders.h"
#include "support/WineGaps.h"
#include "utils/MiscUtils.h"

namespace nimbra {
namespace {

using testing_support::PathText;
using testing_support::TempDir;

struct NameCase {
    const char* name;
    std::wstring fileName;
};

void PrintTo(const NameCase& c, std::ostream* out) {
    *out << c.name;
}

class AwkwardNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(AwkwardNameTest, IsListedAndItsCommandsReachTheFile) {
    TempDir dir;
    const std::wstring wide = dir.Path().wstring() + L"\\" + GetParam().fileName;
    const HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && testing_support::RunningUnderWine()) {
        // Wine keeps names as UTF-8 on the host, which has no unpaired
        // surrogates; the conversion itself is tested natively.
        testing_support::NoteWineGap("no file names with unpaired surrogates");
        GTEST_SKIP() << "this file system takes no such name";
    }
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    TProgramMenuItems items{nullptr};
    items.ScanRoot(PathText(dir.Path()), "R");
    ASSERT_EQ(items.Count(), 2);
    const TProgramMenuItem entry = items.Items(1);
    // What the list shows is the name as the system gives it.
    EXPECT_EQ(ToWide(entry.Title()), GetParam().fileName);
    EXPECT_EQ(ToWide(entry.FullPath()), wide);
    EXPECT_NE(GetFileAttributesW(ToWide(entry.FullPath()).c_str()), INVALID_FILE_ATTRIBUTES);
    // Opening and "find target" start from the path; "show in folder"
    // selects the item the shell parses from it.
    EXPECT_EQ(TargetToShow(entry.FullPath()), entry.FullPath());
    TPidlPtr pidl;
    ASSERT_TRUE(ParsePath(entry.FullPath(), pidl));
    EXPECT_EQ(ToWide(PidlToPath(pidl.Get())), wide);
}

INSTANTIATE_TEST_SUITE_P(
    Names, AwkwardNameTest,
    testing::Values(NameCase{"UnpairedHighSurrogate",
                             std::wstring(L"x") + wchar_t(0xD800) + L"y.txt"},
                    NameCase{"UnpairedLowSurrogateAtEnd", std::wstring(L"z.t") + wchar_t(0xDC01)},
                    NameCase{"OutsideTheCodePage", L"\u03A9\u6F22\u5B57 \U0001F600.txt"}),
    [](const auto& info) { return info.param.name; });

// A drive letter that names no drive here.
std::string MissingDrive() {
    const DWORD drives = GetLogicalDrives();
    for (char letter = 'Q'; letter <= 'Y'; ++letter) {
        if ((drives & (1u << (letter - 'A'))) == 0)
            return std::string(1, letter) + ":";
    }
    return "B:";
}

struct LinkCase {
    const char* name;
    // Link file name -> target; "{dir}" stands for the test folder.
    std::map<std::string, std::string> links;
    std::string asked;
    std::string shown;  // file name below the test folder
};

void PrintTo(const LinkCase& c, std::ostream* out) {
    *out << c.name;
}

class ShortcutTargetTest : public testing::TestWithParam<LinkCase> {};

std::string Expand(const std::string& text, const std::string& dir) {
    std::string out = text;
    for (auto at = out.find("{dir}"); at != std::string::npos; at = out.find("{dir}"))
        out.replace(at, 5, dir);
    for (auto at = out.find("{gone}"); at != std::string::npos; at = out.find("{gone}"))
        out.replace(at, 6, MissingDrive());
    return out;
}

TEST_P(ShortcutTargetTest, ListingAndFindTargetEndAfterOneStep) {
    TempDir dir;
    dir.MakeFile("tool.txt", "x");
    const std::string folder = PathText(dir.Path());
    for (const auto& [name, target] : GetParam().links)
        ASSERT_TRUE(CreateLnk(folder, name, Expand(target, folder), "")) << name;

    TProgramMenuItems items{nullptr};
    items.ScanRoot(folder, "R");
    EXPECT_EQ(items.Count(), static_cast<int>(GetParam().links.size()) + 2);
    EXPECT_EQ(TargetToShow(JoinPath(folder, GetParam().asked)), JoinPath(folder, GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    Links, ShortcutTargetTest,
    testing::Values(
        LinkCase{"ToAFile", {{"a.lnk", "{dir}\\tool.txt"}}, "a.lnk", "tool.txt"},
        LinkCase{"ToItself", {{"self.lnk", "{dir}\\self.lnk"}}, "self.lnk", "self.lnk"},
        LinkCase{
            "Chain", {{"a.lnk", "{dir}\\b.lnk"}, {"b.lnk", "{dir}\\tool.txt"}}, "a.lnk", "b.lnk"},
        LinkCase{"Loop", {{"a.lnk", "{dir}\\b.lnk"}, {"b.lnk", "{dir}\\a.lnk"}}, "a.lnk", "b.lnk"},
        LinkCase{"DeletedTarget", {{"a.lnk", "{dir}\\deleted.exe"}}, "a.lnk", "a.lnk"},
        LinkCase{"MissingDrive", {{"a.lnk", "{gone}\\Tools\\tool.exe"}}, "a.lnk", "a.lnk"}),
    [](const auto& info) { return info.param.name; });

// Folders nested beyond the classic 260-character limit: the scan ends, and
// every entry it lists is one that exists.
TEST(LongPathScanTest, EndsAndListsOnlyWhatExists) {
    TempDir dir;
    std::wstring path = L"\\\\?\\" + dir.Path().wstring();
    const std::wstring level(40, L'd');
    for (int i = 0; i < 10; ++i) {
        path += L"\\" + level;
        ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
    }
    const HANDLE file = CreateFileW((path + L"\\deep.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    TProgramMenuItems items{nullptr};
    items.ScanRoot(PathText(dir.Path()), "R");
    ASSERT_GE(items.Count(), 2) << "the folders within the limit are listed";
    for (int i = 0; i < items.Count(); ++i) {
        const std::wstring full = L"\\\\?\\" + ToWide(items.Items(i).FullPath());
        EXPECT_NE(GetFileAttributesW(full.c_str()), INVALID_FILE_ATTRIBUTES)
            << items.Items(i).FullPath();
    }
    RecordProperty("EntriesListed", items.Count());
    // The tree is removed from the deepest folder up, with the long form.
    DeleteFileW((path + L"\\deep.txt").c_str());
    for (int i = 0; i < 10; ++i) {
        RemoveDirectoryW(path.c_str());
        path.erase(path.rfind(L'\\'));
    }
}

}  // namespace
}  // namespace nimbra
