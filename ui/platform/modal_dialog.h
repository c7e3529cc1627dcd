// SPDX-License-Identifier: GPL-3.0-or-later
// A modal dialog of ours, from the file dialog to the error box. It lives on
// the heap: one on the stack would be freed by its parent window if the
// window went first, while the loop still runs. Its loop is marked as one of
// our nested loops (ui/platform/nested_loop.h), so that a window closed
// meanwhile waits for it. Afterwards the dialog is read, if it still exists,
// and deleted.
#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>

namespace ui {

// Runs `dialog` modally and deletes it. `read` is called after the loop
// with the dialog and its result, only where the dialog still exists.
// Returns the result, or QDialog::Rejected where the dialog went with its
// parent.
int RunModalDialog(QDialog* dialog, const std::function<void(QDialog&, int)>& read = nullptr);

// The same with the dialog's own type, for reading what the user chose.
template <typename Dialog>
int RunModalDialog(Dialog* dialog, const std::function<void(Dialog&, int)>& read) {
  return RunModalDialog(static_cast<QDialog*>(dialog), [&read](QDialog& shown, int result) {
    read(static_cast<Dialog&>(shown), result);
  });
}

}  // namespace ui
