// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/charts/legend.h"

#include <QAreaSeries>
#include <QFontMetrics>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPainterPath>
#include <QScatterSeries>
#include <QtCharts/QChart>
#include <cmath>

#include "ui/charts/series.h"

namespace ui {

namespace {

// An entry: a sample three "x" wide, a gap of one, the name, and two "x"
// before the next entry.
struct Metrics {
  int x = 0;
  int line = 0;
  int sample = 0;
};

Metrics MetricsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  const int x = metrics.horizontalAdvance(QLatin1Char('x'));
  return {x, metrics.height() + x / 2, 4 * x};
}

int EntryWidth(const LegendEntry& entry, const QFont& font, const Metrics& m) {
  return m.sample + m.x + QFontMetrics(font).horizontalAdvance(entry.name);
}

// The top-left corner of each entry when wrapped to `width`.
QList<QPoint> Layout(const QList<LegendEntry>& entries, const QFont& font, int width) {
  const Metrics m = MetricsOf(font);
  QList<QPoint> places;
  int x = 0;
  int y = 0;
  for (const LegendEntry& entry : entries) {
    const int entry_width = EntryWidth(entry, font, m);
    if (x > 0 && x + entry_width > width) {
      x = 0;
      y += m.line;
    }
    places << QPoint(x, y);
    x += entry_width + 2 * m.x;
  }
  return places;
}

}  // namespace

QList<LegendEntry> LegendEntries(const QChart& chart) {
  QList<LegendEntry> entries;
  for (QLegendMarker* marker : chart.legend()->markers()) {
    QAbstractSeries* series = marker->series();
    if (series->property(kOutOfLegendProperty).toBool() || series->name().isEmpty()) continue;
    auto same = std::find_if(entries.begin(), entries.end(),
                             [series](const LegendEntry& e) { return e.name == series->name(); });
    if (same == entries.end()) {
      entries << LegendEntry{series->name(), {}, {}, {}, {}};
      same = entries.end() - 1;
    }
    if (auto* scatter = qobject_cast<QScatterSeries*>(series)) {
      same->marker_shape = scatter->markerShape();
      same->marker_fill = scatter->color();
      same->marker_border = scatter->borderColor();
    } else if (auto* line = qobject_cast<QLineSeries*>(series)) {
      same->line = line->pen();
    } else if (auto* area = qobject_cast<QAreaSeries*>(series)) {
      same->line = area->pen();
    }
  }
  return entries;
}

int LegendHeight(const QList<LegendEntry>& entries, const QFont& font, int width) {
  if (entries.isEmpty()) return 0;
  return Layout(entries, font, width).back().y() + MetricsOf(font).line;
}

void PaintMarker(QPainter& painter, int shape, const QPointF& centre, qreal size,
                 const QColor& fill, const QColor& border) {
  const qreal r = size / 2;
  QPainterPath path;
  switch (shape) {
    case QScatterSeries::MarkerShapeRectangle:
      path.addRect(QRectF(centre.x() - r, centre.y() - r, size, size));
      break;
    case QScatterSeries::MarkerShapeRotatedRectangle:
      path.moveTo(centre.x(), centre.y() - r);
      path.lineTo(centre.x() + r, centre.y());
      path.lineTo(centre.x(), centre.y() + r);
      path.lineTo(centre.x() - r, centre.y());
      path.closeSubpath();
      break;
    case QScatterSeries::MarkerShapeTriangle:
      path.moveTo(centre.x(), centre.y() - r);
      path.lineTo(centre.x() + r, centre.y() + r);
      path.lineTo(centre.x() - r, centre.y() + r);
      path.closeSubpath();
      break;
    case QScatterSeries::MarkerShapeStar:
      for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 == 0 ? r : r * 0.45;
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF point(centre.x() + radius * std::cos(angle),
                            centre.y() + radius * std::sin(angle));
        i == 0 ? path.moveTo(point) : path.lineTo(point);
      }
      path.closeSubpath();
      break;
    default:
      path.addEllipse(centre, r, r);
      break;
  }
  painter.setPen(QPen(border, 1));
  painter.setBrush(fill);
  painter.drawPath(path);
}

void PaintLegend(QPainter& painter, const QList<LegendEntry>& entries, const QFont& font,
                 const QRect& area, const QColor& text) {
  const Metrics m = MetricsOf(font);
  const QList<QPoint> places = Layout(entries, font, area.width());
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setFont(font);
  for (qsizetype i = 0; i < entries.size(); ++i) {
    const LegendEntry& entry = entries[i];
    const QPoint at = area.topLeft() + places[i];
    const qreal middle = at.y() + m.line / 2.0;
    if (entry.line) {
      QPen pen = *entry.line;
      pen.setWidthF(std::max<qreal>(pen.widthF(), 1.5));
      painter.setPen(pen);
      painter.drawLine(QPointF(at.x(), middle), QPointF(at.x() + m.sample, middle));
    }
    if (entry.marker_shape) {
      PaintMarker(painter, *entry.marker_shape, {at.x() + m.sample / 2.0, middle}, 1.6 * m.x,
                  entry.marker_fill, entry.marker_border);
    }
    painter.setPen(text);
    painter.drawText(QRect(at.x() + m.sample + m.x, at.y(), area.width(), m.line),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, entry.name);
  }
  painter.restore();
}

LegendStrip::LegendStrip(const QChart& chart, QWidget* parent) : QWidget(parent) {
  setAccessibleName(QStringLiteral("Легенда"));
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  Show(chart);
}

void LegendStrip::Show(const QChart& chart) {
  entries_ = LegendEntries(chart);
  QStringList names;
  for (const LegendEntry& entry : entries_) names << entry.name;
  setAccessibleDescription(names.join(QStringLiteral("; ")));
  FitHeight();
  update();
}

void LegendStrip::FitHeight() {
  const int needed = heightForWidth(width());
  if (needed == height_) return;
  height_ = needed;
  updateGeometry();
}

void LegendStrip::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FitHeight();
}

int LegendStrip::heightForWidth(int width) const {
  return LegendHeight(entries_, font(), width);
}

QSize LegendStrip::sizeHint() const {
  return {0, height_};
}

QSize LegendStrip::minimumSizeHint() const {
  return {0, height_};
}

void LegendStrip::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  PaintLegend(painter, entries_, font(), rect(), palette().color(QPalette::WindowText));
}

}  // namespace ui
