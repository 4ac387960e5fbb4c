#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/StringList.h"
#include "base/TypInfo.h"
#include "utils/IniFiles.h"

namespace nimbra {

class EAppIniError : public Exception {
  public:
    using Exception::Exception;
};

// The settings store: a fault-tolerant front to sections of named values.
// With an application key the store is the registry key "\Software" + key
// of the current user; otherwise, with a file name, an INI file (read
// directly, or buffered in memory with UseMemIni and written when closed).
// The store opens on the first operation. Unless RaiseErrors is set, every
// failure of a read gives the read's default and of a write gives False;
// unless RaiseOpenErrors is set, a store that cannot be opened (no key and
// no file name: "No application key specified") does the same.
class TAppIni : public TObject {
  public:
    TAppIni() = default;
    ~TAppIni() override;

    const std::string& AppKey() const { return appKey_; }
    // A new key or file name closes the open store; the next operation
    // opens the new one.
    void SetAppKey(const std::string& value);
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& value);
    bool HasAppKey() const { return !appKey_.empty(); }

    bool UseMemIni = false;
    // Another registry root than the current user's (0).
    std::uintptr_t RootKey = 0;
    bool RaiseErrors = false;
    bool RaiseOpenErrors = false;

    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& defaultValue);
    bool WriteString(const std::string& section, const std::string& ident,
                     const std::string& value);
    int ReadInteger(const std::string& section, const std::string& ident, int defaultValue);
    bool WriteInteger(const std::string& section, const std::string& ident, int value);
    bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue);
    bool WriteBool(const std::string& section, const std::string& ident, bool value);
    // An integer kept only when it lies in the range of the ordinal type.
    int ReadOrdinal(const std::string& section, const std::string& ident, int defaultValue,
                    const TTypeInfo& typeInfo);
    bool WriteOrdinal(const std::string& section, const std::string& ident, int value);
    // An enumeration stored by value name (letter case ignored); an empty or
    // unknown name gives the default.
    int ReadEnum(const std::string& section, const std::string& ident, int defaultValue,
                 const TTypeInfo& typeInfo);
    bool WriteEnum(const std::string& section, const std::string& ident, const TTypeInfo& typeInfo,
                   int value);
    template <class E>
    E ReadEnum(const std::string& section, const std::string& ident, E defaultValue) {
        return static_cast<E>(
            ReadEnum(section, ident, static_cast<int>(defaultValue), detail::TypeInfoOf<E>()));
    }
    template <class E>
    bool WriteEnum(const std::string& section, const std::string& ident, E value) {
        return WriteEnum(section, ident, detail::TypeInfoOf<E>(), static_cast<int>(value));
    }
    // A list as "Count" and the items under "0", "1", ...; reading ignores
    // numbered values beyond Count left by a longer list.
    void ReadStrings(const std::string& section, TStrings& strings);
    bool WriteStrings(const std::string& section, const TStrings& strings);
    // The lines of `text` as one value in the comma-text form.
    bool WriteCommaText(const std::string& section, const std::string& ident,
                        const std::string& text);
    // Like WriteStrings, each item in the comma-text form, so items holding
    // line breaks survive as one value.
    bool WriteStringsCommaText(const std::string& section, const TStrings& strings);
    // "name=value" for every value of the section (integers as decimal
    // text); empty when there are none or the store fails.
    void ReadSectionValues(const std::string& section, TStrings& strings);
    void EraseSection(const std::string& section);
    void DeleteKey(const std::string& section, const std::string& ident);
    bool ValueExists(const std::string& section, const std::string& ident);
    bool SectionExists(const std::string& section);
    // Writes the open store out and frees it.
    void Close();

  private:
    // The open store, opening it when needed; nullptr when it cannot be
    // opened and open errors are not raised.
    TCustomIniFile* Store();
    std::unique_ptr<TCustomIniFile> Open() const;
    // Runs `operation` on the store; `fallback` when there is none or, with
    // errors not raised, when the operation fails.
    template <class R, class F>
    R Guarded(R fallback, F operation);

    std::unique_ptr<TCustomIniFile> ini_;
    std::string appKey_;
    std::string fileName_;
};

// The program's settings store, made on first use and kept to the end.
TAppIni& AppIni();

// The application key under which the program keeps its settings.
inline constexpr std::string_view kNimbraAppKey = "\\Quillmoor Software\\Nimbra";

// A file of this name beside the program makes it portable: the settings
// live in that file and the registry is not touched.
inline constexpr std::string_view kPortableIniName = "Nimbra.ini";

// The start-up step that points the global store at the program's key, or
// at the portable file when `programFolder` holds one.
void InitAppIni(const std::string& programFolder = {});

}  // namespace nimbra
