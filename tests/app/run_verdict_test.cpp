// SPDX-License-Identifier: GPL-3.0-or-later
// What the detail window says about a run, through the functions the window
// calls: the verdict of each case that once misled, the order shown or
// withheld, the reference root, the error columns, the fair comparison, and
// the plot's band, chord and bars.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "app/convergence_series.h"
#include "app/equal_accuracy.h"
#include "app/function_sampling.h"
#include "app/method_analysis.h"
#include "app/method_efficiency.h"
#include "app/method_geometry.h"
#include "app/pass_table.h"
#include "app/reference_root.h"
#include "core/errors.h"
#include "core/floating_point_environment.h"
#include "core/method_table.h"
#include "tests/app/separator_guard.h"
#include "tests/doubles/fake_window.h"

namespace app {
namespace {

struct Inputs {
  std::uint8_t equation;
  const char* k;
  const char* l;
  const char* start;
  const char* precision;
  const char* end;
};

constexpr Inputs kDefaults = {0, "1", "1", "1", "0,001", "2"};
constexpr Inputs kNoRoot = {8, "1", "1,5", "1", "0,001", "2"};
constexpr Inputs kCycle = {4, "3", "-2", "-1", "0,001", "2"};
constexpr Inputs kFarRoot = {0, "1", "1", "0,1", "0,001", "2"};
constexpr Inputs kDoubleRoot = {8, "1", "1", "2", "0,0000001", "4"};
constexpr Inputs kTooFine = {0, "1", "1", "1", "1e-20", "2"};
constexpr Inputs kNegative = {0, "1", "1", "1", "-1", "2"};
constexpr Inputs kFlatStart = {0, "1", "1", "0", "0,001", "2"};
constexpr Inputs kCosMinusX = {3, "1", "0", "0", "0,0000001", "1"};
constexpr Inputs kReflected = {0, "1", "1", "2", "0,001", "4"};
constexpr Inputs kFineDefaults = {0, "1", "1", "1", "0,0000001", "2"};
constexpr Inputs kWideSecants = {0, "1", "1", "1", "0,001", "5"};

// The comparison run as the compute command makes it; an error ends it as it
// ends the program's.
std::shared_ptr<const RunRecord> Compute(const Inputs& inputs) {
  core::EstablishFloatingPointEnvironment();
  doubles::FakeWindow window;
  window.Select(inputs.equation);
  window.SetInput(Input::kK, inputs.k);
  window.SetInput(Input::kL, inputs.l);
  window.SetInput(Input::kStart, inputs.start);
  window.SetInput(Input::kPrecision, inputs.precision);
  window.SetInput(Input::kEnd, inputs.end);
  return doubles::RunComparison(window);
}

class RunVerdictTest : public ::testing::Test {
 protected:
  testing::SeparatorGuard comma_{","};
};

TEST_F(RunVerdictTest, EachCaseGetsItsVerdict) {
  const struct {
    const char* name;
    Inputs inputs;
    std::uint8_t method;
    Outcome outcome;
    const char* says;  // the key figure, as the verdict line writes it
  } kCases[] = {
      {"converged", kDefaults, core::kTangents, Outcome::kConverged, "|f(xₙ)| = 0,000121 ≤ 0,001"},
      {"at the cap", kNoRoot, core::kTangents, Outcome::kIterationCap, "предел в 5000 проходов"},
      {"cycling", kCycle, core::kTangents, Outcome::kCycle, "периодом 2"},
      {"cycling, f at the last point", kCycle, core::kTangents, Outcome::kCycle, "f(xₙ) = 3,535"},
      {"outside the interval", kFarRoot, core::kTangents, Outcome::kConverged,
       "xₙ = 10,99558 лежит вне отрезка"},
      {"double root", kDoubleRoot, core::kTangents, Outcome::kMultipleRoot, "кратность m ≈ 2"},
      {"test held on no root", kNoRoot, core::kBisection, Outcome::kNotARoot,
       "f(xₙ) = 1,085, и f(начало) и f(конец) одного знака"},
      {"below double resolution", kTooFine, core::kBisection, Outcome::kPrecisionUnreachable,
       "меньше, чем различает double"},
      {"below double resolution, |f|", kTooFine, core::kTangents, Outcome::kPrecisionUnreachable,
       "|f(xₙ)| ≤ 1E-20 невыполнима"},
      {"held only at a zero step", kTooFine, core::kSecants, Outcome::kConverged,
       "величина стала нулём"},
      {"negative precision", kNegative, core::kChords, Outcome::kPrecisionUnreachable,
       "не положительна"},
      {"error after the last row, once they ran away", kNoRoot, core::kSecants, Outcome::kDiverged,
       "на проходе 48, после последней строки таблицы"},
      {"error at the first step", kFlatStart, core::kTangents, Outcome::kError, "на проходе 1"},
      {"stopped by an earlier error", kFlatStart, core::kSecants, Outcome::kNotRun,
       "не запускался"},
  };
  for (const auto& c : kCases) {
    const std::shared_ptr<const RunRecord> run = Compute(c.inputs);
    const Verdict verdict = Analyse(*run, c.method).verdict;
    EXPECT_EQ(verdict.outcome, c.outcome) << c.name;
    EXPECT_NE(VerdictText(verdict).find(c.says), std::string::npos)
        << c.name << ": " << VerdictText(verdict);
  }
}

TEST_F(RunVerdictTest, IteratesGrowingWithoutBoundDiverge) {
  RunRecord run;
  run.k = 1;
  run.l = 1;
  core::MethodHistory& history = run.methods[core::kTangents - 1];
  history.method = core::kTangents;
  history.ran = true;
  history.start = 1;
  history.end = 2;
  history.precision = 1e-3;
  for (std::int32_t n = 0; n < 12; ++n) {
    core::PassRecord pass;
    pass.n = n;
    pass.x = std::pow(10.0, n);
    pass.fx = 0.5;
    history.passes.push_back(pass);
  }
  EXPECT_EQ(JudgeRun(run, history).outcome, Outcome::kDiverged);
}

TEST_F(RunVerdictTest, OrderIsShownOnlyWhereItMeansSomething) {
  const struct {
    const char* name;
    Inputs inputs;
    std::uint8_t method;
    std::optional<double> order;
    double tolerance;
    const char* says;
  } kCases[] = {
      {"tangents", kCosMinusX, core::kTangents, 2.0, 0.05, "q ≈ 2"},
      {"secants", kCosMinusX, core::kSecants, 1.618, 0.1, "q ≈ 1,6"},
      {"bisection", kCosMinusX, core::kBisection, 1.0, 1e-9, "q ≈ 1."},
      {"tangents at an inflection point", kFineDefaults, core::kTangents, 3.0, 0.1, "перегиба"},
      {"tangents, too few passes to settle", kDefaults, core::kTangents, std::nullopt, 0,
       "двух согласных оценок"},
      {"secants on their way in", kWideSecants, core::kSecants, std::nullopt, 0, "не указан"},
      {"chords without a root", kNoRoot, core::kChords, std::nullopt, 0, "не указан"},
      {"tangents without a root", kNoRoot, core::kTangents, std::nullopt, 0, "не указан"},
      {"cycling", kCycle, core::kTangents, std::nullopt, 0, "не указан"},
      {"double root", kDoubleRoot, core::kTangents, std::nullopt, 0, "линейно"},
  };
  for (const auto& c : kCases) {
    const MethodAnalysis analysis = Analyse(*Compute(c.inputs), c.method);
    ASSERT_EQ(analysis.order.has_value(), c.order.has_value()) << c.name;
    EXPECT_NEAR(analysis.order.value_or(0), c.order.value_or(0), c.tolerance) << c.name;
    EXPECT_NE(OrderText(analysis).find(c.says), std::string::npos)
        << c.name << ": " << OrderText(analysis);
    // Not even a pass's qₙ where the run found no root.
    if (!FoundRoot(analysis.verdict.outcome)) {
      for (const PassMeasure& pass : analysis.measures.passes) EXPECT_FALSE(pass.q) << c.name;
    }
  }
}

TEST_F(RunVerdictTest, LocalOrderNeedsThreeStrictlyDecreasingValues) {
  const struct {
    const char* name;
    std::vector<std::optional<double>> steps;
    std::optional<double> q;
  } kCases[] = {
      {"halving", {std::nullopt, 0.5, 0.25, 0.125, 0.0625}, 1.0},
      {"squaring", {std::nullopt, 1e-1, 1e-2, 1e-4}, 2.0},
      {"two steps", {std::nullopt, 1e-1, 1e-2}, std::nullopt},
      {"a zero step", {std::nullopt, 1e-1, 1e-2, 0.0}, std::nullopt},
      {"equal steps", {std::nullopt, 1e-1, 1e-1, 1e-2}, std::nullopt},
      {"growing", {std::nullopt, 1e-2, 1e-1, 1e-3}, std::nullopt},
      {"at rounding noise", {std::nullopt, 1e-10, 1e-13, 1e-16}, std::nullopt},
  };
  for (const auto& c : kCases) {
    core::MethodHistory history;
    history.method = core::kSecants;
    for (std::size_t n = 0; n < c.steps.size(); ++n) {
      core::PassRecord pass;
      pass.n = static_cast<std::int32_t>(n);
      pass.x = 1;
      pass.step = c.steps[n];
      history.passes.push_back(pass);
    }
    const std::optional<double> q = MeasurePasses(history, std::nullopt).passes.back().q;
    ASSERT_EQ(q.has_value(), c.q.has_value()) << c.name;
    EXPECT_NEAR(q.value_or(0), c.q.value_or(0), 1e-12) << c.name;
  }
}

TEST_F(RunVerdictTest, ReferenceRootIsRefinedInsideASignChangeOnly) {
  const long double kRoot = 0.739085133215160641655312087673873404L;  // cos x = x
  const std::shared_ptr<const RunRecord> run = Compute(kCosMinusX);
  for (const core::Method method : run->method_set) {
    const std::optional<long double> reference = Analyse(*run, method).reference;
    ASSERT_TRUE(reference.has_value()) << core::EntryOf(method).key;
    EXPECT_LT(std::fabs(*reference - kRoot) / kRoot, 1e-18L) << core::EntryOf(method).key;
  }
  const ExtendedFunction no_root = [](long double x) { return cosl(x) + 1.5L; };
  const ExtendedFunction slope = [](long double x) { return -sinl(x); };
  EXPECT_FALSE(RefineRoot(no_root, slope, 3, 10).has_value());
  // cos x + 1 touches the axis at π without crossing it.
  const std::shared_ptr<const RunRecord> touching = Compute(kDoubleRoot);
  EXPECT_FALSE(ReferenceRoot(*touching, touching->methods[core::kTangents - 1]).has_value());
}

TEST_F(RunVerdictTest, PassTableShowsTheTestTheErrorAndBisectionsStartingRow) {
  const std::shared_ptr<const RunRecord> run = Compute(kDefaults);
  const core::MethodHistory& bisection = run->methods[core::kBisection - 1];
  const MethodAnalysis analysis = Analyse(*run, core::kBisection);
  const PassTable table(bisection, &analysis.measures);
  const auto lines = table.AllLines();
  EXPECT_EQ(lines[0],
            (std::vector<std::string>{"n", "a", "b", "xₙ", "f(xₙ)", "|xₙ − xₙ₋₁|", "|b − a| (тест)",
                                      "|xₙ − x*|", "верн. цифр", "qₙ"}));
  EXPECT_EQ(table.RowCount(), *bisection.count);  // rows 0 to count − 1
  EXPECT_EQ(lines[1], (std::vector<std::string>{"0", "1", "2", "", "", "", "1", "", "", ""}));
  const std::vector<std::string>& last = lines.back();
  EXPECT_EQ(last[0], "10");
  EXPECT_EQ(last[6], "0,0009765625");  // the test comes true: ≤ 0,001
  EXPECT_EQ(last[8], "3");
  EXPECT_EQ(last[9], "1");
  // A cell shortened for the screen; the copy keeps every digit.
  EXPECT_EQ(table.Cell(10, 7), "0,000492735705103381");
  EXPECT_EQ(table.ShortCell(10, 7), "0,000493");
  EXPECT_EQ(table.ShortCell(10, 3), "1,5712891");
}

TEST_F(RunVerdictTest, ComparisonCountsWorkNotPasses) {
  const std::shared_ptr<const RunRecord> run = Compute(kCosMinusX);
  const RunAnalyses analyses = AnalyseRun(*run);
  const std::vector<EfficiencyRow> rows = CompareEfficiency(*run, analyses);
  const struct {
    std::uint8_t method;
    double index;
  } kCases[] = {{core::kBisection, 1}, {core::kTangents, 1.414}, {core::kSecants, 1.618}};
  for (const auto& c : kCases)
    EXPECT_NEAR(rows[c.method - 1].efficiency_index.value_or(0), c.index, 0.05) << int(c.method);
  EXPECT_EQ(FastestMethod(*run), core::kTangents);
  // All four found the one root of cos x = x, so all four are weighed.
  EXPECT_EQ(CompareAtEqualAccuracy(*run, analyses).compared.size(), 4u);
}

TEST_F(RunVerdictTest, FastOscillationFillsABandInsteadOfAliasing) {
  const auto f = [](double x) -> std::optional<double> { return std::cos(x * x * x); };
  const std::vector<BandPiece> band = SampleBand(f, 0, 11.6, 400, 16);
  ASSERT_EQ(band.size(), 1u);
  ASSERT_EQ(band[0].low.size(), 400u);  // a column for each of the 400 pixels
  ASSERT_EQ(band[0].high.size(), 400u);
  int fast = 0;
  int smooth = 0;
  for (std::size_t i = 0; i < band[0].low.size(); ++i) {
    const double x = band[0].low[i].x;
    const double swing = band[0].high[i].y - band[0].low[i].y;
    if (x > 8.3) {
      EXPECT_GT(swing, 1.5) << x;  // where the period nears the column
      ++fast;
    } else if (x < 0.5) {
      EXPECT_LT(swing, 0.01) << x;  // smooth: a line
      ++smooth;
    }
  }
  // Columns 0.029 wide: x > 8.3 holds the last 114, x < 0.5 the first 17.
  EXPECT_EQ(fast, 114);
  EXPECT_EQ(smooth, 17);
}

TEST_F(RunVerdictTest, ColumnsWhereFRaisesBreakTheBand) {
  const auto f = [](double x) -> std::optional<double> {
    if (x > 2 && x < 3) return std::nullopt;
    return x;
  };
  const std::vector<BandPiece> pieces = SampleBand(f, 0, 5, 5, 4);
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[0].low.size(), 2u);
  EXPECT_EQ(pieces[1].high.front().x, 3.5);
}

TEST_F(RunVerdictTest, PlotDrawsWhatTheMethodDid) {
  const std::shared_ptr<const RunRecord> reflected = Compute(kReflected);
  const FunctionPlot chords = BuildFunctionPlot(*reflected, core::kChords, true);
  ASSERT_FALSE(chords.reflections.empty());
  EXPECT_EQ(chords.reflections[0].landed, reflected->methods[core::kChords - 1].passes[0].x);
  EXPECT_NEAR(chords.reflections[0].crossing, -1.504, 1e-3);
  EXPECT_NEAR(chords.reflections[0].landed, 5.504, 1e-3);

  const std::shared_ptr<const RunRecord> defaults = Compute(kDefaults);
  const FunctionPlot bisection = BuildFunctionPlot(*defaults, core::kBisection, true);
  ASSERT_GE(bisection.brackets.size(), 2u);
  EXPECT_EQ(bisection.brackets[0].left, 1);
  EXPECT_EQ(bisection.brackets[1].left, 1.5);
  EXPECT_LT(bisection.brackets[1].y, bisection.brackets[0].y);
  EXPECT_TRUE(bisection.root.has_value());

  const std::shared_ptr<const RunRecord> cycle = Compute(kCycle);
  const Outcome outcome = Analyse(*cycle, core::kTangents).verdict.outcome;
  const FunctionPlot tangents = BuildFunctionPlot(*cycle, core::kTangents, FoundRoot(outcome));
  EXPECT_FALSE(tangents.root.has_value());
  ASSERT_TRUE(tangents.last_point.has_value());
  EXPECT_NEAR(tangents.last_point->y, 3.535, 1e-3);
}

}  // namespace
}  // namespace app
