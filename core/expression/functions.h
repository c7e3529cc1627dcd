// SPDX-License-Identifier: GPL-3.0-or-later
// The functions a formula may call, in one table: their names (the Russian
// textbook's first, then the international ones), their checked evaluation,
// their derivative and the domain rule that help states. Parser, evaluation,
// derivative, printer and help all read this table.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/expression/node.h"
#include "core/extended.h"

namespace core::expression {

struct FunctionEntry {
  std::array<std::string_view, 2> names;  // the second may be empty
  // The value, with the checked arithmetic's errors where it is not defined.
  Extended (*evaluate)(Extended u);
  // d f(u) / du, as a tree of u; the chain rule multiplies it by u′.
  NodePtr (*derivative)(const NodePtr& u);
  std::string_view domain;  // where it raises an error, for help; empty: nowhere
};

inline constexpr std::size_t kFunctionCount = 16;
extern const std::array<FunctionEntry, kFunctionCount> kFunctions;

// The index of the function with this name, under either of its names.
std::optional<std::uint8_t> FindFunction(std::string_view name);

}  // namespace core::expression
