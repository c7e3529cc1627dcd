// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/expression/scanner.h"

#include <charconv>
#include <string>
#include <system_error>

#include "core/errors.h"
#include "core/expression/hints.h"
#include "core/utf8.h"

namespace core::expression {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsPoint(char c) {
  return c == '.' || c == ',';
}
bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

std::string At(std::size_t position) {
  return " в позиции " + std::to_string(position);
}

// The bytes of the character that begins at `i`: a lead byte and its
// continuation bytes.
std::size_t CharacterLength(std::string_view text, std::size_t i) {
  std::size_t end = i + 1;
  while (end < text.size() && ContinuesCharacter(text[end])) ++end;
  return end - i;
}

struct Symbol {
  std::string_view text;
  TokenKind kind;
  long double number = 0;
};
// "**" before "*": the longer symbol wins.
constexpr Symbol kSymbols[] = {
    {"+", TokenKind::kPlus},
    {"-", TokenKind::kMinus},
    {"\u2212", TokenKind::kMinus},  // −
    {"**", TokenKind::kPower},
    {"*", TokenKind::kTimes},
    {"\u00B7", TokenKind::kTimes},  // ·
    {"\u22C5", TokenKind::kTimes},  // ⋅
    {"\u00D7", TokenKind::kTimes},  // ×
    {"/", TokenKind::kDivide},
    {"^", TokenKind::kPower},
    {"\u00B2", TokenKind::kSuperscript, 2},  // ²
    {"\u00B3", TokenKind::kSuperscript, 3},  // ³
    {"\u221A", TokenKind::kRoot},            // √
    {"(", TokenKind::kOpen},
    {")", TokenKind::kClose},
    {"=", TokenKind::kEquals},
    {",", TokenKind::kComma},
};

// The length of the number that begins at `i`: digits with one decimal
// point, then an exponent if "e" or "E" is followed by digits, with or
// without a sign ("2e" is 2 followed by the constant e).
std::size_t NumberLength(std::string_view text, std::size_t i, std::size_t position) {
  std::size_t length = 0;
  const auto digits = [&] {
    while (i + length < text.size() && IsDigit(text[i + length])) ++length;
  };
  digits();
  // A comma after the digits is their decimal point only with digits after
  // it: in "cos(x+1, 2)" it separates what was meant as two arguments.
  if (i + length < text.size() && IsPoint(text[i + length]) &&
      (text[i + length] == '.' ||
       (i + length + 1 < text.size() && IsDigit(text[i + length + 1])))) {
    ++length;
    digits();
    if (i + length < text.size() && IsPoint(text[i + length])) {
      throw EFormulaError("второй десятичный разделитель" + At(position + length),
                          position + length);
    }
  }
  if (i + length < text.size() && (text[i + length] == 'e' || text[i + length] == 'E')) {
    std::size_t exponent = length + 1;
    if (i + exponent < text.size() && (text[i + exponent] == '+' || text[i + exponent] == '-'))
      ++exponent;
    if (i + exponent < text.size() && IsDigit(text[i + exponent])) {
      length = exponent;
      digits();
    }
  }
  return length;
}

long double NumberValue(std::string_view text, std::size_t position) {
  std::string c_text(text);
  for (char& c : c_text)
    if (c == ',') c = '.';
  long double value = 0;
  const auto [end, error] = std::from_chars(c_text.data(), c_text.data() + c_text.size(), value,
                                            std::chars_format::general);
  if (error == std::errc::result_out_of_range) {
    // Beyond the range either way: an exponent below −4900 or so rounds
    // to 0, and saying so is more useful than reading 0 for it.
    const std::size_t e = c_text.find_first_of("eE");
    if (e != std::string::npos && c_text.find('-', e) != std::string::npos)
      throw EFormulaError("слишком маленькое число" + At(position) + ": напишите 0", position);
    throw EFormulaError("слишком большое число" + At(position), position);
  }
  if (error != std::errc() || end != c_text.data() + c_text.size())
    throw EFormulaError("неверное число" + At(position), position);
  return value;
}

}  // namespace

std::vector<Token> Scan(std::string_view text) {
  std::vector<Token> tokens;
  std::size_t position = 1;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
      ++i;
      ++position;
      continue;
    }
    Token token;
    token.position = position;
    std::size_t length = 0;
    if (IsDigit(c) || (IsPoint(c) && i + 1 < text.size() && IsDigit(text[i + 1]))) {
      length = NumberLength(text, i, position);
      token.kind = TokenKind::kNumber;
      token.number = NumberValue(text.substr(i, length), position);
    } else if (IsLetter(c)) {
      while (i + length < text.size() && (IsLetter(text[i + length]) || IsDigit(text[i + length])))
        ++length;
      token.kind = TokenKind::kName;
    } else {
      for (const Symbol& symbol : kSymbols) {
        if (text.substr(i).starts_with(symbol.text)) {
          token.kind = symbol.kind;
          token.number = symbol.number;
          length = symbol.text.size();
          break;
        }
      }
      if (length == 0) {
        const std::string_view character = text.substr(i, CharacterLength(text, i));
        // A stray byte of broken UTF-8 is not quoted: it would break the message.
        if (ContinuesCharacter(c) || static_cast<unsigned char>(c) >= 0xF8 ||
            (static_cast<unsigned char>(c) >= 0x80 && character.size() == 1))
          throw EFormulaError("недопустимый символ" + At(position), position);
        RefuseCharacter(character, position);
      }
    }
    token.text = text.substr(i, length);
    tokens.push_back(token);
    position += CharacterCount(token.text);
    i += length;
  }
  Token end;
  end.position = position;
  tokens.push_back(end);
  return tokens;
}

}  // namespace core::expression
