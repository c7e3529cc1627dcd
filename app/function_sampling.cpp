// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/function_sampling.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

namespace app {

namespace {

constexpr double kReach = 10;  // interval widths an iterate may lie away
constexpr double kLargest = std::numeric_limits<double>::max();
constexpr double kSmallest = std::numeric_limits<double>::denorm_min();

}  // namespace

std::pair<double, double> Widened(double low, double high, double margin) {
  return {std::clamp(low - margin, -kLargest, kLargest),
          std::clamp(high + margin, -kLargest, kLargest)};
}

PlotRange FunctionPlotRange(double start, double end, const std::vector<double>& iterates) {
  double lowest = std::min(start, end);
  double highest = std::max(start, end);
  double width = highest - lowest;
  if (!(width > 0) || !std::isfinite(width)) width = std::max(1.0, std::fabs(lowest));
  const double reach_left = lowest - kReach * width;
  const double reach_right = highest + kReach * width;
  PlotRange range;
  for (const double x : iterates) {
    if (std::isfinite(x) && x >= reach_left && x <= reach_right) {
      lowest = std::min(lowest, x);
      highest = std::max(highest, x);
    } else {
      ++range.iterates_outside;
    }
  }
  const double margin = highest > lowest ? kPlotMargin * (highest - lowest) : 0.5 * width;
  std::tie(range.left, range.right) = Widened(lowest, highest, margin);
  return range;
}

std::vector<double> NiceTicks(double low, double high, int about) {
  about = std::max(about, 1);
  if (!std::isfinite(low) || !std::isfinite(high) || !(high > low)) return {};
  // Each end divided first: the width of a range across most of the doubles
  // overflows.
  double rough = high / about - low / about;
  if (!std::isfinite(rough)) rough = kLargest;
  // Below the smallest denormal a power of ten is zero; no step is smaller.
  const double decade = std::max(std::pow(10.0, std::floor(std::log10(rough))), kSmallest);
  const double step = rough >= 5 * decade ? 5 * decade : rough >= 2 * decade ? 2 * decade : decade;
  const double first = std::ceil(low / step);
  const double last = std::floor(high / step);
  // In a range a few units in the last place wide, the multiples of the step
  // are beyond 2⁵³ steps from 0: the doubles cannot tell them apart, and
  // counting them one by one would never end.
  constexpr double kWholeLimit = 0x1p53;
  if (!(std::fabs(first) < kWholeLimit && std::fabs(last) < kWholeLimit) || last < first ||
      last - first > 4.0 * about + 4)
    return {};
  std::vector<double> ticks;
  for (double k = first; k <= last; ++k) {
    // k + 0 makes a k of -0 (the ceiling of a small negative) +0.
    const double tick = (k + 0.0) * step;
    if (tick >= low && tick <= high) ticks.push_back(tick);
  }
  return ticks;
}

std::vector<CurvePiece> SampleFunction(const std::function<std::optional<double>(double)>& f,
                                       double left, double right, int count) {
  std::vector<CurvePiece> pieces(1);
  for (int i = 0; i < count; ++i) {
    const double t = count > 1 ? static_cast<double>(i) / (count - 1) : 0.0;
    const double x = left + t * (right - left);
    const std::optional<double> y = f(x);
    if (y && std::isfinite(*y)) {
      pieces.back().push_back({x, *y});
    } else if (!pieces.back().empty()) {
      pieces.emplace_back();
    }
  }
  if (pieces.back().empty()) pieces.pop_back();
  return pieces;
}

std::vector<BandPiece> SampleBand(const std::function<std::optional<double>(double)>& f,
                                  double left, double right, int columns, int per_column) {
  std::vector<BandPiece> pieces(1);
  columns = std::max(columns, 1);
  per_column = std::max(per_column, 1);
  const double width = (right - left) / columns;
  for (int column = 0; column < columns; ++column) {
    const double from = left + width * column;
    double low = 0;
    double high = 0;
    bool complete = true;
    for (int i = 0; i <= per_column && complete; ++i) {
      const std::optional<double> y = f(from + width * i / per_column);
      complete = y && std::isfinite(*y);
      if (!complete) break;
      low = i == 0 ? *y : std::min(low, *y);
      high = i == 0 ? *y : std::max(high, *y);
    }
    if (!complete) {
      if (!pieces.back().low.empty()) pieces.emplace_back();
      continue;
    }
    const double middle = from + width / 2;
    pieces.back().low.push_back({middle, low});
    pieces.back().high.push_back({middle, high});
  }
  if (pieces.back().low.empty()) pieces.pop_back();
  return pieces;
}

}  // namespace app
