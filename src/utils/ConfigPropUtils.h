#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/Classes.h"
#include "base/TypInfo.h"

namespace nimbra {

// A stored string list or collection count beyond this is damaged data, not
// a list: loading it would only exhaust memory.
inline constexpr int kMaxStoredListItems = 65536;

// The published properties of an object that a TPropsStorage handles: every
// property that can be loaded again (read-only ones only when they hold an
// object, which is then filled in place).
class TPropInfoList {
  public:
    explicit TPropInfoList(const TPersistent& object);
    int Count() const { return static_cast<int>(props_.size()); }
    const TPropInfo& Items(int index) const { return *props_.at(static_cast<std::size_t>(index)); }
    // The property of the name (letter case ignored), or nullptr.
    const TPropInfo* Find(std::string_view name) const;

  private:
    std::vector<const TPropInfo*> props_;
};

class TPropsStorage;
using TReadStrEvent =
    std::function<std::string(TPropsStorage& sender, const std::string& section,
                              const std::string& ident, const std::string& defaultValue)>;
using TWriteStrEvent = std::function<void(TPropsStorage& sender, const std::string& section,
                                          const std::string& ident, const std::string& value)>;
using TEraseSectEvent = std::function<void(TPropsStorage& sender, const std::string& section)>;
using TDeleteKeyEvent = std::function<void(TPropsStorage& sender, const std::string& section,
                                           const std::string& ident)>;

// Writes the published properties of AObject as text values, one ident per
// property, and reads them back. A value equal to its declared default is
// never stored: its ident is deleted. String lists become a sub-section
// ("Count", "Item0", ...), collections a sub-section of items whose idents
// carry "Item<i>." before the item's own property names ("Item0..Title"),
// other objects their own properties under the run-together prefix, and
// components a reference by name. Loading mirrors storing; an error while
// loading one property is swallowed and loading goes on.
class TPropsStorage : public TObject {
  public:
    TPersistent* AObject = nullptr;
    // The component against which references by bare name are resolved.
    TComponent* Owner = nullptr;
    std::string Prefix;
    std::string Section;

    // Where the text goes. An unset read reads as the empty string; unset
    // write, erase and delete do nothing.
    TReadStrEvent OnReadString;
    TWriteStrEvent OnWriteString;
    TEraseSectEvent OnEraseSection;
    TDeleteKeyEvent OnDeleteKey;
    // Finds a top-level component by name, for references written as
    // "Owner.Name"; unset, such references are not resolved.
    std::function<TComponent*(std::string_view name)> FindGlobalComponent;

    void StoreAnyProperty(const TPropInfo& prop);
    void LoadAnyProperty(const TPropInfo& prop);
    void StoreProperties();
    void LoadProperties();

    virtual std::string ReadString(const std::string& section, const std::string& ident,
                                   const std::string& defaultValue);
    virtual void WriteString(const std::string& section, const std::string& ident,
                             const std::string& value);
    virtual void EraseSection(const std::string& section);
    virtual void DeleteKey(const std::string& section, const std::string& ident);
    // Prefix + "." + PropName, or PropName without a prefix.
    virtual std::string GetItemName(const std::string& propName) const;

  protected:
    // A new, empty storage of this storage's class.
    virtual std::unique_ptr<TPropsStorage> CreateStorage() const;

  private:
    // A storage for `object` with this one's callbacks and owner.
    std::unique_ptr<TPropsStorage> NestedStorage(TPersistent* object, std::string section,
                                                 std::string prefix) const;
    void StoreClassProperty(const TPropInfo& prop);
    void LoadClassProperty(const TPropInfo& prop);
    std::string ComponentReference(const TComponent* component) const;
    TComponent* ResolveReference(std::string_view text) const;
};

}  // namespace nimbra
