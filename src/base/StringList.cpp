#include "base/StringList.h"

#include <algorithm>

#include "base/CommaText.h"
#include "base/Locale.h"

namespace nimbra {

// ---- TStrings --------------------------------------------------------------

const TClassInfo& TStrings::StaticClassInfo() {
    static const TClassInfo info(typeid(TStrings), "TStrings", &TPersistent::StaticClassInfo());
    return info;
}

void TStrings::CheckIndex(int index, int limit) const {
    if (index < 0 || index >= limit)
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

int TStrings::AddObject(const std::string& s, TObject* object) {
    const int index = Count();
    InsertObject(index, s, object);
    return index;
}

void TStrings::AddStrings(const TStrings& other) {
    BeginUpdate();
    for (int i = 0; i < other.Count(); ++i)
        AddObject(other.Strings(i), other.Objects(i));
    EndUpdate();
}

void TStrings::Move(int from, int to) {
    if (from == to)
        return;
    BeginUpdate();
    const std::string s = Strings(from);
    TObject* object = Objects(from);
    Delete(from);
    InsertObject(to, s, object);
    EndUpdate();
}

void TStrings::Exchange(int a, int b) {
    BeginUpdate();
    const std::string sa = Strings(a);
    TObject* oa = Objects(a);
    SetStrings(a, Strings(b));
    SetObjects(a, Objects(b));
    SetStrings(b, sa);
    SetObjects(b, oa);
    EndUpdate();
}

int TStrings::IndexOf(std::string_view s) const {
    for (int i = 0; i < Count(); ++i)
        if (AnsiSameText(Strings(i), s))
            return i;
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
    for (int i = 0; i < Count(); ++i)
        if (Objects(i) == object)
            return i;
    return -1;
}

std::string TStrings::Names(int index) const {
    const std::string& line = Strings(index);
    const auto eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(0, eq);
}

std::string TStrings::ValueFromIndex(int index) const {
    const std::string& line = Strings(index);
    const auto eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

int TStrings::IndexOfName(std::string_view name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string& line = Strings(i);
        const auto eq = line.find('=');
        if (eq != std::string::npos && AnsiSameText(std::string_view(line).substr(0, eq), name))
            return i;
    }
    return -1;
}

std::string TStrings::Values(std::string_view name) const {
    const int index = IndexOfName(name);
    return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStrings::SetValues(std::string_view name, const std::string& value) {
    const int index = IndexOfName(name);
    if (value.empty()) {
        if (index >= 0)
            Delete(index);
        return;
    }
    const std::string line = std::string(name) + "=" + value;
    if (index >= 0) {
        SetStrings(index, line);
    } else {
        Add(line);
    }
}

std::string TStrings::Text() const {
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        text += Strings(i);
        text += "\r\n";
    }
    return text;
}

void TStrings::SetText(std::string_view text) {
    BeginUpdate();
    Clear();
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        Add(std::string(text.substr(pos, end - pos)));
        if (end < text.size() && text[end] == '\r')
            ++end;
        if (end < text.size() && text[end] == '\n')
            ++end;
        pos = end;
    }
    EndUpdate();
}

std::vector<std::string> TStrings::ToVector() const {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(Count()));
    for (int i = 0; i < Count(); ++i)
        lines.push_back(Strings(i));
    return lines;
}

std::string TStrings::CommaText() const {
    return EncodeCommaText(ToVector());
}

void TStrings::SetCommaText(std::string_view text) {
    BeginUpdate();
    Clear();
    for (std::string& item : DecodeCommaText(text))
        Add(item);
    EndUpdate();
}

void TStrings::BeginUpdate() {
    Changing();
    ++updateCount_;
}

void TStrings::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0)
        Changed();
}

void TStrings::Changing() {
    if (updateCount_ == 0 && OnChanging)
        OnChanging(*this);
}

void TStrings::Changed() {
    if (updateCount_ == 0 && OnChange)
        OnChange(*this);
}

bool TStrings::Equals(const TStrings& other) const {
    if (Count() != other.Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Strings(i) != other.Strings(i))
            return false;
    return true;
}

void TStrings::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TStrings*>(&source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this)
        return;
    BeginUpdate();
    Clear();
    AddStrings(*other);
    EndUpdate();
}

// ---- TStringList -----------------------------------------------------------

const TClassInfo& TStringList::StaticClassInfo() {
    static const TClassInfo info(typeid(TStringList), "TStringList", &TStrings::StaticClassInfo());
    return info;
}

TStringList::TStringList(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        Add(line);
}

const std::string& TStringList::Strings(int index) const {
    CheckIndex(index, Count());
    return items_[static_cast<std::size_t>(index)].text;
}

void TStringList::SetStrings(int index, const std::string& value) {
    if (sorted_)
        throw EListError("Operation not allowed on sorted list");
    CheckIndex(index, Count());
    Changing();
    items_[static_cast<std::size_t>(index)].text = value;
    Changed();
}

TObject* TStringList::Objects(int index) const {
    CheckIndex(index, Count());
    return items_[static_cast<std::size_t>(index)].object;
}

void TStringList::SetObjects(int index, TObject* object) {
    CheckIndex(index, Count());
    Changing();
    items_[static_cast<std::size_t>(index)].object = object;
    Changed();
}

void TStringList::InsertObject(int index, const std::string& s, TObject* object) {
    if (sorted_)
        throw EListError("Operation not allowed on sorted list");
    CheckIndex(index, Count() + 1);
    InsertItem(index, s, object);
}

void TStringList::InsertItem(int index, const std::string& s, TObject* object) {
    Changing();
    items_.insert(items_.begin() + index, Item{s, object});
    Changed();
}

int TStringList::AddObject(const std::string& s, TObject* object) {
    if (!sorted_) {
        const int index = Count();
        InsertItem(index, s, object);
        return index;
    }
    int index = 0;
    if (Find(s, index)) {
        switch (duplicates_) {
            case dupIgnore:
                return index;
            case dupError:
                throw EListError("String list does not allow duplicates");
            case dupAccept:
                // After the equal lines, so equal lines keep their order of adding.
                while (index < Count() && CompareStrings(items_[index].text, s) == 0)
                    ++index;
                break;
        }
    }
    InsertItem(index, s, object);
    return index;
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count());
    Changing();
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (items_.empty())
        return;
    Changing();
    items_.clear();
    Changed();
}

int TStringList::CompareStrings(std::string_view a, std::string_view b) const {
    return caseSensitive_ ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

int TStringList::IndexOf(std::string_view s) const {
    if (!sorted_) {
        for (int i = 0; i < Count(); ++i)
            if (CompareStrings(items_[i].text, s) == 0)
                return i;
        return -1;
    }
    int index = 0;
    return Find(s, index) ? index : -1;
}

bool TStringList::Find(std::string_view s, int& index) const {
    // Lower bound, so with duplicates the first equal line is found.
    int low = 0;
    int high = Count();
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (CompareStrings(items_[static_cast<std::size_t>(mid)].text, s) < 0) {
            low = mid + 1;
        } else {
            high = mid;
        }
    }
    index = low;
    return low < Count() && CompareStrings(items_[static_cast<std::size_t>(low)].text, s) == 0;
}

void TStringList::SetSorted(bool sorted) {
    if (sorted && !sorted_)
        Sort();
    sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
    if (caseSensitive == caseSensitive_)
        return;
    caseSensitive_ = caseSensitive;
    if (sorted_)
        Sort();
}

void TStringList::Sort() {
    Changing();
    std::stable_sort(items_.begin(), items_.end(), [this](const Item& a, const Item& b) {
        return CompareStrings(a.text, b.text) < 0;
    });
    Changed();
}

void TStringList::CustomSort(const std::function<int(const TStringList&, int, int)>& compare) {
    // Sort a permutation, since the comparison takes positions in this list.
    std::vector<int> order(items_.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return compare(*this, a, b) < 0; });
    std::vector<Item> sortedItems;
    sortedItems.reserve(items_.size());
    for (int i : order)
        sortedItems.push_back(std::move(items_[static_cast<std::size_t>(i)]));
    Changing();
    items_ = std::move(sortedItems);
    Changed();
}

}  // namespace nimbra
