// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/expression/node.h"

#include <cmath>
#include <utility>

#include "core/expression/operators.h"

namespace core::expression {

namespace {

std::size_t Combine(std::size_t seed, std::size_t value) {
  return seed ^ (value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2));
}

}  // namespace

std::size_t NodeTable::Hash::operator()(const NodePtr& node) const {
  std::size_t seed = static_cast<std::size_t>(node->kind);
  seed = Combine(seed, static_cast<std::size_t>(node->variable));
  seed = Combine(seed, static_cast<std::size_t>(node->constant));
  seed = Combine(seed, std::hash<const void*>()(node->op));
  seed = Combine(seed, std::hash<const void*>()(node->function));
  seed = Combine(seed, std::hash<long double>()(node->number));
  seed = Combine(seed, std::hash<std::string>()(node->text));
  seed = Combine(seed, std::hash<const void*>()(node->left.get()));
  return Combine(seed, std::hash<const void*>()(node->right.get()));
}

bool NodeTable::Same::operator()(const NodePtr& a, const NodePtr& b) const {
  // Numbers compare with their sign, so that 0 and −0 stay apart.
  return a->kind == b->kind && a->variable == b->variable && a->constant == b->constant &&
         a->op == b->op && a->function == b->function && a->number == b->number &&
         std::signbit(a->number) == std::signbit(b->number) && a->text == b->text &&
         a->left == b->left && a->right == b->right;
}

NodePtr NodeTable::Intern(Node&& node) {
  return *nodes_.insert(std::make_shared<const Node>(std::move(node))).first;
}

NodePtr NodeTable::MakeNumber(long double value, std::string_view text) {
  Node node;
  node.kind = NodeKind::kNumber;
  node.number = value;
  node.text = std::string(text);
  return Intern(std::move(node));
}

NodePtr NodeTable::MakeVariable(Variable variable) {
  Node node;
  node.kind = NodeKind::kVariable;
  node.variable = variable;
  node.has_x = variable == Variable::kX;
  return Intern(std::move(node));
}

NodePtr NodeTable::MakeConstant(NamedConstant constant) {
  Node node;
  node.kind = NodeKind::kConstant;
  node.constant = constant;
  return Intern(std::move(node));
}

NodePtr NodeTable::MakeNegate(const NodePtr& operand) {
  Node node;
  node.kind = NodeKind::kNegate;
  node.has_x = operand->has_x;
  node.left = operand;
  return Intern(std::move(node));
}

NodePtr NodeTable::MakeBinary(const Operator& op, const NodePtr& left, const NodePtr& right) {
  Node node;
  node.kind = op.kind;
  node.op = &op;
  node.has_x = left->has_x || right->has_x;
  node.left = left;
  node.right = right;
  return Intern(std::move(node));
}

NodePtr NodeTable::MakeCall(const FunctionEntry& function, const NodePtr& argument) {
  Node node;
  node.kind = NodeKind::kCall;
  node.function = &function;
  node.has_x = argument->has_x;
  node.left = argument;
  return Intern(std::move(node));
}

}  // namespace core::expression
