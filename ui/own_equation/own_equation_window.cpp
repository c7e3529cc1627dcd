// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/own_equation/own_equation_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QScatterSeries>
#include <algorithm>
#include <limits>

#include "app/formula_feedback.h"
#include "app/method_conditions.h"
#include "app/number_text.h"
#include "app/run_announcement.h"
#include "core/errors.h"
#include "core/extended.h"
#include "core/method_table.h"
#include "ui/charts/function_chart.h"
#include "ui/charts/series.h"
#include "ui/detail/detail_opener.h"
#include "ui/error_boundary.h"
#include "ui/own_equation/formula_editor.h"
#include "ui/own_equation/formula_history.h"
#include "ui/own_equation/interval_picker.h"
#include "ui/platform/announcer.h"
#include "ui/platform/background_job.h"
#include "ui/widgets/block_progress_bar.h"
#include "ui/widgets/design_look.h"
#include "ui/widgets/results_grid.h"
#include "ui/widgets/scrolled_contents.h"
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

  editor_ = new FormulaEditor();
  QWidget* inputs = CreateInputs();
  QWidget* preview = CreatePreview();

  solve_ = new QPushButton(QStringLiteral("&Решить"));
  solve_->setObjectName(QStringLiteral("SolveButton"));
  solve_->setAutoDefault(false);
  solve_->setToolTip(QStringLiteral("Решить (Enter, F5, Ctrl+Enter)"));
  // The header row and a row for each method; a step of progress for each,
  // and one more, as the main window's.
  const int rows = static_cast<int>(methods_.size()) + 1;
  grid_ = new ResultsGrid(kGridColumns, rows);
  grid_->setObjectName(QStringLiteral("ResultsGrid"));
  // The window's colours, not the main window's design, here too; in every
  // colour group, as the design's are, since the header cells are disabled
  // items and would otherwise fade.
  const QPalette colours = palette();
  SetColours(*grid_, {{QPalette::Base, colours.color(QPalette::Base)},
                      {QPalette::Button, colours.color(QPalette::Button)},
                      {QPalette::Text, colours.color(QPalette::Text)},
                      {QPalette::ButtonText, colours.color(QPalette::ButtonText)}});
  progress_ = new BlockProgressBar();
  progress_->setObjectName(QStringLiteral("Progress"));
  progress_->setRange(0, rows);
  progress_->setAccessibleName(QStringLiteral("Ход вычисления"));
  progress_->hide();
  status_ = new StatusPanel();
  status_->setObjectName(QStringLiteral("StatusPanel"));
  UseWidgets(grid_, status_, progress_);
  opener_ = new DetailOpener(
      grid_, [this] { return LatestRun(); },
      [this] { return comparison_.IsRunning() || job_ != nullptr; });
  app::WriteTableHeaders(*this);

  // The whole table without scrolling, across the window's width.
  grid_->setFixedHeight(rows * (ResultsGrid::kCellHeight + ResultsGrid::kGridLineWidth) +
                        2 * grid_->frameWidth());
  // The names of the two further methods are longer than the design's cell,
  // which holds the four: the name column grows to hold the longest whole.
  int name_width = ResultsGrid::kCellWidth;
  const QFontMetrics metrics = grid_->fontMetrics();
  for (const core::MethodEntry& entry : core::kMethods) {
    name_width = std::max(name_width, metrics.horizontalAdvance(FromUtf8(entry.name)) +
                                          2 * metrics.averageCharWidth());
  }
  grid_->setColumnWidth(0, name_width + ResultsGrid::kGridLineWidth);
  grid_->setMinimumWidth(name_width - ResultsGrid::kCellWidth +
                         kGridColumns * (ResultsGrid::kCellWidth + ResultsGrid::kGridLineWidth) +
                         2 * grid_->frameWidth());

  auto* left = new QVBoxLayout();
  left->addWidget(inputs);
  left->addWidget(CreateMethodChoice());
  left->addWidget(solve_);
  left->addStretch(1);
  auto* columns = new QHBoxLayout();
  columns->addLayout(left);
  columns->addWidget(preview, 1);
  // In a window smaller than the contents (a small screen, a large font) the
  // contents scroll, as in the detail window.
  auto* content = new QWidget();
  auto* layout = new QVBoxLayout(content);
  layout->addWidget(editor_);
  layout->addLayout(columns, 1);
  layout->addWidget(grid_);
  layout->addWidget(progress_);
  layout->addWidget(status_);
  ScrollContents(this, content);
  announcer_ = new Announcer(this);
  // What the window had when last closed, before anything listens: opening
  // the window announces nothing.
  editor_->ShowHistory(SolvedFormulas());
  Restore(LastInputs());

  connect(editor_, &FormulaEditor::FormulaChanged, this, [this] {
    Guarded([this] {
      RedrawPreview();
      announcer_->SayAfterPause(editor_->Spoken());
    });
  });
  connect(editor_, &FormulaEditor::ExampleChosen, this, [this](double start, double end) {
    Guarded([this, start, end] { SetInterval(start, end); });
  });
  connect(editor_, &FormulaEditor::HistoryChosen, this,
          [this](const TypedInputs& inputs) { Guarded([this, inputs] { Restore(inputs); }); });
  for (QLineEdit* edit : {start_, end_, k_, l_})
    connect(edit, &QLineEdit::textChanged, this, [this] { Guarded([this] { RedrawPreview(); }); });
  for (QLineEdit* edit : {lambda_, phi_})
    connect(edit, &QLineEdit::textChanged, this, [this] { Guarded([this] { ShowConditions(); }); });
  connect(solve_, &QPushButton::clicked, this, [this] { Guarded([this] { Solve(); }); });
  CreateKeys();
  RedrawPreview();
  resize(900, 640);
}

OwnEquationWindow::~OwnEquationWindow() {
  // The program may end with the window open: no close event comes then.
  KeepLastInputs(Inputs());
}

QWidget* OwnEquationWindow::CreatePreview() {
  preview_view_ = new QChartView();
  preview_view_->setObjectName(QStringLiteral("PreviewView"));
  preview_view_->setAccessibleName(QStringLiteral("График f на отрезке"));
  preview_view_->setRenderHint(QPainter::Antialiasing);
  preview_view_->setMinimumSize(360, 220);
  preview_note_ = new QLabel();
  preview_note_->setObjectName(QStringLiteral("PreviewNote"));
  preview_note_->setWordWrap(true);
  picker_ = new IntervalPicker();
  connect(picker_, &IntervalPicker::IntervalChosen, this, [this](double start, double end) {
    Guarded([this, start, end] { SetInterval(start, end); });
  });
  connect(picker_, &IntervalPicker::Searched, this, [this](const QString& outcome) {
    Guarded([this, outcome] { announcer_->Say(outcome); });
  });
  auto* preview = new QWidget();
  auto* column = new QVBoxLayout(preview);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(preview_view_, 1);
  column->addWidget(picker_);
  column->addWidget(preview_note_);
  return preview;
}

// Enter in a box, F5 and Ctrl+Enter solve, as the main window's keys and a
// calculator's "=" do; Escape and Ctrl+W close, as in the detail window.
void OwnEquationWindow::CreateKeys() {
  const auto add_keys = [this](const QList<QKeySequence>& keys, auto command) {
    auto* action = new QAction(this);
    action->setShortcuts(keys);
    connect(action, &QAction::triggered, this,
            [this, command] { Guarded([this, command] { (this->*command)(); }); });
    addAction(action);
  };
  add_keys({QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_Enter),
            QKeySequence(Qt::CTRL | Qt::Key_Return)},
           &OwnEquationWindow::Solve);
  add_keys({QKeySequence(Qt::Key_Escape)}, &OwnEquationWindow::StopOrClose);
  add_keys({QKeySequence(Qt::CTRL | Qt::Key_W)}, &OwnEquationWindow::CloseWindow);
  for (QLineEdit* edit : {editor_->Input(), start_, precision_, end_, k_, l_, lambda_, phi_})
    connect(edit, &QLineEdit::returnPressed, this, [this] { Guarded([this] { Solve(); }); });
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

// A box for each method, the four specified ones ticked; λ and φ for simple
// iteration; and the note on the conditions, which follows the choice.
QWidget* OwnEquationWindow::CreateMethodChoice() {
  auto* box = new QGroupBox(QStringLiteral("Методы"), this);
  auto* layout = new QVBoxLayout(box);
  auto* boxes = new QGridLayout();
  int place = 0;
  for (const core::MethodEntry& entry : core::kMethods) {
    auto* check = new QCheckBox(FromUtf8(entry.short_name), box);
    check->setObjectName(QStringLiteral("Method_") + FromUtf8(entry.key));
    check->setToolTip(FromUtf8(entry.name));
    check->setAccessibleName(FromUtf8(entry.name));
    check->setChecked(entry.specified);
    connect(check, &QCheckBox::toggled, this, [this] { Guarded([this] { ShowConditions(); }); });
    core::ForMethod(method_boxes_, entry.number) = check;
    boxes->addWidget(check, place / 2, place % 2);
    ++place;
  }
  layout->addLayout(boxes);
  auto* settings = new QFormLayout();
  lambda_ = NewEdit(box, QStringLiteral("LambdaEdit"), QString());
  lambda_->setPlaceholderText(QStringLiteral("1/M со знаком f′"));
  lambda_->setAccessibleName(QStringLiteral("λ простой итерации"));
  lambda_->setToolTip(
      QStringLiteral("Простая итерация: φ(x) = x − λ·f(x). Пусто — λ = 1/M со знаком f′, "
                     "M = max |f′| по сетке отрезка"));
  phi_ = NewEdit(box, QStringLiteral("PhiEdit"), QString());
  phi_->setPlaceholderText(QStringLiteral("x − λ·f(x)"));
  phi_->setAccessibleName(QStringLiteral("φ(x) простой итерации"));
  phi_->setToolTip(QStringLiteral("Простая итерация: φ(x), набранная вместо x − λ·f(x)"));
  settings->addRow(QStringLiteral("λ:"), lambda_);
  settings->addRow(QStringLiteral("φ(x):"), phi_);
  layout->addLayout(settings);
  conditions_ = new QLabel(box);
  conditions_->setObjectName(QStringLiteral("ConditionsNote"));
  conditions_->setWordWrap(true);
  conditions_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(conditions_);
  return box;
}

core::MethodSet OwnEquationWindow::ChosenMethods() const {
  core::MethodSet methods;
  for (const core::MethodEntry& entry : core::kMethods)
    if (MethodBox(entry.number)->isChecked()) methods.Add(entry.number);
  return methods;
}

core::MethodParameters OwnEquationWindow::ReadParameters() const {
  core::MethodParameters parameters;
  if (!lambda_->text().trimmed().isEmpty())
    parameters.lambda = core::Extended(app::ParseReal(lambda_->text().toStdString())).ToDouble();
  if (!phi_->text().trimmed().isEmpty())
    parameters.phi = core::expression::Formula::Parse(phi_->text().toStdString());
  return parameters;
}

// Before the run: q and its verdict, and the combined method's condition,
// for the methods ticked and the interval typed.
void OwnEquationWindow::ShowConditions() {
  const core::MethodSet methods = ChosenMethods();
  // λ and φ are read by the methods that iterate x = φ(x), when one is chosen.
  const bool iterates = std::any_of(core::kMethods.begin(), core::kMethods.end(),
                                    [&methods](const core::MethodEntry& entry) {
                                      return entry.iterates_phi && methods.Contains(entry.number);
                                    });
  lambda_->setEnabled(iterates && phi_->text().trimmed().isEmpty());
  phi_->setEnabled(iterates);
  const std::optional<double> start = ReadNumber(*start_);
  const std::optional<double> end = ReadNumber(*end_);
  const std::optional<double> k = ReadNumber(*k_);
  const std::optional<double> l = ReadNumber(*l_);
  const std::optional<core::EquationSource> source = editor_->Source();
  QString note;
  if (source && start && end && k && l) {
    try {
      note =
          FromUtf8(app::ConditionsNote(methods, *source, {*k, *l}, *start, *end, ReadParameters()));
    } catch (const core::Exception& error) {
      note = QStringLiteral("λ или φ не читается: ") + FromUtf8(error.Message());
    }
  }
  conditions_->setText(note);
  conditions_->setVisible(!note.isEmpty());
}

void OwnEquationWindow::FitToMethods() {
  const int rows = static_cast<int>(methods_.size()) + 1;
  if (grid_->rowCount() == rows) return;
  grid_->SetRows(rows);
  grid_->setFixedHeight(rows * (ResultsGrid::kCellHeight + ResultsGrid::kGridLineWidth) +
                        2 * grid_->frameWidth());
  progress_->setRange(0, rows);
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
  editor_->Field()->setFocus(Qt::ActiveWindowFocusReason);
}

void OwnEquationWindow::RedrawPreview() {
  const std::optional<double> start = ReadNumber(*start_);
  const std::optional<double> end = ReadNumber(*end_);
  const std::optional<double> k = ReadNumber(*k_);
  const std::optional<double> l = ReadNumber(*l_);
  const std::optional<core::EquationSource> source = editor_->Source();
  QString note;
  if (!source) {
    note = QStringLiteral("График появится, когда формула будет прочитана.");
  } else if (!start || !end || !k || !l || !(*start != *end)) {
    note = QStringLiteral("Для графика нужны числа: начало, конец (не равный началу), k и l.");
  }
  if (!note.isEmpty()) {
    // An empty plot in the window's colours, not a white block on a dark
    // desktop; the view deletes the chart it had.
    auto* empty = new QChart();
    Paint(*empty, palette());
    preview_view_->setChart(empty);
    picker_->ShowChanges({}, 0, 0, {});
    ShowPreviewNote(note);
    ShowConditions();
    return;
  }
  const core::Coefficients coefficients{*k, *l};
  const app::FunctionPreview preview =
      app::BuildFunctionPreview(*source, coefficients, *start, *end);
  QChart* chart = NewPreviewChart(preview.plot, preview.sign_changes.roots, palette());
  preview_view_->setChart(chart);
  // A click on a mark takes the interval around it.
  for (QAbstractSeries* series : chart->series()) {
    if (series->objectName() != QLatin1String(kSignChangeMarks)) continue;
    connect(
        static_cast<QScatterSeries*>(series), &QScatterSeries::clicked, this,
        [this](const QPointF& point) { Guarded([this, point] { picker_->PickNear(point.x()); }); });
  }
  picker_->ShowChanges(preview.sign_changes, preview.plot.range.left, preview.plot.range.right,
                       app::PreviewFunction(*source, coefficients));
  ShowPreviewNote(FromUtf8(app::PreviewNote(preview.sign_changes)));
  ShowConditions();
}

void OwnEquationWindow::ShowPreviewNote(const QString& note) {
  preview_note_->setText(note);
  preview_view_->setAccessibleDescription(note);
}

void OwnEquationWindow::SetInterval(double start, double end) {
  start_->setText(FromUtf8(app::FormatReal(start)));
  end_->setText(FromUtf8(app::FormatReal(end)));
}

void OwnEquationWindow::Restore(const TypedInputs& inputs) {
  const auto restore = [](QLineEdit& edit, const QString& text) {
    if (!text.isEmpty()) edit.setText(text);
  };
  if (!inputs.formula.isEmpty() && editor_->Input()->text() != inputs.formula)
    editor_->SetText(inputs.formula);
  restore(*start_, inputs.start);
  restore(*precision_, inputs.precision);
  restore(*end_, inputs.end);
  restore(*k_, inputs.k);
  restore(*l_, inputs.l);
}

TypedInputs OwnEquationWindow::Inputs() const {
  return {editor_->Input()->text(),
          start_->text(),
          precision_->text(),
          end_->text(),
          k_->text(),
          l_->text()};
}

void OwnEquationWindow::Solve() {
  // A second command during a run is ignored by the run; the formula of the
  // run under way stays.
  if (comparison_.IsRunning() || job_ != nullptr) return;
  solving_ = editor_->SourceOrError();
  const core::MethodSet methods = ChosenMethods();
  if (methods.empty()) {
    status_->ShowText(QStringLiteral("Отметьте хотя бы один метод."));
    return;
  }
  parameters_ = ReadParameters();
  methods_ = methods;
  FitToMethods();
  if (solving_.Formula() != nullptr && app::MaySolveSlowly(*solving_.Formula())) {
    SolveInBackground();
    return;
  }
  latest_in_background_ = false;
  comparison_.Execute(*this, state_);
  AfterSolving();
}

// Only after a run that ended without an error: a failed one is reported in
// the error box, which a screen reader reads itself.
void OwnEquationWindow::AfterSolving() {
  const TypedInputs inputs = Inputs();
  RememberSolved(inputs);
  KeepLastInputs(inputs);
  editor_->ShowHistory(SolvedFormulas());
  if (const std::shared_ptr<const app::RunRecord> run = LatestRun())
    announcer_->Say(FromUtf8(app::RunAnnouncement(*run, status_->text().toStdString())));
  grid_->setFocus(Qt::OtherFocusReason);
}

void OwnEquationWindow::CloseWindow() {
  close();
}

// Escape stops a solve under way away from the interface thread, as the
// status line says; otherwise it closes the window, as in the detail window.
void OwnEquationWindow::StopOrClose() {
  if (job_ != nullptr) {
    job_->Cancel();
    return;
  }
  close();
}

void OwnEquationWindow::SolveInBackground() {
  app::InputTexts inputs;
  inputs.formula = solving_.Formula()->Text();
  inputs.k = InputText(app::Input::kK);
  inputs.l = InputText(app::Input::kL);
  inputs.start = InputText(app::Input::kStart);
  inputs.precision = InputText(app::Input::kPrecision);
  inputs.end = InputText(app::Input::kEnd);
  inputs.methods = methods_;
  inputs.parameters = parameters_;
  // The table empties and the progress bar shows, as when a run begins.
  for (int row = 0; row < RowCount(); ++row)
    for (int column = 0; column < ColumnCount(); ++column) SetCell(column, row, std::string());
  app::WriteTableHeaders(*this);
  status_->ShowText(QStringLiteral("Решается… (Esc — прервать)"));
  SetProgressPosition(0);
  SetProgressVisible(true);
  latest_in_background_ = true;
  background_run_ = nullptr;
  job_ = RunInBackground<app::ControlledSolve>(
      this, [inputs](app::JobControl& control) { return app::SolveUnderControl(inputs, control); },
      [this](int done, int /*total*/) { SetProgressPosition(done); },
      [this](std::optional<app::ControlledSolve> solved) { ShowSolved(solved); });
}

void OwnEquationWindow::ShowSolved(const std::optional<app::ControlledSolve>& solved) {
  job_ = nullptr;
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
  AfterSolving();
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
  KeepLastInputs(Inputs());
  QWidget::closeEvent(event);
}

// ---- The window as the comparison run sees it ----

core::EquationSource OwnEquationWindow::SelectedSource() const {
  return solving_;
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
