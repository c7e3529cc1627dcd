// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/command_line/run_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <optional>

#include "app/function_texts.h"
#include "app/number_text.h"
#include "app/run_verdict.h"
#include "core/method_table.h"
#include "ui/widgets/utf8_text.h"

namespace ui {

namespace {

// JSON has no infinities or NaN: those, and absent values, are null.
QJsonValue Number(std::optional<double> value) {
  if (!value || !std::isfinite(*value)) return QJsonValue(QJsonValue::Null);
  return QJsonValue(*value);
}

QJsonValue Text(const std::string& text) {
  return QJsonValue(FromUtf8(text));
}

QJsonArray Passes(const core::MethodHistory& history) {
  QJsonArray passes;
  for (const core::PassRecord& pass : history.passes) {
    passes.append(QJsonObject{{QStringLiteral("n"), pass.n},
                              {QStringLiteral("a"), Number(pass.a)},
                              {QStringLiteral("b"), Number(pass.b)},
                              {QStringLiteral("x"), Number(pass.x)},
                              {QStringLiteral("fx"), Number(pass.fx)},
                              {QStringLiteral("dfx"), Number(pass.dfx)},
                              {QStringLiteral("step"), Number(pass.step)}});
  }
  return passes;
}

// The method's place in the sorted table, from 1.
int RowOf(const app::TableWindow& window, std::string_view name) {
  for (int row = 1; row < window.RowCount(); ++row)
    if (window.Cell(0, row) == name) return row;
  return 0;
}

QJsonObject Method(const app::SolvedRun& solved, const core::MethodEntry& entry, bool history) {
  const core::MethodHistory& method = solved.record->methods[entry.number - 1];
  const core::EvaluationCounts& counts = method.counts;
  QJsonObject object{
      {QStringLiteral("method"), static_cast<int>(entry.number)},
      {QStringLiteral("key"), FromUtf8(entry.key)},
      {QStringLiteral("name"), FromUtf8(entry.name)},
      {QStringLiteral("row"), RowOf(solved.window, entry.name)},
      {QStringLiteral("count"), method.count ? QJsonValue(*method.count) : QJsonValue()},
      {QStringLiteral("root"), Number(method.root)},
      {QStringLiteral("root_text"),
       method.root ? Text(app::FormatReal(*method.root)) : QJsonValue()},
      {QStringLiteral("start"), method.start},
      {QStringLiteral("precision"), method.precision},
      {QStringLiteral("end"), method.end},
      {QStringLiteral("error"), method.error ? Text(*method.error) : QJsonValue()},
      {QStringLiteral("ran"), method.ran},
      {QStringLiteral("evaluations"),
       QJsonObject{{QStringLiteral("f"), static_cast<qint64>(counts.f_asked)},
                   {QStringLiteral("f_computed"), static_cast<qint64>(counts.f_computed)},
                   {QStringLiteral("df"), static_cast<qint64>(counts.df_asked)},
                   {QStringLiteral("df_computed"), static_cast<qint64>(counts.df_computed)}}},
  };
  if (method.ran) {
    const app::Verdict verdict = app::JudgeRun(*solved.record, method);
    object.insert(
        QStringLiteral("verdict"),
        QJsonObject{{QStringLiteral("outcome"), FromUtf8(app::OutcomeWord(verdict.outcome))},
                    {QStringLiteral("text"), Text(app::VerdictText(verdict))}});
  } else {
    object.insert(QStringLiteral("verdict"), QJsonValue());
  }
  if (history) object.insert(QStringLiteral("passes"), Passes(method));
  return object;
}

}  // namespace

QByteArray RunJson(const app::SolvedRun& solved, bool history) {
  const app::InputTexts& in = solved.window.Inputs();
  const std::shared_ptr<const core::expression::Formula> formula =
      solved.window.SelectedSource().Formula();
  const QJsonObject inputs{
      {QStringLiteral("equation"),
       formula == nullptr ? QJsonValue(static_cast<int>(in.equation)) : QJsonValue()},
      {QStringLiteral("formula"), formula == nullptr ? QJsonValue() : Text(formula->Text())},
      {QStringLiteral("derivative"),
       formula == nullptr ? QJsonValue() : Text(formula->DerivativeText())},
      {QStringLiteral("equation_text"), Text(solved.record->equation_text)},
      {QStringLiteral("function"), Text(app::FunctionText(*solved.record))},
      {QStringLiteral("k"), Text(in.k)},
      {QStringLiteral("l"), Text(in.l)},
      {QStringLiteral("start"), Text(in.start)},
      {QStringLiteral("precision"), Text(in.precision)},
      {QStringLiteral("end"), Text(in.end)},
      {QStringLiteral("decimal_separator"), Text(app::DecimalSeparator())},
  };
  QJsonArray table;
  for (const auto& line : solved.window.Lines()) {
    QJsonArray cells;
    for (const std::string& cell : line) cells.append(Text(cell));
    table.append(cells);
  }
  QJsonArray methods;
  for (const core::MethodEntry& entry : core::kMethods)
    methods.append(Method(solved, entry, history));
  const QJsonObject document{
      {QStringLiteral("inputs"), inputs},
      {QStringLiteral("table"), table},
      {QStringLiteral("status"), Text(solved.window.StatusText())},
      {QStringLiteral("fastest"), Text(solved.window.Cell(0, 1))},
      {QStringLiteral("methods"), methods},
      {QStringLiteral("error"), solved.error ? Text(*solved.error) : QJsonValue()},
  };
  return QJsonDocument(document).toJson(QJsonDocument::Compact);
}

}  // namespace ui
