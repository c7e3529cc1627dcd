// SPDX-License-Identifier: GPL-3.0-or-later
#include "image_files.h"

#include <QImage>
#include <QString>
#include <csetjmp>
#include <cstdio>  // before jpeglib.h, which uses FILE
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>

#include <jpeglib.h>

namespace assets {
namespace {

QString ToQString(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

void Save(const QImage& image, const std::filesystem::path& path) {
  if (!image.save(ToQString(path), "PNG")) {
    throw std::runtime_error("cannot write " + path.string());
  }
}

void PutLittleEndian(Bytes& bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// libjpeg reports a fatal error by calling error_exit, which must not return;
// it jumps back into CompressJpeg. Only plain C objects live in that frame, so
// the jump skips no destructor.
struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf return_point;
};

[[noreturn]] void JumpOnJpegError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->return_point, 1);
}

bool CompressJpeg(const RgbImage& image, int quality, unsigned char** buffer, unsigned long* size,
                  char* message) {
  jpeg_compress_struct info{};
  JpegErrors errors{};
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = JumpOnJpegError;
  if (setjmp(errors.return_point) != 0) {
    (*info.err->format_message)(reinterpret_cast<j_common_ptr>(&info), message);
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, buffer, size);
  info.image_width = static_cast<JDIMENSION>(image.width);
  info.image_height = static_cast<JDIMENSION>(image.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);  // baseline sequential DCT, JFIF marker, accurate integer DCT
  jpeg_set_colorspace(&info, JCS_YCbCr);
  for (int i = 0; i < info.num_components; ++i) {
    info.comp_info[i].h_samp_factor = 1;  // no chroma subsampling: 4:4:4
    info.comp_info[i].v_samp_factor = 1;
  }
  jpeg_set_quality(&info, quality, TRUE);  // TRUE: keep the tables baseline (8-bit)
  info.write_JFIF_header = TRUE;
  jpeg_start_compress(&info, TRUE);
  const auto stride = static_cast<std::size_t>(image.width) * 3;
  while (info.next_scanline < info.image_height) {
    auto* row = const_cast<JSAMPLE*>(image.samples.data() + info.next_scanline * stride);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

void SaveRgbaPng(const Canvas& canvas, const std::filesystem::path& path) {
  QImage image(canvas.width(), canvas.height(), QImage::Format_ARGB32);
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const Pixel p = canvas.At(x, y);
      image.setPixel(x, y, p.opaque ? qRgba(p.red, p.green, p.blue, 255) : qRgba(0, 0, 0, 0));
    }
  }
  Save(image, path);
}

void SavePalettePng(const Canvas& canvas, const std::filesystem::path& path) {
  QImage image(canvas.width(), canvas.height(), QImage::Format_Indexed8);
  QList<QRgb> colours;
  for (const Rgb& c : kStandardPalette) colours.append(qRgb(c.red, c.green, c.blue));
  image.setColorTable(colours);
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) image.setPixel(x, y, PaletteIndex(canvas.At(x, y)));
  }
  Save(image, path);
}

Bytes EncodeBmp4(const Canvas& canvas) {
  const int row_bytes = ((canvas.width() * 4 + 31) / 32) * 4;
  const auto pixel_bytes = static_cast<std::uint32_t>(row_bytes * canvas.height());
  constexpr std::uint32_t kHeaders = 14 + 40 + 16 * 4;
  Bytes bmp;
  // BITMAPFILEHEADER
  bmp.push_back('B');
  bmp.push_back('M');
  PutLittleEndian(bmp, kHeaders + pixel_bytes, 4);
  PutLittleEndian(bmp, 0, 4);  // reserved
  PutLittleEndian(bmp, kHeaders, 4);
  // BITMAPINFOHEADER
  PutLittleEndian(bmp, 40, 4);
  PutLittleEndian(bmp, static_cast<std::uint32_t>(canvas.width()), 4);
  PutLittleEndian(bmp, static_cast<std::uint32_t>(canvas.height()), 4);  // positive: bottom up
  PutLittleEndian(bmp, 1, 2);                                            // planes
  PutLittleEndian(bmp, 4, 2);                                            // bits per pixel
  PutLittleEndian(bmp, 0, 4);                                            // BI_RGB
  PutLittleEndian(bmp, pixel_bytes, 4);
  PutLittleEndian(bmp, 0, 4);  // no physical resolution
  PutLittleEndian(bmp, 0, 4);
  PutLittleEndian(bmp, 0, 4);  // 0 colours used: all 16
  PutLittleEndian(bmp, 0, 4);  // all colours important
  // RGBQUAD palette: blue, green, red, reserved.
  for (const Rgb& c : kStandardPalette) {
    bmp.insert(bmp.end(), {c.blue, c.green, c.red, 0});
  }
  for (int y = canvas.height() - 1; y >= 0; --y) {
    Bytes row(static_cast<std::size_t>(row_bytes), 0);
    for (int x = 0; x < canvas.width(); ++x) {
      const auto index = static_cast<std::uint8_t>(PaletteIndex(canvas.At(x, y)));
      row[static_cast<std::size_t>(x / 2)] |=
          (x % 2 == 0) ? static_cast<std::uint8_t>(index << 4) : index;
    }
    bmp.insert(bmp.end(), row.begin(), row.end());
  }
  return bmp;
}

Bytes EncodeJpeg(const RgbImage& image, int quality) {
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  char message[JMSG_LENGTH_MAX] = {};
  const bool compressed = CompressJpeg(image, quality, &buffer, &size, message);
  Bytes bytes;
  if (compressed) bytes.assign(buffer, buffer + size);
  std::free(buffer);
  if (!compressed) throw std::runtime_error(std::string("libjpeg: ") + message);
  return bytes;
}

}  // namespace assets
