// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader hears after a run: every method of the table in the
// table's order, each with the root and count of its row and its verdict,
// then the status line.
#include "app/run_announcement.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "app/comparison_run.h"
#include "app/run_verdict.h"
#include "app/table_window.h"
#include "core/floating_point_environment.h"
#include "core/method_table.h"
#include "tests/app/separator_guard.h"

namespace app {
namespace {

TEST(RunAnnouncementTest, ReadsTheTableInItsOrderAndThenTheStatusLine) {
  core::EstablishFloatingPointEnvironment();
  const testing::SeparatorGuard separator(",");
  for (const char* formula : {"x^3-2*x-5", "(x-1)^2"}) {
    SCOPED_TRACE(formula);
    InputTexts inputs;
    inputs.formula = formula;
    inputs.start = "2";
    inputs.end = "3";
    inputs.precision = "0,001";
    const SolvedRun solved = Solve(inputs);
    ASSERT_FALSE(solved.error.has_value());
    const std::string heard = RunAnnouncement(*solved.record, solved.window.StatusText());
    EXPECT_EQ(heard.rfind("Готово. ", 0), 0u) << heard;
    std::size_t from = 0;
    for (int row = 1; row < solved.window.RowCount(); ++row) {
      // "<method>: <result line with the row's number and count>; <verdict>."
      const std::size_t at = heard.find(solved.window.Cell(0, row) + ": ", from);
      ASSERT_NE(at, std::string::npos) << solved.window.Cell(0, row) << " in " << heard;
      const std::size_t verdict = heard.find("; ", at) + 2;
      const std::string result = heard.substr(at, verdict - at);
      // The row's value without the mark a non-root gets after it: the
      // verdict that follows says what became of it.
      const std::string value = solved.window.Cell(1, row);
      const std::string number = value.substr(0, value.find(kMarkSeparator));
      EXPECT_NE(result.find(": " + number + ", итераций: " + solved.window.Cell(2, row) + ";"),
                std::string::npos)
          << result;
      const core::Method method = solved.record->rows.at(static_cast<std::size_t>(row - 1));
      std::string expected = VerdictText(VerdictOf(*solved.record, method));
      if (expected.ends_with('.')) expected.pop_back();
      EXPECT_TRUE(std::string_view(heard).substr(verdict).starts_with(expected))
          << heard.substr(verdict, 200) << "\nexpected: " << expected;
      from = verdict;
    }
    ASSERT_FALSE(solved.window.StatusText().empty());
    EXPECT_EQ(heard.substr(heard.size() - solved.window.StatusText().size()),
              solved.window.StatusText());
  }
}

}  // namespace
}  // namespace app
