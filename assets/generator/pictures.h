// SPDX-License-Identifier: GPL-3.0-or-later
// The program's pictures, each drawn by code so it can be redrawn, changed
// and reviewed like any other source. Every drawing is deterministic.
#pragma once

#include <cstdint>
#include <vector>

#include "canvas.h"

namespace assets {

// 32 x 32 in the sixteen standard colours: a curve crossing the x axis,
// with the tangent that leads to the root.
Canvas DrawAppIcon();

// 16 x 16 toolbar images on a transparent background.
Canvas DrawCalculator();
Canvas DrawBook();
Canvas DrawBall();

// 18 x 18 glyph of the help window's close button: an open door under a
// small sign with a green bar.
Canvas DrawCloseGlyph();

// 32 x 32 About picture in the sixteen standard colours: a domed building
// and a torch on a cyan field inside a black frame.
Canvas DrawAboutPicture();

// The splash photograph: 8-bit RGB triplets, row by row, top row first.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> samples;
};

RgbImage RenderSplashPicture();

}  // namespace assets
