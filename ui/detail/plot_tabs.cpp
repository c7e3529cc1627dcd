// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/detail/plot_tabs.h"

#include <QAction>
#include <QFileInfo>
#include <QFontMetrics>
#include <QKeySequence>
#include <QLabel>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <algorithm>

#include "app/convergence_series.h"
#include "app/equal_accuracy.h"
#include "app/method_geometry.h"
#include "app/plot_notes.h"
#include "app/start_basins.h"
#include "core/method_table.h"
#include "ui/charts/construction_replay.h"
#include "ui/charts/convergence_chart.h"
#include "ui/charts/description.h"
#include "ui/charts/explorer.h"
#include "ui/charts/export.h"
#include "ui/charts/function_chart.h"
#include "ui/charts/legend.h"
#include "ui/charts/work_precision_chart.h"
#include "ui/detail/basin_view.h"
#include "ui/detail/efficiency_tab.h"
#include "ui/detail/pass_replay_bar.h"
#include "ui/detail/window_place.h"
#include "ui/error_boundary.h"
#include "ui/platform/context_menu.h"
#include "ui/platform/file_chooser.h"
#include "ui/widgets/utf8_text.h"

namespace ui {

namespace {

// A plot never gets fewer lines of the font than these, however small the
// window: the window scrolls instead.
constexpr int kPlotLinesHigh = 20;
constexpr int kPlotLinesWide = 12;

QLabel* NewNote(const QString& text) {
  auto* label = new QLabel(text);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  // Screen readers and the keyboard reach the text too (MakeLabelsReadable).
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setAccessibleName(QStringLiteral("Пояснение к графику"));
  return label;
}

QAction* NewAction(QWidget* owner, const QString& text, const QKeySequence& keys) {
  auto* action = new QAction(text, owner);
  action->setShortcut(keys);
  action->setShortcutContext(Qt::WidgetShortcut);
  owner->addAction(action);
  return action;
}

// The plot's description and the legend under it follow the chart it shows.
void Describe(QChartView& view) {
  view.setAccessibleDescription(DescribeChart(*view.chart()));
  if (view.parentWidget() == nullptr) return;
  if (auto* legend = view.parentWidget()->findChild<LegendStrip*>()) legend->Show(*view.chart());
}

}  // namespace

QString MethodFileName(std::uint8_t method, const QString& what, const QString& extension) {
  return FromUtf8(core::EntryOf(method).key) + QLatin1Char('-') + what + QLatin1Char('.') +
         extension;
}

PlotTabs::PlotTabs(std::shared_ptr<const app::RunRecord> run,
                   std::shared_ptr<const app::RunAnalyses> analyses, std::uint8_t method,
                   QWidget* parent)
    : QTabWidget(parent), run_(std::move(run)), analyses_(std::move(analyses)), method_(method) {
  const app::RunRecord& record = *run_;
  const app::MethodAnalysis& analysis = core::ForMethod(*analyses_, method_);
  const app::FunctionPlot plot =
      app::BuildFunctionPlot(record, method_, app::FoundRoot(analysis.verdict.outcome));
  function_view_ = new ChartExplorer(NewFunctionChart(plot, method_, palette()));
  function_view_->setAccessibleName(QStringLiteral("График функции и построений метода"));
  replay_ = new ConstructionReplay(*function_view_->chart(), run_, method_, plot, palette());
  const std::vector<core::PassRecord>& passes = record.History(method_).passes;
  replay_bar_ = new PassReplayBar(0, passes.empty() ? 0 : passes.back().n);
  replay_->ShowPass(replay_bar_->Pass());
  connect(replay_bar_, &PassReplayBar::PassChanged, this,
          [this](std::int32_t n) { Guarded([this, n] { replay_->ShowPass(n); }); });
  if (app::HasBasins(method_)) basins_ = new BasinView(run_, method_, *function_view_);
  // The errors by default, where a reference root exists; the steps beside.
  const core::PerMethod<app::StepSeries> errors = app::RunConvergence(record, *analyses_, false);
  const app::ConvergenceExtent extent = app::ConvergenceExtentOf(errors);
  convergence_view_ = new ChartExplorer(
      NewConvergenceChart(errors, extent, palette(), *analyses_, record.method_set));
  convergence_view_->setAccessibleName(QStringLiteral("График сходимости методов расчёта"));
  const core::PerMethod<app::StepSeries> steps = app::RunConvergence(record, *analyses_, true);
  const app::ConvergenceExtent steps_extent = app::ConvergenceExtentOf(steps);
  steps_view_ = new ChartExplorer(
      NewConvergenceChart(steps, steps_extent, palette(), *analyses_, record.method_set));
  steps_view_->setAccessibleName(QStringLiteral("График шагов методов расчёта"));
  work_view_ = new ChartExplorer(NewWorkPrecisionChart(app::WorkPrecision(record, *analyses_),
                                                       palette(), *analyses_, record.method_set));
  work_view_->setAccessibleName(QStringLiteral("Диаграмма работа — точность"));

  setAccessibleName(QStringLiteral("Графики"));
  addTab(NewPage(function_view_, FromUtf8(app::FunctionPlotNote(plot, passes.size())), replay_bar_,
                 basins_),
         QStringLiteral("&Функция"));
  addTab(NewPage(convergence_view_, FromUtf8(app::ConvergencePlotNote(extent))),
         QStringLiteral("С&ходимость"));
  addTab(NewPage(steps_view_, FromUtf8(app::StepsPlotNote(steps_extent))), QStringLiteral("&Шаги"));
  addTab(
      NewEfficiencyTab(record, *analyses_, NewPage(work_view_, FromUtf8(app::WorkPrecisionNote()))),
      QStringLiteral("Сра&внение"));
  for (QChartView* view : {function_view_, convergence_view_, steps_view_, work_view_})
    AddPlotActions(*view);
}

QWidget* PlotTabs::NewPage(QChartView* view, const QString& note, QWidget* above, QWidget* under) {
  const int line = fontMetrics().height();
  // Wide enough for the title, which the chart would cut short.
  const int title =
      QFontMetrics(view->chart()->titleFont()).horizontalAdvance(view->chart()->title());
  // The chart keeps margins on either side, and the letters that the font
  // lacks (subscripts) come wider from another.
  view->setMinimumSize(std::max(kPlotLinesWide * line, title * 6 / 5 + 4 * line),
                       kPlotLinesHigh * line);
  auto* page = new QWidget();
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(0, 0, 0, 0);
  if (above != nullptr) column->addWidget(above);
  column->addWidget(view, 1);
  if (under != nullptr) column->addWidget(under);
  column->addWidget(new LegendStrip(*view->chart()));
  Describe(*view);
  if (!note.isEmpty()) column->addWidget(NewNote(note));
  return page;
}

void PlotTabs::AddPlotActions(QChartView& view) {
  const auto guarded = [this](void (PlotTabs::*handler)()) {
    return [this, handler] { Guarded([this, handler] { (this->*handler)(); }); };
  };
  new ActionsMenu(&view);
  QAction* save =
      NewAction(&view, QStringLiteral("Сохранить график как PNG или SVG…"), QKeySequence());
  QAction* copy =
      NewAction(&view, QStringLiteral("Копировать график как рисунок"), QKeySequence::Copy);
  QAction* data = NewAction(&view, QStringLiteral("Данные графика…"), QKeySequence());
  QAction* reset = NewAction(&view, QStringLiteral("Весь график"), QKeySequence(Qt::Key_0));
  connect(save, &QAction::triggered, this, guarded(&PlotTabs::SaveCurrentPlot));
  connect(copy, &QAction::triggered, this, guarded(&PlotTabs::CopyCurrentPlot));
  connect(data, &QAction::triggered, this, guarded(&PlotTabs::ShowCurrentPlotData));
  auto* explorer = static_cast<ChartExplorer*>(&view);
  connect(reset, &QAction::triggered, explorer,
          [explorer] { Guarded([explorer] { explorer->ResetView(); }); });
}

QChartView* PlotTabs::CurrentPlot() const {
  QWidget* tab = currentWidget();
  return tab != nullptr ? tab->findChild<QChartView*>() : nullptr;
}

QString PlotTabs::PictureTitle(const QChartView& view) const {
  QString equation = FromUtf8(run_->equation_text);
  if (!equation.isEmpty()) equation += QStringLiteral(" — ");
  return equation + FromUtf8(core::EntryOf(method_).name) + QStringLiteral(". ") +
         view.chart()->title();
}

void PlotTabs::SaveCurrentPlot() {
  QChartView* view = CurrentPlot();
  if (view == nullptr) return;
  const QString what = view == function_view_ ? QStringLiteral("function")
                       : view == steps_view_  ? QStringLiteral("steps")
                       : view == work_view_   ? QStringLiteral("work-precision")
                                              : QStringLiteral("convergence");
  const QString png = QStringLiteral("PNG (*.png)");
  const QString svg = QStringLiteral("SVG (*.svg)");
  QString filter = png;
  const QString path = ChooseFileToSave(
      window(), QStringLiteral("Сохранить график"),
      InExportFolder(MethodFileName(method_, what, QStringLiteral("png"))), {png, svg}, &filter);
  if (path.isEmpty()) return;
  const bool as_svg =
      QFileInfo(path).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0;
  if (as_svg) {
    SaveFile(path,
             ChartSvg(*view, PictureTitle(*view), PictureSize{}.pixels / PictureSize{}.scale));
  } else {
    const std::optional<PictureSize> size = ChoosePictureSize(window(), PictureSize{});
    if (!size) return;
    SaveFile(path, ChartPng(*view, PictureTitle(*view), *size));
  }
  RememberExportFolder(path);
}

void PlotTabs::CopyCurrentPlot() {
  if (QChartView* view = CurrentPlot()) CopyChartImage(*view, PictureTitle(*view));
}

void PlotTabs::ShowCurrentPlotData() {
  QChartView* view = CurrentPlot();
  if (view == nullptr) return;
  QAbstractItemModel* basins =
      view == function_view_ && basins_ != nullptr ? basins_->NewTableModel(nullptr) : nullptr;
  ShowChartData(window(), *view->chart(),
                QStringLiteral("Данные графика: ") + view->chart()->title(), basins,
                basins_ != nullptr ? basins_->Caption()->text() : QString());
}

}  // namespace ui
