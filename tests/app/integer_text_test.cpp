// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <string>

#include "app/number_text.h"
#include "core/errors.h"

namespace app {
namespace {

TEST(FormatInteger, WritesAllDigitsWithoutGrouping) {
  EXPECT_EQ(FormatInteger(0), "0");
  EXPECT_EQ(FormatInteger(-17), "-17");
  EXPECT_EQ(FormatInteger(1234567), "1234567");
  EXPECT_EQ(FormatInteger(std::numeric_limits<std::int32_t>::max()), "2147483647");
  EXPECT_EQ(FormatInteger(std::numeric_limits<std::int32_t>::min()), "-2147483648");
}

struct IntegerCase {
  const char* text;
  std::int32_t expected;
};

void PrintTo(const IntegerCase& c, std::ostream* out) {
  *out << '"' << c.text << '"';
}

class ParsesInteger : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(ParsesInteger, GivesTheValue) {
  EXPECT_EQ(ParseInteger(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ParsesInteger,
    ::testing::Values(IntegerCase{"12", 12}, IntegerCase{" 12", 12}, IntegerCase{"007", 7},
                      IntegerCase{"+5", 5}, IntegerCase{"-0", 0},
                      IntegerCase{"2147483647", 2147483647},
                      IntegerCase{"-2147483648", std::numeric_limits<std::int32_t>::min()},
                      IntegerCase{"00000000002147483647", 2147483647}, IntegerCase{"$1F", 31},
                      IntegerCase{"0x1f", 31}, IntegerCase{"0X1F", 31}, IntegerCase{"x1F", 31},
                      IntegerCase{"X1f", 31}, IntegerCase{"$FFFFFFFF", -1},
                      IntegerCase{"$7FFFFFFF", 2147483647}, IntegerCase{"-$10", -16},
                      IntegerCase{"+$10", 16}, IntegerCase{"-$FFFFFFFF", 1},
                      IntegerCase{"-$80000000", std::numeric_limits<std::int32_t>::min()},
                      IntegerCase{"$000000000001", 1}));

class RejectsInteger : public ::testing::TestWithParam<const char*> {};

TEST_P(RejectsInteger, WithTheConversionMessage) {
  try {
    ParseInteger(GetParam());
    FAIL() << "accepted '" << GetParam() << "'";
  } catch (const core::EConvertError& error) {
    EXPECT_EQ(error.Message(), std::string("'") + GetParam() + "' is not a valid integer value");
  }
}

INSTANTIATE_TEST_SUITE_P(Examples, RejectsInteger,
                         ::testing::Values("", " ", "2147483648", "-2147483649", "4294967296",
                                           "99999999999", "$", "0x", "-", "+", "1e3", "12 ", "- 5",
                                           "$100000000", "0x1g", "$-1", "1 000", "\t12", "1,5"));

}  // namespace
}  // namespace app
