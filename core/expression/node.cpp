// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/expression/node.h"

#include <utility>

namespace core::expression {

NodePtr MakeNumber(long double value, std::string text) {
  auto node = std::make_shared<Node>();
  node->kind = NodeKind::kNumber;
  node->number = value;
  node->text = std::move(text);
  return node;
}

NodePtr MakeVariable(Variable variable) {
  auto node = std::make_shared<Node>();
  node->kind = NodeKind::kVariable;
  node->variable = variable;
  node->has_x = variable == Variable::kX;
  return node;
}

NodePtr MakeConstant(NamedConstant constant) {
  auto node = std::make_shared<Node>();
  node->kind = NodeKind::kConstant;
  node->constant = constant;
  return node;
}

NodePtr MakeNegate(NodePtr operand) {
  auto node = std::make_shared<Node>();
  node->kind = NodeKind::kNegate;
  node->has_x = operand->has_x;
  node->left = std::move(operand);
  return node;
}

NodePtr MakeBinary(NodeKind kind, NodePtr left, NodePtr right) {
  auto node = std::make_shared<Node>();
  node->kind = kind;
  node->has_x = left->has_x || right->has_x;
  node->left = std::move(left);
  node->right = std::move(right);
  return node;
}

NodePtr MakeCall(std::uint8_t function, NodePtr argument) {
  auto node = std::make_shared<Node>();
  node->kind = NodeKind::kCall;
  node->function = function;
  node->has_x = argument->has_x;
  node->left = std::move(argument);
  return node;
}

}  // namespace core::expression
