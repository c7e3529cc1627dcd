// SPDX-License-Identifier: GPL-3.0-or-later
// Counting characters in UTF-8 text, where the program counts characters
// rather than bytes: the rounding digit from the length of the precision
// text, the columns of aligned tables, the place of a mark under a formula.
#pragma once

#include <cstddef>
#include <string_view>

namespace core {

// A byte that continues a sequence rather than starting a character.
constexpr bool ContinuesCharacter(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// Every byte that does not continue a sequence starts one, so a letter
// outside ASCII counts once.
constexpr std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (const char byte : text) count += ContinuesCharacter(byte) ? 0 : 1;
  return count;
}

// The byte where character `index` (from 0) begins, or the text's size.
constexpr std::size_t ByteOfCharacter(std::string_view text, std::size_t index) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (ContinuesCharacter(text[i])) continue;
    if (seen++ == index) return i;
  }
  return text.size();
}

}  // namespace core
