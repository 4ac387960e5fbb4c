#include "shortcuts/KeyHold.h"

#include <gtest/gtest.h>

#include <ostream>

namespace nimbra {

void PrintTo(const TKeyEvent& e, std::ostream* os) {
    *os << "{" << e.Key << (e.Up ? " up" : " down") << "}";
}

namespace {

constexpr std::uint16_t kWin = 0x5B, kShiftKey = 0xA0, kSemicolon = 186;
const TShortCut kHotKey = scWin | kSemicolon;

TKeyEvent Down(std::uint16_t key) {
    return {key, 0, false, 0};
}
TKeyEvent Up(std::uint16_t key) {
    return {key, 0, true, 0};
}

struct HoldCase {
    const char* name;
    TShortCut hotKey;
    std::vector<TKeyEvent> events;
    std::vector<TKeyEvent> held;  // what Release gives
};

void PrintTo(const HoldCase& c, std::ostream* os) {
    *os << c.name;
}

const HoldCase kCases[] = {
    {"HotkeyThenTyping",
     kHotKey,
     {Down(kWin), Down(kSemicolon), Up(kSemicolon), Up(kWin), Down('A'), Up('A')},
     {Up(kSemicolon), Up(kWin), Down('A'), Up('A')}},
    {"KeyWithoutWin", kHotKey, {Down(kSemicolon), Up(kSemicolon), Down('A')}, {}},
    {"MoreModifiersThanTheHotkey",
     kHotKey,
     {Down(kWin), Down(kShiftKey), Down(kSemicolon), Down('A')},
     {}},
    {"WinReleasedBefore", kHotKey, {Down(kWin), Up(kWin), Down(kSemicolon), Down('A')}, {}},
    {"NoHotkey", 0, {Down(kWin), Down(kSemicolon), Down('A')}, {}},
    {"AnotherHotkey",
     scCtrl | scAlt | 'N',
     {Down(0xA2), Down(0xA4), Down('N'), Down('X'), Up('X')},
     {Down('X'), Up('X')}},
};

class KeyHoldTest : public testing::TestWithParam<HoldCase> {};

TEST_P(KeyHoldTest, OnlyWhatFollowsTheExactHotkeyIsHeldInOrder) {
    const HoldCase& c = GetParam();
    TKeyHold hold;
    hold.SetHotKey(c.hotKey);
    std::vector<TKeyEvent> held;
    for (const TKeyEvent& event : c.events)
        if (!hold.Pass(event, 1000))
            held.push_back(event);
    EXPECT_EQ(hold.Release(), c.held);
    EXPECT_EQ(held, c.held) << "what Pass held is what Release gives";
    EXPECT_FALSE(hold.Holding());
    EXPECT_TRUE(hold.Pass(Down('B'), 2000)) << "after the release keys go on";
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyHoldTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(KeyHoldLimitsTest, HoldingEndsAfterItsTimeOrWhenFull) {
    TKeyHold hold;
    hold.SetHotKey(kHotKey);
    hold.Pass(Down(kWin), 100);
    ASSERT_TRUE(hold.Pass(Down(kSemicolon), 100));
    EXPECT_FALSE(hold.Expired(100 + TKeyHold::kMaxHoldMs - 1));
    EXPECT_TRUE(hold.Expired(100 + TKeyHold::kMaxHoldMs));
    hold.Release();

    hold.Pass(Down(kWin), 5000);
    hold.Pass(Down(kSemicolon), 5000);
    for (std::size_t i = 0; i + 1 < TKeyHold::kMaxHeld; ++i)
        EXPECT_FALSE(hold.Pass(Down('A'), 5000));
    EXPECT_FALSE(hold.Expired(5000));
    EXPECT_FALSE(hold.Pass(Down('A'), 5000));
    EXPECT_TRUE(hold.Expired(5000)) << "a full hold is released at once";
    EXPECT_EQ(hold.Release().size(), TKeyHold::kMaxHeld);
}

TEST(KeyHoldLimitsTest, TheModifiersKeptDuringHoldingCountAfterIt) {
    TKeyHold hold;
    hold.SetHotKey(kHotKey);
    hold.Pass(Down(kWin), 0);
    hold.Pass(Down(kSemicolon), 0);
    hold.Pass(Up(kWin), 0);  // held, but Win is up now
    hold.Release();
    EXPECT_TRUE(hold.Pass(Down(kSemicolon), 10));
    EXPECT_FALSE(hold.Holding()) << "; alone is not the hotkey";
}

}  // namespace
}  // namespace nimbra
