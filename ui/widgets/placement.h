// SPDX-License-Identifier: GPL-3.0-or-later
// Where windows go when they are first shown.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

namespace ui {

// The usual frame of the designs: a 493 x 284 window has a 477 x 248 client
// area. A window manager tells the real frame only once it has decorated the
// window, after its first showing, which is when windows are placed; so the
// placement counts with this one.
inline constexpr QSize kUsualFrame(16, 36);

inline QSize OuterSize(const QSize& client) {
  return client + kUsualFrame;
}

// A window is placed at its first showing only; at later showings it stays
// wherever the user has moved it since.
class PlaceOnce {
 public:
  // Moves `window` to `where()` unless it has been placed before.
  template <typename Where>
  void Place(QWidget& window, Where where) {
    if (placed_) return;
    placed_ = true;
    window.move(where());
  }

 private:
  bool placed_ = false;
};

// Centred in `area`: each coordinate (area size - window size) / 2, truncated
// toward zero and raised to 0 when negative, counted from `origin`.
QPoint CentredIn(const QSize& area, const QSize& window, const QPoint& origin = QPoint(0, 0));

// Centred on the bounding rectangle of all monitors; coordinates count from
// the primary screen's top-left corner.
QPoint CentredOnDesktop(const QSize& outer_window_size);

// Centred on the primary screen.
QPoint CentredOnPrimaryScreen(const QSize& outer_window_size);

}  // namespace ui
