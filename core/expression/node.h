// SPDX-License-Identifier: GPL-3.0-or-later
// The tree of a typed formula. Nodes never change once made and share their
// children, so a derivative reuses the subtrees of its formula instead of
// copying them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace core::expression {

enum class NodeKind : std::uint8_t {
  kNumber,    // a number as written, or one folded from numbers
  kVariable,  // x, k or l
  kConstant,  // pi or e
  kNegate,
  kAdd,
  kSubtract,
  kMultiply,
  kDivide,
  kPower,
  kCall,  // a function of the table, of one argument
};

enum class Variable : std::uint8_t { kX, kK, kL };
enum class NamedConstant : std::uint8_t { kPi, kE };

struct Node;
using NodePtr = std::shared_ptr<const Node>;

struct Node {
  NodeKind kind = NodeKind::kNumber;
  Variable variable = Variable::kX;
  NamedConstant constant = NamedConstant::kPi;
  std::uint8_t function = 0;  // index into kFunctions
  long double number = 0;
  std::string text;  // a number as written ("1,5"); empty for a folded one
  NodePtr left;      // the only operand of a negation or a call
  NodePtr right;
  bool has_x = false;  // x occurs in the subtree: its derivative is not 0
};

// The nodes as written: no simplification, so that the tree evaluates in the
// order the text gives.
NodePtr MakeNumber(long double value, std::string text = {});
NodePtr MakeVariable(Variable variable);
NodePtr MakeConstant(NamedConstant constant);
NodePtr MakeNegate(NodePtr operand);
NodePtr MakeBinary(NodeKind kind, NodePtr left, NodePtr right);
NodePtr MakeCall(std::uint8_t function, NodePtr argument);

inline bool IsNumber(const NodePtr& node, long double value) {
  return node->kind == NodeKind::kNumber && node->number == value;
}

}  // namespace core::expression
