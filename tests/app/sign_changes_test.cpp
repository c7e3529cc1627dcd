// SPDX-License-Identifier: GPL-3.0-or-later
// Intervals from the preview: the round interval around a marked root keeps
// the other roots and the poles out and brackets its own; the wider scan
// finds roots beyond the interval, nearest first.
#include "app/sign_changes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/formula_feedback.h"
#include "core/floating_point_environment.h"

namespace {

app::SampledFunction Typed(const std::string& formula) {
  return app::PreviewFunction(core::EquationSource(app::ReadFormula(formula).formula), {1, 1});
}

TEST(SignChangesTest, IntervalAroundARootHasRoundEndsAndThatRootAlone) {
  core::EstablishFloatingPointEnvironment();
  struct Case {
    std::string formula;
    double left, right;
    std::vector<app::Interval> intervals;  // one for each root, left to right
  };
  for (const Case& test : std::vector<Case>{
           {"x^3-2*x-5", -3, 3, {{2, 3}}},
           // A step of at most a quarter of the range.
           {"x^3-2*x-5", 2, 3, {{2, 2.2}}},
           {"x^2-1", -3, 3, {{-2, 0}, {0, 2}}},
           // Not [-2, 2] round 0: f changes sign at its ends, but through
           // three roots.
           {"x^3-x", -4, 4, {{-1.5, -0.5}, {-0.5, 0.5}, {0.5, 1.5}}},
           // The poles at ±π/2 stay out.
           {"tg(x)", -3, 3, {{-1, 1}}},
           {"sin(10*x)", 0.1, 0.7, {{0.3, 0.4}, {0.6, 0.7}}},
           // Two roots a hundredth apart.
           {"(x-1)*(x-1.01)", 0, 2, {{0.995, 1.005}, {1.005, 1.015}}},
       }) {
    SCOPED_TRACE(test.formula + " on [" + std::to_string(test.left) + ", " +
                 std::to_string(test.right) + "]");
    const app::SampledFunction f = Typed(test.formula);
    const app::SignChanges all =
        app::FindSignChanges(f, test.left, test.right, app::kPreviewSamples);
    ASSERT_EQ(all.roots.size(), test.intervals.size());
    for (std::size_t i = 0; i < all.roots.size(); ++i) {
      const app::Interval interval =
          app::IntervalAround(all.roots[i], all, test.left, test.right, f);
      EXPECT_EQ(interval.start, test.intervals[i].start) << "root " << all.roots[i].x;
      EXPECT_EQ(interval.end, test.intervals[i].end) << "root " << all.roots[i].x;
    }
  }
}

TEST(SignChangesTest, WiderScanFindsTheNearestRootsBeyondTheInterval) {
  core::EstablishFloatingPointEnvironment();
  struct Case {
    std::string formula;
    double start, end;
    int most;
    double scan_left, scan_right;
    std::vector<double> roots;             // beyond, left to right, to 10⁻³
    std::vector<app::Interval> intervals;  // around each of them
  };
  for (const Case& test : std::vector<Case>{
           {"x^2-4", -1, 1, 10, -10, 10, {-2, 2}, {{-5, 0}, {0, 5}}},
           // Within the range scanned.
           {"x^2-4", 1.5, 2.5, 10, -3, 7, {-2}, {{-3, -1}}},
           // The nearest two of 0, π and 2π.
           {"sin(x)", 1, 2, 2, -3.5, 6.5, {0, 3.1416}, {{-2, 2}, {2, 4}}},
           // Nothing up to 1,000 widths away: the last range scanned.
           {"exp(x)", 0, 1, 10, -499.5, 500.5, {}, {}},
       }) {
    SCOPED_TRACE(test.formula + " beyond [" + std::to_string(test.start) + ", " +
                 std::to_string(test.end) + "]");
    const app::SampledFunction f = Typed(test.formula);
    app::WiderScan scan = app::ScanWider(f, test.start, test.end, test.most);
    EXPECT_EQ(scan.left, test.scan_left);
    EXPECT_EQ(scan.right, test.scan_right);
    std::sort(scan.beyond.begin(), scan.beyond.end(),
              [](const app::SignChange& a, const app::SignChange& b) { return a.x < b.x; });
    ASSERT_EQ(scan.beyond.size(), test.roots.size());
    for (std::size_t i = 0; i < scan.beyond.size(); ++i) {
      EXPECT_NEAR(scan.beyond[i].x, test.roots[i], 1e-3);
      const app::Interval interval =
          app::IntervalAround(scan.beyond[i], scan.all, scan.left, scan.right, f);
      EXPECT_EQ(interval.start, test.intervals[i].start) << "root " << scan.beyond[i].x;
      EXPECT_EQ(interval.end, test.intervals[i].end) << "root " << scan.beyond[i].x;
    }
  }
}

}  // namespace
