#pragma once
#include <initializer_list>

// A small set over an enumeration whose values are bit positions, stored in an integer of Bits.
template <typename E, typename Bits>
class EnumSet {
public:
  constexpr EnumSet() = default;
  constexpr EnumSet(std::initializer_list<E> items) {
    for (E e : items) bits_ = static_cast<Bits>(bits_ | Bit(e));
  }
  static constexpr EnumSet FromBits(Bits bits) {
    EnumSet s;
    s.bits_ = bits;
    return s;
  }
  constexpr Bits ToBits() const { return bits_; }
  constexpr bool Has(E e) const { return (bits_ & Bit(e)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr void Include(E e) { bits_ = static_cast<Bits>(bits_ | Bit(e)); }
  constexpr void Exclude(E e) { bits_ = static_cast<Bits>(bits_ & ~Bit(e)); }
  constexpr bool operator==(const EnumSet&) const = default;

private:
  static constexpr Bits Bit(E e) { return static_cast<Bits>(Bits{1} << static_cast<int>(e)); }
  Bits bits_ = 0;
};
