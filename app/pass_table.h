// SPDX-License-Identifier: GPL-3.0-or-later
// A method's history as text: the table of passes that the detail window
// shows, and the same table as tab-separated text for the clipboard and as
// CSV for a spreadsheet. Every number is written by FormatReal, so the table,
// the clipboard and the file agree digit for digit.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/pass_measures.h"
#include "core/history.h"

namespace app {

enum class PassColumn { kN, kA, kB, kX, kFx, kDfx, kStep, kTested, kError, kDigits, kQ };

class PassTable {
 public:
  // The columns are those the history has values for: a and b for the
  // methods that keep an interval (or two points), f′ for tangents. With
  // measures, also the stopping quantity, the error and correct digits
  // (where a reference root exists) and qₙ; bisection then gains a row 0
  // for the test of its starting interval, so that its rows number 0 to
  // count − 1 as the others' do. Both must outlive the table.
  explicit PassTable(const core::MethodHistory& history, const PassMeasures* measures = nullptr);

  int RowCount() const {
    return static_cast<int>(history_.passes.size()) + (starting_row_ ? 1 : 0);
  }
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  PassColumn Column(int column) const { return columns_[static_cast<std::size_t>(column)]; }
  std::string Header(int column) const;
  // The header on the screen: the long ones on two lines, so that the
  // columns stay narrow.
  std::string ScreenHeader(int column) const;
  // The number in the program's own text; empty where the pass has no value
  // (f where it raised an error, the step of the first approximation).
  std::string Cell(int row, int column) const;
  // The same, shortened to fit a narrow column: fewer significant digits
  // (eight for points, three for the small quantities). Copies and files
  // take Cell.
  std::string ShortCell(int row, int column) const;

  // The headers, then the rows [first_row, last_row] of the columns
  // [first_column, last_column].
  std::vector<std::vector<std::string>> Lines(int first_row, int last_row, int first_column,
                                              int last_column) const;
  std::vector<std::vector<std::string>> AllLines() const;
  // The headers, then the first and the last `at_each_end` rows with a row
  // of "…" between them; every row when `at_each_end` is 0 or nothing would
  // be left out. In the short form of ShortCell where `short_cells`.
  std::vector<std::vector<std::string>> EndLines(int at_each_end, bool short_cells) const;

 private:
  std::optional<double> Value(int row, PassColumn column) const;
  std::string Text(int row, int column, bool short_form) const;

  const core::MethodHistory& history_;
  const PassMeasures* measures_;
  bool starting_row_ = false;
  std::vector<PassColumn> columns_;
};

// Fields joined by `separator`, lines ended by `line_end`. A field that holds
// the separator, a quote or a line break is quoted, its quotes doubled.
std::string DelimitedText(const std::vector<std::vector<std::string>>& lines,
                          std::string_view separator, std::string_view line_end);

// Tab-separated lines for the clipboard, as spreadsheets paste them.
std::string TabSeparatedText(const std::vector<std::vector<std::string>>& lines);

// The field separator a spreadsheet expects in the user's locale: ";" where
// the decimal separator is ",", else ",".
std::string CsvFieldSeparator(std::string_view decimal_separator);

// A CSV file in UTF-8 with a byte order mark (which spreadsheets need to read
// UTF-8 rather than the locale's legacy code page) and CRLF line ends.
std::string CsvText(const std::vector<std::vector<std::string>>& lines);

}  // namespace app
