// SPDX-License-Identifier: GPL-3.0-or-later
// Printed reports of a comparison: the main window's (inputs, f(x), results
// table, status text and the convergence plot) and a detail window's (its
// method's result, plots and pass table). They paint on any paged device: a
// printer from the print dialog, or a PDF file. Every page is headed by the
// equation and the methods on it and numbered; methods follow each other on
// a page where there is room.
#pragma once

#include <QPageLayout>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/comparison_run.h"

class QPagedPaintDevice;

namespace ui {

// Whether a method's section prints the worked solution, and whether with
// every pass or, for a long one, the first and the last.
struct StepsInReport {
  bool print = false;
  bool all_passes = false;
};

// What the user chose for a printed report.
struct ReportOptions {
  // The passes printed at each end of a pass table, with a row of "…"
  // between them; 0: every pass.
  int passes_at_each_end = 0;
  // Whether the print dialog offers the worked solution: a method's report
  // can hold it, the main window's cannot.
  bool offers_steps = false;
  StepsInReport steps{};
};

struct RunReport {
  std::shared_ptr<const app::RunRecord> run;    // null before the first run
  std::vector<std::vector<std::string>> table;  // the results table, header row first
  std::string status;
  // With every method's section after the main one (the command line's
  // --history and --steps).
  bool with_methods = false;
  ReportOptions options = {};
};

// Pages the report fills: the whole document, painted from page 1.
void PaintRunReport(QPagedPaintDevice& device, const RunReport& report);
void PaintMethodReport(QPagedPaintDevice& device, const app::RunRecord& run, std::uint8_t method,
                       const ReportOptions& options = {});

using PagePainter = std::function<void(QPagedPaintDevice&)>;

// The reports' page: A4 with margins of 15 mm.
QPageLayout ReportPageLayout(QPageLayout::Orientation orientation = QPageLayout::Portrait);

// A PDF document painted by `paint`, in memory, so that its file is written
// whole or not at all.
QByteArray PdfDocument(const QString& title, const QPageLayout& layout, const PagePainter& paint,
                       int resolution = 1200);

// Writes an A4 PDF through `paint` (SaveFile); raises EFOpenError when the
// file cannot be written.
void WritePdf(const QString& path, const QString& title, const PagePainter& paint,
              QPageLayout::Orientation orientation = QPageLayout::Portrait);

}  // namespace ui
