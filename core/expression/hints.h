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
// "x^2 или x*2" for "x2"; none when the name is not made of them. Before a
// bracket only a name that ends in a function is: "xsin(" is "x*sin(…)",
// while "sine(" is no sine of e.
std::optional<std::string> RunTogetherHint(std::string_view name, bool before_bracket);

// What to write instead of an unknown function: the names that begin with
// its first letter ("arcsin, arccos, arctg, arcctg" for "arctan"), or where
// the list is.
std::string FunctionHint(std::string_view name);

}  // namespace core::expression
