// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/detail/detail_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <algorithm>

#include "app/function_plot.h"
#include "app/function_texts.h"
#include "app/method_analysis.h"
#include "app/method_report.h"
#include "app/number_text.h"
#include "app/pass_table.h"
#include "core/method_table.h"
#include "ui/charts/convergence_charts.h"
#include "ui/charts/description.h"
#include "ui/charts/explorer.h"
#include "ui/charts/export.h"
#include "ui/charts/legend.h"
#include "ui/detail/efficiency_tab.h"
#include "ui/detail/pass_table_model.h"
#include "ui/detail/verdict_line.h"
#include "ui/detail/window_place.h"
#include "ui/error_boundary.h"
#include "ui/help/help_section.h"
#include "ui/platform/context_menu.h"
#include "ui/platform/file_chooser.h"
#include "ui/platform/nested_loop.h"
#include "ui/platform/readable_labels.h"
#include "ui/platform/table_copy.h"
#include "ui/platform/window_role.h"
#include "ui/report/print_command.h"
#include "ui/report/run_report.h"
#include "ui/widgets/utf8_text.h"

namespace ui {

namespace {

constexpr int kSpacing = 6;
constexpr int kMeasuredRows = 64;
// A plot never gets fewer lines of the font than these, however small the
// window: the window scrolls instead.
constexpr int kPlotLinesHigh = 20;
constexpr int kPlotLinesWide = 12;
// The heading of the help section about this window.
const QString kHelpSection = QStringLiteral("10. ИТЕРАЦИИ И ГРАФИКИ МЕТОДА");

const core::MethodHistory& HistoryOf(const app::RunRecord& run, std::uint8_t method) {
  return run.methods.at(static_cast<std::size_t>(method - 1));
}

// A typed formula is named in the title too: several may be open at once.
QString Title(const app::RunRecord& run, std::uint8_t method) {
  QString title = QStringLiteral("Итерации: ") + FromUtf8(core::FindMethod(method)->name);
  if (HistoryOf(run, method).formula != nullptr)
    title += QStringLiteral(" — ") + FromUtf8(run.equation_text);
  return title;
}

// The result as the results table shows it, or the error the method ended
// in; the table's number is called a root only where the run found one.
QString ResultText(const core::MethodHistory& history, bool found_root) {
  if (history.error) {
    return QStringLiteral("Метод завершился ошибкой: «") + FromUtf8(*history.error) +
           QStringLiteral("». Проходы до ошибки — в таблице.");
  }
  if (!history.root || !history.count) return QString();
  return (found_root ? QStringLiteral("Корень (как в таблице): ")
                     : QStringLiteral("В таблице (последнее приближение, не корень): ")) +
         FromUtf8(app::FormatReal(*history.root)) + QStringLiteral(", итераций: ") +
         FromUtf8(app::FormatInteger(*history.count));
}

// What the list text means as a function; a typed formula says it itself.
QString FunctionLine(const core::MethodHistory& history) {
  const std::string text = app::FunctionText(history.equation);
  if (history.formula != nullptr || text.empty()) return QString();
  return QStringLiteral("Метод ищет нули правой части уравнения: ") + FromUtf8(text) +
         QStringLiteral(" («x=» в расчёте не участвует).");
}

QString CountsText(const core::EvaluationCounts& counts) {
  return FromUtf8(app::EvaluationCountText("f", counts.f_asked, counts.f_computed)) +
         QStringLiteral("; ") +
         FromUtf8(app::EvaluationCountText("f′", counts.df_asked, counts.df_computed));
}

QString FunctionPlotNote(const app::FunctionPlot& plot, std::size_t passes) {
  QStringList notes;
  if (passes > static_cast<std::size_t>(app::kDrawnPasses)) {
    notes << QStringLiteral("Построения и номера приближений — для первых %1 проходов.")
                 .arg(app::kDrawnPasses);
  }
  for (const app::ReflectedChord& chord : plot.reflections) {
    notes << QStringLiteral(
                 "Хорда прохода %1 пересекает ось в %2, но f(a)·f(b) > 0, а формула метода "
                 "берёт модуль дроби |f(a)/(f(a) − f(b))|: точка отражается относительно a "
                 "и попадает в x = %3 (пунктир вдоль оси).")
                 .arg(chord.n)
                 .arg(FromUtf8(app::FormatReal(chord.crossing, 6)),
                      FromUtf8(app::FormatReal(chord.landed, 6)));
  }
  if (!plot.brackets.empty()) {
    notes << QStringLiteral("Полосы под графиком — отрезок, который делит пополам каждый проход.");
  }
  if (plot.last_point) {
    notes << QStringLiteral(
        "Метод не нашёл корень: ромб отмечает последнее приближение "
        "(xₙ, f(xₙ)).");
  }
  if (plot.range.iterates_outside > 0) {
    notes << QStringLiteral("Приближений далеко за отрезком, не вошедших в график: %1.")
                 .arg(plot.range.iterates_outside);
  }
  return notes.join(QLatin1Char(' '));
}

QString ConvergencePlotNote(const app::ConvergenceExtent& extent) {
  QString note = QStringLiteral(
      "Нулевой шаг на логарифмической оси не изобразить: такие проходы отмечены "
      "пустыми квадратами у нижнего края.");
  if (extent.shown < extent.last) {
    note += QStringLiteral(" После прохода %1 и до прохода %2 шаги только нулевые.")
                .arg(extent.shown)
                .arg(extent.last);
  }
  return note;
}

QAction* NewAction(QWidget* owner, const QString& text, const QKeySequence& keys,
                   Qt::ShortcutContext context) {
  auto* action = new QAction(text, owner);
  action->setShortcut(keys);
  action->setShortcutContext(context);
  owner->addAction(action);
  return action;
}

}  // namespace

DetailWindow::DetailWindow(std::shared_ptr<const app::RunRecord> run, std::uint8_t method,
                           QWidget* parent)
    : QWidget(parent, Qt::Window),
      run_(std::move(run)),
      method_(method),
      analyses_(std::make_shared<const RunAnalyses>(app::AnalyseRun(*run_))) {
  // Before anything that would make the accessible object with another role.
  SetAccessibleRole(*this, QAccessible::Window);
  setWindowTitle(Title(*run_, method_));
  setAccessibleName(windowTitle());

  out_of_date_ = NewNotice(QStringLiteral("Эти итерации относятся к прежнему расчёту: "
                                          "с тех пор уравнение было вычислено заново."),
                           QStringLiteral("Устаревший расчёт"));
  out_of_date_->hide();
  QWidget* summary = CreateSummary();
  CreateTable();
  QWidget* plots = CreatePlots();
  QWidget* buttons = CreateButtons();

  // The size follows the font, at most nine tenths of the screen; the
  // contents scroll when the window is smaller than they can shrink to.
  resize(DetailWindowSize(*this, screen()->availableGeometry()));
  auto* splitter = new QSplitter(Qt::Horizontal);
  splitter->addWidget(table_);
  splitter->addWidget(plots);
  splitter->setChildrenCollapsible(false);
  // The table as wide as its columns, up to half the window; the plots take the rest.
  const int table_width = std::min(width() / 2, TableWidth());
  splitter->setSizes({table_width, width() - table_width});
  splitter->setStretchFactor(1, 1);
  auto* content = new QWidget();
  auto* scroll = new QScrollArea(this);
  scroll->setWidget(content);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(scroll);
  auto* column = new QVBoxLayout(content);
  column->setSpacing(kSpacing);
  column->addWidget(out_of_date_);
  column->addWidget(NewVerdictLine(analyses_->at(method_ - 1u).verdict));
  column->addWidget(summary);
  column->addWidget(splitter, 1);
  column->addWidget(buttons);
  setTabOrder(table_, plots_);
  setTabOrder(plots_, function_view_);
  setTabOrder(function_view_, convergence_view_);
  setTabOrder(convergence_view_, copy_button_);
  setTabOrder(copy_button_, csv_button_);
  setTabOrder(csv_button_, plot_button_);
  setTabOrder(plot_button_, data_button_);
  setTabOrder(data_button_, close_button_);

  ConnectActions();
  MakeLabelsReadable(*this);
  table_->setFocus();
}

void DetailWindow::CreateTable() {
  table_ = new QTableView();
  model_ = new PassTableModel(run_, analyses_, method_ - 1, table_);
  table_->setModel(model_);
  table_->setAccessibleName(QStringLiteral("Таблица проходов"));
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setTabKeyNavigation(false);
  table_->setAlternatingRowColors(true);
  table_->setWordWrap(false);
  table_->verticalHeader()->hide();
  // Fixed row heights, and column widths measured on the first rows only:
  // measuring 5,001 rows would stall the opening and the scrolling.
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->horizontalHeader()->setResizeContentsPrecision(kMeasuredRows);
  table_->resizeColumnsToContents();
}

int DetailWindow::TableWidth() const {
  int width = 2 * table_->frameWidth() + table_->verticalScrollBar()->sizeHint().width();
  for (int column = 0; column < model_->columnCount(); ++column)
    width += table_->columnWidth(column);
  return width;
}

QLabel* DetailWindow::NewText(const QString& text, const QString& accessible_name) {
  auto* label = new QLabel(text);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  // Screen readers and the keyboard reach the text too (MakeLabelsReadable).
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setAccessibleName(accessible_name);
  return label;
}

QLabel* DetailWindow::NewNotice(const QString& text, const QString& accessible_name) {
  QLabel* label = NewText(QStringLiteral("⚠ ") + text, accessible_name);
  StyleAsNotice(*label);
  return label;
}

QWidget* DetailWindow::CreateSummary() {
  const core::MethodHistory& history = HistoryOf(*run_, method_);
  const app::MethodAnalysis& analysis = analyses_->at(method_ - 1u);
  auto* summary = new QWidget();
  auto* lines = new QVBoxLayout(summary);
  lines->setContentsMargins(0, 0, 0, 0);
  lines->setSpacing(2);
  lines->addWidget(
      NewText(FromUtf8(app::InputsText(*run_)) + QLatin1Char('\n') + FunctionLine(history),
              QStringLiteral("Исходные данные")));
  lines->addWidget(NewText(ResultText(history, app::FoundRoot(analysis.verdict.outcome)),
                           QStringLiteral("Результат метода")));
  lines->addWidget(NewText(CountsText(history.counts), QStringLiteral("Число вычислений")));
  if (app::StartsWithoutSignChange(*run_, history)) {
    lines->addWidget(NewNotice(FromUtf8(app::kNoSignChangeWarning),
                               QStringLiteral("Предупреждение об отрезке")));
  }
  QString order =
      FromUtf8(app::OrderText(analysis)) + QLatin1Char(' ') + FromUtf8(app::ExpectedOrderText());
  if (const std::string reference = app::ReferenceText(analysis); !reference.empty())
    order += QLatin1Char('\n') + FromUtf8(reference);
  lines->addWidget(NewText(order, QStringLiteral("Порядок сходимости")));
  return summary;
}

QWidget* DetailWindow::CreatePlots() {
  const app::MethodAnalysis& analysis = analyses_->at(method_ - 1u);
  const app::FunctionPlot plot =
      app::BuildFunctionPlot(*run_, method_, app::FoundRoot(analysis.verdict.outcome));
  function_view_ = new ChartExplorer(NewFunctionChart(plot, method_, palette()));
  function_view_->setAccessibleName(QStringLiteral("График функции и построений метода"));
  // The errors by default, where a reference root exists; the steps beside.
  std::array<app::Outcome, 4> outcomes;
  for (std::size_t i = 0; i < outcomes.size(); ++i) outcomes[i] = (*analyses_)[i].verdict.outcome;
  const std::array<app::StepSeries, 4> errors = app::RunConvergence(*run_, *analyses_, false);
  const app::ConvergenceExtent extent = app::ConvergenceExtentOf(errors);
  convergence_view_ = new ChartExplorer(NewConvergenceChart(errors, extent, palette(), outcomes));
  convergence_view_->setAccessibleName(QStringLiteral("График сходимости четырёх методов"));
  const std::array<app::StepSeries, 4> steps = app::RunConvergence(*run_, *analyses_, true);
  const app::ConvergenceExtent steps_extent = app::ConvergenceExtentOf(steps);
  steps_view_ = new ChartExplorer(NewConvergenceChart(steps, steps_extent, palette(), outcomes));
  steps_view_->setAccessibleName(QStringLiteral("График шагов четырёх методов"));

  const auto page = [this](QChartView* view, const QString& note) {
    const int line = fontMetrics().height();
    // Wide enough for the title, which the chart would cut short.
    const int title =
        QFontMetrics(view->chart()->titleFont()).horizontalAdvance(view->chart()->title());
    // The chart keeps margins on either side, and the letters that the font
    // lacks (subscripts) come wider from another.
    view->setMinimumSize(std::max(kPlotLinesWide * line, title * 6 / 5 + 4 * line),
                         kPlotLinesHigh * line);
    auto* widget = new QWidget();
    auto* column = new QVBoxLayout(widget);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(view, 1);
    column->addWidget(new LegendStrip(*view->chart()));
    DescribePlot(*view);
    if (!note.isEmpty()) column->addWidget(NewText(note, QStringLiteral("Пояснение к графику")));
    return widget;
  };
  plots_ = new QTabWidget();
  plots_->setAccessibleName(QStringLiteral("Графики"));
  plots_->addTab(
      page(function_view_, FunctionPlotNote(plot, HistoryOf(*run_, method_).passes.size())),
      QStringLiteral("&Функция"));
  plots_->addTab(page(convergence_view_, ConvergencePlotNote(extent)),
                 QStringLiteral("С&ходимость"));
  plots_->addTab(page(steps_view_, QStringLiteral("Шаг |xₙ − xₙ₋₁| отстаёт от погрешности на "
                                                  "проход: он показывает, насколько сдвинулось "
                                                  "приближение, а не насколько оно далеко от "
                                                  "корня. ") +
                                       ConvergencePlotNote(steps_extent)),
                 QStringLiteral("&Шаги"));
  plots_->addTab(NewEfficiencyTab(*run_, *analyses_), QStringLiteral("Сра&внение"));
  return plots_;
}

// The plot's description and the legend under it follow the chart it shows.
void DetailWindow::DescribePlot(QChartView& view) {
  view.setAccessibleDescription(DescribeChart(*view.chart()));
  if (view.parentWidget() == nullptr) return;
  if (auto* legend = view.parentWidget()->findChild<LegendStrip*>()) legend->Show(*view.chart());
}

QWidget* DetailWindow::CreateButtons() {
  copy_button_ = new QPushButton(QStringLiteral("&Копировать таблицу"));
  csv_button_ = new QPushButton(QStringLiteral("Сохранить &CSV…"));
  plot_button_ = new QPushButton(QStringLiteral("Сохранить &график…"));
  data_button_ = new QPushButton(QStringLiteral("&Данные графика…"));
  close_button_ = new QPushButton(QStringLiteral("&Закрыть"));
  auto* buttons = new QWidget();
  auto* row = new QHBoxLayout(buttons);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(copy_button_);
  row->addWidget(csv_button_);
  row->addWidget(plot_button_);
  row->addWidget(data_button_);
  row->addStretch(1);
  row->addWidget(close_button_);
  return buttons;
}

void DetailWindow::ConnectActions() {
  const auto guarded = [this](void (DetailWindow::*handler)()) {
    return [this, handler] { Guarded([this, handler] { (this->*handler)(); }); };
  };
  new ActionsMenu(table_);
  table_->installEventFilter(this);
  QAction* copy =
      NewAction(table_, QStringLiteral("Копировать"), QKeySequence::Copy, Qt::WidgetShortcut);
  QAction* select_all = NewAction(table_, QStringLiteral("Выделить всё"), QKeySequence::SelectAll,
                                  Qt::WidgetShortcut);
  QAction* save_csv = NewAction(table_, QStringLiteral("Сохранить как CSV…"), QKeySequence::Save,
                                Qt::WindowShortcut);
  connect(copy, &QAction::triggered, this, guarded(&DetailWindow::CopyPasses));
  connect(select_all, &QAction::triggered, table_, &QTableView::selectAll);
  connect(save_csv, &QAction::triggered, this, guarded(&DetailWindow::SavePassesAsCsv));
  for (QChartView* view : {function_view_, convergence_view_, steps_view_}) {
    new ActionsMenu(view);
    QAction* save = NewAction(view, QStringLiteral("Сохранить график как PNG или SVG…"),
                              QKeySequence(), Qt::WidgetShortcut);
    QAction* copy_plot = NewAction(view, QStringLiteral("Копировать график как рисунок"),
                                   QKeySequence::Copy, Qt::WidgetShortcut);
    QAction* data =
        NewAction(view, QStringLiteral("Данные графика…"), QKeySequence(), Qt::WidgetShortcut);
    QAction* reset =
        NewAction(view, QStringLiteral("Весь график"), QKeySequence(Qt::Key_0), Qt::WidgetShortcut);
    connect(save, &QAction::triggered, this, guarded(&DetailWindow::SaveCurrentPlot));
    connect(copy_plot, &QAction::triggered, this, guarded(&DetailWindow::CopyCurrentPlot));
    connect(data, &QAction::triggered, this, guarded(&DetailWindow::ShowCurrentPlotData));
    connect(reset, &QAction::triggered, view,
            [view] { Guarded([view] { static_cast<ChartExplorer*>(view)->ResetView(); }); });
  }
  connect(copy_button_, &QPushButton::clicked, this, guarded(&DetailWindow::CopyPasses));
  connect(csv_button_, &QPushButton::clicked, this, guarded(&DetailWindow::SavePassesAsCsv));
  connect(plot_button_, &QPushButton::clicked, this, guarded(&DetailWindow::SaveCurrentPlot));
  connect(data_button_, &QPushButton::clicked, this, guarded(&DetailWindow::ShowCurrentPlotData));
  connect(close_button_, &QPushButton::clicked, this, &QWidget::close);
  table_->addAction(NewPrintAction(this, [run = run_, method = method_] {
    return [run, method](QPagedPaintDevice& device) { PaintMethodReport(device, *run, method); };
  }));
  for (const QKeySequence& keys :
       {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
    connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
  connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
          [] { Guarded([] { ShowHelpSection(kHelpSection); }); });
}

// The view would copy only its current cell on Ctrl+C, before any shortcut.
bool DetailWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
    Guarded([this] { CopyPasses(); });
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

// The window deletes itself on close, but never inside an event loop that a
// dialog of its own runs (ui/nested_loop.h).
void DetailWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (!event->isAccepted()) return;
  RememberDetailWindowSize(size());
  DeleteOnceLoopsEnd(this);
}

void DetailWindow::MarkOutOfDate() {
  if (IsOutOfDate()) return;
  out_of_date_->show();
  setWindowTitle(Title(*run_, method_) + QStringLiteral(" — устарело"));
}

bool DetailWindow::IsOutOfDate() const {
  return !out_of_date_->isHidden();
}

void DetailWindow::CopyPasses() {
  const app::PassTable& table = model_->Table();
  const std::optional<QRect> cells = SelectedCells(*table_);
  const auto lines = cells
                         ? table.Lines(cells->top(), cells->bottom(), cells->left(), cells->right())
                         : table.AllLines();
  CopyText(QString::fromStdString(app::TabSeparatedText(lines)));
}

void DetailWindow::SavePassesAsCsv() {
  QString filter;
  const QString path = ChooseFileToSave(
      this, QStringLiteral("Сохранить таблицу проходов"),
      InExportFolder(SuggestedFileName(QStringLiteral("iterations"), QStringLiteral("csv"))),
      {QStringLiteral("CSV (*.csv)")}, &filter);
  if (path.isEmpty()) return;
  const std::string csv = app::CsvText(model_->Table().AllLines());
  SaveFile(path, QByteArray(csv.data(), static_cast<qsizetype>(csv.size())));
  RememberExportFolder(path);
}

QChartView* DetailWindow::CurrentPlot() const {
  QWidget* tab = plots_->currentWidget();
  return tab != nullptr ? tab->findChild<QChartView*>() : nullptr;
}

QString DetailWindow::PictureTitle(const QChartView& view) const {
  QString equation = FromUtf8(run_->equation_text);
  if (!equation.isEmpty()) equation += QStringLiteral(" — ");
  return equation + FromUtf8(core::FindMethod(method_)->name) + QStringLiteral(". ") +
         view.chart()->title();
}

void DetailWindow::SaveCurrentPlot() {
  QChartView* view = CurrentPlot();
  if (view == nullptr) return;
  const QString what = view == function_view_ ? QStringLiteral("function")
                       : view == steps_view_  ? QStringLiteral("steps")
                                              : QStringLiteral("convergence");
  const QString png = QStringLiteral("PNG (*.png)");
  const QString svg = QStringLiteral("SVG (*.svg)");
  QString filter = png;
  const QString path = ChooseFileToSave(
      this, QStringLiteral("Сохранить график"),
      InExportFolder(SuggestedFileName(what, QStringLiteral("png"))), {png, svg}, &filter);
  if (path.isEmpty()) return;
  const bool as_svg =
      QFileInfo(path).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0;
  if (as_svg) {
    SaveFile(path,
             ChartSvg(*view, PictureTitle(*view), PictureSize{}.pixels / PictureSize{}.scale));
  } else {
    const std::optional<PictureSize> size = ChoosePictureSize(this, PictureSize{});
    if (!size) return;
    SaveFile(path, ChartPng(*view, PictureTitle(*view), *size));
  }
  RememberExportFolder(path);
}

void DetailWindow::CopyCurrentPlot() {
  if (QChartView* view = CurrentPlot()) CopyChartImage(*view, PictureTitle(*view));
}

void DetailWindow::ShowCurrentPlotData() {
  QChartView* view = CurrentPlot();
  if (view == nullptr) return;
  ShowChartData(this, *view->chart(), QStringLiteral("Данные графика: ") + view->chart()->title());
}

QString DetailWindow::SuggestedFileName(const QString& what, const QString& extension) const {
  return FromUtf8(core::FindMethod(method_)->key) + QLatin1Char('-') + what + QLatin1Char('.') +
         extension;
}

}  // namespace ui
