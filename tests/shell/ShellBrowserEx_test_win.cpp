// The shell's context menu for an item (Wine's shell here). The menu is
// filled by the real shell; which command is chosen is decided by the test
// in place of the user, so no menu waits for input.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "base/Locale.h"
#include "shell/ShellBrowserEx_win.h"
#include "support/TestFolders.h"
#include "support/WineGaps.h"

namespace nimbra {
namespace {

using testing_support::NoteWineGap;
using testing_support::PathText;
using testing_support::RunningUnderWine;
using testing_support::TempDir;

// Chooses a command by its verb instead of tracking the menu.
class TChoosingBrowser : public TShellBrowserEx {
  public:
    using TShellBrowserEx::TShellBrowserEx;

    std::string choose;  // verb to choose; "" chooses nothing
    UINT chooseId = 0;   // or an identifier
    std::vector<std::string> verbs;
    std::vector<std::wstring> captions;
    bool forwarded = false;

  protected:
    UINT TrackMenu(HMENU menu, POINT, HWND) override {
        LRESULT result = 0;
        forwarded = HandleMenuMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0, result);
        UINT chosen = chooseId;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            const UINT id = GetMenuItemID(menu, i);
            wchar_t caption[128] = {};
            GetMenuStringW(menu, static_cast<UINT>(i), caption, 128, MF_BYPOSITION);
            captions.emplace_back(caption);
            if (id == 0 || id == static_cast<UINT>(-1) || id >= 0x8000)
                continue;
            char verb[261] = {};
            if (FAILED(ContextMenu()->GetCommandString(id - 1, GCS_VERBA, nullptr, verb, 260)))
                continue;
            verbs.emplace_back(verb);
            if (!choose.empty() && SameText(verb, choose))
                chosen = id;
        }
        return chosen;
    }
};

bool Contains(const std::vector<std::string>& verbs, const char* verb) {
    for (const std::string& v : verbs)
        if (SameText(v, verb))
            return true;
    return false;
}

class ShellBrowserExTest : public testing::Test {
  protected:
    void SetUp() override {
        temp.MakeFile("item.txt", "x");
        ASSERT_TRUE(browser.SetItemPath(PathText(temp.Path() / "item.txt")));
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

TEST_F(ShellBrowserExTest, RenameIsOfferedOnlyWhenAllowed) {
    browser.ShowContextMenu({0, 0}, nullptr, verb);
    EXPECT_FALSE(browser.verbs.empty());
    EXPECT_FALSE(Contains(browser.verbs, "rename"));
    EXPECT_EQ(verb, "");

    browser.verbs.clear();
    browser.SetAllowRename(true);
    browser.ShowContextMenu({0, 0}, nullptr, verb);
    if (RunningUnderWine()) {
        // The flags themselves are checked with TFakeMenu below.
        NoteWineGap("the item menu never offers Rename, whatever the flags say");
        EXPECT_FALSE(Contains(browser.verbs, "rename"));
    } else {
        EXPECT_TRUE(Contains(browser.verbs, "rename"));
    }
}

TEST_F(ShellBrowserExTest, AChosenShellCommandRunsAndGivesItsVerb) {
    browser.choose = "copy";
    browser.ShowContextMenu({0, 0}, nullptr, verb);
    ASSERT_TRUE(Contains(browser.verbs, "copy"));
    EXPECT_EQ(verb, "copy");
}

TEST_F(ShellBrowserExTest, TheProgramsOwnCommandsAreShownAndDispatched) {
    int clicks = 0;
    browser.chooseId = 0x8000;
    browser.ShowContextMenu({0, 0}, nullptr, verb, -1, {{"Nimbra command", [&] { ++clicks; }}});
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(verb, "");
    ASSERT_FALSE(browser.captions.empty());
    EXPECT_EQ(browser.captions.back(), L"Nimbra command");
}

TEST_F(ShellBrowserExTest, MenuMessagesReachTheShellOnlyWhileTheMenuIsOpen) {
    LRESULT result = 0;
    EXPECT_FALSE(browser.HandleMenuMessage(WM_INITMENUPOPUP, 0, 0, result));
    browser.ShowContextMenu({0, 0}, nullptr, verb);
    EXPECT_TRUE(browser.forwarded);
    EXPECT_FALSE(browser.HandleMenuMessage(WM_INITMENUPOPUP, 0, 0, result));
    EXPECT_FALSE(browser.HandleMenuMessage(WM_COMMAND, 0, 0, result));
}

TEST(ShellBrowserExNoItemTest, WithoutAnItemNothingIsShown) {
    TChoosingBrowser browser(nullptr);
    std::string verb = "stale";
    browser.ShowContextMenu({0, 0}, nullptr, verb);
    EXPECT_EQ(verb, "");
    EXPECT_TRUE(browser.verbs.empty());
}

// The real popup, dismissed by a timer as a user pressing Escape would.
TEST(ShellBrowserExPopupTest, TheTrackedMenuEndsWithoutAChoice) {
    TempDir temp;
    temp.MakeFile("item.txt", "x");
    TShellBrowserEx browser(nullptr);
    ASSERT_TRUE(browser.SetItemPath(PathText(temp.Path() / "item.txt")));
    WNDCLASSW ownerClass{};
    ownerClass.lpfnWndProc = &DefWindowProcW;
    ownerClass.hInstance = GetModuleHandleW(nullptr);
    ownerClass.lpszClassName = L"NimbraMenuOwnerTest";
    RegisterClassW(&ownerClass);
    const HWND owner = CreateWindowExW(0, ownerClass.lpszClassName, L"owner", WS_POPUP, 0, 0, 10,
                                       10, nullptr, nullptr, ownerClass.hInstance, nullptr);
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
        if (riid == IID_IUnknown || riid == IID_IContextMenu) {
            *object = static_cast<IContextMenu*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }

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

  private:
    ULONG references_ = 1;  // owned by the test
};

class TFakeMenuBrowser : public TChoosingBrowser {
  public:
    using TChoosingBrowser::TChoosingBrowser;
    TFakeMenu fake;

  protected:
    Microsoft::WRL::ComPtr<IContextMenu> QueryItemMenu(HWND) override { return &fake; }
};

TEST(ShellBrowserExFlagsTest, RenameIsAskedForOnlyWhenAllowedAndGoesToOnRename) {
    TFakeMenuBrowser browser(nullptr);
    int renames = 0;
    browser.OnRename = [&](TShellBrowserEx& sender) {
        EXPECT_EQ(&sender, &browser);
        ++renames;
    };
    std::string verb;
    browser.choose = "rename";
    browser.ShowContextMenu({0, 0}, nullptr, verb);
    EXPECT_EQ(browser.fake.flags, static_cast<UINT>(CMF_EXPLORE));
    EXPECT_EQ(renames, 0);

    browser.SetAllowRename(true);
    browser.ShowContextMenu({0, 0}, nullptr, verb);
    EXPECT_EQ(browser.fake.flags, static_cast<UINT>(CMF_EXPLORE | CMF_CANRENAME));
    EXPECT_EQ(renames, 1);
    EXPECT_EQ(verb, "rename");
    EXPECT_TRUE(browser.fake.invoked.empty());
}

TEST(ShellBrowserExFlagsTest, RenameWithoutAHandlerAndOtherCommandsGoToTheShell) {
    TFakeMenuBrowser browser(nullptr);
    browser.SetAllowRename(true);
    std::string verb;
    browser.choose = "rename";
    browser.ShowContextMenu({0, 0}, nullptr, verb);
    browser.choose = "open";
    browser.ShowContextMenu({0, 0}, nullptr, verb);
    EXPECT_EQ(browser.fake.invoked, (std::vector<UINT>{1, 0}));
    EXPECT_EQ(verb, "open");
}

TEST(ShellBrowserExFlagsTest, AFailedInvocationClearsTheVerb) {
    TFakeMenuBrowser browser(nullptr);
    browser.fake.invokeResult = E_FAIL;
    std::string verb;
    browser.choose = "open";
    browser.ShowContextMenu({0, 0}, nullptr, verb);
    EXPECT_EQ(browser.fake.invoked.size(), 1u);
    EXPECT_EQ(verb, "");
}

TEST(ShellBrowserExPropertiesTest, PublishedPropertiesWithTheirDefaults) {
    const TClassInfo& info = TShellBrowserEx::StaticClassInfo();
    EXPECT_EQ(info.FindProperty("SortColumn")->Default, -1);
    EXPECT_EQ(info.FindProperty("SortReverse")->Default, 0);
    EXPECT_EQ(info.FindProperty("AllowRename")->Default, 0);
    TShellBrowserEx browser(nullptr);
    EXPECT_EQ(browser.SortColumn(), -1);
}

}  // namespace
}  // namespace nimbra
