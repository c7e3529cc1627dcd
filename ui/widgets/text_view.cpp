// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/text_view.h"

#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace ui {

namespace {

// The user state of a block that goes on with the line of the block before.
constexpr int kContinuesLine = 1;

constexpr QChar kFirstStrongIsolate(0x2068);
constexpr QChar kPopDirectionalIsolate(0x2069);

bool IsBlank(QChar c) {
  return c == u' ' || c == u'\t';
}

// Where the piece of a long line that starts at `from` ends: after the last
// blank of its second half, so that the cut falls where word wrap could break
// the line anyway; otherwise at the longest length that splits no character.
qsizetype CutPoint(QStringView text, qsizetype from) {
  const qsizetype limit = from + kMaxBlockLength;
  for (qsizetype end = limit; end > from + kMaxBlockLength / 2; --end) {
    if (IsBlank(text[end - 1])) return end;
  }
  return text[limit - 1].isHighSurrogate() ? limit - 1 : limit;
}

// A block's characters as the editor holds them: its line breaks become line
// separators, which break the line inside the block as a new block would.
QString BlockText(QStringView text, const TextBlock& block, IsolatedPart isolated) {
  QString shown = text.sliced(block.begin, block.end - block.begin).toString();
  shown.replace(u'\n', QChar::LineSeparator);
  const IsolatedPart here{std::clamp(isolated.begin, block.begin, block.end) - block.begin,
                          std::clamp(isolated.end, block.begin, block.end) - block.begin};
  return here.begin < here.end ? WithIsolatedPart(shown, here) : shown;
}

}  // namespace

std::vector<TextBlock> DivideIntoBlocks(QStringView text) {
  const qsizetype lines = text.count(u'\n') + 1;
  const qsizetype lines_per_block = (lines + kMaxBlockCount - 1) / kMaxBlockCount;
  std::vector<TextBlock> blocks;
  TextBlock open;  // the block being filled, from open.begin on
  qsizetype lines_in_open = 0;
  for (qsizetype line_begin = 0;;) {
    // A plain search: a library call per line costs more than the line.
    const qsizetype line_end =
        std::find(text.begin() + line_begin, text.end(), QChar(u'\n')) - text.begin();
    // The line break before this line ends a block that is full.
    if (lines_in_open > 0 &&
        (lines_in_open == lines_per_block || line_end - open.begin > kMaxBlockLength)) {
      open.end = line_begin - 1;
      blocks.push_back(open);
      open = {line_begin, 0, false};
      lines_in_open = 0;
    }
    while (line_end - open.begin > kMaxBlockLength) {
      open.end = CutPoint(text, open.begin);
      blocks.push_back(open);
      open = {open.end, 0, true};
    }
    ++lines_in_open;
    if (line_end == text.size()) break;
    line_begin = line_end + 1;
  }
  open.end = text.size();
  blocks.push_back(open);
  return blocks;
}

QString WithIsolatedPart(QStringView text, IsolatedPart part) {
  if (part.begin >= part.end) return text.toString();
  QString isolated;
  isolated.reserve(text.size() + 2);
  isolated.append(text.first(part.begin));
  isolated.append(kFirstStrongIsolate);
  isolated.append(text.sliced(part.begin, part.end - part.begin));
  isolated.append(kPopDirectionalIsolate);
  isolated.append(text.sliced(part.end));
  return isolated;
}

TextView::TextView(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  // A read-only view has nothing to undo; the stack would hold a copy of
  // every text ever shown.
  setUndoRedoEnabled(false);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

void TextView::SetText(QStringView text, IsolatedPart isolated) {
  const std::vector<TextBlock> blocks = DivideIntoBlocks(text);
  setPlainText(QString());
  QTextCursor cursor(document());
  // One edit: the layout hears of the change once, not once a block.
  cursor.beginEditBlock();
  for (std::size_t index = 0; index < blocks.size(); ++index) {
    if (index > 0) cursor.insertBlock();
    cursor.insertText(BlockText(text, blocks[index], isolated));
    if (blocks[index].continues_line) cursor.block().setUserState(kContinuesLine);
  }
  cursor.endEditBlock();
  moveCursor(QTextCursor::Start);
  verticalScrollBar()->setValue(0);
}

bool TextView::Shows(QStringView text) const {
  const std::vector<TextBlock> blocks = DivideIntoBlocks(text);
  if (document()->blockCount() != static_cast<int>(blocks.size())) return false;
  QTextBlock shown = document()->begin();
  for (const TextBlock& block : blocks) {
    if ((shown.userState() == kContinuesLine) != block.continues_line ||
        shown.text() != BlockText(text, block, {}))
      return false;
    shown = shown.next();
  }
  return true;
}

QMimeData* TextView::createMimeDataFromSelection() const {
  // A break between two blocks is a line break unless it is a cut.
  const int from = textCursor().selectionStart();
  const int to = textCursor().selectionEnd();
  QString text;
  for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() <= to;
       block = block.next()) {
    const int begin = block.position();
    if (begin > from && block.userState() != kContinuesLine) text += u'\n';
    const int first = std::max(from, begin) - begin;
    const int last = std::min(to, begin + block.length() - 1) - begin;
    if (last > first) text += block.text().mid(first, last - first);
  }
  text.replace(QChar::LineSeparator, u'\n');
  auto* data = new QMimeData;
  data->setText(text);
  return data;
}

}  // namespace ui
