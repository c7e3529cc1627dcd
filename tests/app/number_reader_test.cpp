// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <random>
#include <string>

#include "app/number_text.h"
#include "core/errors.h"
#include "core/extended.h"
#include "core/floating_point_environment.h"
#include "separator_guard.h"

namespace app {
namespace {

using testing::SeparatorGuard;

struct ReadCase {
  const char* separator;
  const char* text;
  double expected;  // the value stored into a double
};

void PrintTo(const ReadCase& c, std::ostream* out) {
  *out << '"' << c.text << "\" with \"" << c.separator << '"';
}

class ReadsValidText : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadsValidText, StoresTheExpectedDouble) {
  const SeparatorGuard separator(GetParam().separator);
  const double stored = core::Extended(ParseReal(GetParam().text)).ToDouble();
  EXPECT_EQ(stored, GetParam().expected);
  EXPECT_EQ(std::signbit(stored), std::signbit(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ReadsValidText,
    ::testing::Values(ReadCase{",", "0,001", 0.001}, ReadCase{",", "2,5e-3", 0.0025},
                      ReadCase{",", "0,5E1", 5}, ReadCase{",", "1e3", 1000},
                      ReadCase{",", "1E3", 1000}, ReadCase{",", " 2 ", 2}, ReadCase{",", ",5", 0.5},
                      ReadCase{",", "1,", 1}, ReadCase{",", ",", 0}, ReadCase{",", "-,", -0.0},
                      ReadCase{",", "-0", -0.0}, ReadCase{",", "+7", 7}, ReadCase{",", "1e", 1},
                      ReadCase{",", "1e+", 1}, ReadCase{",", "1e-", 1}, ReadCase{",", "1e-400", 0},
                      ReadCase{",", "-12,75E+2", -1275}, ReadCase{".", "1.5", 1.5},
                      ReadCase{".", "0.001", 0.001}, ReadCase{"\u066B", "1\u066B5", 1.5},
                      // Rounded to extended, then to double: one unit above the
                      // correctly rounded 0x1.dcf7df8f573b7p+590 that strtod gives.
                      ReadCase{",", "75,5e176", 0x1.dcf7df8f573b8p+590}));

struct InvalidCase {
  const char* separator;
  const char* text;
};

void PrintTo(const InvalidCase& c, std::ostream* out) {
  *out << '"' << c.text << "\" with \"" << c.separator << '"';
}

class RejectsText : public ::testing::TestWithParam<InvalidCase> {};

TEST_P(RejectsText, WithTheConversionMessage) {
  const SeparatorGuard separator(GetParam().separator);
  long double unused = 0;
  EXPECT_FALSE(ScanReal(GetParam().text, unused));
  try {
    ParseReal(GetParam().text);
    FAIL() << "accepted '" << GetParam().text << "'";
  } catch (const core::EConvertError& error) {
    EXPECT_EQ(error.Message(),
              std::string("'") + GetParam().text + "' is not a valid floating point value");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Examples, RejectsText,
    ::testing::Values(InvalidCase{",", ""}, InvalidCase{",", " "}, InvalidCase{",", "\t2"},
                      InvalidCase{",", "2\t"}, InvalidCase{",", "1.5"}, InvalidCase{".", "0,001"},
                      InvalidCase{",", "- 5"}, InvalidCase{",", "1 000"}, InvalidCase{",", "e5"},
                      InvalidCase{",", "+"}, InvalidCase{",", "--1"}, InvalidCase{",", "1e5000"},
                      InvalidCase{",", "1e4999"}, InvalidCase{",", "1e 5"}, InvalidCase{",", "abc"},
                      InvalidCase{",", "1,5,"}, InvalidCase{",", "1\u066B5"},
                      InvalidCase{",", "inf"}, InvalidCase{",", "0x10"}));

TEST(ParseReal, AcceptsAValueThatOverflowsOnlyOnTheStoreIntoADouble) {
  const long double value = ParseReal("1e400");
  EXPECT_GT(value, 1e399L);
  EXPECT_THROW(core::Extended(value).ToDouble(), core::EOverflow);
}

TEST(ScanReal, FailsWhenTheDigitsAloneOverflowEvenIfTheScalingWouldShrinkThem) {
  // 5200 fraction digits: the accumulator passes the extended range long before
  // the scaling by 10^-5200 would bring it back to zero.
  const SeparatorGuard separator(",");
  long double unused = 0;
  EXPECT_FALSE(ScanReal("," + std::string(5200, '9'), unused));
  long double tiny = 1;
  ASSERT_TRUE(ScanReal("," + std::string(5200, '0') + "1", tiny));
  EXPECT_EQ(tiny, 0.0L);
}

// Sets an x87 control word for one test and re-establishes the program's
// environment afterwards.
class ScanRealEnvironment : public ::testing::Test {
 protected:
  static void LoadControlWord(std::uint16_t control_word) {
    core::LoadFloatingPointControl({control_word, core::kProgramFloatingPointControl.mxcsr});
  }
  void TearDown() override { core::EstablishFloatingPointEnvironment(); }
};

TEST_F(ScanRealEnvironment, RoundsToNearestAndRestoresTheCallersSettings) {
  constexpr std::uint16_t kTruncatingDoublePrecision = 0x0E7F;
  const SeparatorGuard separator(",");
  LoadControlWord(kTruncatingDoublePrecision);
  std::feraiseexcept(FE_INEXACT);
  long double value = 0;
  ASSERT_TRUE(ScanReal(",1", value));
  EXPECT_EQ(core::FloatingPointControlWord(), kTruncatingDoublePrecision);
  EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), 0);
  core::EstablishFloatingPointEnvironment();
  // 1 / 10 rounded to nearest extended; truncation or 53-bit precision would
  // give another value.
  EXPECT_EQ(value, 0x0.CCCCCCCCCCCCCCCDp-3L);
}

// Up to 19 digits and a power of ten up to 10^27 are exact in extended, so the
// one rounding is the scaling's and the result is the correctly rounded value.
TEST(ScanReal, AgreesWithStrtoldWhereOnlyTheScalingRounds) {
  const SeparatorGuard separator(".");
  std::mt19937_64 random(20240601);
  for (int i = 0; i < 20000; ++i) {
    std::string digits = std::to_string(random() % 10'000'000'000'000'000'000u);
    const auto point = random() % (digits.size() + 1);
    const auto fraction_digits = static_cast<int>(digits.size() - point);
    digits.insert(point, ".");
    const int exponent = static_cast<int>(random() % 55) - 27 + fraction_digits;
    const std::string text = digits + "e" + std::to_string(exponent);
    long double value = 0;
    ASSERT_TRUE(ScanReal(text, value)) << text;
    EXPECT_EQ(value, std::strtold(text.c_str(), nullptr)) << text;
  }
}

}  // namespace
}  // namespace app
