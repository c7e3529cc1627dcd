// The frame that the window designs assume around a client area.
#pragma once

#include <QSize>

namespace ui {

// The usual frame of the designs: a 493 x 284 window has a 477 x 248 client
// area. A window manager tells the real frame only once it has decorated the
// window, after its first showing, which is when windows are placed; so the
// placement counts with this one.
inline constexpr QSize kUsualFrame(16, 36);

inline QSize OuterSize(const QSize& client) {
  return client + kUsualFrame;
}

}  // namespace ui
