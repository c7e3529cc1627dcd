// SPDX-License-Identifier: GPL-3.0-or-later
// Printing a report from a window: the print dialog, whose printers include
// a PDF file and whose "Проходы" tab limits long pass tables, then Qt's
// print preview of exactly those pages, then the report on the chosen
// printer.
#pragma once

#include <functional>

#include "ui/report/run_report.h"

class QAction;
class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace ui {

using ReportPainter = std::function<void(QPagedPaintDevice&, const ReportOptions&)>;

// Asks for a printer with the print dialog over `parent`, shows the pages
// in the preview and prints the report when the preview's "Печать" is
// pressed; nothing when the user cancels either. The dialog starts from
// `options`, which also say what it offers.
void PrintReport(QWidget* parent, const ReportPainter& paint, ReportOptions options = {});

// What shows the print dialog: the dialog, or a stand-in in tests, which
// sets up the printer (a PDF file) and the options and accepts or cancels.
using PrintDialogRunner =
    std::function<bool(QWidget* parent, QPrinter& printer, ReportOptions& options)>;
// An empty runner: the print dialog again.
void SetPrintDialogRunner(PrintDialogRunner runner);

// What shows the preview of the pages `paint` paints on `printer`: Qt's
// preview dialog, or a stand-in in tests. True to print.
using PrintPreviewRunner =
    std::function<bool(QWidget* parent, QPrinter& printer, const PagePainter& paint)>;
void SetPrintPreviewRunner(PrintPreviewRunner runner);

// "Печать…" with Ctrl+P on `owner`; the report it prints comes from
// `report` when triggered, and the dialog starts from `options`. Errors are
// reported, never passed to the toolkit.
QAction* NewPrintAction(QWidget* owner, std::function<ReportPainter()> report,
                        ReportOptions options = {});

}  // namespace ui
