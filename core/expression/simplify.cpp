// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/expression/simplify.h"

#include "core/errors.h"
#include "core/expression/evaluate.h"
#include "core/extended.h"

namespace core::expression {

namespace {

bool IsNumber(const NodePtr& node) {
  return node->kind == NodeKind::kNumber;
}

// The binary operation on two numbers folded into one, with the evaluation's
// own arithmetic; null when it raises an error.
NodePtr Folded(NodeKind kind, const NodePtr& a, const NodePtr& b) {
  try {
    return Number(EvaluateBinary(kind, a->number, b->number).Value());
  } catch (const Exception&) {
    return nullptr;
  }
}

}  // namespace

NodePtr Number(long double value) {
  return MakeNumber(value);
}

NodePtr Negate(const NodePtr& a) {
  if (IsNumber(a)) return Number(-a->number);
  if (a->kind == NodeKind::kNegate) return a->left;
  // The sign goes to the leftmost factor: −2*x*sin(x), not −(2*x*sin(x)).
  if (a->kind == NodeKind::kMultiply || a->kind == NodeKind::kDivide)
    return MakeBinary(a->kind, Negate(a->left), a->right);
  return MakeNegate(a);
}

NodePtr Add(const NodePtr& a, const NodePtr& b) {
  if (IsNumber(a, 0)) return b;
  if (IsNumber(b, 0)) return a;
  if (IsNumber(a) && IsNumber(b))
    if (NodePtr folded = Folded(NodeKind::kAdd, a, b)) return folded;
  if (b->kind == NodeKind::kNegate) return Subtract(a, b->left);
  if (IsNumber(b) && b->number < 0) return Subtract(a, Number(-b->number));
  return MakeBinary(NodeKind::kAdd, a, b);
}

NodePtr Subtract(const NodePtr& a, const NodePtr& b) {
  if (IsNumber(b, 0)) return a;
  if (IsNumber(a, 0)) return Negate(b);
  if (IsNumber(a) && IsNumber(b))
    if (NodePtr folded = Folded(NodeKind::kSubtract, a, b)) return folded;
  if (b->kind == NodeKind::kNegate) return Add(a, b->left);
  if (IsNumber(b) && b->number < 0) return Add(a, Number(-b->number));
  return MakeBinary(NodeKind::kSubtract, a, b);
}

NodePtr Multiply(const NodePtr& a, const NodePtr& b) {
  if (IsNumber(a, 0) || IsNumber(b, 0)) return Number(0);
  if (IsNumber(a, 1)) return b;
  if (IsNumber(b, 1)) return a;
  if (IsNumber(a, -1)) return Negate(b);
  if (IsNumber(b, -1)) return Negate(a);
  if (IsNumber(a) && IsNumber(b))
    if (NodePtr folded = Folded(NodeKind::kMultiply, a, b)) return folded;
  // The sign in front: −a·b rather than a·(−b).
  if (b->kind == NodeKind::kNegate) return Multiply(Negate(a), b->left);
  // A number factor in front, as a student writes 3·x².
  if (IsNumber(b) && !IsNumber(a)) return Multiply(b, a);
  return MakeBinary(NodeKind::kMultiply, a, b);
}

NodePtr Divide(const NodePtr& a, const NodePtr& b) {
  if (IsNumber(b, 1)) return a;
  if (IsNumber(a, 0) && !IsNumber(b, 0)) return Number(0);
  if (IsNumber(a) && IsNumber(b))
    if (NodePtr folded = Folded(NodeKind::kDivide, a, b)) return folded;
  return MakeBinary(NodeKind::kDivide, a, b);
}

NodePtr Power(const NodePtr& a, const NodePtr& b) {
  if (IsNumber(b, 1)) return a;
  if (IsNumber(b, 0) && !IsNumber(a, 0)) return Number(1);
  if (IsNumber(a) && IsNumber(b))
    if (NodePtr folded = Folded(NodeKind::kPower, a, b)) return folded;
  return MakeBinary(NodeKind::kPower, a, b);
}

NodePtr Call(std::uint8_t function, const NodePtr& argument) {
  return MakeCall(function, argument);
}

}  // namespace core::expression
