// SPDX-License-Identifier: GPL-3.0-or-later
// The splash picture: a JPEG decoded with libjpeg itself, not through Qt's
// image plugins, so that the pixels are those of the library's default
// decompression (accurate integer inverse DCT) on every platform.
#pragma once

#include <QByteArray>
#include <QImage>

namespace ui {

// Decodes a JPEG stream at scale 1/1 into 24-bit colour (RGB888) with
// libjpeg's default settings. A stream the library rejects gives a null image;
// the library's errors never end the program.
QImage DecodeJpeg(const QByteArray& stream);

// The splash picture compiled into the program (:/assets/splash.jpg), decoded.
QImage LoadSplashPicture();

}  // namespace ui
