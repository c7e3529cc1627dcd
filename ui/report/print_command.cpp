// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/report/print_command.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QVBoxLayout>
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

bool RunPrintDialog(QWidget* parent, QPrinter& printer, PrintChoices& choices) {
  auto* dialog = new PrintDialog(&printer, parent);
  dialog->setWindowTitle(QStringLiteral("Печать"));
  QList<QCheckBox*> boxes;
  if (!choices.empty()) {
    // The dialog owns the tab and its boxes, which go with it.
    auto* tab = new QWidget();
    tab->setWindowTitle(QStringLiteral("Отчёт"));
    auto* column = new QVBoxLayout(tab);
    for (const PrintChoice& choice : choices) {
      boxes << new QCheckBox(choice.text);
      boxes.back()->setChecked(choice.checked);
      column->addWidget(boxes.back());
    }
    column->addStretch(1);
    dialog->setOptionTabs({tab});
  }
  // Read while the dialog, which holds the boxes, still exists.
  return RunModalDialog(dialog, [&boxes, &choices](QDialog&, int) {
           for (qsizetype i = 0; i < boxes.size(); ++i)
             choices[static_cast<std::size_t>(i)].checked = boxes[i]->isChecked();
         }) == QDialog::Accepted;
}

PrintDialogRunner& Runner() {
  static PrintDialogRunner runner = RunPrintDialog;
  return runner;
}

}  // namespace

void SetPrintDialogRunner(PrintDialogRunner runner) {
  Runner() = runner ? std::move(runner) : PrintDialogRunner(RunPrintDialog);
}

void SetPrintDialogRunner(std::function<bool(QWidget* parent, QPrinter& printer)> runner) {
  if (!runner) return SetPrintDialogRunner(nullptr);
  SetPrintDialogRunner(PrintDialogRunner(
      [runner = std::move(runner)](QWidget* parent, QPrinter& printer, PrintChoices&) {
        return runner(parent, printer);
      }));
}

void SetPrintDialogRunner(std::nullptr_t) {
  Runner() = RunPrintDialog;
}

void PrintReport(QWidget* parent, const ReportPainter& paint) {
  PrintReport(
      parent, [&paint](const PrintChoices&) { return paint; }, PrintChoices{});
}

void PrintReport(QWidget* parent, const std::function<ReportPainter(const PrintChoices&)>& report,
                 PrintChoices choices) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
  printer.setDocName(QStringLiteral("nonlinear-equations"));
  bool accepted = false;
  {
    // A window closed while the dialog runs stays until the dialog is over.
    const NestedLoopScope loop;
    accepted = Runner()(parent, printer, choices);
  }
  if (!accepted) return;
  const ReportPainter paint = report(choices);
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

QAction* NewPrintAction(QWidget* owner, std::function<ReportPainter(const PrintChoices&)> report,
                        PrintChoices choices) {
  auto* action = new QAction(QStringLiteral("&Печать…"), owner);
  action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  QObject::connect(action, &QAction::triggered, owner,
                   [owner, report = std::move(report), choices = std::move(choices)] {
                     Guarded([&] { PrintReport(owner, report, choices); });
                   });
  return action;
}

}  // namespace ui
