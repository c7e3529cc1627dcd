// SPDX-License-Identifier: GPL-3.0-or-later
// The main window without a screen: the five input boxes, the equation list's
// index and the results table as plain values. The command line and the
// variant maker run the comparison on it, so they go through the very run the
// window does, with its reading of the inputs, its ordering and its status text.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/comparison_run.h"
#include "app/function_texts.h"
#include "core/equation_source.h"

namespace app {

// The window's inputs as typed.
struct InputTexts {
  std::uint8_t equation = 0;
  // A typed f(x) to solve instead of the list's equation, when not empty.
  std::string formula;
  std::string k = "1";
  std::string l = "1";
  std::string start = "1";
  std::string precision = DefaultPrecisionText();
  std::string end = "2";
  // The methods to solve with, and their settings.
  core::MethodSet methods = core::MethodSet::Specified();
  core::MethodParameters parameters;

  // The design's precision "0,001" with the current decimal separator: the
  // same length, and so the same rounding of the roots, under every locale.
  static std::string DefaultPrecisionText();
};

class TableWindow : public ComparisonWindow {
 public:
  static constexpr int kColumns = 3;

  // Reads the typed formula, if any: raises EFormulaError when it cannot.
  explicit TableWindow(InputTexts inputs);

  std::uint8_t SelectedEquation() const override { return inputs_.equation; }
  core::EquationSource SelectedSource() const override;
  std::string PrecisionText() const override { return inputs_.precision; }
  // Nothing waits: there are no other commands to process.
  void ProcessMessages() override {}

  int ColumnCount() const override { return kColumns; }
  // The header row and one row for each method.
  int RowCount() const override { return static_cast<int>(cells_.size()); }
  std::string Cell(int column, int row) const override;
  void SetCell(int column, int row, const std::string& text) override;
  void SetStatusText(const std::string& text) override { status_ = text; }
  void SetProgressVisible(bool /*visible*/) override {}
  int ProgressPosition() const override { return progress_; }
  void SetProgressPosition(int position) override { progress_ = position; }
  std::string InputText(Input input) const override;
  core::MethodSet Methods() const override { return inputs_.methods; }
  core::MethodParameters Parameters() const override { return inputs_.parameters; }

  const InputTexts& Inputs() const { return inputs_; }
  const std::string& StatusText() const { return status_; }
  // The whole table, header row first, as the window shows it.
  std::vector<std::vector<std::string>> Lines() const;

 private:
  InputTexts inputs_;
  std::shared_ptr<const core::expression::Formula> formula_;
  std::vector<std::array<std::string, kColumns>> cells_;
  std::string status_;
  int progress_ = 0;
};

// A window's results table, header row first, as it shows it.
std::vector<std::vector<std::string>> TableLines(const ComparisonWindow& window);

// One comparison on a fresh table; a formula that cannot be read raises
// EFormulaError before anything runs. A run that ends in an error keeps what it
// did, as the window keeps its table: the record holds the histories, the
// failed method's with its message, and `error` the message.
struct SolvedRun {
  TableWindow window;
  std::shared_ptr<const RunRecord> record;
  std::optional<std::string> error;
};
SolvedRun Solve(const InputTexts& inputs);

// Whether any method ran: an input that is no number stops the run before
// the first, with nothing to show but the table's headers.
bool AnyMethodRan(const RunRecord& record);

// Lines of cells as plain text: the columns padded to their widest cell
// (counted in characters), two spaces apart, no trailing spaces.
std::string AlignedText(const std::vector<std::vector<std::string>>& lines);

}  // namespace app
