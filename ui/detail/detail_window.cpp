// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/detail/detail_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <QtCharts/QChartView>
#include <algorithm>

#include "app/method_summary.h"
#include "app/pass_table.h"
#include "app/worked_solution.h"
#include "core/method_table.h"
#include "ui/detail/basin_view.h"
#include "ui/detail/pass_replay_bar.h"
#include "ui/detail/pass_table_model.h"
#include "ui/detail/plot_tabs.h"
#include "ui/detail/verdict_line.h"
#include "ui/detail/window_place.h"
#include "ui/detail/worked_solution_tab.h"
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
#include "ui/widgets/scrolled_contents.h"
#include "ui/widgets/utf8_text.h"

namespace ui {

namespace {

constexpr int kSpacing = 6;
constexpr int kMeasuredRows = 64;
// The heading of the help section about this window.
const QString kHelpSection = QStringLiteral("10. ИТЕРАЦИИ И ГРАФИКИ МЕТОДА");

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
      analyses_(std::make_shared<const app::RunAnalyses>(app::AnalyseRun(*run_))),
      summary_(app::Summarize(*run_, method_, core::ForMethod(*analyses_, method_))) {
  // Before anything that would make the accessible object with another role.
  SetAccessibleRole(*this, QAccessible::Window);
  setWindowTitle(FromUtf8(summary_.title));
  setAccessibleName(windowTitle());

  out_of_date_ = NewNotice(QStringLiteral("Эти итерации относятся к прежнему расчёту: "
                                          "с тех пор уравнение было вычислено заново."),
                           QStringLiteral("Устаревший расчёт"));
  out_of_date_->hide();
  QWidget* summary = CreateSummary();
  CreateTable();
  plots_ = new PlotTabs(run_, analyses_, method_, this);
  solution_ = new WorkedSolutionTab(
      app::WriteSolution(*run_, method_, core::ForMethod(*analyses_, method_).verdict));
  plots_->addTab(solution_, QStringLiteral("&Решение"));
  QWidget* buttons = CreateButtons();

  // The size follows the font, at most nine tenths of the screen; the
  // contents scroll when the window is smaller than they can shrink to.
  resize(DetailWindowSize(*this, screen()->availableGeometry()));
  auto* splitter = new QSplitter(Qt::Horizontal);
  splitter->addWidget(table_);
  splitter->addWidget(plots_);
  splitter->setChildrenCollapsible(false);
  // The table as wide as its columns, up to half the window; the plots take the rest.
  const int table_width = std::min(width() / 2, TableWidth());
  splitter->setSizes({table_width, width() - table_width});
  splitter->setStretchFactor(1, 1);
  auto* content = new QWidget();
  ScrollContents(this, content);
  auto* column = new QVBoxLayout(content);
  column->setSpacing(kSpacing);
  column->addWidget(out_of_date_);
  column->addWidget(NewVerdictLine(core::ForMethod(*analyses_, method_).verdict));
  column->addWidget(summary);
  column->addWidget(splitter, 1);
  column->addWidget(buttons);
  // The pass control above the function plot, the plot, the strip under it.
  QList<QWidget*> order{table_, plots_};
  for (QWidget* child : Replay()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (child->focusPolicy() & Qt::TabFocus) order << child;
  order << plots_->FunctionView();
  if (plots_->Basins() != nullptr) order << plots_->Basins()->Bar();
  order << plots_->ConvergenceView() << copy_button_;
  for (qsizetype i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
  setTabOrder(copy_button_, csv_button_);
  setTabOrder(csv_button_, plot_button_);
  setTabOrder(plot_button_, data_button_);
  setTabOrder(data_button_, close_button_);

  ConnectActions();
  MakeLabelsReadable(*this);
  ShowPass(Replay()->Pass(), false);
  table_->setFocus();
}

PassReplayBar* DetailWindow::Replay() const {
  return plots_->Replay();
}

void DetailWindow::ShowPass(std::int32_t n, bool scroll) {
  model_->SetCurrentRow(n);
  if (scroll && model_->CurrentRow()) table_->scrollTo(model_->index(n, 0));
  solution_->HighlightPass(n, scroll);
  Replay()->Announce(FromUtf8(app::PassText(solution_->Solution(), n)));
}

void DetailWindow::CreateTable() {
  table_ = new QTableView();
  model_ = new PassTableModel(run_, analyses_, method_, table_);
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
  auto* summary = new QWidget();
  auto* lines = new QVBoxLayout(summary);
  lines->setContentsMargins(0, 0, 0, 0);
  lines->setSpacing(2);
  lines->addWidget(
      NewText(FromUtf8(summary_.inputs) + QLatin1Char('\n') + FromUtf8(summary_.function_line),
              QStringLiteral("Исходные данные")));
  lines->addWidget(NewText(FromUtf8(summary_.result), QStringLiteral("Результат метода")));
  lines->addWidget(NewText(FromUtf8(summary_.counts), QStringLiteral("Число вычислений")));
  if (summary_.sign_warning) {
    lines->addWidget(
        NewNotice(FromUtf8(*summary_.sign_warning), QStringLiteral("Предупреждение об отрезке")));
  }
  QString order = FromUtf8(summary_.order) + QLatin1Char(' ') + FromUtf8(summary_.expected_order);
  if (!summary_.reference.empty()) order += QLatin1Char('\n') + FromUtf8(summary_.reference);
  lines->addWidget(NewText(order, QStringLiteral("Порядок сходимости")));
  return summary;
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
  connect(copy_button_, &QPushButton::clicked, this, guarded(&DetailWindow::CopyPasses));
  connect(csv_button_, &QPushButton::clicked, this, guarded(&DetailWindow::SavePassesAsCsv));
  connect(plot_button_, &QPushButton::clicked, this,
          [this] { Guarded([this] { plots_->SaveCurrentPlot(); }); });
  connect(data_button_, &QPushButton::clicked, this,
          [this] { Guarded([this] { plots_->ShowCurrentPlotData(); }); });
  connect(close_button_, &QPushButton::clicked, this, &QWidget::close);
  connect(Replay(), &PassReplayBar::PassChanged, this,
          [this](std::int32_t n) { Guarded([this, n] { ShowPass(n, true); }); });
  // The report can print the worked solution, as the tab shows it: all its
  // passes, or the first and the last, as the tab's box is when printing.
  ReportOptions offered;
  offered.offers_steps = true;
  table_->addAction(NewPrintAction(
      this,
      [run = run_, method = method_, solution = QPointer<WorkedSolutionTab>(solution_)] {
        const bool all_passes = solution != nullptr && solution->ShowsAllPasses();
        return [run, method, all_passes](QPagedPaintDevice& device, const ReportOptions& options) {
          ReportOptions chosen = options;
          chosen.steps.all_passes = all_passes;
          PaintMethodReport(device, *run, method, chosen);
        };
      },
      offered));
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
// dialog of its own runs (ui/platform/nested_loop.h).
void DetailWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (!event->isAccepted()) return;
  RememberDetailWindowSize(size());
  DeleteOnceLoopsEnd(this);
}

void DetailWindow::MarkOutOfDate() {
  if (IsOutOfDate()) return;
  out_of_date_->show();
  setWindowTitle(FromUtf8(summary_.title) + QStringLiteral(" — устарело"));
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
      InExportFolder(MethodFileName(method_, QStringLiteral("iterations"), QStringLiteral("csv"))),
      {QStringLiteral("CSV (*.csv)")}, &filter);
  if (path.isEmpty()) return;
  const std::string csv = app::CsvText(model_->Table().AllLines());
  SaveFile(path, QByteArray(csv.data(), static_cast<qsizetype>(csv.size())));
  RememberExportFolder(path);
}

QChartView* DetailWindow::FunctionView() const {
  return plots_->FunctionView();
}

QChartView* DetailWindow::ConvergenceView() const {
  return plots_->ConvergenceView();
}

QChartView* DetailWindow::CurrentPlot() const {
  return plots_->CurrentPlot();
}

QString DetailWindow::PictureTitle(const QChartView& view) const {
  return plots_->PictureTitle(view);
}

void DetailWindow::SaveCurrentPlot() {
  plots_->SaveCurrentPlot();
}

void DetailWindow::CopyCurrentPlot() {
  plots_->CopyCurrentPlot();
}

void DetailWindow::ShowCurrentPlotData() {
  plots_->ShowCurrentPlotData();
}

}  // namespace ui
