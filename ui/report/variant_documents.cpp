// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/report/variant_documents.h"

#include <QDir>
#include <QStringList>

#include "app/function_texts.h"
#include "app/number_text.h"
#include "app/pass_table.h"
#include "app/safe_file.h"
#include "core/errors.h"
#include "core/method_table.h"
#include "ui/platform/file_chooser.h"
#include "ui/report/page_layout.h"
#include "ui/report/run_report.h"
#include "ui/widgets/utf8_text.h"

namespace ui {

namespace {

// The key on paper: the method columns hold the root and the count
// together, so that the table fits the page's width.
std::vector<std::vector<std::string>> KeyLines(const std::vector<app::Variant>& variants) {
  std::vector<std::string> header = {"Вариант", "Уравнение, k, l", "Отрезок, точность", "Корень"};
  for (const core::Method method : app::kVariantMethods)
    header.push_back(std::string(core::EntryOf(method).name) + ": значение (итераций)");
  header.push_back("Самый быстрый метод");
  std::vector<std::vector<std::string>> lines = {header};
  for (const app::Variant& variant : variants) {
    const app::InputTexts& in = variant.inputs;
    std::vector<std::string> line = {
        app::FormatInteger(variant.number),
        app::FunctionText(in.equation) + "; k = " + in.k + ", l = " + in.l,
        "[" + in.start + "; " + in.end + "], " + in.precision,
        app::FormatReal(variant.rounded_root)};
    for (const core::Method method : app::kVariantMethods) {
      const app::MethodAnswer& answer = core::ForMethod(variant.methods, method);
      line.push_back(app::FormatReal(answer.root) + " (" + app::FormatInteger(answer.count) + ")");
    }
    line.push_back(variant.fastest);
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace

void PaintVariants(QPagedPaintDevice& device, const std::vector<app::Variant>& variants) {
  PageLayout layout(device);
  for (const app::Variant& variant : variants) {
    QStringList lines;
    for (const std::string& line : app::TaskLines(variant)) lines << FromUtf8(line);
    layout.Block(lines);
  }
}

void PaintAnswers(QPagedPaintDevice& device, const std::vector<app::Variant>& variants) {
  PageLayout layout(device);
  layout.Heading(QStringLiteral("Ответы к вариантам"));
  layout.Paragraph(
      QStringLiteral("Корень — корень на отрезке, округлённый, как программа округляет значения: "
                     "до стольких знаков, сколько даёт длина записи точности. Для каждого метода — "
                     "значение и число итераций, как в таблице результатов."));
  layout.Table(KeyLines(variants));
}

void WriteVariantFiles(const QString& folder, const std::vector<app::Variant>& variants) {
  const QDir out(folder);
  const std::string path = FileNameBytes(out.path());
  if (!out.mkpath(QStringLiteral(".")))
    throw core::EFOpenError("Cannot create folder \"",
                            QDir::toNativeSeparators(out.path()).toStdString(), "\"");
  const QByteArray tasks =
      PdfDocument(QStringLiteral("Варианты"), ReportPageLayout(),
                  [&variants](QPagedPaintDevice& device) { PaintVariants(device, variants); });
  // The key's eleven columns need the width of a landscape page.
  const QByteArray key =
      PdfDocument(QStringLiteral("Ответы к вариантам"), ReportPageLayout(QPageLayout::Landscape),
                  [&variants](QPagedPaintDevice& device) { PaintAnswers(device, variants); });
  app::WriteFileSet(path, {{"answers.csv", app::CsvText(app::AnswerLines(variants))},
                           {"variants.pdf", tasks.toStdString()},
                           {"answers.pdf", key.toStdString()}});
}

}  // namespace ui
