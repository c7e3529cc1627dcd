// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/expression/parser.h"

#include <string>
#include <vector>

#include "core/errors.h"
#include "core/expression/functions.h"
#include "core/expression/scanner.h"

namespace core::expression {

namespace {

std::string At(std::size_t position) {
  return " в позиции " + std::to_string(position);
}

bool StartsOperand(TokenKind kind) {
  return kind == TokenKind::kNumber || kind == TokenKind::kName || kind == TokenKind::kOpen;
}

class Parser {
 public:
  explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

  NodePtr Formula() {
    NodePtr tree = Sum();
    const Token& next = Peek();
    if (next.kind == TokenKind::kClose)
      throw EFormulaError("лишняя «)»" + At(next.position), next.position);
    if (next.kind != TokenKind::kEnd) RefuseAfterOperand(next);
    return tree;
  }

 private:
  const Token& Peek() const { return tokens_[next_]; }
  const Token& Take() { return tokens_[next_++]; }

  // One level deeper: a bracket, a call, a sign or an exponent.
  class Deeper {
   public:
    Deeper(Parser& parser, std::size_t position) : parser_(parser) {
      if (++parser_.depth_ > kMaxNestingDepth) {
        throw EFormulaError(
            "вложенность глубже " + std::to_string(kMaxNestingDepth) + " уровней" + At(position),
            position);
      }
    }
    ~Deeper() { --parser_.depth_; }
    Deeper(const Deeper&) = delete;
    Deeper& operator=(const Deeper&) = delete;

   private:
    Parser& parser_;
  };

  NodePtr Sum() {
    NodePtr left = Product();
    while (Peek().kind == TokenKind::kPlus || Peek().kind == TokenKind::kMinus) {
      const NodeKind kind = Take().kind == TokenKind::kPlus ? NodeKind::kAdd : NodeKind::kSubtract;
      left = MakeBinary(kind, left, Product());
    }
    return left;
  }

  NodePtr Product() {
    NodePtr left = Signed();
    while (true) {
      const TokenKind next = Peek().kind;
      if (next == TokenKind::kTimes || next == TokenKind::kDivide) {
        Take();
        left = MakeBinary(next == TokenKind::kTimes ? NodeKind::kMultiply : NodeKind::kDivide, left,
                          Signed());
      } else if (StartsOperand(next)) {
        RefuseAfterOperand(Peek());
      } else {
        return left;
      }
    }
  }

  NodePtr Signed() {
    const TokenKind next = Peek().kind;
    if (next != TokenKind::kMinus && next != TokenKind::kPlus) return Power();
    const Deeper deeper(*this, Take().position);
    NodePtr operand = Signed();
    return next == TokenKind::kMinus ? MakeNegate(std::move(operand)) : operand;
  }

  NodePtr Power() {
    NodePtr base = Primary();
    if (Peek().kind != TokenKind::kPower) return base;
    const Deeper deeper(*this, Take().position);
    return MakeBinary(NodeKind::kPower, std::move(base), Signed());
  }

  NodePtr Primary() {
    const Token& token = Take();
    switch (token.kind) {
      case TokenKind::kNumber:
        return MakeNumber(token.number, std::string(token.text));
      case TokenKind::kOpen: {
        const Deeper deeper(*this, token.position);
        NodePtr inner = Sum();
        ExpectClose();
        return inner;
      }
      case TokenKind::kName:
        return Named(token);
      default:
        throw EFormulaError("ожидалось число, переменная или «(»" + At(token.position),
                            token.position);
    }
  }

  NodePtr Named(const Token& name) {
    if (name.text == "x") return MakeVariable(Variable::kX);
    if (name.text == "k") return MakeVariable(Variable::kK);
    if (name.text == "l") return MakeVariable(Variable::kL);
    if (name.text == "pi") return MakeConstant(NamedConstant::kPi);
    if (name.text == "e") return MakeConstant(NamedConstant::kE);
    const std::optional<std::uint8_t> function = FindFunction(name.text);
    if (!function) {
      // "sinx" is a sine whose bracket was forgotten more often than a variable.
      if (Peek().kind == TokenKind::kOpen || StartsWithFunctionName(name.text))
        throw EFormulaError("неизвестная функция «", name.text, "»" + At(name.position),
                            name.position);
      throw EFormulaError("неизвестное имя «", name.text,
                          "»" + At(name.position) + ": переменные x, k, l, постоянные pi, e",
                          name.position);
    }
    const Token& open = Peek();
    if (open.kind != TokenKind::kOpen)
      throw EFormulaError("после «", name.text, "» нужна «(»" + At(open.position), open.position);
    Take();
    const Deeper deeper(*this, open.position);
    NodePtr argument = Sum();
    ExpectClose();
    return MakeCall(*function, std::move(argument));
  }

  static bool StartsWithFunctionName(std::string_view name) {
    for (const FunctionEntry& entry : kFunctions)
      for (const std::string_view known : entry.names)
        if (!known.empty() && name.starts_with(known)) return true;
    return false;
  }

  void ExpectClose() {
    const Token& next = Peek();
    if (next.kind == TokenKind::kClose) {
      Take();
      return;
    }
    if (StartsOperand(next.kind)) RefuseAfterOperand(next);
    throw EFormulaError("не хватает «)»" + At(next.position), next.position);
  }

  [[noreturn]] static void RefuseAfterOperand(const Token& next) {
    throw EFormulaError(
        "пропущен знак «*»" + At(next.position) + ": умножение пишется явно, например 2*x",
        next.position);
  }

  std::vector<Token> tokens_;
  std::size_t next_ = 0;
  int depth_ = 0;
};

}  // namespace

NodePtr Parse(std::string_view text) {
  if (CharacterCount(text) > kMaxFormulaLength) {
    throw EFormulaError("формула длиннее " + std::to_string(kMaxFormulaLength) + " символов",
                        kMaxFormulaLength + 1);
  }
  return Parser(Scan(text)).Formula();
}

}  // namespace core::expression
