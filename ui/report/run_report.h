// SPDX-License-Identifier: GPL-3.0-or-later
// Printed reports of a comparison: the main window's (inputs, f(x), results
// table, status text and the convergence plot) and a detail window's (its
// method's result, plots and pass table). They paint on any paged device: a
// printer from the print dialog, or a PDF file.
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

struct RunReport {
  std::shared_ptr<const app::RunRecord> run;    // null before the first run
  std::vector<std::vector<std::string>> table;  // the results table, header row first
  std::string status;
  // With every method's section after the main one (the command line's
  // --history).
  bool with_methods = false;
};

// Pages the report fills: the whole document, painted from page 1.
void PaintRunReport(QPagedPaintDevice& device, const RunReport& report);
void PaintMethodReport(QPagedPaintDevice& device, const app::RunRecord& run, std::uint8_t method);

// Rows of a pass table on one page, the header repeated above them.
inline constexpr int kPassRowsPerPage = 45;

// Writes an A4 PDF through `paint`; raises EFOpenError when the file cannot
// be written.
void WritePdf(const QString& path, const QString& title,
              const std::function<void(QPagedPaintDevice&)>& paint,
              QPageLayout::Orientation orientation = QPageLayout::Portrait);

}  // namespace ui
