// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/expression/evaluate.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "core/expression/functions.h"

namespace core::expression {

namespace {

Extended Power(Extended a, Extended b) {
  const long double base = a.Value();
  const long double exponent = b.Value();
  if (base == 0 && exponent == 0) RaiseInvalidOp();
  if (base == 0 && exponent < 0) RaiseZeroDivide();
  if (base < 0 && std::trunc(exponent) != exponent) RaiseInvalidOp();
  const long double result = powl(base, exponent);
  if (std::isinf(result)) RaiseOverflow();
  return Extended(result);
}

// Stacks this deep live in the evaluation's frame; deeper ones (long sums
// nested in brackets, some derivatives) on the heap.
constexpr int kFrameStack = 64;

}  // namespace

Extended EvaluateBinary(NodeKind kind, Extended a, Extended b) {
  switch (kind) {
    case NodeKind::kAdd:
      return a + b;
    case NodeKind::kSubtract:
      return a - b;
    case NodeKind::kMultiply:
      return a * b;
    case NodeKind::kDivide:
      return a / b;
    case NodeKind::kPower:
      return Power(a, b);
    default:
      RaiseInvalidOp();
  }
}

Program::Program(const NodePtr& tree) {
  Emit(*tree, 1);
}

// Postfix order: the left operand, the right operand, the operation, so that
// the operands are evaluated in the written order. `depth` is the stack
// height once the node's value is pushed. The recursion is as deep as the
// tree, which the parser's nesting limit bounds.
void Program::Emit(const Node& node, int depth) {
  stack_size_ = std::max(stack_size_, depth);
  switch (node.kind) {
    case NodeKind::kNumber:
      code_.push_back({Op::kNumber, 0, node.number});
      return;
    case NodeKind::kConstant:
      code_.push_back({Op::kNumber, 0,
                       node.constant == NamedConstant::kPi ? std::numbers::pi_v<long double>
                                                           : std::numbers::e_v<long double>});
      return;
    case NodeKind::kVariable: {
      constexpr std::array<Op, 3> kOps = {Op::kX, Op::kK, Op::kL};
      code_.push_back({kOps[static_cast<std::size_t>(node.variable)], 0, 0});
      return;
    }
    case NodeKind::kNegate:
      Emit(*node.left, depth);
      code_.push_back({Op::kNegate, 0, 0});
      return;
    case NodeKind::kCall:
      Emit(*node.left, depth);
      code_.push_back({Op::kCall, node.function, 0});
      return;
    case NodeKind::kAdd:
    case NodeKind::kSubtract:
    case NodeKind::kMultiply:
    case NodeKind::kDivide:
    case NodeKind::kPower: {
      Emit(*node.left, depth);
      Emit(*node.right, depth + 1);
      constexpr std::array<Op, 5> kOps = {Op::kAdd, Op::kSubtract, Op::kMultiply, Op::kDivide,
                                          Op::kPower};
      code_.push_back(
          {kOps[static_cast<std::size_t>(node.kind) - static_cast<std::size_t>(NodeKind::kAdd)], 0,
           0});
      return;
    }
  }
}

Extended Program::Run(const Arguments& arguments) const {
  // Raw values: the stack is filled before it is read, and zeroing a frame
  // stack on every call would cost as much as the arithmetic.
  long double frame_stack[kFrameStack];
  std::vector<long double> heap_stack;
  long double* stack = frame_stack;
  if (stack_size_ > kFrameStack) {
    heap_stack.resize(static_cast<std::size_t>(stack_size_));
    stack = heap_stack.data();
  }
  long double* top = stack - 1;  // the last value pushed
  const auto binary = [&top](auto operation) {
    --top;
    *top = operation(Extended(top[0]), Extended(top[1])).Value();
  };
  for (const Instruction& instruction : code_) {
    switch (instruction.op) {
      case Op::kNumber:
        *++top = instruction.number;
        break;
      case Op::kX:
        *++top = arguments.x.Value();
        break;
      case Op::kK:
        *++top = arguments.k.Value();
        break;
      case Op::kL:
        *++top = arguments.l.Value();
        break;
      case Op::kNegate:
        *top = -*top;
        break;
      case Op::kCall:
        *top = kFunctions[instruction.function].evaluate(Extended(*top)).Value();
        break;
      case Op::kAdd:
        binary([](Extended a, Extended b) { return a + b; });
        break;
      case Op::kSubtract:
        binary([](Extended a, Extended b) { return a - b; });
        break;
      case Op::kMultiply:
        binary([](Extended a, Extended b) { return a * b; });
        break;
      case Op::kDivide:
        binary([](Extended a, Extended b) { return a / b; });
        break;
      case Op::kPower:
        binary(Power);
        break;
    }
  }
  return Extended(*top);
}

}  // namespace core::expression
