#include "support/KeyboardInput_win.h"

#include <windows.h>

#include <array>
#include <utility>
#include <vector>

namespace nimbra::testing_support {

namespace {

INPUT KeyInput(unsigned key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(key);
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

void PressShortCut(TShortCut shortCut) {
    constexpr std::array<std::pair<TShortCut, unsigned>, 4> kModifierKeys{
        {{scCtrl, VK_CONTROL}, {scAlt, VK_MENU}, {scShift, VK_SHIFT}, {scWin, VK_LWIN}}};
    const unsigned key = shortCut & 0xFFu;
    std::vector<INPUT> inputs;
    for (const auto& [bit, vk] : kModifierKeys) {
        if ((shortCut & bit) != 0)
            inputs.push_back(KeyInput(vk, false));
    }
    inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(key, true));
    for (auto it = kModifierKeys.rbegin(); it != kModifierKeys.rend(); ++it) {
        if ((shortCut & it->first) != 0)
            inputs.push_back(KeyInput(it->second, true));
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace nimbra::testing_support
