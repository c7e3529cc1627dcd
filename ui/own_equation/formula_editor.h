// SPDX-License-Identifier: GPL-3.0-or-later
// The "f(x) =" input of the own-equation window with its live feedback: how
// the formula was read and its derivative while the text reads, the formula
// with a mark under the place and the message while it does not; the
// formulas solved before in the field's drop-down; the list of examples to
// start from, each with an interval that suits it; and, for a list text of
// the main window typed as it is, the choice between its two readings.
//
// For screen readers the field's description is the feedback in words (the
// message with its position, or the reading and the derivative).
//
// Controls (objectName): FormulaHistory (the field, an editable list of the
// formulas solved), FormulaEdit (its text), Examples, FormulaFeedback;
// ReadingsNote, AsTypedReading, RightSideReading (shown for a list text).
#pragma once

#include <QList>
#include <QWidget>
#include <memory>
#include <optional>

#include "app/formula_feedback.h"
#include "core/equation_source.h"
#include "core/expression/formula.h"
#include "ui/own_equation/formula_history.h"
#include "ui/widgets/wrapping_label.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace ui {

class TextView;

class FormulaEditor : public QWidget {
  Q_OBJECT

 public:
  explicit FormulaEditor(QWidget* parent = nullptr);

  // The formula as typed, read; null while the text does not read.
  const std::shared_ptr<const core::expression::Formula>& Formula() const {
    return feedback_.formula;
  }
  // What the methods are to solve: the formula, or for a list text read as
  // the main window reads it, that built-in equation; none while the text
  // does not read.
  std::optional<core::EquationSource> Source() const;
  // The same, reading the text again and raising its EFormulaError, for a
  // solve command given while the text does not read (an empty one too).
  core::EquationSource SourceOrError() const;
  // The feedback in words, as the field's description has it.
  QString Spoken() const;

  // The formulas solved before, the latest first, for the field's drop-down.
  void ShowHistory(const QList<TypedInputs>& history);
  // Replaces the text as typing would, so that Ctrl+Z brings the old one
  // back.
  void SetText(const QString& formula);

  QComboBox* Field() const { return field_; }
  QLineEdit* Input() const { return input_; }
  // Wraps its lines (anywhere where it must), so that a long derivative
  // never widens the window.
  QLabel* Feedback() const { return feedback_label_; }
  QComboBox* Examples() const { return examples_; }
  QRadioButton* RightSideReading() const { return right_side_; }
  // Shown when the feedback cuts the derivative: it opens the whole
  // derivative below, in a view that scrolls and copies.
  QToolButton* WholeDerivativeButton() const { return whole_button_; }
  TextView* WholeDerivative() const { return whole_view_; }

 signals:
  // After every change of the text or of the reading, read or not.
  void FormulaChanged();
  // An example was chosen: its formula is in the input; these are its ends.
  void ExampleChosen(double start, double end);
  // A formula was chosen from the drop-down: it is in the input; these are
  // the inputs it was solved with.
  void HistoryChosen(const TypedInputs& inputs);

 private:
  QWidget* CreateReadings();
  void Read();
  void ChooseExample(int index);
  void ChooseFromHistory(int index);

  QComboBox* field_;
  QLineEdit* input_;
  WrappingLabel* feedback_label_;
  QComboBox* examples_;
  QToolButton* whole_button_;
  TextView* whole_view_;
  QWidget* readings_;
  QLabel* readings_note_;
  QRadioButton* as_typed_;
  QRadioButton* right_side_;
  app::FormulaFeedback feedback_;
  QList<TypedInputs> history_;
};

}  // namespace ui
