#pragma once

#include <optional>
#include <string>

#include "base/DateTime.h"
#include "base/TypInfo.h"

namespace nimbra {

enum TRecentPeriod : int { rpDay, rpWeek, rpMonth, rpYear };
const TTypeInfo& EnumTypeInfo(TRecentPeriod);

// 0 = Monday ... 6 = Sunday, from the user's locale; Sunday when it cannot be
// read.
int LocaleFirstDayOfWeek();

// The earliest Changed date that passes the date filter. Calendar periods
// (rolling false) count whole days, weeks, months or years including the
// current one; rolling periods count back from today's midnight. The first
// day of the week is the locale's unless given (0 = Monday ... 6 = Sunday).
// The value may come from damaged settings: any value gives a date, at
// worst the first or last day of the calendar.
TDateTime PeriodStart(int value, TRecentPeriod unit, bool rolling, TDateTime now,
                      std::optional<int> firstDayOfWeek = std::nullopt);

// The period in words, "2 day(s)", through the active language.
std::string PeriodText(int value, TRecentPeriod unit);

}  // namespace nimbra
