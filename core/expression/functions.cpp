// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/expression/functions.h"

#include <cmath>
#include <numbers>

#include "core/expression/simplify.h"

namespace core::expression {

namespace {

// A result that left the extended range from a finite argument overflowed.
Extended Finite(long double result) {
  if (std::isinf(result)) RaiseOverflow();
  return Extended(result);
}

// The logarithms: of 0 the limit is −∞, a division by zero as the processor
// reports it; of a negative number there is no value.
Extended Logarithm(Extended u, long double (*logarithm)(long double)) {
  if (u.Value() < 0) RaiseInvalidOp();
  if (u.Value() == 0) RaiseZeroDivide();
  return Extended(logarithm(u.Value()));
}

// arcsin and arccos exist on [−1, 1] only.
Extended InverseTrigonometric(Extended u, long double (*function)(long double)) {
  if (std::fabs(u.Value()) > 1) RaiseInvalidOp();
  return Extended(function(u.Value()));
}

NodePtr Squared(Simplifier& s, const NodePtr& u) {
  return s.Power(u, s.Number(2));
}

NodePtr Reciprocal(Simplifier& s, const NodePtr& u) {
  return s.Divide(s.Number(1), u);
}

// 1 − u², the radicand of arcsin′ and arccos′, and th′ of th = u.
NodePtr OneMinusSquare(Simplifier& s, const NodePtr& u) {
  return s.Subtract(s.Number(1), Squared(s, u));
}

}  // namespace

// clang-format off
constinit const FunctionEntry kSin = {{"sin", ""}, [](Extended u) { return Sin(u); },
    [](Simplifier& s, const NodePtr& u) { return s.Call(kCos, u); }, ""};
constinit const FunctionEntry kCos = {{"cos", ""}, [](Extended u) { return Cos(u); },
    [](Simplifier& s, const NodePtr& u) { return s.Negate(s.Call(kSin, u)); }, ""};
// tg = sin / cos: at a pole the division by zero, and past 2^63, where sine
// and cosine are 0 by rule, 0 / 0.
constinit const FunctionEntry kTg = {{"tg", "tan"}, [](Extended u) { return Sin(u) / Cos(u); },
    [](Simplifier& s, const NodePtr& u) { return Reciprocal(s, Squared(s, s.Call(kCos, u))); },
    "cos x = 0 (полюс), |x| ≥ 2^63"};
constinit const FunctionEntry kCtg = {{"ctg", "cot"}, [](Extended u) { return Cos(u) / Sin(u); },
    [](Simplifier& s, const NodePtr& u) {
      return s.Negate(Reciprocal(s, Squared(s, s.Call(kSin, u))));
    },
    "sin x = 0 (полюс), |x| ≥ 2^63"};
constinit const FunctionEntry kArcsin = {{"arcsin", "asin"},
    [](Extended u) { return InverseTrigonometric(u, asinl); },
    [](Simplifier& s, const NodePtr& u) {
      return Reciprocal(s, s.Call(kSqrt, OneMinusSquare(s, u)));
    },
    "|x| > 1"};
constinit const FunctionEntry kArccos = {{"arccos", "acos"},
    [](Extended u) { return InverseTrigonometric(u, acosl); },
    [](Simplifier& s, const NodePtr& u) {
      return s.Negate(Reciprocal(s, s.Call(kSqrt, OneMinusSquare(s, u))));
    },
    "|x| > 1"};
constinit const FunctionEntry kArctg = {{"arctg", "atan"},
    [](Extended u) { return Extended(atanl(u.Value())); },
    [](Simplifier& s, const NodePtr& u) {
      return Reciprocal(s, s.Add(s.Number(1), Squared(s, u)));
    },
    ""};
// arcctg = π/2 − arctg, with values in (0, π) as the textbook has them.
constinit const FunctionEntry kArcctg = {{"arcctg", "acot"},
    [](Extended u) {
      return Extended(std::numbers::pi_v<long double> / 2) - Extended(atanl(u.Value()));
    },
    [](Simplifier& s, const NodePtr& u) {
      return s.Negate(Reciprocal(s, s.Add(s.Number(1), Squared(s, u))));
    },
    ""};
constinit const FunctionEntry kSh = {{"sh", "sinh"},
    [](Extended u) { return Finite(sinhl(u.Value())); },
    [](Simplifier& s, const NodePtr& u) { return s.Call(kCh, u); },
    "переполнение при |x| > 11356"};
constinit const FunctionEntry kCh = {{"ch", "cosh"},
    [](Extended u) { return Finite(coshl(u.Value())); },
    [](Simplifier& s, const NodePtr& u) { return s.Call(kSh, u); },
    "переполнение при |x| > 11356"};
// th′ = 1 − th² rather than 1/ch²: ch overflows where th is still 1, and
// 1 − th² shares th(u) with the formula.
constinit const FunctionEntry kTh = {{"th", "tanh"},
    [](Extended u) { return Extended(tanhl(u.Value())); },
    [](Simplifier& s, const NodePtr& u) { return OneMinusSquare(s, s.Call(kTh, u)); }, ""};
constinit const FunctionEntry kExp = {{"exp", ""},
    [](Extended u) { return Finite(expl(u.Value())); },
    [](Simplifier& s, const NodePtr& u) { return s.Call(kExp, u); },
    "переполнение при x > 11356"};
constinit const FunctionEntry kLn = {{"ln", ""}, [](Extended u) { return Logarithm(u, logl); },
    [](Simplifier& s, const NodePtr& u) { return Reciprocal(s, u); }, "x ≤ 0"};
constinit const FunctionEntry kLg = {{"lg", "log10"},
    [](Extended u) { return Logarithm(u, log10l); },
    [](Simplifier& s, const NodePtr& u) {
      return Reciprocal(s, s.Multiply(u, s.Call(kLn, s.Number(10))));
    },
    "x ≤ 0"};
constinit const FunctionEntry kLog2 = {{"log2", ""},
    [](Extended u) { return Logarithm(u, log2l); },
    [](Simplifier& s, const NodePtr& u) {
      return Reciprocal(s, s.Multiply(u, s.Call(kLn, s.Number(2))));
    },
    "x ≤ 0"};
constinit const FunctionEntry kSqrt = {{"sqrt", ""},
    [](Extended u) {
      if (u.Value() < 0) RaiseInvalidOp();
      return Extended(sqrtl(u.Value()));
    },
    [](Simplifier& s, const NodePtr& u) {
      return Reciprocal(s, s.Multiply(s.Number(2), s.Call(kSqrt, u)));
    },
    "x < 0"};
// |u|′ = u / |u|, undefined at 0 (0 / 0) as the derivative itself is.
constinit const FunctionEntry kAbs = {{"abs", ""}, [](Extended u) { return Abs(u); },
    [](Simplifier& s, const NodePtr& u) { return s.Divide(u, s.Call(kAbs, u)); }, ""};
// clang-format on

constinit const std::array<const FunctionEntry*, kFunctionCount> kFunctions = {
    &kSin, &kCos, &kTg,  &kCtg, &kArcsin, &kArccos, &kArctg, &kArcctg, &kSh,
    &kCh,  &kTh,  &kExp, &kLn,  &kLg,     &kLog2,   &kSqrt,  &kAbs,
};

const FunctionEntry* FindFunction(std::string_view name) {
  for (const FunctionEntry* entry : kFunctions)
    for (const std::string_view known : entry->names)
      if (!known.empty() && known == name) return entry;
  return nullptr;
}

}  // namespace core::expression
