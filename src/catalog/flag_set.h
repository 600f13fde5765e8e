// SPDX-License-Identifier: GPL-3.0-or-later
// A small set of enumerators, usable in constexpr data tables.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace mk::catalog {

/// A set of the values of an enum class whose enumerators are 0..63.
template <typename E>
class FlagSet {
 public:
  constexpr FlagSet() = default;
  constexpr FlagSet(std::initializer_list<E> flags) {
    for (E f : flags) Set(f);
  }
  static constexpr FlagSet FromBits(std::uint64_t bits) {
    FlagSet s;
    s.bits_ = bits;
    return s;
  }

  constexpr bool Has(E f) const { return (bits_ >> static_cast<unsigned>(f)) & 1u; }
  constexpr void Set(E f, bool on = true) {
    const std::uint64_t bit = std::uint64_t{1} << static_cast<unsigned>(f);
    bits_ = on ? (bits_ | bit) : (bits_ & ~bit);
  }
  /// True when every flag of `other` is set here.
  constexpr bool HasAll(FlagSet other) const { return (bits_ & other.bits_) == other.bits_; }
  /// True when some flag of `other` is set here.
  constexpr bool HasAny(FlagSet other) const { return (bits_ & other.bits_) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr std::uint64_t Bits() const { return bits_; }

  friend constexpr bool operator==(FlagSet, FlagSet) = default;

 private:
  std::uint64_t bits_ = 0;
};

}  // namespace mk::catalog
