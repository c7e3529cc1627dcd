// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a typed formula into its tree, by recursive descent with one function
// per precedence level, as a school textbook orders them:
//
//   equation = sum [ "=" sum ]                        lhs = rhs is lhs − (rhs)
//   sum      = product { ("+" | "-") product }
//   product  = signed { ("*" | "/") signed | power }  2x, (x+1)(x-1)
//   signed   = "-" signed | "+" signed | power        −x^2 is −(x^2)
//   power    = primary [ "²" | "³" | ("^" | "**") signed ]   right-associative
//   primary  = number | variable | constant | function "(" sum ")"
//            | "(" sum ")" | "√" primary
//
// Variables are x, k and l, constants pi and e. Multiplication may be left
// out only where no reader could take it another way: after a number before
// a name, a bracket or a root (2x, 2sin(x), 3(x+1)), and after a bracket or
// a superscript before the same ((x+1)(x-1), (x+1)x, x²x). Elsewhere it is
// refused with the text written out both ways: after a division (1/2x is
// 1/(2*x) or 1/2*x), after an exponent or a root written without brackets
// (e^2x, √2x), and after a name (x(x+1) may be a call). Two names run
// together ("sinx", "xx") are refused with what they were probably meant to
// be; so is log, which may mean ln or lg.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/expression/node.h"

namespace core::expression {

// The limits of a formula: longer or deeper texts are refused with a message
// before they can cost time or stack. The length holds for the text as typed
// and for its canonical form (CanonicalText), which writes out what was left
// out, so that the canonical form reads back too.
inline constexpr std::size_t kMaxFormulaLength = 1000;  // characters
inline constexpr int kMaxNestingDepth = 100;  // brackets, calls, signs and exponents within another

// A formula as read: the function whose zeros are sought, and the sides as
// they were typed.
struct Reading {
  NodePtr left;      // the formula, or the left side of an equation
  NodePtr right;     // the right side; null without "="
  NodePtr function;  // left − (right); left alone without "=" or with "= 0"
};

// The reading of `text` (UTF-8), with nodes from `table`, or EFormulaError
// with the message, its hint and the position.
Reading Read(std::string_view text, NodeTable& table);

// The function of `text` alone, with a node table of its own.
NodePtr Parse(std::string_view text);

// The reading as text with every operation written out: "2x²=1" reads as
// "2*x^2=1", "√x" as "sqrt(x)". It reads back into the same reading.
std::string CanonicalText(const Reading& reading);

}  // namespace core::expression
