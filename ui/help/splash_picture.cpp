// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help/splash_picture.h"

#include <QFile>
#include <csetjmp>
#include <cstdio>

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

namespace ui {

namespace {

// libjpeg's default error handler prints and calls exit(); ours jumps back to
// the decoder, which gives up on the picture instead.
struct ErrorManager {
  jpeg_error_mgr library;  // first, so the library's pointer is ours too
  std::jmp_buf give_up;
};

[[noreturn]] void GiveUp(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->give_up, 1);
}

void IgnoreWarning(j_common_ptr) {}

// Only plain C objects live in this frame, so the jump skips no destructor;
// `picture` belongs to the caller.
bool Decompress(const QByteArray& stream, QImage* picture) {
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.library);
  errors.library.error_exit = GiveUp;
  errors.library.output_message = IgnoreWarning;
  if (setjmp(errors.give_up) != 0) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(stream.constData()),
               static_cast<unsigned long>(stream.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  *picture = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                    QImage::Format_RGB888);
  if (picture->isNull() || info.output_components != 3) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = picture->scanLine(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

QImage DecodeJpeg(const QByteArray& stream) {
  QImage picture;
  if (stream.isEmpty() || !Decompress(stream, &picture)) return QImage();
  return picture;
}

QImage LoadSplashPicture() {
  QFile file(QStringLiteral(":/assets/splash.jpg"));
  if (!file.open(QIODevice::ReadOnly)) return QImage();
  return DecodeJpeg(file.readAll());
}

}  // namespace ui
