// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/controlled_solve.h"

#include <cstdint>
#include <string>
#include <utility>

#include "core/errors.h"
#include "core/method_table.h"
#include "core/methods.h"

namespace app {

namespace {

// The in-memory table as the run sees it, with the control's checks where
// the window would have processed messages and read its equation.
class ControlledWindow : public ComparisonWindow {
 public:
  ControlledWindow(TableWindow& table, JobControl& control, bool& progress_visible)
      : table_(table), control_(control), progress_visible_(progress_visible) {}

  std::uint8_t SelectedEquation() const override {
    control_.CheckCancelled();
    return table_.SelectedEquation();
  }
  core::EquationSource SelectedSource() const override {
    control_.CheckCancelled();
    return table_.SelectedSource();
  }
  std::string PrecisionText() const override { return table_.PrecisionText(); }
  void ProcessMessages() override {
    control_.CheckCancelled();
    control_.Report(table_.ProgressPosition(), static_cast<int>(core::kMethods.size()));
  }
  int ColumnCount() const override { return table_.ColumnCount(); }
  int RowCount() const override { return table_.RowCount(); }
  std::string Cell(int column, int row) const override { return table_.Cell(column, row); }
  void SetCell(int column, int row, const std::string& text) override {
    table_.SetCell(column, row, text);
  }
  void SetStatusText(const std::string& text) override { table_.SetStatusText(text); }
  void SetProgressVisible(bool visible) override { progress_visible_ = visible; }
  int ProgressPosition() const override { return table_.ProgressPosition(); }
  void SetProgressPosition(int position) override { table_.SetProgressPosition(position); }
  std::string InputText(Input input) const override { return table_.InputText(input); }

 private:
  TableWindow& table_;
  JobControl& control_;
  bool& progress_visible_;
};

// Evaluations of f and of f′ when every method runs to the cap: bisection
// (with both ends), chords (both ends), tangents (f and f′ at every pass)
// and secants.
constexpr double kWorstValues = 4.0 * core::kPassCap + 4;
constexpr double kWorstDerivatives = core::kPassCap;
constexpr double kSlowNanoseconds = 100e6;

}  // namespace

ControlledSolve SolveUnderControl(const InputTexts& inputs, JobControl& control) {
  ControlledSolve solved{TableWindow(InputTexts{}), false, nullptr, nullptr};
  try {
    solved.table = TableWindow(inputs);
  } catch (const core::Exception&) {
    solved.error = std::current_exception();
    return solved;
  }
  ControlledWindow window(solved.table, control, solved.progress_visible);
  SharedState state;
  ComparisonRun run;
  try {
    run.Execute(window, state);
  } catch (const core::Exception&) {
    solved.error = std::current_exception();
  }
  solved.record = run.LastRun();
  return solved;
}

bool MaySolveSlowly(const core::expression::Formula& formula) {
  const double f = static_cast<double>(formula.Text().size());
  const double derivative = static_cast<double>(formula.DerivativeText().size());
  return (kWorstValues * f + kWorstDerivatives * derivative) * kNanosecondsPerCharacter >
         kSlowNanoseconds;
}

}  // namespace app
