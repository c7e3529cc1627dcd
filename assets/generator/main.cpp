// SPDX-License-Identifier: GPL-3.0-or-later
// asset-generator: draws every picture of the program into the assets
// directory given as the only argument (the regenerate-assets target passes
// the source tree's assets/). The output is the same on every run.

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "image_files.h"
#include "pictures.h"

namespace {

namespace fs = std::filesystem;
using assets::Bytes;

// The splash photograph's file size: about 360 KB, as the splash window's
// design expects; the quality is the one that comes nearest.
constexpr std::size_t kSplashTargetBytes = 364'674;

void Report(const fs::path& path) {
  std::cout << path.string() << "  " << fs::file_size(path) << " bytes\n";
}

// The menu icon at the small sizes is the pixel picture itself (16 pixels
// keep every other one); the larger sizes are rendered from the scalable
// drawing (assets/CMakeLists.txt), never scaled up from these pixels.
void WriteHicolorIcons(const assets::Canvas& icon, const fs::path& directory) {
  for (const int size : {16, 32}) {
    const std::string dimensions = std::to_string(size) + "x" + std::to_string(size);
    const fs::path folder = directory / "icons" / "hicolor" / dimensions / "apps";
    fs::create_directories(folder);
    const fs::path path = folder / (std::string(NLE_APP_ID) + ".png");
    assets::SavePalettePng(assets::ScaledByWholePixels(icon, size, size), path);
    Report(path);
  }
}

Bytes EncodeSplashNearTarget(const assets::RgbImage& picture) {
  Bytes best;
  int best_quality = 0;
  for (int quality = 50; quality <= 100; ++quality) {
    Bytes candidate = assets::EncodeJpeg(picture, quality);
    const auto distance = [](const Bytes& b) {
      return b.size() > kSplashTargetBytes ? b.size() - kSplashTargetBytes
                                           : kSplashTargetBytes - b.size();
    };
    if (best.empty() || distance(candidate) < distance(best)) {
      best = std::move(candidate);
      best_quality = quality;
    }
  }
  std::cout << "splash quality " << best_quality << "\n";
  return best;
}

void Generate(const fs::path& directory) {
  const assets::Canvas icon = assets::DrawAppIcon();
  assets::SavePalettePng(icon, directory / "app_icon.png");
  Report(directory / "app_icon.png");
  WriteHicolorIcons(icon, directory);

  assets::SaveRgbaPng(assets::DrawCalculator(), directory / "toolbar_solve.png");
  assets::SaveRgbaPng(assets::DrawBook(), directory / "toolbar_help.png");
  assets::SaveRgbaPng(assets::DrawBall(), directory / "toolbar_exit.png");
  assets::SaveRgbaPng(assets::DrawCloseGlyph(), directory / "close_glyph.png");
  for (const char* name :
       {"toolbar_solve.png", "toolbar_help.png", "toolbar_exit.png", "close_glyph.png"}) {
    Report(directory / name);
  }

  assets::WriteFile(directory / "about_icon.bmp", assets::EncodeBmp4(assets::DrawAboutPicture()));
  Report(directory / "about_icon.bmp");

  assets::WriteFile(directory / "splash.jpg",
                    EncodeSplashNearTarget(assets::RenderSplashPicture()));
  Report(directory / "splash.jpg");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: asset-generator <assets directory>\n";
    return EXIT_FAILURE;
  }
  try {
    Generate(argv[1]);
  } catch (const std::exception& error) {
    std::cerr << "asset-generator: " << error.what() << "\n";
    return EXIT_FAILURE;
  }
  return EXIT_SUCCESS;
}
