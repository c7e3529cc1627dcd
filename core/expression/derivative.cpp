// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/expression/derivative.h"

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "core/expression/functions.h"
#include "core/expression/operators.h"
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

bool IsLogarithm(const Node& node) {
  return node.kind == NodeKind::kCall &&
         (node.function == &kLn || node.function == &kLg || node.function == &kLog2);
}

// Whether the formula's numbers were typed with a decimal comma: the
// derivative's numbers then have one too.
bool WrittenWithCommas(const Node& node) {
  if (node.text.find(',') != std::string::npos) return true;
  return (node.left && WrittenWithCommas(*node.left)) ||
         (node.right && WrittenWithCommas(*node.right));
}

class Differentiator {
 public:
  Differentiator(const NodePtr& tree, NodeTable& table)
      : s_(table, WrittenWithCommas(*tree) ? ',' : '.') {
    NoteNonzero(tree);
  }

  NodePtr Of(const NodePtr& tree) {
    if (!tree->has_x) return s_.Number(0);
    if (const auto known = done_.find(tree.get()); known != done_.end()) return known->second;
    NodePtr derivative = Rule(tree);
    done_.emplace(tree.get(), derivative);
    return derivative;
  }

 private:
  // What f being defined says: it divides by no 0 and takes no logarithm of
  // 0. Each node of f is looked at once.
  void NoteNonzero(const NodePtr& node) {
    if (!seen_.insert(node.get()).second) return;
    if (node->kind == NodeKind::kDivide) s_.AssumeNonzero(node->right);
    if (IsLogarithm(*node)) s_.AssumeNonzero(node->left);
    if (node->left) NoteNonzero(node->left);
    if (node->right) NoteNonzero(node->right);
  }

  NodePtr Rule(const NodePtr& tree) {
    const Node& node = *tree;
    const NodePtr& u = node.left;
    const NodePtr& v = node.right;
    switch (node.kind) {
      case NodeKind::kVariable:  // x itself: the others have no x
        return s_.Number(1);
      case NodeKind::kNegate:
        return s_.Negate(Of(u));
      case NodeKind::kAdd:
        return s_.Add(Of(u), Of(v));
      case NodeKind::kSubtract:
        return s_.Subtract(Of(u), Of(v));
      case NodeKind::kMultiply:
        if (!u->has_x) return s_.Multiply(u, Of(v));
        if (!v->has_x) return s_.Multiply(Of(u), v);
        // (u·u)′ = 2·u·u′, the same value as u′·u + u·u′ (a doubling is exact).
        if (u == v) return s_.Multiply(s_.Multiply(s_.Number(2), u), Of(u));
        return s_.Add(s_.Multiply(Of(u), v), s_.Multiply(u, Of(v)));
      case NodeKind::kDivide: {
        if (!v->has_x) return s_.Divide(Of(u), v);
        // u/u is 1 wherever f is defined: f divides by it, so it is not 0.
        if (u == v) return s_.Number(0);
        const NodePtr squared = s_.Power(v, s_.Number(2));
        if (!u->has_x) return s_.Negate(s_.Divide(s_.Multiply(u, Of(v)), squared));
        return s_.Divide(s_.Subtract(s_.Multiply(Of(u), v), s_.Multiply(u, Of(v))), squared);
      }
      case NodeKind::kPower:
        return PowerRule(tree);
      case NodeKind::kCall:
        return Chain(node.function->derivative(s_, u), Of(u));
      case NodeKind::kNumber:
      case NodeKind::kConstant:
        break;
    }
    return s_.Number(0);
  }

  // f′(u)·u′, written u′/g when f′(u) is 1/g ("2*x/cos(x^2)^2", not
  // "1/cos(x^2)^2*(2*x)"), and with a monomial u′ in front.
  NodePtr Chain(const NodePtr& outer, const NodePtr& inner) {
    if (NegativeLed(*outer)) return s_.Negate(Chain(s_.Negate(outer), inner));
    if (outer->kind == NodeKind::kDivide && IsNumber(outer->left, 1))
      return s_.Divide(inner, outer->right);
    if (IsMonomial(*inner)) return s_.Multiply(inner, outer);
    return s_.Multiply(outer, inner);
  }

  NodePtr PowerRule(const NodePtr& self) {
    const NodePtr& u = self->left;
    const NodePtr& v = self->right;
    if (!v->has_x) {
      // (u^c)′ = c·u^(c−1)·u′
      return s_.Multiply(s_.Multiply(v, s_.Power(u, s_.Subtract(v, s_.Number(1)))), Of(u));
    }
    if (!u->has_x) {
      // (c^v)′ = c^v·ln c·v′; for e, ln e is 1.
      if (u->kind == NodeKind::kConstant && u->constant == NamedConstant::kE)
        return s_.Multiply(self, Of(v));
      return s_.Multiply(s_.Multiply(self, s_.Call(kLn, u)), Of(v));
    }
    // (u^v)′ = u^v·(v′·ln u + v·u′/u). Where v′ is not 0 the derivative takes
    // ln u itself, so it is undefined where u is 0, and u/u may cancel.
    const NodePtr dv = Of(v);
    if (!IsNumber(dv, 0)) s_.AssumeNonzero(u);
    return s_.Multiply(
        self, s_.Add(s_.Multiply(dv, s_.Call(kLn, u)), s_.Divide(s_.Multiply(v, Of(u)), u)));
  }

  Simplifier s_;
  std::unordered_map<const Node*, NodePtr> done_;
  std::unordered_set<const Node*> seen_;
};

}  // namespace

NodePtr Differentiate(const NodePtr& tree, NodeTable& table) {
  return Differentiator(tree, table).Of(tree);
}

}  // namespace core::expression
