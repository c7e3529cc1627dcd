// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/history.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/extended.h"
#include "core/method_table.h"
#include "tests/doubles/fake_host.h"

namespace {

using doubles::FakeHost;

constexpr core::Coefficients kUnit{1, 1};  // f(x) = cos x with equation 0

std::vector<double> Approximations(const core::MethodHistory& history) {
  std::vector<double> xs;
  for (const core::PassRecord& pass : history.passes) xs.push_back(pass.x);
  return xs;
}

// The history is the method's own sequence of approximations: for bisection,
// chords and secants the values the root variable takes (the host sees each
// at the next evaluation; the secants' last one only after the method);
// tangents keep theirs in a local variable, so each line must instead yield
// the next by the tangent formula from the f and f′ written beside it. Each
// f(x_n) is the value at x_n, and the last approximation is the root.
TEST(HistoryTest, IsTheSequenceOfApproximations) {
  constexpr double kUntouched = -7;  // no method forms it on [1, 2]
  for (const double eps : {0.001, -1.0}) {
    for (const core::MethodEntry& method : core::kMethods) {
      // The methods added beyond the four have their own history tests.
      if (!method.specified) continue;
      SCOPED_TRACE(std::string(method.key) + (eps < 0 ? " at the caps" : ""));
      FakeHost host;
      core::MethodHistory history;
      core::Evaluator eq(host, kUnit, &history);
      double x = kUntouched;
      host.watched_root = &x;
      try {
        method.function(eq, x, core::MethodInputs{1, eps, 2, core::MethodParameters{}});
      } catch (const core::EInvalidOp&) {
        EXPECT_EQ(method.number, core::kSecants);  // 0 / 0 once they settle
      }
      eq.FinishHistory();

      const std::vector<double> xs = Approximations(history);
      ASSERT_FALSE(xs.empty());
      EXPECT_EQ(xs.back(), x);
      for (const core::PassRecord& pass : history.passes) {
        ASSERT_TRUE(pass.fx.has_value());
        EXPECT_EQ(*pass.fx, core::f(0, pass.x, kUnit));
      }
      if (method.number == core::kTangents) {
        for (std::size_t n = 0; n + 1 < xs.size(); ++n) {
          const core::PassRecord& pass = history.passes[n];
          ASSERT_TRUE(pass.dfx.has_value());
          EXPECT_EQ((xs[n] - core::Extended(*pass.fx) / *pass.dfx).ToDouble(), xs[n + 1]);
        }
        continue;
      }
      std::vector<double> assigned = host.trail;
      if (!assigned.empty() && assigned.front() == kUntouched) assigned.erase(assigned.begin());
      if (assigned.empty() || assigned.back() != x) assigned.push_back(x);
      std::vector<double> distinct = xs;  // the host sees a repeated value once
      distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
      EXPECT_EQ(distinct, assigned);
    }
  }
}

// What run() records beside the passes: the inputs, the counts, the outcome.
// A method that ends in an error keeps the passes it made and the message; an
// error in the rounding comes after a complete history.
TEST(HistoryTest, OutcomeAndPartialHistories) {
  const struct {
    const char* name;
    std::uint8_t method;
    double start;
    const char* precision_text;
    double eps;
    std::size_t passes;
    const char* error;  // null: the method completes
  } cases[] = {
      {"defaults", core::kChords, 1, "0,001", 0.001, 3, nullptr},
      {"f'(start) = 0", core::kTangents, 0, "0,001", 0.001, 1, "Floating point division by zero"},
      {"start = end", core::kChords, 2, "0,001", 0.001, 0, "Floating point division by zero"},
      {"settled secants", core::kSecants, 1, "-1", -1, 6, "Invalid floating point operation"},
      {"rounding beyond int64", core::kSecants, 1, "0,0000000000000000001", 1e-19, 6,
       "Invalid floating point operation"},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    FakeHost host(0, test.precision_text);
    core::MethodHistory history;
    double root = 0;
    try {
      EXPECT_EQ(core::run(host, kUnit, test.method, root, test.start, test.eps, 2, &history),
                history.count);
      EXPECT_EQ(test.error, nullptr);
    } catch (const core::Exception& error) {
      EXPECT_EQ(error.Message(), test.error);
    }
    EXPECT_TRUE(history.ran);
    EXPECT_EQ(history.method, test.method);
    EXPECT_EQ(history.start, test.start);
    EXPECT_EQ(history.precision, test.eps);
    EXPECT_EQ(history.end, 2);
    EXPECT_EQ(history.passes.size(), test.passes);
    EXPECT_EQ(history.error.has_value(), test.error != nullptr);
    EXPECT_EQ(history.count.has_value(), test.error == nullptr);
    if (test.error == nullptr) {
      EXPECT_EQ(history.root, root);
    } else if (!history.passes.empty()) {
      EXPECT_EQ(history.passes.back().x, root);  // unrounded: the fault came first
    }
    EXPECT_EQ(history.counts.f_asked + history.counts.df_asked, host.equation_reads);
  }
}

// The design defaults, f(x) = cos x on [1, 2] to 0.001: what the formulas ask
// for and what is really computed. Remembering f_ too, tangents at the caps
// compute five derivatives, not 5,000.
TEST(HistoryTest, EvaluationCounts) {
  const struct {
    const char* name;
    std::uint8_t method;
    double eps;
    core::EvaluationCounts counts;
  } cases[] = {
      {"bisection", core::kBisection, 0.001, {20, 11, 0, 0}},
      {"chords", core::kChords, 0.001, {16, 4, 0, 0}},
      {"tangents", core::kTangents, 0.001, {5, 3, 2, 2}},
      {"secants", core::kSecants, 0.001, {9, 4, 0, 0}},
      {"tangents at the cap", core::kTangents, -1, {10001, 5, 5000, 5}},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    FakeHost host;
    core::MethodHistory history;
    double root = 0;
    core::run(host, kUnit, test.method, root, 1, test.eps, 2, &history);
    const core::EvaluationCounts& counts = history.counts;
    EXPECT_EQ(counts.f_asked, test.counts.f_asked);
    EXPECT_EQ(counts.f_computed, test.counts.f_computed);
    EXPECT_EQ(counts.df_asked, test.counts.df_asked);
    EXPECT_EQ(counts.df_computed, test.counts.df_computed);
  }
}

}  // namespace
