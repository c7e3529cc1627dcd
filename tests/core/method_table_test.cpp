// SPDX-License-Identifier: GPL-3.0-or-later
// The method table says what each method does; these tests hold every row to
// what its method really does: the quantity it tests, how many passes its cap
// allows, whether it keeps a bracket and asks for f′. A row that drifts from
// its method fails here, whatever the method.
#include "core/method_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/errors.h"
#include "core/stopping_test.h"
#include "core/utf8.h"
#include "tests/doubles/fake_host.h"

namespace {

using doubles::FakeHost;

struct Case {
  const char* name;
  std::uint8_t equation;
  core::Coefficients c;
  double a;
  double eps;
  double b;
};

// Each converges on every method; the first two change sign on [a, b].
constexpr Case kConverging[] = {
    {"cos x on [1, 2]", 0, {1, 1}, 1, 0.001, 2},
    {"cos x - x on [0, 1], fine", 3, {1, 0}, 0, 1e-9, 1},
    {"cos(x*x) on [1, 1.5], coarse", 1, {1, 1}, 1, 0.1, 1.5},
};

core::MethodHistory Solve(const core::MethodEntry& method, const Case& c) {
  FakeHost host(c.equation, "0,001");
  core::MethodHistory history;
  double root = 0;
  core::run(host, c.c, method.number, root, c.a, c.eps, c.b, &history);
  return history;
}

// The loop's test and the table's quantity agree pass by pass: above eps
// after every pass but the last, at most eps after the last.
TEST(MethodTableTest, TheTestedQuantityIsWhatTheLoopTested) {
  for (const core::MethodEntry& method : core::kMethods) {
    for (const Case& c : kConverging) {
      SCOPED_TRACE(std::string(method.key) + ", " + c.name);
      const core::MethodHistory history = Solve(method, c);
      if (history.refusal) continue;  // the method's condition fails here
      ASSERT_FALSE(history.passes.empty());
      ASSERT_LT(history.passes.back().n, core::MostPasses(method));
      const double tolerance = history.setup.tolerance.value_or(c.eps);
      for (std::size_t i = 0; i < history.passes.size(); ++i) {
        const std::optional<core::Extended> quantity =
            core::TestedQuantity(method.test.quantity, history.passes[i]);
        const bool last = i + 1 == history.passes.size();
        // Simple iteration's first line has no step yet.
        if (!quantity && i == 0 && method.number == core::kSimpleIteration) continue;
        ASSERT_TRUE(quantity.has_value()) << "pass " << history.passes[i].n;
        EXPECT_EQ(*quantity > tolerance, !last) << "pass " << history.passes[i].n;
      }
    }
  }
}

struct CapCase {
  std::string_view key;
  Case inputs;
};

// A precision of -1 no test can meet; these inputs fault no method.
constexpr CapCase kAtTheCap[] = {
    {"bisection", {"cos x", 0, {1, 1}, 1, -1, 2}},
    {"chords", {"cos x", 0, {1, 1}, 1, -1, 2}},
    {"tangents", {"cos x", 0, {1, 1}, 1, -1, 2}},
    // The secants wander there without settling or faulting.
    {"secants", {"2x sin x + 2.5 cos x", 4, {2, -2.5}, 0, -1, 1}},
    {"iteration", {"cos x", 0, {1, 1}, 1, -1, 2}},
    // Its condition holds here; the two sides meet and stay together.
    {"combined", {"cos x - x", 3, {1, 0}, 0, -1, 1}},
};

TEST(MethodTableTest, EachMethodStopsAtTheCapAsItsRowCountsIt) {
  ASSERT_EQ(std::size(kAtTheCap), core::kMethods.size());
  for (const CapCase& cap : kAtTheCap) {
    SCOPED_TRACE(std::string(cap.key));
    const core::MethodEntry* method = core::FindMethodByKey(cap.key);
    ASSERT_NE(method, nullptr);
    const core::MethodHistory history = Solve(*method, cap.inputs);
    EXPECT_FALSE(history.error.has_value()) << *history.error;
    EXPECT_EQ(history.passes.back().n, core::MostPasses(*method));
    EXPECT_EQ(history.count, core::MostPasses(*method) + 1);
  }
}

TEST(MethodTableTest, BracketsAndDerivativesAreAsTheRowsSay) {
  for (const core::MethodEntry& method : core::kMethods) {
    bool ever_left = false;
    for (const Case& c : kConverging) {
      SCOPED_TRACE(std::string(method.key) + ", " + c.name);
      const core::MethodHistory history = Solve(method, c);
      if (history.refusal) continue;
      EXPECT_EQ(history.counts.df_asked > 0, method.uses_derivative);
      for (const core::PassRecord& pass : history.passes) {
        bool kept = pass.a && pass.b;
        if (kept) {
          const double fa = core::f(c.equation, *pass.a, c.c);
          const double fb = core::f(c.equation, *pass.b, c.c);
          kept = !((fa > 0 && fb > 0) || (fa < 0 && fb < 0));
        }
        if (method.keeps_bracket) {
          EXPECT_TRUE(kept) << "pass " << pass.n;
        }
        ever_left = ever_left || !kept;
      }
    }
    // A row that says "no bracket" is borne out by some case.
    EXPECT_EQ(ever_left, !method.keeps_bracket) << method.key;
  }
}

TEST(MethodTableTest, EveryRowIsComplete) {
  std::vector<std::string_view> keys;
  for (const core::MethodEntry& method : core::kMethods) {
    SCOPED_TRACE(std::string(method.key));
    EXPECT_EQ(core::FindMethod(method.number), &method);
    EXPECT_EQ(core::FindMethodByKey(method.key), &method);
    EXPECT_EQ(&core::EntryOf(method.number), &method);
    for (const std::string_view text :
         {method.key, method.name, method.short_name, method.of_name, method.test.name})
      EXPECT_FALSE(text.empty());
    for (const char c : method.key) EXPECT_TRUE((c >= 'a' && c <= 'z') || c == '_') << c;
    EXPECT_NE(method.function, nullptr);
    EXPECT_GE(method.expected_order, 1);
    EXPECT_EQ(std::count(keys.begin(), keys.end(), method.key), 0);
    keys.push_back(method.key);
  }
  EXPECT_EQ(core::FindMethod(0), nullptr);
  EXPECT_EQ(core::FindMethodByKey("newton"), nullptr);
}

TEST(MethodSetTest, KeepsTheTablesOrderAndEachMethodOnce) {
  const struct {
    const char* name;
    std::vector<std::uint8_t> added;
    std::vector<core::Method> expected;
  } kCases[] = {
      {"empty", {}, {}},
      {"reversed", {core::kSecants, core::kBisection}, {core::kBisection, core::kSecants}},
      {"twice", {core::kChords, core::kChords, core::kTangents}, {core::kChords, core::kTangents}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    core::MethodSet set;
    for (const std::uint8_t method : c.added) set.Add(method);
    EXPECT_EQ(std::vector<core::Method>(set.begin(), set.end()), c.expected);
    EXPECT_EQ(set.size(), c.expected.size());
    for (const core::MethodEntry& entry : core::kMethods)
      EXPECT_EQ(set.Contains(entry.number),
                std::count(c.expected.begin(), c.expected.end(), entry.number) == 1);
  }
  // The main window's four, in the order of its results table.
  const core::MethodSet specified = core::MethodSet::Specified();
  EXPECT_EQ(std::vector<core::Method>(specified.begin(), specified.end()),
            (std::vector<core::Method>{core::kBisection, core::kChords, core::kTangents,
                                       core::kSecants}));
  for (const core::MethodEntry& entry : core::kMethods)
    EXPECT_EQ(specified.Contains(entry.number), entry.specified) << entry.key;
}

TEST(PerMethodTest, AMethodsValueIsAtItsRow) {
  core::PerMethod<int> values{};
  for (const core::MethodEntry& entry : core::kMethods)
    core::ForMethod(values, entry.number) = entry.number * 10;
  for (std::size_t i = 0; i < values.size(); ++i)
    EXPECT_EQ(values[i], core::kMethods[i].number * 10);
  EXPECT_THROW(core::ForMethod(values, 0), std::out_of_range);
}

TEST(Utf8Test, CountsCharactersNotBytes) {
  const struct {
    std::string_view text;
    std::size_t characters;
    std::size_t byte_of_second;
  } kCases[] = {
      {"", 0, 0},     {"x^2", 3, 1}, {"Метод", 5, 2},  // two bytes a letter
      {"€+1", 3, 3},                                   // three
      {"😀x", 2, 4},                                    // four
      {"a\tb", 3, 1},                                  // a tab is one character
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(core::CharacterCount(c.text), c.characters) << c.text;
    EXPECT_EQ(core::ByteOfCharacter(c.text, 1), c.byte_of_second) << c.text;
  }
}

}  // namespace
