// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sign_changes.h"

#include <algorithm>
#include <cmath>

#include "app/function_sampling.h"

namespace app {

namespace {

int Sign(double y) {
  return y > 0 ? 1 : y < 0 ? -1 : 0;
}

// k times `multiple` times 10^`exponent`, exactly where the double can hold
// it: 3 × 10⁻¹ is 3 / 10 = 0.3, not 3 × 0.1 = 0.30000000000000004.
double RoundValue(double k, int multiple, int exponent) {
  const double power = std::pow(10.0, std::abs(exponent));
  return exponent >= 0 ? k * multiple * power : k * multiple / power;
}

// The interval of round ends for one step: the multiples of the step round
// the samples of the change ("+ 0.0": no end reads "-0"). A root at a
// sample, on a round value itself, goes inside.
std::optional<Interval> RoundInterval(const SignChange& change, int multiple, int exponent) {
  const double step = RoundValue(1, multiple, exponent);
  double below = std::floor(change.left / step);
  double above = std::ceil(change.right / step);
  if (RoundValue(below, multiple, exponent) >= change.x) --below;
  if (RoundValue(above, multiple, exponent) <= change.x) ++above;
  const Interval interval{RoundValue(below, multiple, exponent) + 0.0,
                          RoundValue(above, multiple, exponent) + 0.0};
  if (!std::isfinite(interval.start) || !std::isfinite(interval.end)) return std::nullopt;
  return interval;
}

bool Suits(const Interval& interval, const SignChange& change, const SignChanges& all, double left,
           double right, const SampledFunction& f) {
  if (interval.start < left || interval.end > right) return false;
  const auto apart = [&](const SignChange& other) {
    const bool same =
        other.x == change.x && other.left == change.left && other.right == change.right;
    return same || other.right <= interval.start || other.left >= interval.end;
  };
  if (!std::all_of(all.roots.begin(), all.roots.end(), apart) ||
      !std::all_of(all.poles.begin(), all.poles.end(), apart))
    return false;
  const std::optional<double> at_start = f(interval.start);
  const std::optional<double> at_end = f(interval.end);
  if (!at_start || !at_end) return false;
  // f = 0 at a sample alone gives no sign to keep (a double root touches
  // the axis there).
  return change.left == change.right || Sign(*at_start) * Sign(*at_end) < 0;
}

}  // namespace

SignChanges FindSignChanges(const SampledFunction& f, double left, double right, int samples) {
  SignChanges changes;
  const std::vector<CurvePiece> pieces = SampleFunction(f, left, right, samples);
  for (std::size_t piece = 0; piece < pieces.size(); ++piece) {
    const CurvePiece& points = pieces[piece];
    for (std::size_t i = 0; i < points.size(); ++i) {
      const PlotPoint p = points[i];
      if (p.y == 0) {
        changes.roots.push_back({p.x, p.x, p.x});
        continue;
      }
      if (i + 1 == points.size()) {
        // Across a gap where f has no value.
        if (piece + 1 < pieces.size() && Sign(p.y) * Sign(pieces[piece + 1].front().y) < 0) {
          const PlotPoint q = pieces[piece + 1].front();
          changes.poles.push_back({p.x / 2 + q.x / 2, p.x, q.x});
        }
        continue;
      }
      const PlotPoint q = points[i + 1];
      if (Sign(p.y) * Sign(q.y) >= 0) continue;
      // Where the chord between the samples crosses the axis. Near a root f
      // is smaller there than at either sample; near a pole it is not.
      const double crossing = p.x + (q.x - p.x) * (p.y / (p.y - q.y));
      const std::optional<double> there = f(crossing);
      const bool root = there && std::fabs(*there) <= std::min(std::fabs(p.y), std::fabs(q.y));
      (root ? changes.roots : changes.poles).push_back({crossing, p.x, q.x});
    }
  }
  return changes;
}

Interval IntervalAround(const SignChange& change, const SignChanges& all, double left, double right,
                        const SampledFunction& f) {
  // Steps of 5, 2 and 1 times a power of ten, from the widest within a
  // quarter of the range down through six more powers of ten.
  const double widest = (right - left) / 4;
  if (!(widest > 0) || !std::isfinite(widest)) return {change.left, change.right};
  const int top = static_cast<int>(std::floor(std::log10(widest)));
  for (int exponent = top; exponent >= top - 6; --exponent) {
    for (const int multiple : {5, 2, 1}) {
      if (RoundValue(1, multiple, exponent) > widest) continue;
      const std::optional<Interval> interval = RoundInterval(change, multiple, exponent);
      if (interval && Suits(*interval, change, all, left, right, f)) return *interval;
    }
  }
  return {change.left, change.right};
}

WiderScan ScanWider(const SampledFunction& f, double start, double end, int most) {
  const double low = std::min(start, end);
  const double high = std::max(start, end);
  const double middle = low / 2 + high / 2;
  WiderScan scan;
  for (const double factor : {10.0, 100.0, 1000.0}) {
    const double reach = (high - low) * factor / 2;
    if (!(reach > 0) || !std::isfinite(middle - reach) || !std::isfinite(middle + reach)) break;
    scan.left = middle - reach;
    scan.right = middle + reach;
    scan.all = FindSignChanges(f, scan.left, scan.right, kWiderScanSamples);
    scan.beyond.clear();
    for (const SignChange& change : scan.all.roots)
      if (change.x < low || change.x > high) scan.beyond.push_back(change);
    if (!scan.beyond.empty()) break;
  }
  const auto distance = [low, high](const SignChange& change) {
    return change.x < low ? low - change.x : change.x - high;
  };
  std::stable_sort(
      scan.beyond.begin(), scan.beyond.end(),
      [&](const SignChange& a, const SignChange& b) { return distance(a) < distance(b); });
  if (scan.beyond.size() > static_cast<std::size_t>(most))
    scan.beyond.resize(static_cast<std::size_t>(most));
  return scan;
}

}  // namespace app
