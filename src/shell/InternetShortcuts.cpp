#include "shell/InternetShortcuts.h"

#include <charconv>
#include <exception>
#include <optional>

#include "base/Locale.h"
#include "base/Unicode.h"
#include "utils/FileUtils.h"

namespace nimbra {

namespace {

constexpr std::string_view kShortcutSection = "InternetShortcut";
// The property set's own section, named by its format identifier.
constexpr std::string_view kPropertySetSection = "{000214A0-0000-0000-C000-000000000046}";

std::string_view Trim(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n\f\v";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// The leading decimal number of a text (an optional sign, then digits);
// anything else gives 0, as the shell reads these keys.
long LeadingNumber(std::string_view text) {
    text = Trim(text);
    long value = 0;
    std::string_view digits = text;
    const bool negative = !digits.empty() && digits.front() == '-';
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+'))
        digits.remove_prefix(1);
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (result.ec != std::errc())
        return 0;
    return negative ? -value : value;
}

// "<type>,<value>": the value part of a property line.
std::string_view PropertyLineValue(std::string_view line) {
    const auto comma = line.find(',');
    return comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
}

void SetProperty(TInternetShortcutData& data, const TIntshcutProperty& property,
                 std::string_view value) {
    if (property.Text != nullptr)
        data.*property.Text = std::string(value);
    else
        property.SetNumber(data, LeadingNumber(value));
}

}  // namespace

const std::array<TIntshcutProperty, kIntshcutPropertyCount>& IntshcutProperties() {
    using D = TInternetShortcutData;
    static const std::array<TIntshcutProperty, kIntshcutPropertyCount> properties = {{
        {2, "URL", &D::URL, nullptr},
        {4, nullptr, &D::Name, nullptr},
        {5, "WorkingDirectory", &D::WorkingDirectory, nullptr},
        {6, "HotKey", nullptr,
         [](D& data, long value) { data.HotKey = static_cast<std::uint16_t>(value & 0xFFFF); }},
        {7, "ShowCommand", nullptr,
         [](D& data, long value) { data.ShowCmd = static_cast<std::int32_t>(value); }},
        {8, "IconIndex", nullptr,
         [](D& data, long value) { data.IconIndex = static_cast<std::int32_t>(value); }},
        {9, "IconFile", &D::IconFile, nullptr},
        {10, "WhatsNew", &D::WhatsNew, nullptr},
        {11, "Author", &D::Author, nullptr},
        {12, "Desc", &D::Description, nullptr},
        {13, "Comment", &D::Comment, nullptr},
    }};
    return properties;
}

namespace {

// The value of the key, or none when the key is not there (an empty value
// is a value).
std::optional<std::string> FindIniValue(std::string_view text, std::string_view section,
                                        std::string_view key) {
    bool inSection = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        auto end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = Trim(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            if (inSection)
                return std::nullopt;  // only the first section of a name counts
            const auto close = line.rfind(']');
            const auto name = line.substr(1, close == 0 ? std::string_view::npos : close - 1);
            inSection = SameText(Trim(name), section);
            continue;
        }
        const auto equals = line.find('=');
        if (inSection && equals != std::string_view::npos &&
            SameText(Trim(line.substr(0, equals)), key))
            return std::string(Unquote(Trim(line.substr(equals + 1))));
    }
    return std::nullopt;
}

}  // namespace

std::string IniTextValue(std::string_view text, std::string_view section, std::string_view key) {
    return FindIniValue(text, section, key).value_or(std::string());
}

TInternetShortcutData ParseInternetShortcut(std::string_view text) {
    TInternetShortcutData data;
    for (const auto& property : IntshcutProperties()) {
        std::optional<std::string> value;
        if (property.IniKey != nullptr)
            value = FindIniValue(text, kShortcutSection, property.IniKey);
        if (!value) {
            value = FindIniValue(text, kPropertySetSection, "Prop" + std::to_string(property.Id));
            if (value)
                value = std::string(PropertyLineValue(*value));
        }
        if (value)
            SetProperty(data, property, *value);
    }
    return data;
}

std::string InternetShortcutTitle(const std::string& fileName, const std::string& description) {
    return description.empty() ? RemoveFileExt(ExtractFileName(fileName)) : description;
}

void TInternetLnk::Load() {
    data_ = TInternetShortcutData();
    if (fileName_.empty())
        return;
    LoadFromFile();
}

bool GetInternetShortcutInfo(const std::string& fileName, std::string& url, std::string& title) {
    if (!FileExists(fileName))
        return false;
    try {
        TInternetLnk link;
        link.SetFileName(fileName);
        link.Load();
        url = link.URL();
        title = InternetShortcutTitle(fileName, link.Description());
        return true;
    } catch (const std::exception&) {
        // The shell's object rejected the file; many tools write plain INI
        // text that is still worth reading below.
    }
    std::string bytes;
    try {
        bytes = ReadFileBytes(fileName, kMaxUrlFileSize);
    } catch (const EFileTooLargeError&) {
        return false;  // no Internet shortcut is that large
    }
    url = IniTextValue(DecodeTextFile(bytes), kShortcutSection, "URL");
    if (url.empty())
        return false;
    title = InternetShortcutTitle(fileName, {});
    return true;
}

}  // namespace nimbra
