// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/own_equation/formula_editor.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <array>
#include <string_view>

#include "app/formula_feedback.h"
#include "core/expression/parser.h"
#include "ui/error_boundary.h"
#include "ui/widgets/text_view.h"
#include "ui/widgets/utf8_text.h"
#include "ui/widgets/wrapping_label.h"

namespace ui {

namespace {

struct Example {
  std::string_view formula;
  double start;
  double end;
};

// A cubic with one root, an exponential with two, a fixed-point classic and
// a double root, where bisection and chords have no sign change to keep.
constexpr std::array<Example, 4> kExamples = {{
    {"x^3-2*x-5", 2, 3},
    {"e^x-3*x", 0, 1},
    {"x-cos(x)", 0, 1},
    {"(x-1)^2", 0.5, 3},
}};

}  // namespace

FormulaEditor::FormulaEditor(QWidget* parent) : QWidget(parent) {
  input_ = new QLineEdit(this);
  input_->setObjectName(QStringLiteral("FormulaEdit"));
  input_->setMaxLength(static_cast<int>(core::expression::kMaxFormulaLength) + 1);
  input_->setPlaceholderText(QStringLiteral("например x^3-2*x-5"));
  auto* caption = new QLabel(QStringLiteral("&f(x) ="), this);
  caption->setBuddy(input_);

  examples_ = new QComboBox(this);
  examples_->setObjectName(QStringLiteral("Examples"));
  examples_->setAccessibleName(QStringLiteral("Примеры"));
  examples_->addItem(QStringLiteral("Примеры…"));
  for (const Example& example : kExamples) examples_->addItem(FromUtf8(example.formula));

  feedback_ = new WrappingLabel(this);
  feedback_->setObjectName(QStringLiteral("FormulaFeedback"));
  feedback_->setAccessibleName(QStringLiteral("Разбор формулы"));
  // Fixed width, so that the mark stands under its character.
  feedback_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

  whole_button_ = new QToolButton(this);
  whole_button_->setObjectName(QStringLiteral("WholeDerivativeButton"));
  whole_button_->setText(QStringLiteral("Производная целиком"));
  whole_button_->setCheckable(true);
  whole_button_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  whole_button_->setArrowType(Qt::RightArrow);
  whole_button_->hide();
  whole_view_ = new TextView(this);
  whole_view_->setObjectName(QStringLiteral("WholeDerivative"));
  whole_view_->setAccessibleName(QStringLiteral("Производная целиком"));
  whole_view_->setFont(feedback_->font());
  // Wrapped anywhere, so never wider than the window; a few lines high,
  // scrolling through the rest.
  whole_view_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  whole_view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  whole_view_->setMaximumHeight(6 * whole_view_->fontMetrics().lineSpacing());
  whole_view_->hide();

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(caption, 0, 0);
  grid->addWidget(input_, 0, 1);
  grid->addWidget(examples_, 0, 2);
  grid->addWidget(feedback_, 1, 1, 1, 2);
  grid->addWidget(whole_button_, 2, 1, 1, 2, Qt::AlignLeft);
  grid->addWidget(whole_view_, 3, 1, 1, 2);
  grid->setColumnStretch(1, 1);

  connect(input_, &QLineEdit::textChanged, this, [this] { Guarded([this] { Read(); }); });
  connect(examples_, &QComboBox::activated, this,
          [this](int index) { Guarded([this, index] { ChooseExample(index); }); });
  connect(whole_button_, &QToolButton::toggled, this, [this](bool open) {
    Guarded([this, open] {
      whole_button_->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
      whole_view_->setVisible(open);
    });
  });
  Read();
}

void FormulaEditor::Read() {
  const app::FormulaFeedback feedback = app::ReadFormula(input_->text().toStdString());
  formula_ = feedback.formula;
  feedback_->setText(FromUtf8(feedback.text));
  feedback_->setAccessibleDescription(feedback_->text());
  // The whole derivative waits below while the line shows only its start.
  const bool cut = !feedback.whole_text.empty() && feedback.whole_text != feedback.text;
  whole_view_->SetText(cut ? FromUtf8(feedback.whole_text) : QString());
  whole_button_->setVisible(cut);
  whole_view_->setVisible(cut && whole_button_->isChecked());
  emit FormulaChanged();
}

void FormulaEditor::ChooseExample(int index) {
  if (index < 1 || index > static_cast<int>(kExamples.size())) return;
  const Example& example = kExamples[static_cast<std::size_t>(index - 1)];
  input_->setText(FromUtf8(example.formula));
  examples_->setCurrentIndex(0);
  emit ExampleChosen(example.start, example.end);
}

std::shared_ptr<const core::expression::Formula> FormulaEditor::FormulaOrError() const {
  return core::expression::Formula::Parse(input_->text().toStdString());
}

}  // namespace ui
