// SPDX-License-Identifier: GPL-3.0-or-later
// The application icon: a sheet of graph paper with a curve that crosses the
// x axis, its root marked in red: the picture of what the program does.
// Grid and axis lines lie on odd pixel positions and the curve is two pixels
// wide, so the 16-pixel size, which keeps every other pixel, still shows them.

#include <algorithm>
#include <cmath>

#include "pictures.h"

namespace assets {
namespace {

constexpr int kSize = 32;
constexpr int kAxisRow = 21;
constexpr int kAxisColumn = 5;
constexpr double kRoot = 15.0;  // where the curve crosses the axis, in pixels

// Height of the curve above the x axis at pixel position x: a cubic that
// bends twice, as the program's equations do.
double CurveHeight(double x) {
  const double d = x - kRoot;
  return 0.12 * d + 0.0052 * d * d * d;
}

double DistanceToSegment(Point p, Point a, Point b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double t =
      std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Paints every pixel whose centre lies within half_width of the curve.
void DrawCurve(Canvas& canvas, double from_x, double to_x, double half_width, Pixel pixel) {
  constexpr double kAxisY = kAxisRow + 0.5;
  constexpr int kSteps = 200;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const Point centre{x + 0.5, y + 0.5};
      for (int i = 0; i < kSteps; ++i) {
        const double xa = from_x + (to_x - from_x) * i / kSteps;
        const double xb = from_x + (to_x - from_x) * (i + 1) / kSteps;
        if (DistanceToSegment(centre, {xa, kAxisY - CurveHeight(xa)},
                              {xb, kAxisY - CurveHeight(xb)}) <= half_width) {
          canvas.Set(x, y, pixel);
          break;
        }
      }
    }
  }
}

void DrawGrid(Canvas& canvas) {
  // Every eight pixels from the axes, like the unit lines of a plot.
  for (int line = kAxisColumn + 8; line < kSize - 4; line += 8) {
    canvas.Line(line, 2, line, kSize - 3, Colour::kSilver);
  }
  for (int line = kAxisRow - 8; line > 2; line -= 8) {
    canvas.Line(2, line, kSize - 3, line, Colour::kSilver);
  }
}

void DrawAxes(Canvas& canvas) {
  canvas.Line(2, kAxisRow, 28, kAxisRow, Colour::kBlack);
  canvas.Line(kAxisColumn, 4, kAxisColumn, 29, Colour::kBlack);
  for (int i = 0; i < 3; ++i) {
    canvas.Line(29 - i, kAxisRow - i, 29 - i, kAxisRow + i, Colour::kBlack);  // arrow at the right
    canvas.Line(kAxisColumn - i, 3 + i, kAxisColumn + i, 3 + i,
                Colour::kBlack);  // arrow at the top
  }
}

void DrawRootMark(Canvas& canvas) {
  canvas.FillEllipse(kRoot + 0.5, kAxisRow + 0.5, 2.6, 2.6, Colour::kRed);
  canvas.Set(static_cast<int>(kRoot) - 1, kAxisRow - 1, Colour::kWhite);  // a gleam on the dot
}

}  // namespace

Canvas DrawAppIcon() {
  Canvas canvas(kSize, kSize, Colour::kWhite);
  DrawGrid(canvas);
  DrawAxes(canvas);
  DrawCurve(canvas, 2.5, 29.0, 1.0, Colour::kBlue);
  DrawRootMark(canvas);
  canvas.FrameRect(0, 0, kSize - 1, kSize - 1, Colour::kNavy);
  canvas.FrameRect(1, 1, kSize - 2, kSize - 2, Colour::kNavy);
  return canvas;
}

}  // namespace assets
