// SPDX-License-Identifier: GPL-3.0-or-later
// The About picture: on a cyan field inside a one-pixel black frame, a grey
// domed building with a spire on the left and, in front of it on the right,
// a torch: a red and yellow flame in a silver cup with white highlights,
// held by an olive handle. Only the sixteen standard colours, since the
// picture is stored as a 4-bit bitmap.

#include "pictures.h"

namespace assets {
namespace {

constexpr int kSize = 32;

void DrawBuilding(Canvas& canvas) {
  // Spire with a small ball at its foot, then the dome on its drum.
  canvas.Line(10, 2, 10, 7, Colour::kBlack);
  canvas.FillRect(9, 6, 11, 7, Colour::kGrey);
  canvas.FillEllipse(10.5, 13.5, 6.0, 6.0, Colour::kBlack);
  canvas.FillEllipse(10.5, 13.5, 5.0, 5.0, Colour::kGrey);
  canvas.FillEllipse(8.5, 11.5, 1.5, 2.0, Colour::kSilver);
  canvas.FillRect(3, 13, 18, 14, Colour::kBlack);
  canvas.FillRect(4, 14, 17, 15, Colour::kGrey);
  canvas.Line(4, 14, 17, 14, Colour::kSilver);
  // The front with its columns, on two steps.
  canvas.FillRect(2, 16, 20, 26, Colour::kGrey);
  canvas.FrameRect(2, 16, 20, 26, Colour::kBlack);
  canvas.Line(3, 17, 19, 17, Colour::kSilver);
  for (int column = 4; column <= 18; column += 3) {
    canvas.Line(column, 18, column, 25, Colour::kSilver);
    canvas.Line(column + 1, 19, column + 1, 25, Colour::kBlack);
  }
  canvas.FillRect(1, 27, 21, 27, Colour::kSilver);
  canvas.FillRect(1, 28, 22, 28, Colour::kGrey);
  canvas.Line(1, 29, 22, 29, Colour::kBlack);
}

void DrawTorch(Canvas& canvas) {
  // Flame: red outside, yellow core, pointed at the top.
  canvas.FillPolygon({{24.0, 2.0}, {27.5, 7.5}, {28.0, 11.5}, {20.0, 11.5}, {20.5, 7.5}},
                     Colour::kRed);
  canvas.FillPolygon({{24.0, 5.0}, {26.2, 8.5}, {26.0, 11.5}, {22.0, 11.5}, {21.8, 8.5}},
                     Colour::kYellow);
  canvas.Set(24, 10, Colour::kWhite);
  // Cup: silver, narrowing downwards, with a white rim and a white gleam.
  canvas.FillPolygon({{18.5, 11.5}, {29.5, 11.5}, {27.0, 17.5}, {21.0, 17.5}}, Colour::kBlack);
  canvas.FillPolygon({{19.8, 12.5}, {28.2, 12.5}, {26.3, 16.8}, {21.7, 16.8}}, Colour::kSilver);
  canvas.Line(20, 12, 28, 12, Colour::kWhite);
  canvas.Line(22, 13, 23, 15, Colour::kWhite);
  canvas.Line(26, 13, 26, 15, Colour::kGrey);
  // Handle: olive, tapering towards its end.
  canvas.FillPolygon({{21.5, 17.5}, {26.5, 17.5}, {25.5, 29.5}, {22.5, 29.5}}, Colour::kBlack);
  canvas.FillPolygon({{22.5, 17.5}, {25.5, 17.5}, {24.7, 29.0}, {23.3, 29.0}}, Colour::kOlive);
  canvas.Line(23, 18, 23, 27, Colour::kYellow);
}

}  // namespace

Canvas DrawAboutPicture() {
  Canvas canvas(kSize, kSize, Colour::kAqua);
  DrawBuilding(canvas);
  DrawTorch(canvas);
  canvas.FrameRect(0, 0, kSize - 1, kSize - 1, Colour::kBlack);
  return canvas;
}

}  // namespace assets
