#pragma once

#include <cstddef>

namespace nimbra::testing_support {

// Runs out of memory on purpose: while the object lives, the calling thread
// may make `allowed` more allocations through operator new; every one after
// them raises std::bad_alloc. Other threads are not affected. The test
// program replaces the global operator new and delete for this.
class AllocationLimit {
  public:
    explicit AllocationLimit(int allowed);
    ~AllocationLimit();
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;

    // Whether an allocation was refused.
    bool Reached() const;
};

// While the object lives, an allocation of the calling thread larger than
// `largest` bytes raises std::bad_alloc: code must not take memory in
// proportion to a file it was handed.
class AllocationSizeLimit {
  public:
    explicit AllocationSizeLimit(std::size_t largest);
    ~AllocationSizeLimit();
    AllocationSizeLimit(const AllocationSizeLimit&) = delete;
    AllocationSizeLimit& operator=(const AllocationSizeLimit&) = delete;

    // Whether a larger allocation was asked for.
    bool Reached() const;
};

}  // namespace nimbra::testing_support
