// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/expression/functions.h"

#include <cmath>

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

NodePtr Squared(const NodePtr& u) {
  return Power(u, Number(2));
}

NodePtr Reciprocal(const NodePtr& u) {
  return Divide(Number(1), u);
}

// 1 − u², the radicand of arcsin′ and arccos′.
NodePtr OneMinusSquare(const NodePtr& u) {
  return Subtract(Number(1), Squared(u));
}

// The indices the derivatives name; checked against the table below.
enum : std::uint8_t {
  kSin,
  kCos,
  kTg,
  kCtg,
  kArcsin,
  kArccos,
  kArctg,
  kSh,
  kCh,
  kTh,
  kExp,
  kLn,
  kLg,
  kLog2,
  kSqrt,
  kAbs,
  kCount
};

}  // namespace

// clang-format off
const std::array<FunctionEntry, kFunctionCount> kFunctions = {{
    {{"sin", ""}, [](Extended u) { return Sin(u); },
     [](const NodePtr& u) { return Call(kCos, u); }, ""},
    {{"cos", ""}, [](Extended u) { return Cos(u); },
     [](const NodePtr& u) { return Negate(Call(kSin, u)); }, ""},
    // tg = sin / cos: at a pole the division by zero, and past 2^63, where
    // sine and cosine are 0 by rule, 0 / 0.
    {{"tg", "tan"}, [](Extended u) { return Sin(u) / Cos(u); },
     [](const NodePtr& u) { return Reciprocal(Squared(Call(kCos, u))); },
     "cos x = 0 (полюс), |x| ≥ 2^63"},
    {{"ctg", "cot"}, [](Extended u) { return Cos(u) / Sin(u); },
     [](const NodePtr& u) { return Negate(Reciprocal(Squared(Call(kSin, u)))); },
     "sin x = 0 (полюс), |x| ≥ 2^63"},
    {{"arcsin", "asin"}, [](Extended u) { return InverseTrigonometric(u, asinl); },
     [](const NodePtr& u) { return Reciprocal(Call(kSqrt, OneMinusSquare(u))); }, "|x| > 1"},
    {{"arccos", "acos"}, [](Extended u) { return InverseTrigonometric(u, acosl); },
     [](const NodePtr& u) { return Negate(Reciprocal(Call(kSqrt, OneMinusSquare(u)))); },
     "|x| > 1"},
    {{"arctg", "atan"}, [](Extended u) { return Extended(atanl(u.Value())); },
     [](const NodePtr& u) { return Reciprocal(Add(Number(1), Squared(u))); }, ""},
    {{"sh", "sinh"}, [](Extended u) { return Finite(sinhl(u.Value())); },
     [](const NodePtr& u) { return Call(kCh, u); }, "переполнение при |x| > 11356"},
    {{"ch", "cosh"}, [](Extended u) { return Finite(coshl(u.Value())); },
     [](const NodePtr& u) { return Call(kSh, u); }, "переполнение при |x| > 11356"},
    {{"th", "tanh"}, [](Extended u) { return Extended(tanhl(u.Value())); },
     [](const NodePtr& u) { return Reciprocal(Squared(Call(kCh, u))); }, ""},
    {{"exp", ""}, [](Extended u) { return Finite(expl(u.Value())); },
     [](const NodePtr& u) { return Call(kExp, u); }, "переполнение при x > 11356"},
    {{"ln", ""}, [](Extended u) { return Logarithm(u, logl); },
     [](const NodePtr& u) { return Reciprocal(u); }, "x ≤ 0"},
    {{"lg", "log10"}, [](Extended u) { return Logarithm(u, log10l); },
     [](const NodePtr& u) { return Reciprocal(Multiply(u, Call(kLn, Number(10)))); }, "x ≤ 0"},
    {{"log2", ""}, [](Extended u) { return Logarithm(u, log2l); },
     [](const NodePtr& u) { return Reciprocal(Multiply(u, Call(kLn, Number(2)))); }, "x ≤ 0"},
    {{"sqrt", ""},
     [](Extended u) {
       if (u.Value() < 0) RaiseInvalidOp();
       return Extended(sqrtl(u.Value()));
     },
     [](const NodePtr& u) { return Reciprocal(Multiply(Number(2), Call(kSqrt, u))); }, "x < 0"},
    // |u|′ = u / |u|, undefined at 0 (0 / 0) as the derivative itself is.
    {{"abs", ""}, [](Extended u) { return Abs(u); },
     [](const NodePtr& u) { return Divide(u, Call(kAbs, u)); }, ""},
}};
// clang-format on

static_assert(kCount == kFunctionCount);

std::optional<std::uint8_t> FindFunction(std::string_view name) {
  for (std::size_t i = 0; i < kFunctions.size(); ++i)
    for (const std::string_view known : kFunctions[i].names)
      if (!known.empty() && known == name) return static_cast<std::uint8_t>(i);
  return std::nullopt;
}

}  // namespace core::expression
