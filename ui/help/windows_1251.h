// SPDX-License-Identifier: GPL-3.0-or-later
// Windows-1251, the program's own Cyrillic code page, decoded by a table of
// its own: the mapping is fixed, and a table does not depend on which
// conversions the C library or Qt happen to ship.
#pragma once

#include <QString>
#include <string_view>

namespace ui {

// Each byte is one character; 0x98, which the code page leaves unassigned,
// becomes U+0098 as Windows itself does.
QString DecodeWindows1251(std::string_view bytes);

}  // namespace ui
