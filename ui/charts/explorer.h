// SPDX-License-Identifier: GPL-3.0-or-later
// A plot that a student can explore, with the mouse as in the plotting tools
// students know and from the keyboard: the wheel and + / − zoom about the
// pointer (or the centre), a drag and the arrow keys pan, a double click and
// 0 go back to the whole plot. Hovering over the curve shows (x, f(x)), over
// an iterate n and xₙ, in the program's number text. With the focus, the view
// draws a focus frame.
#pragma once

#include <QPointF>
#include <QString>
#include <QVariant>
#include <QtCharts/QChartView>
#include <optional>
#include <vector>

class QAbstractAxis;

namespace ui {

class ChartExplorer : public QChartView {
  Q_OBJECT

 public:
  explicit ChartExplorer(QChart* chart, QWidget* parent = nullptr);

  // What the tooltip says with the pointer at `position` (viewport pixels);
  // empty away from every point.
  QString TextAt(const QPointF& position) const;

  // Zooms by `factor` (above 1 in, below 1 out) keeping `at` (viewport
  // pixels) in place; pans by whole pixels; goes back to the whole plot.
  void ZoomAbout(qreal factor, const QPointF& at);
  void Pan(qreal dx, qreal dy);
  void ResetView();

  // The minimum size: a graphics view would ask for its scene's size, which
  // is its own last size, and the window's contents would never shrink to
  // fit without scrolling.
  QSize sizeHint() const override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  bool HandleKey(const QKeyEvent& event);

  void KeepWholeRanges();

  std::optional<QPointF> drag_from_;
};

}  // namespace ui
