#include <windows.h>

#include "search/RecentPeriods.h"

namespace nimbra {

int LocaleFirstDayOfWeek() {
    wchar_t buffer[4] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, buffer, 4) <= 1)
        return 6;
    const int day = buffer[0] - L'0';
    return (buffer[1] == L'\0' && day >= 0 && day <= 6) ? day : 6;
}

}  // namespace nimbra
