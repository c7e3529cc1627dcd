// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/system_error.h"

#include <string.h>

namespace app {

std::string SystemErrorText(int error_code) {
  // strerror_l would need a locale object; the GNU strerror_r is safe on
  // any thread and gives the same text as strerror.
  char buffer[256];
  std::string description = ::strerror_r(error_code, buffer, sizeof buffer);
  while (!description.empty()) {
    const auto last = static_cast<unsigned char>(description.back());
    if (last > ' ' && last != '.' && last != 0x7F) break;
    description.pop_back();
  }
  return description;
}

}  // namespace app
