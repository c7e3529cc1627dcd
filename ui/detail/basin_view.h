// SPDX-License-Identifier: GPL-3.0-or-later
// The strip "Бассейны" under the function plot of a method that keeps no
// bracket: each of about a thousand start values across the plot's current
// x-range coloured by where the method leads from it (app/start_basins.h),
// with a legend of the colours under it. Computed off the interface thread
// (ui/platform/background_job.h), the progress in the caption meanwhile;
// computed again when the plot's range changes, the old computation
// cancelled, and cancelled too when the window closes. The pointer and the
// keyboard (←, →, Home, End) read a start and its outcome; the strip's
// description lists the intervals for screen readers.
#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>

#include "app/comparison_run.h"
#include "app/start_basins.h"

class QAbstractItemModel;
class QChartView;
class QLabel;
class QTimer;

namespace ui {

class BackgroundJob;
class BasinBar;

class BasinView : public QWidget {
  Q_OBJECT

 public:
  // Follows the x-range of `plot`, which must outlive it.
  BasinView(std::shared_ptr<const app::RunRecord> run, std::uint8_t method, QChartView& plot,
            QWidget* parent = nullptr);
  ~BasinView() override;

  // The strip of the latest range computed, if any.
  const std::optional<app::BasinStrip>& Strip() const { return strip_; }
  bool IsComputing() const;
  // The range the strip is computed for next, or was.
  std::pair<double, double> Range() const { return range_; }

  // The intervals as a table, for "Данные графика…"; null before the strip.
  QAbstractItemModel* NewTableModel(QObject* parent) const;

  QWidget* Bar() const;
  QLabel* Caption() const { return caption_; }

 signals:
  // A strip arrived for the current range.
  void Computed();

 private:
  void Compute();
  void ShowStrip(app::BasinStrip strip);

  std::shared_ptr<const app::RunRecord> run_;
  std::uint8_t method_;
  QChartView& plot_;
  QLabel* caption_ = nullptr;
  BasinBar* bar_ = nullptr;
  QTimer* delay_ = nullptr;
  QPointer<BackgroundJob> job_;
  std::pair<double, double> range_;
  std::optional<app::BasinStrip> strip_;
};

}  // namespace ui
