// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader hears after a run: every method of the table in the
// table's order, each with the root and count of its row and its verdict,
// then the status line.
#include "app/run_announcement.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

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
      EXPECT_NE(result.find(": " + solved.window.Cell(1, row) +
                            ", итераций: " + solved.window.Cell(2, row) + ";"),
                std::string::npos)
          << result;
      const std::string_view rest = std::string_view(heard).substr(verdict);
      EXPECT_TRUE(rest.starts_with("Сошёлся") || rest.starts_with("Не сошёлся") ||
                  rest.starts_with("Проверка остановки"))
          << rest.substr(0, 80);
      from = verdict;
    }
    ASSERT_FALSE(solved.window.StatusText().empty());
    EXPECT_EQ(heard.substr(heard.size() - solved.window.StatusText().size()),
              solved.window.StatusText());
  }
}

}  // namespace
}  // namespace app
