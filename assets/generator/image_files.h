// SPDX-License-Identifier: GPL-3.0-or-later
// Writers for the picture files the program loads: PNG through QImage, the
// 4-bit BMP and the JPEG by hand or through libjpeg, so every byte that
// matters to the program is set here on purpose.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "canvas.h"
#include "pictures.h"

namespace assets {

using Bytes = std::vector<std::uint8_t>;

void WriteFile(const std::filesystem::path& path, const Bytes& bytes);

// 32-bit RGBA PNG; transparent pixels get alpha 0.
void SaveRgbaPng(const Canvas& canvas, const std::filesystem::path& path);
// Palette PNG with the sixteen standard colours; every pixel must be opaque
// and in that palette.
void SavePalettePng(const Canvas& canvas, const std::filesystem::path& path);

// An uncompressed 4-bit device-independent bitmap with the standard palette:
// 14-byte file header, 40-byte info header, 16 palette entries, rows bottom
// up, each padded to four bytes.
Bytes EncodeBmp4(const Canvas& canvas);

// Baseline JFIF, 8-bit, Y Cb Cr all sampled 1 x 1 in one interleaved scan.
Bytes EncodeJpeg(const RgbImage& image, int quality);

}  // namespace assets
