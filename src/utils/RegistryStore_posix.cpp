#include "utils/RegistryStore.h"

namespace nimbra {

// Without a registry, settings live in the process's in-memory tree.
std::unique_ptr<TRegistryStore> OpenRegistryStore(std::string_view keyPath,
                                                  std::uintptr_t rootKey) {
    return OpenMemRegistryStore(keyPath, rootKey);
}

}  // namespace nimbra
