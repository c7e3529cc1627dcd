// SPDX-License-Identifier: GPL-3.0-or-later
// The four root-finding methods behind one entry point, run(). The window that
// owns the inputs is reached through RootFindingHost, so the methods run the
// same in the program and in tests.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/equation_source.h"
#include "core/equations.h"
#include "core/history.h"

namespace core {

// The three operations of the window that the methods need.
class RootFindingHost {
 public:
  virtual ~RootFindingHost() = default;
  // The selected equation (low 8 bits of the list's selected index); read
  // before every single evaluation of f or f_.
  virtual std::uint8_t SelectedEquation() const = 0;
  // What the methods solve, read where SelectedEquation was read: by default
  // the selected built-in equation; a window with a typed formula gives that.
  virtual EquationSource SelectedSource() const { return SelectedEquation(); }
  // The precision text as typed (UTF-8); read once, after the method, for the
  // number of decimals of the root.
  virtual std::string PrecisionText() const = 0;
  // Dispatches every pending window message and returns; never waits.
  virtual void ProcessMessages() = 0;
};

enum Method : std::uint8_t {
  kBisection = 1,
  kChords = 2,
  kTangents = 3,
  kSecants = 4,
  kSimpleIteration = 5,
  kCombined = 6,
};

// Runs method number `method` on the selected equation and returns the
// iteration count (loop passes + 1). `root` is the shared root variable:
// written while the method runs and, at the end, with the root rounded to the
// decimals that the length of the precision text gives. `coefficients` is the
// shared state, read at every evaluation.
//
// `history`, when given, receives what the method did as it did it: its
// inputs, its passes, its evaluation counts and its outcome (count and rounded
// root, or the message of the error it ended in, which still propagates).
// Recording changes no result, count or error.
std::int32_t run(RootFindingHost& host, const Coefficients& coefficients, std::uint8_t method,
                 double& root, double a, double eps, double b, MethodHistory* history = nullptr);

// The same for a method that reads settings of its own (core/method_table.h).
struct MethodParameters;
std::int32_t run(RootFindingHost& host, const Coefficients& coefficients, std::uint8_t method,
                 double& root, double a, double eps, double b, const MethodParameters& parameters,
                 MethodHistory* history = nullptr);

// The power of ten to whose multiples run() rounds the root: 2 minus the
// length of the precision text in characters.
int RoundingDigit(std::string_view precision_text);

// Rounds v to a multiple of 10^d, ties to even (see the implementation for the
// exact order of operations).
double RoundDecimal(double v, int d);

}  // namespace core
