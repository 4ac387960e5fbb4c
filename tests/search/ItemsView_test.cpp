#include "search/ItemsView.h"

#include <gtest/gtest.h>

#include <memory>

#include "base/Exception.h"
#include "base/FormatSettings.h"
#include "base/UiDispatcher.h"
#include "folders/NimbraCustomFolders.h"
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
                                         SplitCase{"RunsOfSpaces", "note   pad", {"NOTE", "PAD"}},
                                         SplitCase{"TabStaysInside", "a\tb c", {"A\tB", "C"}},
                                         SplitCase{"NonAscii", "\xC3\xA4pfel", {"\xC3\x84PFEL"}}),
                         [](const auto& info) { return info.param.name; });

// A catalogue built by hand (rows as Rows() shows them, "-" per level):
//   Start Menu|-Paint|-Programs|--Google.url|--notepad|--Accessories|---Deep|
//   ----Calculator|Docs|-Notes on the pad.txt
class ItemsViewTest : public testing::Test {
  protected:
    void SetUp() override {
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

    void Filter(const std::string& request, bool autoScroll = true) {
        view.ApplyFilter(request, false, 1, rpDay, false, true, autoScroll);
    }

    // The rows the list shows: indent, caption and " *" when bold.
    std::string Rows() const {
        std::string rows;
        for (int r = 0; r < list.rowCount; ++r) {
            TRowData data;
            EXPECT_TRUE(view.FillRow(r, data));
            rows += (r > 0 ? "|" : "") + std::string(static_cast<std::size_t>(data.Indent), '-') +
                    data.Caption + (view.DrawRow(r) ? " *" : "");
        }
        return rows;
    }

    static constexpr TDateTime kOld = 40000.5;
    bool lookupFails = false;
    ManualDispatcher dispatcher;
    TProgramMenuItems items{[this] {
        if (lookupFails)
            throw Exception("no icons");
        return 9;
    }};
    TItemsView view{dispatcher, [](const std::string&) { return -1; }};
    FakeResultList list;
};

struct FilterCase {
    const char* name;
    const char* request;
    bool autoScroll;
    const char* rows;
    int selected;
};

class ItemsViewFilterTest : public ItemsViewTest, public testing::WithParamInterface<FilterCase> {};

TEST_P(ItemsViewFilterTest, ShowsEachMatchBoldUnderItsFoldersAndSelects) {
    Filter(GetParam().request, GetParam().autoScroll);
    EXPECT_EQ(Rows(), GetParam().rows);
    EXPECT_EQ(list.selected, GetParam().selected);
    EXPECT_EQ(list.invalidations, 1);
}

constexpr const char* kCalculator = "Start Menu|-Programs|--Accessories|---Deep|----Calculator *";
constexpr const char* kPad = "Start Menu|-Programs|--notepad *|Docs|-Notes on the pad.txt *";

INSTANTIATE_TEST_SUITE_P(
    Table, ItemsViewFilterTest,
    testing::Values(
        FilterCase{"EmptyShowsAllPlain", "", true,
                   "Start Menu|-Paint|-Programs|--Google.url|--notepad|--Accessories|---Deep|"
                   "----Calculator|Docs|-Notes on the pad.txt",
                   0},
        FilterCase{"BlanksOnlyMatchAllInBold", "   ", true,
                   "Start Menu *|-Paint *|-Programs *|--Google.url *|--notepad *|--Accessories *|"
                   "---Deep *|----Calculator *|Docs *|-Notes on the pad.txt *",
                   0},
        FilterCase{"DeepMatchSelected", "calc", true, kCalculator, 4},
        FilterCase{"WithoutAutoScrollTheFirstRow", "calc", false, kCalculator, 0},
        FilterCase{"NoMatchSelectsNothing", "zzz", true, "", -1},
        FilterCase{"OuterBlanksAndCaseIgnored", "  NOTEPAD  ", true,
                   "Start Menu|-Programs|--notepad *", 2},
        FilterCase{"Pa", "pa", true,
                   "Start Menu|-Paint *|-Programs|--notepad *|Docs|-Notes on the pad.txt *", 1},
        FilterCase{"Pai", "pai", true, "Start Menu|-Paint *", 1},
        FilterCase{"TwoWordsAnyOrder", "pad note", true, kPad, 2},
        FilterCase{"OneTextForTwoWords", "pad pad", true, kPad, 2},
        FilterCase{"FolderAloneByItsOwnName", "programs", true, "Start Menu|-Programs *", 1}),
    [](const auto& info) { return info.param.name; });

// Whatever happens to the catalogue, the list is never left with rows that
// name entries it no longer has.
struct CatalogueChangeCase {
    const char* name;
    void (*change)(TItemsView& view, TProgramMenuItems& items, bool& lookupFails);
};

class ItemsViewCatalogueChangeTest : public ItemsViewTest,
                                     public testing::WithParamInterface<CatalogueChangeCase> {};

TEST_P(ItemsViewCatalogueChangeTest, LeavesNoRowsBehind) {
    Filter("");
    ASSERT_EQ(list.rowCount, 10);
    GetParam().change(view, items, lookupFails);
    EXPECT_EQ(list.rowCount, 0);
    EXPECT_TRUE(view.VisibleItems().empty());
    TRowData data;
    EXPECT_FALSE(view.FillRow(0, data));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ItemsViewCatalogueChangeTest,
    testing::Values(
        CatalogueChangeCase{"Cleared", [](auto&, auto& items, bool&) { items.Clear(); }},
        CatalogueChangeCase{"RescanFailed",
                            [](auto&, auto& items, bool& lookupFails) {
                                lookupFails = true;
                                EXPECT_THROW(items.Rescan(TCustomFolders()), Exception);
                            }},
        CatalogueChangeCase{"AnotherAdopted",
                            [](auto&, auto& items, bool&) {
                                TProgramMenuItems scanned{nullptr};
                                scanned.AddRoot("C:\\New", "New", kZeroDate);
                                items.Adopt(scanned);
                                EXPECT_EQ(items.Count(), 1);
                                EXPECT_EQ(scanned.Count(), 10);
                            }},
        CatalogueChangeCase{"AnotherLinked",
                            [](auto& view, auto& items, bool&) {
                                TProgramMenuItems other{nullptr};
                                view.SetItems(&other);
                                EXPECT_TRUE(items.View() == nullptr && other.View() == &view);
                                view.SetItems(&items);
                            }},
        CatalogueChangeCase{"LinkedOneDestroyed",
                            [](auto& view, auto&, bool&) {
                                auto gone = std::make_unique<TProgramMenuItems>(nullptr);
                                view.SetItems(gone.get());
                                gone.reset();
                                EXPECT_EQ(view.Items(), nullptr);
                            }}),
    [](const auto& info) { return info.param.name; });

TEST_F(ItemsViewTest, TheDateBoundaryItselfPasses) {
    const TDateTime today = Today();
    TProgramMenuItems dated{nullptr};
    const TProgramMenuItem root = dated.AddRoot("C:\\R", "R", kZeroDate);
    dated.AddFile(root, "at-boundary.txt", today);
    dated.AddFile(root, "just-before.txt", today - 1.0 / kMSecsPerDay);
    dated.AddFile(root, "yesterday.txt", today - 1);
    view.SetItems(&dated);
    view.ApplyFilter("", true, 1, rpDay, false, true, true);
    EXPECT_EQ(Rows(), "R|-at-boundary.txt *");
    view.ApplyFilter("", true, 1, rpDay, true, true, true);  // since yesterday 00:00
    EXPECT_EQ(list.rowCount, 4);
    EXPECT_FALSE(view.DrawRow(0));  // the root is shown only for what is below it
}

TEST_F(ItemsViewTest, FillRowGivesTheTextsAndThePlaceholderIcon) {
    Filter("calc");
    const auto row = [&](int r) {
        TRowData d;
        return view.FillRow(r, d) ? d.Path + "|" + d.Changed + "|" + std::to_string(d.ImageIndex)
                                  : "none";
    };
    EXPECT_EQ(row(4), "Start Menu\\Programs\\Accessories\\Deep\\Calculator.lnk|" +
                          DateTimeToDisplayText(kOld) + "|9");
    EXPECT_EQ(row(0), "|" + DateTimeToDisplayText(kZeroDate) + "|9");
    EXPECT_EQ(row(5) + row(-1), "nonenone");
}

TEST_F(ItemsViewTest, SavingTakesTheSelectedEntryAndItsRow) {
    Filter("zzz");
    EXPECT_FALSE(view.SavePosition());
    Filter("");
    list.SelectRow(4);
    const auto saved = view.SavePosition().value_or(TItemsViewPos{});
    EXPECT_EQ(saved.Folder + "|" + saved.FileName + "|" + std::to_string(saved.Index),
              "C:\\Start Menu\\Programs|notepad.lnk|4");
}

// Restoring after a filter "o" (9 rows, notepad in row 3) or "zzz" (none).
struct RestoreCase {
    const char* name;
    const char* request;
    std::optional<TItemsViewPos> position;
    int selected;
};

class ItemsViewRestoreTest : public ItemsViewTest,
                             public testing::WithParamInterface<RestoreCase> {};

TEST_P(ItemsViewRestoreTest, FindsTheSameFileOrKeepsTheRowNumber) {
    Filter(GetParam().request);
    view.RestorePosition(GetParam().position);
    EXPECT_EQ(list.selected, GetParam().selected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ItemsViewRestoreTest,
    testing::Values(
        RestoreCase{"SameFileOnAnotherRow", "o",
                    TItemsViewPos{"C:\\Start Menu\\Programs", "notepad.lnk", 7}, 3},
        RestoreCase{"NamesCompareCaseSensitively", "o",
                    TItemsViewPos{"C:\\Start Menu\\Programs", "NOTEPAD.LNK", 1}, 1},
        RestoreCase{"GoneKeepsTheRow", "o", TItemsViewPos{"C:\\Elsewhere", "gone.txt", 5}, 5},
        RestoreCase{"GoneBeyondTheEndTakesTheLast", "o", TItemsViewPos{"C:\\X", "x", 99}, 8},
        RestoreCase{"NoPositionTakesTheFirst", "o", std::nullopt, 0},
        RestoreCase{"EmptyListSelectsNothing", "zzz", TItemsViewPos{"x", "y", 2}, -1}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace nimbra
