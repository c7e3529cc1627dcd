// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/expression/simplify.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "core/errors.h"
#include "core/expression/functions.h"
#include "core/expression/operators.h"

namespace core::expression {

namespace {

// A number, or numbers that could not be folded (10^4000·10^4000 overflows):
// such a product counts as a number, so that "numbers in front" has
// nothing left to move.
bool IsNumeric(const NodePtr& node) {
  switch (node->kind) {
    case NodeKind::kNumber:
      return true;
    case NodeKind::kNegate:
      return IsNumeric(node->left);
    case NodeKind::kMultiply:
    case NodeKind::kDivide:
      return IsNumeric(node->right) && IsNumeric(node->left);
    default:
      return false;
  }
}

// The node is the whole number `value`, however written: 1, 1,0, −1, 2/2.
bool Is(const NodePtr& node, std::int64_t value) {
  if (node->kind == NodeKind::kNumber && node->number == value) return true;
  const auto fraction = FractionOf(*node);
  return fraction && *fraction == Fraction{value, 1};
}

bool IsCallOf(const NodePtr& node, const FunctionEntry& function) {
  return node->kind == NodeKind::kCall && node->function == &function;
}

// The shortest text that reads back to `value`; a whole number as digits.
std::string NumberText(long double value, char point = '.') {
  if (std::fabs(value) < 0x1p62L && std::trunc(value) == value)
    return std::to_string(static_cast<long long>(value));
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, result.ptr);
  std::replace(text.begin(), text.end(), '.', point);
  return text;
}

// A whole exponent: w^n with a whole number n, or w itself as w^1.
struct WholePowerOf {
  NodePtr base;
  std::int64_t exponent;
};
WholePowerOf AsWholePower(const NodePtr& node) {
  if (node->kind == NodeKind::kPower) {
    const auto n = FractionOf(*node->right);
    if (n && n->denominator == 1) return {node->left, n->numerator};
  }
  return {node, 1};
}

// A term as its number factor and the rest: 3·x² is 3 and x², −x is −1 and
// x, x is 1 and x.
std::pair<Fraction, NodePtr> Term(const NodePtr& node) {
  if (node->kind == NodeKind::kNegate) {
    auto [c, u] = Term(node->left);
    return {Fraction{-c.numerator, c.denominator}, u};
  }
  if (node->kind == NodeKind::kMultiply)
    if (const auto c = FractionOf(*node->left)) return {*c, node->right};
  return {Fraction{1, 1}, node};
}

}  // namespace

std::optional<Fraction> FractionOf(const Node& node) {
  switch (node.kind) {
    case NodeKind::kNumber:
      if (!node.text.empty()) return FractionOfText(node.text);
      return FractionOfText(NumberText(node.number));
    case NodeKind::kNegate: {
      const auto operand = FractionOf(*node.left);
      if (!operand) return std::nullopt;
      return Difference(Fraction{0, 1}, *operand);
    }
    case NodeKind::kDivide:
      if (node.left->kind != NodeKind::kNumber && node.left->kind != NodeKind::kNegate)
        return std::nullopt;
      if (node.right->kind != NodeKind::kNumber) return std::nullopt;
      {
        const auto numerator = FractionOf(*node.left);
        const auto denominator = FractionOf(*node.right);
        if (!numerator || !denominator) return std::nullopt;
        return Quotient(*numerator, *denominator);
      }
    default:
      return std::nullopt;
  }
}

bool NegativeLed(const Node& node) {
  switch (node.kind) {
    case NodeKind::kNegate:
      return true;
    case NodeKind::kNumber:
      return node.number < 0;
    case NodeKind::kMultiply:
    case NodeKind::kDivide:
      return NegativeLed(*node.left);
    default:
      return false;
  }
}

bool Simplifier::IsNonzero(const NodePtr& node) const {
  if (nonzero_.contains(node.get())) return true;
  switch (node->kind) {
    case NodeKind::kNumber:
      return node->number != 0;
    case NodeKind::kConstant:
      return true;
    case NodeKind::kNegate:
      return IsNonzero(node->left);
    case NodeKind::kMultiply:
      return IsNonzero(node->left) && IsNonzero(node->right);
    case NodeKind::kDivide:  // where a/b and a^b are defined, a ≠ 0 makes them ≠ 0
    case NodeKind::kPower:
      return IsNonzero(node->left);
    case NodeKind::kCall:
      return IsCallOf(node, kExp) || IsCallOf(node, kCh);
    default:
      return false;
  }
}

NodePtr Simplifier::Number(long double value) {
  if (value == 0) value = 0;  // no −0: a zero term is dropped whatever its sign
  return table_.MakeNumber(value, NumberText(value, point_));
}

NodePtr Simplifier::FromFraction(Fraction value) {
  if (const auto text = DecimalText(value, point_)) return table_.MakeNumber(ValueOf(value), *text);
  // p/q: the division reads back as written, and rounds once.
  return table_.MakeBinary(kDivision, Number(static_cast<long double>(value.numerator)),
                           Number(static_cast<long double>(value.denominator)));
}

NodePtr Simplifier::Folded(const Operator& op, const NodePtr& a, const NodePtr& b) {
  const auto x = FractionOf(*a);
  const auto y = FractionOf(*b);
  if (x && y) {
    std::optional<Fraction> exact;
    switch (op.kind) {
      case NodeKind::kAdd:
        exact = Sum(*x, *y);
        break;
      case NodeKind::kSubtract:
        exact = Difference(*x, *y);
        break;
      case NodeKind::kMultiply:
        exact = Product(*x, *y);
        break;
      case NodeKind::kDivide:
        exact = Quotient(*x, *y);
        break;
      default:
        exact = WholePower(*x, *y);
        break;
    }
    if (exact) return FromFraction(*exact);
  }
  // Beyond the fractions (10^30, a number of twenty digits): the four
  // operations in extended precision, unless that raises an error, which
  // then belongs to the evaluation. A power is left as written: 2^0,5 reads
  // better than its twenty digits.
  if (op.kind == NodeKind::kPower || a->kind != NodeKind::kNumber || b->kind != NodeKind::kNumber)
    return nullptr;
  try {
    return Number(op.evaluate(a->number, b->number).Value());
  } catch (const Exception&) {
    return nullptr;
  }
}

NodePtr Simplifier::Negate(const NodePtr& a) {
  switch (a->kind) {
    case NodeKind::kNumber: {
      // The text keeps the way it was written: −1,5 stays with its comma.
      const std::string& text = a->text;
      if (a->number == 0) return a;
      return table_.MakeNumber(-a->number, text.starts_with('-') ? text.substr(1) : "-" + text);
    }
    case NodeKind::kNegate:
      return a->left;
    case NodeKind::kMultiply:
    case NodeKind::kDivide:
      // The sign goes to the leftmost factor: −2*x*sin(x), not −(2*x*sin(x)).
      return table_.MakeBinary(*a->op, Negate(a->left), a->right);
    default:
      return table_.MakeNegate(a);
  }
}

NodePtr Simplifier::Collected(const Operator& op, const NodePtr& a, const NodePtr& b) {
  const auto [c, u] = Term(a);
  const auto [d, v] = Term(b);
  if (u != v) return nullptr;
  const auto sum = op.kind == NodeKind::kAdd ? Sum(c, d) : Difference(c, d);
  // u − u is left as written: it has no value where u has none.
  if (!sum || sum->numerator == 0) return nullptr;
  return Multiply(FromFraction(*sum), u);
}

NodePtr Simplifier::Add(const NodePtr& a, const NodePtr& b) {
  if (Is(a, 0)) return b;
  if (Is(b, 0)) return a;
  if (NodePtr folded = Folded(kAddition, a, b)) return folded;
  if (a == b) return Multiply(Number(2), a);
  if (NodePtr collected = Collected(kAddition, a, b)) return collected;
  if (NegativeLed(*b)) return Subtract(a, Negate(b));
  return table_.MakeBinary(kAddition, a, b);
}

NodePtr Simplifier::Subtract(const NodePtr& a, const NodePtr& b) {
  if (Is(b, 0)) return a;
  if (Is(a, 0)) return Negate(b);
  if (NodePtr folded = Folded(kSubtraction, a, b)) return folded;
  if (NodePtr collected = Collected(kSubtraction, a, b)) return collected;
  if (NegativeLed(*b)) return Add(a, Negate(b));
  return table_.MakeBinary(kSubtraction, a, b);
}

NodePtr Simplifier::Merged(const NodePtr& a, const NodePtr& b) {
  const WholePowerOf x = AsWholePower(a);
  const WholePowerOf y = AsWholePower(b);
  if (x.base != y.base || (x.exponent < 0) != (y.exponent < 0)) return nullptr;
  return Power(x.base, Number(static_cast<long double>(x.exponent + y.exponent)));
}

NodePtr Simplifier::Multiply(const NodePtr& a, const NodePtr& b) {
  if (Is(a, 0) || Is(b, 0)) return Number(0);
  if (Is(a, 1)) return b;
  if (Is(b, 1)) return a;
  if (Is(a, -1)) return Negate(b);
  if (Is(b, -1)) return Negate(a);
  if (NodePtr folded = Folded(kMultiplication, a, b)) return folded;
  // A number factor in front, as a student writes 3·x², and numbers in front
  // folded together: c·(d·u) → (c·d)·u.
  if (IsNumeric(b) && !IsNumeric(a)) return Multiply(b, a);
  if (IsNumeric(a) && b->kind == NodeKind::kMultiply && IsNumeric(b->left))
    if (NodePtr folded = Folded(kMultiplication, a, b->left)) return Multiply(folded, b->right);
  // The sign in front of the product: −a·b rather than a·(−b) or (−a)·b.
  if (NegativeLed(*b)) return Negate(Multiply(a, Negate(b)));
  if (NegativeLed(*a) && !IsNumeric(a)) return Negate(Multiply(Negate(a), b));
  // (p/a)·a and a·(p/a) are p where a ≠ 0.
  if (a->kind == NodeKind::kDivide && a->right == b && IsNonzero(b)) return a->left;
  if (b->kind == NodeKind::kDivide && b->right == a && IsNonzero(a)) return b->left;
  if (NodePtr merged = Merged(a, b)) return merged;
  if (a->kind == NodeKind::kMultiply)
    if (NodePtr merged = Merged(a->right, b)) return Multiply(a->left, merged);
  if (b->kind == NodeKind::kMultiply) return Multiply(Multiply(a, b->left), b->right);
  if (b->kind == NodeKind::kDivide) return Divide(Multiply(a, b->left), b->right);
  return table_.MakeBinary(kMultiplication, a, b);
}

NodePtr Simplifier::Reduced(const NodePtr& c, const NodePtr& u, const NodePtr& d,
                            const NodePtr& v) {
  const auto x = FractionOf(*c);
  const auto y = FractionOf(*d);
  if (!x || !y) return nullptr;
  const auto q = Quotient(*x, *y);
  if (!q || (Fraction{q->numerator, 1} == *x && Fraction{q->denominator, 1} == *y)) return nullptr;
  const NodePtr numerator = Multiply(Number(static_cast<long double>(q->numerator)), u);
  const NodePtr denominator = Multiply(Number(static_cast<long double>(q->denominator)), v);
  if (Is(denominator, 1)) return numerator;
  // Made as it stands: divided again it would be reduced again.
  return table_.MakeBinary(kDivision, numerator, denominator);
}

NodePtr Simplifier::Divide(const NodePtr& a, const NodePtr& b) {
  if (Is(b, 1)) return a;
  if (Is(b, -1)) return Negate(a);
  if (Is(a, 0) && !Is(b, 0)) return Number(0);
  if (NodePtr folded = Folded(kDivision, a, b)) return folded;
  if (a == b && IsNonzero(b)) return Number(1);
  if (NegativeLed(*b)) return Divide(Negate(a), Negate(b));
  // (c·u)/(d·v) in lowest terms: 3·x²/3 → x², 2·x/4 → x/2, −2·x/(2·v) → −x/v.
  const NodePtr one = Number(1);
  const bool a_led = a->kind == NodeKind::kMultiply && IsNumeric(a->left);
  const bool b_led = b->kind == NodeKind::kMultiply && IsNumeric(b->left);
  const NodePtr c = a_led ? a->left : IsNumeric(a) ? a : one;
  const NodePtr u = a_led ? a->right : IsNumeric(a) ? one : a;
  const NodePtr d = b_led ? b->left : IsNumeric(b) ? b : one;
  const NodePtr v = b_led ? b->right : IsNumeric(b) ? one : b;
  if (c != one || d != one)
    if (NodePtr reduced = Reduced(c, u, d, v)) return reduced;
  // c·w^m/(d·w^n) → c/(d·w^(n−m)) for whole m < n: both are undefined at
  // w = 0. For m ≥ n only where w ≠ 0.
  if (const WholePowerOf x = AsWholePower(u), y = AsWholePower(v);
      u != one && v != one && x.base == y.base && x.exponent > 0 && y.exponent > 0) {
    const NodePtr base = x.base;
    if (x.exponent < y.exponent) {
      return Divide(
          c, Multiply(d, Power(base, Number(static_cast<long double>(y.exponent - x.exponent)))));
    }
    if (IsNonzero(base)) {
      return Divide(
          Multiply(c, Power(base, Number(static_cast<long double>(x.exponent - y.exponent)))), d);
    }
  }
  // (p·a)/a and (a·p)/a are p where a ≠ 0.
  if (a->kind == NodeKind::kMultiply && a->right == b && IsNonzero(b)) return a->left;
  if (a->kind == NodeKind::kMultiply && a->left == b && IsNonzero(b)) return a->right;
  // u/sqrt(u) → sqrt(u) and (p·u)/sqrt(u) → p·sqrt(u): see simplify.h.
  if (IsCallOf(b, kSqrt)) {
    if (a == b->left) return b;
    if (a->kind == NodeKind::kMultiply && a->right == b->left) return Multiply(a->left, b);
  }
  if (a->kind == NodeKind::kDivide) return Divide(a->left, Multiply(a->right, b));
  return table_.MakeBinary(kDivision, a, b);
}

NodePtr Simplifier::Power(const NodePtr& a, const NodePtr& b) {
  if (Is(b, 1)) return a;
  if (Is(b, 0) && !Is(a, 0)) return Number(1);
  if (NodePtr folded = Folded(kExponentiation, a, b)) return folded;
  if (a->kind == NodeKind::kPower) {
    const WholePowerOf inner = AsWholePower(a);
    const auto n = FractionOf(*b);
    if (inner.base != a && n && n->denominator == 1 && (inner.exponent < 0) == (n->numerator < 0))
      if (const auto product = Product({inner.exponent, 1}, *n))
        return Power(inner.base, FromFraction(*product));
  }
  return table_.MakeBinary(kExponentiation, a, b);
}

NodePtr Simplifier::Call(const FunctionEntry& function, const NodePtr& argument) {
  return table_.MakeCall(function, argument);
}

}  // namespace core::expression
