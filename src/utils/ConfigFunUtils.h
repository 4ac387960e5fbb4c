#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/DateTime.h"
#include "base/FormatSettings.h"

namespace nimbra {

// Text forms of the values kept in settings stores and INI files.

// Removes leading and trailing blanks and control characters (bytes up to
// the blank); bytes of multi-byte characters are never touched.
std::string_view TrimView(std::string_view text);
std::string Trim(std::string_view text);

// A 32-bit integer: optional leading blanks, an optional sign, then decimal
// digits or a hexadecimal number after "$" or "0x". Nothing may follow.
bool TryStrToInt(std::string_view text, int& value);
int StrToIntDef(std::string_view text, int defaultValue);
// The same range rules for 64-bit integers; StrToInt64 raises EConvertError.
bool TryStrToInt64(std::string_view text, std::int64_t& value);
std::int64_t StrToInt64(std::string_view text);

// The general number format: at most `precision` significant digits,
// trailing zeros dropped, scientific notation ("1.5E-7", "1E20") when the
// exponent is below -5 or not below the precision.
std::string FloatToStrG(double value, int precision, char decimalSeparator);
// Reads a number written with the given decimal separator, surrounded by
// optional blanks, with an optional exponent.
bool TryStrToFloat(std::string_view text, double& value, char decimalSeparator);

// Dates and times in the forms FormatDateTime writes with the short date
// format ("ddddd") and the long time format ("tt"): numbers in the order of
// the short date format, separated by the date separator; a time of hours,
// minutes and optional seconds with an optional AM/PM marker.
bool TryStrToDate(std::string_view text, TDateTime& value, const TFormatSettings& settings);
bool TryStrToTime(std::string_view text, TDateTime& value, const TFormatSettings& settings);
// A date, optionally followed by a blank and a time.
bool TryStrToDateTime(std::string_view text, TDateTime& value, const TFormatSettings& settings);

// Bytes as pairs of hexadecimal digits, and back; reading stops at the
// first pair that is not one.
std::string BytesToHex(const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> HexToBytes(std::string_view text);

}  // namespace nimbra
