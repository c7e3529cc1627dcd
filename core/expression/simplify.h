// SPDX-License-Identifier: GPL-3.0-or-later
// Constructors that simplify as they build, for the derivative only: the
// typed formula itself is evaluated as written. The rules are those a student
// applies when writing a derivative down. Each is safe where the derivative
// is wanted, that is where f is defined (derivative.h): it keeps the value
// there, up to the rounding of the extended format, far below a double's.
//
//   Numbers are folded exactly, as fractions: 1/3 − 1 → −2/3, 0,1 − 1 →
//   −0,9, 3·x²/3 → x², 2·x/4 → x/2. A folding that is no fraction and would
//   raise an error is left to the evaluation, where the error belongs.
//   0·a → 0 and 0/a → 0: a zero comes from the derivative of a term that
//   does not vary, which is 0 wherever that term is defined.
//   1·a, a/1, a + 0, a − 0, a^1 → a; a^0 → 1.
//   a + (−b) → a − b, a − (−b) → a + b, a·(−b) → −a·b: exact, a negation
//   never rounds. a + a → 2·a: exact, a doubling never rounds. Like terms
//   collected, c·u ± d·u → (c ± d)·u (but u − u stays: it has no value where
//   u has none).
//   a·(b·c) → a·b·c, a·(b/c) → a·b/c, (a/b)/c → a/(b·c): the same products
//   and quotients in another order; where one side divides by 0 so does the
//   other.
//   w^m·w^n → w^(m+n) and (w^m)^n → w^(m·n) for whole m and n of one sign:
//   defined at the same w, equal there.
//   a/a → 1, (p/a)·a → p, (p·a)/a → p only for an a that is not 0 wherever
//   f′ is wanted (IsNonzero): otherwise they would give f′ a value where
//   the written derivative has none.
//   a/sqrt(a) → sqrt(a): equal for a > 0; at a = 0 the quotient is 0/0 and
//   sqrt(a) gives its limit, 0, which the exact derivative has there
//   (arcsin(th(x))′ = (1 − th²)/sqrt(1 − th²) where th rounds to 1).
//
// Nodes come from the formula's node table, so equal subtrees are equal
// pointers and "a/a" is a comparison of pointers.
#pragma once

#include <optional>
#include <unordered_set>

#include "core/expression/fraction.h"
#include "core/expression/node.h"

namespace core::expression {

struct Operator;

class Simplifier {
 public:
  // `point` is the decimal point of the numbers it folds: ',' when the
  // formula was typed with commas.
  explicit Simplifier(NodeTable& table, char point = '.') : table_(table), point_(point) {}

  // `node` is not 0 wherever f′ is wanted: f divides by it or takes its
  // logarithm, or f′ itself takes its logarithm.
  void AssumeNonzero(const NodePtr& node) { nonzero_.insert(node.get()); }
  bool IsNonzero(const NodePtr& node) const;

  NodePtr Number(long double value);
  NodePtr Negate(const NodePtr& a);
  NodePtr Add(const NodePtr& a, const NodePtr& b);
  NodePtr Subtract(const NodePtr& a, const NodePtr& b);
  NodePtr Multiply(const NodePtr& a, const NodePtr& b);
  NodePtr Divide(const NodePtr& a, const NodePtr& b);
  NodePtr Power(const NodePtr& a, const NodePtr& b);
  NodePtr Call(const FunctionEntry& function, const NodePtr& argument);

 private:
  // a op b of two numbers as one number (or a fraction p/q), or null.
  NodePtr Folded(const Operator& op, const NodePtr& a, const NodePtr& b);
  NodePtr FromFraction(Fraction value);
  // c·u ± d·u as (c ± d)·u, or null.
  NodePtr Collected(const Operator& op, const NodePtr& a, const NodePtr& b);
  // w^m·w^n as w^(m+n), or null.
  NodePtr Merged(const NodePtr& a, const NodePtr& b);
  // (c·u)/(d·v) with the fraction c/d in lowest terms: p·u/(r·v), or null
  // when it is already.
  NodePtr Reduced(const NodePtr& c, const NodePtr& u, const NodePtr& d, const NodePtr& v);

  NodeTable& table_;
  char point_;
  std::unordered_set<const Node*> nonzero_;
};

// The exact fraction a number, a negated number or a quotient of numbers
// stands for; none for other nodes.
std::optional<Fraction> FractionOf(const Node& node);

// Written with a sign in front: −a, a negative number, or a product or
// quotient whose first factor is one (−2·x, −x/y).
bool NegativeLed(const Node& node);

}  // namespace core::expression
