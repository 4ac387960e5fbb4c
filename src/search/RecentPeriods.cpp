#include "search/RecentPeriods.h"

#include <algorithm>

#include "utils/NewLangUtilsTexts.h"

namespace nimbra {

const TTypeInfo& EnumTypeInfo(TRecentPeriod) {
    static const TTypeInfo info =
        MakeEnumTypeInfo("TRecentPeriod", {"rpDay", "rpWeek", "rpMonth", "rpYear"});
    return info;
}

namespace {

constexpr int kSunday = 6;
// Far beyond the 1..100 the custom-period dialog allows, yet small enough
// that value × 12 cannot overflow; the date functions stop at the calendar's
// ends, so any stored value gives a date.
constexpr int kMaxPeriodValue = 1'000'000;

TDateTime StartOfWeek(TDateTime today, int firstDayOfWeek) {
    if (firstDayOfWeek < 0 || firstDayOfWeek > 6)
        firstDayOfWeek = kSunday;
    // DayOfWeek counts 1 = Sunday ... 7 = Saturday; make it 0 = Monday.
    const int weekday = (DayOfWeek(today) + 5) % 7;
    const int back = (weekday - firstDayOfWeek + 7) % 7;
    return IncDay(today, -back);
}

TDateTime FirstOfMonth(TDateTime today) {
    const TDateParts p = DecodeDateTime(today);
    return EncodeDate(p.Year, p.Month, 1);
}

TDateTime FirstOfYear(TDateTime today) {
    return EncodeDate(DecodeDateTime(today).Year, 1, 1);
}

}  // namespace

TDateTime PeriodStart(int value, TRecentPeriod unit, bool rolling, TDateTime now,
                      std::optional<int> firstDayOfWeek) {
    value = std::clamp(value, -kMaxPeriodValue, kMaxPeriodValue);
    const TDateTime today = DateOf(now);
    if (!rolling) {
        switch (unit) {
            case rpDay:
                return IncDay(today, -(value - 1));
            case rpWeek:
                return IncDay(StartOfWeek(today, firstDayOfWeek.value_or(LocaleFirstDayOfWeek())),
                              -7 * (value - 1));
            case rpMonth:
                return IncMonth(FirstOfMonth(today), 1 - value);
            case rpYear:
                return IncMonth(FirstOfYear(today), 12 * (1 - value));
        }
        return today;
    }
    switch (unit) {
        case rpDay:
            return IncDay(today, -value);
        case rpWeek:
            return IncDay(today, -7 * value);
        case rpMonth:
            return IncMonth(today, -value);
        case rpYear:
            return IncMonth(today, -12 * value);
    }
    return today;
}

std::string PeriodText(int value, TRecentPeriod unit) {
    static constexpr const TCodeText* kTexts[] = {
        &CodeText("Nimbra", "Perioddays"), &CodeText("Nimbra", "Periodweeks"),
        &CodeText("Nimbra", "Periodmonths"), &CodeText("Nimbra", "Periodyears")};
    const int index = (unit >= rpDay && unit <= rpYear) ? unit : rpDay;
    std::string text = GetLocalizedString(*kTexts[index]);
    const std::string number = std::to_string(value);
    for (std::size_t pos = text.find("%s"); pos != std::string::npos;
         pos = text.find("%s", pos + number.size()))
        text.replace(pos, 2, number);
    return text;
}

}  // namespace nimbra
