// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/charts/explorer.h"

#include <QKeyEvent>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMouseEvent>
#include <QPainter>
#include <QScatterSeries>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QToolTip>
#include <QValueAxis>
#include <QWheelEvent>
#include <cmath>

#include "app/number_text.h"
#include "ui/charts/description.h"
#include "ui/charts/series.h"
#include "ui/error_boundary.h"
#include "ui/platform/window_role.h"

namespace ui {

namespace {

constexpr qreal kZoomStep = 1.25;
constexpr qreal kPanShare = 0.1;
// How near the pointer must come to a point, in pixels.
constexpr qreal kReach = 8;
constexpr char kWholeRanges[] = "nle_whole_ranges";

QString Number(double value) {
  return QString::fromStdString(app::FormatReal(value));
}

QString PointText(const QAbstractSeries& series, const QXYSeries& points, qsizetype index) {
  const QPointF point = points.at(index);
  const QVariantList passes = series.property(kPassNumbersProperty).toList();
  if (index < passes.size())
    return QStringLiteral("n = %1; xₙ = %2").arg(passes[index].toInt()).arg(Number(point.x()));
  if (series.name() == QStringLiteral("f(x)"))
    return QStringLiteral("x = %1; f(x) = %2").arg(Number(point.x()), Number(point.y()));
  return QStringLiteral("%1: %2; %3").arg(series.name(), Number(point.x()), Number(point.y()));
}

}  // namespace

ChartExplorer::ChartExplorer(QChart* chart, QWidget* parent)
    : QChartView(chart != nullptr ? chart : new QChart(), parent) {
  SetAccessibleRole(*this, QAccessible::Chart);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setRenderHint(QPainter::Antialiasing);
}

// The whole plot's ranges are kept on the chart before its first zoom or
// pan, as the window may give the view another chart.
void ChartExplorer::KeepWholeRanges() {
  QChart& shown = *chart();
  if (shown.property(kWholeRanges).isValid()) return;
  QVariantList ranges;
  for (QAbstractAxis* axis : shown.axes()) {
    if (auto* value = qobject_cast<QValueAxis*>(axis)) {
      ranges << QPointF(value->min(), value->max());
    } else if (auto* log = qobject_cast<QLogValueAxis*>(axis)) {
      ranges << QPointF(log->min(), log->max());
    } else {
      ranges << QVariant();
    }
  }
  shown.setProperty(kWholeRanges, ranges);
}

QString ChartExplorer::TextAt(const QPointF& position) const {
  const QPointF at = mapToScene(position.toPoint());
  if (!chart()->plotArea().contains(at)) return QString();
  // Markers before lines: an iterate sits on the curve's axis line.
  QString best_text;
  qreal best = kReach;
  for (const bool markers : {true, false}) {
    for (QAbstractSeries* abstract : chart()->series()) {
      const QXYSeries* series = PointsOf(*abstract);
      if (series == nullptr || abstract->name().isEmpty() || !abstract->isVisible()) continue;
      if (markers != (qobject_cast<const QScatterSeries*>(abstract) != nullptr)) continue;
      for (qsizetype i = 0; i < series->count(); ++i) {
        const QPointF point = chart()->mapToPosition(series->at(i), abstract);
        const qreal distance = std::hypot(point.x() - at.x(), point.y() - at.y());
        if (distance < best) {
          best = distance;
          best_text = PointText(*abstract, *series, i);
        }
      }
    }
    if (!best_text.isEmpty()) return best_text;
  }
  return best_text;
}

QSize ChartExplorer::sizeHint() const {
  return minimumSize();
}

void ChartExplorer::ZoomAbout(qreal factor, const QPointF& at) {
  KeepWholeRanges();
  const QRectF area = chart()->plotArea();
  const QPointF centre = area.contains(at) ? at : area.center();
  QRectF zoomed(0, 0, area.width() / factor, area.height() / factor);
  // The point under the pointer keeps its place in the plot area.
  zoomed.moveLeft(centre.x() - (centre.x() - area.left()) / factor);
  zoomed.moveTop(centre.y() - (centre.y() - area.top()) / factor);
  chart()->zoomIn(zoomed);
}

void ChartExplorer::Pan(qreal dx, qreal dy) {
  KeepWholeRanges();
  chart()->scroll(dx, dy);
}

void ChartExplorer::ResetView() {
  const QVariantList ranges = chart()->property(kWholeRanges).toList();
  const QList<QAbstractAxis*> axes = chart()->axes();
  for (qsizetype i = 0; i < std::min(ranges.size(), axes.size()); ++i) {
    if (!ranges[i].isValid()) continue;
    const QPointF range = ranges[i].toPointF();
    axes[i]->setRange(range.x(), range.y());
  }
}

void ChartExplorer::keyPressEvent(QKeyEvent* event) {
  bool handled = false;
  Guarded([this, event, &handled] { handled = HandleKey(*event); });
  if (handled) {
    event->accept();
  } else {
    QChartView::keyPressEvent(event);
  }
}

bool ChartExplorer::HandleKey(const QKeyEvent& event) {
  if ((event.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) != Qt::NoModifier)
    return false;
  const QRectF area = chart()->plotArea();
  const qreal dx = area.width() * kPanShare;
  const qreal dy = area.height() * kPanShare;
  switch (event.key()) {
    case Qt::Key_Left:
      Pan(-dx, 0);
      break;
    case Qt::Key_Right:
      Pan(dx, 0);
      break;
    case Qt::Key_Up:
      Pan(0, dy);
      break;
    case Qt::Key_Down:
      Pan(0, -dy);
      break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      ZoomAbout(kZoomStep, area.center());
      break;
    case Qt::Key_Minus:
      ZoomAbout(1 / kZoomStep, area.center());
      break;
    case Qt::Key_0:
      ResetView();
      break;
    default:
      return false;
  }
  return true;
}

void ChartExplorer::wheelEvent(QWheelEvent* event) {
  const qreal steps = event->angleDelta().y() / 120.0;
  if (steps == 0) return;
  Guarded([this, steps, event] { ZoomAbout(std::pow(kZoomStep, steps), event->position()); });
  event->accept();
}

void ChartExplorer::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    drag_from_ = event->position();
    setCursor(Qt::ClosedHandCursor);
  }
  QChartView::mousePressEvent(event);
}

void ChartExplorer::mouseMoveEvent(QMouseEvent* event) {
  if (drag_from_) {
    const QPointF moved = event->position() - *drag_from_;
    Pan(-moved.x(), moved.y());
    drag_from_ = event->position();
    return;
  }
  Guarded([this, event] {
    const QString text = TextAt(event->position());
    if (text.isEmpty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(event->globalPosition().toPoint(), text, this);
    }
  });
  QChartView::mouseMoveEvent(event);
}

void ChartExplorer::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    drag_from_.reset();
    unsetCursor();
  }
  QChartView::mouseReleaseEvent(event);
}

void ChartExplorer::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    ResetView();
    event->accept();
    return;
  }
  QChartView::mouseDoubleClickEvent(event);
}

void ChartExplorer::paintEvent(QPaintEvent* event) {
  QChartView::paintEvent(event);
  if (!hasFocus()) return;
  // The frame in the highlight colour, two pixels wide, inside the view: the
  // style's dotted focus rectangle is hard to see round a whole plot.
  QPainter painter(viewport());
  painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(viewport()->rect().adjusted(1, 1, -1, -1));
}

void ChartExplorer::focusInEvent(QFocusEvent* event) {
  QChartView::focusInEvent(event);
  viewport()->update();
}

void ChartExplorer::focusOutEvent(QFocusEvent* event) {
  QChartView::focusOutEvent(event);
  viewport()->update();
}

}  // namespace ui
