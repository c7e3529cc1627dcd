// SPDX-License-Identifier: GPL-3.0-or-later
// The function plot pass by pass: the constructions and numbered iterates
// of the passes up to the replay's pass, and that pass's construction and
// iterate drawn over them in a heavier line, also for a pass beyond the
// ones the plot draws. It works on the chart that NewFunctionChart made, so
// zoom and pan stay as they are while the pass changes.
#pragma once

#include <QObject>
#include <QPointF>
#include <QVariantList>
#include <cstdint>
#include <memory>
#include <vector>

#include "app/comparison_run.h"
#include "app/method_geometry.h"

class QChart;
class QLineSeries;
class QPalette;
class QScatterSeries;

namespace ui {

class ConstructionReplay : public QObject {
  Q_OBJECT

 public:
  // A child of `chart`; adds the series of the current pass to it.
  ConstructionReplay(QChart& chart, std::shared_ptr<const app::RunRecord> run, std::uint8_t method,
                     app::FunctionPlot plot, const QPalette& palette);

  // Draws the construction up to pass n and marks pass n's.
  void ShowPass(std::int32_t n);
  std::int32_t Pass() const { return pass_; }

  // The lines (tangents, chords, secants, bars) drawn now, the current
  // pass's heavier one not counted.
  int DrawnConstructions() const;

 private:
  QChart& chart_;
  std::shared_ptr<const app::RunRecord> run_;
  std::uint8_t method_;
  app::FunctionPlot plot_;
  QScatterSeries* iterates_ = nullptr;
  QList<QPointF> iterate_points_;
  QVariantList iterate_passes_;
  QLineSeries* current_ = nullptr;
  QLineSeries* current_mirror_ = nullptr;
  QScatterSeries* current_iterate_ = nullptr;
  std::int32_t pass_ = 0;
};

}  // namespace ui
