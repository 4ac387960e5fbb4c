#include "search/RecentPeriods.h"

#include <gtest/gtest.h>

#include <climits>

#include "support/ScopedLanguage.h"

namespace nimbra {
namespace {

constexpr int kMonday = 0;
constexpr int kSunday = 6;

struct PeriodCase {
    const char* name;
    TDateTime now;
    int value;
    TRecentPeriod unit;
    bool rolling;
    int firstDay;
    TDateTime start;
};

class PeriodStartTest : public testing::TestWithParam<PeriodCase> {};

TEST_P(PeriodStartTest, GivesTheBoundary) {
    const PeriodCase& c = GetParam();
    EXPECT_EQ(PeriodStart(c.value, c.unit, c.rolling, c.now, c.firstDay), c.start)
        << "got " << PeriodStart(c.value, c.unit, c.rolling, c.now, c.firstDay);
}

// 2024-03-31 is a Sunday.
const TDateTime kSundayEvening = EncodeDate(2024, 3, 31) + 0.8;

INSTANTIATE_TEST_SUITE_P(
    Table, PeriodStartTest,
    testing::Values(
        PeriodCase{"ThisDay", kSundayEvening, 1, rpDay, false, kSunday, EncodeDate(2024, 3, 31)},
        PeriodCase{"ThreeDays", kSundayEvening, 3, rpDay, false, kSunday, EncodeDate(2024, 3, 29)},
        PeriodCase{"WeekFromMondayOnSunday", kSundayEvening, 1, rpWeek, false, kMonday,
                   EncodeDate(2024, 3, 25)},
        PeriodCase{"WeekFromSundayOnSunday", kSundayEvening, 1, rpWeek, false, kSunday,
                   EncodeDate(2024, 3, 31)},
        PeriodCase{"TwoWeeksFromMonday", kSundayEvening, 2, rpWeek, false, kMonday,
                   EncodeDate(2024, 3, 18)},
        PeriodCase{"WeekStartOutOfRangeMeansSunday", kSundayEvening, 1, rpWeek, false, 9,
                   EncodeDate(2024, 3, 31)},
        PeriodCase{"ThisMonth", kSundayEvening, 1, rpMonth, false, kSunday, EncodeDate(2024, 3, 1)},
        PeriodCase{"ThreeMonthsAcrossTheYear", EncodeDate(2024, 1, 15), 3, rpMonth, false, kSunday,
                   EncodeDate(2023, 11, 1)},
        PeriodCase{"ThisYear", kSundayEvening, 1, rpYear, false, kSunday, EncodeDate(2024, 1, 1)},
        PeriodCase{"TwoYears", kSundayEvening, 2, rpYear, false, kSunday, EncodeDate(2023, 1, 1)},
        PeriodCase{"RollingTwoDays", kSundayEvening, 2, rpDay, true, kSunday,
                   EncodeDate(2024, 3, 29)},
        PeriodCase{"RollingOneWeek", kSundayEvening, 1, rpWeek, true, kMonday,
                   EncodeDate(2024, 3, 24)},
        PeriodCase{"RollingMonthOn31March", kSundayEvening, 1, rpMonth, true, kSunday,
                   EncodeDate(2024, 2, 29)},
        PeriodCase{"RollingMonthOn31MarchNoLeapYear", EncodeDate(2023, 3, 31) + 0.1, 1, rpMonth,
                   true, kSunday, EncodeDate(2023, 2, 28)},
        PeriodCase{"RollingYearFrom29February", EncodeDate(2024, 2, 29), 1, rpYear, true, kSunday,
                   EncodeDate(2023, 2, 28)},
        PeriodCase{"UnknownUnitIsToday", kSundayEvening, 5, static_cast<TRecentPeriod>(7), false,
                   kSunday, EncodeDate(2024, 3, 31)},
        // Damaged stored values: the boundary stays on the calendar.
        PeriodCase{"HugeRollingYears", kSundayEvening, INT_MAX, rpYear, true, kSunday, kMinDate},
        PeriodCase{"HugeDays", kSundayEvening, INT_MAX, rpDay, false, kSunday, kMinDate},
        PeriodCase{"HugeNegativeWeeks", kSundayEvening, INT_MIN, rpWeek, false, kSunday, kMaxDate},
        PeriodCase{"HugeMonths", kSundayEvening, 2'000'000'000, rpMonth, false, kSunday, kMinDate}),
    [](const auto& info) { return info.param.name; });

TEST(PeriodStartTest, TheLocaleGivesAValidFirstDay) {
    const int first = LocaleFirstDayOfWeek();
    EXPECT_GE(first, 0);
    EXPECT_LE(first, 6);
}

TEST(PeriodTextTest, WordsForEachUnitAndTheLanguagesFormat) {
    EXPECT_EQ(PeriodText(2, rpDay), "2 day(s)");
    EXPECT_EQ(PeriodText(1, rpWeek), "1 week(s)");
    EXPECT_EQ(PeriodText(12, rpMonth), "12 month(s)");
    EXPECT_EQ(PeriodText(3, rpYear), "3 year(s)");
    const testing_support::ScopedLanguage german("German", "[Nimbra]\nPerioddays=\"%s Tag(e)\"\n");
    EXPECT_EQ(PeriodText(2, rpDay), "2 Tag(e)");
}

TEST(RecentPeriodTest, IsStoredByValueName) {
    EXPECT_EQ(EnumTypeInfo(TRecentPeriod{}).NameOf(rpMonth), "rpMonth");
    EXPECT_EQ(EnumTypeInfo(TRecentPeriod{}).ValueOf("RPYEAR"), rpYear);
}

}  // namespace
}  // namespace nimbra
