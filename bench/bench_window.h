// In-memory stand-ins for the main window: the root-finding host and the
// comparison window without any widgets. Both count how often the equation is
// read, which is once per evaluation of f or f_, so a benchmark can report how
// many evaluations a method pass really makes.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "app/comparison_run.h"
#include "core/root_finding.h"

namespace bench {

// The design defaults, and the precision text that drives every method to its
// cap (a negative precision never satisfies a stopping test).
struct InputCase {
  const char* name;
  double precision;
  const char* precision_text;
};

inline constexpr InputCase kDefaults = {"defaults", 0.001, "0,001"};
inline constexpr InputCase kCaps = {"caps", -1, "-1"};
inline constexpr double kStart = 1;
inline constexpr double kEnd = 2;
inline constexpr core::Coefficients kDesignCoefficients = {1, 1};

class BenchHost : public core::RootFindingHost {
 public:
  explicit BenchHost(std::string precision_text) : precision_text_(std::move(precision_text)) {}

  std::uint8_t SelectedEquation() const override {
    ++equation_reads;
    return 0;
  }
  std::string PrecisionText() const override { return precision_text_; }
  void ProcessMessages() override {}

  mutable std::int64_t equation_reads = 0;

 private:
  std::string precision_text_;
};

class BenchWindow : public app::ComparisonWindow {
 public:
  explicit BenchWindow(const InputCase& input_case)
      : inputs_{{app::Input::kK, "1"},
                {app::Input::kL, "1"},
                {app::Input::kStart, "1"},
                {app::Input::kPrecision, input_case.precision_text},
                {app::Input::kEnd, "2"}} {}

  std::uint8_t SelectedEquation() const override {
    ++equation_reads;
    return 0;
  }
  std::string PrecisionText() const override { return inputs_.at(app::Input::kPrecision); }
  void ProcessMessages() override {}

  int ColumnCount() const override { return kColumns; }
  int RowCount() const override { return kRows; }
  std::string Cell(int column, int row) const override { return cells_[row][column]; }
  void SetCell(int column, int row, const std::string& text) override {
    cells_[row][column] = text;
  }
  void SetStatusText(const std::string& text) override { status = text; }
  void SetProgressVisible(bool) override {}
  int ProgressPosition() const override { return progress_position_; }
  void SetProgressPosition(int position) override { progress_position_ = position; }
  std::string InputText(app::Input input) const override { return inputs_.at(input); }

  mutable std::int64_t equation_reads = 0;
  std::string status;

 private:
  static constexpr int kColumns = 3;
  static constexpr int kRows = 5;
  std::map<app::Input, std::string> inputs_;
  std::array<std::array<std::string, kColumns>, kRows> cells_;
  int progress_position_ = 0;
};

}  // namespace bench
