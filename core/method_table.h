// SPDX-License-Identifier: GPL-3.0-or-later
// The four methods as one table: number, name and function. Everything that
// lists the methods (the run, the results table's names, the detail windows,
// the benchmarks and tests) reads this table instead of repeating it.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/methods.h"

namespace core {

// Every method takes the same arguments; tangents start from a and ignore b.
using MethodFunction = std::int32_t (*)(Evaluator& eq, double& x, double a, double eps, double b);

struct MethodEntry {
  Method number;
  std::string_view key;   // a short ASCII name for file names and benchmark labels
  std::string_view name;  // as the results table names it (UTF-8)
  MethodFunction function;
};

inline constexpr std::array<MethodEntry, 4> kMethods = {{
    {kBisection, "bisection", "Метод половинного деления", Bisection},
    {kChords, "chords", "Метод хорд", Chords},
    {kTangents, "tangents", "Метод касательных", Tangents},
    {kSecants, "secants", "Метод секущих", Secants},
}};

// The entry of method number `number`, or null when there is no such method.
inline const MethodEntry* FindMethod(std::uint8_t number) {
  for (const MethodEntry& entry : kMethods)
    if (entry.number == number) return &entry;
  return nullptr;
}

}  // namespace core
