#include "base/DateTime.h"

#include <gtest/gtest.h>

#include <limits>

#include "base/Exception.h"

namespace nimbra {
namespace {

TEST(DateTimeTest, DayZeroIsTheThirtiethOfDecember1899) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
    EXPECT_EQ(DecodeDateTime(kZeroDate), (TDateParts{1899, 12, 30, 0, 0, 0, 0}));
}

struct DateCase {
    int year, month, day;
};

class DateRoundTripTest : public testing::TestWithParam<DateCase> {};

TEST_P(DateRoundTripTest, DecodesWhatItEncodes) {
    const DateCase& c = GetParam();
    const TDateParts parts{c.year, c.month, c.day, 13, 45, 30, 250};
    EXPECT_EQ(DecodeDateTime(EncodeDateTime(parts)), parts);
}

INSTANTIATE_TEST_SUITE_P(Dates, DateRoundTripTest,
                         testing::Values(DateCase{1, 1, 1}, DateCase{1600, 2, 29},
                                         DateCase{1899, 12, 29}, DateCase{1900, 2, 28},
                                         DateCase{1900, 3, 1}, DateCase{2000, 2, 29},
                                         DateCase{2024, 12, 31}, DateCase{2100, 3, 1},
                                         DateCase{9999, 12, 31}));

TEST(DateTimeTest, RejectsDatesThatDoNotExist) {
    EXPECT_THROW(EncodeDate(1900, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(2024, 13, 1), EConvertError);
    EXPECT_THROW(EncodeDate(2024, 4, 31), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_NO_THROW(EncodeDate(2024, 2, 29));
}

struct MonthMoveCase {
    const char* name;
    DateCase from;
    int months;
    DateCase to;
};

class IncMonthTest : public testing::TestWithParam<MonthMoveCase> {};

TEST_P(IncMonthTest, ClampsTheDayToTheNewMonth) {
    const MonthMoveCase& c = GetParam();
    const TDateTime start = EncodeDate(c.from.year, c.from.month, c.from.day) + 0.5;
    const TDateTime expected = EncodeDate(c.to.year, c.to.month, c.to.day) + 0.5;
    EXPECT_EQ(IncMonth(start, c.months), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, IncMonthTest,
    testing::Values(MonthMoveCase{"March31Minus1LeapYear", {2024, 3, 31}, -1, {2024, 2, 29}},
                    MonthMoveCase{"March31Minus1", {2023, 3, 31}, -1, {2023, 2, 28}},
                    MonthMoveCase{"Jan31Plus1", {2023, 1, 31}, 1, {2023, 2, 28}},
                    MonthMoveCase{"AcrossYearBackwards", {2024, 1, 15}, -1, {2023, 12, 15}},
                    MonthMoveCase{"AcrossYearForwards", {2023, 12, 31}, 2, {2024, 2, 29}},
                    MonthMoveCase{"TwelveBack", {2024, 2, 29}, -12, {2023, 2, 28}},
                    MonthMoveCase{"MayToApril", {2024, 5, 31}, -1, {2024, 4, 30}}),
    [](const auto& info) { return info.param.name; });

TEST(DateTimeTest, DayOfWeekCountsFromSunday) {
    EXPECT_EQ(DayOfWeek(kZeroDate), 7);                // 1899-12-30 was a Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 31)), 1);  // a Sunday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 4, 1) + 0.99), 2);
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 24)), 1);  // before day zero
}

TEST(DateTimeTest, DateOfAndTimeOfSplitTheValue) {
    const TDateTime value = EncodeDate(2024, 6, 1) + EncodeTime(18, 30, 0, 0);
    EXPECT_EQ(DateOf(value), EncodeDate(2024, 6, 1));
    EXPECT_NEAR(TimeOf(value), 0.7708333, 1e-6);
    EXPECT_EQ(IncDay(value, -1), EncodeDate(2024, 5, 31) + EncodeTime(18, 30, 0, 0));
}

TEST(DateTimeTest, RoundsToTheMillisecondWithoutCarryErrors) {
    // One tick below midnight rounds up into the next day.
    const TDateTime almostMidnight = EncodeDate(2024, 12, 31) + (kMSecsPerDay - 0.4) / kMSecsPerDay;
    EXPECT_EQ(DecodeDateTime(almostMidnight), (TDateParts{2025, 1, 1, 0, 0, 0, 0}));
}

TEST(DateTimeTest, FileTimesAndUnixTimesMeetOnTheDayScale) {
    // 2001-01-01 00:00 UTC as 100 ns ticks since 1601 and seconds since 1970.
    constexpr std::int64_t kFileTime = 126227808000000000;
    constexpr std::int64_t kUnixTime = 978307200;
    EXPECT_EQ(FileTimeToUtcDateTime(kFileTime), EncodeDate(2001, 1, 1));
    EXPECT_EQ(UnixTimeToUtcDateTime(kUnixTime), EncodeDate(2001, 1, 1));
    EXPECT_EQ(FileTimeToUtcDateTime(0), EncodeDate(1601, 1, 1));
    const TDateParts parts = DecodeDateTime(FileTimeToUtcDateTime(kFileTime + 123'456'7890));
    EXPECT_EQ(parts.Minute, 2);
    EXPECT_EQ(parts.Second, 3);
    EXPECT_EQ(parts.Millisecond, 457);
}

TEST(DateTimeTest, TodayIsTheDateOfNowEvenAcrossMidnight) {
    const TDateTime before = Now();
    const TDateTime today = Today();
    const TDateTime after = Now();
    EXPECT_GE(today, DateOf(before));
    EXPECT_LE(today, DateOf(after));
    EXPECT_EQ(today, DateOf(today));
    EXPECT_GT(before, EncodeDate(2020, 1, 1));
}

struct OffCalendarCase {
    const char* name;
    TDateTime value;
    TDateParts parts;
};

class OffCalendarTest : public testing::TestWithParam<OffCalendarCase> {};

// File times and settings can hold anything; decoding must end and stay on
// the calendar (the year search looped for ever beyond day 7.85e11).
TEST_P(OffCalendarTest, DecodesToTheNearestEndOfTheCalendar) {
    EXPECT_EQ(DecodeDateTime(GetParam().value), GetParam().parts);
    EXPECT_EQ(DateOf(GetParam().value),
              EncodeDate(GetParam().parts.Year, GetParam().parts.Month, GetParam().parts.Day));
    EXPECT_GE(DayOfWeek(GetParam().value), 1);
}

constexpr TDateParts kFirstMoment{1, 1, 1, 0, 0, 0, 0};
constexpr TDateParts kLastMoment{9999, 12, 31, 23, 59, 59, 999};

INSTANTIATE_TEST_SUITE_P(
    Table, OffCalendarTest,
    testing::Values(
        OffCalendarCase{"Huge", 1e12, kLastMoment},
        OffCalendarCase{"Infinity", std::numeric_limits<double>::infinity(), kLastMoment},
        OffCalendarCase{"JustAfterTheLastDay", kMaxDate + 1.0, kLastMoment},
        OffCalendarCase{"RoundsUpIntoTheLastDay", kMaxDate + 0.9999999999, kLastMoment},
        OffCalendarCase{"HugeNegative", -1e300, kFirstMoment},
        OffCalendarCase{"MinusInfinity", -std::numeric_limits<double>::infinity(), kFirstMoment},
        OffCalendarCase{"NaN", std::numeric_limits<double>::quiet_NaN(),
                        TDateParts{1899, 12, 30, 0, 0, 0, 0}}),
    [](const auto& info) { return info.param.name; });

TEST(DateTimeTest, MovingBeyondTheCalendarStopsAtItsEnds) {
    const TDateTime noon = EncodeDate(2024, 3, 31) + 0.5;
    const TDateTime firstNoon = EncodeDateTime({1, 1, 1, 12, 0, 0, 0});
    EXPECT_EQ(IncMonth(noon, -2'000'000'000), firstNoon);
    EXPECT_EQ(IncYear(noon, 2'000'000'000), EncodeDateTime({9999, 12, 31, 12, 0, 0, 0}));
    EXPECT_EQ(IncDay(noon, -2'000'000'000), firstNoon);
    EXPECT_EQ(IncDay(kMaxDate, 1), kMaxDate);
    EXPECT_EQ(UtcToLocal(1e12), 1e12);  // no zone beyond the calendar
}

}  // namespace
}  // namespace nimbra
