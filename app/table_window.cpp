// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/table_window.h"

#include <algorithm>
#include <utility>

#include "app/number_text.h"
#include "core/equations.h"
#include "core/errors.h"
#include "core/utf8.h"

namespace app {

using core::CharacterCount;

std::string InputTexts::DefaultPrecisionText() {
  return "0" + DecimalSeparator() + "001";
}

TableWindow::TableWindow(InputTexts inputs)
    : inputs_(std::move(inputs)), cells_(inputs_.methods.size() + 1) {
  if (!inputs_.formula.empty()) formula_ = core::expression::Formula::Parse(inputs_.formula);
}

core::EquationSource TableWindow::SelectedSource() const {
  if (formula_ != nullptr) return core::EquationSource(formula_);
  return inputs_.equation;
}

std::string TableWindow::Cell(int column, int row) const {
  return cells_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
}

void TableWindow::SetCell(int column, int row, const std::string& text) {
  cells_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column)) = text;
}

std::string TableWindow::InputText(Input input) const {
  switch (input) {
    case Input::kStart:
      return inputs_.start;
    case Input::kPrecision:
      return inputs_.precision;
    case Input::kEnd:
      return inputs_.end;
    case Input::kK:
      return inputs_.k;
    case Input::kL:
      return inputs_.l;
  }
  return std::string();
}

std::vector<std::vector<std::string>> TableWindow::Lines() const {
  return TableLines(*this);
}

std::vector<std::vector<std::string>> TableLines(const ComparisonWindow& window) {
  std::vector<std::vector<std::string>> lines;
  for (int row = 0; row < window.RowCount(); ++row) {
    std::vector<std::string> line;
    for (int column = 0; column < window.ColumnCount(); ++column)
      line.push_back(window.Cell(column, row));
    lines.push_back(std::move(line));
  }
  return lines;
}

SolvedRun Solve(const InputTexts& inputs) {
  SolvedRun solved{TableWindow(inputs), nullptr, std::nullopt};
  SharedState state;
  ComparisonRun run;
  try {
    run.Execute(solved.window, state);
  } catch (const core::Exception& error) {
    solved.error = error.Message();
  }
  solved.record = run.LastRun();
  return solved;
}

std::string AlignedText(const std::vector<std::vector<std::string>>& lines) {
  std::vector<std::size_t> widths;
  for (const auto& line : lines) {
    if (widths.size() < line.size()) widths.resize(line.size(), 0);
    for (std::size_t column = 0; column < line.size(); ++column)
      widths[column] = std::max(widths[column], CharacterCount(line[column]));
  }
  std::string text;
  for (const auto& line : lines) {
    std::string row;
    for (std::size_t column = 0; column < line.size(); ++column) {
      if (column > 0) row.append(2, ' ');
      row += line[column];
      if (column + 1 < line.size()) row.append(widths[column] - CharacterCount(line[column]), ' ');
    }
    row.erase(row.find_last_not_of(' ') + 1);
    text += row + '\n';
  }
  return text;
}

bool AnyMethodRan(const RunRecord& record) {
  return std::any_of(record.method_set.begin(), record.method_set.end(),
                     [&record](core::Method method) { return record.History(method).ran; });
}

}  // namespace app
