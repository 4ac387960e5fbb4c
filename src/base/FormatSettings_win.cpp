#include <windows.h>

#include <cctype>

#include "base/FormatSettings.h"
#include "base/Unicode.h"

namespace nimbra {

namespace {

std::string LocaleText(LCTYPE type, const std::string& fallback) {
    wchar_t buffer[256] = {};
    const int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, 256);
    if (n <= 1)
        return fallback;
    return ToUtf8(std::wstring_view(buffer, static_cast<std::size_t>(n - 1)));
}

char LocaleChar(LCTYPE type, char fallback) {
    const std::string text = LocaleText(type, std::string(1, fallback));
    // Only one-byte separators fit the format settings; keep the default
    // for anything longer.
    return text.size() == 1 ? text[0] : fallback;
}

int LocaleNumber(LCTYPE type, int fallback) {
    const std::string text = LocaleText(type, std::to_string(fallback));
    try {
        return std::stoi(text);
    } catch (...) {
        return fallback;
    }
}

// Windows date pictures use M for the month and g for the era; ours use m
// and have no era.
std::string ConvertDatePicture(const std::string& picture) {
    std::string out;
    bool quoted = false;
    for (char c : picture) {
        if (c == '\'')
            quoted = !quoted;
        if (!quoted && (c == 'g' || c == 'G'))
            continue;
        out += (!quoted && c == 'M') ? 'm' : c;
    }
    return out;
}

// Windows time pictures: h/H hours, m minutes, s seconds, t/tt the AM/PM
// marker. Ours: h, n, s and ampm.
std::string ConvertTimePicture(const std::string& picture) {
    std::string out;
    bool quoted = false;
    for (std::size_t i = 0; i < picture.size(); ++i) {
        const char c = picture[i];
        if (c == '\'') {
            quoted = !quoted;
            out += c;
            continue;
        }
        if (quoted) {
            out += c;
        } else if (c == 'H') {
            out += 'h';
        } else if (c == 'm') {
            out += 'n';
        } else if (c == 't') {
            while (i + 1 < picture.size() && picture[i + 1] == 't')
                ++i;
            out += "ampm";
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

TFormatSettings LocaleFormatSettings() {
    TFormatSettings fs;
    fs.CurrencyString = LocaleText(LOCALE_SCURRENCY, fs.CurrencyString);
    fs.CurrencyFormat = LocaleNumber(LOCALE_ICURRENCY, fs.CurrencyFormat);
    fs.NegCurrFormat = LocaleNumber(LOCALE_INEGCURR, fs.NegCurrFormat);
    fs.CurrencyDecimals = LocaleNumber(LOCALE_ICURRDIGITS, fs.CurrencyDecimals);
    fs.DecimalSeparator = LocaleChar(LOCALE_SDECIMAL, fs.DecimalSeparator);
    fs.ThousandSeparator = LocaleChar(LOCALE_STHOUSAND, fs.ThousandSeparator);
    fs.ListSeparator = LocaleChar(LOCALE_SLIST, fs.ListSeparator);
    fs.DateSeparator = LocaleChar(LOCALE_SDATE, fs.DateSeparator);
    fs.TimeSeparator = LocaleChar(LOCALE_STIME, fs.TimeSeparator);
    fs.ShortDateFormat = ConvertDatePicture(LocaleText(LOCALE_SSHORTDATE, "M/d/yyyy"));
    fs.LongDateFormat = ConvertDatePicture(LocaleText(LOCALE_SLONGDATE, "dddd, MMMM d, yyyy"));
    fs.LongTimeFormat = ConvertTimePicture(LocaleText(LOCALE_STIMEFORMAT, "h:mm:ss tt"));
    fs.ShortTimeFormat = ConvertTimePicture(LocaleText(LOCALE_SSHORTTIME, "h:mm tt"));
    fs.TimeAMString = LocaleText(LOCALE_S1159, fs.TimeAMString);
    fs.TimePMString = LocaleText(LOCALE_S2359, fs.TimePMString);
    for (int i = 0; i < 12; ++i) {
        fs.ShortMonthNames[i] = LocaleText(LOCALE_SABBREVMONTHNAME1 + i, fs.ShortMonthNames[i]);
        fs.LongMonthNames[i] = LocaleText(LOCALE_SMONTHNAME1 + i, fs.LongMonthNames[i]);
    }
    // Windows numbers the days from Monday; ours start on Sunday.
    for (int i = 0; i < 7; ++i) {
        const int windowsDay = (i + 6) % 7;
        fs.ShortDayNames[i] = LocaleText(LOCALE_SABBREVDAYNAME1 + windowsDay, fs.ShortDayNames[i]);
        fs.LongDayNames[i] = LocaleText(LOCALE_SDAYNAME1 + windowsDay, fs.LongDayNames[i]);
    }
    return fs;
}

}  // namespace nimbra
