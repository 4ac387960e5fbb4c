#include "controls/ShortCuts.h"

#include <gtest/gtest.h>

#include <string>

namespace nimbra {
namespace {

struct TTextCase {
    TShortCut Value;
    std::string Text;
};

class ShortCutTextTest : public testing::TestWithParam<TTextCase> {};

TEST_P(ShortCutTextTest, NamesModifiersInOrderThenTheKey) {
    EXPECT_EQ(ShortCutToText(GetParam().Value), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ShortCutTextTest,
    testing::Values(TTextCase{13, "Enter"}, TTextCase{scAlt | 13, "Alt+Enter"},
                    TTextCase{scAlt | 'X', "Alt+X"}, TTextCase{scShift | 112, "Shift+F1"},
                    TTextCase{scShift | scCtrl | scAlt | scWin | 'N', "Shift+Ctrl+Alt+Win+N"},
                    TTextCase{scWin | 186, "Win+;"}, TTextCase{135, "F24"}, TTextCase{8, "BkSp"},
                    TTextCase{27, "Esc"}, TTextCase{19, "Pause"}, TTextCase{46, "Del"},
                    // The numeric pad's digits read as plain digits.
                    TTextCase{scWin | 101, "Win+5"}, TTextCase{scWin | '5', "Win+5"},
                    // A key with no name gives no text at all, modifiers included.
                    TTextCase{scCtrl | 0xFF, ""}, TTextCase{0, ""}),
    [](const auto& info) { return "Value" + std::to_string(info.param.Value); });

TEST(ShortCutTest, KeysAbove255GiveNoShortCut) {
    EXPECT_EQ(ShortCut(256, {ssCtrl}), 0);
    EXPECT_EQ(ShortCut(186, {ssWin}), 0x10BA);  // the default hotkey, Win+;
}

TEST(ShortCutTest, HotKeysRoundTripForEveryModifierMask) {
    for (unsigned mods = 0; mods < 16; ++mods) {
        const TShortCut value = HotKeyToShortCut('N', mods);
        unsigned key = 0;
        unsigned back = 0;
        ShortCutToHotKey(value, key, back);
        EXPECT_EQ(key, 'N');
        EXPECT_EQ(back, mods) << "mask " << mods;
        TShiftState shift;
        ShortCutToKey(value, key, shift);
        EXPECT_EQ(ShortCut(key, shift), value);
    }
}

}  // namespace
}  // namespace nimbra
