#include "support/AllocationLimit.h"

#include <cstdlib>
#include <new>

namespace nimbra::testing_support {

namespace {

// Allocations left before they fail; negative when no limit is set.
thread_local int allocationsLeft = -1;
thread_local bool limitReached = false;
// The largest allocation allowed.
thread_local std::size_t largestAllowed = static_cast<std::size_t>(-1);
thread_local bool sizeLimitReached = false;

void* Allocate(std::size_t size) {
    if (allocationsLeft == 0) {
        limitReached = true;
        throw std::bad_alloc();
    }
    if (size > largestAllowed) {
        sizeLimitReached = true;
        throw std::bad_alloc();
    }
    if (allocationsLeft > 0)
        --allocationsLeft;
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

void* AllocateOrNull(std::size_t size) noexcept {
    try {
        return Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace

AllocationLimit::AllocationLimit(int allowed) {
    allocationsLeft = allowed;
    limitReached = false;
}

AllocationLimit::~AllocationLimit() {
    allocationsLeft = -1;
}

bool AllocationLimit::Reached() const {
    return limitReached;
}

AllocationSizeLimit::AllocationSizeLimit(std::size_t largest) {
    largestAllowed = largest;
    sizeLimitReached = false;
}

AllocationSizeLimit::~AllocationSizeLimit() {
    largestAllowed = static_cast<std::size_t>(-1);
}

bool AllocationSizeLimit::Reached() const {
    return sizeLimitReached;
}

}  // namespace nimbra::testing_support

// Every form that allocates or frees through malloc is replaced, so that
// blocks from one form are never freed by another (sanitizers check that).
void* operator new(std::size_t size) {
    return nimbra::testing_support::Allocate(size);
}
void* operator new[](std::size_t size) {
    return nimbra::testing_support::Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return nimbra::testing_support::AllocateOrNull(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return nimbra::testing_support::AllocateOrNull(size);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
