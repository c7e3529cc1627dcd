// SPDX-License-Identifier: GPL-3.0-or-later
// A small picture that the generator draws pixel by pixel: each pixel is
// either fully transparent or one opaque colour, like an icon with a mask.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

#include "palette.h"

namespace assets {

struct Pixel {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool opaque = false;

  constexpr Pixel() = default;
  constexpr Pixel(std::uint8_t r, std::uint8_t g, std::uint8_t b)
      : red(r), green(g), blue(b), opaque(true) {}
  constexpr Pixel(Colour colour)  // NOLINT(google-explicit-constructor): palette colours are pixels
      : Pixel(ToRgb(colour).red, ToRgb(colour).green, ToRgb(colour).blue) {}

  friend constexpr bool operator==(const Pixel&, const Pixel&) = default;
};

inline constexpr Pixel kTransparent{};

struct Point {
  double x;
  double y;
};

class Canvas {
 public:
  Canvas(int width, int height, Pixel background = kTransparent);

  int width() const { return width_; }
  int height() const { return height_; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  Pixel At(int x, int y) const { return pixels_[Index(x, y)]; }

  // Every drawing operation clips silently at the edges.
  void Set(int x, int y, Pixel pixel);
  void FillRect(int left, int top, int right, int bottom, Pixel pixel);  // inclusive corners
  void FrameRect(int left, int top, int right, int bottom, Pixel pixel);
  void Line(int x0, int y0, int x1, int y1, Pixel pixel);
  // Fills the pixels whose centres lie inside the polygon or ellipse.
  void FillPolygon(std::initializer_list<Point> corners, Pixel pixel);
  void FillEllipse(double centre_x, double centre_y, double radius_x, double radius_y, Pixel pixel);
  // Copies a pixel map whose characters are looked up in the legend; a
  // character missing from the legend leaves the pixel as it is.
  void Paint(int left, int top, std::initializer_list<std::string_view> rows,
             std::initializer_list<std::pair<char, Pixel>> legend);

 private:
  int Index(int x, int y) const { return y * width_ + x; }

  int width_;
  int height_;
  std::vector<Pixel> pixels_;
};

// Scales by repeating (or, below the original size, dropping) whole pixels:
// the pixel art stays crisp at every icon size.
Canvas ScaledByWholePixels(const Canvas& source, int width, int height);

// The position of the pixel's colour in the standard palette; throws
// std::invalid_argument for a colour outside it or a transparent pixel.
int PaletteIndex(Pixel pixel);

}  // namespace assets
