// SPDX-License-Identifier: GPL-3.0-or-later
// ScanReal and ParseReal on arbitrary text: they agree with each other, never
// leave the floating-point settings changed or a condition pending, and what
// they accept lies within the accumulated rounding of glibc's correctly
// rounded strtold.
#include <cfenv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "app/number_text.h"
#include "core/errors.h"
#include "core/floating_point_environment.h"
#include "fuzz_check.h"

namespace {

// The accepted text in strtold's C-locale syntax: blanks dropped, the
// separator made ".", an exponent letter without digits dropped. Counts the
// mantissa digits.
std::string CLocaleText(std::string_view text, std::string_view separator, int& digits) {
  std::string result;
  digits = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (text.substr(i).starts_with(separator)) {
      result += '.';
      i += separator.size();
      continue;
    }
    const char c = text[i++];
    if (c == ' ') continue;
    if (c >= '0' && c <= '9' && result.find_first_of("eE") == std::string::npos) ++digits;
    result += c;
  }
  const auto letter = result.find_first_of("eE");
  const bool exponent_digits = letter != std::string::npos &&
                               result.find_first_of("0123456789", letter) != std::string::npos;
  if (letter != std::string::npos && !exponent_digits) result.erase(letter);
  return result;
}

bool SameBits(long double a, long double b) {
  return std::memcmp(&a, &b, 10) == 0;  // the 80 bits of the value, not the padding
}

void CheckAgainstStrtold(std::string_view text, long double value) {
  int digits = 0;
  const std::string c_text = CLocaleText(text, app::DecimalSeparator(), digits);
  const bool negative = c_text.starts_with('-');
  if (digits == 0) {  // a lone separator: zero with the sign
    FUZZ_CHECK(value == 0 && std::signbit(value) == negative, "[%s]", c_text.c_str());
    return;
  }
  char* end = nullptr;
  const long double reference = std::strtold(c_text.c_str(), &end);
  FUZZ_CHECK(*end == '\0', "strtold stopped early in [%s]", c_text.c_str());
  if (std::isinf(reference)) return;  // rounding to the extended maximum differs
  const long double relative = (digits + 8) * 0x1p-63L;
  const long double tolerance = std::fabs(reference) * relative + 0x1p-16440L;
  FUZZ_CHECK(std::fabs(value - reference) <= tolerance, "[%s] gives %La, strtold %La",
             c_text.c_str(), value, reference);
  FUZZ_CHECK(std::signbit(value) == negative, "[%s] sign", c_text.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  app::SetDecimalSeparator(fuzz::SeparatorFor(data[0]));
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  const std::uint16_t control_word = core::FloatingPointControlWord();
  long double scanned = 0;
  const bool accepted = app::ScanReal(text, scanned);
  FUZZ_CHECK(core::FloatingPointControlWord() == control_word, "settings not restored");
  FUZZ_CHECK(std::fetestexcept(FE_ALL_EXCEPT) == 0, "a condition left pending");

  try {
    const long double parsed = app::ParseReal(text);
    FUZZ_CHECK(accepted && SameBits(parsed, scanned), "ParseReal accepted what ScanReal did not");
  } catch (const core::EConvertError& error) {
    FUZZ_CHECK(!accepted, "ParseReal rejected what ScanReal accepted");
    FUZZ_CHECK(error.Message() == "'" + std::string(text) + "' is not a valid floating point value",
               "message %s", error.Message().c_str());
  }
  if (accepted) {
    FUZZ_CHECK(std::isfinite(scanned), "accepted a non-finite value");
    CheckAgainstStrtold(text, scanned);
  }
  return 0;
}
