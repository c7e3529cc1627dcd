// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/expression/evaluate.h"

#include <memory>
#include <numbers>
#include <unordered_map>

#include "core/expression/functions.h"
#include "core/expression/operators.h"

namespace core::expression {

namespace {

// Programs this long keep their values in the evaluation's frame; longer
// ones (long formulas, most derivatives of them) on the heap.
constexpr std::size_t kFrameSlots = 64;

Extended Arguments::*ArgumentOf(Variable variable) {
  switch (variable) {
    case Variable::kK:
      return &Arguments::k;
    case Variable::kL:
      return &Arguments::l;
    case Variable::kX:
      break;
  }
  return &Arguments::x;
}

long double ValueOf(NamedConstant constant) {
  return constant == NamedConstant::kPi ? std::numbers::pi_v<long double>
                                        : std::numbers::e_v<long double>;
}

}  // namespace

Program::Program(const NodePtr& tree) {
  std::unordered_map<const Node*, std::uint32_t> slots;
  // The walk is iterative: a chain of 500 products is a tree 500 deep, and
  // a derivative of it deeper still. Each entry is a node and whether its
  // operands have been emitted.
  std::vector<std::pair<const NodePtr*, bool>> pending = {{&tree, false}};
  while (!pending.empty()) {
    auto [node, operands_done] = pending.back();
    pending.pop_back();
    if (slots.contains(node->get())) continue;
    const Node& n = **node;
    if (!operands_done && n.left) {
      pending.push_back({node, true});
      // Right is popped after left: operands in written order.
      if (n.right) pending.push_back({&n.right, false});
      pending.push_back({&n.left, false});
      continue;
    }
    Instruction instruction{n.kind, 0, 0, 0, nullptr, nullptr};
    if (n.left) instruction.left = slots.at(n.left.get());
    if (n.right) instruction.right = slots.at(n.right.get());
    switch (n.kind) {
      case NodeKind::kNumber:
        instruction.number = n.number;
        break;
      case NodeKind::kConstant:
        instruction.number = ValueOf(n.constant);
        break;
      case NodeKind::kVariable:
        instruction.variable = ArgumentOf(n.variable);
        break;
      case NodeKind::kNegate:
        break;
      case NodeKind::kCall:
        instruction.unary = n.function->evaluate;
        break;
      case NodeKind::kAdd:
      case NodeKind::kSubtract:
      case NodeKind::kMultiply:
      case NodeKind::kDivide:
      case NodeKind::kPower:
        break;
    }
    slots.emplace(node->get(), static_cast<std::uint32_t>(code_.size()));
    code_.push_back(instruction);
  }
}

Extended Program::Run(const Arguments& arguments) const {
  // Raw values: every slot is written before it is read, and zeroing them
  // on every call would cost as much as the arithmetic.
  long double frame_slots[kFrameSlots];
  std::unique_ptr<long double[]> heap_slots;
  long double* slot = frame_slots;
  if (code_.size() > kFrameSlots) {
    heap_slots.reset(new long double[code_.size()]);
    slot = heap_slots.get();
  }
  long double* out = slot;
  // The node's kind names its operator's row, whose function is called
  // directly and so inlined: the same function the parser put into the node.
  const auto apply = [slot](const Operator& op, const Instruction& instruction) {
    return op.evaluate(slot[instruction.left], slot[instruction.right]).Value();
  };
  for (const Instruction& instruction : code_) {
    switch (instruction.kind) {
      case NodeKind::kNumber:
      case NodeKind::kConstant:
        *out = instruction.number;
        break;
      case NodeKind::kVariable:
        *out = (arguments.*instruction.variable).Value();
        break;
      case NodeKind::kNegate:
        *out = -slot[instruction.left];
        break;
      case NodeKind::kCall:
        *out = instruction.unary(slot[instruction.left]).Value();
        break;
      case NodeKind::kAdd:
        *out = apply(kAddition, instruction);
        break;
      case NodeKind::kSubtract:
        *out = apply(kSubtraction, instruction);
        break;
      case NodeKind::kMultiply:
        *out = apply(kMultiplication, instruction);
        break;
      case NodeKind::kDivide:
        *out = apply(kDivision, instruction);
        break;
      case NodeKind::kPower:
        *out = apply(kExponentiation, instruction);
        break;
    }
    ++out;
  }
  return Extended(out[-1]);
}

}  // namespace core::expression
