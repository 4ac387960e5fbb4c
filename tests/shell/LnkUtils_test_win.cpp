// Shell links through the shell's own objects, and the binary reader
// checked against them on links the shell wrote.
#include <windows.h>

#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "base/Unicode.h"
#include "shell/LnkUtils.h"
#include "support/LnkBuilder.h"
#include "support/TestFolders.h"
#include "support/WineGaps.h"
#include "utils/FileUtils.h"
#include "utils/MiscUtils.h"

namespace nimbra {
namespace {

using Microsoft::WRL::ComPtr;
using testing_support::BuildLnk;
using testing_support::LnkSpec;
using testing_support::NoteWineGap;
using testing_support::PathText;
using testing_support::RunningUnderWine;
using testing_support::ShellFolderOverride;
using testing_support::TempDir;

const std::string kUnicodeName =
    "\xC3\x9C"
    "bersicht \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80";

std::string SystemRoot() {
    wchar_t buffer[MAX_PATH] = {};
    GetEnvironmentVariableW(L"SystemRoot", buffer, MAX_PATH);
    return ToUtf8(buffer);
}

std::string Notepad() {
    return JoinPath(SystemRoot(), "system32\\notepad.exe");
}

// Writes a link through the shell's link object after `setUp` filled it.
void WriteShellLink(const std::string& file, const std::function<void(IShellLinkW&)>& setUp) {
    ComPtr<IShellLinkW> link;
    ASSERT_HRESULT_SUCCEEDED(
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)));
    setUp(*link.Get());
    ComPtr<IPersistFile> persist;
    ASSERT_HRESULT_SUCCEEDED(link.As(&persist));
    ASSERT_HRESULT_SUCCEEDED(persist->Save(ToWide(file).c_str(), TRUE));
}

// The platform's own identifier list of a path, as bytes without the
// terminator (for links built by hand in the shell's form).
std::string ShellIDListItems(const std::string& path) {
    PIDLIST_ABSOLUTE list = ILCreateFromPathW(ToWide(path).c_str());
    if (list == nullptr)
        return {};
    const std::string bytes(reinterpret_cast<const char*>(list), ILGetSize(list) - 2);
    ILFree(list);
    return bytes;
}

int VisibleWindowsOfThisProcess() {
    int count = 0;
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == GetCurrentProcessId() && IsWindowVisible(window))
                ++*reinterpret_cast<int*>(param);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

// One field of both readers: equal, or different in a way `gap` names as a
// Wine gap (empty when none applies).
template <typename T>
void ExpectAgree(const char* field, const T& com, const T& binary, const std::string& gap) {
    if (com == binary)
        return;
    if (!gap.empty() && RunningUnderWine()) {
        NoteWineGap(std::string(field) + ": " + gap);
        return;
    }
    ADD_FAILURE() << field << " differs: the shell's object gives \"" << com
                  << "\", the binary reader \"" << binary << "\"";
}

// Loads the link with both readers and compares them; the binary reader is
// also held to exactly what was written.
void ExpectReadersAgree(const std::string& file, const TShellLinkData& written) {
    TShellLnk com;
    com.SetFileName(file);
    ASSERT_NO_THROW(com.Load());
    const TShellLinkFile binary = ReadShellLinkFile(file);
    const TShellLinkData& read = binary.Data;

    EXPECT_EQ(read.Path, written.Path);
    EXPECT_EQ(read.Arguments, written.Arguments);
    EXPECT_EQ(read.Description, written.Description);
    EXPECT_EQ(read.WorkingDirectory, written.WorkingDirectory);
    EXPECT_EQ(read.IconLocation, written.IconLocation);
    EXPECT_EQ(read.IconIndex, written.IconIndex);
    EXPECT_EQ(read.HotKey, written.HotKey);
    EXPECT_EQ(read.ShowCmd, written.ShowCmd);

    std::string pathGap;
    if (binary.LinkFlags & lnkHasExpString) {
        if (com.Path().empty() && read.IDList.empty())
            pathGap = "an empty path for a link whose target is only in the environment block";
        else if (com.Path() == binary.IDListPath)
            pathGap = "the raw path ignores the environment block when there is an ID list";
    } else if (com.Path() == binary.LinkInfoPath && binary.LinkInfoPath != binary.IDListPath) {
        pathGap =
            "the path comes from the 8-bit link information, which loses characters "
            "outside the ANSI code page";
    }
    ExpectAgree("Path", com.Path(), read.Path, pathGap);
    ExpectAgree("Target", com.Target(), ExpandEnvVars(read.Path), pathGap);
    ExpectAgree("Arguments", com.Arguments(), read.Arguments, "");
    ExpectAgree("Description", com.Description(), read.Description, "");
    ExpectAgree("WorkingDirectory", com.WorkingDirectory(), read.WorkingDirectory, "");
    const bool iconFilledIn =
        !(binary.LinkFlags & lnkHasIconLocation) && com.IconLocation() == com.Path();
    ExpectAgree("IconLocation", com.IconLocation(), read.IconLocation,
                iconFilledIn ? "Resolve fills a missing icon location with the target path" : "");
    ExpectAgree("IconIndex", com.IconIndex(), read.IconIndex, "");
    ExpectAgree("HotKey", com.HotKey(), read.HotKey, "");
    ExpectAgree(
        "ShowCmd", com.ShowCmd(), read.ShowCmd,
        com.ShowCmd() == kShowNormal ? "the show command stored in the header is ignored" : "");
    EXPECT_TRUE(com.IDList() == read.IDList) << "the identifier lists differ";
}

TShellLinkData Written(const std::string& path) {
    TShellLinkData data;
    data.Path = path;
    return data;
}

struct CorpusCase {
    const char* name;
    // Writes the link and gives the fields it holds.
    std::function<TShellLinkData(const TempDir& dir, const std::string& file)> write;
};

class LnkReadersAgreeTest : public testing::TestWithParam<CorpusCase> {};

TEST_P(LnkReadersAgreeTest, OnLinksTheShellWrote) {
    TempDir dir;
    const std::string file = PathText(dir.Path() / (std::string(GetParam().name) + ".lnk"));
    const TShellLinkData written = GetParam().write(dir, file);
    ASSERT_TRUE(FileExists(file));
    ExpectReadersAgree(file, written);
}

// A link written through the shell's object with one setting besides the
// path; `expect` adds that setting to the written fields.
CorpusCase WithSetting(const char* name, std::function<void(IShellLinkW&)> set,
                       std::function<void(TShellLinkData&)> expect) {
    return {name, [set, expect](const TempDir&, const std::string& file) {
                WriteShellLink(file, [&](IShellLinkW& link) {
                    link.SetPath(ToWide(Notepad()).c_str());
                    set(link);
                });
                TShellLinkData written = Written(Notepad());
                expect(written);
                return written;
            }};
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, LnkReadersAgreeTest,
    testing::Values(
        CorpusCase{"PlainPath",
                   [](const TempDir& dir, const std::string& file) {
                       EXPECT_TRUE(
                           CreateLnk(PathText(dir.Path()), ExtractFileName(file), Notepad(), ""));
                       return Written(Notepad());
                   }},
        CorpusCase{"Arguments",
                   [](const TempDir& dir, const std::string& file) {
                       EXPECT_TRUE(CreateLnk(PathText(dir.Path()), ExtractFileName(file), Notepad(),
                                             "/p \"a b.txt\""));
                       TShellLinkData written = Written(Notepad());
                       written.Arguments = "/p \"a b.txt\"";
                       return written;
                   }},
        WithSetting(
            "Description", [](IShellLinkW& link) { link.SetDescription(L"A note editor"); },
            [](TShellLinkData& data) { data.Description = "A note editor"; }),
        WithSetting(
            "WorkingFolder", [](IShellLinkW& link) { link.SetWorkingDirectory(L"C:\\windows"); },
            [](TShellLinkData& data) { data.WorkingDirectory = "C:\\windows"; }),
        WithSetting(
            "IconLocationAndIndex",
            [](IShellLinkW& link) { link.SetIconLocation(L"C:\\windows\\explorer.exe", 7); },
            [](TShellLinkData& data) {
                data.IconLocation = "C:\\windows\\explorer.exe";
                data.IconIndex = 7;
            }),
        WithSetting(
            "NegativeIconIndex",
            [](IShellLinkW& link) { link.SetIconLocation(L"C:\\windows\\explorer.exe", -154); },
            [](TShellLinkData& data) {
                data.IconLocation = "C:\\windows\\explorer.exe";
                data.IconIndex = -154;
            }),
        WithSetting(
            "HotKey", [](IShellLinkW& link) { link.SetHotkey(0x0641); },
            [](TShellLinkData& data) { data.HotKey = 0x0641; }),
        WithSetting(
            "Maximized", [](IShellLinkW& link) { link.SetShowCmd(SW_SHOWMAXIMIZED); },
            [](TShellLinkData& data) { data.ShowCmd = kShowMaximized; }),
        WithSetting(
            "MinimizedNoActive", [](IShellLinkW& link) { link.SetShowCmd(SW_SHOWMINNOACTIVE); },
            [](TShellLinkData& data) { data.ShowCmd = kShowMinNoActive; }),
        CorpusCase{"UnicodeNames",
                   [](const TempDir& dir, const std::string& file) {
                       const std::string target =
                           PathText(dir.MakeFile(kUnicodeName + ".txt", "text"));
                       WriteShellLink(file, [&](IShellLinkW& link) {
                           link.SetPath(ToWide(target).c_str());
                           link.SetArguments(ToWide(kUnicodeName).c_str());
                           link.SetDescription(ToWide(kUnicodeName).c_str());
                           link.SetWorkingDirectory(ToWide(PathText(dir.Path())).c_str());
                       });
                       TShellLinkData written = Written(target);
                       written.Arguments = kUnicodeName;
                       written.Description = kUnicodeName;
                       written.WorkingDirectory = PathText(dir.Path());
                       return written;
                   }},
        // The form Windows writes for a target given as "%SystemRoot%\...":
        // the target only in the environment-variable block.
        CorpusCase{"SystemRootOnlyInTheEnvironmentBlock",
                   [](const TempDir&, const std::string& file) {
                       LnkSpec spec;
                       spec.environmentTarget = "%SystemRoot%\\system32\\notepad.exe";
                       std::ofstream(std::filesystem::path(ToWide(file)), std::ios::binary)
                           << BuildLnk(spec);
                       return Written("%SystemRoot%\\system32\\notepad.exe");
                   }},
        // The same target with the shell's identifier list and the link
        // information of the expanded path beside the environment block.
        CorpusCase{"SystemRootWithIDListAndLinkInfo",
                   [](const TempDir&, const std::string& file) {
                       LnkSpec spec;
                       spec.idListItems = ShellIDListItems(Notepad());
                       spec.localBasePath = Notepad();
                       spec.environmentTarget = "%SystemRoot%\\system32\\notepad.exe";
                       spec.arguments = "%TEMP%\\x.txt";
                       std::ofstream(std::filesystem::path(ToWide(file)), std::ios::binary)
                           << BuildLnk(spec);
                       TShellLinkData written = Written("%SystemRoot%\\system32\\notepad.exe");
                       written.Arguments = "%TEMP%\\x.txt";
                       return written;
                   }}),
    [](const testing::TestParamInfo<CorpusCase>& info) { return std::string(info.param.name); });

TEST(ShellLnkWindowsTest, EnvironmentReferenceKeepsPathAndExpandsTarget) {
    TempDir dir;
    LnkSpec spec;
    spec.environmentTarget = "%SystemRoot%\\system32\\notepad.exe";
    const std::string file = PathText(dir.MakeFile("env.lnk", BuildLnk(spec)));
    const std::string expanded = SystemRoot() + "\\system32\\notepad.exe";

    const auto link = LoadShellLnk(file);
    ASSERT_NE(link, nullptr);
    if (link->Path().empty() && RunningUnderWine()) {
        NoteWineGap("an empty path for a link whose target is only in the environment block");
        const TShellLinkFile binary = ReadShellLinkFile(file);
        EXPECT_EQ(binary.Data.Path, "%SystemRoot%\\system32\\notepad.exe");
        TShellLnk fromBytes;
        fromBytes.SetPath(binary.Data.Path);
        EXPECT_EQ(fromBytes.Target(), expanded);
    } else {
        EXPECT_EQ(link->Path(), "%SystemRoot%\\system32\\notepad.exe");
        EXPECT_EQ(link->Target(), expanded);
        EXPECT_EQ(GetLnkTarget(file), expanded);
    }
}

TEST(ShellLnkWindowsTest, DeletedTargetGivesAnEmptyTargetAndNoMessage) {
    TempDir dir;
    const std::string target = PathText(dir.MakeFile("gone.txt", "soon gone"));
    ASSERT_TRUE(CreateLnk(PathText(dir.Path()), "gone.lnk", target, ""));
    const std::string file = PathText(dir.Path() / "gone.lnk");
    ASSERT_TRUE(RemoveFile(target));

    const int windowsBefore = VisibleWindowsOfThisProcess();
    std::string result;
    EXPECT_NO_THROW(result = GetLnkTarget(file));
    EXPECT_EQ(VisibleWindowsOfThisProcess(), windowsBefore);
    if (!result.empty() && RunningUnderWine()) {
        NoteWineGap("Resolve never looks for the target and always succeeds");
        EXPECT_EQ(result, ReadShellLinkFile(file).Data.Path);
        EXPECT_EQ(result, target);
    } else {
        EXPECT_EQ(result, "");
    }
}

TEST(ShellLnkWindowsTest, ALinkTheShellCannotLoadGivesAnEmptyTargetAndNoMessage) {
    TempDir dir;
    LnkSpec spec;
    spec.localBasePath = Notepad();
    const std::string file = PathText(dir.MakeFile("cut.lnk", BuildLnk(spec).substr(0, 60)));
    const int windowsBefore = VisibleWindowsOfThisProcess();
    EXPECT_EQ(LoadShellLnk(file), nullptr);
    EXPECT_EQ(GetLnkTarget(file), "");
    EXPECT_EQ(VisibleWindowsOfThisProcess(), windowsBefore);

    TShellLnk link;
    link.SetFileName(file);
    EXPECT_THROW(link.Load(), EOSError);
}

TEST(LnkFileTest, CreateExistsDeleteRoundTrip) {
    TempDir dir;
    const std::string folder = PathText(dir.Path());
    EXPECT_FALSE(LnkExists(folder, "Nimbra.lnk"));
    ASSERT_TRUE(CreateLnk(folder, "Nimbra.lnk", Notepad(), "-tray"));
    EXPECT_TRUE(LnkExists(folder, "Nimbra.lnk"));
    const auto link = LoadShellLnk(JoinPath(folder, "Nimbra.lnk"));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->Target(), Notepad());
    EXPECT_EQ(link->Arguments(), "-tray");
    DeleteLnk(folder, "Nimbra.lnk");
    EXPECT_FALSE(LnkExists(folder, "Nimbra.lnk"));
}

TEST(LnkFileTest, EmptyFolderDoesNothing) {
    TempDir dir;
    dir.MakeFile("Nimbra.lnk", "kept");
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    // With the file in the current folder, a bare name would find it.
    ASSERT_TRUE(SetCurrentDirectoryW(dir.Path().c_str()));
    EXPECT_FALSE(LnkExists("", "Nimbra.lnk"));
    DeleteLnk("", "Nimbra.lnk");
    EXPECT_FALSE(CreateLnk("", "Other.lnk", Notepad(), ""));
    SetCurrentDirectoryW(previous);
    EXPECT_TRUE(FileExists(PathText(dir.Path() / "Nimbra.lnk")));
    EXPECT_FALSE(FileExists(PathText(dir.Path() / "Other.lnk")));
}

TEST(LnkFileTest, AFolderThatIsNotThereGetsNoLink) {
    TempDir dir;
    EXPECT_FALSE(CreateLnk(PathText(dir.Path() / "missing"), "Nimbra.lnk", Notepad(), ""));
}

TEST(LnkFileTest, QuickLaunchFolderIsFoundBelowApplicationData) {
    TempDir appData;
    const ShellFolderOverride folders({{sfAppData, PathText(appData.Path())}});
    EXPECT_EQ(GetQuickLaunchFolder(), "");
    const std::string quickLaunch =
        PathText(appData.MakeDir("Microsoft\\Internet Explorer\\Quick Launch"));
    EXPECT_EQ(GetQuickLaunchFolder(), quickLaunch);
    EXPECT_EQ(GetLnkFolder(lfQuickLaunch), quickLaunch);
}

}  // namespace
}  // namespace nimbra
