// SPDX-License-Identifier: GPL-3.0-or-later
// Printing a report from a window: the print dialog, whose printers include
// a PDF file, then the report on the chosen printer.
#pragma once

#include <QString>
#include <cstddef>
#include <functional>
#include <vector>

class QAction;
class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace ui {

using ReportPainter = std::function<void(QPagedPaintDevice&)>;

// What the report holds beside the printer: a check box each, on a tab of
// the print dialog of its own ("Отчёт").
struct PrintChoice {
  QString text;
  bool checked = false;
};
using PrintChoices = std::vector<PrintChoice>;

// Asks for a printer with the print dialog over `parent` and prints the
// report on it; nothing when the user cancels.
void PrintReport(QWidget* parent, const ReportPainter& paint);
// The same with choices: the report is the one `report` gives for the
// choices as the user left them.
void PrintReport(QWidget* parent, const std::function<ReportPainter(const PrintChoices&)>& report,
                 PrintChoices choices);

// What shows the print dialog: the dialog, or a stand-in in tests, which
// sets up the printer (a PDF file), sets the choices and accepts or cancels.
using PrintDialogRunner =
    std::function<bool(QWidget* parent, QPrinter& printer, PrintChoices& choices)>;
void SetPrintDialogRunner(PrintDialogRunner runner);
// A stand-in that leaves the choices as they are.
void SetPrintDialogRunner(std::function<bool(QWidget* parent, QPrinter& printer)> runner);
// The print dialog again.
void SetPrintDialogRunner(std::nullptr_t);

// "Печать…" with Ctrl+P on `owner`; the report it prints comes from
// `report` when triggered. Errors are reported, never passed to the toolkit.
QAction* NewPrintAction(QWidget* owner, std::function<ReportPainter()> report);
// The same with choices in the dialog, `choices` as it first shows them.
QAction* NewPrintAction(QWidget* owner, std::function<ReportPainter(const PrintChoices&)> report,
                        PrintChoices choices);

}  // namespace ui
