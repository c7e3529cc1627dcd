// SPDX-License-Identifier: GPL-3.0-or-later
// What the window tests and the window drivers share: a dark desktop palette,
// the application's look set for one test row, the contrast of two colours,
// and a log kept free of the offscreen platform's complaints.
#pragma once

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QLatin1String>
#include <QPalette>
#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <cmath>

namespace window_test {

// WCAG 2 contrast ratio of two opaque colours.
inline double Contrast(const QColor& a, const QColor& b) {
  const auto luminance = [](const QColor& colour) {
    const auto linear = [](double channel) {
      return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
  };
  const double la = luminance(a);
  const double lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A dark desktop, as a dark theme gives it: light text on dark backgrounds.
inline QPalette DarkPalette() {
  QPalette dark(QColor(53, 53, 53), QColor(45, 45, 45));
  dark.setColor(QPalette::WindowText, Qt::white);
  dark.setColor(QPalette::Text, Qt::white);
  dark.setColor(QPalette::ButtonText, Qt::white);
  dark.setColor(QPalette::Base, QColor(30, 30, 30));
  dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
  dark.setColor(QPalette::HighlightedText, Qt::black);
  return dark;
}

// The application's font at `point_size` (0: as it is) and, when `dark`, the
// dark palette, for as long as it lives; then the font and palette it found
// come back, also when a check failed part-way and left the test early.
class ApplicationLook {
 public:
  ApplicationLook(int point_size, bool dark)
      : font_(QApplication::font()), palette_(QApplication::palette()) {
    if (point_size > 0) {
      QFont large = font_;
      large.setPointSize(point_size);
      QApplication::setFont(large);
    }
    if (dark) QApplication::setPalette(DarkPalette());
  }
  ~ApplicationLook() {
    QApplication::setFont(font_);
    QApplication::setPalette(palette_);
  }
  ApplicationLook(const ApplicationLook&) = delete;
  ApplicationLook& operator=(const ApplicationLook&) = delete;

 private:
  QFont font_;
  QPalette palette_;
};

// The offscreen platform cannot set a window's opacity or raise it; the splash
// and the help window ask for both, which would bury the log.
inline void QuietOffscreenLimitations() {
  static QtMessageHandler previous = nullptr;
  previous = qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (message.startsWith(QLatin1String("This plugin does not support"))) return;
        previous(type, context, message);
      });
}

}  // namespace window_test
