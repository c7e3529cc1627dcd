// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/report/print_command.h"

#include <QAction>
#include <QCoreApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QWidget>

#include "app/safe_file.h"
#include "ui/error_boundary.h"
#include "ui/platform/file_chooser.h"
#include "ui/platform/modal_dialog.h"
#include "ui/platform/nested_loop.h"
#include "ui/report/run_report.h"

namespace ui {

namespace {

// The most passes at each end of a pass table the "Проходы" tab offers:
// more than a method ever makes.
constexpr int kMostPassesAtEachEnd = 10'000;

// The dialog's own check of a PDF file opens it to see whether it can be
// written, and opening a named pipe waits until another program reads it:
// what is at the name is looked at first, without opening it. Its
// "Проходы" tab limits the pass tables to their first and last passes.
class PrintDialog : public QPrintDialog {
 public:
  PrintDialog(QPrinter* printer, QWidget* parent) : QPrintDialog(printer, parent) {
    auto* tab = new QWidget();
    tab->setWindowTitle(QStringLiteral("Проходы"));
    passes_ = new QSpinBox(tab);
    passes_->setObjectName(QStringLiteral("passesAtEachEnd"));
    passes_->setRange(0, kMostPassesAtEachEnd);
    passes_->setSpecialValueText(QStringLiteral("все"));
    auto* form = new QFormLayout(tab);
    form->addRow(QStringLiteral("Проходов в начале и в конце таблицы:"), passes_);
    auto* note = new QLabel(
        QStringLiteral("Между ними — строка «…». «все» печатает таблицу проходов целиком."), tab);
    note->setWordWrap(true);
    form->addRow(note);
    setOptionTabs({tab});
  }

  ReportOptions Options() const { return {passes_->value()}; }

  void accept() override {
    Guarded([this] {
      const auto* file = findChild<QLineEdit*>(QStringLiteral("filename"));
      if (file != nullptr && file->isEnabled() && !file->text().isEmpty())
        app::CheckWriteTarget(FileNameBytes(file->text()));
      QPrintDialog::accept();
    });
  }

 private:
  QSpinBox* passes_ = nullptr;
};

bool RunPrintDialog(QWidget* parent, QPrinter& printer, ReportOptions& options) {
  auto* dialog = new PrintDialog(&printer, parent);
  dialog->setWindowTitle(QStringLiteral("Печать"));
  return RunModalDialog<PrintDialog>(dialog, [&options](PrintDialog& shown, int result) {
           if (result == QDialog::Accepted) options = shown.Options();
         }) == QDialog::Accepted;
}

bool RunPrintPreview(QWidget* parent, QPrinter& printer, const PagePainter& paint) {
  auto* dialog = new QPrintPreviewDialog(&printer, parent);
  QObject::connect(dialog, &QPrintPreviewDialog::paintRequested, dialog,
                   [&paint](QPrinter* pages) { Guarded([&] { paint(*pages); }); });
  // The preview's own "Печать" would ask for a printer again and print
  // past the file writer: here it only ends the preview, to print.
  const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
  for (QAction* action : dialog->findChildren<QAction*>()) {
    if (action->text() != print) continue;
    QObject::disconnect(action, nullptr, dialog, nullptr);
    QObject::connect(action, &QAction::triggered, dialog, &QDialog::accept);
  }
  return RunModalDialog(dialog) == QDialog::Accepted;
}

PrintDialogRunner& DialogRunner() {
  static PrintDialogRunner runner = RunPrintDialog;
  return runner;
}

PrintPreviewRunner& PreviewRunner() {
  static PrintPreviewRunner runner = RunPrintPreview;
  return runner;
}

}  // namespace

void SetPrintDialogRunner(PrintDialogRunner runner) {
  DialogRunner() = runner ? std::move(runner) : PrintDialogRunner(RunPrintDialog);
}

void SetPrintPreviewRunner(PrintPreviewRunner runner) {
  PreviewRunner() = runner ? std::move(runner) : PrintPreviewRunner(RunPrintPreview);
}

void PrintReport(QWidget* parent, const ReportPainter& paint) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
  printer.setDocName(QStringLiteral("nonlinear-equations"));
  ReportOptions options;
  {
    // A window closed while a dialog runs stays until the dialog is over.
    const NestedLoopScope loop;
    if (!DialogRunner()(parent, printer, options)) return;
  }
  const PagePainter pages = [&](QPagedPaintDevice& device) { paint(device, options); };
  {
    const NestedLoopScope loop;
    if (!PreviewRunner()(parent, printer, pages)) return;
  }
  // A PDF file is written as every file is, whole or not at all: the
  // printer would open it and write over it page by page.
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
    SaveFile(printer.outputFileName(),
             PdfDocument(printer.docName(), printer.pageLayout(), pages, printer.resolution()));
    return;
  }
  pages(printer);
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
