#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <variant>
#include <vector>

#include "base/Exception.h"
#include "base/Set.h"

namespace nimbra {

class TPersistent;
class TClassInfo;

// The kinds of published property the settings storage, the localizer and the
// collection editor know how to handle.
enum class TTypeKind {
    tkInteger,
    tkInt64,
    tkChar,
    tkEnumeration,
    tkFloat,
    tkString,
    tkSet,
    tkClass
};
enum class TFloatType { ftSingle, ftDouble, ftExtended, ftComp, ftCurr };

// Describes the type of a property: ordinal range, enumeration value names
// (ordinal 0 first), the member type of a set, the precision of a float.
struct TTypeInfo {
    std::string Name;
    TTypeKind Kind = TTypeKind::tkInteger;
    std::int64_t MinValue = 0;
    std::int64_t MaxValue = 0;
    std::vector<std::string> Names;
    const TTypeInfo* CompType = nullptr;
    TFloatType FloatType = TFloatType::ftDouble;
    // The class of a class-typed property (tkClass).
    const TClassInfo* ClassType = nullptr;

    // The name of an enumeration value; empty when out of range.
    std::string_view NameOf(std::int64_t value) const;
    // The value of a name compared without regard to case, or nullopt.
    std::optional<std::int64_t> ValueOf(std::string_view name) const;
};

TTypeInfo MakeEnumTypeInfo(std::string name, std::initializer_list<const char*> names);
const TTypeInfo& BooleanTypeInfo();

// Property values pass through one small variant: every ordinal (integers,
// characters, enumerations, Booleans, set bits) as int64, floats as double,
// strings, and objects.
using TPropValue = std::variant<std::int64_t, double, std::string, TPersistent*>;

struct TPropInfo {
    std::string Name;
    const TTypeInfo* PropType = nullptr;
    std::function<TPropValue(const TPersistent&)> Getter;
    std::function<void(TPersistent&, const TPropValue&)> Setter;  // empty for read-only
    std::optional<std::int64_t> Default;                          // ordinal and set kinds only
    std::function<bool(const TPersistent&)> StoredFn;             // empty: always stored

    TTypeKind Kind() const { return PropType->Kind; }
    bool IsStored(const TPersistent& instance) const { return !StoredFn || StoredFn(instance); }
    bool IsWritable() const { return static_cast<bool>(Setter); }
};

// The published properties of one class: its own, after those it inherits.
class TClassInfo {
  public:
    // `type` is the C++ class described, e.g. typeid(TCustomFolder): the
    // property machinery then checks that an object it handles is described
    // by its own class (see PublishedClassInfo).
    TClassInfo(const std::type_info& type, std::string name, const TClassInfo* parent,
               std::vector<TPropInfo> ownProps = {});
    // Without the C++ class: objects described by it are not checked.
    TClassInfo(std::string name, const TClassInfo* parent, std::vector<TPropInfo> ownProps = {});
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

    const std::string& Name() const { return name_; }
    const TClassInfo* Parent() const { return parent_; }
    // Inherited properties first, in declaration order. A class that
    // redeclares an inherited property (to change its default) replaces it in
    // place.
    const std::vector<const TPropInfo*>& Properties() const { return all_; }
    // Lookup ignores case, as names in stored settings may differ in case.
    const TPropInfo* FindProperty(std::string_view name) const;
    bool InheritsFrom(const TClassInfo& other) const;
    // The type of a property that holds an object of this class.
    const TTypeInfo& TypeInfo() const { return typeInfo_; }
    // The C++ class described, or nullptr when it was not given.
    const std::type_info* Type() const { return type_; }

  private:
    const std::type_info* type_ = nullptr;
    std::string name_;
    TTypeInfo typeInfo_;
    const TClassInfo* parent_;
    std::vector<TPropInfo> own_;
    std::vector<const TPropInfo*> all_;
};

// Raised when an object's class does not describe itself: it forgot to
// override ClassInfo(), so its own published properties would be skipped
// without a word. A programming error.
class EClassInfoError : public EPropertyError {
  public:
    using EPropertyError::EPropertyError;
};

// The class information of `instance`, for every walk over its published
// properties (storage, lookup by name). Raises EClassInfoError when the
// information names another C++ class than the object's own.
const TClassInfo& PublishedClassInfo(const TPersistent& instance);

// ---- typed access to published properties by name -------------------------

const TPropInfo& GetPropInfo(const TPersistent& instance, std::string_view name);  // raises
std::int64_t GetOrdProp(const TPersistent& instance, const TPropInfo& prop);
void SetOrdProp(TPersistent& instance, const TPropInfo& prop, std::int64_t value);
double GetFloatProp(const TPersistent& instance, const TPropInfo& prop);
void SetFloatProp(TPersistent& instance, const TPropInfo& prop, double value);
std::string GetStrProp(const TPersistent& instance, const TPropInfo& prop);
void SetStrProp(TPersistent& instance, const TPropInfo& prop, const std::string& value);
TPersistent* GetObjectProp(const TPersistent& instance, const TPropInfo& prop);
void SetObjectProp(TPersistent& instance, const TPropInfo& prop, TPersistent* value);
std::string GetEnumProp(const TPersistent& instance, const TPropInfo& prop);
void SetEnumProp(TPersistent& instance, const TPropInfo& prop, std::string_view name);
// A set as text: "[name1,name2]" with members ascending.
std::string SetToString(const TTypeInfo& setType, std::uint64_t bits, bool brackets = true);
// Names between optional brackets, separated by commas or blanks; raises on an
// unknown name.
std::uint64_t StringToSet(const TTypeInfo& setType, std::string_view text);

// ---- building property tables ---------------------------------------------

namespace detail {

template <class T>
struct IsSet : std::false_type {};
template <class E>
struct IsSet<Set<E>> : std::true_type {
    using Enum = E;
};

const TTypeInfo& IntegerTypeInfo(std::string_view name, std::int64_t min, std::int64_t max);
const TTypeInfo& FloatTypeInfo(TFloatType type);
const TTypeInfo& StringTypeInfo();
const TTypeInfo& CharTypeInfo();
const TTypeInfo& Int64TypeInfo();
TTypeInfo MakeSetTypeInfo(const TTypeInfo& members);
TTypeInfo MakeClassTypeInfo(std::string name);

template <class T>
const TTypeInfo& TypeInfoOf() {
    if constexpr (std::is_same_v<T, bool>) {
        return BooleanTypeInfo();
    } else if constexpr (std::is_same_v<T, char>) {
        return CharTypeInfo();
    } else if constexpr (std::is_same_v<T, std::int64_t>) {
        return Int64TypeInfo();
    } else if constexpr (std::is_integral_v<T>) {
        return IntegerTypeInfo(std::is_signed_v<T> ? "Integer" : "Cardinal",
                               std::numeric_limits<T>::min(), std::numeric_limits<T>::max());
    } else if constexpr (std::is_enum_v<T>) {
        // Each enumeration provides `const TTypeInfo& EnumTypeInfo(E)`, found by ADL.
        return EnumTypeInfo(T{});
    } else if constexpr (IsSet<T>::value) {
        static const TTypeInfo info = MakeSetTypeInfo(TypeInfoOf<typename IsSet<T>::Enum>());
        return info;
    } else if constexpr (std::is_same_v<T, float>) {
        return FloatTypeInfo(TFloatType::ftSingle);
    } else if constexpr (std::is_floating_point_v<T>) {
        return FloatTypeInfo(TFloatType::ftDouble);
    } else if constexpr (std::is_same_v<T, std::string>) {
        return StringTypeInfo();
    } else {
        static_assert(std::is_pointer_v<T>, "unsupported published property type");
        using Class = std::remove_cv_t<std::remove_pointer_t<T>>;
        return Class::StaticClassInfo().TypeInfo();
    }
}

template <class T>
TPropValue ToPropValue(const T& value) {
    if constexpr (std::is_same_v<T, bool> || std::is_integral_v<T> || std::is_enum_v<T>) {
        return static_cast<std::int64_t>(value);
    } else if constexpr (IsSet<T>::value) {
        return static_cast<std::int64_t>(value.Bits());
    } else if constexpr (std::is_floating_point_v<T>) {
        return static_cast<double>(value);
    } else if constexpr (std::is_same_v<T, std::string>) {
        return value;
    } else {
        return static_cast<TPersistent*>(
            const_cast<std::remove_cv_t<std::remove_pointer_t<T>>*>(value));
    }
}

TPersistent* CheckedObject(const TPropValue& value);

template <class T>
T FromPropValue(const TPropValue& value) {
    if constexpr (std::is_same_v<T, bool>) {
        return std::get<std::int64_t>(value) != 0;
    } else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>) {
        return static_cast<T>(std::get<std::int64_t>(value));
    } else if constexpr (IsSet<T>::value) {
        return T::FromBits(static_cast<std::uint64_t>(std::get<std::int64_t>(value)));
    } else if constexpr (std::is_floating_point_v<T>) {
        return static_cast<T>(std::get<double>(value));
    } else if constexpr (std::is_same_v<T, std::string>) {
        return std::get<std::string>(value);
    } else {
        return dynamic_cast<T>(CheckedObject(value));
    }
}

// What a getter or setter member yields or takes, and on which class.
template <class M>
struct Member;
template <class C, class V>
requires(!std::is_function_v<V>) struct Member<V C::*> {
    using Class = C;
    using Value = std::remove_cvref_t<V>;
};
template <class C, class R>
struct Member<R (C::*)() const> {
    using Class = C;
    using Value = std::remove_cvref_t<R>;
};
template <class C, class A>
struct Member<void (C::*)(A)> {
    using Class = C;
    using Value = std::remove_cvref_t<A>;
};

template <class C, class G>
auto Read(const C& instance, G getter) {
    if constexpr (std::is_member_function_pointer_v<G>) {
        return (instance.*getter)();
    } else {
        return instance.*getter;
    }
}

template <class C, class S, class V>
void Write(C& instance, S setter, V&& value) {
    if constexpr (std::is_member_function_pointer_v<S>) {
        (instance.*setter)(std::forward<V>(value));
    } else {
        instance.*setter = std::forward<V>(value);
    }
}

}  // namespace detail

// The declared default of an ordinal or set property.
struct TDefault {
    template <class T>
    requires(std::is_integral_v<T> || std::is_enum_v<T>) constexpr TDefault(T v)
        : Value(static_cast<std::int64_t>(v)) {}
    template <class E>
    constexpr TDefault(Set<E> s) : Value(static_cast<std::int64_t>(s.Bits())) {}
    std::int64_t Value;
};

// One published property: name, getter (a const member function or a field),
// setter (a member function, a field, or nullptr for read-only), an optional
// declared default and an optional stored-predicate. For example
//   Published("AutoScroll", &TFoo::AutoScroll, &TFoo::SetAutoScroll, true)
template <class G, class S>
TPropInfo Published(std::string name, G getter, S setter, std::optional<TDefault> def = {},
                    bool (detail::Member<G>::Class::*stored)() const = nullptr) {
    using Class = typename detail::Member<G>::Class;
    using Value = typename detail::Member<G>::Value;
    TPropInfo info;
    info.Name = std::move(name);
    info.PropType = &detail::TypeInfoOf<Value>();
    info.Getter = [getter](const TPersistent& p) {
        return detail::ToPropValue<Value>(detail::Read(static_cast<const Class&>(p), getter));
    };
    if constexpr (!std::is_null_pointer_v<S>) {
        using SetterClass = typename detail::Member<S>::Class;
        info.Setter = [setter](TPersistent& p, const TPropValue& v) {
            detail::Write(static_cast<SetterClass&>(p), setter, detail::FromPropValue<Value>(v));
        };
    }
    if (def)
        info.Default = def->Value;
    if (stored != nullptr) {
        info.StoredFn = [stored](const TPersistent& p) {
            return (static_cast<const Class&>(p).*stored)();
        };
    }
    return info;
}

}  // namespace nimbra
