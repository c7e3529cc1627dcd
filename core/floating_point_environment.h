// SPDX-License-Identifier: GPL-3.0-or-later
// The processor's floating-point settings: the x87 control word, which sets
// the precision and rounding of the extended arithmetic, and SSE's MXCSR,
// which does the same for double and float. This is the one place that reads
// or writes them.
#pragma once

#include <cstdint>

namespace core {

struct FloatingPointControl {
  std::uint16_t x87 = 0;
  std::uint32_t mxcsr = 0;
};

// The program's settings: x87 0x037F (64-bit precision, round to nearest,
// every exception masked) and SSE's default 0x1F80 (round to nearest, every
// exception masked). Hardware traps stay off because the GUI toolkit computes
// with floating point of its own; the checks of core::Extended raise the three
// error conditions instead.
inline constexpr FloatingPointControl kProgramFloatingPointControl{0x037F, 0x1F80};

// The settings now in force.
FloatingPointControl SaveFloatingPointControl();

// Clears every pending condition, x87 and SSE, and loads `control` (its SSE
// condition flags are not loaded).
void LoadFloatingPointControl(FloatingPointControl control);

// Loads the program's settings with no condition pending.
void EstablishFloatingPointEnvironment();

// The x87 control word now in force (for tests and diagnostics).
std::uint16_t FloatingPointControlWord();

// For its lifetime, the program's settings with no condition pending; the
// caller's settings come back afterwards, again with no condition pending.
// For code that may be called with settings of another library's choosing.
class ProgramFloatingPointScope {
 public:
  ProgramFloatingPointScope();
  ~ProgramFloatingPointScope();
  ProgramFloatingPointScope(const ProgramFloatingPointScope&) = delete;
  ProgramFloatingPointScope& operator=(const ProgramFloatingPointScope&) = delete;

 private:
  FloatingPointControl caller_;
};

}  // namespace core
