// SPDX-License-Identifier: GPL-3.0-or-later
// The plot tabs of a detail window: the function with the method's
// construction (with the pass control above it and, for a method that keeps
// no bracket, the strip of start values under it), the convergence of the
// run's methods by their errors and by their steps, and the comparison of
// their work with its work–precision diagram. Each plot has its legend
// and note under it, and its commands: save as PNG or SVG, copy as an
// image, show its data as a table, and show the whole plot again.
#pragma once

#include <QString>
#include <QTabWidget>
#include <cstdint>
#include <memory>

#include "app/comparison_run.h"
#include "app/method_analysis.h"

class QChartView;

namespace ui {

class BasinView;
class ConstructionReplay;
class PassReplayBar;

// "chords-function.png": the method's key, what is saved, the extension.
QString MethodFileName(std::uint8_t method, const QString& what, const QString& extension);

class PlotTabs : public QTabWidget {
  Q_OBJECT

 public:
  PlotTabs(std::shared_ptr<const app::RunRecord> run,
           std::shared_ptr<const app::RunAnalyses> analyses, std::uint8_t method,
           QWidget* parent = nullptr);

  QChartView* FunctionView() const { return function_view_; }
  QChartView* ConvergenceView() const { return convergence_view_; }
  QChartView* StepsView() const { return steps_view_; }
  QChartView* WorkPrecisionView() const { return work_view_; }
  // The pass control above the function plot, and what it draws there.
  PassReplayBar* Replay() const { return replay_bar_; }
  ConstructionReplay* ReplayedPlot() const { return replay_; }
  // The strip of start values under the function plot; null for a method
  // that keeps a bracket.
  BasinView* Basins() const { return basins_; }
  // The plot of the current tab.
  QChartView* CurrentPlot() const;
  // "<equation> — <method>. <plot title>"
  QString PictureTitle(const QChartView& view) const;

  // Asks for a file name and saves the plot of the current tab as PNG (at a
  // size the user picks) or SVG, titled with the equation and the method.
  void SaveCurrentPlot();
  // The plot of the current tab as an image on the clipboard.
  void CopyCurrentPlot();
  // A window with the data of the plot of the current tab as a table.
  void ShowCurrentPlotData();

 private:
  // The view with its legend and note; `above` and `under` stand right
  // above and under the plot.
  QWidget* NewPage(QChartView* view, const QString& note, QWidget* above = nullptr,
                   QWidget* under = nullptr);
  void AddPlotActions(QChartView& view);

  std::shared_ptr<const app::RunRecord> run_;
  std::shared_ptr<const app::RunAnalyses> analyses_;
  std::uint8_t method_;
  QChartView* function_view_ = nullptr;
  QChartView* convergence_view_ = nullptr;
  QChartView* steps_view_ = nullptr;
  QChartView* work_view_ = nullptr;
  PassReplayBar* replay_bar_ = nullptr;
  ConstructionReplay* replay_ = nullptr;
  BasinView* basins_ = nullptr;
};

}  // namespace ui
