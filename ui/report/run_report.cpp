// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/report/run_report.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPalette>
#include <QPdfWriter>
#include <QtCharts/QChart>

#include "app/convergence_series.h"
#include "app/error_report.h"
#include "app/function_texts.h"
#include "app/method_analysis.h"
#include "app/method_geometry.h"
#include "app/method_report.h"
#include "app/method_summary.h"
#include "app/number_text.h"
#include "app/pass_table.h"
#include "app/run_verdict.h"
#include "app/worked_solution.h"
#include "core/method_table.h"
#include "ui/charts/convergence_chart.h"
#include "ui/charts/function_chart.h"
#include "ui/platform/file_chooser.h"
#include "ui/report/page_layout.h"
#include "ui/widgets/utf8_text.h"

namespace ui {

namespace {

constexpr double kConvergenceShare = 0.36;
// A method's plot of f: in its own report beside the convergence plot, in
// the run's report alone and lower, so that methods share pages.
constexpr double kFunctionShare = 0.3;
constexpr double kSharedFunctionShare = 0.26;
constexpr double kMarginMillimetres = 15;

// Paper is white whatever the screen's palette: the plots are drawn in a
// light palette of their own.
QPalette PaperPalette() {
  QPalette palette;
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::Window, Qt::white);
  palette.setColor(QPalette::Text, Qt::black);
  palette.setColor(QPalette::WindowText, Qt::black);
  palette.setColor(QPalette::Mid, QColor(0x80, 0x80, 0x80));
  palette.setColor(QPalette::Midlight, QColor(0xD8, 0xD8, 0xD8));
  return palette;
}

QString InputsParagraph(const app::RunRecord& run) {
  const std::string function = app::FunctionText(run);
  return FromUtf8(app::InputsText(run) + (function.empty() ? "" : "\n" + function));
}

// The running header: what was solved, on what, how precisely.
QString RunTitle(const app::RunRecord* run) {
  if (run == nullptr) return QStringLiteral("Решение нелинейных уравнений");
  const std::string function = app::FunctionText(*run);
  return FromUtf8((function.empty() ? run->equation_text : function) +
                  "; k = " + app::FormatReal(run->k) + ", l = " + app::FormatReal(run->l) + "; [" +
                  run->start_text + "; " + run->end_text + "], точность " + run->precision_text);
}

// The run's methods' errors (or steps, where no reference root is trusted).
QChart* ConvergenceChart(const app::RunRecord& run, const app::RunAnalyses& analyses) {
  const core::PerMethod<app::StepSeries> series = app::RunConvergence(run, analyses, false);
  return NewConvergenceChart(series, app::ConvergenceExtentOf(series), PaperPalette(), analyses,
                             run.method_set);
}

// The worked solution, a paragraph a pass, and the note under it.
void StepsSection(PageLayout& layout, const app::RunRecord& run,
                  const app::MethodAnalysis& analysis, std::uint8_t method, bool all_passes) {
  const app::WorkedSolution solution = app::WriteSolution(run, method, analysis.verdict);
  layout.Heading(QStringLiteral("Решение по шагам: ") + FromUtf8(core::EntryOf(method).name));
  const app::WrittenPass* last = solution.passes.empty() ? nullptr : &solution.passes.back();
  const QString widest = FromUtf8(app::PassLabel(last != nullptr ? last->n : 0));
  for (const app::SolutionParagraph& paragraph : app::ShownParagraphs(solution, all_passes)) {
    QStringList lines;
    for (const std::string& line : paragraph.lines) lines << FromUtf8(line);
    if (paragraph.pass) {
      layout.HangingParagraph(FromUtf8(app::PassLabel(*paragraph.pass)), lines.join('\n'), widest);
    } else {
      layout.Paragraph(lines.join('\n'));
    }
  }
  layout.Paragraph(FromUtf8(solution.note));
}

// The pass table with every number as the detail window's copy has it, or
// shortened as its columns show it where the page is too narrow for that.
void PassTable(PageLayout& layout, const core::MethodHistory& history,
               const app::MethodAnalysis& analysis, const ReportOptions& options,
               const QString& name) {
  const app::PassTable table(history, &analysis.measures);
  std::vector<std::vector<std::string>> lines = table.EndLines(options.passes_at_each_end, false);
  if (!layout.FitsTheWidth(lines)) lines = table.EndLines(options.passes_at_each_end, true);
  layout.Table(lines, QStringLiteral("Таблица проходов: ") + name);
}

// A method's section. Alone, it says what was solved and shows the
// convergence of every method too; in the run's report the first page has
// both already.
void MethodSection(PageLayout& layout, const app::RunRecord& run, const app::RunAnalyses& analyses,
                   std::uint8_t method, const ReportOptions& options, bool alone) {
  const QString name = FromUtf8(core::EntryOf(method).name);
  const app::MethodAnalysis& analysis = core::ForMethod(analyses, method);
  const app::MethodSummary summary = app::Summarize(run, method, analysis);
  layout.Section(name);
  layout.Heading(FromUtf8(summary.heading));
  if (alone) layout.Paragraph(InputsParagraph(run));
  layout.Paragraph(FromUtf8(summary.verdict));
  layout.Paragraph(FromUtf8(summary.result));
  layout.Paragraph(FromUtf8(summary.counts));
  if (summary.sign_warning) layout.Paragraph(FromUtf8(*summary.sign_warning));
  layout.Paragraph(FromUtf8(summary.order));
  layout.Chart(NewFunctionChart(
                   app::BuildFunctionPlot(run, method, app::FoundRoot(analysis.verdict.outcome)),
                   method, PaperPalette()),
               alone ? kFunctionShare : kSharedFunctionShare);
  if (alone) layout.Chart(ConvergenceChart(run, analyses), kFunctionShare);
  if (options.steps.print) StepsSection(layout, run, analysis, method, options.steps.all_passes);
  PassTable(layout, run.History(method), analysis, options, name);
}

}  // namespace

void PaintRunReport(QPagedPaintDevice& device, const RunReport& report) {
  const app::RunRecord* run = report.run.get();
  const app::RunAnalyses analyses = run != nullptr ? app::AnalyseRun(*run) : app::RunAnalyses{};
  PaintPages(device, RunTitle(run), [&](PageLayout& layout) {
    layout.Section(QStringLiteral("Сравнение методов"));
    layout.Heading(QStringLiteral("Решение нелинейных уравнений"));
    layout.Paragraph(run != nullptr ? InputsParagraph(*run)
                                    : QStringLiteral("Уравнение ещё не вычислялось."));
    layout.Table(report.table);
    layout.Paragraph(FromUtf8(report.status));
    if (run == nullptr) return;
    // A run that ended in an error has no status text; the error box said why.
    for (const core::Method method : run->method_set) {
      const core::MethodHistory& history = run->History(method);
      if (history.error) {
        layout.Paragraph(QStringLiteral("Расчёт прерван ошибкой: ") +
                         FromUtf8(app::ReportText(*history.error)));
      }
    }
    layout.Chart(ConvergenceChart(*run, analyses), kConvergenceShare);
    if (!report.with_methods) return;
    for (const core::Method method : run->method_set) {
      if (!run->History(method).ran) continue;
      MethodSection(layout, *run, analyses, method, report.options, false);
    }
  });
}

void PaintMethodReport(QPagedPaintDevice& device, const app::RunRecord& run, std::uint8_t method,
                       const ReportOptions& options) {
  const app::RunAnalyses analyses = app::AnalyseRun(run);
  PaintPages(device, RunTitle(&run), [&](PageLayout& layout) {
    MethodSection(layout, run, analyses, method, options, true);
  });
}

QPageLayout ReportPageLayout(QPageLayout::Orientation orientation) {
  return QPageLayout(
      QPageSize(QPageSize::A4), orientation,
      QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
      QPageLayout::Millimeter);
}

QByteArray PdfDocument(const QString& title, const QPageLayout& layout, const PagePainter& paint,
                       int resolution) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("nonlinear-equations"));
    writer.setResolution(resolution);
    writer.setPageLayout(layout);
    paint(writer);
  }
  return buffer.data();
}

void WritePdf(const QString& path, const QString& title, const PagePainter& paint,
              QPageLayout::Orientation orientation) {
  SaveFile(path, PdfDocument(title, ReportPageLayout(orientation), paint));
}

}  // namespace ui
