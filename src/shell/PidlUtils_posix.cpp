#include <cstdlib>
#include <new>

#include "shell/PidlUtils.h"

namespace nimbra {

// Without a shell the C heap stands in for the shell allocator.
PItemIdList PidlAlloc(std::size_t size) {
    void* memory = std::calloc(size == 0 ? 1 : size, 1);
    if (memory == nullptr)
        throw std::bad_alloc();
    return static_cast<PItemIdList>(memory);
}

void PidlFree(PItemIdList pidl) noexcept {
    std::free(pidl);
}

}  // namespace nimbra
