// SPDX-License-Identifier: GPL-3.0-or-later
// Where each start leads: the strip sorts each start of tangents by the
// verdict on its run. The classic arctangent has its threshold where
// Newton's steps overshoot for ever; equation 4 with k = 3, l = −2 has starts
// that cycle.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>

#include "app/comparison_run.h"
#include "app/start_basins.h"
#include "core/errors.h"
#include "core/expression/formula.h"
#include "core/floating_point_environment.h"
#include "core/method_table.h"
#include "tests/app/separator_guard.h"
#include "tests/doubles/fake_window.h"

namespace app {
namespace {

// The fake main window with a typed formula in place of the list.
class TypedFormulaWindow : public doubles::FakeWindow {
 public:
  explicit TypedFormulaWindow(const std::string& formula)
      : formula_(core::expression::Formula::Parse(formula)) {}
  core::EquationSource SelectedSource() const override { return core::EquationSource(formula_); }

 private:
  std::shared_ptr<const core::expression::Formula> formula_;
};

std::shared_ptr<const RunRecord> Compute(doubles::FakeWindow& window, const char* k,
                                         const char* l) {
  core::EstablishFloatingPointEnvironment();
  window.SetInput(Input::kK, k);
  window.SetInput(Input::kL, l);
  window.SetInput(Input::kStart, "1");
  window.SetInput(Input::kEnd, "2");
  return doubles::RunComparison(window);
}

BasinStrip Strip(const RunRecord& run, double left, double right) {
  const JobControl control;
  return ComputeBasins(run, core::kTangents, left, right, kBasinStarts, control);
}

class StartBasinsTest : public ::testing::Test {
 protected:
  testing::SeparatorGuard comma_{","};
};

// Newton's method on atan(x) converges to 0 from |x₀| < 1,3917 and runs
// away beyond: the strip switches there, within a start's width.
TEST_F(StartBasinsTest, ArctangentSwitchesAtItsThreshold) {
  TypedFormulaWindow window("atan(x)");
  const std::shared_ptr<const RunRecord> run = Compute(window, "1", "1");
  const BasinStrip strip = Strip(*run, -3, 3);
  ASSERT_EQ(strip.starts.size(), static_cast<std::size_t>(kBasinStarts));
  const struct {
    const char* name;
    double threshold;
  } kSides[] = {{"negative side", -1.3917}, {"positive side", 1.3917}};
  // The switches: the middles between neighbouring starts of two outcomes.
  std::vector<std::pair<double, std::pair<StartFate, StartFate>>> switches;
  for (std::size_t i = 1; i < strip.starts.size(); ++i) {
    const BasinOutcome& before = strip.outcomes[strip.outcome_of_start[i - 1]];
    const BasinOutcome& after = strip.outcomes[strip.outcome_of_start[i]];
    if (strip.outcome_of_start[i - 1] != strip.outcome_of_start[i])
      switches.push_back({(strip.starts[i - 1] + strip.starts[i]) / 2, {before.fate, after.fate}});
  }
  ASSERT_EQ(switches.size(), 2u) << BasinDescription(strip);
  EXPECT_EQ(switches[0].second, std::pair(StartFate::kDiverges, StartFate::kRoot));
  EXPECT_EQ(switches[1].second, std::pair(StartFate::kRoot, StartFate::kDiverges));
  for (std::size_t side = 0; side < 2; ++side)
    EXPECT_NEAR(switches[side].first, kSides[side].threshold, 0.01) << kSides[side].name;
  const BasinOutcome& middle = strip.outcomes[strip.outcome_of_start[kBasinStarts / 2]];
  ASSERT_TRUE(middle.root.has_value());
  EXPECT_EQ(OutcomeText(middle), "сходится к корню 0") << BasinDescription(strip);
}

TEST_F(StartBasinsTest, EquationFourHasCyclingStarts) {
  doubles::FakeWindow window;
  window.Select(4);
  const std::shared_ptr<const RunRecord> run = Compute(window, "3", "-2");
  const BasinStrip strip = Strip(*run, -3, 3);
  std::size_t cycling = 0;
  for (const std::size_t outcome : strip.outcome_of_start)
    cycling += strip.outcomes[outcome].fate == StartFate::kCycle ? 1 : 0;
  EXPECT_GT(cycling, 0u) << BasinDescription(strip);
  // Hundreds of intervals: a screen reader hears the first ones and how
  // many more the table holds.
  ASSERT_GT(strip.intervals.size(), kDescribedIntervals);
  const std::string description = BasinDescription(strip);
  const std::string more =
      "; и ещё " + std::to_string(strip.intervals.size() - kDescribedIntervals) + " отрезков до ";
  EXPECT_NE(description.find(more), std::string::npos) << description;
  EXPECT_EQ(BasinTable(strip).size(), strip.intervals.size() + 1);
}

}  // namespace
}  // namespace app
