#include "shortcuts/AppShortcuts.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/ErrorCollector.h"
#include "support/KeyboardInput_win.h"
#include "support/TestAppKey.h"
#include "support/UiPump.h"

namespace nimbra {
namespace {

using testing_support::ErrorCollector;
using testing_support::GlobalAppIniOverride;
using testing_support::PressShortCut;

constexpr TShortCut kCtrlAltShiftF9 = scCtrl | scAlt | scShift | VK_F9;
constexpr TShortCut kCtrlAltShiftF10 = scCtrl | scAlt | scShift | VK_F10;

// The manager's window, for messages the keyboard cannot make.
HWND HotKeyWindow() {
    return FindWindowExW(HWND_MESSAGE, nullptr, L"TNimbraMessageWindow", L"Nimbra.HotKeys");
}

class HotKeyPressTest : public testing::Test {
  protected:
    void SetUp() override {
        manager_.emplace();
        action_.OnExecute = [this](TObject&) { ++executed_; };
    }

    // Presses the combination and waits until the action ran.
    bool PressedRuns(TShortCut shortCut) {
        const int before = executed_;
        PressShortCut(shortCut);
        return pump_.RunUntil([&] { return executed_ > before; }, 1000);
    }

    GlobalAppIniOverride store_;
    TUiPump pump_;
    TAction action_{nullptr};
    int executed_ = 0;
    std::optional<TAppShortCutsManager> manager_;
};

TEST_F(HotKeyPressTest, TheKeysRunTheBoundActionAfterAChangeOnlyTheNewOnes) {
    TAppShortCut& item = *TAppShortCut::CreateEx("AppOpen", true, &action_, kCtrlAltShiftF9, "");
    ASSERT_TRUE(item.IsRegistered());
    EXPECT_TRUE(PressedRuns(kCtrlAltShiftF9));
    item.SetShortCut(kCtrlAltShiftF10);
    EXPECT_TRUE(PressedRuns(kCtrlAltShiftF10));
    EXPECT_FALSE(PressedRuns(kCtrlAltShiftF9));
    EXPECT_EQ(executed_, 2);
}

TEST_F(HotKeyPressTest, AnUnknownIdentifierRunsNothingAndAnActionErrorIsReported) {
    ErrorCollector errors;
    TAppShortCut& item = *TAppShortCut::CreateEx("AppOpen", true, &action_, kCtrlAltShiftF9, "");
    action_.OnExecute = [](TObject&) { throw std::runtime_error("could not open"); };
    PostMessageW(HotKeyWindow(), WM_HOTKEY, static_cast<WPARAM>(item.ID()), 0);
    PostMessageW(HotKeyWindow(), WM_HOTKEY, static_cast<WPARAM>(item.ID() + 100), 0);
    pump_.RunUntil([&] { return !errors.texts.empty(); }, 2000);
    pump_.RunFor(200);
    EXPECT_EQ(errors.texts, std::vector<std::string>{"could not open"});
}

TEST(KeyboardLayoutNamesTest, TheDefaultHotKeyReadsWithTheLayoutsNameOfItsKey) {
    const std::string name = KeyboardLayoutKeyName(VK_OEM_1);
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(ShortCutToText(scWin | VK_OEM_1), "Win+" + name);
}

}  // namespace
}  // namespace nimbra
