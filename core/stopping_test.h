// SPDX-License-Identifier: GPL-3.0-or-later
// The quantities that the stopping tests compare with the precision. Each is
// one function, called by the methods' loops as they test and by the pass
// table as it shows what was tested, so the two can never disagree.
#pragma once

#include <cmath>
#include <optional>

#include "core/extended.h"
#include "core/history.h"

namespace core {

enum class StoppingQuantity {
  kDistance,  // |b − a| between the two points a pass keeps
  kResidual,  // |f(xₙ)|
};

// |b − a| in extended precision from the stored doubles: the width of a
// bracket, or the distance between the two latest points of the secants.
inline Extended Distance(double a, double b) {
  return Abs(Extended(b) - a);
}

// |f(x)| from the stored value of f.
inline Extended Residual(double fx) {
  return Abs(Extended(fx));
}

// The quantity after a pass, from what its record holds; empty where the
// pass lacks it (cut short by an error, or values beyond the doubles).
inline std::optional<Extended> TestedQuantity(StoppingQuantity quantity, const PassRecord& pass) {
  if (quantity == StoppingQuantity::kResidual) {
    if (!pass.fx || !std::isfinite(*pass.fx)) return std::nullopt;
    return Residual(*pass.fx);
  }
  if (!pass.a || !pass.b || !std::isfinite(*pass.a) || !std::isfinite(*pass.b)) return std::nullopt;
  return Distance(*pass.a, *pass.b);
}

}  // namespace core
