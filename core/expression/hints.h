// SPDX-License-Identifier: GPL-3.0-or-later
// What the reader's messages suggest, so that each refusal names its fix:
// the Latin letter a Cyrillic one looks like, and what a name that runs
// several together ("sinx", "xx") was probably meant to be.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace core::expression {

// Raises EFormulaError for a character that begins no token, with the
// keyboard layout's hint for a Cyrillic letter: "русская «х» в позиции 3 —
// переключите раскладку: x". The character is quoted apart in the error.
[[noreturn]] void RefuseCharacter(std::string_view character, std::size_t position);

// A name of the language's words run together, written out: "sin(x)" for
// "sinx", "x*x" for "xx", "pi*x" for "pix", "sin(2*x)" for "sin2x",
// "x^2 или x*2" for "x2"; none when the name is not made of them.
std::optional<std::string> RunTogetherHint(std::string_view name);

// The functions' first names, for the message about an unknown one.
std::string FunctionNames();

}  // namespace core::expression
