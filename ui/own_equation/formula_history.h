// SPDX-License-Identifier: GPL-3.0-or-later
// What the typed-equation window remembers between sessions, as graphing
// calculators do: the last formulas solved, each with the inputs it was
// solved with, and the window's last inputs. Kept in the program's settings
// file (ui/platform/settings.h).
#pragma once

#include <QList>
#include <QString>

namespace ui {

// The window's inputs as typed.
struct TypedInputs {
  QString formula;
  QString start;
  QString precision;
  QString end;
  QString k;
  QString l;

  friend bool operator==(const TypedInputs&, const TypedInputs&) = default;
};

inline constexpr qsizetype kHistoryLength = 20;

// The formulas solved, the latest first, at most kHistoryLength, no formula
// twice.
QList<TypedInputs> SolvedFormulas();
// Puts `inputs` first, dropping an older entry of the same formula and the
// oldest beyond kHistoryLength.
void RememberSolved(const TypedInputs& inputs);

// The inputs the window had when it was last closed (or the program ended);
// all empty before the first time.
TypedInputs LastInputs();
void KeepLastInputs(const TypedInputs& inputs);

}  // namespace ui
