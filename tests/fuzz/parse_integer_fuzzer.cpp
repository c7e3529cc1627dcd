// SPDX-License-Identifier: GPL-3.0-or-later
// ParseInteger on arbitrary text against a reference built from the grammar's
// shape and strtoull, and FormatInteger against the C++ library.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "app/number_text.h"
#include "core/errors.h"
#include "fuzz_check.h"

namespace {

bool AllOf(std::string_view text, std::string_view characters) {
  return !text.empty() && text.find_first_not_of(characters) == std::string_view::npos;
}

// Blanks, a sign, a hexadecimal prefix or none, digits, nothing after: the
// digits' value (leading zeros aside) must fit 32 bits for hexadecimal, the
// signed range for decimal.
std::optional<std::int32_t> Reference(std::string_view text) {
  text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
  const bool negative = text.starts_with('-');
  if (negative || text.starts_with('+')) text.remove_prefix(1);
  std::size_t prefix = 0;
  if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X')) prefix = 1;
  if (text.starts_with("0x") || text.starts_with("0X")) prefix = 2;
  const bool hexadecimal = prefix > 0;
  text.remove_prefix(prefix);
  if (!AllOf(text, hexadecimal ? "0123456789ABCDEFabcdef" : "0123456789")) return std::nullopt;

  text.remove_prefix(std::min(text.find_first_not_of('0'), text.size() - 1));
  if (text.size() > (hexadecimal ? 8u : 10u)) return std::nullopt;
  const std::uint64_t magnitude =
      std::strtoull(std::string(text).c_str(), nullptr, hexadecimal ? 16 : 10);
  if (hexadecimal) {
    const auto pattern = static_cast<std::uint32_t>(magnitude);
    return static_cast<std::int32_t>(negative ? 0u - pattern : pattern);
  }
  if (magnitude > (negative ? 2147483648u : 2147483647u)) return std::nullopt;
  return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(magnitude)
                                            : static_cast<std::int64_t>(magnitude));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::optional<std::int32_t> expected = Reference(text);
  try {
    const std::int32_t value = app::ParseInteger(text);
    FUZZ_CHECK(expected && *expected == value, "accepted as %d", value);
  } catch (const core::EConvertError& error) {
    FUZZ_CHECK(!expected, "rejected, expected %d", expected.value_or(0));
    FUZZ_CHECK(error.Message() == "'" + std::string(text) + "' is not a valid integer value",
               "message %s", error.Message().c_str());
  }

  if (size >= 4) {
    std::int32_t number = 0;
    std::memcpy(&number, data, sizeof number);
    const std::string written = app::FormatInteger(number);
    FUZZ_CHECK(written == std::to_string(number), "%d written as %s", number, written.c_str());
    FUZZ_CHECK(app::ParseInteger(written) == number, "%s read back", written.c_str());
  }
  return 0;
}
