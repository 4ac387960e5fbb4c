#include "base/DateTime.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "base/Exception.h"

namespace nimbra {

namespace {

// Days from 0001-01-01 (day 1) to 1899-12-30, the origin of TDateTime.
constexpr std::int64_t kDeltaDays = 693594;
constexpr std::int64_t kFileTimeTicksPerDay = 864'000'000'000;
// 1601-01-01 on the TDateTime scale.
constexpr double kFileTimeOrigin = -109205.0;
// 1970-01-01 on the TDateTime scale.
constexpr double kUnixOrigin = 25569.0;

std::int64_t DaysBeforeYear(int year) {
    const std::int64_t y = year - 1;
    return y * 365 + y / 4 - y / 100 + y / 400;
}

int DaysBeforeMonth(int year, int month) {
    static constexpr int kCumulative[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    return kCumulative[month - 1] + ((month > 2 && IsLeapYear(year)) ? 1 : 0);
}

// Day number (0001-01-01 = 1) to a civil date.
void CivilFromDays(std::int64_t dayNumber, int& year, int& month, int& day) {
    // Estimate the year from the mean length, then correct.
    std::int64_t y = (dayNumber * 400) / 146097 + 1;
    while (y > 1 && DaysBeforeYear(static_cast<int>(y)) >= dayNumber)
        --y;
    while (DaysBeforeYear(static_cast<int>(y + 1)) < dayNumber)
        ++y;
    year = static_cast<int>(y);
    int dayOfYear = static_cast<int>(dayNumber - DaysBeforeYear(year));
    month = 12;
    while (month > 1 && DaysBeforeMonth(year, month) >= dayOfYear)
        --month;
    day = dayOfYear - DaysBeforeMonth(year, month);
}

constexpr std::int64_t kLastMsOfDay = 86'399'999;

// Splits into whole days and milliseconds of the day, rounding to the
// millisecond. Before day 0 the fraction still counts forward from midnight
// of the day named by the integer part, as the day scale defines it. Values
// beyond the calendar (and NaN) are brought onto it first: unchecked, they
// overflow the integer conversion and send the year search into an
// endless loop.
void SplitDateTime(TDateTime value, std::int64_t& days, std::int64_t& msOfDay) {
    if (std::isnan(value)) {
        days = 0;
        msOfDay = 0;
        return;
    }
    if (value <= kMinDate - 1.0) {
        days = static_cast<std::int64_t>(kMinDate);
        msOfDay = 0;
        return;
    }
    if (value >= kMaxDate + 1.0) {
        days = static_cast<std::int64_t>(kMaxDate);
        msOfDay = kLastMsOfDay;
        return;
    }
    days = static_cast<std::int64_t>(std::trunc(value));
    msOfDay = std::llround(std::fabs(value - std::trunc(value)) * kMSecsPerDay);
    if (msOfDay >= static_cast<std::int64_t>(kMSecsPerDay)) {
        msOfDay -= static_cast<std::int64_t>(kMSecsPerDay);
        days += value < 0 ? -1 : 1;
    }
    // Rounding up at either end must not leave the calendar.
    if (days < static_cast<std::int64_t>(kMinDate)) {
        days = static_cast<std::int64_t>(kMinDate);
        msOfDay = 0;
    } else if (days > static_cast<std::int64_t>(kMaxDate)) {
        days = static_cast<std::int64_t>(kMaxDate);
        msOfDay = kLastMsOfDay;
    }
}

TDateTime Combine(std::int64_t days, double timeFraction) {
    return days >= 0 ? static_cast<double>(days) + timeFraction
                     : static_cast<double>(days) - timeFraction;
}

}  // namespace

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return kDays[month - 1] + ((month == 2 && IsLeapYear(year)) ? 1 : 0);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        return false;
    const std::int64_t dayNumber = DaysBeforeYear(year) + DaysBeforeMonth(year, month) + day;
    result = static_cast<double>(dayNumber - kDeltaDays);
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime result = 0;
    if (!TryEncodeDate(year, month, day, result))
        throw EConvertError("Invalid date: " + std::to_string(year) + "-" + std::to_string(month) +
                            "-" + std::to_string(day));
    return result;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        millisecond < 0 || millisecond > 999)
        throw EConvertError("Invalid time: " + std::to_string(hour) + ":" + std::to_string(minute) +
                            ":" + std::to_string(second) + "." + std::to_string(millisecond));
    const double ms = ((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond;
    return ms / kMSecsPerDay;
}

TDateTime EncodeDateTime(const TDateParts& p) {
    const TDateTime date = EncodeDate(p.Year, p.Month, p.Day);
    return Combine(static_cast<std::int64_t>(date),
                   EncodeTime(p.Hour, p.Minute, p.Second, p.Millisecond));
}

TDateParts DecodeDateTime(TDateTime value) {
    std::int64_t days = 0;
    std::int64_t ms = 0;
    SplitDateTime(value, days, ms);
    TDateParts parts;
    CivilFromDays(days + kDeltaDays, parts.Year, parts.Month, parts.Day);
    parts.Millisecond = static_cast<int>(ms % 1000);
    ms /= 1000;
    parts.Second = static_cast<int>(ms % 60);
    ms /= 60;
    parts.Minute = static_cast<int>(ms % 60);
    parts.Hour = static_cast<int>(ms / 60);
    return parts;
}

TDateTime DateOf(TDateTime value) {
    std::int64_t days = 0;
    std::int64_t ms = 0;
    SplitDateTime(value, days, ms);
    return static_cast<double>(days);
}

double TimeOf(TDateTime value) {
    std::int64_t days = 0;
    std::int64_t ms = 0;
    SplitDateTime(value, days, ms);
    return static_cast<double>(ms) / kMSecsPerDay;
}

int DayOfWeek(TDateTime value) {
    // Day 0 (1899-12-30) was a Saturday.
    const std::int64_t days = static_cast<std::int64_t>(DateOf(value));
    return static_cast<int>(((days % 7) + 7 + 6) % 7) + 1;
}

TDateTime IncDay(TDateTime value, int days) {
    const std::int64_t day =
        std::clamp(static_cast<std::int64_t>(DateOf(value)) + days,
                   static_cast<std::int64_t>(kMinDate), static_cast<std::int64_t>(kMaxDate));
    return Combine(day, TimeOf(value));
}

TDateTime IncMonth(TDateTime value, int months) {
    TDateParts p = DecodeDateTime(value);
    constexpr std::int64_t kFirstMonth = 12;             // January of year 1
    constexpr std::int64_t kLastMonth = 9999 * 12 + 11;  // December 9999
    const std::int64_t total = static_cast<std::int64_t>(p.Year) * 12 + (p.Month - 1) + months;
    if (total < kFirstMonth)
        return Combine(static_cast<std::int64_t>(kMinDate), TimeOf(value));
    if (total > kLastMonth)
        return Combine(static_cast<std::int64_t>(kMaxDate), TimeOf(value));
    p.Year = static_cast<int>(total / 12);
    p.Month = static_cast<int>(total % 12) + 1;
    if (p.Day > DaysInMonth(p.Year, p.Month))
        p.Day = DaysInMonth(p.Year, p.Month);
    return EncodeDateTime(p);
}

TDateTime IncYear(TDateTime value, int years) {
    // Any count beyond the calendar's 9999 years stops at its end alike.
    return IncMonth(value, std::clamp(years, -10'000, 10'000) * 12);
}

TDateTime FileTimeToUtcDateTime(std::int64_t fileTime) {
    const std::int64_t days = fileTime / kFileTimeTicksPerDay;
    const std::int64_t ticks = fileTime % kFileTimeTicksPerDay;
    return kFileTimeOrigin + static_cast<double>(days) +
           static_cast<double>(ticks) / static_cast<double>(kFileTimeTicksPerDay);
}

TDateTime UnixTimeToUtcDateTime(std::int64_t seconds, std::int64_t nanoseconds) {
    const double secs = static_cast<double>(seconds) + static_cast<double>(nanoseconds) / 1e9;
    return kUnixOrigin + secs / 86400.0;
}

TDateTime TLocalTimeConverter::ToLocal(TDateTime utc) {
    constexpr double kQuartersPerDay = 96.0;
    const auto quarter = static_cast<std::int64_t>(std::floor(utc * kQuartersPerDay));
    Slot& slot = slots_[static_cast<std::size_t>(quarter & (kSlots - 1))];
    if (slot.quarter == quarter)
        return utc + slot.offsetDays;
    const double start = static_cast<double>(quarter) / kQuartersPerDay;
    const double end = static_cast<double>(quarter + 1) / kQuartersPerDay;
    const double startOffset = UtcToLocal(start) - start;
    const double endOffset = UtcToLocal(end) - end;
    // Offsets are whole seconds; compare with a tolerance for rounding.
    if (std::fabs(startOffset - endOffset) * 86400.0 < 0.5) {
        slot.quarter = quarter;
        slot.offsetDays = std::round(startOffset * 86400.0) / 86400.0;
        return utc + slot.offsetDays;
    }
    return UtcToLocal(utc);
}

TDateTime FileTimeToLocalDateTime(std::int64_t fileTime) {
    return UtcToLocal(FileTimeToUtcDateTime(fileTime));
}

}  // namespace nimbra
