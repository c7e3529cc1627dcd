// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/stretched_image.h"

#include <QPainter>
#include <utility>

namespace ui {

StretchedImage::StretchedImage(Loader load, QWidget* parent)
    : QWidget(parent), load_(std::move(load)) {}

void StretchedImage::paintEvent(QPaintEvent* /*event*/) {
  if (!loaded_) {
    loaded_ = true;
    picture_ = load_();
    load_ = nullptr;
  }
  if (picture_.isNull()) return;
  // Without SmoothPixmapTransform the raster engine samples the nearest
  // pixel: whole pixels are dropped or repeated.
  QPainter painter(this);
  painter.drawImage(rect(), picture_);
}

}  // namespace ui
