// Reading a real number: decimal digits accumulated in the extended format,
// then one scaling by the power of ten that the fraction and the exponent
// give. Each step is rounded to extended, so the result can differ from a
// correctly rounded conversion (strtold) in the last bits; that is the
// program's rule, not an error to fix.
#include <cmath>
#include <cstdint>
#include <string>

#include "app/number_text.h"
#include "app/text_cursor.h"
#include "core/errors.h"

namespace app {

namespace {

// For the duration of a scan: 64-bit significand, rounding to nearest, every
// condition masked and none pending. The caller's control settings come back
// afterwards, again with no condition pending. The scan itself never looks at
// the status flags (see ScanReal); they are cleared so that it leaves none
// behind.
class ScanFloatingPointSettings {
 public:
  ScanFloatingPointSettings() {
    asm volatile("fnstcw %0" : "=m"(caller_control_word_)::"memory");
    asm volatile("stmxcsr %0" : "=m"(caller_mxcsr_)::"memory");
    Load(kScanControlWord, kScanMxcsr);
  }
  ~ScanFloatingPointSettings() { Load(caller_control_word_, caller_mxcsr_ & ~kMxcsrFlags); }
  ScanFloatingPointSettings(const ScanFloatingPointSettings&) = delete;
  ScanFloatingPointSettings& operator=(const ScanFloatingPointSettings&) = delete;

 private:
  static constexpr std::uint16_t kScanControlWord = 0x037F;  // extended, nearest, all masked
  static constexpr std::uint32_t kScanMxcsr = 0x1F80;        // nearest, all masked
  static constexpr std::uint32_t kMxcsrFlags = 0x003F;

  static void Load(std::uint16_t control_word, std::uint32_t mxcsr) {
    asm volatile("fnclex\n\tfldcw %0" : : "m"(control_word) : "memory");
    asm volatile("ldmxcsr %0" : : "m"(mxcsr) : "memory");
  }

  std::uint16_t caller_control_word_ = 0;
  std::uint32_t caller_mxcsr_ = 0;
};

// Reads digits into v: v = v * 10, then v = v + d, each step rounded to
// extended. Gives the number of digits read.
std::int64_t AccumulateDigits(TextCursor& cursor, long double& v) {
  std::int64_t count = 0;
  for (int digit = cursor.TakeDigit(); digit >= 0; digit = cursor.TakeDigit(), ++count) {
    v = v * 10;
    v = v + digit;
  }
  return count;
}

// The exponent after "E" or "e": an optional sign and digits, read until the
// value reaches 500 (further digits stay unread and so make the text invalid).
// The letter alone, or with a sign only, means 0.
int ReadExponent(TextCursor& cursor) {
  if (!cursor.Take('E') && !cursor.Take('e')) return 0;
  const bool negative = cursor.Take('-');
  if (!negative) cursor.Take('+');
  constexpr int kExponentReadLimit = 500;
  int exponent = 0;
  for (int digit = 0; exponent < kExponentReadLimit && (digit = cursor.TakeDigit()) >= 0;)
    exponent = exponent * 10 + digit;
  return negative ? -exponent : exponent;
}

// x - F, kept within the range where ScaleByPowerOfTen still tells powers
// apart: a text may hold more fraction digits than an int counts.
int ScalePower(int exponent, std::int64_t fraction_digits) {
  constexpr std::int64_t kBeyondTables = 5120;
  const std::int64_t power = exponent - fraction_digits;
  return static_cast<int>(power < -kBeyondTables ? -kBeyondTables : power);
}

}  // namespace

// Invalid operation and overflow are detected from the values, not from the
// status flags: accumulating digits and scaling by positive constants can make
// no NaN, and v only grows while digits are read and an infinity stays one, so
// a test before and after the scaling sees every overflow.
bool ScanReal(std::string_view text, long double& value) {
  const ScanFloatingPointSettings settings;
  TextCursor cursor(text);
  cursor.SkipBlanks();
  const bool negative = cursor.Take('-');
  if (!negative) cursor.Take('+');

  long double v = 0;
  const std::int64_t integer_digits = AccumulateDigits(cursor, v);
  const bool has_separator = cursor.Take(DecimalSeparator());
  const std::int64_t fraction_digits = has_separator ? AccumulateDigits(cursor, v) : 0;
  if (integer_digits == 0 && !has_separator) return false;

  const int exponent = ReadExponent(cursor);
  cursor.SkipBlanks();
  if (!cursor.AtEnd() || !std::isfinite(v)) return false;

  v = ScaleByPowerOfTen(v, ScalePower(exponent, fraction_digits));
  if (!std::isfinite(v)) return false;
  value = negative ? -v : v;
  return true;
}

long double ParseReal(std::string_view text) {
  long double value = 0;
  if (!ScanReal(text, value))
    throw core::EConvertError("'", text, "' is not a valid floating point value");
  return value;
}

}  // namespace app
