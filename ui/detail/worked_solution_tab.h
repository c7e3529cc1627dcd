// SPDX-License-Identifier: GPL-3.0-or-later
// The "Решение" tab of a detail window: the method's run written out pass
// by pass (app/worked_solution.h), one paragraph a pass with a hanging
// indent, selectable; "Копировать решение" puts it on the clipboard as plain
// text with Unicode subscripts and as HTML for word processors. A long run
// shows its first and last passes until "Показать все проходы" is ticked.
// The replay highlights the paragraph of its pass (or the line that stands
// for hidden passes). The note on the rounded numbers stands once, under it.
#pragma once

#include <QWidget>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "app/worked_solution.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTextEdit;

namespace ui {

class WorkedSolutionTab : public QWidget {
  Q_OBJECT

 public:
  explicit WorkedSolutionTab(app::WorkedSolution solution, QWidget* parent = nullptr);

  const app::WorkedSolution& Solution() const { return solution_; }
  bool ShowsAllPasses() const;
  void ShowAllPasses(bool all);

  // Highlights the paragraph of pass n, and with `scroll` scrolls to it.
  void HighlightPass(std::int32_t n, bool scroll = true);
  // The highlighted paragraph's text; empty when none is.
  QString HighlightedText() const;

  // The solution as shown, with its note, on the clipboard as plain text
  // and as HTML.
  void Copy();

  QTextEdit* Text() const { return text_; }

 private:
  void Fill();

  app::WorkedSolution solution_;
  QTextEdit* text_ = nullptr;
  QCheckBox* all_ = nullptr;
  QPushButton* copy_ = nullptr;
  QLabel* note_ = nullptr;
  // The passes each paragraph stands for, first and last; none for the
  // heading and the ending.
  std::vector<std::optional<std::pair<std::int32_t, std::int32_t>>> paragraphs_;
  std::optional<std::int32_t> highlighted_;
};

}  // namespace ui
