// SPDX-License-Identifier: GPL-3.0-or-later
// Event loops that run nested inside a handler of ours: a modal dialog's, the
// file dialog's, the error box's. A window that deletes itself on close must
// not go while one of them runs: the frames beneath the loop still use the
// window (the handler that opened the dialog, a button in mid-click), and Qt
// performs a deferred delete that was posted inside a nested loop in that
// same loop. So a window closed meanwhile is hidden at once and deleted once
// the last of those loops has ended. Menus run no loop of their own here
// (ui/platform/context_menu.h), and so do not count.
#pragma once

class QObject;

namespace ui {

// Marks a nested event loop of ours for its lifetime.
class NestedLoopScope {
 public:
  NestedLoopScope();
  ~NestedLoopScope();
  NestedLoopScope(const NestedLoopScope&) = delete;
  NestedLoopScope& operator=(const NestedLoopScope&) = delete;
};

// Whether a nested loop of ours runs.
bool NestedLoopRuns();

// Deletes `object` when control is back in the event loop: deleteLater() now,
// or, while a nested loop of ours runs, once the last of them has ended.
void DeleteOnceLoopsEnd(QObject* object);

}  // namespace ui
