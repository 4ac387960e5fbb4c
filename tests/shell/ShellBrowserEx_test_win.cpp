// The shell's context menu for an item (Wine's shell here). The menu is
// filled by the real shell or by a fake menu; which command is chosen is
// decided by the test in place of the user, so no menu waits for input.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Locale.h"
#include "base/Unicode.h"
#include "shell/ShellBrowserEx_win.h"
#include "support/TestFolders.h"

namespace nimbra {
namespace {

using testing_support::PathText;
using testing_support::TempDir;

// Chooses a command by its verb or its caption instead of tracking the menu.
class TChoosingBrowser : public TShellBrowserEx {
  public:
    using TShellBrowserEx::TShellBrowserEx;

    std::string choose;  // verb or caption to choose; "" chooses nothing
    int shown = 0;       // menus tracked
    bool forwarded = false;

  protected:
    UINT TrackMenu(HMENU menu, POINT, HWND) override {
        ++shown;
        LRESULT result = 0;
        forwarded = HandleMenuMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0, result);
        for (int i = 0; i < GetMenuItemCount(menu) && !choose.empty(); ++i) {
            wchar_t caption[128] = {};
            GetMenuStringW(menu, static_cast<UINT>(i), caption, 128, MF_BYPOSITION);
            const UINT id = GetMenuItemID(menu, i);
            char verb[261] = {};
            if (id != 0 && id < 0x8000)
                ContextMenu()->GetCommandString(id - 1, GCS_VERBA, nullptr, verb, 260);
            if (SameText(verb, choose) || ToUtf8(caption) == choose)
                return id;
        }
        return 0;
    }
};

class ShellBrowserExTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(browser.SetItemPath(PathText(temp.MakeFile("item.txt", "x"))));
    }

    TempDir temp;
    TChoosingBrowser browser{nullptr};
    std::string verb = "stale";
};

TEST_F(ShellBrowserExTest, SetItemPathMakesTheParentTheCurrentFolder) {
    EXPECT_EQ(browser.FolderPath(), PathText(temp.Path()));
    EXPECT_FALSE(browser.SetItemPath(PathText(temp.Path() / "missing.txt")));
    EXPECT_EQ(browser.FolderPath(), PathText(temp.Path()));
}

TEST_F(ShellBrowserExTest, AChosenShellCommandRunsAndGivesItsVerb) {
    browser.choose = "copy";
    browser.ShowContextMenu({0, 0}, nullptr, verb);
    EXPECT_EQ(verb, "copy");
    EXPECT_TRUE(browser.forwarded) << "menu messages reach the shell while the menu is open";
    LRESULT result = 0;
    EXPECT_FALSE(browser.HandleMenuMessage(WM_INITMENUPOPUP, 0, 0, result)) << "and only then";
}

TEST_F(ShellBrowserExTest, TheProgramsOwnCommandsAreShownAndDispatched) {
    int clicks = 0;
    browser.choose = "Nimbra command";
    browser.ShowContextMenu({0, 0}, nullptr, verb, -1, {{"Nimbra command", [&] { ++clicks; }}});
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(verb, "");
}

TEST(ShellBrowserExNoItemTest, WithoutAnItemNothingIsShown) {
    TChoosingBrowser browser(nullptr);
    std::string verb = "stale";
    browser.ShowContextMenu({0, 0}, nullptr, verb);
    EXPECT_EQ(verb, "");
    EXPECT_EQ(browser.shown, 0);
}

// The real popup, dismissed by a timer as a user pressing Escape would.
TEST(ShellBrowserExPopupTest, TheTrackedMenuEndsWithoutAChoice) {
    TempDir temp;
    TShellBrowserEx browser(nullptr);
    ASSERT_TRUE(browser.SetItemPath(PathText(temp.MakeFile("item.txt", "x"))));
    const HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr,
                                       nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr) << GetLastError();
    const UINT_PTR timer =
        SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
    std::string verb = "stale";
    browser.ShowContextMenu({20, 20}, owner, verb);
    KillTimer(nullptr, timer);
    DestroyWindow(owner);
    EXPECT_EQ(verb, "");
}

// A context menu that offers Rename when asked to, as Windows' does (Wine's
// never does), and records what the component asks of it.
class TFakeMenu : public IContextMenu {
  public:
    UINT flags = 0;
    std::vector<UINT> invoked;
    HRESULT invokeResult = S_OK;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        *object = riid == IID_IUnknown || riid == IID_IContextMenu ? this : nullptr;
        return *object != nullptr ? S_OK : E_NOINTERFACE;
    }
    // Owned by the test.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE QueryContextMenu(HMENU menu, UINT, UINT first, UINT,
                                               UINT uFlags) override {
        flags = uFlags;
        AppendMenuW(menu, MF_STRING, first + 0, L"&Open");
        if ((uFlags & CMF_CANRENAME) != 0)
            AppendMenuW(menu, MF_STRING, first + 1, L"Rena&me");
        return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 2);
    }
    HRESULT STDMETHODCALLTYPE InvokeCommand(CMINVOKECOMMANDINFO* info) override {
        invoked.push_back(static_cast<UINT>(reinterpret_cast<UINT_PTR>(info->lpVerb)));
        return invokeResult;
    }
    HRESULT STDMETHODCALLTYPE GetCommandString(UINT_PTR command, UINT type, UINT*, CHAR* name,
                                               UINT size) override {
        if (type != GCS_VERBA || command > 1)
            return E_INVALIDARG;
        lstrcpynA(name, command == 0 ? "open" : "rename", static_cast<int>(size));
        return S_OK;
    }
};

class TFakeMenuBrowser : public TChoosingBrowser {
  public:
    using TChoosingBrowser::TChoosingBrowser;
    TFakeMenu fake;

  protected:
    Microsoft::WRL::ComPtr<IContextMenu> QueryItemMenu(HWND) override { return &fake; }
};

struct ChoiceCase {
    const char* name;
    bool allowRename;
    bool renameHandler;
    const char* choose;
    HRESULT invokeResult;
    UINT flags;                 // asked of the shell's menu
    std::vector<UINT> invoked;  // commands the shell ran
    int renames;                // OnRename calls
    const char* verb;
};

class ShellBrowserExChoiceTest : public testing::TestWithParam<ChoiceCase> {};

TEST_P(ShellBrowserExChoiceTest, ChosenCommandsGoToTheShellOrToOnRename) {
    const ChoiceCase& c = GetParam();
    TFakeMenuBrowser browser(nullptr);
    browser.SetAllowRename(c.allowRename);
    browser.fake.invokeResult = c.invokeResult;
    int renames = 0;
    if (c.renameHandler)
        browser.OnRename = [&](TShellBrowserEx& sender) {
            EXPECT_EQ(&sender, &browser);
            ++renames;
        };
    browser.choose = c.choose;
    std::string verb = "stale";
    browser.ShowContextMenu({0, 0}, nullptr, verb);
    EXPECT_EQ(browser.fake.flags, c.flags);
    EXPECT_EQ(browser.fake.invoked, c.invoked);
    EXPECT_EQ(renames, c.renames);
    EXPECT_EQ(verb, c.verb);
}

constexpr UINT kExplore = CMF_EXPLORE;
constexpr UINT kRename = CMF_EXPLORE | CMF_CANRENAME;

INSTANTIATE_TEST_SUITE_P(
    Table, ShellBrowserExChoiceTest,
    testing::Values(
        // Rename is offered only when allowed.
        ChoiceCase{"RenameNotOffered", false, true, "rename", S_OK, kExplore, {}, 0, ""},
        ChoiceCase{"RenameGoesToOnRename", true, true, "rename", S_OK, kRename, {}, 1, "rename"},
        ChoiceCase{"RenameWithoutAHandler", true, false, "rename", S_OK, kRename, {1}, 0, "rename"},
        ChoiceCase{"OtherCommandsGoToTheShell", true, true, "open", S_OK, kRename, {0}, 0, "open"},
        ChoiceCase{
            "AFailedCommandGivesNoVerb", false, false, "open", E_FAIL, kExplore, {0}, 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace nimbra
