// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/report/print_command.h"

#include <QAction>
#include <QCheckBox>
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

// The most passes at each end of a pass table the "Проходы" tab offers:
// more than a method ever makes.
constexpr int kMostPassesAtEachEnd = 10'000;

// The dialog's own check of a PDF file opens it to see whether it can be
// written, and opening a named pipe waits until another program reads it:
// what is at the name is looked at first, without opening it. Its
// "Проходы" tab limits the pass tables to their first and last passes, and
// for a report that can hold it, its "Отчёт" tab adds the worked solution.
class PrintDialog : public QPrintDialog {
 public:
  PrintDialog(QPrinter* printer, QWidget* parent, const ReportOptions& options)
      : QPrintDialog(printer, parent), options_(options) {
    auto* tab = new QWidget();
    tab->setWindowTitle(QStringLiteral("Проходы"));
    passes_ = new QSpinBox(tab);
    passes_->setObjectName(QStringLiteral("passesAtEachEnd"));
    passes_->setRange(0, kMostPassesAtEachEnd);
    passes_->setSpecialValueText(QStringLiteral("все"));
    passes_->setValue(options.passes_at_each_end);
    auto* form = new QFormLayout(tab);
    form->addRow(QStringLiteral("Проходов в начале и в конце таблицы:"), passes_);
    auto* note = new QLabel(
        QStringLiteral("Между ними — строка «…». «все» печатает таблицу проходов целиком."), tab);
    note->setWordWrap(true);
    form->addRow(note);
    QList<QWidget*> tabs{tab};
    if (options.offers_steps) {
      auto* report = new QWidget();
      report->setWindowTitle(QStringLiteral("Отчёт"));
      steps_ = new QCheckBox(QStringLiteral("Решение по &шагам (вкладка «Решение»)"), report);
      steps_->setObjectName(QStringLiteral("stepsInReport"));
      steps_->setChecked(options.steps.print);
      auto* column = new QVBoxLayout(report);
      column->addWidget(steps_);
      column->addStretch(1);
      tabs << report;
    }
    setOptionTabs(tabs);
  }

  ReportOptions Options() const {
    ReportOptions chosen = options_;
    chosen.passes_at_each_end = passes_->value();
    if (steps_ != nullptr) chosen.steps.print = steps_->isChecked();
    return chosen;
  }

  void accept() override {
    Guarded([this] {
      const auto* file = findChild<QLineEdit*>(QStringLiteral("filename"));
      if (file != nullptr && file->isEnabled() && !file->text().isEmpty())
        app::CheckWriteTarget(FileNameBytes(file->text()));
      QPrintDialog::accept();
    });
  }

 private:
  ReportOptions options_;
  QSpinBox* passes_ = nullptr;
  QCheckBox* steps_ = nullptr;
};

bool RunPrintDialog(QWidget* parent, QPrinter& printer, ReportOptions& options) {
  auto* dialog = new PrintDialog(&printer, parent, options);
  dialog->setWindowTitle(QStringLiteral("Печать"));
  // Read while the dialog, which holds the controls, still exists.
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

void PrintReport(QWidget* parent, const ReportPainter& paint, ReportOptions options) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
  printer.setDocName(QStringLiteral("nonlinear-equations"));
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

QAction* NewPrintAction(QWidget* owner, std::function<ReportPainter()> report,
                        ReportOptions options) {
  auto* action = new QAction(QStringLiteral("&Печать…"), owner);
  action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  QObject::connect(action, &QAction::triggered, owner,
                   [owner, report = std::move(report), options] {
                     Guarded([&] { PrintReport(owner, report(), options); });
                   });
  return action;
}

}  // namespace ui
