// SPDX-License-Identifier: GPL-3.0-or-later
// The splash window: the picture with the program's full title, shown alone
// at start-up for two seconds and then faded out, before the main window.
#pragma once

#include <QWidget>
#include <functional>

#include "ui/widgets/placement.h"

class QLabel;
namespace ui {
class StretchedImage;
}

class TForm4 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm4(QWidget* parent = nullptr);

  // The picture over the whole window; the title painted over it.
  ui::StretchedImage* const Image1;
  QLabel* const Label1;

  // Shows the window and brings it to the front; at its first showing it is
  // centred on the desktop first, and it stays there afterwards.
  void ShowSplash();

  // The window's opacity, 0 (transparent) to 255 (opaque); a value equal to
  // the current one is not applied again.
  int AlphaBlendValue() const { return alpha_blend_value_; }
  void SetAlphaBlendValue(int alpha);

 private:
  ui::PlaceOnce first_place_;
  int alpha_blend_value_ = 255;
};

extern TForm4* Form4;

// The splash sequence that the main window's show handler plays: show the
// splash and make sure it is on the screen, sleep two seconds without
// handling events, fade it out in 255 steps (254 down to 0) and hide it.
void PlaySplashSequence(TForm4& splash);

// The two-second sleep, replaceable so that tests do not wait.
using SplashSleep = std::function<void(int milliseconds)>;
void SetSplashSleep(SplashSleep sleep);
