// SPDX-License-Identifier: GPL-3.0-or-later
// The detail window of one method of one comparison run: the run's inputs,
// the method's result and evaluation counts, the table of its passes, and
// the tabs: the function with the method's construction, the convergence of
// the run's methods, the comparison of their work and the worked solution.
// The pass control above the function plot moves through the passes: the
// plot, the table's row and the solution's paragraph follow it. Its texts
// come from app::MethodSummary. Not modal; several may be open. It
// holds its run, so a later run never changes what it shows: it is then
// marked out of date.
#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "app/comparison_run.h"
#include "app/method_analysis.h"
#include "app/method_summary.h"

class QChartView;
class QLabel;
class QPushButton;
class QTableView;

namespace ui {

class PassReplayBar;
class PassTableModel;
class PlotTabs;
class WorkedSolutionTab;

class DetailWindow : public QWidget {
  Q_OBJECT

 public:
  DetailWindow(std::shared_ptr<const app::RunRecord> run, std::uint8_t method,
               QWidget* parent = nullptr);

  const std::shared_ptr<const app::RunRecord>& Run() const { return run_; }
  std::uint8_t Method() const { return method_; }

  // A later run has replaced this window's run.
  void MarkOutOfDate();
  bool IsOutOfDate() const;

  QTableView* PassTable() const { return table_; }
  PassTableModel* PassModel() const { return model_; }
  PlotTabs* Plots() const { return plots_; }
  PassReplayBar* Replay() const;
  WorkedSolutionTab* Solution() const { return solution_; }
  QChartView* FunctionView() const;
  QChartView* ConvergenceView() const;

  // The selected cells with their column headers, or the whole table when
  // nothing is selected, as tab-separated text on the clipboard.
  void CopyPasses();
  // Asks for a file name and saves the whole table as CSV.
  void SavePassesAsCsv();
  // Asks for a file name and saves the plot of the current tab as PNG (at a
  // size the user picks) or SVG, titled with the equation and the method.
  void SaveCurrentPlot();
  // The plot of the current tab as an image on the clipboard.
  void CopyCurrentPlot();
  // A window with the data of the plot of the current tab as a table.
  void ShowCurrentPlotData();
  // The plot of the current tab; null on the comparison tab, which has none.
  QChartView* CurrentPlot() const;
  // "<equation> — <method>. <plot title>"
  QString PictureTitle(const QChartView& view) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Remembers the window's size for the next one; closes its open menus.
  void closeEvent(QCloseEvent* event) override;

 private:
  QLabel* NewText(const QString& text, const QString& accessible_name);
  QLabel* NewNotice(const QString& text, const QString& accessible_name);
  QWidget* CreateSummary();
  void CreateTable();
  int TableWidth() const;
  QWidget* CreateButtons();
  void ConnectActions();
  // Pass n in the table, the solution and for screen readers; the plot
  // follows the replay bar itself.
  void ShowPass(std::int32_t n, bool scroll);

  std::shared_ptr<const app::RunRecord> run_;
  std::uint8_t method_;
  // The verdicts, reference roots and measures of the run's methods,
  // computed once as the window opens.
  std::shared_ptr<const app::RunAnalyses> analyses_;
  app::MethodSummary summary_;
  QLabel* out_of_date_ = nullptr;
  QTableView* table_ = nullptr;
  PassTableModel* model_ = nullptr;
  PlotTabs* plots_ = nullptr;
  WorkedSolutionTab* solution_ = nullptr;
  QPushButton* copy_button_ = nullptr;
  QPushButton* csv_button_ = nullptr;
  QPushButton* plot_button_ = nullptr;
  QPushButton* data_button_ = nullptr;
  QPushButton* close_button_ = nullptr;
};

}  // namespace ui
