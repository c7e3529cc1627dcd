// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/own_equation/own_equation_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <limits>

#include "app/formula_feedback.h"
#include "app/number_text.h"
#include "core/errors.h"
#include "core/extended.h"
#include "ui/charts/function_chart.h"
#include "ui/detail/detail_opener.h"
#include "ui/error_boundary.h"
#include "ui/own_equation/formula_editor.h"
#include "ui/platform/background_job.h"
#include "ui/widgets/block_progress_bar.h"
#include "ui/widgets/results_grid.h"
#include "ui/widgets/status_panel.h"
#include "ui/widgets/utf8_text.h"

namespace ui {

namespace {

constexpr int kGridColumns = 3;

QLineEdit* NewEdit(QWidget* parent, const QString& name, const QString& text) {
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(name);
  edit->setMaxLength(std::numeric_limits<int>::max());
  return edit;
}

// An input read as the comparison run reads it; empty when it is no number.
std::optional<double> ReadNumber(const QLineEdit& edit) {
  try {
    return core::Extended(app::ParseReal(edit.text().toStdString())).ToDouble();
  } catch (const core::Exception&) {
    return std::nullopt;
  }
}

}  // namespace

OwnEquationWindow::OwnEquationWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("OwnEquationWindow"));
  setWindowTitle(QStringLiteral("Своё уравнение f(x) = 0"));
  setAccessibleName(windowTitle());
  // The desktop's colours, as the detail windows have them, not the main
  // window's design: the plot draws in the palette's colours.
  setPalette(QApplication::palette());

  editor_ = new FormulaEditor(this);
  QWidget* inputs = CreateInputs();

  preview_view_ = new QChartView(this);
  preview_view_->setObjectName(QStringLiteral("PreviewView"));
  preview_view_->setAccessibleName(QStringLiteral("График f на отрезке"));
  preview_view_->setRenderHint(QPainter::Antialiasing);
  preview_view_->setMinimumSize(420, 260);
  preview_note_ = new QLabel(this);
  preview_note_->setObjectName(QStringLiteral("PreviewNote"));
  preview_note_->setWordWrap(true);

  solve_ = new QPushButton(QStringLiteral("&Решить"), this);
  solve_->setObjectName(QStringLiteral("SolveButton"));
  solve_->setAutoDefault(false);
  // The header row and a row for each method; a step of progress for each,
  // and one more, as the main window's.
  const int rows = static_cast<int>(methods_.size()) + 1;
  grid_ = new ResultsGrid(kGridColumns, rows, this);
  grid_->setObjectName(QStringLiteral("ResultsGrid"));
  progress_ = new BlockProgressBar(this);
  progress_->setObjectName(QStringLiteral("Progress"));
  progress_->setRange(0, rows);
  progress_->setAccessibleName(QStringLiteral("Ход вычисления"));
  progress_->hide();
  status_ = new StatusPanel(this);
  status_->setObjectName(QStringLiteral("StatusPanel"));
  UseWidgets(grid_, status_, progress_);
  opener_ = new DetailOpener(
      grid_, [this] { return LatestRun(); },
      [this] { return comparison_.IsRunning() || job_ != nullptr; });
  app::WriteTableHeaders(*this);

  // The whole table without scrolling, across the window's width.
  grid_->setFixedHeight(rows * (ResultsGrid::kCellHeight + ResultsGrid::kGridLineWidth) +
                        2 * grid_->frameWidth());
  grid_->setMinimumWidth(kGridColumns * (ResultsGrid::kCellWidth + ResultsGrid::kGridLineWidth) +
                         2 * grid_->frameWidth());

  auto* left = new QVBoxLayout();
  left->addWidget(inputs);
  left->addWidget(solve_);
  left->addStretch(1);
  auto* right = new QVBoxLayout();
  right->addWidget(preview_view_, 1);
  right->addWidget(preview_note_);
  auto* columns = new QHBoxLayout();
  columns->addLayout(left);
  columns->addLayout(right, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(editor_);
  layout->addLayout(columns, 1);
  layout->addWidget(grid_);
  layout->addWidget(progress_);
  layout->addWidget(status_);

  connect(editor_, &FormulaEditor::FormulaChanged, this,
          [this] { Guarded([this] { RedrawPreview(); }); });
  connect(editor_, &FormulaEditor::ExampleChosen, this, [this](double start, double end) {
    Guarded([this, start, end] {
      start_->setText(FromUtf8(app::FormatReal(start)));
      end_->setText(FromUtf8(app::FormatReal(end)));
    });
  });
  for (QLineEdit* edit : {start_, end_, k_, l_})
    connect(edit, &QLineEdit::textChanged, this, [this] { Guarded([this] { RedrawPreview(); }); });
  connect(solve_, &QPushButton::clicked, this, [this] { Guarded([this] { Solve(); }); });
  stop_ = new QAction(this);
  stop_->setShortcut(QKeySequence(Qt::Key_Escape));
  stop_->setShortcutContext(Qt::WindowShortcut);
  stop_->setEnabled(false);
  addAction(stop_);
  connect(stop_, &QAction::triggered, this, [this] {
    Guarded([this] {
      if (job_ != nullptr) job_->Cancel();
    });
  });
  RedrawPreview();
  resize(900, 640);
}

QWidget* OwnEquationWindow::CreateInputs() {
  auto* box = new QWidget(this);
  auto* form = new QFormLayout(box);
  form->setContentsMargins(0, 0, 0, 0);
  start_ = NewEdit(box, QStringLiteral("StartEdit"), QStringLiteral("1"));
  precision_ = NewEdit(box, QStringLiteral("PrecisionEdit"), QString());
  end_ = NewEdit(box, QStringLiteral("EndEdit"), QStringLiteral("2"));
  k_ = NewEdit(box, QStringLiteral("KEdit"), QStringLiteral("1"));
  l_ = NewEdit(box, QStringLiteral("LEdit"), QStringLiteral("1"));
  form->addRow(QStringLiteral("&Начальное значение"), start_);
  form->addRow(QStringLiteral("&Точность"), precision_);
  form->addRow(QStringLiteral("Конечный &интервал"), end_);
  form->addRow(QStringLiteral("&k"), k_);
  form->addRow(QStringLiteral("&l"), l_);
  return box;
}

void OwnEquationWindow::Open(const QString& k, const QString& l, const QString& precision) {
  if (isHidden()) {
    k_->setText(k);
    l_->setText(l);
    precision_->setText(precision);
    // Never wider or taller than the screen it opens on.
    resize(size().boundedTo(screen()->availableGeometry().size()));
  }
  show();
  raise();
  activateWindow();
  editor_->Input()->setFocus(Qt::ActiveWindowFocusReason);
}

void OwnEquationWindow::RedrawPreview() {
  const std::optional<double> start = ReadNumber(*start_);
  const std::optional<double> end = ReadNumber(*end_);
  const std::optional<double> k = ReadNumber(*k_);
  const std::optional<double> l = ReadNumber(*l_);
  QString note;
  if (editor_->Formula() == nullptr) {
    note = QStringLiteral("График появится, когда формула будет прочитана.");
  } else if (!start || !end || !k || !l || !(*start != *end)) {
    note = QStringLiteral("Для графика нужны числа: начало, конец (не равный началу), k и l.");
  }
  if (!note.isEmpty()) {
    preview_view_->setChart(new QChart());  // the view deletes the chart it had
    preview_note_->setText(note);
    return;
  }
  const app::FunctionPreview preview =
      app::BuildFunctionPreview(core::EquationSource(editor_->Formula()), {*k, *l}, *start, *end);
  preview_view_->setChart(NewPreviewChart(preview.plot, preview.sign_changes, palette()));
  preview_note_->setText(
      preview.sign_changes.empty()
          ? QStringLiteral("На отрезке f не меняет знак: половинному делению и хордам "
                           "не на что опереться.")
          : QStringLiteral("Смен знака f на отрезке: %1 (отмечены на оси).")
                .arg(preview.sign_changes.size()));
}

void OwnEquationWindow::Solve() {
  // A second command during a run is ignored by the run; the formula of the
  // run under way stays.
  if (comparison_.IsRunning() || job_ != nullptr) return;
  solving_ = editor_->FormulaOrError();
  if (app::MaySolveSlowly(*solving_)) {
    SolveInBackground();
    return;
  }
  latest_in_background_ = false;
  comparison_.Execute(*this, state_);
}

void OwnEquationWindow::SolveInBackground() {
  app::InputTexts inputs;
  inputs.formula = solving_->Text();
  inputs.k = InputText(app::Input::kK);
  inputs.l = InputText(app::Input::kL);
  inputs.start = InputText(app::Input::kStart);
  inputs.precision = InputText(app::Input::kPrecision);
  inputs.end = InputText(app::Input::kEnd);
  // The table empties and the progress bar shows, as when a run begins.
  for (int row = 0; row < RowCount(); ++row)
    for (int column = 0; column < ColumnCount(); ++column) SetCell(column, row, std::string());
  app::WriteTableHeaders(*this);
  status_->ShowText(QStringLiteral("Решается… (Esc — прервать)"));
  SetProgressPosition(0);
  SetProgressVisible(true);
  latest_in_background_ = true;
  background_run_ = nullptr;
  stop_->setEnabled(true);
  job_ = RunInBackground<app::ControlledSolve>(
      this, [inputs](app::JobControl& control) { return app::SolveUnderControl(inputs, control); },
      [this](int done, int /*total*/) { SetProgressPosition(done); },
      [this](std::optional<app::ControlledSolve> solved) { ShowSolved(solved); });
}

void OwnEquationWindow::ShowSolved(const std::optional<app::ControlledSolve>& solved) {
  job_ = nullptr;
  stop_->setEnabled(false);
  if (!solved) {
    SetProgressVisible(false);
    status_->ShowText(QStringLiteral("Решение прервано."));
    return;
  }
  for (int row = 0; row < RowCount(); ++row)
    for (int column = 0; column < ColumnCount(); ++column)
      SetCell(column, row, solved->table.Cell(column, row));
  SetStatusText(solved->table.StatusText());
  SetProgressPosition(solved->table.ProgressPosition());
  SetProgressVisible(solved->progress_visible);
  background_run_ = solved->record;
  // Reported as the run at once reports it, after the table it left.
  if (solved->error) std::rethrow_exception(solved->error);
}

std::shared_ptr<const app::RunRecord> OwnEquationWindow::LatestRun() const {
  return latest_in_background_ ? background_run_ : comparison_.LastRun();
}

void OwnEquationWindow::closeEvent(QCloseEvent* event) {
  // The run is processing messages inside this window's handler: it
  // completes first, as the main window's does.
  if (comparison_.IsRunning()) {
    event->ignore();
    return;
  }
  // A solve away from the interface thread stops with the window.
  if (job_ != nullptr) job_->Cancel();
  QWidget::closeEvent(event);
}

// ---- The window as the comparison run sees it ----

core::EquationSource OwnEquationWindow::SelectedSource() const {
  return core::EquationSource(solving_);
}

std::string OwnEquationWindow::PrecisionText() const {
  return precision_->text().toStdString();
}

QLineEdit* OwnEquationWindow::Edit(app::Input input) const {
  switch (input) {
    case app::Input::kStart:
      return start_;
    case app::Input::kPrecision:
      return precision_;
    case app::Input::kEnd:
      return end_;
    case app::Input::kK:
      return k_;
    case app::Input::kL:
      return l_;
  }
  return start_;
}

std::string OwnEquationWindow::InputText(app::Input input) const {
  return Edit(input)->text().toStdString();
}

}  // namespace ui
