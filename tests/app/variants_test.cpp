// SPDX-License-Identifier: GPL-3.0-or-later
// Variants for a class: reproducible from the seed, every interval brackets
// one sign change, and the four methods converge on every variant.
#include "app/variants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <set>

#include "app/number_text.h"
#include "app/pass_table.h"
#include "app/table_window.h"
#include "core/equations.h"
#include "core/errors.h"
#include "core/method_table.h"
#include "core/methods.h"
#include "core/root_finding.h"
#include "tests/app/separator_guard.h"
#include "tests/doubles/fake_host.h"

namespace {

using app::testing::SeparatorGuard;

app::VariantRequest Request(int count, std::uint64_t seed,
                            std::vector<std::uint8_t> equations = {}) {
  app::VariantRequest request;
  request.count = count;
  request.seed = seed;
  request.equations = std::move(equations);
  return request;
}

std::string AnswersCsv(const app::VariantRequest& request) {
  return app::CsvText(app::AnswerLines(app::MakeVariants(request)));
}

TEST(Variants, TheSameSeedGivesByteIdenticalAnswers) {
  const SeparatorGuard separator(",");
  const std::string first = AnswersCsv(Request(30, 2026));
  EXPECT_EQ(first, AnswersCsv(Request(30, 2026)));
  EXPECT_NE(first, AnswersCsv(Request(30, 2027)));
  // Header and 30 lines, each ended by CRLF.
  std::size_t lines = 0;
  for (std::size_t at = first.find("\r\n"); at != std::string::npos;
       at = first.find("\r\n", at + 2))
    ++lines;
  EXPECT_EQ(lines, 31u);
}

TEST(Variants, EveryVariantBracketsOneRootThatAllFourMethodsReach) {
  const SeparatorGuard separator(".");
  const std::vector<app::Variant> variants = app::MakeVariants(Request(30, 7));
  ASSERT_EQ(variants.size(), 30u);
  for (const app::Variant& variant : variants) {
    SCOPED_TRACE("variant " + std::to_string(variant.number));
    const app::InputTexts& in = variant.inputs;
    const core::Coefficients c{static_cast<double>(app::ParseReal(in.k)),
                               static_cast<double>(app::ParseReal(in.l))};
    const double a = static_cast<double>(app::ParseReal(in.start));
    const double b = static_cast<double>(app::ParseReal(in.end));
    const double fa = core::f(in.equation, a, c);
    const double fb = core::f(in.equation, b, c);
    EXPECT_TRUE((fa < 0 && fb > 0) || (fa > 0 && fb < 0)) << fa << " " << fb;
    EXPECT_GT(variant.reference_root, a);
    EXPECT_LT(variant.reference_root, b);
    // Solved again by each method straight from the core, on the numbers
    // the texts a student types give, not through the comparison run.
    const double eps = static_cast<double>(app::ParseReal(in.precision));
    std::int32_t fewest = 0;
    std::string fastest;
    for (const core::Method method : app::kVariantMethods) {
      SCOPED_TRACE(std::string(core::EntryOf(method).key));
      doubles::FakeHost host(in.equation, in.precision);
      double root = 0;
      const std::int32_t count = core::run(host, c, method, root, a, eps, b);
      const app::MethodAnswer& answer = core::ForMethod(variant.methods, method);
      EXPECT_EQ(answer.count, count);
      EXPECT_EQ(answer.root, root);
      EXPECT_LT(count, core::kPassCap);
      // Near the bracketed root: within ten times the precision.
      EXPECT_LE(std::fabs(root - variant.reference_root), 10 * eps);
      // Every method that ties for the fewest passes, in the methods' order.
      if (fastest.empty() || count < fewest) {
        fewest = count;
        fastest = core::EntryOf(method).name;
      } else if (count == fewest) {
        fastest += ", " + std::string(core::EntryOf(method).name);
      }
    }
    EXPECT_EQ(variant.fastest, fastest);
  }
}

TEST(Variants, DrawOnlyFromTheEquationsAskedForAndNeverRepeat) {
  const SeparatorGuard separator(".");
  const std::vector<app::Variant> variants = app::MakeVariants(Request(20, 11, {3, 8}));
  std::set<std::vector<std::string>> seen;
  for (const app::Variant& variant : variants) {
    EXPECT_TRUE(variant.inputs.equation == 3 || variant.inputs.equation == 8);
    const app::InputTexts& in = variant.inputs;
    EXPECT_TRUE(seen.insert({std::to_string(in.equation), in.k, in.l, in.start, in.end}).second);
  }
}

TEST(Variants, RefuseAPrecisionThatIsNoPositiveNumber) {
  const SeparatorGuard separator(".");
  app::VariantRequest request = Request(1, 1);
  request.precision_text = "0,001";
  EXPECT_THROW(app::MakeVariants(request), core::EConvertError);
  request.precision_text = "0";
  EXPECT_THROW(app::MakeVariants(request), core::Exception);
}

TEST(Variants, TheTaskNamesTheFunctionTheIntervalAndThePrecision) {
  const SeparatorGuard separator(",");
  const app::Variant variant = app::MakeVariants(Request(1, 5, {0})).front();
  const std::vector<std::string> lines = app::TaskLines(variant);
  EXPECT_EQ(lines[0], "Вариант 1");
  EXPECT_NE(lines[1].find("f(x) = k·cos(l·x)"), std::string::npos);
  EXPECT_NE(lines[3].find("[" + variant.inputs.start + "; " + variant.inputs.end + "]"),
            std::string::npos);
  EXPECT_NE(lines[3].find("0,001"), std::string::npos);
}

struct RangeCase {
  std::uint64_t bits;
  std::uint64_t n;
  bool taken;
  std::uint64_t value;
};

TEST(Variants, MapToRangeDrawsAgainOnlyAboveTheLastWholeCycle) {
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  // 2^64 = 3 * 6148914691236517205 + 1: only 2^64 - 1 itself is drawn again for 3.
  const RangeCase cases[] = {
      {5, 3, true, 2},
      {kMax - 1, 3, true, (kMax - 1) % 3},
      {kMax, 3, false, 0},
      {kMax, 1, false, 0},
      {0, 10, true, 0},
      {kMax - 5, 10, false, 0},  // 2^64 - 6 = 18446744073709551610 begins an incomplete cycle
      {kMax - 6, 10, true, 9},
  };
  for (const RangeCase& c : cases) {
    std::uint64_t value = 99;
    EXPECT_EQ(app::MapToRange(c.bits, c.n, value), c.taken) << c.bits << " % " << c.n;
    if (c.taken) {
      EXPECT_EQ(value, c.value);
    }
  }
}

TEST(TableWindow, AlignsColumnsByCharactersNotBytes) {
  EXPECT_EQ(app::AlignedText({{"Метод", "x"}, {"ab", "1,5"}, {"", ""}}),
            "Метод  x\nab     1,5\n\n");
}

TEST(TableWindow, TheFunctionOfARunIsItsFormulaOrItsEquations) {
  const SeparatorGuard separator(".");
  app::InputTexts typed;
  typed.formula = "x^3-2*x-5";
  typed.start = "2";
  typed.end = "3";
  EXPECT_EQ(app::FunctionText(*app::Solve(typed).record), "f(x) = x^3-2*x-5");
  app::InputTexts listed;
  listed.equation = 3;
  EXPECT_EQ(app::FunctionText(*app::Solve(listed).record), app::FunctionText(3));
  typed.formula = "x(x+1)";
  EXPECT_THROW(app::Solve(typed), core::EFormulaError);
}

TEST(TableWindow, ARunThatFailsKeepsItsTableAndMessage) {
  const SeparatorGuard separator(".");
  app::InputTexts inputs;
  inputs.precision = "-1";  // the secants end in 0 / 0 at the cap
  const app::SolvedRun solved = app::Solve(inputs);
  EXPECT_EQ(solved.error, "Invalid floating point operation");
  EXPECT_EQ(solved.window.Cell(2, 1), "5002");
  EXPECT_EQ(solved.window.Cell(2, 4), "");
  EXPECT_EQ(solved.window.StatusText(), "");
}

// Whether f₁ = c·f₂ for one c at every point where both are defined: two
// such variants are one task with another k.
bool SameUpToAFactor(const app::Variant& one, const app::Variant& other) {
  const auto coefficients = [](const app::Variant& variant) {
    return core::Coefficients{static_cast<double>(app::ParseReal(variant.inputs.k)),
                              static_cast<double>(app::ParseReal(variant.inputs.l))};
  };
  std::optional<double> factor;
  for (const double x : {-2.9, -1.7, -0.6, 0.4, 1.3, 2.2, 3.1}) {
    const double a = core::f(one.inputs.equation, x, coefficients(one));
    const double b = core::f(other.inputs.equation, x, coefficients(other));
    if (!std::isfinite(a) || !std::isfinite(b)) continue;
    if (b == 0) {
      if (a != 0) return false;
      continue;
    }
    if (!factor) factor = a / b;
    if (std::fabs(a / b - *factor) > 1e-9 * std::fabs(*factor)) return false;
  }
  return true;
}

struct DistinctCase {
  std::string name;
  int count;
  std::uint64_t seed;
  std::vector<std::uint8_t> equations;
  std::string precision;
  bool enough;  // whether the equations can give `count` distinct variants
};

// No two variants of a set share a root as the table rounds it, or a
// function up to a factor; every method's root in the key is the one its
// table shows. Lists that cannot give as many say how many they can, and
// exactly that many can be had.
TEST(Variants, SetsAreDistinctOrSayHowManyDistinctOnesExist) {
  const SeparatorGuard separator(".");
  const DistinctCase cases[] = {
      {"25 with seed 2026", 25, 2026, {}, "0.001", true},
      {"the five digits of a finer precision", 30, 4, {}, "0.00001", true},
      {"100 from equation 3", 100, 1, {3}, "0.001", false},
      {"100 from equations 2, 4 and 9", 100, 1, {2, 4, 9}, "0.001", false},
  };
  for (const DistinctCase& c : cases) {
    SCOPED_TRACE(c.name);
    app::VariantRequest request = Request(c.count, c.seed, c.equations);
    request.precision_text = c.precision;
    if (!c.enough) {
      std::string message;
      try {
        app::MakeVariantSet(request);
      } catch (const core::Exception& error) {
        message = error.Message();
      }
      // "Можно составить только 24 различных варианта …"
      const std::string only = "только ";
      const std::size_t at = message.find(only);
      ASSERT_NE(at, std::string::npos) << message;
      ASSERT_NE(message.find(" различн", at), std::string::npos) << message;
      const int most = std::stoi(message.substr(at + only.size()));
      EXPECT_LT(most, c.count);
      EXPECT_NE(message.find("нужно " + std::to_string(c.count)), std::string::npos) << message;
      request.count = most + 1;
      EXPECT_THROW(app::MakeVariantSet(request), core::Exception);
      request.count = most;  // checked below as a set that is enough
    }
    const app::VariantSet set = app::MakeVariantSet(request);
    ASSERT_EQ(set.variants.size(), static_cast<std::size_t>(request.count));
    EXPECT_GE(set.candidates, request.count);
    const std::vector<std::vector<std::string>> key = app::AnswerLines(set.variants);
    std::set<std::string> roots;
    for (std::size_t i = 0; i < set.variants.size(); ++i) {
      const app::Variant& variant = set.variants[i];
      SCOPED_TRACE("variant " + std::to_string(variant.number));
      EXPECT_TRUE(roots.insert(key[i + 1][7]).second) << key[i + 1][7];
      for (std::size_t j = 0; j < i; ++j)
        EXPECT_FALSE(SameUpToAFactor(variant, set.variants[j])) << "variant " << j + 1;
      // The methods' roots, counts and order as the window's table has them.
      const app::SolvedRun solved = app::Solve(variant.inputs);
      for (const std::vector<std::string>& row : solved.window.Lines()) {
        std::size_t column = 9;  // the first method's root, then its count
        for (const core::Method method : app::kVariantMethods) {
          if (row[0] == core::EntryOf(method).name) {
            EXPECT_EQ(key[i + 1][column], row[1]) << row[0];
            EXPECT_EQ(key[i + 1][column + 1], row[2]) << row[0];
          }
          column += 3;
        }
      }
    }
  }
}

}  // namespace
