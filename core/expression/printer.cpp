// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/expression/printer.h"

#include <charconv>
#include <cmath>

#include "core/expression/functions.h"
#include "core/expression/operators.h"

namespace core::expression {

namespace {

bool IsSigned(const Node& node) {
  return node.kind == NodeKind::kNegate ||
         (node.kind == NodeKind::kNumber &&
          (node.text.empty() ? std::signbit(node.number) : node.text.starts_with('-')));
}

Level LevelOf(const Node& node) {
  if (node.op != nullptr) return node.op->level;
  if (IsSigned(node)) return kSignLevel;
  return kAtomLevel;
}

// A number: as written or folded; one made without text (none is) as the
// shortest text that reads back to its value.
void AppendNumber(const Node& node, std::string& out) {
  if (!node.text.empty()) {
    out += node.text;
    return;
  }
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, node.number);
  out.append(buffer, result.ptr);
}

class Printer {
 public:
  explicit Printer(std::string& out) : out_(out) {}

  void Write(const Node& node) {
    switch (node.kind) {
      case NodeKind::kNumber:
        AppendNumber(node, out_);
        return;
      case NodeKind::kVariable:
        out_ += node.variable == Variable::kX ? "x" : node.variable == Variable::kK ? "k" : "l";
        return;
      case NodeKind::kConstant:
        out_ += node.constant == NamedConstant::kPi ? "pi" : "e";
        return;
      case NodeKind::kNegate:
        out_ += '-';
        // −(a*b) keeps its brackets; −x^2 and −−x need none.
        Operand(*node.left, LevelOf(*node.left) < kSignLevel);
        return;
      case NodeKind::kCall:
        out_ += node.function->names[0];
        out_ += '(';
        Write(*node.left);
        out_ += ')';
        return;
      case NodeKind::kPower:
        // Right-associative: a power or a sign as the base needs brackets;
        // the exponent may carry its sign, x^-2, as typed. A negative
        // number the derivative folded stands in brackets, x^(-2): no text
        // was typed for it, so no limit on nesting can be reached by them.
        Operand(*node.left, LevelOf(*node.left) <= kPowerLevel);
        out_ += node.op->symbol;
        Operand(*node.right, LevelOf(*node.right) < kSignLevel ||
                                 (node.right->kind == NodeKind::kNumber && IsSigned(*node.right)));
        return;
      default: {
        // Left-associative: an operand on the right at the same level keeps
        // its brackets, since a-(b-c) and a+(b+c) are other orders of
        // operations. A signed right operand needs none, a*-b: so no printed
        // text nests deeper than the text it was read from.
        const Level level = LevelOf(node);
        Operand(*node.left, LevelOf(*node.left) < level);
        out_ += node.op->symbol;
        Operand(*node.right, LevelOf(*node.right) <= level);
        return;
      }
    }
  }

 private:
  void Operand(const Node& node, bool bracketed) {
    if (bracketed) out_ += '(';
    Write(node);
    if (bracketed) out_ += ')';
  }

  std::string& out_;
};

}  // namespace

std::string Print(const NodePtr& tree) {
  std::string out;
  Printer(out).Write(*tree);
  return out;
}

}  // namespace core::expression
