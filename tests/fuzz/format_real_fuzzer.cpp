// SPDX-License-Identifier: GPL-3.0-or-later
// FormatReal on every double. For normal doubles outside the two bands where
// the exponent estimate is one too high:
// - read back with ParseReal and stored, the double moves by at most one unit
//   of the 15th significant digit (the largest doubles, whose text lies beyond
//   the double range, excepted);
// - the text that FormatReal produced reads back to a double that FormatReal
//   writes as the same text, or, where that double falls in one of the bands,
//   as the band's leading-zero text of the same value to 14 digits;
// - away from a decimal tie at the 16th digit, the text is printf's "%.15Lg"
//   in this program's layout.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/number_text.h"
#include "core/extended.h"
#include "fuzz_check.h"

namespace {

// The writer estimates the decimal exponent from the binary one with 19728 /
// 65536, slightly below log10(2). For doubles that puts the estimate one too
// high in two binades only, and there only below the power of ten inside them:
// [2^-877, 10^-264) and [2^-681, 10^-205). There the 18 intermediate digits
// start with 0, so the text is "0<sep>d...E<k>" with 14 significant digits;
// that is what the program writes. (The upper ends are taken inclusively: the
// doubles nearest the powers of ten may lie on either side of them.)
bool InBand(double magnitude) {
  return (magnitude >= 0x1p-877 && magnitude <= 1e-264) ||
         (magnitude >= 0x1p-681 && magnitude <= 1e-205);
}

// The exponent of the value's leading decimal digit, exactly (printf's).
int LeadingDigitExponent(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.17e", std::fabs(value));
  return std::atoi(std::strchr(buffer, 'e') + 1);
}

// printf's "%.15Lg" with "E", no plus sign, no leading exponent zeros and the
// current separator.
std::string PrintfLayout(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15Lg", static_cast<long double>(value));
  std::string text = buffer;
  const auto point = text.find('.');
  if (point != std::string::npos) text.replace(point, 1, app::DecimalSeparator());
  const auto e = text.find('e');
  if (e == std::string::npos) return text;
  return text.substr(0, e) + "E" + std::to_string(std::atoi(text.c_str() + e + 1));
}

// Digits 16 to 18 of the value, correctly rounded to 18 digits.
int DigitsSixteenToEighteen(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.17e", std::fabs(value));
  return (buffer[16] - '0') * 100 + (buffer[17] - '0') * 10 + (buffer[18] - '0');
}

void CheckSpecialValue(double value, const std::string& text) {
  if (std::isnan(value)) FUZZ_CHECK(text == "NAN", "NaN written as %s", text.c_str());
  if (std::isinf(value))
    FUZZ_CHECK(text == (value < 0 ? "-INF" : "INF"), "%g written as %s", value, text.c_str());
  if (value == 0) FUZZ_CHECK(text == "0", "zero written as %s", text.c_str());
}

// The 15-digit text of the largest doubles, 1.79769313486232E308, lies above
// the largest double by more than half a unit: it reads back but overflows on
// the store.
bool ReadsBackBeyondTheDoubleRange(const std::string& text) {
  const std::string largest = "1" + app::DecimalSeparator() + "79769313486232E308";
  return text == largest || text == "-" + largest;
}

void CheckNormalValue(double value, const std::string& text) {
  const long double extended = app::ParseReal(text);
  if (ReadsBackBeyondTheDoubleRange(text)) return;
  const double read = core::Extended(extended).ToDouble();
  const int decimal_exponent = app::ToDecimalDigits(value, 15).exponent - 1;
  const long double unit = std::pow(10.0L, decimal_exponent - 14);
  FUZZ_CHECK(std::fabs(static_cast<long double>(read) - value) <= unit, "%a -> %s -> %a", value,
             text.c_str(), read);
  const std::string again = app::FormatReal(read);
  if (again != text && InBand(std::fabs(read))) {
    // The leading-zero form, and its value within one unit of the 14th digit.
    const std::string leading_zero = (read < 0 ? "-0" : "0") + app::DecimalSeparator();
    FUZZ_CHECK(again.starts_with(leading_zero), "%a -> %s -> %a -> %s", value, text.c_str(), read,
               again.c_str());
    const long double fourteen_digit_unit = std::pow(10.0L, LeadingDigitExponent(read) - 13);
    FUZZ_CHECK(std::fabs(app::ParseReal(again) - read) <= fourteen_digit_unit,
               "%a -> %s -> %a -> %s", value, text.c_str(), read, again.c_str());
  } else {
    FUZZ_CHECK(again == text, "%a -> %s -> %a -> %s", value, text.c_str(), read, again.c_str());
  }
  const int tail = DigitsSixteenToEighteen(value);
  if (tail < 490 || tail > 510)
    FUZZ_CHECK(text == PrintfLayout(value), "%a: %s, printf %s", value, text.c_str(),
               PrintfLayout(value).c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1 + sizeof(double)) return 0;
  app::SetDecimalSeparator(fuzz::SeparatorFor(data[0]));
  double value = 0;
  std::memcpy(&value, data + 1, sizeof value);
  const std::string text = app::FormatReal(value);
  if (!std::isfinite(value) || value == 0) return CheckSpecialValue(value, text), 0;
  FUZZ_CHECK(text.size() <= 24, "%a written as %s", value, text.c_str());
  if (std::isnormal(value) && !InBand(std::fabs(value))) CheckNormalValue(value, text);
  return 0;
}
