#include "search/ItemsView.h"

#include <gtest/gtest.h>

#include "base/FormatSettings.h"
#include "base/UiDispatcher.h"
#include "support/FakeResultList.h"

namespace nimbra {
namespace {

using testing_support::FakeResultList;

struct SplitCase {
    const char* name;
    std::string request;
    std::vector<std::string> words;
};

class SplitRequestTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitRequestTest, TrimsUpperCasesAndSplitsAtSpaces) {
    EXPECT_EQ(SplitRequest(GetParam().request), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(Table, SplitRequestTest,
                         testing::Values(SplitCase{"Empty", "", {}},
                                         SplitCase{"AllBlank", " \t \r\n", {}},
                                         SplitCase{"One", "notepad", {"NOTEPAD"}},
                                         SplitCase{"OuterBlanks", "  notepad\t ", {"NOTEPAD"}},
                                         SplitCase{"RunsOfSpaces", "note   pad", {"NOTE", "PAD"}},
                                         SplitCase{"TabStaysInside", "a\tb c", {"A\tB", "C"}},
                                         SplitCase{"NonAscii", "\xC3\xA4pfel", {"\xC3\x84PFEL"}}),
                         [](const auto& info) { return info.param.name; });

// A catalogue built by hand:
//   Start Menu/          (root)
//     Paint.lnk
//     Programs/
//       notepad.lnk
//       Accessories/
//         Deep/
//           Calculator.lnk
//       Google.url
//   Notes on the pad.txt  (second root's file)
class ItemsViewTest : public testing::Test {
  protected:
    void SetUp() override {
        SetFormatSettings(TFormatSettings{});
        const TProgramMenuItem root = items.AddRoot("C:\\Start Menu", "Start Menu", kZeroDate);
        items.AddFile(root, "Paint.lnk", kOld);
        const TProgramMenuItem programs = items.AddFolder(root, "Programs", kOld);
        items.AddFile(programs, "Google.url", kOld);
        items.AddFile(programs, "notepad.lnk", kOld);
        const TProgramMenuItem accessories = items.AddFolder(programs, "Accessories", kOld);
        const TProgramMenuItem deep = items.AddFolder(accessories, "Deep", kOld);
        items.AddFile(deep, "Calculator.lnk", kOld);
        const TProgramMenuItem docs = items.AddRoot("C:\\Docs", "Docs", kZeroDate);
        items.AddFile(docs, "Notes on the pad.txt", kOld);
        view.SetItems(&items);
        view.SetListView(&list);
    }

    void Filter(const std::string& request, bool select = true, bool autoScroll = true) {
        view.ApplyFilter(request, false, 1, rpDay, false, select, autoScroll);
    }

    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (int r = 0; r < list.rowCount; ++r) {
            TRowData data;
            EXPECT_TRUE(view.FillRow(r, data));
            rows.push_back(std::string(static_cast<std::size_t>(data.Indent), '-') + data.Caption +
                           (view.DrawRow(r) ? " *" : ""));
        }
        return rows;
    }

    static constexpr TDateTime kOld = 40000.5;
    ManualDispatcher dispatcher;
    TProgramMenuItems items{[] { return 9; }};
    TItemsView view{dispatcher, [](const std::string&) { return -1; }};
    FakeResultList list;
};

TEST_F(ItemsViewTest, EmptyRequestShowsEverythingPlainAndSelectsTheFirstRow) {
    Filter("");
    EXPECT_EQ(list.rowCount, items.Count());
    for (int r = 0; r < list.rowCount; ++r)
        EXPECT_FALSE(view.DrawRow(r));
    EXPECT_EQ(list.selected, 0);
    EXPECT_GE(list.invalidations, 1);
}

TEST_F(ItemsViewTest, AMatchBringsItsFoldersIndentedAndIsTheOnlyBoldRow) {
    Filter("calc");
    EXPECT_EQ(Rows(), (std::vector<std::string>{"Start Menu", "-Programs", "--Accessories",
                                                "---Deep", "----Calculator *"}));
    EXPECT_EQ(list.selected, 4);
}

TEST_F(ItemsViewTest, WithoutAutoScrollTheFirstRowIsSelectedEvenIfItIsAFolder) {
    Filter("calc", true, false);
    EXPECT_EQ(list.selected, 0);
    EXPECT_FALSE(view.DrawRow(0));
}

TEST_F(ItemsViewTest, NoMatchLeavesTheListEmptyAndNothingSelected) {
    Filter("zzz");
    EXPECT_EQ(list.rowCount, 0);
    EXPECT_EQ(list.selected, -1);
    EXPECT_FALSE(view.SelectedItem());
}

TEST_F(ItemsViewTest, BlanksAroundTheRequestMatchTheSameButMakeRowsBold) {
    Filter("  notepad  ");
    EXPECT_EQ(Rows(), (std::vector<std::string>{"Start Menu", "-Programs", "--notepad *"}));
    Filter("   ");
    ASSERT_EQ(list.rowCount, items.Count());
    for (int r = 0; r < list.rowCount; ++r)
        EXPECT_TRUE(view.DrawRow(r)) << r;
}

struct MatchCase {
    const char* name;
    const char* request;
    std::vector<std::string> matches;
};

class ItemsViewMatchTest : public ItemsViewTest, public testing::WithParamInterface<MatchCase> {};

TEST_P(ItemsViewMatchTest, MatchesEntriesHoldingEveryWord) {
    Filter(GetParam().request);
    std::vector<std::string> matches;
    for (int r = 0; r < list.rowCount; ++r)
        if (view.ViewItem(r).Matches())
            matches.push_back(view.ViewItem(r).Title());
    EXPECT_EQ(matches, GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ItemsViewMatchTest,
    testing::Values(MatchCase{"Pa", "pa", {"Paint", "notepad", "Notes on the pad.txt"}},
                    MatchCase{"Pai", "pai", {"Paint"}},
                    MatchCase{"TwoWordsAnyOrder", "pad note", {"notepad", "Notes on the pad.txt"}},
                    MatchCase{"SameTextTwice",
                              "o o",
                              {"Programs", "Google.url", "notepad", "Accessories", "Calculator",
                               "Docs", "Notes on the pad.txt"}},
                    MatchCase{"UrlMatchesInternetShortcuts", "url", {"Google.url"}},
                    MatchCase{"LnkMatchesNoShortcut", "lnk", {}},
                    MatchCase{"FolderByItsOwnName", "programs", {"Programs"}},
                    MatchCase{"CaseIgnored", "NOTEPAD", {"notepad"}}),
    [](const auto& info) { return info.param.name; });

TEST_F(ItemsViewTest, AMatchingFolderShowsNothingBelowItThatDoesNotMatch) {
    Filter("programs");
    EXPECT_EQ(Rows(), (std::vector<std::string>{"Start Menu", "-Programs *"}));
}

TEST_F(ItemsViewTest, TheDateBoundaryItselfPasses) {
    const TDateTime today = Today();
    TProgramMenuItems dated{nullptr};
    const TProgramMenuItem root = dated.AddRoot("C:\\R", "R", kZeroDate);
    dated.AddFile(root, "at-boundary.txt", today);
    dated.AddFile(root, "just-before.txt", today - 1.0 / kMSecsPerDay);
    dated.AddFile(root, "yesterday.txt", today - 1);
    view.SetItems(&dated);
    view.ApplyFilter("", true, 1, rpDay, false, true, true);
    std::vector<std::string> rows = Rows();
    EXPECT_EQ(rows, (std::vector<std::string>{"R", "-at-boundary.txt *"}));
    view.ApplyFilter("", true, 1, rpDay, true, true, true);  // since yesterday 00:00
    EXPECT_EQ(list.rowCount, 4);
    EXPECT_FALSE(view.DrawRow(0));  // the root is shown only for what is below it
}

TEST_F(ItemsViewTest, FillRowGivesTextsAndQueuesTheIconOnce) {
    Filter("calc");
    TRowData data;
    ASSERT_TRUE(view.FillRow(4, data));
    EXPECT_EQ(data.Caption, "Calculator");
    EXPECT_EQ(data.Indent, 4);
    EXPECT_EQ(data.Path, "Start Menu\\Programs\\Accessories\\Deep\\Calculator.lnk");
    EXPECT_EQ(data.Changed, DateTimeToDisplayText(kOld));
    EXPECT_EQ(data.ImageIndex, 9);
    ASSERT_TRUE(view.FillRow(0, data));
    EXPECT_EQ(data.Path, "");
    EXPECT_EQ(data.Changed, DateTimeToDisplayText(kZeroDate));
    EXPECT_FALSE(view.FillRow(5, data));
    EXPECT_FALSE(view.FillRow(-1, data));
}

TEST_F(ItemsViewTest, RestoringFindsTheSameFileOrKeepsTheRowNumber) {
    Filter("");
    list.SelectRow(4);  // notepad
    const auto saved = view.SavePosition();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->FileName, "notepad.lnk");
    EXPECT_EQ(saved->Folder, "C:\\Start Menu\\Programs");
    Filter("o");  // notepad moves to another row
    view.RestorePosition(saved);
    EXPECT_EQ(view.SelectedItem().Title(), "notepad");

    TItemsViewPos gone{"C:\\Elsewhere", "gone.txt", 3};
    view.RestorePosition(gone);
    EXPECT_EQ(list.selected, 3);
    gone.Index = 99;
    view.RestorePosition(gone);
    EXPECT_EQ(list.selected, list.rowCount - 1);
    view.RestorePosition(std::nullopt);
    EXPECT_EQ(list.selected, 0);
}

TEST_F(ItemsViewTest, RestoreComparesNamesCaseSensitively) {
    Filter("");
    TItemsViewPos otherCase{"C:\\Start Menu\\Programs", "NOTEPAD.LNK", 1};
    view.RestorePosition(otherCase);
    EXPECT_EQ(list.selected, 1);
}

TEST_F(ItemsViewTest, RestoreOnAnEmptyListSelectsNothing) {
    Filter("zzz");
    list.selections.clear();
    view.RestorePosition(TItemsViewPos{"x", "y", 2});
    EXPECT_TRUE(list.selections.empty());
}

TEST_F(ItemsViewTest, SavingWithoutSelectionGivesNothing) {
    Filter("zzz");
    EXPECT_FALSE(view.SavePosition());
}

TEST_F(ItemsViewTest, ALoadedIconReachesEveryEntryWithThePathAndRedrawsItsRows) {
    TProgramMenuItems twice{nullptr};
    for (const char* title : {"One", "Two"}) {
        const TProgramMenuItem root = twice.AddRoot("C:\\Shared", title, kZeroDate);
        twice.AddFile(root, "app.lnk", kOld);
    }
    view.SetItems(&twice);
    Filter("app");
    view.SetLoadedIcon("c:\\shared\\APP.LNK", 17);
    view.ApplyLoadedIcon();
    EXPECT_EQ(twice.Items(1).ImageIndex(), 17);
    EXPECT_EQ(twice.Items(3).ImageIndex(), 17);
    EXPECT_EQ(list.redrawn, (std::vector<int>{1, 3}));
}

TEST_F(ItemsViewTest, WithoutAListOnlyTheRequestIsKept) {
    view.SetListView(nullptr);
    view.ApplyFilter("calc", true, 1, rpWeek, false, true, true);
    EXPECT_EQ(view.Request(), "calc");
    EXPECT_TRUE(view.RecentActive());
    EXPECT_TRUE(view.VisibleItems().empty());
    EXPECT_FALSE(view.SelectedItem());
}

TEST_F(ItemsViewTest, LinkingACatalogueReplacesTheBackLink) {
    TProgramMenuItems other{nullptr};
    EXPECT_EQ(items.View(), &view);
    view.SetItems(&other);
    EXPECT_EQ(items.View(), nullptr);
    EXPECT_EQ(other.View(), &view);
}

}  // namespace
}  // namespace nimbra
