// SPDX-License-Identifier: GPL-3.0-or-later
// A method's history as text: the table of passes that the detail window
// shows, and the same table as tab-separated text for the clipboard and as
// CSV for a spreadsheet. Every number is written by FormatReal, so the table,
// the clipboard and the file agree digit for digit.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/history.h"

namespace app {

enum class PassColumn { kN, kA, kB, kX, kFx, kDfx, kStep };

class PassTable {
 public:
  // The columns are those the history has values for: a and b for the
  // methods that keep an interval (or two points), f′ for tangents.
  explicit PassTable(const core::MethodHistory& history);

  int RowCount() const { return static_cast<int>(passes_.size()); }
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  PassColumn Column(int column) const { return columns_[static_cast<std::size_t>(column)]; }
  std::string Header(int column) const;
  // The number in the program's own text; empty where the pass has no value
  // (f where it raised an error, the step of the first approximation).
  std::string Cell(int row, int column) const;

  // The headers, then the rows [first_row, last_row] of the columns
  // [first_column, last_column].
  std::vector<std::vector<std::string>> Lines(int first_row, int last_row, int first_column,
                                              int last_column) const;
  std::vector<std::vector<std::string>> AllLines() const;

 private:
  const std::vector<core::PassRecord>& passes_;
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
