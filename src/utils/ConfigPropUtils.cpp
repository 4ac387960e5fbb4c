#include "utils/ConfigPropUtils.h"

#include <algorithm>

#include "base/Collections.h"
#include "base/FormatSettings.h"
#include "base/Locale.h"
#include "base/StringList.h"
#include "utils/ConfigFunUtils.h"

namespace nimbra {

namespace {

constexpr char kNullReference[] = "(null)";

// ---- the kinds table ---------------------------------------------------------

std::int64_t Ordinal(const TPersistent& object, const TPropInfo& prop) {
    return GetOrdProp(object, prop);
}

bool OrdinalDiffers(const TPersistent& object, const TPropInfo& prop) {
    // Without a declared default a value always counts as different.
    return !prop.Default || Ordinal(object, prop) != *prop.Default;
}

int FloatPrecision(TFloatType type) {
    switch (type) {
        case TFloatType::ftSingle:
            return 7;
        case TFloatType::ftDouble:
            return 15;
        case TFloatType::ftCurr:
            return 19;
        default:
            return 18;
    }
}

std::string IntegerText(const TPersistent& object, const TPropInfo& prop) {
    return std::to_string(Ordinal(object, prop));
}

std::string CharText(const TPersistent& object, const TPropInfo& prop) {
    return std::string(1, static_cast<char>(Ordinal(object, prop)));
}

std::string EnumText(const TPersistent& object, const TPropInfo& prop) {
    return std::string(prop.PropType->NameOf(Ordinal(object, prop)));
}

std::string FloatText(const TPersistent& object, const TPropInfo& prop) {
    return FloatToStrG(GetFloatProp(object, prop), FloatPrecision(prop.PropType->FloatType), '.');
}

std::string StringText(const TPersistent& object, const TPropInfo& prop) {
    return GetStrProp(object, prop);
}

std::string SetText(const TPersistent& object, const TPropInfo& prop) {
    return SetToString(*prop.PropType, static_cast<std::uint64_t>(Ordinal(object, prop)));
}

bool FloatDiffers(const TPersistent& object, const TPropInfo& prop) {
    return GetFloatProp(object, prop) != 0.0;
}

bool StringDiffers(const TPersistent& object, const TPropInfo& prop) {
    return !GetStrProp(object, prop).empty();
}

bool Int64Differs(const TPersistent& object, const TPropInfo& prop) {
    return Ordinal(object, prop) != 0;
}

void LoadInteger(TPersistent& object, const TPropInfo& prop, const std::string& text) {
    std::int64_t value = 0;
    if (!TryStrToInt64(text, value))
        value = 0;  // text that is no number reads as 0
    SetOrdProp(object, prop, value);
}

void LoadChar(TPersistent& object, const TPropInfo& prop, const std::string& text) {
    if (!text.empty())
        SetOrdProp(object, prop, static_cast<unsigned char>(text[0]));
}

void LoadEnum(TPersistent& object, const TPropInfo& prop, const std::string& text) {
    if (const auto value = prop.PropType->ValueOf(text))
        SetOrdProp(object, prop, *value);
}

void LoadFloat(TPersistent& object, const TPropInfo& prop, const std::string& text) {
    const char separator = FormatSettings().DecimalSeparator;
    std::string local = text;
    std::replace(local.begin(), local.end(), '.', separator);
    double value = 0;
    if (!TryStrToFloat(local, value, separator))
        throw EConvertError("'" + text + "' is not a valid floating point value");
    SetFloatProp(object, prop, value);
}

void LoadString(TPersistent& object, const TPropInfo& prop, const std::string& text) {
    SetStrProp(object, prop, text);
}

void LoadSet(TPersistent& object, const TPropInfo& prop, const std::string& text) {
    SetOrdProp(object, prop, static_cast<std::int64_t>(StringToSet(*prop.PropType, text)));
}

void LoadInt64(TPersistent& object, const TPropInfo& prop, const std::string& text) {
    SetOrdProp(object, prop, StrToInt64(text));
}

struct TKindRule {
    TTypeKind Kind;
    std::string (*Text)(const TPersistent&, const TPropInfo&);
    bool (*Differs)(const TPersistent&, const TPropInfo&);
    void (*Load)(TPersistent&, const TPropInfo&, const std::string&);
    bool WrittenAsIs;  // otherwise trimmed, and an empty text is no difference
    bool ReadAsIs;     // otherwise read only over a non-empty text, and trimmed
};

constexpr TKindRule kKindRules[] = {
    {TTypeKind::tkInteger, IntegerText, OrdinalDiffers, LoadInteger, false, false},
    {TTypeKind::tkChar, CharText, OrdinalDiffers, LoadChar, true, false},
    {TTypeKind::tkEnumeration, EnumText, OrdinalDiffers, LoadEnum, false, false},
    {TTypeKind::tkFloat, FloatText, FloatDiffers, LoadFloat, false, false},
    {TTypeKind::tkString, StringText, StringDiffers, LoadString, true, true},
    {TTypeKind::tkSet, SetText, OrdinalDiffers, LoadSet, false, false},
    {TTypeKind::tkInt64, IntegerText, Int64Differs, LoadInt64, false, false},
};

const TKindRule* RuleFor(TTypeKind kind) {
    for (const TKindRule& rule : kKindRules)
        if (rule.Kind == kind)
            return &rule;
    return nullptr;
}

// ---- helpers -----------------------------------------------------------------

// Holds a list's or collection's change notifications for a bulk change.
template <class List>
class UpdateBracket {
  public:
    explicit UpdateBracket(List& list) : list_(list) { list_.BeginUpdate(); }
    UpdateBracket(const UpdateBracket&) = delete;
    UpdateBracket& operator=(const UpdateBracket&) = delete;
    ~UpdateBracket() { list_.EndUpdate(); }

  private:
    List& list_;
};

// The item count of a stored list: none (empty text) is 0; text that is no
// count in the sane range is damaged and raises.
int StoredCount(const std::string& text) {
    if (text.empty())
        return 0;
    int count = 0;
    if (!TryStrToInt(Trim(text), count) || count < 0 || count > kMaxStoredListItems)
        throw EConvertError("Invalid item count '" + text + "'");
    return count;
}

bool IsComponentClass(const TPropInfo& prop) {
    const TClassInfo* declared = prop.PropType->ClassType;
    return declared != nullptr && declared->InheritsFrom(TComponent::StaticClassInfo());
}

std::string ItemPrefix(int index) {
    return "Item" + std::to_string(index) + ".";
}

}  // namespace

// ---- TPropInfoList -----------------------------------------------------------

TPropInfoList::TPropInfoList(const TPersistent& object) {
    for (const TPropInfo* prop : PublishedClassInfo(object).Properties()) {
        if (prop->IsWritable() || prop->Kind() == TTypeKind::tkClass)
            props_.push_back(prop);
    }
}

const TPropInfo* TPropInfoList::Find(std::string_view name) const {
    auto it = std::find_if(props_.begin(), props_.end(),
                           [&](const TPropInfo* p) { return SameText(p->Name, name); });
    return it == props_.end() ? nullptr : *it;
}

// ---- TPropsStorage: the store callbacks --------------------------------------

std::string TPropsStorage::ReadString(const std::string& section, const std::string& ident,
                                      const std::string& defaultValue) {
    return OnReadString ? OnReadString(*this, section, ident, defaultValue) : std::string();
}

void TPropsStorage::WriteString(const std::string& section, const std::string& ident,
                                const std::string& value) {
    if (OnWriteString)
        OnWriteString(*this, section, ident, value);
}

void TPropsStorage::EraseSection(const std::string& section) {
    if (OnEraseSection)
        OnEraseSection(*this, section);
}

void TPropsStorage::DeleteKey(const std::string& section, const std::string& ident) {
    if (OnDeleteKey)
        OnDeleteKey(*this, section, ident);
}

std::string TPropsStorage::GetItemName(const std::string& propName) const {
    return Prefix.empty() ? propName : Prefix + "." + propName;
}

std::unique_ptr<TPropsStorage> TPropsStorage::CreateStorage() const {
    return std::make_unique<TPropsStorage>();
}

std::unique_ptr<TPropsStorage> TPropsStorage::NestedStorage(TPersistent* object,
                                                            std::string section,
                                                            std::string prefix) const {
    std::unique_ptr<TPropsStorage> storage = CreateStorage();
    storage->AObject = object;
    storage->Owner = Owner;
    storage->Section = std::move(section);
    storage->Prefix = std::move(prefix);
    storage->OnReadString = OnReadString;
    storage->OnWriteString = OnWriteString;
    storage->OnEraseSection = OnEraseSection;
    storage->OnDeleteKey = OnDeleteKey;
    storage->FindGlobalComponent = FindGlobalComponent;
    return storage;
}

// ---- storing -------------------------------------------------------------------

void TPropsStorage::StoreProperties() {
    const TPropInfoList list(*AObject);
    for (int i = 0; i < list.Count(); ++i)
        StoreAnyProperty(list.Items(i));
}

void TPropsStorage::StoreAnyProperty(const TPropInfo& prop) {
    const std::string ident = GetItemName(prop.Name);
    if (!prop.IsStored(*AObject)) {
        DeleteKey(Section, ident);
        return;
    }
    if (prop.Kind() == TTypeKind::tkClass) {
        StoreClassProperty(prop);
        return;
    }
    const TKindRule* rule = RuleFor(prop.Kind());
    if (rule == nullptr)
        return;
    std::string text = rule->Text(*AObject, prop);
    bool differs = rule->Differs(*AObject, prop);
    if (!rule->WrittenAsIs) {
        text = Trim(text);
        differs = differs && !text.empty();
    }
    if (differs) {
        WriteString(Section, ident, text);
    } else {
        DeleteKey(Section, ident);  // the store never holds a default
    }
}

std::string TPropsStorage::ComponentReference(const TComponent* component) const {
    if (component == nullptr)
        return kNullReference;
    const TComponent* owner = component->Owner();
    if (owner == nullptr || owner == Owner)
        return component->Name();
    std::string ownerName = owner->Name();
    if (ownerName.empty()) {
        ownerName = owner->ClassName();
        if (!ownerName.empty() && ownerName.front() == 'T')
            ownerName.erase(0, 1);
    }
    return ownerName + "." + component->Name();
}

void TPropsStorage::StoreClassProperty(const TPropInfo& prop) {
    TPersistent* value = GetObjectProp(*AObject, prop);
    auto* component = dynamic_cast<TComponent*>(value);
    if (component != nullptr || (value == nullptr && IsComponentClass(prop))) {
        WriteString(Section, GetItemName(prop.Name), ComponentReference(component));
        return;
    }
    if (value == nullptr)
        return;
    if (auto* strings = dynamic_cast<TStrings*>(value)) {
        const std::string section = Section + "." + GetItemName(prop.Name);
        EraseSection(section);
        if (strings->Count() > 0) {
            WriteString(section, "Count", std::to_string(strings->Count()));
            for (int i = 0; i < strings->Count(); ++i)
                WriteString(section, "Item" + std::to_string(i), strings->Strings(i));
        }
        return;
    }
    if (auto* collection = dynamic_cast<TCollection*>(value)) {
        const std::string section = Section + "." + Prefix + prop.Name;
        EraseSection(section);
        WriteString(Section, Prefix + prop.Name + ".Count", std::to_string(collection->Count()));
        for (int i = 0; i < collection->Count(); ++i)
            NestedStorage(collection->Items(i), section, ItemPrefix(i))->StoreProperties();
        return;
    }
    NestedStorage(value, Section, Prefix + prop.Name)->StoreProperties();
}

// ---- loading -------------------------------------------------------------------

void TPropsStorage::LoadProperties() {
    const TPropInfoList list(*AObject);
    for (int i = 0; i < list.Count(); ++i)
        LoadAnyProperty(list.Items(i));
}

void TPropsStorage::LoadAnyProperty(const TPropInfo& prop) {
    try {
        if (prop.Kind() == TTypeKind::tkClass) {
            LoadClassProperty(prop);
            return;
        }
        const TKindRule* rule = RuleFor(prop.Kind());
        if (rule == nullptr || !prop.IsWritable())
            return;
        // The current value is the default of the read, so a missing ident
        // leaves it in place.
        const std::string current = rule->Text(*AObject, prop);
        const std::string ident = GetItemName(prop.Name);
        if (rule->ReadAsIs) {
            rule->Load(*AObject, prop, ReadString(Section, ident, current));
        } else if (!current.empty()) {
            rule->Load(*AObject, prop, Trim(ReadString(Section, ident, current)));
        }
    } catch (const EClassInfoError&) {
        throw;  // a programming error, not an unreadable setting
    } catch (const std::exception&) {
        // One unreadable setting must not stop the others from loading.
    }
}

TComponent* TPropsStorage::ResolveReference(std::string_view text) const {
    const std::size_t dot = text.find('.');
    if (dot == std::string_view::npos)
        return Owner != nullptr ? Owner->FindComponent(text) : nullptr;
    TComponent* global = FindGlobalComponent ? FindGlobalComponent(text.substr(0, dot)) : nullptr;
    return global != nullptr ? global->FindComponent(text.substr(dot + 1)) : nullptr;
}

void TPropsStorage::LoadClassProperty(const TPropInfo& prop) {
    TPersistent* value = GetObjectProp(*AObject, prop);
    auto* component = dynamic_cast<TComponent*>(value);
    if (component != nullptr || (value == nullptr && IsComponentClass(prop))) {
        const std::string text =
            ReadString(Section, GetItemName(prop.Name), ComponentReference(component));
        if (SameText(text, kNullReference)) {
            SetObjectProp(*AObject, prop, nullptr);
            return;
        }
        // A name that finds nothing, or a component of another class,
        // leaves the reference as it is.
        TComponent* found = ResolveReference(text);
        const TClassInfo* declared = prop.PropType->ClassType;
        if (found != nullptr && (declared == nullptr || found->ClassInfo().InheritsFrom(*declared)))
            SetObjectProp(*AObject, prop, found);
        return;
    }
    if (value == nullptr)
        return;
    if (auto* strings = dynamic_cast<TStrings*>(value)) {
        const std::string section = Section + "." + GetItemName(prop.Name);
        const int count = StoredCount(ReadString(section, "Count", ""));
        UpdateBracket bracket(*strings);
        strings->Clear();
        for (int i = 0; i < count; ++i)
            strings->Add(ReadString(section, "Item" + std::to_string(i), ""));
        return;
    }
    if (auto* collection = dynamic_cast<TCollection*>(value)) {
        const std::string countText = ReadString(Section, Prefix + prop.Name + ".Count", "");
        if (countText.empty())
            return;  // never stored: the collection keeps what it holds
        const int count = StoredCount(countText);
        const std::string section = Section + "." + Prefix + prop.Name;
        UpdateBracket bracket(*collection);
        collection->Clear();
        for (int i = 0; i < count; ++i)
            NestedStorage(collection->Add(), section, ItemPrefix(i))->LoadProperties();
        return;
    }
    NestedStorage(value, Section, Prefix + prop.Name)->LoadProperties();
}

}  // namespace nimbra
