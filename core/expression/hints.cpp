// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/expression/hints.h"

#include <string>
#include <vector>

#include "core/errors.h"
#include "core/expression/functions.h"

namespace core::expression {

namespace {

// Cyrillic letters that look like Latin ones, as the Russian layout puts
// them under the same fingers' reach.
struct Twin {
  std::string_view cyrillic;
  std::string_view latin;
};
constexpr Twin kTwins[] = {
    {"а", "a"}, {"в", "b"}, {"е", "e"}, {"к", "k"}, {"о", "o"}, {"р", "p"}, {"с", "c"}, {"у", "y"},
    {"х", "x"}, {"і", "i"}, {"ѕ", "s"}, {"А", "A"}, {"В", "B"}, {"Е", "E"}, {"К", "K"}, {"М", "M"},
    {"Н", "H"}, {"О", "O"}, {"Р", "P"}, {"С", "C"}, {"Т", "T"}, {"Х", "X"}, {"І", "I"}, {"Ѕ", "S"},
};

// U+0400 to U+04FF: two bytes, the first 0xD0 to 0xD3.
bool IsCyrillic(std::string_view character) {
  return character.size() == 2 && static_cast<unsigned char>(character[0]) >= 0xD0 &&
         static_cast<unsigned char>(character[0]) <= 0xD3;
}

constexpr std::size_t kLongestHint = 40;

std::string At(std::size_t position) {
  return " в позиции " + std::to_string(position);
}

// The words of the language: the functions' names, the variables, the
// constants.
enum class Word { kFunction, kValue, kNumber };
struct Part {
  std::string_view text;
  Word word;
};

std::optional<Word> KindOfWord(std::string_view text) {
  if (FindFunction(text) != nullptr) return Word::kFunction;
  if (text == "x" || text == "k" || text == "l" || text == "pi" || text == "e") return Word::kValue;
  return std::nullopt;
}

// The name as words, the longest word first at each place ("sinh" before
// "sin"); digits are a number.
std::optional<std::vector<Part>> Words(std::string_view name) {
  std::vector<Part> parts;
  std::size_t i = 0;
  while (i < name.size()) {
    if (name[i] >= '0' && name[i] <= '9') {
      std::size_t end = i;
      while (end < name.size() && name[end] >= '0' && name[end] <= '9') ++end;
      parts.push_back({name.substr(i, end - i), Word::kNumber});
      i = end;
      continue;
    }
    std::size_t length = name.size() - i;
    for (; length > 0; --length) {
      const auto word = KindOfWord(name.substr(i, length));
      if (!word) continue;
      parts.push_back({name.substr(i, length), *word});
      break;
    }
    if (length == 0) return std::nullopt;
    i += length;
  }
  return parts;
}

// A function takes the words up to the next function as its argument:
// "sinxcosx" is sin(x)*cos(x), "sin2x" is sin(2*x).
std::string Written(const std::vector<Part>& parts, std::size_t from) {
  std::string out;
  for (std::size_t i = from; i < parts.size(); ++i) {
    if (!out.empty()) out += '*';
    out += parts[i].text;
    if (parts[i].word != Word::kFunction) continue;
    std::size_t end = i + 1;
    while (end < parts.size() && parts[end].word != Word::kFunction) ++end;
    std::string argument;
    for (std::size_t j = i + 1; j < end; ++j) {
      if (!argument.empty()) argument += '*';
      argument += parts[j].text;
    }
    out += "(" + (argument.empty() ? std::string("…") : argument) + ")";
    i = end - 1;
  }
  return out;
}

}  // namespace

void RefuseCharacter(std::string_view character, std::size_t position) {
  for (const Twin& twin : kTwins) {
    if (character == twin.cyrillic) {
      throw EFormulaError(
          "русская «", character,
          "»" + At(position) + " — переключите раскладку: " + std::string(twin.latin), position);
    }
  }
  if (IsCyrillic(character)) {
    throw EFormulaError("русская буква «", character,
                        "»" + At(position) + " — переключите раскладку на латинскую", position);
  }
  throw EFormulaError("недопустимый символ «", character, "»" + At(position), position);
}

std::optional<std::string> RunTogetherHint(std::string_view name, bool before_bracket) {
  const auto parts = Words(name);
  if (!parts || parts->size() < 2) return std::nullopt;
  if (before_bracket && parts->back().word != Word::kFunction) return std::nullopt;
  if (parts->size() == 2 && (*parts)[0].word == Word::kValue && (*parts)[1].word == Word::kNumber) {
    const std::string value((*parts)[0].text);
    const std::string number((*parts)[1].text);
    return value + "^" + number + " или " + value + "*" + number;
  }
  std::string written = Written(*parts, 0);
  // A long run of letters is no slip of the keyboard: no guess for it.
  if (written.size() > kLongestHint) return std::nullopt;
  return written;
}

std::string FunctionHint(std::string_view name) {
  // The names that begin as this one does: with its first three letters if
  // any do ("arctan": the arc functions), else with its first.
  for (const std::size_t common : {std::size_t{3}, std::size_t{1}}) {
    if (name.size() < common) continue;
    std::string names;
    for (const FunctionEntry* entry : kFunctions) {
      for (const std::string_view known : entry->names) {
        if (known.empty() || !known.starts_with(name.substr(0, common))) continue;
        if (!names.empty()) names += ", ";
        names += known;
      }
    }
    if (!names.empty()) return "есть " + names;
  }
  return "функции перечислены в справке, раздел 11";
}

}  // namespace core::expression
