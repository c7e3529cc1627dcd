// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace assets {

Canvas::Canvas(int width, int height, Pixel background)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width * height), background) {}

void Canvas::Set(int x, int y, Pixel pixel) {
  if (Contains(x, y)) pixels_[Index(x, y)] = pixel;
}

void Canvas::FillRect(int left, int top, int right, int bottom, Pixel pixel) {
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) Set(x, y, pixel);
  }
}

void Canvas::FrameRect(int left, int top, int right, int bottom, Pixel pixel) {
  Line(left, top, right, top, pixel);
  Line(left, bottom, right, bottom, pixel);
  Line(left, top, left, bottom, pixel);
  Line(right, top, right, bottom, pixel);
}

void Canvas::Line(int x0, int y0, int x1, int y1, Pixel pixel) {
  // Bresenham: integer steps, so the same line always gets the same pixels.
  const int dx = std::abs(x1 - x0);
  const int dy = -std::abs(y1 - y0);
  const int step_x = x0 < x1 ? 1 : -1;
  const int step_y = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    Set(x0, y0, pixel);
    if (x0 == x1 && y0 == y1) return;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x0 += step_x;
    }
    if (twice <= dx) {
      error += dx;
      y0 += step_y;
    }
  }
}

void Canvas::FillPolygon(std::initializer_list<Point> corners, Pixel pixel) {
  const std::vector<Point> polygon(corners);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      // Even-odd rule at the pixel centre.
      const double px = x + 0.5;
      const double py = y + 0.5;
      bool inside = false;
      for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Point& a = polygon[i];
        const Point& b = polygon[j];
        if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x) {
          inside = !inside;
        }
      }
      if (inside) Set(x, y, pixel);
    }
  }
}

void Canvas::FillEllipse(double centre_x, double centre_y, double radius_x, double radius_y,
                         Pixel pixel) {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const double u = (x + 0.5 - centre_x) / radius_x;
      const double v = (y + 0.5 - centre_y) / radius_y;
      if (u * u + v * v <= 1.0) Set(x, y, pixel);
    }
  }
}

void Canvas::Paint(int left, int top, std::initializer_list<std::string_view> rows,
                   std::initializer_list<std::pair<char, Pixel>> legend) {
  int y = top;
  for (const std::string_view row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      const auto entry = std::find_if(legend.begin(), legend.end(),
                                      [&](const auto& item) { return item.first == row[i]; });
      if (entry != legend.end()) Set(left + static_cast<int>(i), y, entry->second);
    }
    ++y;
  }
}

Canvas ScaledByWholePixels(const Canvas& source, int width, int height) {
  Canvas scaled(width, height);
  for (int y = 0; y < height; ++y) {
    // The source pixel under the centre of the target pixel, in integers.
    const int source_y = (2 * y + 1) * source.height() / (2 * height);
    for (int x = 0; x < width; ++x) {
      const int source_x = (2 * x + 1) * source.width() / (2 * width);
      scaled.Set(x, y, source.At(source_x, source_y));
    }
  }
  return scaled;
}

int PaletteIndex(Pixel pixel) {
  for (std::size_t i = 0; i < kStandardPalette.size(); ++i) {
    if (pixel == Pixel(static_cast<Colour>(i))) return static_cast<int>(i);
  }
  throw std::invalid_argument("pixel colour is not in the standard palette");
}

}  // namespace assets
