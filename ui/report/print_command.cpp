// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/report/print_command.h"

#include <QAction>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

#include "ui/error_boundary.h"
#include "ui/platform/modal_dialog.h"
#include "ui/platform/nested_loop.h"

namespace ui {

namespace {

bool RunPrintDialog(QWidget* parent, QPrinter& printer) {
  auto* dialog = new QPrintDialog(&printer, parent);
  dialog->setWindowTitle(QStringLiteral("Печать"));
  return RunModalDialog(dialog) == QDialog::Accepted;
}

PrintDialogRunner& Runner() {
  static PrintDialogRunner runner = RunPrintDialog;
  return runner;
}

}  // namespace

void SetPrintDialogRunner(PrintDialogRunner runner) {
  Runner() = runner ? std::move(runner) : PrintDialogRunner(RunPrintDialog);
}

void PrintReport(QWidget* parent, const ReportPainter& paint) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
  printer.setDocName(QStringLiteral("nonlinear-equations"));
  bool accepted = false;
  {
    // A window closed while the dialog runs stays until the dialog is over.
    const NestedLoopScope loop;
    accepted = Runner()(parent, printer);
  }
  if (accepted) paint(printer);
}

QAction* NewPrintAction(QWidget* owner, std::function<ReportPainter()> report) {
  auto* action = new QAction(QStringLiteral("&Печать…"), owner);
  action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  QObject::connect(action, &QAction::triggered, owner, [owner, report = std::move(report)] {
    Guarded([&] { PrintReport(owner, report()); });
  });
  return action;
}

}  // namespace ui
