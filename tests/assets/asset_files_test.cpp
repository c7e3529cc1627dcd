// SPDX-License-Identifier: GPL-3.0-or-later
// The committed pictures are what the program loads, so their formats are
// checked here, byte by byte where the windows rely on a format: the About
// bitmap's 4-bit layout and the splash JPEG's markers.

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string AssetPath(const std::string& name) {
  return std::string(NLE_ASSETS_DIR) + "/" + name;
}

Bytes ReadAsset(const std::string& name) {
  std::ifstream file(AssetPath(name), std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::uint32_t LittleEndian(const Bytes& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
  return value;
}

std::uint32_t BigEndian16(const Bytes& bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at] << 8 | bytes[at + 1]);
}

TEST(AboutBitmapTest, Is630ByteFourBitBitmapWithStandardPalette) {
  const Bytes bmp = ReadAsset("about_icon.bmp");
  ASSERT_EQ(bmp.size(), 630u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(LittleEndian(bmp, 2, 4), 630u);   // file size
  EXPECT_EQ(LittleEndian(bmp, 10, 4), 118u);  // pixels after 14 + 40 + 64 header bytes
  EXPECT_EQ(LittleEndian(bmp, 14, 4), 40u);   // BITMAPINFOHEADER
  EXPECT_EQ(LittleEndian(bmp, 18, 4), 32u);   // width
  EXPECT_EQ(LittleEndian(bmp, 22, 4), 32u);   // height, bottom-up
  EXPECT_EQ(LittleEndian(bmp, 26, 2), 1u);    // planes
  EXPECT_EQ(LittleEndian(bmp, 28, 2), 4u);    // bits per pixel
  EXPECT_EQ(LittleEndian(bmp, 30, 4), 0u);    // uncompressed
  constexpr std::array<std::array<std::uint8_t, 3>, 16> kRgb = {{
      {0, 0, 0},
      {128, 0, 0},
      {0, 128, 0},
      {128, 128, 0},
      {0, 0, 128},
      {128, 0, 128},
      {0, 128, 128},
      {192, 192, 192},
      {128, 128, 128},
      {255, 0, 0},
      {0, 255, 0},
      {255, 255, 0},
      {0, 0, 255},
      {255, 0, 255},
      {0, 255, 255},
      {255, 255, 255},
  }};
  for (std::size_t i = 0; i < kRgb.size(); ++i) {
    const std::size_t entry = 54 + 4 * i;  // blue, green, red, reserved
    EXPECT_EQ(bmp[entry + 2], kRgb[i][0]) << "palette entry " << i;
    EXPECT_EQ(bmp[entry + 1], kRgb[i][1]) << "palette entry " << i;
    EXPECT_EQ(bmp[entry + 0], kRgb[i][2]) << "palette entry " << i;
  }
}

TEST(AboutBitmapTest, ShowsCyanFieldInsideBlackFrame) {
  const QImage picture(QString::fromStdString(AssetPath("about_icon.bmp")));
  ASSERT_EQ(picture.size(), QSize(32, 32));
  for (int i = 0; i < 32; ++i) {
    EXPECT_EQ(picture.pixel(i, 0), qRgb(0, 0, 0));
    EXPECT_EQ(picture.pixel(i, 31), qRgb(0, 0, 0));
    EXPECT_EQ(picture.pixel(0, i), qRgb(0, 0, 0));
    EXPECT_EQ(picture.pixel(31, i), qRgb(0, 0, 0));
  }
  EXPECT_EQ(picture.pixel(1, 1), qRgb(0, 255, 255));
  EXPECT_EQ(picture.pixel(30, 30), qRgb(0, 255, 255));
}

// The splash decoder expects a baseline 1600 x 1200 JFIF stream in YCbCr
// without chroma subsampling, in one interleaved scan.
TEST(SplashJpegTest, IsBaselineJfif1600x1200WithFullResolutionChroma) {
  const Bytes jpeg = ReadAsset("splash.jpg");
  ASSERT_GT(jpeg.size(), 4u);
  EXPECT_GT(jpeg.size(), 330'000u);  // about 360 KB
  EXPECT_LT(jpeg.size(), 400'000u);
  ASSERT_EQ(BigEndian16(jpeg, 0), 0xFFD8u);
  int frames = 0;
  bool jfif = false;
  std::size_t at = 2;
  while (at + 4 <= jpeg.size()) {
    ASSERT_EQ(jpeg[at], 0xFF) << "marker expected at " << at;
    const std::uint8_t marker = jpeg[at + 1];
    const std::size_t length = BigEndian16(jpeg, at + 2);
    const std::size_t body = at + 4;
    if (marker == 0xE0)
      jfif = std::string(jpeg.begin() + body, jpeg.begin() + body + 5) == std::string("JFIF\0", 5);
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
      ++frames;
      EXPECT_EQ(marker, 0xC0) << "only a baseline frame is expected";
      EXPECT_EQ(jpeg[body], 8);                       // sample precision
      EXPECT_EQ(BigEndian16(jpeg, body + 1), 1200u);  // height
      EXPECT_EQ(BigEndian16(jpeg, body + 3), 1600u);  // width
      ASSERT_EQ(jpeg[body + 5], 3);                   // Y, Cb, Cr
      for (std::size_t c = 0; c < 3; ++c) {
        EXPECT_EQ(jpeg[body + 6 + 3 * c], c + 1) << "component id";
        EXPECT_EQ(jpeg[body + 7 + 3 * c], 0x11) << "component " << c << " sampled 1 x 1";
      }
    }
    if (marker == 0xDA) {
      EXPECT_EQ(jpeg[body], 3) << "one interleaved scan of all three components";
      break;
    }
    at += 2 + length;
  }
  EXPECT_TRUE(jfif);
  EXPECT_EQ(frames, 1);
}

struct SmallPicture {
  const char* name;
  int size_x;
  int size_y;
  bool transparent_background;
};

void PrintTo(const SmallPicture& picture, std::ostream* out) {
  *out << picture.name;
}

class SmallPictureTest : public testing::TestWithParam<SmallPicture> {};

TEST_P(SmallPictureTest, HasItsSizeAndBackground) {
  const SmallPicture& expected = GetParam();
  const QImage picture(QString::fromStdString(AssetPath(expected.name)));
  ASSERT_FALSE(picture.isNull()) << expected.name;
  EXPECT_EQ(picture.size(), QSize(expected.size_x, expected.size_y));
  EXPECT_EQ(picture.hasAlphaChannel(), expected.transparent_background);
  int opaque = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const int alpha = qAlpha(picture.pixel(x, y));
      EXPECT_TRUE(alpha == 0 || alpha == 255) << "a mask, not soft edges, at " << x << "," << y;
      opaque += alpha == 255 ? 1 : 0;
    }
  }
  if (expected.transparent_background) {
    EXPECT_EQ(qAlpha(picture.pixel(0, picture.height() - 1)), 0);
    EXPECT_GT(opaque, picture.width() * picture.height() / 3) << "the picture itself is drawn";
  }
}

INSTANTIATE_TEST_SUITE_P(Assets, SmallPictureTest,
                         testing::Values(SmallPicture{"toolbar_solve.png", 16, 16, true},
                                         SmallPicture{"toolbar_help.png", 16, 16, true},
                                         SmallPicture{"toolbar_exit.png", 16, 16, true},
                                         SmallPicture{"close_glyph.png", 18, 18, true},
                                         SmallPicture{"app_icon.png", 32, 32, false}),
                         [](const testing::TestParamInfo<SmallPicture>& info) {
                           std::string name = info.param.name;
                           return name.substr(0, name.find('.'));
                         });

std::string HicolorIcon(int size) {
  const std::string dimensions = std::to_string(size) + "x" + std::to_string(size);
  return "icons/hicolor/" + dimensions + "/apps/" + NLE_APP_ID + ".png";
}

// The application icon and the menu icon's small sizes are the sixteen-colour
// pixel picture.
TEST(AppIconTest, SmallSizesAreThePixelPicture) {
  for (const auto& [name, size] :
       std::vector<std::pair<std::string, int>>{{"app_icon.png", 32}, {HicolorIcon(16), 16}}) {
    const QImage icon(QString::fromStdString(AssetPath(name)));
    ASSERT_FALSE(icon.isNull()) << name;
    EXPECT_EQ(icon.size(), QSize(size, size)) << name;
    EXPECT_GT(icon.colorCount(), 0) << name << " is a palette image";
    EXPECT_LE(icon.colorCount(), 16) << name;
  }
  EXPECT_EQ(ReadAsset(HicolorIcon(32)), ReadAsset("app_icon.png"));
}

// The large sizes are rendered from the scalable drawing: smooth edges, not
// the small picture's pixels blown up into squares of one colour.
TEST(AppIconTest, LargeSizesAreRenderedSmoothly) {
  for (const int size : {48, 64, 128, 256}) {
    const QImage icon = QImage(QString::fromStdString(AssetPath(HicolorIcon(size))))
                            .convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(icon.size(), QSize(size, size)) << size;
    std::set<QRgb> colours;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) colours.insert(icon.pixel(x, y));
    }
    EXPECT_GT(colours.size(), 64u) << size;
  }
}

}  // namespace
