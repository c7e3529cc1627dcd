// SPDX-License-Identifier: GPL-3.0-or-later
// Left-to-right reading of a number text, shared by the real and the whole
// number readers. Blanks are the space character only and digits are the ASCII
// digits only: a tab or a non-ASCII digit makes a number text invalid.
#pragma once

#include <string_view>

namespace app {

class TextCursor {
 public:
  explicit TextCursor(std::string_view text) : rest_(text) {}

  bool AtEnd() const { return rest_.empty(); }

  void SkipBlanks() {
    while (!rest_.empty() && rest_.front() == ' ') rest_.remove_prefix(1);
  }

  // Consumes `expected` when the text continues with it.
  bool Take(std::string_view expected) {
    if (expected.empty() || !rest_.starts_with(expected)) return false;
    rest_.remove_prefix(expected.size());
    return true;
  }
  bool Take(char expected) { return Take(std::string_view(&expected, 1)); }

  // Consumes a decimal digit and gives its value; -1 (nothing consumed) when
  // the next character is not one.
  int TakeDigit() {
    if (rest_.empty() || rest_.front() < '0' || rest_.front() > '9') return -1;
    const int digit = rest_.front() - '0';
    rest_.remove_prefix(1);
    return digit;
  }

  // Consumes a hexadecimal digit (0-9, A-F, a-f) and gives its value; -1 when
  // the next character is not one.
  int TakeHexDigit() {
    if (rest_.empty()) return -1;
    const char next = rest_.front();
    int digit = -1;
    if (next >= '0' && next <= '9') digit = next - '0';
    if (next >= 'A' && next <= 'F') digit = next - 'A' + 10;
    if (next >= 'a' && next <= 'f') digit = next - 'a' + 10;
    if (digit >= 0) rest_.remove_prefix(1);
    return digit;
  }

 private:
  std::string_view rest_;
};

}  // namespace app
