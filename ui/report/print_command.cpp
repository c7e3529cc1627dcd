// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/report/print_command.h"

#include <QAction>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

#include "app/safe_file.h"
#include "ui/error_boundary.h"
#include "ui/platform/file_chooser.h"
#include "ui/platform/modal_dialog.h"
#include "ui/platform/nested_loop.h"
#include "ui/report/run_report.h"

namespace ui {

namespace {

// The dialog's own check of a PDF file opens it to see whether it can be
// written, and opening a named pipe waits until another program reads it:
// what is at the name is looked at first, without opening it.
class PrintDialog : public QPrintDialog {
 public:
  using QPrintDialog::QPrintDialog;

  void accept() override {
    Guarded([this] {
      const auto* file = findChild<QLineEdit*>(QStringLiteral("filename"));
      if (file != nullptr && file->isEnabled() && !file->text().isEmpty())
        app::CheckWriteTarget(FileNameBytes(file->text()));
      QPrintDialog::accept();
    });
  }
};

bool RunPrintDialog(QWidget* parent, QPrinter& printer) {
  auto* dialog = new PrintDialog(&printer, parent);
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
  if (!accepted) return;
  // A PDF file is written as every file is, whole or not at all: the
  // printer would open it and write over it page by page.
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
    SaveFile(printer.outputFileName(),
             PdfDocument(printer.docName(), printer.pageLayout(), paint, printer.resolution()));
    return;
  }
  paint(printer);
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
