// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pass_table.h"

#include <algorithm>
#include <optional>

#include "app/number_text.h"

namespace app {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::optional<double> RecordValue(const core::PassRecord& pass, PassColumn column) {
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
    default:
      return std::nullopt;
  }
}

std::optional<double> MeasureValue(const PassMeasure& measure, PassColumn column) {
  switch (column) {
    case PassColumn::kTested:
      if (!measure.tested) return std::nullopt;
      return static_cast<double>(*measure.tested);
    case PassColumn::kError:
      return measure.error;
    case PassColumn::kDigits:
      if (!measure.digits) return std::nullopt;
      return *measure.digits;
    case PassColumn::kQ:
      return measure.q;
    default:
      return std::nullopt;
  }
}

bool AnyPassHas(const std::vector<core::PassRecord>& passes, PassColumn column) {
  return std::any_of(passes.begin(), passes.end(), [column](const core::PassRecord& pass) {
    return RecordValue(pass, column).has_value();
  });
}

// Significant digits of a shortened cell: points keep enough to tell the
// passes apart, the small quantities only their magnitude.
int ShortDigits(PassColumn column) {
  switch (column) {
    case PassColumn::kA:
    case PassColumn::kB:
    case PassColumn::kX:
      return 8;
    default:
      return 3;
  }
}

bool NeedsQuotes(std::string_view field, std::string_view separator) {
  return field.find(separator) != std::string_view::npos ||
         field.find_first_of("\"\r\n") != std::string_view::npos;
}

}  // namespace

PassTable::PassTable(const core::MethodHistory& history, const PassMeasures* measures)
    : history_(history), measures_(measures) {
  starting_row_ = measures_ != nullptr && HasStartingRow(history_);
  for (PassColumn column : {PassColumn::kN, PassColumn::kA, PassColumn::kB, PassColumn::kX,
                            PassColumn::kFx, PassColumn::kDfx, PassColumn::kStep}) {
    const bool optional =
        column == PassColumn::kA || column == PassColumn::kB || column == PassColumn::kDfx;
    if (!optional || AnyPassHas(history_.passes, column)) columns_.push_back(column);
  }
  if (measures_ == nullptr) return;
  columns_.push_back(PassColumn::kTested);
  const bool errors =
      std::any_of(measures_->passes.begin(), measures_->passes.end(),
                  [](const PassMeasure& measure) { return measure.error.has_value(); });
  if (errors) {
    columns_.push_back(PassColumn::kError);
    columns_.push_back(PassColumn::kDigits);
  }
  columns_.push_back(PassColumn::kQ);
}

std::optional<double> PassTable::Value(int row, PassColumn column) const {
  if (starting_row_) {
    if (row == 0) {
      switch (column) {
        case PassColumn::kN:
          return 0;
        case PassColumn::kA:
          return history_.start;
        case PassColumn::kB:
          return history_.end;
        case PassColumn::kTested:
          return static_cast<double>(StartingWidth(history_));
        default:
          return std::nullopt;
      }
    }
    --row;
  }
  const auto index = static_cast<std::size_t>(row);
  if (const std::optional<double> value = RecordValue(history_.passes[index], column)) return value;
  if (measures_ == nullptr) return std::nullopt;
  return MeasureValue(measures_->passes[index], column);
}

std::string PassTable::ScreenHeader(int column) const {
  switch (Column(column)) {
    case PassColumn::kTested:
      return std::string(TestedQuantityName(history_.method)) + "\n(тест)";
    case PassColumn::kDigits:
      return "верных\nцифр";
    default:
      return Header(column);
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
    case PassColumn::kTested:
      return std::string(TestedQuantityName(history_.method)) + " (тест)";
    case PassColumn::kError:
      return "|xₙ − x*|";
    case PassColumn::kDigits:
      return "верн. цифр";
    case PassColumn::kQ:
      return "qₙ";
  }
  return std::string();
}

std::string PassTable::Text(int row, int column, bool short_form) const {
  const PassColumn kind = Column(column);
  const std::optional<double> value = Value(row, kind);
  if (!value) return std::string();
  if (kind == PassColumn::kN || kind == PassColumn::kDigits)
    return FormatInteger(static_cast<std::int32_t>(*value));
  if (kind == PassColumn::kQ) return FormatReal(*value, short_form ? 3 : 15);
  return short_form ? FormatReal(*value, ShortDigits(kind)) : FormatReal(*value);
}

std::string PassTable::Cell(int row, int column) const {
  return Text(row, column, false);
}

std::string PassTable::ShortCell(int row, int column) const {
  return Text(row, column, true);
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

std::vector<std::vector<std::string>> PassTable::EndLines(int at_each_end, bool short_cells) const {
  const int rows = RowCount();
  const bool all = at_each_end <= 0 || 2 * at_each_end >= rows;
  std::vector<std::vector<std::string>> lines;
  std::vector<std::string>& headers = lines.emplace_back();
  for (int column = 0; column < ColumnCount(); ++column) headers.push_back(Header(column));
  const auto add = [&](int row) {
    std::vector<std::string>& line = lines.emplace_back();
    for (int column = 0; column < ColumnCount(); ++column)
      line.push_back(Text(row, column, short_cells));
  };
  for (int row = 0; row < (all ? rows : at_each_end); ++row) add(row);
  if (all) return lines;
  lines.emplace_back(static_cast<std::size_t>(ColumnCount()), "…");
  for (int row = rows - at_each_end; row < rows; ++row) add(row);
  return lines;
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
