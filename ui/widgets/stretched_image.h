// SPDX-License-Identifier: GPL-3.0-or-later
// An image control: a picture stretched to the control's own size, aspect
// ratio not kept, by dropping or repeating whole pixels (no smoothing).
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

namespace ui {

class StretchedImage : public QWidget {
 public:
  // `load` makes the picture. It runs once, at the first paint, and the
  // picture is kept from then on; a null picture paints nothing, so the
  // parent's background shows.
  using Loader = std::function<QImage()>;
  explicit StretchedImage(Loader load, QWidget* parent = nullptr);

  // Null until the first paint.
  const QImage& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Loader load_;
  bool loaded_ = false;
  QImage picture_;
};

}  // namespace ui
