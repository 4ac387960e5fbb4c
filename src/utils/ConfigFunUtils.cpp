#include "utils/ConfigFunUtils.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "base/Exception.h"
#include "base/Locale.h"

namespace nimbra {

namespace {

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexDigit(char c) {
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads the integer forms of TryStrToInt into 64 bits; `hexBits` is the
// width a hexadecimal number may fill (it wraps into the sign, as "$FFFFFFFF"
// is -1 for a 32-bit integer).
bool ParseInteger(std::string_view text, std::int64_t min, std::int64_t max, int hexBits,
                  std::int64_t& value) {
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    bool hex = false;
    if (pos < text.size() && text[pos] == '$') {
        hex = true;
        ++pos;
    } else if (text.size() - pos > 2 && text[pos] == '0' && (text[pos + 1] | 0x20) == 'x') {
        hex = true;
        pos += 2;
    }
    if (pos == text.size())
        return false;
    std::uint64_t magnitude = 0;
    const std::uint64_t limit = hex ? (hexBits == 64 ? std::numeric_limits<std::uint64_t>::max()
                                                     : (std::uint64_t{1} << hexBits) - 1)
                                    : static_cast<std::uint64_t>(max) + 1;
    for (; pos < text.size(); ++pos) {
        const int digit = hex ? HexDigit(text[pos]) : (IsDigit(text[pos]) ? text[pos] - '0' : -1);
        if (digit < 0)
            return false;
        const unsigned base = hex ? 16 : 10;
        if (magnitude > (limit - static_cast<unsigned>(digit)) / base)
            return false;
        magnitude = magnitude * base + static_cast<unsigned>(digit);
    }
    if (hex) {
        // Two's complement of the given width.
        std::int64_t v = static_cast<std::int64_t>(magnitude);
        if (hexBits < 64 && magnitude >= (std::uint64_t{1} << (hexBits - 1)))
            v = static_cast<std::int64_t>(magnitude - (std::uint64_t{1} << hexBits));
        value = negative ? static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(v)) : v;
        return true;
    }
    if (!negative && magnitude > static_cast<std::uint64_t>(max))
        return false;
    value =
        negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    return value >= min;
}

}  // namespace

std::string_view TrimView(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlankOrControl(text[begin]))
        ++begin;
    while (end > begin && IsBlankOrControl(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::string Trim(std::string_view text) {
    return std::string(TrimView(text));
}

bool TryStrToInt(std::string_view text, int& value) {
    std::int64_t v = 0;
    if (!ParseInteger(text, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), 32,
                      v))
        return false;
    value = static_cast<int>(v);
    return true;
}

int StrToIntDef(std::string_view text, int defaultValue) {
    int value = 0;
    return TryStrToInt(text, value) ? value : defaultValue;
}

bool TryStrToInt64(std::string_view text, std::int64_t& value) {
    return ParseInteger(text, std::numeric_limits<std::int64_t>::min(),
                        std::numeric_limits<std::int64_t>::max(), 64, value);
}

std::int64_t StrToInt64(std::string_view text) {
    std::int64_t value = 0;
    if (!TryStrToInt64(text, value))
        throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
    return value;
}

std::string FloatToStrG(double value, int precision, char decimalSeparator) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (precision < 1)
        precision = 1;
    if (precision > 20)
        precision = 20;
    // "%.*e" gives the digits correctly rounded and the decimal exponent.
    std::array<char, 64> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.*e", precision - 1, value);
    const std::string_view e(buffer.data());
    const std::size_t ePos = e.find('e');
    const bool negative = e[0] == '-';
    std::string digits;
    for (char c : e.substr(0, ePos))
        if (IsDigit(c))
            digits += c;
    int exponent = std::atoi(buffer.data() + ePos + 1);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    if (digits == "0")
        return "0";

    std::string text = negative ? "-" : "";
    if (exponent < -5 || exponent >= precision) {
        text += digits[0];
        if (digits.size() > 1) {
            text += decimalSeparator;
            text += digits.substr(1);
        }
        text += 'E';
        text += std::to_string(exponent);
        return text;
    }
    if (exponent < 0) {
        text += '0';
        text += decimalSeparator;
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text += digits;
        return text;
    }
    const auto intDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= intDigits) {
        text += digits;
        text.append(intDigits - digits.size(), '0');
    } else {
        text += digits.substr(0, intDigits);
        text += decimalSeparator;
        text += digits.substr(intDigits);
    }
    return text;
}

bool TryStrToFloat(std::string_view text, double& value, char decimalSeparator) {
    const std::string_view trimmed = TrimView(text);
    std::string normal;
    normal.reserve(trimmed.size());
    for (char c : trimmed) {
        if (c == decimalSeparator) {
            normal += '.';
        } else if (c == '.') {
            return false;  // only the separator of the settings marks the fraction
        } else {
            normal += c;
        }
    }
    std::string_view s = normal;
    if (!s.empty() && s[0] == '+')
        s.remove_prefix(1);
    if (s.empty() || (s[0] == '-' && s.size() > 1 && s[1] == '+'))
        return false;
    double result = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), result);
    if (error != std::errc() || end != s.data() + s.size())
        return false;
    value = result;
    return true;
}

// ---- dates and times ---------------------------------------------------------

namespace {

class DateScanner {
  public:
    DateScanner(std::string_view text, const TFormatSettings& settings)
        : text_(text), settings_(settings) {}

    void SkipBlanks() {
        while (pos_ < text_.size() && text_[pos_] == ' ')
            ++pos_;
    }
    bool AtEnd() {
        SkipBlanks();
        return pos_ == text_.size();
    }
    bool Number(int& value, int& digits) {
        SkipBlanks();
        digits = 0;
        value = 0;
        while (pos_ < text_.size() && IsDigit(text_[pos_]) && digits < 9) {
            value = value * 10 + (text_[pos_] - '0');
            ++pos_;
            ++digits;
        }
        return digits > 0 && (pos_ == text_.size() || !IsDigit(text_[pos_]));
    }
    bool Char(char c) {
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    // An AM or PM marker: the settings' own texts or the English ones.
    bool AmPm(bool& pm) {
        SkipBlanks();
        const std::string_view rest = text_.substr(pos_);
        const std::array<std::pair<std::string_view, bool>, 4> markers = {
            {{settings_.TimeAMString, false},
             {settings_.TimePMString, true},
             {"AM", false},
             {"PM", true}}};
        for (const auto& [marker, isPm] : markers) {
            if (!marker.empty() && rest.size() >= marker.size() &&
                AnsiSameText(rest.substr(0, marker.size()), marker)) {
                pos_ += marker.size();
                pm = isPm;
                return true;
            }
        }
        return false;
    }

    bool Date(TDateTime& value) {
        // The order of day, month and year is that of the short date format.
        std::string order;
        for (char c : settings_.ShortDateFormat) {
            const char lower = static_cast<char>(c | 0x20);
            if ((lower == 'd' || lower == 'm' || lower == 'y') &&
                order.find(lower) == std::string::npos)
                order += lower;
        }
        if (order.size() != 3)
            order = "mdy";
        std::array<int, 3> numbers{};
        std::array<int, 3> digits{};
        int count = 0;
        for (; count < 3; ++count) {
            if (count > 0 && !Char(settings_.DateSeparator))
                break;
            if (!Number(numbers[count], digits[count]))
                return false;
        }
        if (count < 2)
            return false;
        int year = -1;
        int month = 0;
        int day = 0;
        int yearDigits = 0;
        if (count == 2) {
            order.erase(order.find('y'), 1);  // day and month of this year
        }
        for (int i = 0; i < count; ++i) {
            switch (order[static_cast<std::size_t>(i)]) {
                case 'd':
                    day = numbers[i];
                    break;
                case 'm':
                    month = numbers[i];
                    break;
                default:
                    year = numbers[i];
                    yearDigits = digits[i];
                    break;
            }
        }
        const int thisYear = DecodeDateTime(Now()).Year;
        if (year < 0) {
            year = thisYear;
        } else if (yearDigits <= 2) {
            // Two-digit years fall within fifty years of today.
            year += (thisYear / 100) * 100;
            if (year > thisYear + 50)
                year -= 100;
        }
        return TryEncodeDate(year, month, day, value);
    }

    bool Time(TDateTime& value) {
        bool pm = false;
        const bool leadingMarker = AmPm(pm);
        std::array<int, 4> parts{};
        int digits = 0;
        if (!Number(parts[0], digits) || !Char(settings_.TimeSeparator) ||
            !Number(parts[1], digits))
            return false;
        if (Char(settings_.TimeSeparator)) {
            if (!Number(parts[2], digits))
                return false;
            if (Char('.') && !Number(parts[3], digits))
                return false;
        }
        bool trailingPm = false;
        const bool trailingMarker = !leadingMarker && AmPm(trailingPm);
        int hour = parts[0];
        if (leadingMarker || trailingMarker) {
            if (hour < 1 || hour > 12)
                return false;
            hour = (hour % 12) + ((leadingMarker ? pm : trailingPm) ? 12 : 0);
        }
        if (hour > 23 || parts[1] > 59 || parts[2] > 59 || parts[3] > 999)
            return false;
        value = EncodeTime(hour, parts[1], parts[2], parts[3]);
        return true;
    }

  private:
    std::string_view text_;
    const TFormatSettings& settings_;
    std::size_t pos_ = 0;
};

}  // namespace

namespace {

// Runs `scan` over the text, which it must read to the end; `value` changes
// only then.
template <class Scan>
bool ScanWhole(std::string_view text, TDateTime& value, const TFormatSettings& settings,
               Scan scan) {
    DateScanner scanner(text, settings);
    TDateTime result = 0;
    if (!scan(scanner, result) || !scanner.AtEnd())
        return false;
    value = result;
    return true;
}

}  // namespace

bool TryStrToDate(std::string_view text, TDateTime& value, const TFormatSettings& settings) {
    return ScanWhole(text, value, settings,
                     [](DateScanner& scanner, TDateTime& result) { return scanner.Date(result); });
}

bool TryStrToTime(std::string_view text, TDateTime& value, const TFormatSettings& settings) {
    return ScanWhole(text, value, settings,
                     [](DateScanner& scanner, TDateTime& result) { return scanner.Time(result); });
}

bool TryStrToDateTime(std::string_view text, TDateTime& value, const TFormatSettings& settings) {
    return ScanWhole(text, value, settings, [](DateScanner& scanner, TDateTime& result) {
        TDateTime date = 0;
        TDateTime time = 0;
        if (!scanner.Date(date) || (!scanner.AtEnd() && !scanner.Time(time)))
            return false;
        result = date < 0 ? date - time : date + time;
        return true;
    });
}

// ---- bytes as hexadecimal text ---------------------------------------------------

std::string BytesToHex(const std::vector<std::uint8_t>& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (std::uint8_t byte : bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

std::vector<std::uint8_t> HexToBytes(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        const int high = HexDigit(text[i]);
        const int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0)
            break;
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return bytes;
}

}  // namespace nimbra
