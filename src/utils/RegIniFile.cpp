#include "utils/RegIniFile.h"

#include "utils/ConfigFunUtils.h"

namespace nimbra {

namespace {

bool IsText(const TRegValue& value) {
    return value.Type == TRegDataType::rdString || value.Type == TRegDataType::rdExpandString;
}

[[noreturn]] void InvalidType(const std::string& ident) {
    throw ERegistryException("Invalid data type for '" + ident + "'");
}

}  // namespace

TRegistryIniFile::TRegistryIniFile(std::unique_ptr<TRegistryStore> store, std::string name)
    : TCustomIniFile(std::move(name)), store_(std::move(store)) {}

std::string TRegistryIniFile::ReadString(const std::string& section, const std::string& ident,
                                         const std::string& defaultValue) {
    const auto value = store_->ReadValue(section, ident);
    if (!value)
        return defaultValue;
    if (!IsText(*value))
        InvalidType(ident);
    return value->Text;
}

void TRegistryIniFile::WriteString(const std::string& section, const std::string& ident,
                                   const std::string& value) {
    store_->WriteString(section, ident, value);
}

int TRegistryIniFile::ReadInteger(const std::string& section, const std::string& ident,
                                  int defaultValue) {
    const auto value = store_->ReadValue(section, ident);
    if (!value)
        return defaultValue;
    if (IsText(*value))
        return StrToIntDef(value->Text, defaultValue);
    if (value->Type != TRegDataType::rdInteger)
        InvalidType(ident);
    return static_cast<int>(value->Integer);
}

void TRegistryIniFile::WriteInteger(const std::string& section, const std::string& ident,
                                    int value) {
    // A value that is already a string stays one.
    const auto existing = store_->ReadValue(section, ident);
    if (existing && IsText(*existing)) {
        store_->WriteString(section, ident, std::to_string(value));
    } else {
        store_->WriteInteger(section, ident, static_cast<std::uint32_t>(value));
    }
}

void TRegistryIniFile::ReadSection(const std::string& section, TStrings& strings) {
    FillStrings(strings, store_->ValueNames(section));
}

void TRegistryIniFile::ReadSections(TStrings& strings) {
    FillStrings(strings, store_->SubKeyNames(""));
}

void TRegistryIniFile::ReadSectionValues(const std::string& section, TStrings& strings) {
    std::vector<std::string> lines;
    for (const std::string& name : store_->ValueNames(section)) {
        const auto value = store_->ReadValue(section, name);
        if (!value)
            continue;
        // Integers show as their decimal text, so that a listing never fails.
        lines.push_back(name + "=" +
                        (value->Type == TRegDataType::rdInteger
                             ? std::to_string(static_cast<int>(value->Integer))
                             : value->Text));
    }
    FillStrings(strings, lines);
}

void TRegistryIniFile::EraseSection(const std::string& section) {
    store_->DeleteKey(section);
}

void TRegistryIniFile::DeleteKey(const std::string& section, const std::string& ident) {
    store_->DeleteValue(section, ident);
}

bool TRegistryIniFile::SectionExists(const std::string& section) {
    return store_->KeyExists(section);
}

bool TRegistryIniFile::ValueExists(const std::string& section, const std::string& ident) {
    return store_->ReadValue(section, ident).has_value();
}

}  // namespace nimbra
