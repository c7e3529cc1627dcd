// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <ostream>

#include "app/number_text.h"

namespace app {
namespace {

struct RadixCase {
  const char* radix;
  const char* separator;
};

void PrintTo(const RadixCase& c, std::ostream* out) {
  *out << '"' << c.radix << '"';
}

class SeparatorFromRadix : public ::testing::TestWithParam<RadixCase> {};

TEST_P(SeparatorFromRadix, TakesExactlyOneCharacterElseAPoint) {
  EXPECT_EQ(DecimalSeparatorFromRadix(GetParam().radix), GetParam().separator);
}

INSTANTIATE_TEST_SUITE_P(
    Radixes, SeparatorFromRadix,
    ::testing::Values(RadixCase{",", ","}, RadixCase{".", "."}, RadixCase{"\u066B", "\u066B"},
                      RadixCase{"\u2396", "\u2396"}, RadixCase{"\U0001D7CE", "\U0001D7CE"},
                      RadixCase{"\xB7", "\xB7"},  // one byte of a legacy single-byte locale
                      RadixCase{"", "."}, RadixCase{",,", "."}, RadixCase{"\u066B,", "."},
                      RadixCase{"\xD9\xAB\xAB", "."}, RadixCase{"\x80\x80", "."}));

}  // namespace
}  // namespace app
