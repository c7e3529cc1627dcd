// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/own_equation/formula_editor.h"

#include <QAction>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>
#include <string_view>

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

// The inputs of a formula solved before, as its item in the drop-down
// describes them for a screen reader and a tooltip.
QString InputsText(const TypedInputs& inputs) {
  return QStringLiteral("начало %1, точность %2, конец %3, k = %4, l = %5")
      .arg(inputs.start, inputs.precision, inputs.end, inputs.k, inputs.l);
}

}  // namespace

FormulaEditor::FormulaEditor(QWidget* parent) : QWidget(parent) {
  field_ = new QComboBox(this);
  field_->setObjectName(QStringLiteral("FormulaHistory"));
  field_->setEditable(true);
  // The drop-down only recalls; typing never completes a formula, and Enter
  // solves rather than adds to the list.
  field_->setCompleter(nullptr);
  field_->setInsertPolicy(QComboBox::NoInsert);
  field_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  field_->setMinimumContentsLength(24);
  field_->setToolTip(QStringLiteral("Формула; в списке - решённые раньше (Alt+Вниз)"));
  input_ = field_->lineEdit();
  input_->setObjectName(QStringLiteral("FormulaEdit"));
  input_->setMaxLength(static_cast<int>(core::expression::kMaxFormulaLength) + 1);
  input_->setPlaceholderText(QStringLiteral("например x^3-2*x-5"));
  auto* caption = new QLabel(QStringLiteral("&f(x) ="), this);
  caption->setBuddy(field_);
  field_->setAccessibleName(QStringLiteral("f(x) ="));
  input_->setAccessibleName(field_->accessibleName());
  // Undo and redo under the keys users know from other programs: the field
  // takes those the platform's key scheme names itself, these take the rest.
  const auto add_key = [this](const QList<QKeySequence>& keys, void (QLineEdit::*command)()) {
    auto* action = new QAction(field_);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(action, &QAction::triggered, input_, command);
    field_->addAction(action);
  };
  add_key({QKeySequence(Qt::CTRL | Qt::Key_Z)}, &QLineEdit::undo);
  add_key({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)},
          &QLineEdit::redo);

  examples_ = new QComboBox(this);
  examples_->setObjectName(QStringLiteral("Examples"));
  examples_->setAccessibleName(QStringLiteral("Примеры"));
  examples_->addItem(QStringLiteral("Примеры…"));
  for (const Example& example : kExamples) examples_->addItem(FromUtf8(example.formula));

  feedback_label_ = new WrappingLabel(this);
  feedback_label_->setObjectName(QStringLiteral("FormulaFeedback"));
  feedback_label_->setAccessibleName(QStringLiteral("Разбор формулы"));
  // Fixed width, so that the mark stands under its character; as large as
  // the window's text.
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setPointSizeF(font().pointSizeF());
  feedback_label_->setFont(fixed);

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
  whole_view_->setFont(feedback_label_->font());
  // Wrapped anywhere, so never wider than the window; a few lines high,
  // scrolling through the rest.
  whole_view_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  whole_view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  whole_view_->setMaximumHeight(6 * whole_view_->fontMetrics().lineSpacing());
  whole_view_->hide();

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(caption, 0, 0);
  grid->addWidget(field_, 0, 1);
  grid->addWidget(examples_, 0, 2);
  grid->addWidget(feedback_label_, 1, 1, 1, 2);
  grid->addWidget(whole_button_, 2, 1, 1, 2, Qt::AlignLeft);
  grid->addWidget(whole_view_, 3, 1, 1, 2);
  grid->addWidget(CreateReadings(), 4, 1, 1, 2);
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
  connect(field_, &QComboBox::activated, this,
          [this](int index) { Guarded([this, index] { ChooseFromHistory(index); }); });
  Read();
}

QWidget* FormulaEditor::CreateReadings() {
  readings_ = new QWidget(this);
  readings_note_ = new QLabel(readings_);
  readings_note_->setObjectName(QStringLiteral("ReadingsNote"));
  readings_note_->setWordWrap(true);
  readings_note_->setTextFormat(Qt::PlainText);
  as_typed_ = new QRadioButton(readings_);
  as_typed_->setObjectName(QStringLiteral("AsTypedReading"));
  as_typed_->setChecked(true);
  right_side_ = new QRadioButton(readings_);
  right_side_->setObjectName(QStringLiteral("RightSideReading"));
  auto* column = new QVBoxLayout(readings_);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(readings_note_);
  column->addWidget(as_typed_);
  column->addWidget(right_side_);
  readings_->hide();
  connect(right_side_, &QRadioButton::toggled, this,
          [this] { Guarded([this] { emit FormulaChanged(); }); });
  return readings_;
}

void FormulaEditor::Read() {
  feedback_ = app::ReadFormula(input_->text().toStdString());
  // The whole derivative waits below while the line shows only its start.
  const bool cut = !feedback_.whole_text.empty();
  whole_view_->SetText(cut ? FromUtf8(feedback_.whole_text) : QString());
  whole_button_->setVisible(cut);
  whole_view_->setVisible(cut && whole_button_->isChecked());
  feedback_label_->setText(FromUtf8(feedback_.text));
  feedback_label_->setAccessibleDescription(feedback_label_->text());
  // The field is what has the focus: its description is what a screen
  // reader reads out with it.
  field_->setAccessibleDescription(Spoken());
  input_->setAccessibleDescription(Spoken());
  if (feedback_.readings) {
    const app::CatalogueReadings& readings = *feedback_.readings;
    readings_note_->setText(FromUtf8(readings.note));
    as_typed_->setText(QStringLiteral("Решать %1, как на&писано").arg(FromUtf8(readings.as_typed)));
    right_side_->setText(
        QStringLiteral("Решать %1, как &главное окно").arg(FromUtf8(readings.right_side)));
  }
  readings_->setVisible(feedback_.readings.has_value());
  emit FormulaChanged();
}

std::optional<core::EquationSource> FormulaEditor::Source() const {
  if (feedback_.formula == nullptr) return std::nullopt;
  if (feedback_.readings && right_side_->isChecked())
    return core::EquationSource(feedback_.readings->equation);
  return core::EquationSource(feedback_.formula);
}

core::EquationSource FormulaEditor::SourceOrError() const {
  if (const std::optional<core::EquationSource> source = Source()) return *source;
  // Raises the text's error; a text that reads raced no change here.
  return core::EquationSource(core::expression::Formula::Parse(input_->text().toStdString()));
}

QString FormulaEditor::Spoken() const {
  return FromUtf8(feedback_.spoken);
}

void FormulaEditor::ShowHistory(const QList<TypedInputs>& history) {
  history_ = history;
  // Refilling the list would put its first item into the field.
  const QString typed = input_->text();
  {
    const QSignalBlocker quiet(input_);
    field_->clear();
    for (const TypedInputs& inputs : history_) {
      field_->addItem(inputs.formula);
      const int item = field_->count() - 1;
      field_->setItemData(item, InputsText(inputs), Qt::ToolTipRole);
      field_->setItemData(item, InputsText(inputs), Qt::AccessibleDescriptionRole);
    }
    field_->setCurrentIndex(-1);
    input_->setText(typed);
  }
}

void FormulaEditor::SetText(const QString& formula) {
  input_->selectAll();
  input_->insert(formula);
}

void FormulaEditor::ChooseExample(int index) {
  if (index < 1 || index > static_cast<int>(kExamples.size())) return;
  const Example& example = kExamples[static_cast<std::size_t>(index - 1)];
  SetText(FromUtf8(example.formula));
  examples_->setCurrentIndex(0);
  emit ExampleChosen(example.start, example.end);
}

void FormulaEditor::ChooseFromHistory(int index) {
  if (index < 0 || index >= history_.size()) return;
  // The list has put the formula into the field.
  emit HistoryChosen(history_[index]);
}

}  // namespace ui
