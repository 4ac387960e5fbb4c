#pragma once

#include <utility>

namespace nimbra {

// Owns one handle of the system and closes it when it goes. What a handle is,
// which value means "none" and how it is closed come from `Traits`:
//
//   struct TSomeTraits {
//       using TValue = SOMEHANDLE;
//       static TValue Invalid() noexcept;        // the "none" value
//       static void Close(TValue value) noexcept;  // called only for valid values
//   };
//
// Move-only: exactly one owner closes a handle.
template <class Traits>
class THandle {
  public:
    using TValue = typename Traits::TValue;

    THandle() noexcept = default;
    explicit THandle(TValue value) noexcept : value_(value) {}
    THandle(THandle&& other) noexcept : value_(other.Release()) {}
    THandle& operator=(THandle&& other) noexcept {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    THandle(const THandle&) = delete;
    THandle& operator=(const THandle&) = delete;
    ~THandle() { Reset(); }

    TValue Get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Traits::Invalid(); }

    // Gives the handle up without closing it.
    TValue Release() noexcept { return std::exchange(value_, Traits::Invalid()); }
    // Closes the handle held (if any) and takes `value`.
    void Reset(TValue value = Traits::Invalid()) noexcept {
        const TValue old = std::exchange(value_, value);
        if (old != Traits::Invalid())
            Traits::Close(old);
    }
    // For a call that hands a new handle out through a pointer: closes the
    // handle held and gives the place to write the new one to.
    TValue* Put() noexcept {
        Reset();
        return &value_;
    }

  private:
    TValue value_ = Traits::Invalid();
};

// The traits of a handle whose "none" is null and that `close` frees.
template <class Value, auto close>
struct TNullHandleTraits {
    using TValue = Value;
    static TValue Invalid() noexcept { return nullptr; }
    static void Close(TValue value) noexcept { close(value); }
};

}  // namespace nimbra
