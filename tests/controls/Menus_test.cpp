#include "controls/Menus.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace nimbra {
namespace {

using Captions = std::vector<std::string>;

struct THotkeyCase {
    std::string Name;
    Captions In;
    Captions Out;
};

class AssignHotkeysTest : public testing::TestWithParam<THotkeyCase> {};

TEST_P(AssignHotkeysTest, MarksAFreeLetterWordStartsFirst) {
    EXPECT_EQ(AssignHotkeys(GetParam().In), GetParam().Out);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AssignHotkeysTest,
    testing::Values(
        THotkeyCase{"FirstLetters", {"Start Menu", "Desktop"}, {"&Start Menu", "&Desktop"}},
        THotkeyCase{"TakenLetterMovesToTheNextWord",
                    {"&Documents", "Desktop Folder"},
                    {"&Documents", "Desktop &Folder"}},
        THotkeyCase{"NoWordStartLeftTakesAnyLetter", {"Ab", "Ac", "A"}, {"&Ab", "A&c", "A"}},
        THotkeyCase{"SeparatorsAndOwnMarksStay",
                    {"-", "&Customize...", "Cut"},
                    {"-", "&Customize...", "C&ut"}},
        THotkeyCase{"ALiteralAmpersandIsNoMark", {"R&&D", "&Recent"}, {"R&&&D", "&Recent"}},
        THotkeyCase{"CaseDoesNotMatter", {"&a", "Alpha"}, {"&a", "A&lpha"}},
        THotkeyCase{"NothingFree", {"&1", "1"}, {"&1", "1"}}),
    [](const auto& info) { return info.param.Name; });

struct TSeparatorCase {
    std::string Name;
    Captions Items;
    std::vector<bool> Visible;
    std::vector<bool> Shown;
};

class ReduceSeparatorsTest : public testing::TestWithParam<TSeparatorCase> {};

TEST_P(ReduceSeparatorsTest, HidesLeadingTrailingAndDoubledLines) {
    EXPECT_EQ(ReduceSeparators(GetParam().Items, GetParam().Visible), GetParam().Shown);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReduceSeparatorsTest,
    testing::Values(TSeparatorCase{"Leading", {"-", "a"}, {true, true}, {false, true}},
                    TSeparatorCase{"Trailing", {"a", "-"}, {true, true}, {true, false}},
                    TSeparatorCase{"Doubled",
                                   {"a", "-", "-", "b"},
                                   {true, true, true, true},
                                   {true, true, false, true}},
                    // A hidden item between two lines makes them neighbours.
                    TSeparatorCase{"AroundAHiddenItem",
                                   {"a", "-", "b", "-", "c"},
                                   {true, true, false, true, true},
                                   {true, true, false, false, true}},
                    TSeparatorCase{"OnlyLines", {"-", "-"}, {true, true}, {false, false}}),
    [](const auto& info) { return info.param.Name; });

TEST(MenuItemTest, ItemsLeaveTheirParentWhenFreedAndParentsFreeTheirItems) {
    TComponent form(nullptr);
    auto* menu = new TPopupMenu(&form);
    auto* folders = new TMenuItem(&form);
    menu->Items()->Add(folders);
    auto* first = new TMenuItem(&form);
    auto* second = new TMenuItem(&form);
    folders->Add(first);
    folders->Add(second);
    EXPECT_EQ(first->Menu(), menu);
    EXPECT_EQ(menu->FindItem(second->Command()), second);
    delete first;  // by its owner's hand
    EXPECT_EQ(folders->Count(), 1);
    folders->Clear();
    EXPECT_EQ(folders->Count(), 0);
    EXPECT_EQ(form.ComponentCount(), 2);  // the menu and the submenu item remain
}

TEST(MenuItemTest, CommandNumbersAreUniqueAndReusedAfterTheirItemsGo) {
    std::set<std::uint16_t> numbers;
    std::vector<std::unique_ptr<TMenuItem>> items;
    for (int i = 0; i < 50; ++i) {
        items.push_back(std::make_unique<TMenuItem>(nullptr));
        numbers.insert(items.back()->Command());
    }
    EXPECT_EQ(numbers.size(), 50u);
    const std::uint16_t freed = items[10]->Command();
    items[10].reset();
    EXPECT_EQ(TMenuItem(nullptr).Command(), freed);
}

TEST(MenuItemTest, AnItemShowsItsActionAndRunsIt) {
    TComponent form(nullptr);
    auto* action = new TAction(&form);
    action->SetCaption("&Open");
    action->SetShortCut(13);
    action->SetChecked(true);
    int runs = 0;
    action->OnExecute = [&](TObject&) { ++runs; };
    TPopupMenu menu(nullptr);
    int changes = 0;
    menu.OnChange = [&](TObject&) { ++changes; };
    auto* item = new TMenuItem(nullptr);
    menu.Items()->Add(item);
    item->SetAction(action);
    EXPECT_EQ(item->Caption(), "&Open");
    EXPECT_EQ(item->ShortCut(), 13);
    EXPECT_TRUE(item->Checked());
    action->SetEnabled(false);
    EXPECT_FALSE(item->Enabled());
    EXPECT_GE(changes, 2);
    action->SetEnabled(true);
    item->Click();
    EXPECT_EQ(runs, 1);
}

}  // namespace
}  // namespace nimbra
