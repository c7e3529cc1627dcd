// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/expression/derivative.h"

#include "core/expression/functions.h"
#include "core/expression/simplify.h"

namespace core::expression {

namespace {

// A product of numbers, variables and powers: written in front of a function,
// as in k*cos(k*x).
bool IsMonomial(const Node& node) {
  switch (node.kind) {
    case NodeKind::kNumber:
    case NodeKind::kVariable:
    case NodeKind::kConstant:
      return true;
    case NodeKind::kNegate:
      return IsMonomial(*node.left);
    case NodeKind::kMultiply:
    case NodeKind::kPower:
      return IsMonomial(*node.left) && IsMonomial(*node.right);
    default:
      return false;
  }
}

// f′(u)·u′, written u′/g when f′(u) is 1/g ("2*x/cos(x^2)^2", not
// "1/cos(x^2)^2*(2*x)"), and with a monomial u′ in front.
NodePtr Chain(const NodePtr& outer, const NodePtr& inner) {
  if (outer->kind == NodeKind::kDivide && IsNumber(outer->left, 1))
    return Divide(inner, outer->right);
  if (outer->kind == NodeKind::kNegate) return Negate(Chain(outer->left, inner));
  if (IsMonomial(*inner)) return Multiply(inner, outer);
  return Multiply(outer, inner);
}

NodePtr PowerDerivative(const NodePtr& self) {
  const NodePtr& u = self->left;
  const NodePtr& v = self->right;
  if (!v->has_x) {
    // (u^c)′ = c·u^(c−1)·u′
    return Multiply(Multiply(v, Power(u, Subtract(v, Number(1)))), Differentiate(u));
  }
  if (!u->has_x) {
    // (c^v)′ = c^v·ln c·v′; for e, ln e is 1.
    if (u->kind == NodeKind::kConstant && u->constant == NamedConstant::kE)
      return Multiply(self, Differentiate(v));
    return Multiply(Multiply(self, Call(*FindFunction("ln"), u)), Differentiate(v));
  }
  // (u^v)′ = u^v·(v′·ln u + v·u′/u)
  return Multiply(self, Add(Multiply(Differentiate(v), Call(*FindFunction("ln"), u)),
                            Divide(Multiply(v, Differentiate(u)), u)));
}

}  // namespace

NodePtr Differentiate(const NodePtr& tree) {
  const Node& node = *tree;
  if (!node.has_x) return Number(0);
  switch (node.kind) {
    case NodeKind::kVariable:  // x itself: the others have no x
      return Number(1);
    case NodeKind::kNegate:
      return Negate(Differentiate(node.left));
    case NodeKind::kAdd:
      return Add(Differentiate(node.left), Differentiate(node.right));
    case NodeKind::kSubtract:
      return Subtract(Differentiate(node.left), Differentiate(node.right));
    case NodeKind::kMultiply: {
      if (!node.left->has_x) return Multiply(node.left, Differentiate(node.right));
      if (!node.right->has_x) return Multiply(Differentiate(node.left), node.right);
      return Add(Multiply(Differentiate(node.left), node.right),
                 Multiply(node.left, Differentiate(node.right)));
    }
    case NodeKind::kDivide: {
      const NodePtr& u = node.left;
      const NodePtr& v = node.right;
      if (!v->has_x) return Divide(Differentiate(u), v);
      const NodePtr squared = Power(v, Number(2));
      if (!u->has_x) return Negate(Divide(Multiply(u, Differentiate(v)), squared));
      return Divide(Subtract(Multiply(Differentiate(u), v), Multiply(u, Differentiate(v))),
                    squared);
    }
    case NodeKind::kPower:
      return PowerDerivative(tree);
    case NodeKind::kCall:
      return Chain(kFunctions[node.function].derivative(node.left), Differentiate(node.left));
    case NodeKind::kNumber:
    case NodeKind::kConstant:
      break;
  }
  return Number(0);
}

}  // namespace core::expression
