#pragma once

#include <string>

#include "utils/IniFiles.h"

namespace nimbra {

// An INI file whose every operation reaches the file itself: each operation
// loads the file, and each change saves it at once through a temporary file
// and a rename. Not the system's private-profile functions: they rewrite the
// file in place, and a full disk leaves it cut short while they report
// success, which would lose the portable settings. Values of any length come
// back whole.
class TIniFileEx : public TCustomIniFile {
  public:
    explicit TIniFileEx(const std::string& fileName) : TCustomIniFile(fileName) {}

    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& defaultValue) override;
    void WriteString(const std::string& section, const std::string& ident,
                     const std::string& value) override;
    void ReadSection(const std::string& section, TStrings& strings) override;
    void ReadSections(TStrings& strings) override;
    void ReadSectionValues(const std::string& section, TStrings& strings) override;
    void EraseSection(const std::string& section) override;
    void DeleteKey(const std::string& section, const std::string& ident) override;
    void UpdateFile() override;
};

}  // namespace nimbra
