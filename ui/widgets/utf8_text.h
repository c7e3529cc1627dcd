// SPDX-License-Identifier: GPL-3.0-or-later
// The layers below the windows keep text as UTF-8 with its length; a NUL
// inside it is part of the text, so the length goes along to Qt.
#pragma once

#include <QString>
#include <string_view>

namespace ui {

inline QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace ui
