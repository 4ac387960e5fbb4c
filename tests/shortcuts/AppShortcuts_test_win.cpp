#include "shortcuts/AppShortcuts.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/ErrorCollector.h"
#include "support/TestAppKey.h"
#include "support/UiPump.h"
#include "support/WineGaps.h"

namespace nimbra {
namespace {

using testing_support::ErrorCollector;
using testing_support::GlobalAppIniOverride;
using testing_support::NoteWineGap;
using testing_support::RunningUnderWine;

constexpr TShortCut kCtrlAltShiftF9 = scCtrl | scAlt | scShift | VK_F9;
constexpr TShortCut kCtrlAltShiftF10 = scCtrl | scAlt | scShift | VK_F10;

// The manager's window, for messages the keyboard cannot make.
HWND HotKeyWindow() {
    return FindWindowExW(HWND_MESSAGE, nullptr, L"TNimbraMessageWindow", L"Nimbra.HotKeys");
}

INPUT KeyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// Presses and releases the combination on the keyboard, as a user would;
// with `repeats`, the key is held down that much longer, as the keyboard
// repeats it.
void Press(TShortCut shortCut, int repeats = 0) {
    unsigned key = 0;
    unsigned modifiers = 0;
    ShortCutToHotKey(shortCut, key, modifiers);
    const std::vector<std::pair<unsigned, WORD>> modifierKeys{
        {kModControl, VK_CONTROL}, {kModAlt, VK_MENU}, {kModShift, VK_SHIFT}, {kModWin, VK_LWIN}};
    std::vector<INPUT> inputs;
    for (const auto& [mod, vk] : modifierKeys)
        if ((modifiers & mod) != 0)
            inputs.push_back(KeyInput(vk, false));
    for (int i = 0; i <= repeats; ++i)
        inputs.push_back(KeyInput(static_cast<WORD>(key), false));
    inputs.push_back(KeyInput(static_cast<WORD>(key), true));
    for (auto it = modifierKeys.rbegin(); it != modifierKeys.rend(); ++it)
        if ((modifiers & it->first) != 0)
            inputs.push_back(KeyInput(it->second, true));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
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
        Press(shortCut);
        return pump_.RunUntil([&] { return executed_ > before; }, 2000);
    }

    GlobalAppIniOverride store_;
    TUiPump pump_;
    TAction action_{nullptr};
    int executed_ = 0;
    std::optional<TAppShortCutsManager> manager_;
};

TEST_F(HotKeyPressTest, TheHotKeyRunsTheBoundAction) {
    TAppShortCut& item = *TAppShortCut::CreateEx("AppOpen", true, &action_, kCtrlAltShiftF9, "");
    ASSERT_TRUE(item.IsRegistered());
    EXPECT_TRUE(PressedRuns(kCtrlAltShiftF9));
    EXPECT_EQ(executed_, 1);
}

TEST_F(HotKeyPressTest, AKeyHeldDownFiresOnce) {
    TAppShortCut::CreateEx("AppOpen", true, &action_, kCtrlAltShiftF9, "");
    Press(kCtrlAltShiftF9, 3);
    pump_.RunUntil([&] { return executed_ > 0; }, 2000);
    pump_.RunFor(300);
    if (RunningUnderWine() && executed_ > 1) {
        NoteWineGap("a held key fires its hotkey at every repeat, MOD_NOREPEAT or not");
        EXPECT_EQ(executed_, 4);
    } else {
        EXPECT_EQ(executed_, 1);
    }
}

TEST_F(HotKeyPressTest, AfterAChangeOnlyTheNewCombinationFires) {
    TAppShortCut& item = *TAppShortCut::CreateEx("AppOpen", true, &action_, kCtrlAltShiftF9, "");
    item.SetShortCut(kCtrlAltShiftF10);
    EXPECT_TRUE(PressedRuns(kCtrlAltShiftF10));
    Press(kCtrlAltShiftF9);
    pump_.RunFor(300);
    EXPECT_EQ(executed_, 1);
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
