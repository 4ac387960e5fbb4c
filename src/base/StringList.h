#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Classes.h"

namespace nimbra {

// A list of lines, each with an optional object (not owned).
class TStrings : public TPersistent {
  public:
    virtual int Count() const = 0;
    virtual const std::string& Strings(int index) const = 0;
    virtual void SetStrings(int index, const std::string& value) = 0;
    virtual TObject* Objects(int index) const = 0;
    virtual void SetObjects(int index, TObject* object) = 0;
    virtual void InsertObject(int index, const std::string& s, TObject* object) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    virtual int Add(const std::string& s) { return AddObject(s, nullptr); }
    virtual int AddObject(const std::string& s, TObject* object);
    void Insert(int index, const std::string& s) { InsertObject(index, s, nullptr); }
    void AddStrings(const TStrings& other);
    void Move(int from, int to);
    void Exchange(int a, int b);
    // Position of the first line equal to s, ignoring case with the
    // locale's rules; -1 if none.
    virtual int IndexOf(std::string_view s) const;
    int IndexOfObject(const TObject* object) const;

    // "Name=Value" lines.
    std::string Names(int index) const;
    std::string ValueFromIndex(int index) const;
    int IndexOfName(std::string_view name) const;
    std::string Values(std::string_view name) const;
    // Sets the value of the line with the name; an empty value deletes it.
    void SetValues(std::string_view name, const std::string& value);

    // Every line followed by CR LF; setting splits at CR LF, CR or LF.
    std::string Text() const;
    void SetText(std::string_view text);
    std::string CommaText() const;
    void SetCommaText(std::string_view text);
    std::vector<std::string> ToVector() const;

    // Change notifications are held back inside a bracket.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    bool Equals(const TStrings& other) const;
    void Assign(const TPersistent& source) override;

    std::function<void(TStrings& sender)> OnChanging;
    std::function<void(TStrings& sender)> OnChange;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    void Changing();
    void Changed();
    void CheckIndex(int index, int limit) const;

  private:
    int updateCount_ = 0;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

// The list of lines kept in memory; optionally sorted (locale-aware,
// ignoring case unless CaseSensitive), with a duplicates policy.
class TStringList : public TStrings {
  public:
    TStringList() = default;
    explicit TStringList(const std::vector<std::string>& lines);

    int Count() const override { return static_cast<int>(items_.size()); }
    const std::string& Strings(int index) const override;
    void SetStrings(int index, const std::string& value) override;
    TObject* Objects(int index) const override;
    void SetObjects(int index, TObject* object) override;
    void InsertObject(int index, const std::string& s, TObject* object) override;
    void Delete(int index) override;
    void Clear() override;
    int AddObject(const std::string& s, TObject* object) override;
    int IndexOf(std::string_view s) const override;

    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool caseSensitive);

    // Binary search in a sorted list: true when found; `index` receives the
    // first equal line's position, or where s would be inserted.
    bool Find(std::string_view s, int& index) const;
    void Sort();
    void CustomSort(const std::function<int(const TStringList&, int, int)>& compare);

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    struct Item {
        std::string text;
        TObject* object = nullptr;
    };
    int CompareStrings(std::string_view a, std::string_view b) const;
    void InsertItem(int index, const std::string& s, TObject* object);

    std::vector<Item> items_;
    bool sorted_ = false;
    bool caseSensitive_ = false;
    TDuplicates duplicates_ = dupIgnore;
};

}  // namespace nimbra
