// SPDX-License-Identifier: GPL-3.0-or-later
// The three toolbar images: the compute command's calculator, the help
// command's book and the exit command's ball. 16 x 16 each, drawn in the
// classic sixteen colours (the book's cover in a lighter blue) on a
// transparent background.

#include <cmath>
#include <cstdint>

#include "pictures.h"

namespace assets {
namespace {

constexpr int kSize = 16;

// A small, fixed hash: the ball's mottling is "random" but identical on
// every run and every machine.
std::uint32_t Hash(std::uint32_t x, std::uint32_t y) {
  std::uint32_t h = x * 0x9E3779B1u ^ (y + 0x7F4A7C15u) * 0x85EBCA77u;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  return h;
}

}  // namespace

Canvas DrawCalculator() {
  Canvas canvas(kSize, kSize);
  // Body: teal, black outline, a little narrower than tall.
  canvas.FillRect(2, 0, 13, 15, Colour::kBlack);
  canvas.FillRect(3, 1, 12, 14, Colour::kTeal);
  // Display along the top, sunk into the body.
  canvas.FillRect(4, 2, 11, 4, Colour::kWhite);
  canvas.Line(4, 2, 11, 2, Colour::kBlack);
  canvas.Line(4, 2, 4, 4, Colour::kBlack);
  // Three rows of three keys, lit from the upper left.
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      const int left = 4 + 3 * column;
      const int top = 6 + 3 * row;
      canvas.FillRect(left, top, left + 1, top + 1, Colour::kSilver);
      canvas.Set(left, top, Colour::kWhite);
    }
  }
  return canvas;
}

Canvas DrawBook() {
  constexpr Pixel kLightBlue(112, 168, 255);
  constexpr Pixel kSpineBlue(40, 88, 216);
  Canvas canvas(kSize, kSize);
  // The cover is a rectangle turned by 45 degrees. In the diagonal
  // coordinates a = x + y and b = x - y its sides are straight pixel lines:
  // a from 6 to 20, b from -4 to 6.
  constexpr int kFirstA = 6, kLastA = 20, kFirstB = -4, kLastB = 6;
  constexpr int kLeftCornerX = 1, kBottomCornerX = 8, kRightCornerX = 13;
  const auto on_cover = [&](int x, int y) {
    const int a = x + y;
    const int b = x - y;
    return a >= kFirstA && a <= kLastA && b >= kFirstB && b <= kLastB;
  };
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const int a = x + y;
      const int b = x - y;
      if (on_cover(x, y)) {
        const bool edge = a == kFirstA || a == kLastA || b == kFirstB || b == kLastB;
        // Light catching the raised upper edge and a streak across the cover.
        const bool highlight =
            (a == kFirstA + 1 && b > kFirstB + 1) || ((a == 11 || a == 12) && b > -3 && b < 4);
        canvas.Set(x, y,
                   edge        ? Pixel(Colour::kBlack)
                   : highlight ? Pixel(Colour::kAqua)
                               : kLightBlue);
        continue;
      }
      // Below the cover: the book's thickness, page edges at the lower left,
      // the spine at the lower right, and the outline under both.
      for (int depth = 1; depth <= 3; ++depth) {
        if (!on_cover(x, y - depth)) continue;
        const bool outline = depth == 3 || x == kLeftCornerX || x == kRightCornerX;
        if (outline) {
          canvas.Set(x, y, Colour::kBlack);
        } else if (x < kBottomCornerX) {
          canvas.Set(x, y, depth == 1 ? Colour::kGrey : Colour::kSilver);
        } else {
          canvas.Set(x, y, kSpineBlue);
        }
        break;
      }
    }
  }
  return canvas;
}

Canvas DrawBall() {
  Canvas canvas(kSize, kSize);
  constexpr double kCentre = 8.0;
  constexpr double kRadius = 7.5;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const double dx = x + 0.5 - kCentre;
      const double dy = y + 0.5 - kCentre;
      const double distance = std::hypot(dx, dy);
      if (distance > kRadius) continue;
      if (distance > kRadius - 1.0) {
        canvas.Set(x, y, Colour::kBlack);
      } else if (std::hypot(dx - 2.2, dy + 2.2) > kRadius - 0.8) {
        // The part the light from the upper right does not reach.
        canvas.Set(x, y, Colour::kNavy);
      } else {
        const bool olive = Hash(static_cast<std::uint32_t>(x / 2 + 7 * (y % 2)),
                                static_cast<std::uint32_t>(y / 2)) %
                               5 <
                           2;
        canvas.Set(x, y, olive ? Colour::kOlive : Colour::kYellow);
      }
    }
  }
  canvas.FillRect(10, 3, 11, 4, Colour::kWhite);
  canvas.Set(12, 4, Colour::kWhite);
  return canvas;
}

}  // namespace assets
