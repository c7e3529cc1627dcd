// SPDX-License-Identifier: GPL-3.0-or-later
// The text that the default error report shows.
#pragma once

#include <string>
#include <string_view>

namespace app {

// The caption of every error message box: the application title.
inline constexpr std::string_view kApplicationTitle = "Решение нелинейных уравнений";

// The message with a "." appended, unless it is empty or its last character
// (code point) has a code of 46 (".") or lower.
std::string ReportText(std::string_view message);

}  // namespace app
