// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/command_line/run_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <optional>

#include "app/function_texts.h"
#include "app/method_analysis.h"
#include "app/method_summary.h"
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

// The method's row in the table, from 1: sorted, or in the run's order
// where an error left the table unsorted.
int RowOf(const app::RunRecord& record, core::Method method) {
  const auto found = std::find(record.rows.begin(), record.rows.end(), method);
  return found == record.rows.end() ? 0 : static_cast<int>(found - record.rows.begin()) + 1;
}

// The verdict's stable key and notes for scripts, beside the Russian word
// and text the window shows.
QJsonObject Verdict(const app::Verdict& verdict, const std::string& text) {
  QJsonArray notes;
  for (const app::NoteEntry& note : app::AllNotes())
    if (verdict.notes.Contains(note.note)) notes.append(FromUtf8(note.key));
  return QJsonObject{{QStringLiteral("key"), FromUtf8(app::OutcomeRow(verdict.outcome).key)},
                     {QStringLiteral("notes"), notes},
                     {QStringLiteral("outcome"), FromUtf8(app::OutcomeWord(verdict.outcome))},
                     {QStringLiteral("text"), Text(text)}};
}

QJsonObject Method(const app::SolvedRun& solved, const core::MethodEntry& entry, bool history) {
  const core::MethodHistory& method = solved.record->History(entry.number);
  const core::EvaluationCounts& counts = method.counts;
  QJsonObject object{
      {QStringLiteral("method"), static_cast<int>(entry.number)},
      {QStringLiteral("key"), FromUtf8(entry.key)},
      {QStringLiteral("name"), FromUtf8(entry.name)},
      {QStringLiteral("row"), RowOf(*solved.record, entry.number)},
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
  // What a method settled before its passes, only where it settled anything:
  // the four specified methods' objects stay as they were.
  const core::MethodSetup& setup = method.setup;
  if (setup.tolerance) {
    const std::string_view bound = entry.test.bound;
    const bool own_bound = !bound.empty() && *setup.tolerance != method.precision;
    object.insert(
        QStringLiteral("stopping_test"),
        QJsonObject{{QStringLiteral("quantity"), FromUtf8(entry.test.name)},
                    {QStringLiteral("bound"), own_bound ? FromUtf8(bound) : QStringLiteral("ε")},
                    {QStringLiteral("tolerance"), Number(setup.tolerance)}});
  }
  if (setup.lambda) object.insert(QStringLiteral("lambda"), Number(setup.lambda));
  if (setup.largest_slope)
    object.insert(QStringLiteral("largest_slope"), Number(setup.largest_slope));
  if (setup.contraction) object.insert(QStringLiteral("contraction"), Number(setup.contraction));
  if (method.ran) {
    const app::MethodAnalysis analysis = app::Analyse(*solved.record, entry.number);
    const app::MethodSummary summary = app::Summarize(*solved.record, entry.number, analysis);
    object.insert(QStringLiteral("verdict"), Verdict(analysis.verdict, summary.verdict));
    object.insert(QStringLiteral("result"), Text(summary.result));
  } else {
    // An earlier error stopped the comparison before this method: say so with
    // the key scripts read, rather than leave them to guess from "ran".
    const app::Verdict not_run;
    object.insert(QStringLiteral("verdict"), Verdict(not_run, app::VerdictText(not_run)));
    object.insert(QStringLiteral("result"), QJsonValue());
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
  // A run that could not start has no rows, not even the header's.
  QJsonArray table;
  for (const auto& line : app::AnyMethodRan(*solved.record) ? solved.window.Lines()
                                                            : decltype(solved.window.Lines()){}) {
    QJsonArray cells;
    for (const std::string& cell : line) cells.append(Text(cell));
    table.append(cells);
  }
  QJsonArray methods;
  for (const core::Method method : solved.record->method_set)
    methods.append(Method(solved, core::EntryOf(method), history));
  const std::optional<core::Method> fastest = app::FastestMethod(*solved.record);
  const QJsonObject document{
      {QStringLiteral("inputs"), inputs},
      {QStringLiteral("table"), table},
      {QStringLiteral("status"), Text(solved.window.StatusText())},
      {QStringLiteral("fastest"),
       fastest ? QJsonValue(FromUtf8(core::EntryOf(*fastest).name)) : QJsonValue()},
      {QStringLiteral("methods"), methods},
      {QStringLiteral("error"), solved.error ? Text(*solved.error) : QJsonValue()},
  };
  return QJsonDocument(document).toJson(QJsonDocument::Compact);
}

}  // namespace ui
