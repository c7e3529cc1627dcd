// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/detail/worked_solution_tab.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include "ui/error_boundary.h"
#include "ui/widgets/utf8_text.h"

namespace ui {

WorkedSolutionTab::WorkedSolutionTab(app::WorkedSolution solution, QWidget* parent)
    : QWidget(parent), solution_(std::move(solution)) {
  text_ = new QTextEdit();
  text_->setReadOnly(true);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  text_->setAccessibleName(QStringLiteral("Решение по шагам"));
  all_ = new QCheckBox(QStringLiteral("Показать все &проходы"));
  all_->setVisible(app::IsLong(solution_));
  copy_ = new QPushButton(QStringLiteral("Копировать р&ешение"));
  copy_->setToolTip(
      QStringLiteral("В буфер обмена: простым текстом и в HTML для текстового редактора"));
  note_ = new QLabel(FromUtf8(solution_.note));
  note_->setTextFormat(Qt::PlainText);
  note_->setWordWrap(true);
  note_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  note_->setAccessibleName(QStringLiteral("Замечание о числах решения"));

  auto* buttons = new QHBoxLayout();
  buttons->addWidget(all_);
  buttons->addStretch(1);
  buttons->addWidget(copy_);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(text_, 1);
  column->addWidget(note_);
  column->addLayout(buttons);

  connect(all_, &QCheckBox::toggled, this, [this] { Guarded([this] { Fill(); }); });
  connect(copy_, &QPushButton::clicked, this, [this] { Guarded([this] { Copy(); }); });
  Fill();
}

bool WorkedSolutionTab::ShowsAllPasses() const {
  return all_->isChecked();
}

void WorkedSolutionTab::ShowAllPasses(bool all) {
  all_->setChecked(all);
}

// One paragraph a pass: its label in bold, hanging before its lines, which
// break and wrap under one another.
void WorkedSolutionTab::Fill() {
  text_->clear();
  paragraphs_.clear();
  const QFontMetrics metrics(text_->font());
  QFont bold = text_->font();
  bold.setBold(true);
  const qreal hanging = QFontMetrics(bold).horizontalAdvance(FromUtf8(app::PassLabel(9999))) +
                        2 * metrics.averageCharWidth();
  QTextCursor cursor(text_->document());
  QTextCharFormat label;
  label.setFontWeight(QFont::Bold);
  for (const app::SolutionParagraph& paragraph :
       app::ShownParagraphs(solution_, ShowsAllPasses())) {
    if (!paragraphs_.empty()) cursor.insertBlock();
    const qreal indent = paragraph.pass ? hanging : 0;
    QTextBlockFormat format;
    format.setLeftMargin(indent);
    format.setTextIndent(-indent);
    format.setBottomMargin(metrics.height() / 4.0);
    format.setTabPositions({QTextOption::Tab(indent, QTextOption::LeftTab)});
    cursor.setBlockFormat(format);
    QStringList lines;
    for (const std::string& line : paragraph.lines) lines << FromUtf8(line);
    if (paragraph.pass) {
      cursor.insertText(FromUtf8(app::PassLabel(*paragraph.pass)), label);
      cursor.insertText(QStringLiteral("\t"), QTextCharFormat());
    }
    cursor.insertText(lines.join(QChar::LineSeparator), QTextCharFormat());
    paragraphs_.push_back(paragraph.passes);
  }
  text_->moveCursor(QTextCursor::Start);
  if (highlighted_) HighlightPass(*highlighted_, false);
}

void WorkedSolutionTab::HighlightPass(std::int32_t n, bool scroll) {
  highlighted_ = n;
  QList<QTextEdit::ExtraSelection> selections;
  QTextBlock block = text_->document()->begin();
  for (std::size_t i = 0; i < paragraphs_.size() && block.isValid(); ++i, block = block.next()) {
    if (!paragraphs_[i] || n < paragraphs_[i]->first || n > paragraphs_[i]->second) continue;
    QTextEdit::ExtraSelection selection;
    QColor colour = palette().color(QPalette::Highlight);
    colour.setAlpha(70);
    selection.format.setBackground(colour);
    selection.format.setProperty(QTextFormat::FullWidthSelection, true);
    // The paragraph itself, not the break before it.
    selection.cursor = QTextCursor(block);
    selection.cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    selections << selection;
    if (!scroll) continue;
    text_->setTextCursor(QTextCursor(block));
    text_->ensureCursorVisible();
  }
  text_->setExtraSelections(selections);
}

QString WorkedSolutionTab::HighlightedText() const {
  const QList<QTextEdit::ExtraSelection> selections = text_->extraSelections();
  if (selections.isEmpty()) return QString();
  return selections.front().cursor.block().text();
}

void WorkedSolutionTab::Copy() {
  auto* data = new QMimeData();
  data->setText(FromUtf8(app::SolutionText(solution_, ShowsAllPasses())));
  data->setHtml(FromUtf8(app::SolutionHtml(solution_, ShowsAllPasses())));
  QApplication::clipboard()->setMimeData(data);
}

}  // namespace ui
