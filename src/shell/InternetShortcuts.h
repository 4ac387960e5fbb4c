#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/Classes.h"

namespace nimbra {

// Raised when an Internet shortcut holds no address.
class EInternetShortcutError : public Exception {
  public:
    using Exception::Exception;
};

// Internet shortcuts are small INI texts; a larger file is not one.
constexpr std::size_t kMaxUrlFileSize = 1024 * 1024;

// What an Internet shortcut (".url") holds.
struct TInternetShortcutData {
    std::string URL;
    std::uint16_t HotKey = 0;
    std::string IconFile;
    std::int32_t IconIndex = 0;
    std::string WorkingDirectory;
    std::int32_t ShowCmd = 1;
    std::string WhatsNew;
    std::string Author;
    std::string Description;
    std::string Comment;
    std::string Name;

    bool operator==(const TInternetShortcutData&) const = default;
};

// One property of the Internet-shortcut property set, with the field it
// fills: a text, or a number through SetNumber.
struct TIntshcutProperty {
    std::uint32_t Id;    // the property identifier (PID_IS_...)
    const char* IniKey;  // its key in [InternetShortcut]; nullptr when it has none
    std::string TInternetShortcutData::*Text;
    void (*SetNumber)(TInternetShortcutData& data, long value);
};
constexpr std::size_t kIntshcutPropertyCount = 11;
// The properties in the order they are read.
const std::array<TIntshcutProperty, kIntshcutPropertyCount>& IntshcutProperties();

// Reads everything an Internet shortcut stores. Created, loaded, read and
// freed within one call.
class TInternetLnk : public TObject {
  public:
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& value) { fileName_ = value; }
    const std::string& URL() const { return data_.URL; }
    std::uint16_t HotKey() const { return data_.HotKey; }
    const std::string& IconFile() const { return data_.IconFile; }
    std::int32_t IconIndex() const { return data_.IconIndex; }
    const std::string& WorkingDirectory() const { return data_.WorkingDirectory; }
    std::int32_t ShowCmd() const { return data_.ShowCmd; }
    const std::string& WhatsNew() const { return data_.WhatsNew; }
    const std::string& Author() const { return data_.Author; }
    const std::string& Description() const { return data_.Description; }
    const std::string& Comment() const { return data_.Comment; }
    const std::string& Name() const { return data_.Name; }
    const TInternetShortcutData& Data() const { return data_; }

    // Resets every field but FileName, then reads FileName unless it is
    // empty. Raises when the file cannot be read.
    void Load();

  private:
    void LoadFromFile();

    std::string fileName_;
    TInternetShortcutData data_;
};

// True when the file exists and was read: the address, and as title the
// description or, without one, the file name less folder and extension. A
// file the shell's object rejects is read as INI text; then only its
// "URL" key counts, and an empty one gives false, as does a file larger
// than kMaxUrlFileSize.
bool GetInternetShortcutInfo(const std::string& fileName, std::string& url, std::string& title);

// The title of an Internet shortcut: its description, or its file name
// without folder and extension when it has none.
std::string InternetShortcutTitle(const std::string& fileName, const std::string& description);

// The INI form of an Internet shortcut, decoded directly: the keys of
// [InternetShortcut] and, for properties without such a key, the
// "Prop<id>=<type>,<value>" lines of the property-set section.
TInternetShortcutData ParseInternetShortcut(std::string_view text);

// The value of a key of an INI text, by the private-profile rules: section
// and key names ignore case, the first section of a name and the first key
// in it count, the value is trimmed and loses one pair of enclosing quotes.
// Empty when there is no such key.
std::string IniTextValue(std::string_view text, std::string_view section, std::string_view key);

}  // namespace nimbra
