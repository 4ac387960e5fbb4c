#include "utils/FastIniUtils.h"

#include <algorithm>

#include "base/Locale.h"
#include "base/Unicode.h"
#include "utils/ConfigFunUtils.h"
#include "utils/FileUtils.h"

namespace nimbra {

namespace {

// A language file holds some tens of kilobytes, a help dump or settings
// file less. A larger file (damaged, or no language file at all) is refused
// before it is read, so that it costs neither memory nor time at start.
constexpr std::size_t kMaxFileSize = std::size_t{4} << 20;

// Binary search for the lower bound of `name` in a list sorted by the
// locale's case-insensitive order; true when an equal entry is there.
template <class List>
bool LowerBound(const List& list, std::string_view name, std::size_t& index) {
    std::size_t low = 0;
    std::size_t high = list.size();
    while (low < high) {
        const std::size_t mid = low + (high - low) / 2;
        if (AnsiCompareText(list[mid].first, name) < 0) {
            low = mid + 1;
        } else {
            high = mid;
        }
    }
    index = low;
    return low < list.size() && AnsiCompareText(list[low].first, name) == 0;
}

// Sorts (name, ...) entries in the order LowerBound searches, keeping only
// the first of names that compare equal. A file is parsed first and sorted
// once, with one sort key per name: inserting each line at its sorted place
// costs quadratic time on files that are not sorted already.
template <class Entry>
void SortKeepingFirst(std::vector<Entry>& entries) {
    std::vector<std::pair<std::string, std::size_t>> keys;
    keys.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        keys.emplace_back(AnsiSortKey(entries[i].first), i);
    // Equal keys stay in file order, so the first definition comes first.
    std::sort(keys.begin(), keys.end());
    std::vector<Entry> sorted;
    sorted.reserve(entries.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (i == 0 || keys[i].first != keys[i - 1].first)
            sorted.push_back(std::move(entries[keys[i].second]));
    }
    entries = std::move(sorted);
}

// Name and value of a key line: around the first "=", both trimmed; a line
// without "=" is a name (untrimmed) with an empty value.
std::pair<std::string_view, std::string_view> SplitKeyLine(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return {line, {}};
    return {TrimView(line.substr(0, equals)), TrimView(line.substr(equals + 1))};
}

}  // namespace

// ---- TFastIniSection ---------------------------------------------------------

std::size_t TFastIniSection::Checked(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return static_cast<std::size_t>(index);
}

bool TFastIniSection::Locate(std::string_view name, std::size_t& index) const {
    return LowerBound(names_, name, index);
}

void TFastIniSection::AddLine(std::string_view line, bool replace) {
    const auto [name, value] = SplitKeyLine(line);
    std::size_t index = 0;
    if (Locate(name, index)) {
        if (replace) {
            values_[names_[index].second] = std::string(value);
        } else {
            values_.emplace_back(value);  // unreachable: the first definition wins
        }
        return;
    }
    values_.emplace_back(value);
    names_.insert(names_.begin() + static_cast<std::ptrdiff_t>(index),
                  {std::string(name), values_.size() - 1});
}

void TFastIniSection::AppendLine(std::string_view line) {
    const auto [name, value] = SplitKeyLine(line);
    values_.emplace_back(value);
    names_.emplace_back(std::string(name), values_.size() - 1);
}

void TFastIniSection::SortNames() {
    SortKeepingFirst(names_);
}

const std::string* TFastIniSection::Find(std::string_view name) const {
    std::size_t index = 0;
    return Locate(name, index) ? &values_[names_[index].second] : nullptr;
}

bool TFastIniSection::Delete(std::string_view name) {
    std::size_t index = 0;
    if (!Locate(name, index))
        return false;
    names_.erase(names_.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

// ---- TFastIniFile ------------------------------------------------------------

TFastIniFile::TFastIniFile(const std::string& fileName) : TCustomIniFile(fileName) {
    if (!fileName.empty() && FileExists(fileName))
        Parse(DecodeTextFile(ReadFileBytes(fileName, kMaxFileSize)));
}

TFastIniFile::~TFastIniFile() = default;

bool TFastIniFile::LocateSection(std::string_view name, std::size_t& index) const {
    return LowerBound(sections_, name, index);
}

TFastIniSection* TFastIniFile::FindSection(std::string_view name) const {
    std::size_t index = 0;
    return LocateSection(name, index) ? sections_[index].second.get() : nullptr;
}

TFastIniSection* TFastIniFile::FindOrAddSection(std::string_view name) {
    std::size_t index = 0;
    if (!LocateSection(name, index)) {
        sections_.insert(sections_.begin() + static_cast<std::ptrdiff_t>(index),
                         {std::string(name), std::make_unique<TFastIniSection>()});
    }
    return sections_[index].second.get();
}

void TFastIniFile::Clear() {
    sections_.clear();
}

void TFastIniFile::SetText(std::string_view text) {
    Clear();
    Parse(text);
}

void TFastIniFile::Parse(std::string_view text) {
    // Every header gets a section of its own, in file order; sorting then
    // keeps the first section of each name, so what follows a repeated
    // header is read and lost.
    std::vector<std::pair<std::string, std::unique_ptr<TFastIniSection>>> sections;
    TFastIniSection* current = nullptr;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        // A line ends at CR, LF or CR LF.
        pos = end;
        if (pos < text.size() && text[pos++] == '\r' && pos < text.size() && text[pos] == '\n')
            ++pos;

        if (line.empty() || line.front() == ';')
            continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            sections.emplace_back(std::string(line.substr(1, line.size() - 2)),
                                  std::make_unique<TFastIniSection>());
            current = sections.back().second.get();
            continue;
        }
        if (current != nullptr)
            current->AppendLine(line);
    }
    SortKeepingFirst(sections);
    for (auto& entry : sections)
        entry.second->SortNames();
    // Parsing fills an empty store (construction, SetText).
    sections_ = std::move(sections);
}

std::string TFastIniFile::GetText() const {
    std::string text;
    for (const auto& [name, section] : sections_) {
        if (section->Count() == 0)
            continue;
        text += '[';
        text += name;
        text += "]\r\n";
        for (int i = 0; i < section->Count(); ++i) {
            text += section->Name(i);
            text += '=';
            text += section->Value(i);
            text += "\r\n";
        }
    }
    return text;
}

std::string TFastIniFile::ReadString(const std::string& section, const std::string& ident,
                                     const std::string& defaultValue) {
    const TFastIniSection* found = FindSection(section);
    const std::string* value = found != nullptr ? found->Find(ident) : nullptr;
    return value != nullptr ? *value : defaultValue;
}

void TFastIniFile::WriteString(const std::string& section, const std::string& ident,
                               const std::string& value) {
    FindOrAddSection(section)->AddLine(ident + "=" + value);
}

void TFastIniFile::ReadSection(const std::string& section, TStrings& strings) {
    strings.BeginUpdate();
    strings.Clear();
    if (const TFastIniSection* found = FindSection(section)) {
        for (int i = 0; i < found->Count(); ++i)
            strings.Add(found->Name(i));
    }
    strings.EndUpdate();
}

void TFastIniFile::ReadSections(TStrings& strings) {
    strings.BeginUpdate();
    strings.Clear();
    for (const auto& entry : sections_)
        strings.Add(entry.first);
    strings.EndUpdate();
}

void TFastIniFile::ReadSectionValues(const std::string& section, TStrings& strings) {
    strings.BeginUpdate();
    strings.Clear();
    if (const TFastIniSection* found = FindSection(section)) {
        for (int i = 0; i < found->Count(); ++i)
            strings.Add(found->Name(i) + "=" + found->Value(i));
    }
    strings.EndUpdate();
}

void TFastIniFile::EraseSection(const std::string& section) {
    std::size_t index = 0;
    if (LocateSection(section, index))
        sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(index));
}

void TFastIniFile::DeleteKey(const std::string& section, const std::string& ident) {
    TFastIniSection* found = FindSection(section);
    if (found != nullptr && found->Delete(ident) && found->Count() == 0)
        EraseSection(section);
}

void TFastIniFile::UpdateFile() {
    if (!FileName().empty())
        WriteFileReplacing(FileName(), GetText());
}

// ---- TMemIniFile -------------------------------------------------------------

void TMemIniFile::WriteString(const std::string& section, const std::string& ident,
                              const std::string& value) {
    FindOrAddSection(section)->AddLine(ident + "=" + value, true);
}

}  // namespace nimbra
