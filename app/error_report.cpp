// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/error_report.h"

namespace app {

// In UTF-8 every byte of a character beyond ASCII is 0x80 or above, so
// comparing the last byte, unsigned, with "." decides as comparing the last
// code point would: a message that ends in a Cyrillic letter gets its ".".
std::string ReportText(std::string_view message) {
  std::string text(message);
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') text += '.';
  return text;
}

}  // namespace app
