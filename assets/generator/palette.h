// SPDX-License-Identifier: GPL-3.0-or-later
// The sixteen colours of the classic 4-bit palette, in the order a 4-bit
// bitmap stores them. Every small picture of the program is drawn with these,
// so they look at home next to each other and the About picture can be
// stored with exactly this palette.
#pragma once

#include <array>
#include <cstdint>

namespace assets {

enum class Colour : std::uint8_t {
  kBlack,
  kMaroon,
  kGreen,
  kOlive,
  kNavy,
  kPurple,
  kTeal,
  kSilver,
  kGrey,
  kRed,
  kLime,
  kYellow,
  kBlue,
  kFuchsia,
  kAqua,
  kWhite,
};

struct Rgb {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
};

inline constexpr std::array<Rgb, 16> kStandardPalette = {{
    {0, 0, 0},        // black
    {128, 0, 0},      // maroon
    {0, 128, 0},      // green
    {128, 128, 0},    // olive
    {0, 0, 128},      // navy
    {128, 0, 128},    // purple
    {0, 128, 128},    // teal
    {192, 192, 192},  // silver
    {128, 128, 128},  // grey
    {255, 0, 0},      // red
    {0, 255, 0},      // lime
    {255, 255, 0},    // yellow
    {0, 0, 255},      // blue
    {255, 0, 255},    // fuchsia
    {0, 255, 255},    // aqua
    {255, 255, 255},  // white
}};

inline constexpr Rgb ToRgb(Colour colour) {
  return kStandardPalette[static_cast<int>(colour)];
}

}  // namespace assets
