// SPDX-License-Identifier: GPL-3.0-or-later
// A read-only, word-wrapped plain text view whose cost follows what is on the
// screen, not the shape of the text. A QPlainTextEdit lays out one paragraph
// whole (a line of megabytes without a blank takes minutes and gigabytes) and
// keeps a block per line (millions of line breaks take gigabytes). This view
// gives the editor blocks of bounded length and bounded number: consecutive
// lines share a block, joined by line separators, once the text has too many
// lines for one block each, and a line too long for one block is cut into
// pieces. A cut ends a visual line where word wrap might not have, the one
// difference on the screen; copying joins the pieces again. The help window
// shows help.txt in this view, and the error box a message too long for its
// label.
#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <QStringView>
#include <vector>

namespace ui {

// One block of the view: the text from `begin` up to `end` (its line breaks
// shown as line separators), and whether it goes on with a line that an
// earlier block began.
struct TextBlock {
  qsizetype begin = 0;
  qsizetype end = 0;
  bool continues_line = false;
};

// The most characters in a block, and the most blocks that lines of their own
// may make; a text of more lines puts several lines in each block.
inline constexpr qsizetype kMaxBlockLength = 4096;
inline constexpr qsizetype kMaxBlockCount = 16384;

// How the view divides `text` ("\n" between lines) into blocks. Every line
// begins a block of its own while the text has at most kMaxBlockCount lines,
// as in an ordinary editor; a longer text has as many whole lines in each
// block as that count requires. No block is longer than kMaxBlockLength: a
// longer line is cut after a blank in the second half of a piece where there
// is one, elsewhere between two characters (never inside a surrogate pair).
std::vector<TextBlock> DivideIntoBlocks(QStringView text);

// The characters [begin, end) of a text that is shown in a box kept apart
// from the rest: between a first-strong isolate and its pop, so that
// direction marks inside cannot reach beyond it.
struct IsolatedPart {
  qsizetype begin = 0;
  qsizetype end = 0;
};

// `text` with its part [part.begin, part.end) isolated; unchanged when the
// part is empty.
QString WithIsolatedPart(QStringView text, IsolatedPart part);

class TextView : public QPlainTextEdit {
 public:
  explicit TextView(QWidget* parent = nullptr);

  // Replaces the whole text ("\n" between lines) and shows it from the top,
  // with no selection. An isolated part stays isolated in every block it
  // reaches.
  void SetText(QStringView text, IsolatedPart isolated = {});
  // Whether the view shows exactly `text` as SetText(text) would.
  bool Shows(QStringView text) const;

 protected:
  // Copies the selection as the text had it: line separators as line breaks,
  // and the cuts of long lines joined again.
  QMimeData* createMimeDataFromSelection() const override;
};

}  // namespace ui
