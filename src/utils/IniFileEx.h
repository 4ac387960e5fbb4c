#pragma once

#include <string>

#include "utils/IniFiles.h"

namespace nimbra {

// An INI file whose every operation reaches the file itself. On Windows it
// goes through the private-profile functions, reading values of up to
// 65,535 characters whole; elsewhere each operation loads the file and each
// write saves it. The file name should be a full path (Windows looks for a
// bare name in its own folder).
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
