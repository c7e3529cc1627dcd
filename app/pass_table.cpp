// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pass_table.h"

#include <algorithm>
#include <optional>

#include "app/number_text.h"

namespace app {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::optional<double> Value(const core::PassRecord& pass, PassColumn column) {
  switch (column) {
    case PassColumn::kN:
      return pass.n;
    case PassColumn::kA:
      return pass.a;
    case PassColumn::kB:
      return pass.b;
    case PassColumn::kX:
      return pass.x;
    case PassColumn::kFx:
      return pass.fx;
    case PassColumn::kDfx:
      return pass.dfx;
    case PassColumn::kStep:
      return pass.step;
  }
  return std::nullopt;
}

bool AnyPassHas(const std::vector<core::PassRecord>& passes, PassColumn column) {
  return std::any_of(passes.begin(), passes.end(), [column](const core::PassRecord& pass) {
    return Value(pass, column).has_value();
  });
}

bool NeedsQuotes(std::string_view field, std::string_view separator) {
  return field.find(separator) != std::string_view::npos ||
         field.find_first_of("\"\r\n") != std::string_view::npos;
}

}  // namespace

PassTable::PassTable(const core::MethodHistory& history) : passes_(history.passes) {
  for (PassColumn column : {PassColumn::kN, PassColumn::kA, PassColumn::kB, PassColumn::kX,
                            PassColumn::kFx, PassColumn::kDfx, PassColumn::kStep}) {
    const bool optional =
        column == PassColumn::kA || column == PassColumn::kB || column == PassColumn::kDfx;
    if (!optional || AnyPassHas(passes_, column)) columns_.push_back(column);
  }
}

std::string PassTable::Header(int column) const {
  switch (Column(column)) {
    case PassColumn::kN:
      return "n";
    case PassColumn::kA:
      return "a";
    case PassColumn::kB:
      return "b";
    case PassColumn::kX:
      return "xₙ";
    case PassColumn::kFx:
      return "f(xₙ)";
    case PassColumn::kDfx:
      return "f′(xₙ)";
    case PassColumn::kStep:
      return "|xₙ − xₙ₋₁|";
  }
  return std::string();
}

std::string PassTable::Cell(int row, int column) const {
  const core::PassRecord& pass = passes_[static_cast<std::size_t>(row)];
  if (Column(column) == PassColumn::kN) return FormatInteger(pass.n);
  const std::optional<double> value = Value(pass, Column(column));
  return value ? FormatReal(*value) : std::string();
}

std::vector<std::vector<std::string>> PassTable::Lines(int first_row, int last_row,
                                                       int first_column, int last_column) const {
  std::vector<std::vector<std::string>> lines;
  lines.reserve(static_cast<std::size_t>(std::max(0, last_row - first_row + 2)));
  std::vector<std::string>& headers = lines.emplace_back();
  for (int column = first_column; column <= last_column; ++column)
    headers.push_back(Header(column));
  for (int row = first_row; row <= last_row; ++row) {
    std::vector<std::string>& line = lines.emplace_back();
    for (int column = first_column; column <= last_column; ++column)
      line.push_back(Cell(row, column));
  }
  return lines;
}

std::vector<std::vector<std::string>> PassTable::AllLines() const {
  return Lines(0, RowCount() - 1, 0, ColumnCount() - 1);
}

std::string DelimitedText(const std::vector<std::vector<std::string>>& lines,
                          std::string_view separator, std::string_view line_end) {
  std::string text;
  for (const std::vector<std::string>& line : lines) {
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (i > 0) text += separator;
      if (!NeedsQuotes(line[i], separator)) {
        text += line[i];
        continue;
      }
      text += '"';
      for (char c : line[i]) text += c == '"' ? std::string_view("\"\"") : std::string_view(&c, 1);
      text += '"';
    }
    text += line_end;
  }
  return text;
}

std::string TabSeparatedText(const std::vector<std::vector<std::string>>& lines) {
  return DelimitedText(lines, "\t", "\n");
}

std::string CsvFieldSeparator(std::string_view decimal_separator) {
  return decimal_separator == "," ? ";" : ",";
}

std::string CsvText(const std::vector<std::vector<std::string>>& lines) {
  return std::string(kByteOrderMark) +
         DelimitedText(lines, CsvFieldSeparator(DecimalSeparator()), "\r\n");
}

}  // namespace app
