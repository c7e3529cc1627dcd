// SPDX-License-Identifier: GPL-3.0-or-later
// The evaluation of a formula's tree with the checked extended arithmetic.
// The tree is compiled once into a flat program (postfix order) that one loop
// runs: a root-finding method evaluates the same formula thousands of times,
// and walking the tree would cost more than its one cosine.
#pragma once

#include <cstdint>
#include <vector>

#include "core/expression/node.h"
#include "core/extended.h"

namespace core::expression {

// The values the variables take.
struct Arguments {
  Extended x;
  Extended k;
  Extended l;
};

// a op b for the four operations and the power, each with its errors: the
// power raises an invalid operation for 0^0 and for a negative base to a
// power that is not a whole number, a division by zero for 0 to a negative
// power, and an overflow beyond the extended range.
Extended EvaluateBinary(NodeKind kind, Extended a, Extended b);

class Program {
 public:
  explicit Program(const NodePtr& tree);
  Extended Run(const Arguments& arguments) const;

 private:
  enum class Op : std::uint8_t {
    kNumber,
    kX,
    kK,
    kL,
    kNegate,
    kAdd,
    kSubtract,
    kMultiply,
    kDivide,
    kPower,
    kCall
  };
  struct Instruction {
    Op op;
    std::uint8_t function;
    long double number;
  };
  void Emit(const Node& node, int depth);

  std::vector<Instruction> code_;
  int stack_size_ = 0;
};

}  // namespace core::expression
