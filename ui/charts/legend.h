// SPDX-License-Identifier: GPL-3.0-or-later
// The legend of a plot as a strip under it that wraps onto more lines when
// the plot is narrow: Qt Charts' own legend keeps one line and cuts the
// names short. Each entry shows what its series draws: the line with its
// dash pattern, the marker with its shape, or both where a line and a
// scatter series share a name. Series hidden from the chart's legend are
// left out. The export draws the same legend under the picture.
#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPen>
#include <QRect>
#include <QString>
#include <QWidget>
#include <optional>

class QChart;
class QPainter;

namespace ui {

struct LegendEntry {
  QString name;
  std::optional<QPen> line;
  // The scatter series' marker: its shape (QScatterSeries::MarkerShape),
  // fill and border.
  std::optional<int> marker_shape;
  QColor marker_fill;
  QColor marker_border;
};

QList<LegendEntry> LegendEntries(const QChart& chart);

// The height that the entries take when wrapped to `width`.
int LegendHeight(const QList<LegendEntry>& entries, const QFont& font, int width);
void PaintLegend(QPainter& painter, const QList<LegendEntry>& entries, const QFont& font,
                 const QRect& area, const QColor& text);

// Draws a marker shape (QScatterSeries::MarkerShape) of `size` pixels.
void PaintMarker(QPainter& painter, int shape, const QPointF& centre, qreal size,
                 const QColor& fill, const QColor& border);

class LegendStrip : public QWidget {
  Q_OBJECT

 public:
  explicit LegendStrip(const QChart& chart, QWidget* parent = nullptr);

  const QList<LegendEntry>& Entries() const { return entries_; }
  // The entries of another chart, shown in the strip's place.
  void Show(const QChart& chart);

  // As high as the entries wrapped to `width` need.
  int heightForWidth(int width) const override;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  // The strip asks for the height its width needs. Not through Qt's
  // height-for-width: a scroll area would then size the whole window's
  // contents to their preferred height and scroll needlessly.
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FitHeight();

  QList<LegendEntry> entries_;
  int height_ = 0;
};

}  // namespace ui
