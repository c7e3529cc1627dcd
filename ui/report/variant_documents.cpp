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

// The key on paper: the method columns hold the root, the count and the
// verdict together, so that the table fits the page's width.
std::vector<std::vector<std::string>> KeyLines(const std::vector<app::Variant>& variants) {
  std::vector<std::string> header = {"Вариант", "Уравнение, k, l", "Отрезок, точность", "Корень",
                                     "Корень (10 значащих цифр)"};
  for (const core::Method method : app::kVariantMethods)
    header.push_back(std::string(core::EntryOf(method).name) + ": корень (итераций), вывод");
  header.push_back("Самый быстрый метод");
  std::vector<std::vector<std::string>> lines = {header};
  for (const app::Variant& variant : variants) {
    const app::InputTexts& in = variant.inputs;
    std::vector<std::string> line = {
        app::FormatInteger(variant.number),
        app::FunctionText(in.equation) + "; k = " + in.k + ", l = " + in.l,
        "[" + in.start + "; " + in.end + "], " + in.precision,
        app::FormatReal(variant.rounded_root), app::TenDigitRoot(variant)};
    for (const core::Method method : app::kVariantMethods) {
      const app::MethodAnswer& answer = core::ForMethod(variant.methods, method);
      line.push_back(app::FormatReal(answer.root) + " (" + app::FormatInteger(answer.count) +
                     "), " + answer.verdict);
    }
    line.push_back(variant.fastest);
    lines.push_back(std::move(line));
  }
  return lines;
}

// How many variants there are, and how many candidates were drawn to find
// them.
QString CandidatesText(const app::VariantSet& set) {
  return QStringLiteral(
             "Вариантов: %1, просмотрено кандидатов (уравнение, k, l и корень): %2. У всех "
             "вариантов разные корни и функции, не совпадающие с точностью до множителя.")
      .arg(static_cast<qsizetype>(set.variants.size()))
      .arg(set.candidates);
}

}  // namespace

void PaintVariants(QPagedPaintDevice& device, const std::vector<app::Variant>& variants,
                   const QString& title) {
  PaintPages(device, title, [&](PageLayout& layout) {
    for (const app::Variant& variant : variants) {
      const std::vector<std::string> task = app::TaskLines(variant);
      QStringList lines;
      lines << title + QStringLiteral(". ") + FromUtf8(task.front());
      lines << QStringLiteral("Фамилия, имя: ______________________________    Группа: __________");
      for (std::size_t i = 1; i < task.size(); ++i) lines << FromUtf8(task[i]);
      layout.Block(lines);
    }
  });
}

void PaintAnswers(QPagedPaintDevice& device, const app::VariantSet& set, const QString& title) {
  PaintPages(device, QStringLiteral("Ответы: ") + title, [&](PageLayout& layout) {
    layout.Heading(QStringLiteral("Ответы к вариантам: ") + title);
    layout.Paragraph(
        QStringLiteral("Корень — корень на отрезке, округлённый, как программа округляет значения: "
                       "до стольких знаков, сколько даёт длина записи точности; рядом он же до 10 "
                       "значащих цифр. Для каждого метода — корень, как его показывает таблица "
                       "программы, число итераций и вывод о сходимости."));
    layout.Paragraph(CandidatesText(set));
    layout.Table(KeyLines(set.variants));
  });
}

void WriteVariantFiles(const QString& folder, const app::VariantSet& set, const QString& title) {
  const QDir out(folder);
  const std::string path = FileNameBytes(out.path());
  if (!out.mkpath(QStringLiteral(".")))
    throw core::EFOpenError("Cannot create folder \"",
                            QDir::toNativeSeparators(out.path()).toStdString(), "\"");
  const QByteArray tasks = PdfDocument(title, ReportPageLayout(), [&](QPagedPaintDevice& device) {
    PaintVariants(device, set.variants, title);
  });
  // The key's ten columns need the width of a landscape page.
  const QByteArray key = PdfDocument(
      QStringLiteral("Ответы к вариантам: ") + title, ReportPageLayout(QPageLayout::Landscape),
      [&](QPagedPaintDevice& device) { PaintAnswers(device, set, title); });
  app::WriteFileSet(path, {{"answers.csv", app::CsvText(app::AnswerLines(set.variants))},
                           {"variants.pdf", tasks.toStdString()},
                           {"answers.pdf", key.toStdString()}});
}

}  // namespace ui
