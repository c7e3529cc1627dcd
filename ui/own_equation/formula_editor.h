// SPDX-License-Identifier: GPL-3.0-or-later
// The "f(x) =" input of the own-equation window with its live feedback: the
// derivative as a formula while the text reads, the formula with a mark
// under the place and the message while it does not; and the list of
// examples to start from, each with an interval that suits it.
#pragma once

#include <QWidget>
#include <memory>

#include "core/expression/formula.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace ui {

class TextView;

class FormulaEditor : public QWidget {
  Q_OBJECT

 public:
  explicit FormulaEditor(QWidget* parent = nullptr);

  // The formula as typed, read; null while the text does not read.
  const std::shared_ptr<const core::expression::Formula>& Formula() const { return formula_; }
  // Reads the text again and raises its EFormulaError, for a solve command
  // given while the text does not read (an empty text included).
  std::shared_ptr<const core::expression::Formula> FormulaOrError() const;

  QLineEdit* Input() const { return input_; }
  // Wraps its lines (anywhere where it must), so that a long derivative
  // never widens the window.
  QLabel* Feedback() const { return feedback_; }
  QComboBox* Examples() const { return examples_; }
  // Shown when the feedback cuts the derivative: it opens the whole
  // derivative below, in a view that scrolls and copies.
  QToolButton* WholeDerivativeButton() const { return whole_button_; }
  TextView* WholeDerivative() const { return whole_view_; }

 signals:
  // After every change of the text, read or not.
  void FormulaChanged();
  // An example was chosen: its formula is in the input; these are its ends.
  void ExampleChosen(double start, double end);

 private:
  void Read();
  void ChooseExample(int index);

  QLineEdit* input_;
  QLabel* feedback_;
  QComboBox* examples_;
  QToolButton* whole_button_;
  TextView* whole_view_;
  std::shared_ptr<const core::expression::Formula> formula_;
};

}  // namespace ui
