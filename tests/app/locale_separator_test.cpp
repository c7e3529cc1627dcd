// SPDX-License-Identifier: GPL-3.0-or-later
// Run by ctest under several locale environments (see CMakeLists.txt); the
// separator that the environment should give comes in NLE_EXPECTED_SEPARATOR.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "app/number_text.h"

namespace app {
namespace {

std::string ExpectedSeparator() {
  const char* const expected = std::getenv("NLE_EXPECTED_SEPARATOR");
  return expected != nullptr ? expected : "(NLE_EXPECTED_SEPARATOR not set)";
}

TEST(LocaleDecimalSeparator, IsTheEnvironmentsWhateverTheProcessLocale) {
  EXPECT_EQ(LocaleDecimalSeparator(), ExpectedSeparator());
  std::setlocale(LC_ALL, "");
  EXPECT_EQ(LocaleDecimalSeparator(), ExpectedSeparator());
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(LocaleDecimalSeparator(), ExpectedSeparator());
}

TEST(ReadDecimalSeparator, SetsTheSeparatorThatNumbersUse) {
  ReadDecimalSeparator();
  EXPECT_EQ(DecimalSeparator(), ExpectedSeparator());
  const std::string text = "2" + ExpectedSeparator() + "5";
  EXPECT_EQ(ParseReal(text), 2.5L);
  EXPECT_EQ(FormatReal(2.5L), text);
}

}  // namespace
}  // namespace app
