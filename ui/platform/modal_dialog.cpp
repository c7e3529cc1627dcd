// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/modal_dialog.h"

#include "ui/platform/nested_loop.h"

namespace ui {

int RunModalDialog(QDialog* dialog, const std::function<void(QDialog&, int)>& read) {
  const QPointer<QDialog> guard = dialog;
  int result = QDialog::Rejected;
  {
    const NestedLoopScope loop;
    result = dialog->exec();
  }
  if (guard.isNull()) return QDialog::Rejected;
  if (read) read(*guard, result);
  delete guard.data();
  return result;
}

}  // namespace ui
