#pragma once

#include <array>
#include <string>
#include <string_view>

#include "base/DateTime.h"

namespace nimbra {

// How dates and numbers are written. Date and time formats use the picture
// syntax d, dd, ddd, dddd, m, mm, mmm, mmmm, yy, yyyy, h, hh, n, nn, s, ss,
// z, zzz, am/pm, a/p, ampm, c, t, tt, ddddd, dddddd, "/" and ":" for the
// separators, and quoted literal text.
struct TFormatSettings {
    std::string CurrencyString = "$";
    int CurrencyFormat = 0;
    int NegCurrFormat = 0;
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    int CurrencyDecimals = 2;
    char ListSeparator = ',';
    char DateSeparator = '/';
    std::string ShortDateFormat = "m/d/yyyy";
    std::string LongDateFormat = "dddd, mmmm d, yyyy";
    char TimeSeparator = ':';
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
    std::string ShortTimeFormat = "h:nn AMPM";
    std::string LongTimeFormat = "h:nn:ss AMPM";
    std::array<std::string, 12> ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> LongMonthNames = {"January",   "February", "March",    "April",
                                                  "May",       "June",     "July",     "August",
                                                  "September", "October",  "November", "December"};
    std::array<std::string, 7> ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> LongDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                               "Thursday", "Friday", "Saturday"};
};

// The settings of the user's locale (on Windows from the locale
// information; elsewhere the defaults above).
TFormatSettings LocaleFormatSettings();

// The program-wide settings every date and number display uses: those of the
// user's locale until a language replaces them. Interface thread only.
const TFormatSettings& FormatSettings();
void SetFormatSettings(const TFormatSettings& settings);

std::string FormatDateTime(std::string_view format, TDateTime value,
                           const TFormatSettings& settings);
std::string FormatDateTime(std::string_view format, TDateTime value);

// The list's date display: short date, a space, long time; the time left out
// when it is exactly midnight.
std::string DateTimeToDisplayText(TDateTime value, const TFormatSettings& settings);
std::string DateTimeToDisplayText(TDateTime value);

}  // namespace nimbra
