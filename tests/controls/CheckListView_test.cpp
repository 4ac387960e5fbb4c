#include "controls/CheckListView.h"

#include <gtest/gtest.h>

namespace nimbra {
namespace {

std::vector<TCheckListRow> Rows(int count, TRowCheck check = rcClear) {
    std::vector<TCheckListRow> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back({std::to_string(i), {}, -1, check});
    return rows;
}

struct SelectCase {
    const char* name;
    bool multiSelect;
    std::vector<int> rows;
    int focused;
    std::vector<int> selected;
    int expectedFocus;
};

class CheckListSelectTest : public testing::TestWithParam<SelectCase> {};

TEST_P(CheckListSelectTest, KeepsOnlyRowsOfTheList) {
    const SelectCase& c = GetParam();
    TCheckListView list(nullptr);
    list.SetMultiSelect(c.multiSelect);
    list.SetRows(Rows(5));
    list.SelectRows(c.rows, c.focused);
    EXPECT_EQ(list.Selected(), c.selected);
    EXPECT_EQ(list.FocusedRow(), c.expectedFocus);
}

INSTANTIATE_TEST_SUITE_P(
    Selections, CheckListSelectTest,
    testing::Values(SelectCase{"SortedAndUnique", true, {3, 1, 3}, 3, {1, 3}, 3},
                    SelectCase{"RowsOutsideLeftOut", true, {-1, 2, 5}, -1, {2}, 2},
                    SelectCase{"FocusOutsideTheSelectionTakesTheFirst", true, {4, 2}, 0, {2, 4}, 2},
                    SelectCase{"OneRowWithoutMultiSelect", false, {1, 2}, 2, {1}, 1},
                    SelectCase{"Nothing", true, {}, 3, {}, -1}),
    [](const auto& info) { return info.param.name; });

TEST(CheckListViewTest, NewRowsClearTheSelection) {
    TCheckListView list(nullptr);
    list.SetMultiSelect(true);
    list.SetRows(Rows(5));
    list.SelectRows({1, 4});
    list.SetRows(Rows(2));
    EXPECT_TRUE(list.Selected().empty());
    EXPECT_EQ(list.FocusedRow(), -1);
}

TEST(CheckListViewTest, RowsWithoutCheckBoxOrRefusedCannotBeToggled) {
    TCheckListView list(nullptr);
    std::vector<TCheckListRow> rows = Rows(3);
    rows[1].Check = rcNone;
    list.SetRows(rows);
    list.OnCanToggle = [](int row) { return row != 2; };
    EXPECT_TRUE(list.CanToggle(0));
    EXPECT_FALSE(list.CanToggle(1));
    EXPECT_FALSE(list.CanToggle(2));
    EXPECT_FALSE(list.CanToggle(3));
}

TEST(CheckListViewTest, ReportsOnlyRealCheckChanges) {
    TCheckListView list(nullptr);
    list.SetRows(Rows(2));
    std::vector<std::pair<int, TRowCheck>> reported;
    list.OnCheckChanged = [&](int row, TRowCheck state) { reported.emplace_back(row, state); };
    list.CheckChangedByUser(0, rcClear);  // as it was
    list.CheckChangedByUser(1, rcTicked);
    list.CheckChangedByUser(7, rcTicked);  // no such row
    EXPECT_EQ(reported, (std::vector<std::pair<int, TRowCheck>>{{1, rcTicked}}));
    EXPECT_EQ(list.Rows(1).Check, rcTicked);
}

TEST(CheckListViewTest, ADoubleClickOnACheckBoxIsNoDoubleClick) {
    TCheckListView list(nullptr);
    int clicks = 0;
    list.OnDblClick = [&](TObject&) { ++clicks; };
    list.DoubleClicked(true);
    list.DoubleClicked(false);
    EXPECT_EQ(clicks, 1);
}

struct DropCase {
    const char* name;
    bool reorder;
    int dragged;
    int target;
    bool ctrl;
    bool accepted;
    int mark;
};

class CheckListDropTest : public testing::TestWithParam<DropCase> {};

TEST_P(CheckListDropTest, AcceptsRowsAndMarksTheirSide) {
    const DropCase& c = GetParam();
    TCheckListView list(nullptr);
    list.SetDragReorder(c.reorder);
    list.SetRows(Rows(4));
    const bool accepted = list.CanDrop(c.dragged, c.target, c.ctrl);
    EXPECT_EQ(accepted, c.accepted);
    EXPECT_EQ(DropMark(c.dragged, c.target, accepted), c.mark);
}

INSTANTIATE_TEST_SUITE_P(Targets, CheckListDropTest,
                         testing::Values(DropCase{"BelowTheDraggedRow", true, 1, 3, false, true, 1},
                                         DropCase{"AboveTheDraggedRow", true, 2, 0, false, true, 2},
                                         DropCase{"OnItself", true, 2, 2, false, false, 0},
                                         DropCase{"OnItselfWithCtrl", true, 2, 2, true, true, 2},
                                         DropCase{"BelowTheRows", true, 1, -1, false, false, 0},
                                         DropCase{"PastTheLastRow", true, 1, 4, false, false, 0},
                                         DropCase{"ListDoesNotReorder", false, 1, 3, false, false,
                                                  0}),
                         [](const auto& info) { return info.param.name; });

struct ScrollCase {
    const char* name;
    int cursorY;
    int expected;
};

class DragScrollTest : public testing::TestWithParam<ScrollCase> {};

TEST_P(DragScrollTest, ScrollsNearTheEdges) {
    EXPECT_EQ(DragScrollDirection(GetParam().cursorY, 200, 40), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cursor, DragScrollTest,
                         testing::Values(ScrollCase{"AboveTheList", -5, -1},
                                         ScrollCase{"InTheTopZone", 39, -1},
                                         ScrollCase{"AtTheTopZonesEdge", 40, 0},
                                         ScrollCase{"InTheMiddle", 100, 0},
                                         ScrollCase{"AtTheBottomZonesEdge", 160, 0},
                                         ScrollCase{"InTheBottomZone", 161, +1}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace nimbra
