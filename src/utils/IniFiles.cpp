#include "utils/IniFiles.h"

#include "base/FormatSettings.h"
#include "utils/ConfigFunUtils.h"

namespace nimbra {

namespace {

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
    value = HexToBytes(ReadString(section, ident, ""));
    return static_cast<int>(value.size());
}

void TCustomIniFile::WriteBinaryStream(const std::string& section, const std::string& ident,
                                       const std::vector<std::uint8_t>& value) {
    WriteString(section, ident, BytesToHex(value));
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
