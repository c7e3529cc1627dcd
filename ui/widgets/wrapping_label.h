// SPDX-License-Identifier: GPL-3.0-or-later
// A label whose lines wrap between words where they can and anywhere where
// they must. QLabel wraps between words only, and asks for the width of its
// longest word: a derivative such as "cos(sin(sin(x)))*cos(sin(x))*…" has no
// blank, and made its window wider than the screen. This one asks for the
// width of a few characters and the height its text takes at the width it
// is given (also as its least height, which a window's least size then
// includes); text(), the accessible text and the font are QLabel's. The text
// is plain and not selectable.
#pragma once

#include <QLabel>

class QPainter;

namespace ui {

class WrappingLabel : public QLabel {
 public:
  explicit WrappingLabel(QWidget* parent = nullptr);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Lays the text out in `width` pixels of text and returns its height;
  // draws it too when given a painter.
  double LayOut(double width, QPainter* painter) const;
};

}  // namespace ui
