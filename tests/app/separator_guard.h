// SPDX-License-Identifier: GPL-3.0-or-later
// Sets the process-wide decimal separator for one test and puts the previous
// one back afterwards.
#pragma once

#include <string>

#include "app/number_text.h"

namespace app::testing {

class SeparatorGuard {
 public:
  explicit SeparatorGuard(std::string separator) : previous_(DecimalSeparator()) {
    SetDecimalSeparator(std::move(separator));
  }
  ~SeparatorGuard() { SetDecimalSeparator(previous_); }
  SeparatorGuard(const SeparatorGuard&) = delete;
  SeparatorGuard& operator=(const SeparatorGuard&) = delete;

 private:
  std::string previous_;
};

// U+066B ARABIC DECIMAL SEPARATOR: one character, two bytes in UTF-8.
inline constexpr const char* kArabicSeparator = "\u066B";

}  // namespace app::testing
