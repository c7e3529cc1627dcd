// SPDX-License-Identifier: GPL-3.0-or-later
// Plays the splash sequence on a real display for splash_fade.sh. Instead of
// sleeping two seconds it tells the script which window the splash is and
// where, and waits for the script's "go": the script takes its screenshot
// and starts following the window's opacity meanwhile. After the fade it
// waits for "quit", so the window still exists while the script reads the
// last changes.
#include <QApplication>
#include <iostream>
#include <string>

#include "ui/Unit4.h"

namespace {

void WaitForLine() {
  std::string line;
  std::getline(std::cin, line);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  TForm4 splash;
  SetSplashSleep([&splash](int /*milliseconds*/) {
    const QRect place = splash.geometry();
    std::cout << splash.winId() << ' ' << place.x() << ' ' << place.y() << ' ' << place.width()
              << ' ' << place.height() << std::endl;
    WaitForLine();
  });
  PlaySplashSequence(splash);
  std::cout << "faded" << std::endl;
  WaitForLine();
  return 0;
}
