// SPDX-License-Identifier: GPL-3.0-or-later
// The process-wide decimal separator and its source, the user's LC_NUMERIC
// locale. The locale is looked up on its own, with newlocale, so the answer is
// the environment's whether or not anyone (the GUI toolkit, for one) has
// called setlocale yet.
#include <langinfo.h>
#include <locale.h>

#include <string>
#include <string_view>

#include "app/number_text.h"

namespace app {

namespace {

constexpr std::string_view kDefaultSeparator = ".";

std::string& CurrentSeparator() {
  static std::string separator(kDefaultSeparator);
  return separator;
}

// The length of the UTF-8 sequence that a lead byte opens; 0 for a byte that
// cannot open one.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// One UTF-8 sequence, or one byte of a legacy single-byte locale.
bool IsOneCharacter(std::string_view text) {
  if (text.size() == 1) return true;
  if (text.empty() || SequenceLength(static_cast<unsigned char>(text.front())) != text.size())
    return false;
  for (const char byte : text.substr(1))
    if (!IsContinuation(static_cast<unsigned char>(byte))) return false;
  return true;
}

}  // namespace

const std::string& DecimalSeparator() {
  return CurrentSeparator();
}

void SetDecimalSeparator(std::string separator) {
  CurrentSeparator() = std::move(separator);
}

std::string DecimalSeparatorFromRadix(std::string_view radix) {
  return std::string(IsOneCharacter(radix) ? radix : kDefaultSeparator);
}

std::string LocaleDecimalSeparator() {
  const locale_t user_locale = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
  if (user_locale == static_cast<locale_t>(0)) return std::string(kDefaultSeparator);
  const char* const radix = nl_langinfo_l(RADIXCHAR, user_locale);
  std::string separator = DecimalSeparatorFromRadix(radix != nullptr ? radix : "");
  freelocale(user_locale);
  return separator;
}

void ReadDecimalSeparator() {
  SetDecimalSeparator(LocaleDecimalSeparator());
}

}  // namespace app
