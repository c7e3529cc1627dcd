// SPDX-License-Identifier: GPL-3.0-or-later
// The tree of a typed formula. Nodes never change once made and share their
// children. Within one formula a node table (below) makes one node for each
// structure: two sin(x) typed in one formula are one node, and a derivative
// that names a subtree of its formula reuses it. So equal subtrees are equal
// pointers, the derivative is a graph no larger than a few times its formula,
// and the compiled program (evaluate.h) computes each shared subtree once.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>

namespace core::expression {

enum class NodeKind : std::uint8_t {
  kNumber,    // a number as written, or one folded from numbers
  kVariable,  // x, k or l
  kConstant,  // pi or e
  kNegate,
  kAdd,  // the operators: the node holds its row of operators.h
  kSubtract,
  kMultiply,
  kDivide,
  kPower,
  kCall,  // a function of the table, of one argument: the node holds its row
};

enum class Variable : std::uint8_t { kX, kK, kL };
enum class NamedConstant : std::uint8_t { kPi, kE };

struct Operator;       // operators.h
struct FunctionEntry;  // functions.h

struct Node;
using NodePtr = std::shared_ptr<const Node>;

struct Node {
  NodeKind kind = NodeKind::kNumber;
  Variable variable = Variable::kX;
  NamedConstant constant = NamedConstant::kPi;
  const Operator* op = nullptr;             // the operators
  const FunctionEntry* function = nullptr;  // kCall
  long double number = 0;
  std::string text;  // a number as written ("1,5"); empty for a folded one
  NodePtr left;      // the only operand of a negation or a call
  NodePtr right;
  bool has_x = false;  // x occurs in the subtree: its derivative is not 0
};

// Makes the nodes of one formula, one for each structure (hash-consing): a
// node asked for again is the node made before. Nodes outlive the table.
class NodeTable {
 public:
  NodePtr MakeNumber(long double value, std::string_view text = {});
  NodePtr MakeVariable(Variable variable);
  NodePtr MakeConstant(NamedConstant constant);
  NodePtr MakeNegate(const NodePtr& operand);
  NodePtr MakeBinary(const Operator& op, const NodePtr& left, const NodePtr& right);
  NodePtr MakeCall(const FunctionEntry& function, const NodePtr& argument);

 private:
  NodePtr Intern(Node&& node);

  // Children are compared as pointers: they were made by this table.
  struct Hash {
    std::size_t operator()(const NodePtr& node) const;
  };
  struct Same {
    bool operator()(const NodePtr& a, const NodePtr& b) const;
  };
  std::unordered_set<NodePtr, Hash, Same> nodes_;
};

inline bool IsNumber(const NodePtr& node, long double value) {
  return node->kind == NodeKind::kNumber && node->number == value;
}

}  // namespace core::expression
