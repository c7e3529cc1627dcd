// SPDX-License-Identifier: GPL-3.0-or-later
// The close button's glyph: a door standing open under a small exit sign
// with a green bar. 18 x 18 on a transparent background.

#include "pictures.h"

namespace assets {

Canvas DrawCloseGlyph() {
  Canvas canvas(18, 18);
  // The sign above the doorway: black rim, white face, green bar.
  canvas.FillRect(8, 0, 16, 4, Colour::kBlack);
  canvas.FillRect(9, 1, 15, 3, Colour::kWhite);
  canvas.FillRect(10, 2, 14, 2, Colour::kGreen);
  // The door frame and the dark room behind it.
  canvas.FillRect(8, 6, 16, 16, Colour::kBlack);
  canvas.FillRect(9, 7, 15, 16, Colour::kGrey);
  canvas.FillRect(10, 8, 14, 16, Colour::kNavy);
  canvas.Line(9, 7, 15, 7, Colour::kSilver);
  canvas.Line(8, 17, 16, 17, Colour::kBlack);  // the threshold
  // The door leaf, hinged at the left jamb and swung out towards the viewer:
  // its free edge is nearer, so it looks taller than the hinged one.
  canvas.FillPolygon({{9.5, 7.5}, {2.0, 3.5}, {2.0, 18.0}, {9.5, 17.0}}, Colour::kBlack);
  canvas.FillPolygon({{9.0, 8.5}, {3.0, 5.5}, {3.0, 17.0}, {9.0, 16.0}}, Colour::kOlive);
  canvas.Line(3, 6, 3, 16, Colour::kYellow);  // the lit free edge
  canvas.Line(7, 9, 7, 14, Colour::kBlack);   // a shadowed groove near the hinge
  canvas.Set(5, 11, Colour::kYellow);         // the handle
  canvas.Set(5, 12, Colour::kBlack);
  return canvas;
}

}  // namespace assets
