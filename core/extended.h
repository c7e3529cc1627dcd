// SPDX-License-Identifier: GPL-3.0-or-later
// Arithmetic in the 80-bit extended format (GCC's long double on x86-64) with
// an explicit check on every operation. Invalid operation, division by zero and
// overflow raise EInvalidOp, EZeroDivide and EOverflow at the operation that
// caused them, before any result is stored. The IEEE status flags are not used:
// they are sticky, shared with the GUI toolkit's own floating point, and the
// compiler may move operations across a test of them. Underflow and inexact
// results are not errors.
#pragma once

#include <cmath>
#include <compare>
#include <cstdint>

namespace core {

[[noreturn]] void RaiseInvalidOp();
[[noreturn]] void RaiseZeroDivide();
[[noreturn]] void RaiseOverflow();

// One value of an expression. Operands and intermediate results keep the
// extended format; ToDouble() is the store into a double variable.
class Extended {
 public:
  constexpr Extended() = default;
  constexpr Extended(long double value) : value_(value) {}  // NOLINT: widening is exact
  constexpr long double Value() const { return value_; }

  // The store into a double: rounds to nearest and fails beyond the double range.
  double ToDouble() const {
    const double stored = static_cast<double>(value_);
    if (std::isinf(stored) && std::isfinite(value_)) [[unlikely]]
      RaiseOverflow();
    return stored;
  }

  Extended operator-() const { return Extended(-value_); }

  friend Extended operator+(Extended a, Extended b) { return Checked(a, b, a.value_ + b.value_); }
  friend Extended operator-(Extended a, Extended b) { return Checked(a, b, a.value_ - b.value_); }
  friend Extended operator*(Extended a, Extended b) { return Checked(a, b, a.value_ * b.value_); }
  friend Extended operator/(Extended a, Extended b) {
    if (b.value_ == 0 && !std::isnan(a.value_)) [[unlikely]] {
      if (a.value_ == 0) RaiseInvalidOp();
      if (std::isfinite(a.value_)) RaiseZeroDivide();
    }
    return Checked(a, b, a.value_ / b.value_);
  }

  friend bool operator==(Extended a, Extended b) { return a.value_ == b.value_; }
  friend auto operator<=>(Extended a, Extended b) { return a.value_ <=> b.value_; }

 private:
  // A NaN from numbers is an invalid operation (inf - inf, 0 * inf, inf / inf);
  // an infinity from finite numbers is an overflow.
  static Extended Checked(Extended a, Extended b, long double result) {
    if (!std::isfinite(result)) [[unlikely]] {
      if (std::isnan(result) && !std::isnan(a.value_) && !std::isnan(b.value_)) RaiseInvalidOp();
      if (std::isinf(result) && std::isfinite(a.value_) && std::isfinite(b.value_)) RaiseOverflow();
    }
    return Extended(result);
  }

  long double value_ = 0;
};

inline Extended Abs(Extended x) { return Extended(std::fabs(x.Value())); }

// The floating-point unit's sine and cosine accept arguments below 2^63 only;
// beyond that the result is 0 by the program's rule. glibc's sinl/cosl are
// used because the raw fsin/fcos instructions lose accuracy near multiples of
// pi/2.
inline constexpr long double kTrigonometricLimit = 9223372036854775808.0L;  // 2^63

inline Extended Sin(Extended x) {
  if (std::fabs(x.Value()) >= kTrigonometricLimit) return Extended(0.0L);
  return Extended(sinl(x.Value()));
}

inline Extended Cos(Extended x) {
  if (std::fabs(x.Value()) >= kTrigonometricLimit) return Extended(0.0L);
  return Extended(cosl(x.Value()));
}

// Rounds to the nearest integer, ties to even; a value outside the signed
// 64-bit range (or a NaN) is an invalid operation, as the processor's
// conversion is.
std::int64_t RoundToInt64(Extended x);

}  // namespace core
