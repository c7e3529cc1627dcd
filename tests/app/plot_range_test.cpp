// SPDX-License-Identifier: GPL-3.0-or-later
// The plots' ranges and ticks at the edges of the doubles: whatever the
// inputs, every end and every tick is finite and the number of ticks is
// bounded, so that an axis never gets an infinite range or an endless list.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <vector>

#include "app/comparison_run.h"
#include "app/convergence_series.h"
#include "app/function_sampling.h"
#include "app/method_geometry.h"
#include "core/floating_point_environment.h"
#include "core/method_table.h"
#include "tests/app/separator_guard.h"
#include "tests/doubles/fake_window.h"

namespace app {
namespace {

constexpr double kTiny = std::numeric_limits<double>::denorm_min();
constexpr int kAbout = 8;

void ExpectFiniteTicks(double low, double high, bool some) {
  const std::vector<double> ticks = NiceTicks(low, high, kAbout);
  EXPECT_LE(ticks.size(), 4u * kAbout + 5);
  EXPECT_EQ(!ticks.empty(), some);
  for (const double tick : ticks) {
    EXPECT_TRUE(std::isfinite(tick));
    EXPECT_GE(tick, low);
    EXPECT_LE(tick, high);
  }
}

TEST(PlotRangeTest, TicksStayFiniteAndBounded) {
  const struct {
    double low, high;
    bool some;  // whether the range holds round multiples at all
  } kCases[] = {
      {-DBL_MAX, DBL_MAX, true},
      {0, DBL_MAX, true},
      {-DBL_MAX, -DBL_MAX / 2, true},
      {-8.98713e+306, DBL_MAX, true},
      {0, 10 * kTiny, true},
      {-3 * kTiny, 5 * kTiny, true},
      {-DBL_MIN, DBL_MIN, true},
      {-1e-310, 1e308, true},
      {1, std::nextafter(1.0, 2.0), false},
      {DBL_MAX / 2, std::nextafter(DBL_MAX / 2, DBL_MAX), false},
      {1, 1, false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(::testing::Message() << c.low << " .. " << c.high);
    ExpectFiniteTicks(c.low, c.high, c.some);
  }
}

TEST(PlotRangeTest, FunctionRangeStaysFiniteAndOpen) {
  const struct {
    double start, end;
    std::vector<double> iterates;
  } kCases[] = {
      {-DBL_MAX, DBL_MAX, {0, DBL_MAX}}, {DBL_MAX, DBL_MAX, {}}, {-DBL_MAX, -DBL_MAX, {-DBL_MAX}},
      {0, kTiny, {kTiny / 2, 0}},        {-kTiny, kTiny, {}},    {-1, DBL_MAX, {-DBL_MAX, 1}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(::testing::Message() << c.start << " .. " << c.end);
    const PlotRange range = FunctionPlotRange(c.start, c.end, c.iterates);
    EXPECT_TRUE(std::isfinite(range.left));
    EXPECT_TRUE(std::isfinite(range.right));
    EXPECT_LT(range.left, range.right);
  }
}

TEST(PlotRangeTest, StepRangeStaysFiniteAndPositive) {
  const std::vector<PlotPoint> kCases[] = {
      {{1, DBL_MAX}},
      {{1, kTiny}},
      {{1, kTiny}, {2, DBL_MAX}},
      {{1, std::numeric_limits<double>::infinity()}, {2, 0.5}},
      {},
  };
  for (const std::vector<PlotPoint>& steps : kCases) {
    core::PerMethod<StepSeries> series;
    series[1].steps = steps;
    const StepRange range = StepRangeOf(series);
    EXPECT_TRUE(std::isfinite(range.top));
    EXPECT_GT(range.bottom, 0);
    EXPECT_LT(range.bottom, range.top);
    for (const PlotPoint& step : steps) {
      if (std::isfinite(step.y)) {
        EXPECT_LE(range.bottom, step.y);
        EXPECT_GE(range.top, step.y);
      }
    }
  }
}

// Bisection overflows at its fourth pass, where f nears the largest double.
TEST(PlotRangeTest, ModelNearTheDoubleLimitHasFiniteAxes) {
  core::EstablishFloatingPointEnvironment();
  const testing::SeparatorGuard comma(",");  // the window's precision reads "0,001"
  doubles::FakeWindow window;
  window.Select(4);  // x=k*x*sin(x)-l*cos(x)
  window.SetInput(Input::kK, "1e308");
  SharedState state;
  ComparisonRun run;
  try {
    run.Execute(window, state);
  } catch (const std::exception&) {
    // The overflow ends the run; its record stays for the detail windows.
  }
  ASSERT_NE(run.LastRun(), nullptr);
  ASSERT_EQ(run.LastRun()->equation_text, "x=k*x*sin(x)-l*cos(x)");
  ASSERT_TRUE(run.LastRun()->methods[core::kBisection - 1].ran);
  for (const core::MethodEntry& method : core::kMethods) {
    if (!run.LastRun()->methods[method.number - 1].ran) continue;
    SCOPED_TRACE(method.name);
    const FunctionPlot plot = BuildFunctionPlot(*run.LastRun(), method.number, false);
    for (const double end : {plot.range.left, plot.range.right, plot.bottom, plot.top})
      EXPECT_TRUE(std::isfinite(end)) << end;
    EXPECT_LT(plot.bottom, plot.top);
    EXPECT_FALSE(NiceTicks(plot.range.left, plot.range.right, 6).empty());
    EXPECT_FALSE(NiceTicks(plot.bottom, plot.top, 8).empty());
  }
  const StepRange steps = StepRangeOf(RunSteps(*run.LastRun()));
  EXPECT_TRUE(std::isfinite(steps.top));
  EXPECT_GT(steps.bottom, 0);
}

}  // namespace
}  // namespace app
