#include "utils/IniFileEx.h"
#include "utils/FastIniUtils.h"

namespace nimbra {

// Each operation works on the file as it is now: loaded, read, and for a
// change written back at once.

std::string TIniFileEx::ReadString(const std::string& section, const std::string& ident,
                                   const std::string& defaultValue) {
    return TMemIniFile(FileName()).ReadString(section, ident, defaultValue);
}

void TIniFileEx::WriteString(const std::string& section, const std::string& ident,
                             const std::string& value) {
    TMemIniFile file(FileName());
    file.WriteString(section, ident, value);
    file.UpdateFile();
}

void TIniFileEx::ReadSection(const std::string& section, TStrings& strings) {
    TMemIniFile(FileName()).ReadSection(section, strings);
}

void TIniFileEx::ReadSections(TStrings& strings) {
    TMemIniFile(FileName()).ReadSections(strings);
}

void TIniFileEx::ReadSectionValues(const std::string& section, TStrings& strings) {
    TMemIniFile(FileName()).ReadSectionValues(section, strings);
}

void TIniFileEx::EraseSection(const std::string& section) {
    TMemIniFile file(FileName());
    file.EraseSection(section);
    file.UpdateFile();
}

void TIniFileEx::DeleteKey(const std::string& section, const std::string& ident) {
    TMemIniFile file(FileName());
    file.DeleteKey(section, ident);
    file.UpdateFile();
}

void TIniFileEx::UpdateFile() {
    // Every change is in the file already.
}

}  // namespace nimbra
