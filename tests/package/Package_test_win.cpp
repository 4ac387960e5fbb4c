// The release packages as a user meets them, in this Wine prefix: the setup
// program run silently, the installed program, the silent uninstaller, and
// the portable folder. scripts/test builds the packages and names them:
//   NIMBRA_SETUP     the setup program (Nimbra-<version>-setup.exe)
//   NIMBRA_PORTABLE  the folder unpacked from Nimbra-<version>-portable.zip
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "base/Handles_win.h"
#include "base/Unicode.h"
#include "e2e/NimbraDriver.h"
#include "shell/LnkUtils.h"

namespace nimbra::package {
namespace {

namespace fs = std::filesystem;
using e2e::FindTopWindow;

constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Nimbra";
constexpr wchar_t kSettingsKey[] = L"Software\\Quillmoor Software\\Nimbra";
constexpr char kLink[] = "Nimbra.lnk";

fs::path FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0')
        throw std::runtime_error(std::string(name) + " is not set (scripts/test sets it)");
    return fs::path(ToWide(value));
}

fs::path LinkIn(TLnkFolder place) {
    return fs::path(ToWide(GetLnkFolder(place))) / kLink;
}

fs::path InstallFolder() {
    return fs::path(ToWide(ExpandEnvVars("%LOCALAPPDATA%"))) / L"Programs" / L"Nimbra";
}

bool SamePath(const fs::path& a, const fs::path& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

bool WaitFor(const std::function<bool()>& done, int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return true;
}

// A started program; ended by force if a test leaves it running.
class TProcess {
  public:
    explicit TProcess(const fs::path& exe, const std::wstring& arguments = L"") {
        std::wstring line = L"\"" + exe.wstring() + L"\" " + arguments;
        STARTUPINFOW startup{sizeof startup};
        PROCESS_INFORMATION info{};
        if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &info))
            throw std::runtime_error("cannot start " + ToUtf8(exe.wstring()));
        CloseHandle(info.hThread);
        process_.Reset(info.hProcess);
        id_ = info.dwProcessId;
    }
    ~TProcess() {
        if (Running())
            TerminateProcess(process_.Get(), 1);
    }
    TProcess(const TProcess&) = delete;
    TProcess& operator=(const TProcess&) = delete;

    bool Running() const { return WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT; }
    // The exit code, or STILL_ACTIVE when it still runs after `ms`.
    DWORD Wait(DWORD ms = 120000) const {
        DWORD code = STILL_ACTIVE;
        if (WaitForSingleObject(process_.Get(), ms) == WAIT_OBJECT_0)
            GetExitCodeProcess(process_.Get(), &code);
        return code;
    }
    // Whether the main window came up (for a start into the notification
    // area: exists) within `ms`.
    bool MainWindowComes(bool shown, int ms = 30000) const {
        return WaitFor(
            [&] {
                const HWND main = FindTopWindow(id_, "NimbraApp");
                return main != nullptr && (!shown || IsWindowVisible(main));
            },
            ms);
    }

  private:
    TKernelHandle process_;
    DWORD id_ = 0;
};

DWORD RunToEnd(const fs::path& exe, const std::wstring& arguments) {
    return TProcess(exe, arguments).Wait();
}

std::optional<std::wstring> RegText(const wchar_t* key, const wchar_t* value) {
    wchar_t text[1024] = {};
    DWORD size = sizeof text;
    if (RegGetValueW(HKEY_CURRENT_USER, key, value, RRF_RT_REG_SZ, nullptr, text, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(text);
}

std::optional<DWORD> RegNumber(const wchar_t* key, const wchar_t* value) {
    DWORD number = 0;
    DWORD size = sizeof number;
    if (RegGetValueW(HKEY_CURRENT_USER, key, value, RRF_RT_REG_DWORD, nullptr, &number, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return number;
}

bool KeyExists(const wchar_t* key) {
    HKEY opened = nullptr;
    const bool exists =
        RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &opened) == ERROR_SUCCESS;
    const TRegKey owner(opened);
    return exists;
}

std::string FileText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A string of the program's version resource ("ProductVersion", ...).
std::wstring VersionText(const fs::path& exe, const std::wstring& name) {
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), nullptr);
    std::vector<BYTE> data(size);
    if (size == 0 || !GetFileVersionInfoW(exe.c_str(), 0, size, data.data()))
        return {};
    wchar_t* text = nullptr;
    UINT length = 0;
    const std::wstring path = L"\\StringFileInfo\\040904b0\\" + name;
    if (!VerQueryValueW(data.data(), path.c_str(), reinterpret_cast<void**>(&text), &length))
        return {};
    return std::wstring(text, length > 0 ? length - 1 : 0);
}

// Nothing of an earlier run: no installed files, shortcuts, entry or settings.
void RemoveEverything() {
    std::error_code ignored;
    fs::remove_all(InstallFolder(), ignored);
    for (TLnkFolder place : {lfPrograms, lfStartup, lfDesktop})
        fs::remove(LinkIn(place), ignored);
    RegDeleteTreeW(HKEY_CURRENT_USER, kUninstallKey);
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
}

// ---- the installer ----------------------------------------------------------------

// A failure in a suite's set-up only skips its tests; so the set-up keeps
// what went wrong, and each test fails on it.
class PackageSuite : public testing::Test {
  protected:
    static void Prepare(const std::function<void()>& steps) {
        problem_.clear();
        try {
            steps();
        } catch (const std::exception& e) {
            problem_ = e.what();
        }
    }
    static void Fail(const std::string& problem) { throw std::runtime_error(problem); }
    // Nothing of an earlier run, then the silent setup.
    static void FreshInstall() {
        RemoveEverything();
        if (RunToEnd(SetupProgram(), L"/S") != 0)
            Fail("the silent setup failed");
    }
    static fs::path SetupProgram() { return FromEnvironment("NIMBRA_SETUP"); }
    static fs::path InstalledExe() { return InstallFolder() / L"nimbra.exe"; }
    void SetUp() override { ASSERT_EQ(problem_, ""); }

    static inline std::string problem_;
};

class InstallerTest : public PackageSuite {
  protected:
    static void SetUpTestSuite() { Prepare(&FreshInstall); }
};

TEST_F(InstallerTest, PutsTheProgramAndItsLanguagesIntoTheUsersProgramsFolder) {
    for (const wchar_t* name : {L"nimbra.exe", L"Default.lng", L"German.lng", L"uninstall.exe"})
        EXPECT_TRUE(fs::is_regular_file(InstallFolder() / name)) << ToUtf8(name);
    // The very program of the portable package, not another build.
    const fs::path portable = FromEnvironment("NIMBRA_PORTABLE") / L"nimbra.exe";
    EXPECT_EQ(FileText(InstalledExe()), FileText(portable));
    EXPECT_FALSE(fs::exists(InstallFolder() / L"Nimbra.ini"))
        << "an installed copy is not portable";
}

TEST_F(InstallerTest, TheStartMenuShortcutStartsItAndTheStartupOneStartsItHidden) {
    const auto startMenu = LoadShellLnk(ToUtf8(LinkIn(lfPrograms).wstring()));
    ASSERT_TRUE(startMenu) << "no Start-menu shortcut";
    EXPECT_TRUE(SamePath(ToWide(startMenu->Target()), InstalledExe())) << startMenu->Target();
    EXPECT_EQ(startMenu->Arguments(), "");
    const auto startup = LoadShellLnk(ToUtf8(LinkIn(lfStartup).wstring()));
    ASSERT_TRUE(startup) << "no shortcut in the Startup folder";
    EXPECT_TRUE(SamePath(ToWide(startup->Target()), InstalledExe())) << startup->Target();
    EXPECT_EQ(startup->Arguments(), "-tray");
}

TEST_F(InstallerTest, TheUninstallEntryDescribesTheProgram) {
    EXPECT_EQ(RegText(kUninstallKey, L"DisplayName"), L"Nimbra");
    EXPECT_EQ(RegText(kUninstallKey, L"DisplayVersion"), ToWide(NIMBRA_VERSION));
    EXPECT_EQ(RegText(kUninstallKey, L"Publisher"), L"Quillmoor Software");
    const std::wstring quoted = L"\"" + (InstallFolder() / L"uninstall.exe").wstring() + L"\"";
    EXPECT_TRUE(SamePath(RegText(kUninstallKey, L"UninstallString").value_or(L""), quoted));
    EXPECT_TRUE(
        SamePath(RegText(kUninstallKey, L"QuietUninstallString").value_or(L""), quoted + L" /S"));
    EXPECT_TRUE(SamePath(RegText(kUninstallKey, L"DisplayIcon").value_or(L""),
                         L"\"" + InstalledExe().wstring() + L"\",0"));
    std::uintmax_t bytes = 0;
    for (const auto& file : fs::directory_iterator(InstallFolder()))
        bytes += file.file_size();
    const DWORD kilobytes = RegNumber(kUninstallKey, L"EstimatedSize").value_or(0);
    EXPECT_GE(kilobytes, bytes / 1024) << "the size shown is the files' size, in KB";
    EXPECT_LE(kilobytes, bytes / 1024 + 16);
}

TEST_F(InstallerTest, TheInstalledProgramCarriesItsVersionAndShowsItsWindow) {
    EXPECT_EQ(VersionText(InstalledExe(), L"ProductVersion"), ToWide(NIMBRA_VERSION));
    EXPECT_EQ(VersionText(InstalledExe(), L"FileVersion"), ToWide(NIMBRA_VERSION));
    EXPECT_EQ(VersionText(InstalledExe(), L"ProductName"), L"Nimbra");
    EXPECT_EQ(VersionText(InstalledExe(), L"CompanyName"), L"Quillmoor Software");
    EXPECT_FALSE(VersionText(InstalledExe(), L"FileDescription").empty());
    TProcess nimbra(InstalledExe());
    EXPECT_TRUE(nimbra.MainWindowComes(true));
    EXPECT_EQ(RunToEnd(InstalledExe(), L"-exit"), 0u);
    EXPECT_FALSE(nimbra.Running());
}

TEST_F(InstallerTest, InstallingOverARunningCopyEndsItInsteadOfFailing) {
    TProcess nimbra(InstalledExe(), L"-tray");
    ASSERT_TRUE(nimbra.MainWindowComes(false));
    EXPECT_EQ(RunToEnd(SetupProgram(), L"/S"), 0u);
    EXPECT_FALSE(nimbra.Running());
    EXPECT_TRUE(fs::is_regular_file(InstalledExe()));
}

TEST_F(InstallerTest, NoStartupLeavesOutOnlyTheStartupShortcut) {
    EXPECT_EQ(RunToEnd(SetupProgram(), L"/S /NOSTARTUP"), 0u);
    EXPECT_FALSE(fs::exists(LinkIn(lfStartup))) << "the earlier install's shortcut stayed";
    EXPECT_TRUE(fs::exists(LinkIn(lfPrograms)));
    EXPECT_EQ(RunToEnd(SetupProgram(), L"/S"), 0u);
    EXPECT_TRUE(fs::exists(LinkIn(lfStartup)));
}

// ---- the uninstaller --------------------------------------------------------------

// Installs, starts the program hidden, adds the desktop shortcut the Shell
// options make and a setting, and runs the uninstall entry's silent command
// with `switches`.
class UninstallerTest : public PackageSuite {
  protected:
    static void SetUpTestSuite() {
        Prepare([] { InstallRunAndUninstall(L""); });
    }
    static void TearDownTestSuite() { running_.reset(); }

    static void InstallRunAndUninstall(const std::wstring& switches,
                                       const std::function<void()>& beforeUninstall = {}) {
        FreshInstall();
        CreateLnk(GetLnkFolder(lfDesktop), kLink, ToUtf8(InstalledExe().wstring()), "");
        running_ = std::make_unique<TProcess>(InstalledExe(), L"-tray");
        if (!running_->MainWindowComes(false))
            Fail("the installed program did not start");
        KeepASetting();
        if (beforeUninstall)
            beforeUninstall();
        // The uninstaller runs from a copy of itself and returns at once;
        // the copy ends when the folder is gone.
        const std::wstring quiet = RegText(kUninstallKey, L"QuietUninstallString").value_or(L"");
        const std::size_t end = quiet.find(L'"', 1);
        if (quiet.empty() || end == std::wstring::npos)
            Fail("no silent uninstall command");
        if (RunToEnd(quiet.substr(1, end - 1), quiet.substr(end + 1) + switches) != 0)
            Fail("the silent uninstall failed");
        if (!WaitFor([] { return !fs::exists(InstallFolder()); }, 60000))
            Fail("the program folder is still there");
    }

    // What the program keeps for its user.
    static void KeepASetting() {
        HKEY created = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &created, nullptr);
        const TRegKey key(created);
        RegSetValueExW(key.Get(), L"PackageTest", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"kept"),
                       sizeof L"kept");
    }

    static inline std::unique_ptr<TProcess> running_;
};

TEST_F(UninstallerTest, EndsTheRunningProgramAndLeavesNoFileShortcutOrEntry) {
    EXPECT_FALSE(running_->Running());
    EXPECT_FALSE(fs::exists(InstallFolder()));
    for (TLnkFolder place : {lfPrograms, lfStartup, lfDesktop})
        EXPECT_FALSE(fs::exists(LinkIn(place))) << ToUtf8(LinkIn(place).wstring());
    EXPECT_FALSE(KeyExists(kUninstallKey));
}

TEST_F(UninstallerTest, ASilentUninstallKeepsTheSettings) {
    EXPECT_EQ(RegText(kSettingsKey, L"PackageTest"), L"kept");
}

// The answer "Yes" to the question about the settings, given on the command
// line: the registry key goes, with the maker's key when nothing else is in
// it, and so does a Nimbra.ini in the program folder.
class UninstallerRemovingSettingsTest : public UninstallerTest {
  protected:
    static void SetUpTestSuite() {
        Prepare([] {
            InstallRunAndUninstall(L" /REMOVESETTINGS",
                                   [] { std::ofstream(InstallFolder() / L"Nimbra.ini").close(); });
        });
    }
};

TEST_F(UninstallerRemovingSettingsTest, LeavesNoSettingsAndNoFolder) {
    EXPECT_FALSE(running_->Running());
    EXPECT_FALSE(KeyExists(kSettingsKey));
    EXPECT_FALSE(KeyExists(L"Software\\Quillmoor Software"));
    EXPECT_FALSE(fs::exists(InstallFolder()));
}

// ---- the portable folder ----------------------------------------------------------

TEST(PortableTest, RunsWithItsSettingsInNimbraIniAndWritesNoRegistryKey) {
    const fs::path folder = FromEnvironment("NIMBRA_PORTABLE");
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    ASSERT_TRUE(fs::exists(folder / L"Nimbra.ini"));
    EXPECT_EQ(fs::file_size(folder / L"Nimbra.ini"), 0u) << "shipped with settings in it";
    EXPECT_NE(FileText(folder / L"README.txt").find("Nimbra " NIMBRA_VERSION), std::string::npos);
    for (const wchar_t* name : {L"Default.lng", L"German.lng"})
        EXPECT_TRUE(fs::is_regular_file(folder / name)) << ToUtf8(name);

    TProcess nimbra(folder / L"nimbra.exe");
    ASSERT_TRUE(nimbra.MainWindowComes(true));
    EXPECT_EQ(RunToEnd(folder / L"nimbra.exe", L"-exit"), 0u);
    EXPECT_FALSE(nimbra.Running());
    EXPECT_FALSE(KeyExists(kSettingsKey)) << "the portable program wrote to the registry";
    EXPECT_NE(FileText(folder / L"Nimbra.ini").find("[View state]"), std::string::npos)
        << "its settings did not go into Nimbra.ini";
}

}  // namespace
}  // namespace nimbra::package
