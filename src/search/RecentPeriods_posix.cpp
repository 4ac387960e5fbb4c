#include <langinfo.h>
#include <locale.h>

#include "search/RecentPeriods.h"

namespace nimbra {

// glibc gives the first weekday as 1 = the day of _NL_TIME_WEEK_1STDAY
// (a Sunday in every shipped locale), 2 = the day after, and so on.
int LocaleFirstDayOfWeek() {
    constexpr int kSunday = 6;
#ifdef _NL_TIME_FIRST_WEEKDAY
    locale_t loc = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
    if (loc == static_cast<locale_t>(0))
        return kSunday;
    const char* first = nl_langinfo_l(_NL_TIME_FIRST_WEEKDAY, loc);
    const int value = first != nullptr ? static_cast<unsigned char>(first[0]) : 0;
    freelocale(loc);
    if (value < 1 || value > 7)
        return kSunday;
    // 1 = Sunday -> 6, 2 = Monday -> 0, ...
    return (value + 5) % 7;
#else
    return kSunday;
#endif
}

}  // namespace nimbra
