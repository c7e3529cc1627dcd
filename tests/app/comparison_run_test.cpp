// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/comparison_run.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>

#include "app/number_text.h"
#include "core/errors.h"
#include "core/floating_point_environment.h"
#include "core/method_table.h"
#include "tests/doubles/fake_window.h"

namespace {

using app::Input;

using doubles::FakeWindow;

using Row = std::array<std::string, 3>;

const Row kHeaderRow = {"Метод рассчета", "Значение", "Кол-во итераций"};
const std::string kFastest = "Самый быстрый метод для данного уравнения - ";

class ComparisonRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    core::EstablishFloatingPointEnvironment();
    app::SetDecimalSeparator(",");
  }
  void TearDown() override { app::SetDecimalSeparator("."); }

  void ExpectHeadersOnly() const {
    EXPECT_EQ(window.Row(0), kHeaderRow);
    EXPECT_EQ(window.Row(1), (Row{"Метод половинного деления", "", ""}));
    EXPECT_EQ(window.Row(2), (Row{"Метод хорд", "", ""}));
    EXPECT_EQ(window.Row(3), (Row{"Метод касательных", "", ""}));
    EXPECT_EQ(window.Row(4), (Row{"Метод секущих", "", ""}));
    EXPECT_EQ(window.status, "");
  }

  FakeWindow window;
  app::SharedState state;
  app::ComparisonRun run;
};

// The defaults also show that the counts sort as numbers: "11" sorts after "4".
TEST_F(ComparisonRunTest, DesignDefaultsSortByIterationCount) {
  run.Execute(window, state);
  EXPECT_EQ(window.Row(0), kHeaderRow);
  EXPECT_EQ(window.Row(1), (Row{"Метод хорд", "1,571", "3"}));
  EXPECT_EQ(window.Row(2), (Row{"Метод касательных", "1,571", "3"}));
  EXPECT_EQ(window.Row(3), (Row{"Метод секущих", "1,571", "4"}));
  EXPECT_EQ(window.Row(4), (Row{"Метод половинного деления", "1,571", "11"}));
  EXPECT_EQ(window.status, kFastest + "Метод хорд");
  EXPECT_FALSE(window.progress_visible);
  EXPECT_EQ(window.progress_position, 4);
  EXPECT_EQ(state.coefficients.k, 1.0);
  EXPECT_EQ(state.root, 1.571);  // the secant method's root stays in the shared variable
}

// Where every method converges to a root inside [start, end], the table and
// the status line read exactly as the compute command always wrote them: the
// rounded root and the count of each method in its sorted row, no mark, and
// the first row named fastest.
TEST_F(ComparisonRunTest, RunsWhereEveryMethodConvergesInsideKeepEveryText) {
  const struct {
    const char* name;
    std::uint8_t equation;
    const char* k;
    const char* l;
    const char* start;
    const char* precision;
    const char* end;
  } kCases[] = {
      {"defaults", 0, "1", "1", "1", "0,001", "2"},
      {"cos x = x", 3, "1", "0", "0", "0,0001", "1"},
      {"an inflection point", 0, "1", "1", "1", "0,000001", "2"},
      {"cos x + 0", 8, "1", "0", "1", "0,001", "2"},
      {"x·cos x", 5, "1", "1", "1", "0,001", "2"},
      {"cos x²", 6, "1", "1", "1", "0,001", "1,5"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    FakeWindow fresh;
    fresh.Select(c.equation);
    fresh.SetInput(Input::kK, c.k);
    fresh.SetInput(Input::kL, c.l);
    fresh.SetInput(Input::kStart, c.start);
    fresh.SetInput(Input::kPrecision, c.precision);
    fresh.SetInput(Input::kEnd, c.end);
    window = fresh;
    run.Execute(window, state);
    const app::RunRecord& record = *run.LastRun();
    for (int row = 1; row <= 4; ++row) {
      const core::Method method = record.rows[static_cast<std::size_t>(row - 1)];
      const core::MethodHistory& history = record.History(method);
      const app::Verdict& verdict = core::ForMethod(record.verdicts, method);
      ASSERT_EQ(verdict.outcome, app::Outcome::kConverged) << core::EntryOf(method).key;
      ASSERT_FALSE(verdict.notes.Contains(app::Note::kOutsideInterval));
      EXPECT_EQ(window.Row(row),
                (Row{std::string(core::EntryOf(method).name), app::FormatReal(*history.root),
                     app::FormatInteger(*history.count)}));
    }
    EXPECT_EQ(window.status, kFastest + std::string(core::EntryOf(record.rows.front()).name));
  }
}

TEST_F(ComparisonRunTest, EqualCountsKeepTheMethodOrder) {
  window.SetInput(Input::kPrecision, "100");  // every stopping test holds at once
  run.Execute(window, state);
  EXPECT_EQ(window.Row(1)[0], "Метод половинного деления");
  EXPECT_EQ(window.Row(2)[0], "Метод хорд");
  EXPECT_EQ(window.Row(3)[0], "Метод касательных");
  EXPECT_EQ(window.Row(4)[0], "Метод секущих");
  for (int row = 1; row <= 4; ++row) EXPECT_EQ(window.Row(row)[2], "1");
  EXPECT_EQ(window.status, kFastest + "Метод половинного деления");
}

struct FailureCase {
  const char* name;
  Input input;
  const char* text;
  const char* message;
  bool progress_visible;
};

TEST_F(ComparisonRunTest, BadInputsStopBeforeAnyMethod) {
  const FailureCase cases[] = {
      {"k not a number", Input::kK, "abc", "'abc' is not a valid floating point value", false},
      {"k beyond double", Input::kK, "1e400", "Floating point overflow", false},
      {"l empty", Input::kL, "", "'' is not a valid floating point value", false},
      {"start not a number", Input::kStart, "1.5", "'1.5' is not a valid floating point value",
       true},
      {"end with a tab", Input::kEnd, "2\t", "'2\t' is not a valid floating point value", true},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeWindow fresh;
    fresh.SetInput(c.input, c.text);
    window = fresh;
    try {
      run.Execute(window, state);
      ADD_FAILURE() << "no error";
    } catch (const core::Exception& error) {
      EXPECT_EQ(error.Message(), c.message);
    }
    ExpectHeadersOnly();
    EXPECT_EQ(window.progress_visible, c.progress_visible);
    if (c.progress_visible) {
      EXPECT_EQ(window.progress_position, 0);
    }
    EXPECT_FALSE(run.IsRunning());
  }
}

TEST_F(ComparisonRunTest, KKeepsItsNewValueWhenLFails) {
  window.SetInput(Input::kK, "2");
  window.SetInput(Input::kL, "x");
  EXPECT_THROW(run.Execute(window, state), core::EConvertError);
  EXPECT_EQ(state.coefficients.k, 2.0);
}

TEST_F(ComparisonRunTest, DivisionByZeroInTangentsLeavesTheCompletedRows) {
  window.SetInput(Input::kStart, "0");  // f'(0) = 0 for cos x
  EXPECT_THROW(run.Execute(window, state), core::EZeroDivide);
  EXPECT_EQ(window.Row(1)[0], "Метод половинного деления");
  EXPECT_NE(window.Row(1)[1], "");
  EXPECT_NE(window.Row(2)[2], "");
  EXPECT_EQ(window.Row(3), (Row{"Метод касательных", "", ""}));
  EXPECT_EQ(window.Row(4), (Row{"Метод секущих", "", ""}));
  EXPECT_TRUE(window.progress_visible);
  EXPECT_EQ(window.progress_position, 2);
  EXPECT_EQ(window.status, "");
}

TEST_F(ComparisonRunTest, SecondRunStartsFromAnEmptiedTable) {
  run.Execute(window, state);
  window.SetInput(Input::kStart, "bad");
  EXPECT_THROW(run.Execute(window, state), core::EConvertError);
  ExpectHeadersOnly();  // the rows are back in method order, values gone
}

TEST_F(ComparisonRunTest, ComputeCommandDuringARunIsIgnored) {
  int nested_attempts = 0;
  window.on_messages = [&](int) {
    ++nested_attempts;
    run.Execute(window, state);  // arrives through the message processing
  };
  run.Execute(window, state);
  EXPECT_GT(nested_attempts, 0);
  EXPECT_EQ(window.Row(1), (Row{"Метод хорд", "1,571", "3"}));
  EXPECT_EQ(window.Row(4), (Row{"Метод половинного деления", "1,571", "11"}));
  EXPECT_EQ(window.status, kFastest + "Метод хорд");
}

TEST_F(ComparisonRunTest, RunAfterAFailedRunWorks) {
  window.SetInput(Input::kStart, "0");
  EXPECT_THROW(run.Execute(window, state), core::EZeroDivide);
  window.SetInput(Input::kStart, "1");
  run.Execute(window, state);
  EXPECT_EQ(window.status, kFastest + "Метод хорд");
}

TEST_F(ComparisonRunTest, EquationChosenDuringTheRunAppliesToTheFollowingMethods) {
  // Message processing number 2 is the one after bisection (number 1 is at
  // its start); from then on the methods solve cos(x) - x + 1 = 0.
  window.on_messages = [&](int count) {
    if (count == 2) window.Select(3);
  };
  run.Execute(window, state);
  std::map<std::string, std::string> roots;
  for (int row = 1; row <= 4; ++row) roots[window.Row(row)[0]] = window.Row(row)[1];
  EXPECT_EQ(roots["Метод половинного деления"], "1,571");
  EXPECT_EQ(roots["Метод хорд"], "1,283");
  EXPECT_EQ(roots["Метод касательных"], "1,283");
  EXPECT_EQ(roots["Метод секущих"], "1,283");
}

// The last run's record: none before the first run; then the inputs as typed
// and each method's outcome as the table shows it. A failed run is kept with
// the methods that ran, the failed one with its message, and leaves a record
// still held elsewhere untouched.
TEST_F(ComparisonRunTest, LastRunKeepsTheInputsAndTheHistories) {
  EXPECT_EQ(run.LastRun(), nullptr);
  run.Execute(window, state);
  std::shared_ptr<const app::RunRecord> first = run.LastRun();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->equation_text, "x=k*cos(l*x)");
  EXPECT_EQ(first->k, 1.0);
  EXPECT_EQ(first->l, 1.0);
  EXPECT_EQ(first->start_text, "1");
  EXPECT_EQ(first->precision_text, "0,001");
  EXPECT_EQ(first->end_text, "2");
  for (int row = 1; row <= 4; ++row) {
    const core::MethodHistory* history = nullptr;
    for (const core::MethodEntry& entry : core::kMethods)
      if (window.Row(row)[0] == entry.name) history = &first->methods[entry.number - 1];
    ASSERT_NE(history, nullptr);
    ASSERT_TRUE(history->ran && history->count && history->root);
    EXPECT_EQ(app::FormatReal(*history->root), window.Row(row)[1]);
    EXPECT_EQ(app::FormatInteger(*history->count), window.Row(row)[2]);
  }

  window.SetInput(Input::kStart, "0");
  EXPECT_THROW(run.Execute(window, state), core::EZeroDivide);
  std::shared_ptr<const app::RunRecord> failed = run.LastRun();
  ASSERT_NE(failed, first);
  EXPECT_EQ(failed->start_text, "0");
  const bool ran[] = {true, true, true, false};
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(failed->methods[i].ran, ran[i]);
  EXPECT_EQ(failed->methods[2].error, "Floating point division by zero");
  EXPECT_EQ(failed->methods[2].passes.size(), 1U);
  EXPECT_EQ(first->start_text, "1");
  EXPECT_EQ(first->methods[0].passes.size(), 10U);

  first.reset();  // held by nothing else now: the next run reuses their memory
  failed.reset();
  window.SetInput(Input::kK, "x");  // stops the run before any method
  EXPECT_THROW(run.Execute(window, state), core::EConvertError);
  for (const core::MethodHistory& history : run.LastRun()->methods) {
    EXPECT_FALSE(history.ran);
    EXPECT_TRUE(history.passes.empty());  // nothing left from the runs before
  }
}

}  // namespace
