#pragma once

#include <memory>
#include <string>

#include "utils/IniFiles.h"
#include "utils/RegistryStore.h"

namespace nimbra {

// The INI interface over a registry store: sections are key paths below the
// store's base key ("Nimbra\Options" descends into Nimbra, then Options),
// idents are value names. Strings are string values; WriteInteger makes a
// DWORD value unless a string value of that name exists, which then takes
// the decimal text; ReadInteger accepts both. Booleans, dates and floats are
// written as text by the base class. Writes go to the store at once.
class TRegistryIniFile : public TCustomIniFile {
  public:
    // `name` is what FileName reports (the key path).
    TRegistryIniFile(std::unique_ptr<TRegistryStore> store, std::string name);

    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& defaultValue) override;
    void WriteString(const std::string& section, const std::string& ident,
                     const std::string& value) override;
    int ReadInteger(const std::string& section, const std::string& ident,
                    int defaultValue) override;
    void WriteInteger(const std::string& section, const std::string& ident, int value) override;
    void ReadSection(const std::string& section, TStrings& strings) override;
    // The keys directly below the base key.
    void ReadSections(TStrings& strings) override;
    void ReadSectionValues(const std::string& section, TStrings& strings) override;
    // Deletes the key with everything below it.
    void EraseSection(const std::string& section) override;
    void DeleteKey(const std::string& section, const std::string& ident) override;
    void UpdateFile() override {}
    bool SectionExists(const std::string& section) override;
    bool ValueExists(const std::string& section, const std::string& ident) override;

  private:
    std::unique_ptr<TRegistryStore> store_;
};

}  // namespace nimbra
