// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/own_equation/formula_history.h"

#include <QSettings>
#include <algorithm>

#include "ui/platform/settings.h"

namespace ui {

namespace {

const QString kHistoryArray = QStringLiteral("own_equation/history");
const QString kLastGroup = QStringLiteral("own_equation/last");

TypedInputs Read(const QSettings& settings) {
  const auto text = [&settings](const char* key) {
    return settings.value(QLatin1String(key)).toString();
  };
  return {text("formula"), text("start"), text("precision"), text("end"), text("k"), text("l")};
}

void Write(QSettings& settings, const TypedInputs& inputs) {
  settings.setValue(QStringLiteral("formula"), inputs.formula);
  settings.setValue(QStringLiteral("start"), inputs.start);
  settings.setValue(QStringLiteral("precision"), inputs.precision);
  settings.setValue(QStringLiteral("end"), inputs.end);
  settings.setValue(QStringLiteral("k"), inputs.k);
  settings.setValue(QStringLiteral("l"), inputs.l);
}

}  // namespace

QList<TypedInputs> SolvedFormulas() {
  QSettings settings = ProgramSettings();
  QList<TypedInputs> formulas;
  const int count = settings.beginReadArray(kHistoryArray);
  for (int i = 0; i < count && formulas.size() < kHistoryLength; ++i) {
    settings.setArrayIndex(i);
    TypedInputs inputs = Read(settings);
    // A file edited by hand may hold blanks or repeats.
    const bool repeated =
        std::any_of(formulas.begin(), formulas.end(),
                    [&](const TypedInputs& kept) { return kept.formula == inputs.formula; });
    if (!inputs.formula.trimmed().isEmpty() && !repeated) formulas << inputs;
  }
  settings.endArray();
  return formulas;
}

void RememberSolved(const TypedInputs& inputs) {
  QList<TypedInputs> formulas = SolvedFormulas();
  formulas.removeIf([&](const TypedInputs& kept) { return kept.formula == inputs.formula; });
  formulas.prepend(inputs);
  if (formulas.size() > kHistoryLength) formulas.resize(kHistoryLength);
  QSettings settings = ProgramSettings();
  settings.remove(kHistoryArray);
  settings.beginWriteArray(kHistoryArray, static_cast<int>(formulas.size()));
  for (int i = 0; i < formulas.size(); ++i) {
    settings.setArrayIndex(i);
    Write(settings, formulas[i]);
  }
  settings.endArray();
}

TypedInputs LastInputs() {
  QSettings settings = ProgramSettings();
  settings.beginGroup(kLastGroup);
  return Read(settings);
}

void KeepLastInputs(const TypedInputs& inputs) {
  QSettings settings = ProgramSettings();
  settings.beginGroup(kLastGroup);
  Write(settings, inputs);
}

}  // namespace ui
