#pragma once

#include <cstdint>

namespace nimbra {

// A local date and time: days since 30 December 1899 (day 0) with the time
// of day as the fraction.
using TDateTime = double;

constexpr TDateTime kZeroDate = 0.0;
constexpr double kMSecsPerDay = 86'400'000.0;
// The days the calendar functions can name: 0001-01-01 and 9999-12-31.
constexpr TDateTime kMinDate = -693593.0;
constexpr TDateTime kMaxDate = 2958465.0;

struct TDateParts {
    int Year = 1899;
    int Month = 12;
    int Day = 30;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
    bool operator==(const TDateParts&) const = default;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// Raises EConvertError for a date or time that does not exist.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
TDateTime EncodeDateTime(const TDateParts& parts);
// Rounds to the nearest millisecond. Values come from files and settings
// we do not control, so none may fail: a value before 0001-01-01 is taken
// as that day's midnight, one after 9999-12-31 as that day's last
// millisecond, and NaN as day 0.
TDateParts DecodeDateTime(TDateTime value);

// The same rules for the functions below, which decode their argument.
TDateTime DateOf(TDateTime value);  // midnight of the same day
double TimeOf(TDateTime value);     // the fraction of the day
// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime value);
// Moving beyond the calendar's first or last day stops there.
TDateTime IncDay(TDateTime value, int days);
// Moves by whole months; a day beyond the new month's end becomes its last
// day (31 March - 1 month = 28 or 29 February). The time of day is kept;
// moving beyond year 1 or year 9999 stops at its first or last day.
TDateTime IncMonth(TDateTime value, int months);
TDateTime IncYear(TDateTime value, int years);

// A UTC time of the platform's file-time scale (100 ns ticks since
// 1 January 1601) on the day scale, still in UTC.
TDateTime FileTimeToUtcDateTime(std::int64_t fileTime);
// Seconds since 1970 (UTC) on the day scale, still in UTC.
TDateTime UnixTimeToUtcDateTime(std::int64_t seconds, std::int64_t nanoseconds = 0);
// Converts a UTC time to the local time of the same instant, with the
// daylight-saving rule in force at that instant.
TDateTime UtcToLocal(TDateTime utc);
// A file's last-write time as shown to the user: local time.
TDateTime FileTimeToLocalDateTime(std::int64_t fileTime);

TDateTime Now();
TDateTime Today();

// UtcToLocal for many times in a row (a directory scan): the offset from UTC
// is asked once per quarter hour of UTC time and reused. Zone transitions
// fall on quarter hours, and a quarter whose two ends differ is never
// cached, so results equal UtcToLocal's.
class TLocalTimeConverter {
  public:
    TDateTime ToLocal(TDateTime utc);

  private:
    static constexpr int kSlots = 64;
    struct Slot {
        std::int64_t quarter = INT64_MIN;
        double offsetDays = 0;
    };
    Slot slots_[kSlots];
};

}  // namespace nimbra
