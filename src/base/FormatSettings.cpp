#include "base/FormatSettings.h"

#include <cctype>
#include <optional>

#include "base/Locale.h"

namespace nimbra {

namespace {

std::optional<TFormatSettings>& CurrentSettings() {
    static std::optional<TFormatSettings> settings;
    return settings;
}

std::string Pad(int value, int width) {
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, width - text.size(), '0');
    return text;
}

bool StartsWithNoCase(std::string_view text, std::size_t pos, std::string_view prefix) {
    return text.size() - pos >= prefix.size() && SameText(text.substr(pos, prefix.size()), prefix);
}

std::size_t CountRun(std::string_view text, std::size_t pos, char c) {
    std::size_t n = 0;
    while (pos + n < text.size() && std::tolower(static_cast<unsigned char>(text[pos + n])) == c)
        ++n;
    return n;
}

class DateFormatter {
  public:
    DateFormatter(TDateTime value, const TFormatSettings& settings)
        : parts_(DecodeDateTime(value)),
          dayOfWeek_(DayOfWeek(value)),
          isMidnight_(TimeOf(value) == 0.0),
          settings_(settings) {}

    void Append(std::string_view format, int depth) {
        // Formats that name other formats (c, ddddd, t) cannot nest deeper
        // than this, even when a locale's format refers to itself.
        if (depth > 2)
            return;
        bool lastWasHour = false;
        std::size_t pos = 0;
        while (pos < format.size()) {
            const char c = format[pos];
            const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (c == '"' || c == '\'') {
                const std::size_t end = format.find(c, pos + 1);
                const std::size_t stop = end == std::string_view::npos ? format.size() : end;
                out_ += format.substr(pos + 1, stop - pos - 1);
                pos = stop == format.size() ? stop : stop + 1;
                continue;
            }
            if (lower == 'a') {
                pos += AppendAmPm(format, pos);
                continue;
            }
            const std::size_t run = CountRun(format, pos, lower);
            bool isHour = false;
            switch (lower) {
                case 'y':
                    out_ += run <= 2 ? Pad(parts_.Year % 100, 2) : Pad(parts_.Year, 4);
                    break;
                case 'm':
                    if (lastWasHour) {
                        out_ += Pad(parts_.Minute, run >= 2 ? 2 : 1);
                    } else {
                        AppendMonth(run);
                    }
                    break;
                case 'd':
                    AppendDay(run, depth);
                    break;
                case 'h':
                    out_ += Pad(Hour12Aware(format), run >= 2 ? 2 : 1);
                    isHour = true;
                    break;
                case 'n':
                    out_ += Pad(parts_.Minute, run >= 2 ? 2 : 1);
                    break;
                case 's':
                    out_ += Pad(parts_.Second, run >= 2 ? 2 : 1);
                    break;
                case 'z':
                    out_ +=
                        run >= 3 ? Pad(parts_.Millisecond, 3) : std::to_string(parts_.Millisecond);
                    break;
                case 't':
                    Append(run >= 2 ? settings_.LongTimeFormat : settings_.ShortTimeFormat,
                           depth + 1);
                    break;
                case 'c':
                    Append(settings_.ShortDateFormat, depth + 1);
                    if (!isMidnight_) {
                        out_ += ' ';
                        Append(settings_.LongTimeFormat, depth + 1);
                    }
                    break;
                case '/':
                    out_ += settings_.DateSeparator;
                    break;
                case ':':
                    out_ += settings_.TimeSeparator;
                    break;
                default:
                    out_.append(format.substr(pos, run == 0 ? 1 : run));
                    break;
            }
            if (lower != ' ')
                lastWasHour = isHour || (lastWasHour && !std::isalpha(lower));
            pos += run == 0 ? 1 : run;
        }
    }

    std::string Result() && { return std::move(out_); }

  private:
    void AppendMonth(std::size_t run) {
        const auto index = static_cast<std::size_t>(parts_.Month - 1);
        if (run <= 2) {
            out_ += Pad(parts_.Month, static_cast<int>(run));
        } else if (run == 3) {
            out_ += settings_.ShortMonthNames[index];
        } else {
            out_ += settings_.LongMonthNames[index];
        }
    }

    void AppendDay(std::size_t run, int depth) {
        const auto weekday = static_cast<std::size_t>(dayOfWeek_ - 1);
        switch (run) {
            case 1:
            case 2:
                out_ += Pad(parts_.Day, static_cast<int>(run));
                break;
            case 3:
                out_ += settings_.ShortDayNames[weekday];
                break;
            case 4:
                out_ += settings_.LongDayNames[weekday];
                break;
            case 5:
                Append(settings_.ShortDateFormat, depth + 1);
                break;
            default:
                Append(settings_.LongDateFormat, depth + 1);
                break;
        }
    }

    // The hour is written on a 12-hour clock when the format has an AM/PM
    // marker anywhere.
    int Hour12Aware(std::string_view format) const {
        const bool twelve = HasAmPm(format);
        if (!twelve)
            return parts_.Hour;
        const int h = parts_.Hour % 12;
        return h == 0 ? 12 : h;
    }

    static bool HasAmPm(std::string_view format) {
        for (std::size_t i = 0; i < format.size(); ++i)
            if (StartsWithNoCase(format, i, "am/pm") || StartsWithNoCase(format, i, "a/p") ||
                StartsWithNoCase(format, i, "ampm"))
                return true;
        return false;
    }

    std::size_t AppendAmPm(std::string_view format, std::size_t pos) {
        const bool pm = parts_.Hour >= 12;
        if (StartsWithNoCase(format, pos, "am/pm")) {
            // Written in the letter case of the format.
            std::string_view word = format.substr(pos + (pm ? 3 : 0), 2);
            out_ += word;
            return 5;
        }
        if (StartsWithNoCase(format, pos, "a/p")) {
            out_ += format[pos + (pm ? 2 : 0)];
            return 3;
        }
        if (StartsWithNoCase(format, pos, "ampm")) {
            out_ += pm ? settings_.TimePMString : settings_.TimeAMString;
            return 4;
        }
        out_ += format[pos];
        return 1;
    }

    TDateParts parts_;
    int dayOfWeek_;
    bool isMidnight_;
    const TFormatSettings& settings_;
    std::string out_;
};

}  // namespace

const TFormatSettings& FormatSettings() {
    auto& settings = CurrentSettings();
    if (!settings)
        settings = LocaleFormatSettings();
    return *settings;
}

void SetFormatSettings(const TFormatSettings& settings) {
    CurrentSettings() = settings;
}

std::string FormatDateTime(std::string_view format, TDateTime value,
                           const TFormatSettings& settings) {
    DateFormatter formatter(value, settings);
    formatter.Append(format.empty() ? std::string_view("c") : format, 0);
    return std::move(formatter).Result();
}

std::string FormatDateTime(std::string_view format, TDateTime value) {
    return FormatDateTime(format, value, FormatSettings());
}

std::string DateTimeToDisplayText(TDateTime value, const TFormatSettings& settings) {
    std::string text = FormatDateTime(settings.ShortDateFormat, value, settings);
    if (TimeOf(value) != 0.0) {
        text += ' ';
        text += FormatDateTime(settings.LongTimeFormat, value, settings);
    }
    return text;
}

std::string DateTimeToDisplayText(TDateTime value) {
    return DateTimeToDisplayText(value, FormatSettings());
}

}  // namespace nimbra
