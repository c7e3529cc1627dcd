// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Unit4.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QThread>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <thread>

#include "ui/help/splash_picture.h"
#include "ui/widgets/design_look.h"
#include "ui/widgets/design_names.h"
#include "ui/widgets/placement.h"
#include "ui/widgets/stretched_image.h"

TForm4* Form4 = nullptr;

namespace {

constexpr int kSplashMilliseconds = 2000;
constexpr int kFadeSteps = 255;
// How long to wait for the window system to put a new window on the screen.
constexpr int kExposeWaitMilliseconds = 1000;

SplashSleep& Sleep() {
  static SplashSleep sleep = [](int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  };
  return sleep;
}

QLabel* MakeTitle(QWidget* parent) {
  auto* title = new QLabel(
      QStringLiteral("Простейший математический пакет по решению нелинейных уравнений"), parent);
  title->setFont(ui::DesignFont(13, true));
  ui::SetColours(*title, {{QPalette::WindowText, Qt::white}});
  title->move(16, 48);
  title->adjustSize();
  return title;
}

bool IsExposed(const QWidget& window) {
  const QWindow* handle = window.windowHandle();
  return handle != nullptr && handle->isExposed();
}

// Sends what Qt has buffered for the window system and waits until the
// server has handled it: on X11, opacity changes and painted pixels would
// otherwise wait in Xlib's buffer until control returns to the event loop.
void FlushToDisplay() {
  QGuiApplication::sync();
}

// On X11, mapping is asynchronous: the queue may be empty before the window
// is on the screen, and the sleep that follows would then show nothing. Wait
// (bounded) for the expose, paint at once and flush the pixels.
void PaintOnScreen(QWidget& window) {
  QElapsedTimer waited;
  waited.start();
  while (!IsExposed(window) && waited.elapsed() < kExposeWaitMilliseconds) {
    FlushToDisplay();
    QCoreApplication::processEvents();
    if (!IsExposed(window)) QThread::msleep(1);
  }
  window.repaint();
  FlushToDisplay();
}

}  // namespace

TForm4::TForm4(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      Image1(new ui::StretchedImage(ui::LoadSplashPicture, this)),
      Label1(MakeTitle(this)) {
  setObjectName(QStringLiteral("Form4"));
  ui::SetDesignNames({NLE_DESIGN_NAME(Image1), NLE_DESIGN_NAME(Label1)});
  setWindowTitle(QStringLiteral("Form4"));
  setFixedSize(577, 165);
  ui::SetColours(*this, {{QPalette::Window, ui::SystemColour(ui::kButtonFace)}});
  setAutoFillBackground(true);
  // Hiding the splash must never count as closing the program's last window.
  setAttribute(Qt::WA_QuitOnClose, false);

  // The window has a fixed size, so the picture's place is fixed too.
  Image1->setGeometry(rect());
  Label1->raise();
}

void TForm4::ShowSplash() {
  // No frame: the window is its client area.
  first_place_.Place(*this, [this] { return ui::CentredOnDesktop(size()); });
  show();
  raise();
}

void TForm4::SetAlphaBlendValue(int alpha) {
  const int value = std::clamp(alpha, 0, 255);
  if (value == alpha_blend_value_) return;
  alpha_blend_value_ = value;
  setWindowOpacity(value / 255.0);
}

void PlaySplashSequence(TForm4& splash) {
  splash.ShowSplash();
  QCoreApplication::processEvents();
  PaintOnScreen(splash);
  Sleep()(kSplashMilliseconds);
  // No pause between the steps: the fade lasts as long as they take. Each
  // step is flushed, or the server would see only the last one.
  for (int step = 1; step <= kFadeSteps; ++step) {
    splash.SetAlphaBlendValue(kFadeSteps - step);
    QCoreApplication::processEvents();
    FlushToDisplay();
  }
  splash.hide();
}

void SetSplashSleep(SplashSleep sleep) {
  Sleep() = std::move(sleep);
}
