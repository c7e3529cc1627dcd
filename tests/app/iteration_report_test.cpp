// SPDX-License-Identifier: GPL-3.0-or-later
// The plain parts of the detail window: the pass table's columns and text,
// delimited text and CSV, the counts' wording, the warning about the
// interval, and what the plots draw.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "app/convergence_series.h"
#include "app/function_sampling.h"
#include "app/method_geometry.h"
#include "app/method_report.h"
#include "app/pass_table.h"
#include "core/floating_point_environment.h"
#include "core/root_finding.h"
#include "tests/app/separator_guard.h"

namespace app {
namespace {

using Lines = std::vector<std::vector<std::string>>;
using Maybe = std::optional<double>;
constexpr std::nullopt_t _ = std::nullopt;

core::PassRecord Pass(std::int32_t n, Maybe a, Maybe b, double x, Maybe fx, Maybe dfx, Maybe step) {
  core::PassRecord pass;
  pass.n = n;
  pass.a = a;
  pass.b = b;
  pass.x = x;
  pass.fx = fx;
  pass.dfx = dfx;
  pass.step = step;
  return pass;
}

TEST(PassTableTest, ShowsTheColumnsTheMethodRecords) {
  const testing::SeparatorGuard comma(",");
  core::MethodHistory chords;
  chords.passes = {Pass(0, 1, 2, 1.5, 0.25, _, _), Pass(1, 1.5, 2, 1.75, _, _, 0.25)};
  core::MethodHistory tangents;
  tangents.passes = {Pass(0, _, _, 1, -0.5, 2, _)};
  const struct {
    const core::MethodHistory& history;
    Lines lines;
  } kCases[] = {
      {chords,
       {{"n", "a", "b", "xₙ", "f(xₙ)", "|xₙ − xₙ₋₁|"},
        {"0", "1", "2", "1,5", "0,25", ""},
        {"1", "1,5", "2", "1,75", "", "0,25"}}},
      {tangents, {{"n", "xₙ", "f(xₙ)", "f′(xₙ)", "|xₙ − xₙ₋₁|"}, {"0", "1", "-0,5", "2", ""}}},
  };
  for (const auto& c : kCases) EXPECT_EQ(PassTable(c.history).AllLines(), c.lines);
  EXPECT_EQ(PassTable(chords).Lines(1, 1, 3, 4), (Lines{{"xₙ", "f(xₙ)"}, {"1,75", ""}}));
}

TEST(DelimitedTextTest, QuotesOnlyWhatNeedsIt) {
  const Lines lines = {{"1,5", "a;b", "say \"x\""}, {"", "two\nlines"}};
  EXPECT_EQ(DelimitedText(lines, ";", "\r\n"),
            "1,5;\"a;b\";\"say \"\"x\"\"\"\r\n;\"two\nlines\"\r\n");
  EXPECT_EQ(TabSeparatedText({{"1,5", "2"}}), "1,5\t2\n");
  EXPECT_EQ(CsvFieldSeparator(","), ";");
  EXPECT_EQ(CsvFieldSeparator("."), ",");
  EXPECT_EQ(CsvFieldSeparator(testing::kArabicSeparator), ",");
  const testing::SeparatorGuard comma(",");
  EXPECT_EQ(CsvText({{"n", "x"}, {"0", "1,5"}}), "\xEF\xBB\xBFn;x\r\n0;1,5\r\n");
}

TEST(MethodReportTest, CountsInRussian) {
  const struct {
    std::int64_t asked;
    const char* text;
  } kCases[] = {{1, "f вычислена 1 раз, из них заново 1"},
                {2, "f вычислена 2 раза, из них заново 1"},
                {5, "f вычислена 5 раз, из них заново 1"},
                {12, "f вычислена 12 раз, из них заново 1"},
                {22, "f вычислена 22 раза, из них заново 1"},
                {10001, "f вычислена 10001 раз, из них заново 1"}};
  for (const auto& c : kCases) EXPECT_EQ(EvaluationCountText("f", c.asked, 1), c.text);
  EXPECT_EQ(EvaluationCountText("f′", 0, 0), "f′ не вычислялась");
}

TEST(MethodReportTest, WarnsOfAnIntervalWithoutSignChange) {
  core::EstablishFloatingPointEnvironment();
  RunRecord run;
  run.k = 1;
  run.l = 1;  // f = cos x: negative at 2 and 3, positive at 1
  const struct {
    std::uint8_t method;
    double start, end;
    bool warns;
  } kCases[] = {{core::kBisection, 1, 2, false},
                {core::kBisection, 2, 3, true},
                {core::kChords, 3, 2, true},
                {core::kTangents, 2, 3, false}};
  for (const auto& c : kCases) {
    core::MethodHistory history;
    history.method = c.method;
    history.start = c.start;
    history.end = c.end;
    EXPECT_EQ(StartsWithoutSignChange(run, history), c.warns) << c.start << " " << c.end;
  }
}

TEST(FunctionPlotTest, RangeWidensToNearIteratesOnly) {
  const struct {
    std::vector<double> iterates;
    double left, right;
    int outside;
  } kCases[] = {
      {{1.5}, 0.95, 2.05, 0},            // inside: [1, 2] and a margin
      {{0, 1.5}, -0.1, 2.1, 0},          // widened to 0
      {{1.5, 1e6, -50}, 0.95, 2.05, 2},  // run far away: counted, left out
  };
  for (const auto& c : kCases) {
    const PlotRange range = FunctionPlotRange(1, 2, c.iterates);
    EXPECT_NEAR(range.left, c.left, 1e-12);
    EXPECT_NEAR(range.right, c.right, 1e-12);
    EXPECT_EQ(range.iterates_outside, c.outside);
  }
}

TEST(FunctionPlotTest, PointsWhereFRaisesBreakTheCurve) {
  // Fails at 2 and 3 of 0..5: the pieces are {0, 1} and {4, 5}.
  const auto f = [](double x) -> std::optional<double> {
    if (x == 2 || x == 3) return std::nullopt;
    return x;
  };
  const std::vector<CurvePiece> pieces = SampleFunction(f, 0, 5, 6);
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[0].size(), 2u);
  EXPECT_EQ(pieces[1].front().x, 4);
}

TEST(FunctionPlotTest, TicksAreRoundMultiples) {
  EXPECT_EQ(NiceTicks(-0.5, 0.6, 5), (std::vector<double>{-0.4, -0.2, 0, 0.2 * 1, 0.2 * 2}));
  EXPECT_FALSE(std::signbit(NiceTicks(-1, 1, 4)[2]));  // "0", never "-0"
  EXPECT_EQ(NiceTicks(0, 5001, 5), (std::vector<double>{0, 1000, 2000, 3000, 4000, 5000}));
}

TEST(FunctionPlotTest, ConvergencePlotEndsSoonAfterTheLastNonzeroStep) {
  core::PerMethod<StepSeries> series;
  series[0].steps = {{1, 0.5}, {2, 0.25}};
  series[2].steps = {{1, 0.1}, {3, 1e-9}};
  for (std::int32_t n = 4; n <= 5000; ++n) series[2].zero_steps.push_back(n);
  const ConvergenceExtent extent = ConvergenceExtentOf(series);
  EXPECT_EQ(extent.shown, 13);
  EXPECT_EQ(extent.last, 5000);
}

}  // namespace
}  // namespace app
