#pragma once

#include <bitset>
#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace nimbra {

// A set of members of a small enumeration (at most 64 members), the way
// behaviour switches are expressed throughout the program.
template <class E>
class Set {
    static_assert(std::is_enum_v<E>, "Set<E> needs an enumeration");

  public:
    constexpr Set() = default;
    constexpr Set(std::initializer_list<E> members) {
        for (E m : members)
            bits_ |= Bit(m);
    }
    static constexpr Set FromBits(std::uint64_t bits) {
        Set s;
        s.bits_ = bits;
        return s;
    }

    constexpr bool Contains(E m) const { return (bits_ & Bit(m)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr std::uint64_t Bits() const { return bits_; }
    constexpr Set& Include(E m) {
        bits_ |= Bit(m);
        return *this;
    }
    constexpr Set& Exclude(E m) {
        bits_ &= ~Bit(m);
        return *this;
    }

    constexpr Set operator+(Set o) const { return FromBits(bits_ | o.bits_); }
    constexpr Set operator-(Set o) const { return FromBits(bits_ & ~o.bits_); }
    constexpr Set operator*(Set o) const { return FromBits(bits_ & o.bits_); }
    constexpr bool operator==(const Set&) const = default;

  private:
    static constexpr std::uint64_t Bit(E m) { return std::uint64_t{1} << static_cast<unsigned>(m); }
    std::uint64_t bits_ = 0;
};

}  // namespace nimbra
