#include "base/TypInfo.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "base/Classes.h"
#include "base/Locale.h"

namespace nimbra {

std::string_view TTypeInfo::NameOf(std::int64_t value) const {
    const std::int64_t index = value - MinValue;
    if (index < 0 || index >= static_cast<std::int64_t>(Names.size()))
        return {};
    return Names[static_cast<std::size_t>(index)];
}

std::optional<std::int64_t> TTypeInfo::ValueOf(std::string_view name) const {
    for (std::size_t i = 0; i < Names.size(); ++i)
        if (SameText(Names[i], name))
            return MinValue + static_cast<std::int64_t>(i);
    return std::nullopt;
}

TTypeInfo MakeEnumTypeInfo(std::string name, std::initializer_list<const char*> names) {
    TTypeInfo info;
    info.Name = std::move(name);
    info.Kind = TTypeKind::tkEnumeration;
    info.Names.assign(names.begin(), names.end());
    info.MinValue = 0;
    info.MaxValue = static_cast<std::int64_t>(info.Names.size()) - 1;
    return info;
}

const TTypeInfo& BooleanTypeInfo() {
    static const TTypeInfo info = MakeEnumTypeInfo("Boolean", {"False", "True"});
    return info;
}

namespace detail {

const TTypeInfo& IntegerTypeInfo(std::string_view name, std::int64_t min, std::int64_t max) {
    // One description per distinct range; the table only grows while the
    // static property tables are built.
    static std::mutex mutex;
    static std::map<std::pair<std::int64_t, std::int64_t>, TTypeInfo> infos;
    std::lock_guard lock(mutex);
    auto [it, inserted] = infos.try_emplace({min, max});
    if (inserted) {
        it->second.Name = std::string(name);
        it->second.Kind = TTypeKind::tkInteger;
        it->second.MinValue = min;
        it->second.MaxValue = max;
    }
    return it->second;
}

const TTypeInfo& FloatTypeInfo(TFloatType type) {
    static const auto make = [](const char* name, TFloatType t) {
        TTypeInfo info;
        info.Name = name;
        info.Kind = TTypeKind::tkFloat;
        info.FloatType = t;
        return info;
    };
    static const TTypeInfo single = make("Single", TFloatType::ftSingle);
    static const TTypeInfo dbl = make("Double", TFloatType::ftDouble);
    return type == TFloatType::ftSingle ? single : dbl;
}

const TTypeInfo& StringTypeInfo() {
    static const TTypeInfo info{"string", TTypeKind::tkString};
    return info;
}

const TTypeInfo& CharTypeInfo() {
    static const TTypeInfo info{"Char", TTypeKind::tkChar, 0, 255};
    return info;
}

const TTypeInfo& Int64TypeInfo() {
    static const TTypeInfo info{"Int64", TTypeKind::tkInt64, INT64_MIN, INT64_MAX};
    return info;
}

TTypeInfo MakeSetTypeInfo(const TTypeInfo& members) {
    TTypeInfo info;
    info.Name = "set of " + members.Name;
    info.Kind = TTypeKind::tkSet;
    info.CompType = &members;
    return info;
}

TTypeInfo MakeClassTypeInfo(std::string name) {
    TTypeInfo info;
    info.Name = std::move(name);
    info.Kind = TTypeKind::tkClass;
    return info;
}

TPersistent* CheckedObject(const TPropValue& value) {
    return std::get<TPersistent*>(value);
}

}  // namespace detail

TClassInfo::TClassInfo(const std::type_info& type, std::string name, const TClassInfo* parent,
                       std::vector<TPropInfo> ownProps)
    : TClassInfo(std::move(name), parent, std::move(ownProps)) {
    type_ = &type;
}

TClassInfo::TClassInfo(std::string name, const TClassInfo* parent, std::vector<TPropInfo> ownProps)
    : name_(std::move(name)),
      typeInfo_(detail::MakeClassTypeInfo(name_)),
      parent_(parent),
      own_(std::move(ownProps)) {
    typeInfo_.ClassType = this;
    if (parent_ != nullptr)
        all_ = parent_->all_;
    for (const TPropInfo& prop : own_) {
        auto same = std::find_if(all_.begin(), all_.end(),
                                 [&](const TPropInfo* p) { return SameText(p->Name, prop.Name); });
        if (same != all_.end()) {
            *same = &prop;
        } else {
            all_.push_back(&prop);
        }
    }
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const {
    for (const TPropInfo* prop : all_)
        if (SameText(prop->Name, name))
            return prop;
    return nullptr;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c != nullptr; c = c->parent_)
        if (c == &other)
            return true;
    return false;
}

// ---- typed access ----------------------------------------------------------

namespace {

void CheckKind(const TPropInfo& prop, std::initializer_list<TTypeKind> kinds) {
    if (std::find(kinds.begin(), kinds.end(), prop.Kind()) == kinds.end())
        throw EPropertyError("Property " + prop.Name + " is of type " + prop.PropType->Name);
}

void SetValue(TPersistent& instance, const TPropInfo& prop, const TPropValue& value) {
    if (!prop.IsWritable())
        throw EPropertyError("Property " + prop.Name + " is read-only");
    prop.Setter(instance, value);
}

constexpr std::initializer_list<TTypeKind> kOrdinalKinds = {
    TTypeKind::tkInteger, TTypeKind::tkInt64, TTypeKind::tkChar, TTypeKind::tkEnumeration,
    TTypeKind::tkSet};

}  // namespace

const TClassInfo& PublishedClassInfo(const TPersistent& instance) {
    const TClassInfo& info = instance.ClassInfo();
    if (info.Type() != nullptr && *info.Type() != typeid(instance))
        throw EClassInfoError("An object of class " + std::string(typeid(instance).name()) +
                              " is described as " + info.Name() +
                              ": its class must override ClassInfo()");
    return info;
}

const TPropInfo& GetPropInfo(const TPersistent& instance, std::string_view name) {
    const TPropInfo* prop = PublishedClassInfo(instance).FindProperty(name);
    if (prop == nullptr)
        throw EPropertyError("Unknown property " + std::string(name) + " of " +
                             instance.ClassName());
    return *prop;
}

std::int64_t GetOrdProp(const TPersistent& instance, const TPropInfo& prop) {
    CheckKind(prop, kOrdinalKinds);
    return std::get<std::int64_t>(prop.Getter(instance));
}

void SetOrdProp(TPersistent& instance, const TPropInfo& prop, std::int64_t value) {
    CheckKind(prop, kOrdinalKinds);
    SetValue(instance, prop, value);
}

double GetFloatProp(const TPersistent& instance, const TPropInfo& prop) {
    CheckKind(prop, {TTypeKind::tkFloat});
    return std::get<double>(prop.Getter(instance));
}

void SetFloatProp(TPersistent& instance, const TPropInfo& prop, double value) {
    CheckKind(prop, {TTypeKind::tkFloat});
    SetValue(instance, prop, value);
}

std::string GetStrProp(const TPersistent& instance, const TPropInfo& prop) {
    CheckKind(prop, {TTypeKind::tkString});
    return std::get<std::string>(prop.Getter(instance));
}

void SetStrProp(TPersistent& instance, const TPropInfo& prop, const std::string& value) {
    CheckKind(prop, {TTypeKind::tkString});
    SetValue(instance, prop, value);
}

TPersistent* GetObjectProp(const TPersistent& instance, const TPropInfo& prop) {
    CheckKind(prop, {TTypeKind::tkClass});
    return std::get<TPersistent*>(prop.Getter(instance));
}

void SetObjectProp(TPersistent& instance, const TPropInfo& prop, TPersistent* value) {
    CheckKind(prop, {TTypeKind::tkClass});
    SetValue(instance, prop, value);
}

std::string GetEnumProp(const TPersistent& instance, const TPropInfo& prop) {
    CheckKind(prop, {TTypeKind::tkEnumeration});
    return std::string(prop.PropType->NameOf(GetOrdProp(instance, prop)));
}

void SetEnumProp(TPersistent& instance, const TPropInfo& prop, std::string_view name) {
    CheckKind(prop, {TTypeKind::tkEnumeration});
    const auto value = prop.PropType->ValueOf(name);
    if (!value)
        throw EPropertyError("Invalid value " + std::string(name) + " for property " + prop.Name);
    SetValue(instance, prop, *value);
}

std::string SetToString(const TTypeInfo& setType, std::uint64_t bits, bool brackets) {
    const TTypeInfo& members = *setType.CompType;
    std::string text;
    for (std::int64_t v = members.MinValue; v <= members.MaxValue && v < 64; ++v) {
        if ((bits & (std::uint64_t{1} << v)) == 0)
            continue;
        if (!text.empty())
            text += ',';
        text += members.NameOf(v);
    }
    return brackets ? "[" + text + "]" : text;
}

std::uint64_t StringToSet(const TTypeInfo& setType, std::string_view text) {
    const TTypeInfo& members = *setType.CompType;
    std::uint64_t bits = 0;
    std::size_t pos = 0;
    const auto isSeparator = [](char c) { return c == ',' || c == ' ' || c == '[' || c == ']'; };
    while (pos < text.size()) {
        while (pos < text.size() && isSeparator(text[pos]))
            ++pos;
        std::size_t end = pos;
        while (end < text.size() && !isSeparator(text[end]))
            ++end;
        if (end > pos) {
            const std::string_view name = text.substr(pos, end - pos);
            const auto value = members.ValueOf(name);
            if (!value)
                throw EPropertyError("Invalid set element " + std::string(name));
            bits |= std::uint64_t{1} << *value;
        }
        pos = end;
    }
    return bits;
}

}  // namespace nimbra
