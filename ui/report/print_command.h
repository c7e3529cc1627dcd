// SPDX-License-Identifier: GPL-3.0-or-later
// Printing a report from a window: the print dialog, whose printers include
// a PDF file, then the report on the chosen printer.
#pragma once

#include <functional>

class QAction;
class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace ui {

using ReportPainter = std::function<void(QPagedPaintDevice&)>;

// Asks for a printer with the print dialog over `parent` and prints the
// report on it; nothing when the user cancels.
void PrintReport(QWidget* parent, const ReportPainter& paint);

// What shows the print dialog: the dialog, or a stand-in in tests, which
// sets up the printer (a PDF file) and accepts or cancels.
using PrintDialogRunner = std::function<bool(QWidget* parent, QPrinter& printer)>;
void SetPrintDialogRunner(PrintDialogRunner runner);

// "Печать…" with Ctrl+P on `owner`; the report it prints comes from
// `report` when triggered. Errors are reported, never passed to the toolkit.
QAction* NewPrintAction(QWidget* owner, std::function<ReportPainter()> report);

}  // namespace ui
