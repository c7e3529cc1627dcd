// SPDX-License-Identifier: GPL-3.0-or-later
// The own-equation window: the user types f(x), sees how it was read, its
// derivative and its graph over the interval as they type, and solves
// f(x) = 0 with the methods ticked: the main window's four by default, simple
// iteration (with λ or a typed φ) and the combined method of chords and
// tangents to add; a note under the choice says before the run whether φ
// contracts and whether the combined method's condition holds. Not modal. The solve command is the
// main window's comparison run on this window's controls, so the table, its order and the status
// line read exactly as there; a row opens the same detail window.
//
// Keys: Enter in an input box, F5, Ctrl+Enter solve; Escape, Ctrl+W close.
// A screen reader hears the feedback once the typing pauses, and the results
// after a solve, which gives the results table the focus. The window keeps
// the formulas solved and its last inputs (formula_history.h); the contents
// scroll in a window smaller than they are.
//
// Controls (objectName): FormulaHistory, FormulaEdit, Examples,
// FormulaFeedback and the readings (editor); StartEdit, PrecisionEdit,
// EndEdit, KEdit, LEdit; Method_<key> for each method, LambdaEdit, PhiEdit,
// ConditionsNote; PreviewView, PreviewNote, SignChangeList,
// WiderScanButton, WiderScanNote (picker); SolveButton; ResultsGrid;
// Progress; StatusPanel; Announcer.
#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <optional>

#include "app/comparison_run.h"
#include "app/controlled_solve.h"
#include "core/expression/formula.h"
#include "core/method_table.h"
#include "ui/comparison_widgets.h"

class QAction;
class QCheckBox;
class QChartView;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace ui {

class Announcer;
class BackgroundJob;
class FormulaEditor;
class DetailOpener;
class IntervalPicker;
struct TypedInputs;
class ResultsGrid;
class StatusPanel;

class OwnEquationWindow : public QWidget, public ComparisonWidgets {
  Q_OBJECT

 public:
  explicit OwnEquationWindow(QWidget* parent = nullptr);
  ~OwnEquationWindow() override;

  // Shows the window, filling k, l and the precision with the main window's
  // texts when it was not on the screen.
  void Open(const QString& k, const QString& l, const QString& precision);

  // "Решить": the comparison run on the typed formula. Raises the formula's
  // EFormulaError while it does not read, and every error of the run. A
  // formula that may take long (app::MaySolveSlowly) is solved away from the
  // interface thread (BackgroundJob): the window answers meanwhile, Escape or
  // closing the window stops the solve, and the results arrive in the table,
  // the status line and the detail windows as a run at once would leave them.
  // After a run the formula and its inputs are remembered, the results
  // announced and the table has the focus.
  void Solve();
  // Whether a solve away from the interface thread is under way.
  bool IsSolvingInBackground() const { return job_ != nullptr; }

  FormulaEditor* Editor() const { return editor_; }
  ResultsGrid* Grid() const { return grid_; }
  DetailOpener* Opener() const { return opener_; }
  QChartView* PreviewView() const { return preview_view_; }
  IntervalPicker* Picker() const { return picker_; }
  Announcer* Announcements() const { return announcer_; }

  // The window as the comparison run sees it beyond its table, status line
  // and progress bar (ComparisonWidgets). SelectedSource gives the formula
  // that "Решить" took, the same throughout its run.
  std::uint8_t SelectedEquation() const override { return 0; }
  core::EquationSource SelectedSource() const override;
  std::string PrecisionText() const override;
  std::string InputText(app::Input input) const override;
  core::MethodSet Methods() const override { return methods_; }
  core::MethodParameters Parameters() const override { return parameters_; }

  // The methods ticked now (the run takes them as it begins).
  core::MethodSet ChosenMethods() const;
  QCheckBox* MethodBox(std::uint8_t method) const { return core::ForMethod(method_boxes_, method); }
  QLabel* ConditionsNote() const { return conditions_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* CreateInputs();
  QWidget* CreatePreview();
  QWidget* CreateMethodChoice();
  // λ and φ as typed; raises the reading's error when they do not read.
  core::MethodParameters ReadParameters() const;
  void ShowConditions();
  // The table and the progress bar take a row and a step for each method.
  void FitToMethods();
  void CreateKeys();
  void RedrawPreview();
  void ShowPreviewNote(const QString& note);
  void SetInterval(double start, double end);
  void Restore(const TypedInputs& inputs);
  TypedInputs Inputs() const;
  void AfterSolving();
  void CloseWindow();
  void StopOrClose();
  QLineEdit* Edit(app::Input input) const;
  void SolveInBackground();
  void ShowSolved(const std::optional<app::ControlledSolve>& solved);
  std::shared_ptr<const app::RunRecord> LatestRun() const;

  FormulaEditor* editor_ = nullptr;
  QLineEdit* start_ = nullptr;
  QLineEdit* precision_ = nullptr;
  QLineEdit* end_ = nullptr;
  QLineEdit* k_ = nullptr;
  QLineEdit* l_ = nullptr;
  QChartView* preview_view_ = nullptr;
  QLabel* preview_note_ = nullptr;
  IntervalPicker* picker_ = nullptr;
  Announcer* announcer_ = nullptr;
  QPushButton* solve_ = nullptr;
  ResultsGrid* grid_ = nullptr;
  QProgressBar* progress_ = nullptr;
  StatusPanel* status_ = nullptr;
  DetailOpener* opener_ = nullptr;

  core::PerMethod<QCheckBox*> method_boxes_{};
  QLineEdit* lambda_ = nullptr;
  QLineEdit* phi_ = nullptr;
  QLabel* conditions_ = nullptr;
  // The methods and settings of the latest solve: the main window's four
  // until then.
  core::MethodSet methods_ = core::MethodSet::Specified();
  core::MethodParameters parameters_;
  app::ComparisonRun comparison_;
  app::SharedState state_;
  core::EquationSource solving_;
  // The solve under way away from the interface thread, and what the latest
  // such solve left (used while the latest solve was one).
  BackgroundJob* job_ = nullptr;
  bool latest_in_background_ = false;
  std::shared_ptr<const app::RunRecord> background_run_;
};

}  // namespace ui
