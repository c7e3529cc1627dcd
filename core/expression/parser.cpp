// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/expression/parser.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/expression/functions.h"
#include "core/expression/hints.h"
#include "core/expression/operators.h"
#include "core/expression/printer.h"
#include "core/expression/scanner.h"
#include "core/utf8.h"

namespace core::expression {

namespace {

std::string At(std::size_t position) {
  return " в позиции " + std::to_string(position);
}

// A hint quotes at most this many characters of the formula; a longer part
// is written "…".
constexpr std::size_t kQuotedReach = 20;

bool StartsOperand(TokenKind kind) {
  return kind == TokenKind::kNumber || kind == TokenKind::kName || kind == TokenKind::kOpen ||
         kind == TokenKind::kRoot;
}

// A number that begins with its decimal point: after an operand, ",2" is
// the comma of sin(x,2) more likely than the number 0,2.
bool BeginsWithPoint(const Token& token) {
  return token.kind == TokenKind::kNumber && (token.text[0] == ',' || token.text[0] == '.');
}

const Operator& OperatorOf(TokenKind kind) {
  switch (kind) {
    case TokenKind::kPlus:
      return kAddition;
    case TokenKind::kMinus:
      return kSubtraction;
    case TokenKind::kTimes:
      return kMultiplication;
    case TokenKind::kDivide:
      return kDivision;
    default:
      return kExponentiation;
  }
}

class Parser {
 public:
  Parser(std::string_view text, std::vector<Token> tokens, NodeTable& table)
      : text_(text), tokens_(std::move(tokens)), table_(table) {}

  Reading Equation() {
    Reading reading;
    if (Peek().kind == TokenKind::kEquals) {
      throw EFormulaError("нет левой части" + At(Peek().position) + ": например, x^2=2",
                          Peek().position);
    }
    reading.left = Sum();
    if (Peek().kind == TokenKind::kEquals) {
      const Token& equals = Take();
      if (Peek().kind == TokenKind::kEnd) {
        throw EFormulaError(
            "нет правой части" + At(Peek().position) + ": допишите её, например = 0",
            Peek().position);
      }
      // In f the right side stands in brackets, one level deeper.
      const Deeper deeper(*this, equals.position);
      reading.right = Sum();
      if (Peek().kind == TokenKind::kEquals) {
        throw EFormulaError(
            "второй знак «=»" + At(Peek().position) + ": уравнение пишется с одним «=»",
            Peek().position);
      }
    }
    Finish();
    reading.function = reading.left;
    if (reading.right != nullptr && !IsNumber(reading.right, 0))
      reading.function = table_.MakeBinary(kSubtraction, reading.left, reading.right);
    return reading;
  }

 private:
  const Token& Peek() const { return tokens_[next_]; }
  const Token& Take() { return tokens_[next_++]; }

  // One level deeper: a bracket, a call, a root, a sign or an exponent.
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

  // What may stand after the whole formula: nothing.
  void Finish() {
    const Token& next = Peek();
    switch (next.kind) {
      case TokenKind::kEnd:
        return;
      case TokenKind::kClose:
        throw EFormulaError("лишняя «)»" + At(next.position), next.position);
      case TokenKind::kComma:
        RefuseComma(next);
      default:
        throw EFormulaError("лишний знак «", next.text, "»" + At(next.position), next.position);
    }
  }

  NodePtr Sum() {
    NodePtr left = Product();
    while (Peek().kind == TokenKind::kPlus || Peek().kind == TokenKind::kMinus) {
      const Operator& op = OperatorOf(Take().kind);
      left = table_.MakeBinary(op, left, Product());
    }
    return left;
  }

  NodePtr Product() {
    const std::size_t first = next_;  // the product's first token
    std::size_t factor = next_;       // the last factor's first token
    NodePtr left = Signed();
    const Operator* before = nullptr;  // the operator before the last factor
    while (true) {
      const TokenKind next = Peek().kind;
      if (next == TokenKind::kTimes || next == TokenKind::kDivide) {
        before = &OperatorOf(Take().kind);
        factor = next_;
        left = table_.MakeBinary(*before, left, Signed());
      } else if (StartsOperand(next)) {
        CheckLeftOut(first, factor, before);
        before = &kMultiplication;
        factor = next_;
        left = table_.MakeBinary(kMultiplication, left, Power());
      } else {
        return left;
      }
    }
  }

  // A multiplication left out before the next token, after the factor that
  // begins at token `factor`: accepted where it is unambiguous, otherwise
  // refused with the ways to write it.
  void CheckLeftOut(std::size_t first, std::size_t factor, const Operator* before) {
    const Token& next = Peek();
    const TokenKind last = tokens_[next_ - 1].kind;
    if (BeginsWithPoint(next) && !calls_.empty()) RefuseComma(next);
    const bool after =
        last == TokenKind::kNumber || last == TokenKind::kClose || last == TokenKind::kSuperscript;
    const bool before_next = next.kind == TokenKind::kName || next.kind == TokenKind::kOpen ||
                             next.kind == TokenKind::kRoot;
    if (!after || !before_next) {
      throw EFormulaError("пропущен знак «*»" + At(next.position) + ": " + Quoted(factor, next_) +
                              "*" + OperandText(next_),
                          next.position);
    }
    const std::string operand = OperandText(next_);
    if (before == &kDivision) {
      const std::string dividend = Quoted(first, factor - 1);
      const std::string divisor = Quoted(factor, next_);
      throw EFormulaError("неясно, что в знаменателе," + At(next.position) + ": " + dividend +
                              "/(" + divisor + "*" + operand + ") или " + dividend + "/" + divisor +
                              "*" + operand,
                          next.position);
    }
    // An exponent or a root without brackets that ends in a number: where
    // does it end?
    if (last != TokenKind::kNumber) return;
    int depth = 0;
    for (std::size_t i = factor; i < next_; ++i) {
      const TokenKind kind = tokens_[i].kind;
      depth += kind == TokenKind::kOpen ? 1 : kind == TokenKind::kClose ? -1 : 0;
      if (depth != 0) continue;
      if (kind == TokenKind::kPower) {
        const std::string base = Quoted(factor, i);
        const std::string exponent = Quoted(i + 1, next_);
        const std::string power(tokens_[i].text);
        throw EFormulaError("неясно, где кончается степень," + At(next.position) + ": " + base +
                                power + "(" + exponent + "*" + operand + ") или " + base + power +
                                exponent + "*" + operand,
                            next.position);
      }
      if (kind == TokenKind::kRoot) {
        const std::string radicand = Quoted(i + 1, next_);
        throw EFormulaError("неясно, что под корнем," + At(next.position) + ": √(" + radicand +
                                "*" + operand + ") или √" + radicand + "*" + operand,
                            next.position);
      }
    }
  }

  NodePtr Signed() {
    const TokenKind next = Peek().kind;
    if (next != TokenKind::kMinus && next != TokenKind::kPlus) return Power();
    const Deeper deeper(*this, Take().position);
    NodePtr operand = Signed();
    return next == TokenKind::kMinus ? table_.MakeNegate(operand) : operand;
  }

  NodePtr Power() {
    NodePtr base = Primary();
    if (Peek().kind == TokenKind::kSuperscript) {
      const Token& superscript = Take();
      // As deep as the "^2" it prints as.
      { const Deeper deeper(*this, superscript.position); }
      const NodePtr exponent =
          table_.MakeNumber(superscript.number, superscript.number == 2 ? "2" : "3");
      if (Peek().kind == TokenKind::kSuperscript || Peek().kind == TokenKind::kPower) {
        throw EFormulaError(
            "вторая степень подряд" + At(Peek().position) + ": поставьте скобки, например (x^2)^3",
            Peek().position);
      }
      return table_.MakeBinary(kExponentiation, base, exponent);
    }
    if (Peek().kind != TokenKind::kPower) return base;
    const Deeper deeper(*this, Take().position);
    return table_.MakeBinary(kExponentiation, base, Signed());
  }

  NodePtr Primary() {
    const std::size_t index = next_;
    const Token& token = Take();
    switch (token.kind) {
      case TokenKind::kNumber:
        return table_.MakeNumber(token.number, token.text);
      case TokenKind::kOpen: {
        const Deeper deeper(*this, token.position);
        NodePtr inner = Sum();
        ExpectClose();
        return inner;
      }
      case TokenKind::kName:
        return Named(token);
      case TokenKind::kRoot: {
        const Deeper deeper(*this, token.position);
        NodePtr radicand = Primary();
        const Token& next = Peek();
        if (next.kind == TokenKind::kPower || next.kind == TokenKind::kSuperscript) {
          const std::string inner = Quoted(index + 1, next_);
          const std::string power = next.kind == TokenKind::kPower ? "^…" : std::string(next.text);
          throw EFormulaError("неясно, что под корнем," + At(next.position) + ": √(" + inner +
                                  power + ") или (√" + inner + ")" + power,
                              next.position);
        }
        return table_.MakeCall(kSqrt, radicand);
      }
      default:
        throw EFormulaError("ожидалось число, переменная или «(»" + At(token.position),
                            token.position);
    }
  }

  NodePtr Named(const Token& name) {
    if (name.text == "x") return table_.MakeVariable(Variable::kX);
    if (name.text == "k") return table_.MakeVariable(Variable::kK);
    if (name.text == "l") return table_.MakeVariable(Variable::kL);
    if (name.text == "pi") return table_.MakeConstant(NamedConstant::kPi);
    if (name.text == "e") return table_.MakeConstant(NamedConstant::kE);
    const FunctionEntry* function = FindFunction(name.text);
    if (function == nullptr) RefuseName(name);
    const std::size_t open = next_;
    if (Peek().kind != TokenKind::kOpen) RefuseCallWithoutBracket(name);
    const Deeper deeper(*this, Take().position);
    calls_.push_back(open);
    NodePtr argument = Sum();
    ExpectClose();
    calls_.pop_back();
    return table_.MakeCall(*function, argument);
  }

  [[noreturn]] void RefuseName(const Token& name) {
    const std::size_t position = name.position;
    const std::string at = At(position);
    // "f(x) = x^2-2" and "y = x^2-2": the left side is not typed.
    const std::size_t equals = text_.find('=');
    if ((name.text == "f" || name.text == "y") && next_ == 1 && equals != std::string_view::npos) {
      std::string_view right = text_.substr(equals + 1);
      right.remove_prefix(std::min(right.find_first_not_of(" \t"), right.size()));
      throw EFormulaError("«" + std::string(text_.substr(0, equals)) + "=» писать не нужно" + at +
                              ": введите только правую часть, " + std::string(right),
                          position);
    }
    const bool before_bracket = Peek().kind == TokenKind::kOpen;
    if (const auto hint = RunTogetherHint(name.text, before_bracket)) {
      throw EFormulaError("неизвестное имя «", name.text, "»" + at + ": может быть, " + *hint,
                          position);
    }
    if (name.text.starts_with("log")) {
      const std::string argument =
          Peek().kind == TokenKind::kOpen ? OperandText(next_) : std::string("(…)");
      throw EFormulaError("«log»" + at + " неоднозначен: натуральный логарифм — ln" + argument +
                              ", десятичный — lg" + argument,
                          position);
    }
    std::string lower(name.text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return static_cast<char>(std::tolower(c)); });
    if (lower != name.text && (FindFunction(lower) != nullptr || lower == "x" || lower == "k" ||
                               lower == "l" || lower == "pi" || lower == "e")) {
      throw EFormulaError("неизвестное имя «", name.text,
                          "»" + at + ": имена пишутся строчными буквами, " + lower, position);
    }
    if (before_bracket) {
      throw EFormulaError("неизвестная функция «", name.text,
                          "»" + at + ": " + FunctionHint(name.text), position);
    }
    throw EFormulaError("неизвестное имя «", name.text,
                        "»" + at + ": переменные x, k, l, постоянные pi, e", position);
  }

  // "sin x", "sin^2(x)": the bracket after a function's name is missing.
  [[noreturn]] void RefuseCallWithoutBracket(const Token& name) {
    const Token& next = Peek();
    const std::string function(name.text);
    std::string fix = function + "(…)";
    if (next.kind == TokenKind::kPower || next.kind == TokenKind::kSuperscript) {
      // sin^2(x) is written sin(x)^2.
      std::size_t argument = next_ + 1;
      std::string exponent = "2";
      if (next.kind == TokenKind::kSuperscript) {
        exponent = next.number == 2 ? "2" : "3";
      } else if (tokens_[argument].kind == TokenKind::kNumber) {
        exponent = std::string(tokens_[argument++].text);
      } else {
        exponent = "…";
      }
      const std::string operand =
          tokens_[argument].kind == TokenKind::kOpen ? OperandText(argument) : "(…)";
      fix = "степень пишется после скобки, " + function + operand + "^" + exponent;
    } else if (next.kind == TokenKind::kNumber || next.kind == TokenKind::kName) {
      fix = function + "(" + OperandText(next_) + ")";
    }
    throw EFormulaError("после «" + function + "» нужна «(»" + At(next.position) + ": " + fix,
                        next.position);
  }

  void ExpectClose() {
    const Token& next = Peek();
    if (next.kind == TokenKind::kClose) {
      Take();
      return;
    }
    if (next.kind == TokenKind::kComma && !calls_.empty()) RefuseComma(next);
    throw EFormulaError("не хватает «)»" + At(next.position), next.position);
  }

  // A comma that is no decimal point: in a call it lists a second argument.
  [[noreturn]] void RefuseComma(const Token& comma) {
    if (calls_.empty()) {
      throw EFormulaError("лишняя «,»" + At(comma.position) +
                              ": десятичная запятая пишется вплотную к цифрам, например 2,5",
                          comma.position);
    }
    const std::size_t open = calls_.back();
    const std::string function(tokens_[open - 1].text);
    const std::size_t comma_index = static_cast<std::size_t>(&comma - tokens_.data());
    throw EFormulaError("у функции «" + function + "» один аргумент, а «,»" + At(comma.position) +
                            " — десятичная запятая: " + function + "(" +
                            Quoted(open + 1, comma_index) + ")",
                        comma.position);
  }

  // The text of tokens [begin, end) as typed, or "…" when it is long.
  std::string Quoted(std::size_t begin, std::size_t end) const {
    if (begin >= end) return "…";
    const char* first = tokens_[begin].text.data();
    const char* last = tokens_[end - 1].text.data() + tokens_[end - 1].text.size();
    const std::string_view part(first, static_cast<std::size_t>(last - first));
    if (CharacterCount(part) > kQuotedReach) return "…";
    return std::string(part);
  }

  // The operand that begins at token `index`: a number, a name, a call or a
  // bracket with what it holds, a root with its operand.
  std::string OperandText(std::size_t index) const {
    const Token& token = tokens_[index];
    switch (token.kind) {
      case TokenKind::kNumber:
        return std::string(token.text);
      case TokenKind::kName:
        if (tokens_[index + 1].kind == TokenKind::kOpen)
          return std::string(token.text) + OperandText(index + 1);
        return std::string(token.text);
      case TokenKind::kRoot:
        return "√" + OperandText(index + 1);
      case TokenKind::kOpen: {
        int depth = 0;
        for (std::size_t i = index; tokens_[i].kind != TokenKind::kEnd; ++i) {
          depth += tokens_[i].kind == TokenKind::kOpen ? 1 : 0;
          depth -= tokens_[i].kind == TokenKind::kClose ? 1 : 0;
          if (depth == 0) {
            const std::string inside = Quoted(index, i + 1);
            return inside == "…" ? "(…)" : inside;
          }
        }
        return "(…)";
      }
      default:
        return "…";
    }
  }

  std::string_view text_;
  std::vector<Token> tokens_;
  NodeTable& table_;
  std::size_t next_ = 0;
  int depth_ = 0;
  std::vector<std::size_t> calls_;  // the "(" of each call being read, innermost last
};

void CheckLength(std::size_t length, std::size_t position) {
  if (length > kMaxFormulaLength) {
    throw EFormulaError("формула длиннее " + std::to_string(kMaxFormulaLength) + " символов",
                        position);
  }
}

}  // namespace

Reading Read(std::string_view text, NodeTable& table) {
  const std::size_t length = CharacterCount(text);
  CheckLength(length, kMaxFormulaLength + 1);
  Reading reading = Parser(text, Scan(text), table).Equation();
  // Written out ("2*x" for "2x", "sqrt(x)" for "√x", the brackets of
  // lhs − (rhs)), the formula must still read.
  const std::size_t longest =
      std::max(CharacterCount(CanonicalText(reading)), CharacterCount(Print(reading.function)));
  if (longest > kMaxFormulaLength) {
    throw EFormulaError(
        "формула длиннее " + std::to_string(kMaxFormulaLength) +
            " символов, если записать все знаки («*», «^», sqrt): " + std::to_string(longest),
        length + 1);
  }
  return reading;
}

NodePtr Parse(std::string_view text) {
  NodeTable table;
  return Read(text, table).function;
}

std::string CanonicalText(const Reading& reading) {
  std::string text = Print(reading.left);
  if (reading.right != nullptr) text += "=" + Print(reading.right);
  return text;
}

}  // namespace core::expression
