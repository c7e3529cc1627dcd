// SPDX-License-Identifier: GPL-3.0-or-later
// The evaluation of a formula's tree with the checked extended arithmetic.
// The tree is compiled once into a flat program that one loop runs: a
// root-finding method evaluates the same formula thousands of times, and
// walking the tree would cost more than its one cosine.
//
// The program has one instruction for each distinct node, in the order a
// walk of the tree first meets it (operands before their operation, left
// before right), and each instruction's value is kept in its own slot. A
// subtree that occurs twice (sin(x) in sin(x)/sin(x), or the formula's nodes
// that its derivative names again) is computed once and read twice: the same
// operations on the same values give the same bits, and the first error
// raised is the one the tree in written order would raise first.
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

class Program {
 public:
  explicit Program(const NodePtr& tree);
  Extended Run(const Arguments& arguments) const;

  // Instructions, one for each distinct node: the cost of one evaluation.
  std::size_t Size() const { return code_.size(); }

 private:
  // An instruction has the kind of its node and what the node holds: its
  // number, which argument it reads, or the function of its call, the same
  // function the parser put into the node (an operator's kind names its row).
  struct Instruction {
    NodeKind kind;
    std::uint32_t left;   // slot of the first operand
    std::uint32_t right;  // slot of the second operand
    long double number;
    Extended Arguments::*variable;
    Extended (*unary)(Extended u);
  };

  std::vector<Instruction> code_;
};

}  // namespace core::expression
