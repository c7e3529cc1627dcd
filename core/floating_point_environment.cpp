// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/floating_point_environment.h"

namespace core {

namespace {
constexpr std::uint32_t kMxcsrConditionFlags = 0x003F;
}  // namespace

// Every statement names memory as clobbered, so the compiler keeps loads and
// stores of the numbers on the side of the change where the source has them.
FloatingPointControl SaveFloatingPointControl() {
  FloatingPointControl control;
  asm volatile("fnstcw %0" : "=m"(control.x87)::"memory");
  asm volatile("stmxcsr %0" : "=m"(control.mxcsr)::"memory");
  return control;
}

void LoadFloatingPointControl(FloatingPointControl control) {
  const std::uint32_t mxcsr = control.mxcsr & ~kMxcsrConditionFlags;
  asm volatile("fnclex\n\tfldcw %0" : : "m"(control.x87) : "memory");
  asm volatile("ldmxcsr %0" : : "m"(mxcsr) : "memory");
}

void EstablishFloatingPointEnvironment() {
  LoadFloatingPointControl(kProgramFloatingPointControl);
}

std::uint16_t FloatingPointControlWord() {
  return SaveFloatingPointControl().x87;
}

ProgramFloatingPointScope::ProgramFloatingPointScope() : caller_(SaveFloatingPointControl()) {
  EstablishFloatingPointEnvironment();
}

ProgramFloatingPointScope::~ProgramFloatingPointScope() {
  LoadFloatingPointControl(caller_);
}

}  // namespace core
