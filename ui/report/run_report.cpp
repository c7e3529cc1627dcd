// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/report/run_report.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPalette>
#include <QPdfWriter>
#include <QtCharts/QChart>

#include "app/error_report.h"
#include "app/function_plot.h"
#include "app/method_analysis.h"
#include "app/method_report.h"
#include "app/number_text.h"
#include "app/pass_table.h"
#include "app/run_verdict.h"
#include "app/table_window.h"
#include "core/equations.h"
#include "core/method_table.h"
#include "ui/charts/convergence_charts.h"
#include "ui/platform/file_chooser.h"
#include "ui/report/page_layout.h"
#include "ui/widgets/utf8_text.h"

namespace ui {

namespace {

constexpr double kConvergenceShare = 0.38;
constexpr double kFunctionShare = 0.34;
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

QString OutcomeText(const core::MethodHistory& history) {
  if (history.error) return QStringLiteral("Ошибка: ") + FromUtf8(*history.error);
  if (!history.root || !history.count) return QStringLiteral("Метод не запускался.");
  return QStringLiteral("Значение: %1; кол-во итераций: %2")
      .arg(FromUtf8(app::FormatReal(*history.root)), FromUtf8(app::FormatInteger(*history.count)));
}

std::array<app::Outcome, 4> Outcomes(const std::array<app::MethodAnalysis, 4>& analyses) {
  std::array<app::Outcome, 4> outcomes;
  for (std::size_t i = 0; i < outcomes.size(); ++i) outcomes[i] = analyses[i].verdict.outcome;
  return outcomes;
}

// The four methods' errors (or steps, where no reference root is trusted).
QChart* ConvergenceChart(const app::RunRecord& run,
                         const std::array<app::MethodAnalysis, 4>& analyses) {
  const std::array<app::StepSeries, 4> series = app::RunConvergence(run, analyses, false);
  return NewConvergenceChart(series, app::ConvergenceExtentOf(series), PaperPalette(),
                             Outcomes(analyses));
}

void MethodSection(PageLayout& layout, const app::RunRecord& run,
                   const std::array<app::MethodAnalysis, 4>& analyses, std::uint8_t method) {
  const core::MethodHistory& history = run.methods.at(static_cast<std::size_t>(method - 1));
  const app::MethodAnalysis& analysis = analyses.at(static_cast<std::size_t>(method - 1));
  const QString name = FromUtf8(core::FindMethod(method)->name);
  layout.Heading(QStringLiteral("Итерации: ") + name);
  layout.Paragraph(InputsParagraph(run));
  layout.Paragraph(FromUtf8(app::VerdictText(analysis.verdict)));
  layout.Paragraph(OutcomeText(history));
  layout.Paragraph(
      FromUtf8(app::EvaluationCountText("f", history.counts.f_asked, history.counts.f_computed)) +
      QStringLiteral("; ") +
      FromUtf8(
          app::EvaluationCountText("f′", history.counts.df_asked, history.counts.df_computed)));
  if (app::StartsWithoutSignChange(run, history))
    layout.Paragraph(FromUtf8(app::kNoSignChangeWarning));
  layout.Paragraph(FromUtf8(app::OrderText(analysis)));
  layout.Chart(NewFunctionChart(
                   app::BuildFunctionPlot(run, method, app::FoundRoot(analysis.verdict.outcome)),
                   method, PaperPalette()),
               kFunctionShare);
  layout.Chart(ConvergenceChart(run, analyses), kFunctionShare);
  layout.PagedTable(QStringLiteral("Таблица проходов: ") + name,
                    app::PassTable(history, &analysis.measures).AllLines(), kPassRowsPerPage);
}

}  // namespace

void PaintRunReport(QPagedPaintDevice& device, const RunReport& report) {
  PageLayout layout(device);
  layout.Heading(QStringLiteral("Решение нелинейных уравнений"));
  layout.Paragraph(report.run != nullptr ? InputsParagraph(*report.run)
                                         : QStringLiteral("Уравнение ещё не вычислялось."));
  layout.Table(report.table);
  layout.Paragraph(FromUtf8(report.status));
  if (report.run == nullptr) return;
  // A run that ended in an error has no status text; the error box said why.
  for (const core::MethodHistory& history : report.run->methods) {
    if (history.error) {
      layout.Paragraph(QStringLiteral("Расчёт прерван ошибкой: ") +
                       FromUtf8(app::ReportText(*history.error)));
    }
  }
  const std::array<app::MethodAnalysis, 4> analyses = app::AnalyseRun(*report.run);
  layout.Chart(ConvergenceChart(*report.run, analyses), kConvergenceShare);
  if (!report.with_methods) return;
  for (const core::MethodEntry& entry : core::kMethods) {
    if (!report.run->methods[entry.number - 1].ran) continue;
    layout.NewPage();
    MethodSection(layout, *report.run, analyses, entry.number);
  }
}

void PaintMethodReport(QPagedPaintDevice& device, const app::RunRecord& run, std::uint8_t method) {
  PageLayout layout(device);
  MethodSection(layout, run, app::AnalyseRun(run), method);
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
