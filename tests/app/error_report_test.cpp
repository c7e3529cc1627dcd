// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <ostream>

#include "app/error_report.h"

namespace app {
namespace {

struct ReportCase {
  const char* message;
  const char* shown;
};

void PrintTo(const ReportCase& c, std::ostream* out) {
  *out << '"' << c.message << '"';
}

class ReportsText : public ::testing::TestWithParam<ReportCase> {};

TEST_P(ReportsText, AppendsAFullStopAfterCodesAbove46) {
  EXPECT_EQ(ReportText(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Rule, ReportsText,
    ::testing::Values(ReportCase{"", ""},
                      ReportCase{"Floating point overflow", "Floating point overflow."},
                      ReportCase{"'abc' is not a valid floating point value",
                                 "'abc' is not a valid floating point value."},
                      ReportCase{"Done.", "Done."}, ReportCase{"(see above)", "(see above)"},
                      ReportCase{"It's '", "It's '"}, ReportCase{"a,", "a,"},
                      ReportCase{"a-", "a-"}, ReportCase{"a ", "a "},
                      ReportCase{"line\n", "line\n"}, ReportCase{"a/", "a/."},
                      ReportCase{"1", "1."},
                      // Code points beyond ASCII are above 46 however they are encoded.
                      ReportCase{"Ошибка", "Ошибка."}, ReportCase{"x\u00A0", "x\u00A0."},
                      ReportCase{"\U0001F600", "\U0001F600."}));

}  // namespace
}  // namespace app
