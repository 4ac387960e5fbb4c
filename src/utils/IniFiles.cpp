#include "utils/IniFiles.h"

#include "base/FormatSettings.h"
#include "utils/ConfigFunUtils.h"

namespace nimbra {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

using TDateParser = bool (*)(std::string_view, TDateTime&, const TFormatSettings&);

TDateTime ReadDateValue(TCustomIniFile& ini, const std::string& section, const std::string& ident,
                        TDateTime defaultValue, TDateParser parse) {
    const std::string text = ini.ReadString(section, ident, "");
    TDateTime value = defaultValue;
    if (text.empty() || !parse(text, value, FormatSettings()))
        return defaultValue;
    return value;
}

}  // namespace

void TCustomIniFile::FillStrings(TStrings& strings, const std::vector<std::string>& lines) {
    strings.BeginUpdate();
    strings.Clear();
    for (const std::string& line : lines)
        strings.Add(line);
    strings.EndUpdate();
}

bool TCustomIniFile::SectionExists(const std::string& section) {
    TStringList keys;
    ReadSection(section, keys);
    return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(const std::string& section, const std::string& ident) {
    TStringList keys;
    ReadSection(section, keys);
    return keys.IndexOf(ident) >= 0;
}

int TCustomIniFile::ReadInteger(const std::string& section, const std::string& ident,
                                int defaultValue) {
    return StrToIntDef(ReadString(section, ident, ""), defaultValue);
}

void TCustomIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
    WriteString(section, ident, std::to_string(value));
}

bool TCustomIniFile::ReadBool(const std::string& section, const std::string& ident,
                              bool defaultValue) {
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}

int TCustomIniFile::ReadBinaryStream(const std::string& section, const std::string& ident,
                                     std::vector<std::uint8_t>& value) {
    const std::string text = ReadString(section, ident, "");
    value.clear();
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        const int high = HexValue(text[i]);
        const int low = HexValue(text[i + 1]);
        if (high < 0 || low < 0)
            break;
        value.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return static_cast<int>(value.size());
}

void TCustomIniFile::WriteBinaryStream(const std::string& section, const std::string& ident,
                                       const std::vector<std::uint8_t>& value) {
    std::string text;
    text.reserve(value.size() * 2);
    for (std::uint8_t byte : value) {
        text += kHexDigits[byte >> 4];
        text += kHexDigits[byte & 0x0F];
    }
    WriteString(section, ident, text);
}

TDateTime TCustomIniFile::ReadDate(const std::string& section, const std::string& ident,
                                   TDateTime defaultValue) {
    return ReadDateValue(*this, section, ident, defaultValue, TryStrToDate);
}

TDateTime TCustomIniFile::ReadDateTime(const std::string& section, const std::string& ident,
                                       TDateTime defaultValue) {
    return ReadDateValue(*this, section, ident, defaultValue, TryStrToDateTime);
}

TDateTime TCustomIniFile::ReadTime(const std::string& section, const std::string& ident,
                                   TDateTime defaultValue) {
    return ReadDateValue(*this, section, ident, defaultValue, TryStrToTime);
}

double TCustomIniFile::ReadFloat(const std::string& section, const std::string& ident,
                                 double defaultValue) {
    const std::string text = ReadString(section, ident, "");
    double value = defaultValue;
    if (text.empty() || !TryStrToFloat(text, value, FormatSettings().DecimalSeparator))
        return defaultValue;
    return value;
}

void TCustomIniFile::WriteDate(const std::string& section, const std::string& ident,
                               TDateTime value) {
    WriteString(section, ident, FormatDateTime("ddddd", value));
}

void TCustomIniFile::WriteDateTime(const std::string& section, const std::string& ident,
                                   TDateTime value) {
    // The date, and the time unless it is midnight.
    WriteString(section, ident, FormatDateTime("c", value));
}

void TCustomIniFile::WriteFloat(const std::string& section, const std::string& ident,
                                double value) {
    WriteString(section, ident, FloatToStrG(value, 15, FormatSettings().DecimalSeparator));
}

void TCustomIniFile::WriteTime(const std::string& section, const std::string& ident,
                               TDateTime value) {
    WriteString(section, ident, FormatDateTime("tt", value));
}

}  // namespace nimbra
