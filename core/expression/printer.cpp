// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/expression/printer.h"

#include <charconv>
#include <cmath>

#include "core/expression/functions.h"

namespace core::expression {

namespace {

// Binding strength, as the parser's levels give it.
enum Level : int { kSum = 1, kProduct = 2, kSign = 3, kPower = 4, kAtom = 5 };

bool IsSigned(const Node& node) {
  return node.kind == NodeKind::kNegate ||
         (node.kind == NodeKind::kNumber && node.text.empty() && std::signbit(node.number));
}

Level LevelOf(const Node& node) {
  switch (node.kind) {
    case NodeKind::kAdd:
    case NodeKind::kSubtract:
      return kSum;
    case NodeKind::kMultiply:
    case NodeKind::kDivide:
      return kProduct;
    case NodeKind::kNegate:
      return kSign;
    case NodeKind::kPower:
      return kPower;
    case NodeKind::kNumber:
      return IsSigned(node) ? kSign : kAtom;
    default:
      return kAtom;
  }
}

std::string_view Symbol(NodeKind kind) {
  switch (kind) {
    case NodeKind::kAdd:
      return "+";
    case NodeKind::kSubtract:
      return "-";
    case NodeKind::kMultiply:
      return "*";
    case NodeKind::kDivide:
      return "/";
    default:
      return "^";
  }
}

// A folded number: the shortest text that reads back to the same value.
void AppendNumber(const Node& node, std::string& out) {
  if (!node.text.empty()) {
    out += node.text;
    return;
  }
  // Without an exponent, which the language does not read: the extended
  // range needs up to 4951 places after the point.
  char buffer[5200];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, node.number, std::chars_format::fixed);
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
        Operand(*node.left, LevelOf(*node.left) < kSign);
        return;
      case NodeKind::kCall:
        out_ += kFunctions[node.function].names[0];
        out_ += '(';
        Write(*node.left);
        out_ += ')';
        return;
      case NodeKind::kPower:
        // Right-associative: a power or a sign as the base needs brackets;
        // the exponent may carry its sign, x^-2.
        Operand(*node.left, LevelOf(*node.left) <= kPower);
        out_ += '^';
        Operand(*node.right, LevelOf(*node.right) < kSign);
        return;
      default: {
        // Left-associative: an operand on the right at the same level keeps
        // its brackets, since a-(b-c) and a+(b+c) are other orders of
        // operations. A signed right operand needs none, a*-b: so no printed
        // text nests deeper than the text it was read from.
        const Level level = LevelOf(node);
        Operand(*node.left, LevelOf(*node.left) < level);
        out_ += Symbol(node.kind);
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
