#include "controls/ClassRegistry.h"

#include <vector>

#include "base/Locale.h"

namespace nimbra {

namespace {

struct TRegisteredClass {
    const TClassInfo* Info;
    TComponentFactory Factory;
};

// The program's registered classes: registered at start-up, read later.
std::vector<TRegisteredClass>& Registry() {
    static std::vector<TRegisteredClass> registry;
    return registry;
}

TRegisteredClass* Find(std::string_view name) {
    for (TRegisteredClass& entry : Registry()) {
        if (SameText(entry.Info->Name(), name))
            return &entry;
    }
    return nullptr;
}

}  // namespace

void RegisterComponentClass(const TClassInfo& info, TComponentFactory factory) {
    if (TRegisteredClass* existing = Find(info.Name())) {
        *existing = {&info, std::move(factory)};
        return;
    }
    Registry().push_back({&info, std::move(factory)});
}

const TComponentFactory* FindComponentClass(std::string_view name) {
    TRegisteredClass* entry = Find(name);
    return entry != nullptr ? &entry->Factory : nullptr;
}

const TClassInfo* FindComponentClassInfo(std::string_view name) {
    const TRegisteredClass* entry = Find(name);
    return entry != nullptr ? entry->Info : nullptr;
}

}  // namespace nimbra
