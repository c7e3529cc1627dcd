// SPDX-License-Identifier: GPL-3.0-or-later
// The main window without widgets, for the comparison run: the results table,
// status line, progress bar and input boxes are plain values on top of the
// in-memory host, whose precision text is the precision box.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "app/comparison_run.h"
#include "core/errors.h"
#include "tests/doubles/fake_host.h"

namespace doubles {

class FakeWindow : public InMemoryHost<app::ComparisonWindow> {
 public:
  // The design defaults: equation 0, k = l = 1, start 1, precision "0,001", end 2.
  FakeWindow()
      : inputs_{{app::Input::kK, "1"},
                {app::Input::kL, "1"},
                {app::Input::kStart, "1"},
                {app::Input::kEnd, "2"}} {}

  int ColumnCount() const override { return kColumns; }
  int RowCount() const override { return kRows; }
  std::string Cell(int column, int row) const override { return cells_[row][column]; }
  void SetCell(int column, int row, const std::string& text) override {
    cells_[row][column] = text;
  }
  void SetStatusText(const std::string& text) override { status = text; }
  void SetProgressVisible(bool visible) override { progress_visible = visible; }
  int ProgressPosition() const override { return progress_position; }
  void SetProgressPosition(int position) override { progress_position = position; }
  std::string InputText(app::Input input) const override {
    return input == app::Input::kPrecision ? precision_text_ : inputs_.at(input);
  }

  void SetInput(app::Input input, std::string text) {
    if (input == app::Input::kPrecision) {
      Type(std::move(text));
    } else {
      inputs_[input] = std::move(text);
    }
  }
  std::array<std::string, 3> Row(int row) const { return cells_[row]; }

  std::string status = "untouched";
  bool progress_visible = false;
  int progress_position = -1;

 private:
  static constexpr int kColumns = 3;
  static constexpr int kRows = 5;
  std::map<app::Input, std::string> inputs_;
  std::array<std::array<std::string, kColumns>, kRows> cells_;
};

// The comparison run on `window` as the compute command makes it: an error
// ends it as it ends the program's, and the record keeps what ran.
inline std::shared_ptr<const app::RunRecord> RunComparison(app::ComparisonWindow& window) {
  app::SharedState state;
  app::ComparisonRun run;
  try {
    run.Execute(window, state);
  } catch (const core::Exception&) {
  }
  return run.LastRun();
}

}  // namespace doubles
