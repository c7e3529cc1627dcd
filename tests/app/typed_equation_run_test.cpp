// SPDX-License-Identifier: GPL-3.0-or-later
// A typed formula through the comparison run: each built-in equation typed
// as written in its list text gives the same histories and roots with the
// methods that use only f, and the run names the formula in its record.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "app/comparison_run.h"
#include "app/number_text.h"
#include "core/errors.h"
#include "core/expression/formula.h"
#include "core/floating_point_environment.h"
#include "core/method_table.h"
#include "tests/doubles/fake_window.h"

namespace {

using app::Input;

// The fake main window with a typed formula in place of the list.
class TypedFormulaWindow : public doubles::FakeWindow {
 public:
  explicit TypedFormulaWindow(std::shared_ptr<const core::expression::Formula> formula)
      : formula_(std::move(formula)) {}
  core::EquationSource SelectedSource() const override {
    ++equation_reads;
    return core::EquationSource(formula_);
  }

 private:
  std::shared_ptr<const core::expression::Formula> formula_;
};

struct Outcome {
  std::shared_ptr<const app::RunRecord> record;
  std::optional<std::string> error;
};

Outcome Compare(doubles::FakeWindow& window, const std::string& start, const std::string& end,
                const std::string& k, const std::string& l) {
  window.SetInput(Input::kStart, start);
  window.SetInput(Input::kEnd, end);
  window.SetInput(Input::kK, k);
  window.SetInput(Input::kL, l);
  app::ComparisonRun run;
  app::SharedState state;
  Outcome outcome;
  try {
    run.Execute(window, state);
  } catch (const core::Exception& error) {
    outcome.error = error.Message();
  }
  outcome.record = run.LastRun();
  return outcome;
}

void ExpectSameHistory(const core::MethodHistory& typed, const core::MethodHistory& built_in) {
  EXPECT_EQ(typed.ran, built_in.ran);
  EXPECT_EQ(typed.count, built_in.count);
  EXPECT_EQ(typed.root, built_in.root);
  EXPECT_EQ(typed.error, built_in.error);
  ASSERT_EQ(typed.passes.size(), built_in.passes.size());
  for (std::size_t i = 0; i < typed.passes.size(); ++i) {
    const core::PassRecord& a = typed.passes[i];
    const core::PassRecord& b = built_in.passes[i];
    EXPECT_TRUE(a.n == b.n && a.x == b.x && a.fx == b.fx && a.a == b.a && a.b == b.b &&
                a.step == b.step)
        << "pass " << i;
  }
  EXPECT_EQ(typed.counts.f_asked, built_in.counts.f_asked);
  EXPECT_EQ(typed.counts.f_computed, built_in.counts.f_computed);
}

class TypedEquationRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    core::EstablishFloatingPointEnvironment();
    app::SetDecimalSeparator(",");
  }
  void TearDown() override { app::SetDecimalSeparator("."); }
};

TEST_F(TypedEquationRunTest, BuiltInEquationsTypedAsWrittenRunTheSame) {
  struct Inputs {
    std::string start, end, k, l;
  };
  const Inputs inputs[] = {{"1", "2", "1", "1"}, {"-3", "4", "2,5", "-0,7"}};
  for (std::uint8_t equation = 0; equation < core::kEquationCount; ++equation) {
    const std::string_view text = core::kEquationTexts[equation];
    const std::string typed_text(text.substr(text.find('=') + 1));
    for (const Inputs& in : inputs) {
      SCOPED_TRACE(typed_text + " from " + in.start + " to " + in.end);
      doubles::FakeWindow built_in_window;
      built_in_window.Select(equation);
      TypedFormulaWindow typed_window(core::expression::Formula::Parse(typed_text));
      const Outcome built_in = Compare(built_in_window, in.start, in.end, in.k, in.l);
      const Outcome typed = Compare(typed_window, in.start, in.end, in.k, in.l);
      EXPECT_EQ(typed.error, built_in.error);
      for (const core::Method method : {core::kBisection, core::kChords, core::kSecants}) {
        SCOPED_TRACE(core::FindMethod(method)->key);
        ExpectSameHistory(typed.record->methods[method - 1], built_in.record->methods[method - 1]);
      }
      EXPECT_EQ(typed.record->equation_text, typed_text + " = 0");
      EXPECT_EQ(typed.record->methods[0].formula->Text(), typed_text);
      EXPECT_EQ(built_in.record->methods[0].formula, nullptr);
    }
  }
}

// The table and status line of a typed formula are the main window's.
TEST_F(TypedEquationRunTest, TableAndStatusAsTheMainWindowWritesThem) {
  TypedFormulaWindow window(core::expression::Formula::Parse("x^3-2*x-5"));
  const Outcome outcome = Compare(window, "2", "3", "1", "1");
  ASSERT_FALSE(outcome.error);
  EXPECT_EQ(window.status, "Самый быстрый метод для данного уравнения - " + window.Row(1)[0]);
  for (int row = 1; row <= 4; ++row) EXPECT_EQ(window.Row(row)[1], "2,095") << row;
  EXPECT_EQ(window.Row(1)[0], "Метод касательных");
}

}  // namespace
