#include "utils/WindowPlacement.h"

#include <gtest/gtest.h>

#include <ostream>

#include "support/TestAppKey.h"
#include "utils/ConfigUtils.h"

namespace nimbra {

void PrintTo(const TRect& r, std::ostream* os) {
    *os << "{" << r.Left << "," << r.Top << " - " << r.Right << "," << r.Bottom << "}";
}

namespace {

using testing_support::TestAppKey;

// A 1920 x 1080 primary monitor with a 40-pixel task bar at the bottom.
const TMonitorRects kPrimary{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}};
// A second monitor to its right, task bar on the left.
const TMonitorRects kSecond{{1920, 0, 3200, 1024}, {1980, 0, 3200, 1024}};

TEST(MulDivRoundTest, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(MulDivRound(10, 3, 4), 8);
    EXPECT_EQ(MulDivRound(-10, 3, 4), -8);
    EXPECT_EQ(MulDivRound(10, 3, -4), -8);
    EXPECT_EQ(MulDivRound(9, 1, 4), 2);
    EXPECT_EQ(MulDivRound(1920, 90, 100), 1728);
    EXPECT_EQ(MulDivRound(1, 1, 0), -1);
    EXPECT_EQ(MulDivRound(2000000000, 3, 6), 1000000000);
    EXPECT_EQ(MulDivRound(2000000000, 2000000000, 4), 2147483647);
}

struct SizingCase {
    const char* name;
    TRect window;
    TMonitorRects monitor;
    int percent;
    TRect expected;
};

class CenteredBoundsTest : public testing::TestWithParam<SizingCase> {};

TEST_P(CenteredBoundsTest, SizesAndCentres) {
    EXPECT_EQ(CenteredBounds(GetParam().window, GetParam().monitor, GetParam().percent),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, CenteredBoundsTest,
                         testing::Values(
                             // 90 % of 1920 = 1728 wide; 1728 * 400 / 800 = 864 high; centred on
                             // the whole monitor, not the work area.
                             SizingCase{"NinetyOnAWideWindow", Bounds(5, 5, 800, 400), kPrimary, 90,
                                        Bounds(96, 108, 1728, 864)},
                             SizingCase{"HalfOnATallWindow", Bounds(0, 0, 300, 600), kPrimary, 50,
                                        Bounds(830, 280, 260, 520)},
                             SizingCase{"SquareCountsAsTall", Bounds(0, 0, 100, 100), kPrimary, 10,
                                        Bounds(908, 488, 104, 104)},
                             SizingCase{"ZeroOnlyCentres", Bounds(7, 9, 640, 480), kPrimary, 0,
                                        Bounds(640, 300, 640, 480)},
                             SizingCase{"BelowZeroActsAsZero", Bounds(7, 9, 640, 480), kPrimary,
                                        -20, Bounds(640, 300, 640, 480)},
                             SizingCase{"HundredTakesTheWorkArea", Bounds(7, 9, 640, 480), kPrimary,
                                        100, kPrimary.WorkArea},
                             SizingCase{"AboveHundredActsAsHundred", Bounds(7, 9, 640, 480),
                                        kSecond, 250, kSecond.WorkArea},
                             SizingCase{"CentresOnTheSecondMonitor", Bounds(0, 0, 1000, 500),
                                        kSecond, 0, Bounds(2060, 262, 1000, 500)},
                             SizingCase{"EmptyWindowStaysEmptyAcross", Bounds(0, 0, 0, 0), kPrimary,
                                        50, Bounds(960, 280, 0, 520)}),
                         [](const auto& info) { return info.param.name; });

struct FitCase {
    const char* name;
    TRect bounds;
    TRect expected;
};

class FitIntoWorkAreaTest : public testing::TestWithParam<FitCase> {};

// The work area of kPrimary grown by a 4 x 4 frame: -4, -4 to 1924, 1044.
TEST_P(FitIntoWorkAreaTest, MovesInsideTheFrameGrownArea) {
    EXPECT_EQ(FitIntoWorkArea(GetParam().bounds, kPrimary.WorkArea, 4, 4), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FitIntoWorkAreaTest,
    testing::Values(
        FitCase{"InsideStays", Bounds(100, 100, 800, 600), Bounds(100, 100, 800, 600)},
        FitCase{"FrameMayHangOver", Bounds(-4, -4, 800, 600), Bounds(-4, -4, 800, 600)},
        FitCase{"OffTheRightMovesLeft", Bounds(1500, 100, 800, 600), Bounds(1124, 100, 800, 600)},
        FitCase{"OffTheLeftMovesRight", Bounds(-300, 100, 800, 600), Bounds(-4, 100, 800, 600)},
        FitCase{"AboveMovesDown", Bounds(100, -50, 800, 600), Bounds(100, -4, 800, 600)},
        FitCase{"BelowMovesUp", Bounds(100, 900, 800, 600), Bounds(100, 444, 800, 600)},
        FitCase{"LargerThanTheAreaShrinksToItsTopLeft", Bounds(50, 60, 3000, 2000),
                Bounds(-4, -4, 1928, 1048)},
        FitCase{"LargerAndOffLeftShrinksToItsTopLeft", Bounds(-500, -500, 2500, 1500),
                Bounds(-4, -4, 1928, 1048)}),
    [](const auto& info) { return info.param.name; });

TEST(NearestMonitorTest, AWindowOfARemovedMonitorComesBackFittedOntoTheRemainingOne) {
    const TRect lastClosed = Bounds(2200, 200, 900, 700);  // on the second monitor
    EXPECT_EQ(NearestMonitor(lastClosed, {kPrimary, kSecond}), 1);
    const std::vector<TMonitorRects> now = {kPrimary};
    const int monitor = NearestMonitor(lastClosed, now);
    ASSERT_EQ(monitor, 0);
    EXPECT_EQ(FitIntoWorkArea(lastClosed, now[0].WorkArea, 4, 4), Bounds(1024, 200, 900, 700));
}

TEST(NearestMonitorTest, TheLargestSharedAreaWinsThenTheShortestDistance) {
    EXPECT_EQ(NearestMonitor(Bounds(1800, 0, 200, 100), {kPrimary, kSecond}), 0);  // 120 vs 80
    EXPECT_EQ(NearestMonitor(Bounds(1880, 0, 200, 100), {kPrimary, kSecond}), 1);  // 40 vs 160
    EXPECT_EQ(NearestMonitor(Bounds(3300, 2000, 10, 10), {kPrimary, kSecond}), 1);
    EXPECT_EQ(NearestMonitor(Bounds(-500, -500, 10, 10), {kPrimary, kSecond}), 0);
    EXPECT_EQ(NearestMonitor(Bounds(0, 0, 10, 10), {}), -1);
}

// ---- stored bounds and columns -----------------------------------------------------

class StoredPlacementTest : public testing::Test {
  protected:
    StoredPlacementTest() { ini.SetAppKey(key.AppKey()); }
    TestAppKey key;
    TAppIni ini;
};

TEST_F(StoredPlacementTest, BoundsRoundTripWithOrWithoutSizeAndMissingValuesKeepTheCurrent) {
    SaveBounds(ini, "View state", "main", Bounds(-10, 20, 640, 480), true);
    SaveBounds(ini, "View state", "dlg", Bounds(5, 6, 300, 200), false);
    EXPECT_EQ(ReadBounds(ini, "View state", "main", Bounds(1, 2, 3, 4), true),
              Bounds(-10, 20, 640, 480));
    EXPECT_EQ(ReadBounds(ini, "View state", "dlg", Bounds(0, 0, 70, 80), true),
              Bounds(5, 6, 70, 80));
    EXPECT_EQ(ReadBounds(ini, "View state", "other", Bounds(1, 2, 70, 80), true),
              Bounds(1, 2, 70, 80));
}

TEST_F(StoredPlacementTest, DamagedBoundsAreHeldFarOutsideButWithinReach) {
    ini.WriteInteger("View state", "w.Left", 2147483600);
    ini.WriteInteger("View state", "w.Top", -2147483647);
    ini.WriteInteger("View state", "w.Width", 2147483647);
    ini.WriteInteger("View state", "w.Height", -50);
    const TRect bounds = ReadBounds(ini, "View state", "w", Bounds(0, 0, 10, 10), true);
    EXPECT_EQ(bounds, Bounds(1'000'000, -1'000'000, 1'000'000, 0));
    // Validation then brings it back onto the monitor.
    EXPECT_EQ(FitIntoWorkArea(bounds, kPrimary.WorkArea, 4, 4), Bounds(-4, -4, 1928, 0));
}

std::vector<TListColumnState> ThreeColumns() {
    return {{0, 200}, {1, 150}, {2, 100}};
}

TEST_F(StoredPlacementTest, DraggableColumnsTakeTheStoredOrderAndFixedOnesOnlyTheWidths) {
    const std::vector<TListColumnState> stored = {{2, 90}, {0, 210}, {1, 160}};
    SaveListColumns(ini, "View", "f.lv", stored);
    EXPECT_EQ(ini.ReadInteger("View", "f.lv.Column0.Width", -1), 90);
    auto columns = ThreeColumns();
    LoadListColumns(ini, "View", "f.lv", columns, true);
    EXPECT_EQ(columns, stored);
    columns = ThreeColumns();
    LoadListColumns(ini, "View", "f.lv", columns, false);
    EXPECT_EQ(columns, (std::vector<TListColumnState>{{0, 210}, {1, 160}, {2, 90}}));
}

TEST_F(StoredPlacementTest, MoreStoredColumnsThanTheViewHasRestoresOnlyTheExistingOnes) {
    SaveListColumns(ini, "View", "f.lv", {{1, 11}, {7, 77}, {0, 10}, {2, 12}, {9, 99}});
    auto columns = ThreeColumns();
    LoadListColumns(ini, "View", "f.lv", columns, true);
    // Count 5 is clamped to 3: positions 0..2 hold IDs 1, 7 (no such column), 0.
    EXPECT_EQ(columns, (std::vector<TListColumnState>{{1, 11}, {2, 100}, {0, 10}}));
}

TEST_F(StoredPlacementTest, NothingStoredOrNegativeWidthsChangeNothing) {
    auto columns = ThreeColumns();
    LoadListColumns(ini, "View", "f.lv", columns, true);
    EXPECT_EQ(columns, ThreeColumns());
    SaveListColumns(ini, "View", "f.lv", {{0, -1}, {1, -5}});
    LoadListColumns(ini, "View", "f.lv", columns, true);
    EXPECT_EQ(columns, ThreeColumns());
    ini.WriteInteger("View", "f.lv.ColumnCount", -7);
    LoadListColumns(ini, "View", "f.lv", columns, true);
    EXPECT_EQ(columns, ThreeColumns());
}

}  // namespace
}  // namespace nimbra
