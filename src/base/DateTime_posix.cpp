#include <cmath>
#include <ctime>

#include "base/DateTime.h"

namespace nimbra {

namespace {

constexpr double kUnixOrigin = 25569.0;

TDateTime FromTm(const std::tm& tm, double subSecond) {
    TDateParts parts;
    parts.Year = tm.tm_year + 1900;
    parts.Month = tm.tm_mon + 1;
    parts.Day = tm.tm_mday;
    parts.Hour = tm.tm_hour;
    parts.Minute = tm.tm_min;
    parts.Second = tm.tm_sec > 59 ? 59 : tm.tm_sec;  // leap second
    return EncodeDateTime(parts) + subSecond / 86400.0;
}

}  // namespace

TDateTime UtcToLocal(TDateTime utc) {
    // Beyond the calendar (a damaged file time, NaN) there is no zone to
    // apply, and near its ends the shift could carry the day off it.
    if (!(utc >= kMinDate + 1.0 && utc <= kMaxDate - 1.0))
        return utc;
    const double seconds = (utc - kUnixOrigin) * 86400.0;
    const double whole = std::floor(seconds);
    const auto t = static_cast<std::time_t>(whole);
    std::tm tm{};
    if (localtime_r(&t, &tm) == nullptr)
        return utc;
    return FromTm(tm, seconds - whole);
}

TDateTime Now() {
    std::timespec ts{};
    std::timespec_get(&ts, TIME_UTC);
    return UtcToLocal(UnixTimeToUtcDateTime(ts.tv_sec, ts.tv_nsec));
}

TDateTime Today() {
    return DateOf(Now());
}

}  // namespace nimbra
