#include <windows.h>

#include "base/DateTime.h"

namespace nimbra {

namespace {

TDateTime FromSystemTime(const SYSTEMTIME& st) {
    TDateParts parts;
    parts.Year = st.wYear;
    parts.Month = st.wMonth;
    parts.Day = st.wDay;
    parts.Hour = st.wHour;
    parts.Minute = st.wMinute;
    parts.Second = st.wSecond;
    parts.Millisecond = st.wMilliseconds;
    return EncodeDateTime(parts);
}

SYSTEMTIME ToSystemTime(TDateTime value) {
    const TDateParts p = DecodeDateTime(value);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(p.Year);
    st.wMonth = static_cast<WORD>(p.Month);
    st.wDay = static_cast<WORD>(p.Day);
    st.wHour = static_cast<WORD>(p.Hour);
    st.wMinute = static_cast<WORD>(p.Minute);
    st.wSecond = static_cast<WORD>(p.Second);
    st.wMilliseconds = static_cast<WORD>(p.Millisecond);
    return st;
}

}  // namespace

TDateTime UtcToLocal(TDateTime utc) {
    // Beyond the calendar (a damaged file time, NaN) there is no zone to
    // apply, and near its ends the shift could carry the day off it.
    if (!(utc >= kMinDate + 1.0 && utc <= kMaxDate - 1.0))
        return utc;
    // SystemTimeToTzSpecificLocalTime applies the daylight-saving rule of the
    // given instant, unlike FileTimeToLocalFileTime, which applies today's.
    const SYSTEMTIME st = ToSystemTime(utc);
    SYSTEMTIME local{};
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &st, &local))
        return utc;
    return FromSystemTime(local);
}

TDateTime Now() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return FromSystemTime(st);
}

TDateTime Today() {
    return DateOf(Now());
}

}  // namespace nimbra
