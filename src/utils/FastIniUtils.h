#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "utils/IniFiles.h"

namespace nimbra {

// One section of a TFastIniFile: values in the order they were added, and
// the key names sorted (case-insensitively, by the user's locale), each
// carrying the position of its value. The first definition of a name wins;
// a value whose name is gone stays unreachable and is never written.
class TFastIniSection : public TObject {
  public:
    // Adds a key line: name and value around the first "=", both trimmed;
    // a line without "=" is a name (untrimmed) with an empty value. A name
    // already present keeps its value unless `replace` is set.
    void AddLine(std::string_view line, bool replace = false);
    // The same for loading a whole file: the line is appended unsorted, and
    // SortNames must follow before any other use.
    void AppendLine(std::string_view line);
    // Sorts the names appended, keeping the first of names that compare
    // equal.
    void SortNames();
    // The value of the name, or nullptr when the section has no such key.
    const std::string* Find(std::string_view name) const;
    // Removes the name; false when there is none.
    bool Delete(std::string_view name);

    // The keys in sorted order.
    int Count() const { return static_cast<int>(names_.size()); }
    const std::string& Name(int index) const { return names_[Checked(index)].first; }
    const std::string& Value(int index) const { return values_[names_[Checked(index)].second]; }

  private:
    std::size_t Checked(int index) const;
    // Lower bound of the name; true when it is present.
    bool Locate(std::string_view name, std::size_t& index) const;

    std::vector<std::string> values_;
    std::vector<std::pair<std::string, std::size_t>> names_;
};

// An INI file kept in memory: loaded once at construction, looked up by
// binary search, written back whole (sorted, CR LF) by UpdateFile. Writing a
// key that exists keeps the old value: the store never overwrites (delete
// the key first to replace it). Destruction does not save.
class TFastIniFile : public TCustomIniFile {
  public:
    // A missing file, or an empty name, gives an empty store.
    explicit TFastIniFile(const std::string& fileName);
    ~TFastIniFile() override;

    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& defaultValue) override;
    void WriteString(const std::string& section, const std::string& ident,
                     const std::string& value) override;
    void ReadSection(const std::string& section, TStrings& strings) override;
    void ReadSections(TStrings& strings) override;
    void ReadSectionValues(const std::string& section, TStrings& strings) override;
    void EraseSection(const std::string& section) override;
    void DeleteKey(const std::string& section, const std::string& ident) override;
    // Writes the whole store to the file (through a temporary file in the
    // same folder); nothing with an empty file name.
    void UpdateFile() override;

    // Replaces the whole store by the text parsed as a file's content.
    void SetText(std::string_view text);
    // The store as UpdateFile writes it: every section with keys, in sorted
    // order, its keys sorted below it; every line ends with CR LF.
    std::string GetText() const;

  protected:
    TFastIniSection* FindSection(std::string_view name) const;
    TFastIniSection* FindOrAddSection(std::string_view name);
    void Clear();

  private:
    bool LocateSection(std::string_view name, std::size_t& index) const;
    void Parse(std::string_view text);

    std::vector<std::pair<std::string, std::unique_ptr<TFastIniSection>>> sections_;
};

// The buffered in-memory INI file of the settings store: a TFastIniFile
// whose WriteString replaces an existing value, as a settings store must.
class TMemIniFile : public TFastIniFile {
  public:
    using TFastIniFile::TFastIniFile;
    void WriteString(const std::string& section, const std::string& ident,
                     const std::string& value) override;
};

}  // namespace nimbra
