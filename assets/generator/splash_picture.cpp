// SPDX-License-Identifier: GPL-3.0-or-later
// The splash photograph: a macro shot of blue woven mesh. A sharp picture of
// the weave is rendered first; then a depth-of-field blur that grows from the
// centre outwards, the lens's light fall-off and a little sensor grain make
// it read as a photograph rather than a drawing.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "pictures.h"

namespace assets {
namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 1200;
constexpr double kPeriod = 13.0;           // mesh period at the centre, in pixels
constexpr double kAngle = 0.21;            // rotation of the weave, radians
constexpr double kTilt = 0.10;             // the lower edge is this much nearer the lens
constexpr double kThreadHalfWidth = 0.31;  // in periods: the holes are 38 % of a period wide
constexpr int kOversampling = 3;           // per axis, for smooth thread edges in the sharp centre
// The weave is rendered this far beyond each edge, so that the blur near an
// edge averages real surface instead of a repeated border row.
constexpr int kMargin = 36;
constexpr int kPaddedWidth = kWidth + 2 * kMargin;
constexpr int kPaddedHeight = kHeight + 2 * kMargin;

struct Colour3 {
  double r = 0;
  double g = 0;
  double b = 0;
};

Colour3 operator+(Colour3 a, Colour3 b) {
  return {a.r + b.r, a.g + b.g, a.b + b.b};
}
Colour3 operator*(Colour3 a, double s) {
  return {a.r * s, a.g * s, a.b * s};
}
Colour3 Mix(Colour3 a, Colour3 b, double t) {
  return a * (1 - t) + b * t;
}

constexpr Colour3 kHoleColour{5, 12, 42};
constexpr Colour3 kThreadShadow{12, 34, 120};
constexpr Colour3 kThreadBody{38, 92, 212};
constexpr Colour3 kThreadHighlight{165, 205, 255};

// Fixed integer hash: the grain and the irregularities of the threads are
// the same on every run.
std::uint32_t Hash(std::uint32_t a, std::uint32_t b, std::uint32_t c = 0) {
  std::uint32_t h = a * 0x9E3779B1u + b * 0x85EBCA77u + c * 0xC2B2AE3Du + 0x27D4EB2Fu;
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return h;
}

double Unit(std::uint32_t h) {
  return (h & 0xFFFFFFu) / double(0x1000000);
}

// Roughly normal noise with unit variance: a sum of four uniform values.
double Grain(int x, int y, std::uint32_t channel) {
  double sum = 0;
  for (std::uint32_t i = 0; i < 4; ++i) {
    sum +=
        Unit(Hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), channel * 4 + i));
  }
  return (sum - 2.0) * std::sqrt(3.0);
}

// Smooth value noise for the slight unevenness of the lit surface.
double SmoothNoise(double x, double y, std::uint32_t seed) {
  const double fx = std::floor(x);
  const double fy = std::floor(y);
  const auto ix = static_cast<std::uint32_t>(static_cast<std::int64_t>(fx) + 1000);
  const auto iy = static_cast<std::uint32_t>(static_cast<std::int64_t>(fy) + 1000);
  const double tx = (x - fx) * (x - fx) * (3 - 2 * (x - fx));
  const double ty = (y - fy) * (y - fy) * (3 - 2 * (y - fy));
  const double top = Unit(Hash(ix, iy, seed)) * (1 - tx) + Unit(Hash(ix + 1, iy, seed)) * tx;
  const double bottom =
      Unit(Hash(ix, iy + 1, seed)) * (1 - tx) + Unit(Hash(ix + 1, iy + 1, seed)) * tx;
  return top * (1 - ty) + bottom * ty;
}

struct Thread {
  bool present = false;
  double across = 0;     // -1 .. 1 from one edge of the thread to the other
  double elevation = 0;  // how far the thread rises towards the lens
  double wave = 0;       // -1 where it dips under the other thread, +1 where it passes over
  std::uint32_t index = 0;
};

// One thread family at the point: offset across it and position along it,
// both in periods; parity says whether it passes over at the nearest crossing.
Thread ThreadAt(double across, double along, std::int64_t index, int parity) {
  Thread thread;
  const double offset = across - static_cast<double>(index);
  if (std::abs(offset) >= kThreadHalfWidth) return thread;
  thread.present = true;
  thread.across = offset / kThreadHalfWidth;
  thread.wave = parity * std::cos(std::numbers::pi * (along - std::round(along)));
  thread.elevation = 0.35 * thread.wave + 0.25 * std::sqrt(1 - thread.across * thread.across);
  thread.index = static_cast<std::uint32_t>(index + (1 << 20));
  return thread;
}

// Colour of a thread: a round cross-section lit from the upper left, brighter
// where it bulges over a crossing, with the fine twist of its filaments.
Colour3 ShadeThread(const Thread& thread, double along) {
  const double roundness = std::sqrt(1 - thread.across * thread.across);
  const double light = std::clamp(0.55 * roundness - 0.35 * thread.across + 0.25, 0.0, 1.2);
  const double bulge = 0.75 + 0.25 * thread.wave;
  const double twist =
      0.92 + 0.08 * std::cos(2 * std::numbers::pi * (2.5 * thread.across + 3.0 * along));
  const double irregular = 0.93 + 0.14 * Unit(Hash(thread.index, 17));
  const double shade = light * bulge * twist * irregular;
  const double gleam =
      std::pow(std::max(0.0, roundness - 0.25 * std::abs(thread.across + 0.35)), 6.0);
  Colour3 colour = shade < 0.5
                       ? Mix(kThreadShadow, kThreadBody, shade / 0.5)
                       : Mix(kThreadBody, kThreadHighlight, std::min(1.0, (shade - 0.5) * 0.9));
  return colour + Colour3{90, 90, 70} * (gleam * std::max(0.0, thread.wave) * 0.6);
}

Colour3 SharpMesh(double x, double y) {
  const double dx = x - kWidth / 2.0;
  const double dy = y - kHeight / 2.0;
  const double scale = 1.0 / (kPeriod * (1 + kTilt * dy / (kHeight / 2.0)));
  const double u = (std::cos(kAngle) * dx + std::sin(kAngle) * dy) * scale;
  const double v = (-std::sin(kAngle) * dx + std::cos(kAngle) * dy) * scale;
  const auto iu = static_cast<std::int64_t>(std::floor(u + 0.5));
  const auto iv = static_cast<std::int64_t>(std::floor(v + 0.5));
  const int parity = ((iu + iv) % 2 == 0) ? 1 : -1;
  const Thread vertical = ThreadAt(u, v, iu, parity);
  const Thread horizontal = ThreadAt(v, u, iv, -parity);
  if (!vertical.present && !horizontal.present) {
    // Looking through a hole: the dark backing, faintly lit near the threads.
    const double du = std::abs(u - static_cast<double>(iu));
    const double dv = std::abs(v - static_cast<double>(iv));
    const double near_thread = std::max(0.0, 1.0 - (std::min(du, dv) - kThreadHalfWidth) * 12.0);
    return kHoleColour + Colour3{2, 8, 30} * (0.25 * near_thread);
  }
  if (vertical.present && (!horizontal.present || vertical.elevation >= horizontal.elevation)) {
    return ShadeThread(vertical, v);
  }
  return ShadeThread(horizontal, u);
}

// Light fall-off of the lens towards the corners, light coming from the
// upper left, and the gentle unevenness of a real surface.
double Illumination(int x, int y) {
  const double nx = (x - kWidth / 2.0) / (kWidth / 2.0);
  const double ny = (y - kHeight / 2.0) / (kHeight / 2.0);
  const double vignette = 1.0 - 0.28 * (nx * nx + ny * ny) / 2.0;
  const double slope = 1.0 - 0.10 * (nx + ny) / 2.0;
  const double unevenness = 0.94 + 0.12 * SmoothNoise(x / 260.0, y / 260.0, 5);
  return vignette * slope * unevenness;
}

// Depth of field: sharp around the centre, softer with the distance from it.
double BlurSigma(int x, int y) {
  const double nx = (x - kWidth / 2.0) / (kWidth / 2.0);
  const double ny = (y - kHeight / 2.0) / (kHeight / 2.0);
  const double r = std::sqrt((nx * nx + ny * ny) / 2.0);  // 0 centre, 1 corners
  const double t = std::clamp((r - 0.16) / 0.84, 0.0, 1.0);
  return 11.0 * std::pow(t, 1.4);
}

using Plane = std::vector<float>;  // one colour channel, row by row

struct Planes {
  std::array<Plane, 3> channel;
};

// The sharp weave over the padded area; pixel (x, y) of the picture is
// (x + kMargin, y + kMargin) here.
Planes RenderSharp() {
  Planes sharp;
  for (Plane& plane : sharp.channel)
    plane.assign(static_cast<std::size_t>(kPaddedWidth * kPaddedHeight), 0.0f);
  for (int py = 0; py < kPaddedHeight; ++py) {
    for (int px = 0; px < kPaddedWidth; ++px) {
      const int x = px - kMargin;
      const int y = py - kMargin;
      Colour3 sum;
      for (int sy = 0; sy < kOversampling; ++sy) {
        for (int sx = 0; sx < kOversampling; ++sx) {
          sum = sum + SharpMesh(x + (sx + 0.5) / kOversampling, y + (sy + 0.5) / kOversampling);
        }
      }
      const Colour3 colour = sum * (Illumination(x, y) / (kOversampling * kOversampling));
      const auto i = static_cast<std::size_t>(py * kPaddedWidth + px);
      sharp.channel[0][i] = static_cast<float>(colour.r);
      sharp.channel[1][i] = static_cast<float>(colour.g);
      sharp.channel[2][i] = static_cast<float>(colour.b);
    }
  }
  return sharp;
}

std::vector<float> GaussianKernel(double sigma) {
  const int radius = static_cast<int>(std::ceil(3 * sigma));
  std::vector<float> kernel(static_cast<std::size_t>(2 * radius + 1));
  double total = 0;
  for (int i = -radius; i <= radius; ++i) total += std::exp(-i * i / (2 * sigma * sigma));
  for (int i = -radius; i <= radius; ++i) {
    kernel[static_cast<std::size_t>(i + radius)] =
        static_cast<float>(std::exp(-i * i / (2 * sigma * sigma)) / total);
  }
  return kernel;
}

// Separable Gaussian blur of a padded plane; beyond the padding the edge
// value is repeated, which the margin keeps out of the picture itself.
Plane Blur(const Plane& source, double sigma) {
  if (sigma <= 0) return source;
  const std::vector<float> kernel = GaussianKernel(sigma);
  const int radius = static_cast<int>(kernel.size() / 2);
  const auto at = [](int x, int y) { return static_cast<std::size_t>(y * kPaddedWidth + x); };
  Plane rows(source.size());
  for (int y = 0; y < kPaddedHeight; ++y) {
    for (int x = 0; x < kPaddedWidth; ++x) {
      float sum = 0;
      for (int k = -radius; k <= radius; ++k) {
        sum += kernel[static_cast<std::size_t>(k + radius)] *
               source[at(std::clamp(x + k, 0, kPaddedWidth - 1), y)];
      }
      rows[at(x, y)] = sum;
    }
  }
  Plane result(source.size());
  for (int y = 0; y < kPaddedHeight; ++y) {
    for (int x = 0; x < kPaddedWidth; ++x) {
      float sum = 0;
      for (int k = -radius; k <= radius; ++k) {
        sum += kernel[static_cast<std::size_t>(k + radius)] *
               rows[at(x, std::clamp(y + k, 0, kPaddedHeight - 1))];
      }
      result[at(x, y)] = sum;
    }
  }
  return result;
}

// A blur whose strength varies across the picture: the picture is blurred
// at a ladder of fixed strengths and each pixel blends the two rungs that
// bracket the strength it needs.
Planes DepthOfField(const Planes& sharp) {
  constexpr std::array<double, 8> kLadder = {0.0, 0.7, 1.4, 2.4, 3.8, 5.6, 8.0, 11.0};
  Planes result;
  for (Plane& plane : result.channel)
    plane.assign(static_cast<std::size_t>(kWidth * kHeight), 0.0f);
  for (std::size_t rung = 0; rung < kLadder.size(); ++rung) {
    for (int c = 0; c < 3; ++c) {
      const Plane blurred = Blur(sharp.channel[static_cast<std::size_t>(c)], kLadder[rung]);
      for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
          const double sigma = BlurSigma(x, y);
          double weight = 0;
          if (rung > 0 && sigma > kLadder[rung - 1] && sigma <= kLadder[rung]) {
            weight = (sigma - kLadder[rung - 1]) / (kLadder[rung] - kLadder[rung - 1]);
          } else if (rung + 1 < kLadder.size() && sigma >= kLadder[rung] &&
                     sigma < kLadder[rung + 1]) {
            weight = (kLadder[rung + 1] - sigma) / (kLadder[rung + 1] - kLadder[rung]);
          } else if (rung + 1 == kLadder.size() && sigma >= kLadder[rung]) {
            weight = 1;
          }
          if (weight == 0) continue;
          const auto padded = static_cast<std::size_t>((y + kMargin) * kPaddedWidth + x + kMargin);
          result.channel[static_cast<std::size_t>(c)][static_cast<std::size_t>(y * kWidth + x)] +=
              static_cast<float>(weight * blurred[padded]);
        }
      }
    }
  }
  return result;
}

std::uint8_t ToByte(double value) {
  return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

}  // namespace

RgbImage RenderSplashPicture() {
  const Planes photo = DepthOfField(RenderSharp());
  RgbImage image{kWidth, kHeight,
                 std::vector<std::uint8_t>(static_cast<std::size_t>(kWidth * kHeight * 3))};
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const auto i = static_cast<std::size_t>(y * kWidth + x);
      // Sensor grain: mostly in brightness, a little in colour.
      const double luma_grain = 1.4 * Grain(x, y, 0);
      for (int c = 0; c < 3; ++c) {
        const double chroma_grain = 0.6 * Grain(x, y, static_cast<std::uint32_t>(c + 1));
        image.samples[i * 3 + static_cast<std::size_t>(c)] =
            ToByte(photo.channel[static_cast<std::size_t>(c)][i] + luma_grain + chroma_grain);
      }
    }
  }
  return image;
}

}  // namespace assets
