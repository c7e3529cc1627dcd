// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/expression/fraction.h"

#include <numeric>

namespace core::expression {

namespace {

constexpr int kMostDigits = 18;  // 10^18 < 2^63

std::optional<std::int64_t> Times(std::int64_t a, std::int64_t b) {
  std::int64_t product = 0;
  if (__builtin_mul_overflow(a, b, &product)) return std::nullopt;
  return product;
}

std::optional<std::int64_t> Plus(std::int64_t a, std::int64_t b) {
  std::int64_t sum = 0;
  if (__builtin_add_overflow(a, b, &sum)) return std::nullopt;
  return sum;
}

std::optional<std::int64_t> PowerOfTen(int exponent) {
  if (exponent < 0 || exponent > kMostDigits) return std::nullopt;
  std::int64_t power = 1;
  for (int i = 0; i < exponent; ++i) power *= 10;
  return power;
}

// p/q in lowest terms with q > 0; none for q = 0 or the one value whose
// negation overflows.
std::optional<Fraction> Reduced(std::int64_t p, std::int64_t q) {
  if (q == 0 || p == INT64_MIN || q == INT64_MIN) return std::nullopt;
  if (q < 0) {
    p = -p;
    q = -q;
  }
  const std::int64_t divisor = std::gcd(p, q);
  return Fraction{p / divisor, q / divisor};
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::optional<Fraction> FractionOfText(std::string_view text) {
  bool negative = false;
  if (!text.empty() && text.front() == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  std::int64_t digits = 0;
  int count = 0;  // significant digits read
  int scale = 0;  // the power of ten the digits are to be multiplied by
  bool after_point = false;
  bool any_digit = false;
  std::size_t i = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      any_digit = true;
      if (digits == 0 && c == '0') {
        if (after_point) --scale;
        continue;
      }
      if (++count > kMostDigits) return std::nullopt;
      digits = digits * 10 + (c - '0');
      if (after_point) --scale;
    } else if ((c == '.' || c == ',') && !after_point) {
      after_point = true;
    } else {
      break;
    }
  }
  if (!any_digit) return std::nullopt;
  if (i < text.size()) {
    if (text[i] != 'e' && text[i] != 'E') return std::nullopt;
    ++i;
    bool negative_exponent = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative_exponent = text[i++] == '-';
    if (i == text.size()) return std::nullopt;
    int exponent = 0;
    for (; i < text.size(); ++i) {
      if (!IsDigit(text[i])) return std::nullopt;
      exponent = exponent * 10 + (text[i] - '0');
      if (exponent > 100) return std::nullopt;
    }
    scale += negative_exponent ? -exponent : exponent;
  }
  if (negative) digits = -digits;
  if (digits == 0) return Fraction{0, 1};
  if (scale >= 0) {
    const auto power = PowerOfTen(scale);
    if (!power) return std::nullopt;
    const auto value = Times(digits, *power);
    if (!value) return std::nullopt;
    return Fraction{*value, 1};
  }
  const auto power = PowerOfTen(-scale);
  if (!power) return std::nullopt;
  return Reduced(digits, *power);
}

std::optional<Fraction> Sum(Fraction a, Fraction b) {
  const auto left = Times(a.numerator, b.denominator);
  const auto right = Times(b.numerator, a.denominator);
  const auto denominator = Times(a.denominator, b.denominator);
  if (!left || !right || !denominator) return std::nullopt;
  const auto numerator = Plus(*left, *right);
  if (!numerator) return std::nullopt;
  return Reduced(*numerator, *denominator);
}

std::optional<Fraction> Difference(Fraction a, Fraction b) {
  if (b.numerator == INT64_MIN) return std::nullopt;
  return Sum(a, Fraction{-b.numerator, b.denominator});
}

std::optional<Fraction> Product(Fraction a, Fraction b) {
  const auto numerator = Times(a.numerator, b.numerator);
  const auto denominator = Times(a.denominator, b.denominator);
  if (!numerator || !denominator) return std::nullopt;
  return Reduced(*numerator, *denominator);
}

std::optional<Fraction> Quotient(Fraction a, Fraction b) {
  if (b.numerator == 0) return std::nullopt;
  return Product(a, Fraction{b.denominator, b.numerator});
}

std::optional<Fraction> WholePower(Fraction a, Fraction b) {
  if (b.denominator != 1) return std::nullopt;
  if (a.numerator == 0 && b.numerator < 1) return std::nullopt;
  if (b.numerator > 64 || b.numerator < -64) return std::nullopt;
  Fraction base = b.numerator < 0 ? Fraction{a.denominator, a.numerator} : a;
  if (base.denominator < 0) base = {-base.numerator, -base.denominator};
  std::optional<Fraction> result = Fraction{1, 1};
  for (std::int64_t i = 0; i < (b.numerator < 0 ? -b.numerator : b.numerator) && result; ++i)
    result = Product(*result, base);
  return result;
}

std::optional<std::string> DecimalText(Fraction a, char point) {
  // q = 2^m·5^n: scaled to 10^max(m, n) the fraction is a whole number.
  std::int64_t q = a.denominator;
  int twos = 0;
  int fives = 0;
  while (q % 2 == 0) {
    q /= 2;
    ++twos;
  }
  while (q % 5 == 0) {
    q /= 5;
    ++fives;
  }
  if (q != 1) return std::nullopt;
  const int places = twos > fives ? twos : fives;
  const auto power = PowerOfTen(places);
  if (!power) return std::nullopt;
  const auto scaled = Times(a.numerator, *power / a.denominator);
  if (!scaled || *scaled == INT64_MIN) return std::nullopt;
  const std::string digits = std::to_string(*scaled < 0 ? -*scaled : *scaled);
  const std::size_t whole = digits.size() > static_cast<std::size_t>(places)
                                ? digits.size() - static_cast<std::size_t>(places)
                                : 0;
  std::string text = *scaled < 0 ? "-" : "";
  if (whole == 0) {
    text.push_back('0');
    text.push_back(point);
    text.append(static_cast<std::size_t>(places) - digits.size(), '0');
    text.append(digits);
    return text;
  }
  text.append(digits, 0, whole);
  if (places > 0) {
    text.push_back(point);
    text.append(digits, whole, std::string::npos);
  }
  return text;
}

long double ValueOf(Fraction a) {
  return static_cast<long double>(a.numerator) / static_cast<long double>(a.denominator);
}

}  // namespace core::expression
