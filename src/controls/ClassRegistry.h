#pragma once

#include <functional>
#include <string_view>

#include "base/Classes.h"

namespace nimbra {

// Classes found by name: option pages and clipboard formats name the class
// of what they make.
using TComponentFactory = std::function<TComponent*(TComponent* owner)>;

// Registers (or replaces) the factory of a class under its class name.
void RegisterComponentClass(const TClassInfo& info, TComponentFactory factory);
// The factory of the class with the name, ignoring case; nullptr if none.
const TComponentFactory* FindComponentClass(std::string_view name);
// The class information registered under the name; nullptr if none.
const TClassInfo* FindComponentClassInfo(std::string_view name);

template <class T>
void RegisterComponentClass() {
    RegisterComponentClass(T::StaticClassInfo(), [](TComponent* owner) { return new T(owner); });
}

}  // namespace nimbra
