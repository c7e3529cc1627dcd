// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/comparison_run.h"

#include <array>
#include <memory>
#include <string_view>
#include <utility>

#include "app/number_text.h"
#include "core/errors.h"
#include "core/extended.h"
#include "core/method_table.h"

namespace app {

namespace {

constexpr int kNameColumn = 0;
constexpr int kRootColumn = 1;
constexpr int kCountColumn = 2;

// The column headers; row r names method number r until the sort reorders the rows.
constexpr std::array<std::string_view, 3> kColumnHeaders = {
    "Метод рассчета",
    "Значение",
    "Кол-во итераций",
};

// Clears the flag on every way out of a run, errors included.
class RunningFlag {
 public:
  explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~RunningFlag() { flag_ = false; }
  RunningFlag(const RunningFlag&) = delete;
  RunningFlag& operator=(const RunningFlag&) = delete;

 private:
  bool& flag_;
};

void EmptyTableAndStatus(ComparisonWindow& window) {
  for (int column = 0; column < window.ColumnCount(); ++column)
    for (int row = 0; row < window.RowCount(); ++row) window.SetCell(column, row, "");
  window.SetStatusText("");
}

// Reads an input box and stores the number into a double, which is where a
// magnitude beyond the double range overflows.
double ReadInput(const ComparisonWindow& window, Input input) {
  return core::Extended(ParseReal(window.InputText(input))).ToDouble();
}

// A record for a run about to begin: the inputs as typed, and no method run
// yet. When nothing else holds the previous record any more, its pass lists
// are taken over: memory the program first touches costs far more than the
// passes written into it, and a run at the caps writes 15,000 of them.
std::shared_ptr<RunRecord> NewRecord(const ComparisonWindow& window,
                                     std::shared_ptr<RunRecord> previous) {
  auto record = std::make_shared<RunRecord>();
  if (previous != nullptr && previous.use_count() == 1) {
    for (std::size_t i = 0; i < record->methods.size(); ++i) {
      record->methods[i].passes = std::move(previous->methods[i].passes);
      record->methods[i].passes.clear();
    }
  }
  record->equation_text = window.SelectedSource().Text();
  record->start_text = window.InputText(Input::kStart);
  record->precision_text = window.InputText(Input::kPrecision);
  record->end_text = window.InputText(Input::kEnd);
  for (const core::MethodEntry& entry : core::kMethods)
    record->methods[entry.number - 1].method = entry.number;
  return record;
}

void SolveWithEachMethod(ComparisonWindow& window, SharedState& state, RunRecord& record) {
  for (const core::MethodEntry& entry : core::kMethods) {
    const int method = entry.number;
    // Read again for every method: a command processed between two methods
    // may have changed them. Each history keeps the numbers its method used.
    const double start = ReadInput(window, Input::kStart);
    const double precision = ReadInput(window, Input::kPrecision);
    const double end = ReadInput(window, Input::kEnd);
    const std::int32_t count = core::run(window, state.coefficients, entry.number, state.root,
                                         start, precision, end, &record.methods[method - 1]);
    window.SetCell(kCountColumn, method, FormatInteger(count));
    window.SetCell(kRootColumn, method, FormatReal(state.root));
    window.SetProgressPosition(window.ProgressPosition() + 1);
    window.ProcessMessages();
  }
}

void SwapRows(ComparisonWindow& window, int row, int other_row) {
  for (int column = 0; column < window.ColumnCount(); ++column) {
    const std::string text = window.Cell(column, row);
    window.SetCell(column, row, window.Cell(column, other_row));
    window.SetCell(column, other_row, text);
  }
}

// A bubble sort over whole rows by the counts read back as numbers; only a
// strictly greater count moves down, so equal counts keep the method order.
void SortRowsByIterationCount(ComparisonWindow& window) {
  const int rows = window.RowCount();
  for (int pass = 1; pass < rows; ++pass) {
    for (int row = 1; row <= rows - 2; ++row) {
      if (ParseInteger(window.Cell(kCountColumn, row)) >
          ParseInteger(window.Cell(kCountColumn, row + 1)))
        SwapRows(window, row, row + 1);
    }
  }
}

}  // namespace

void WriteTableHeaders(ComparisonWindow& window) {
  for (std::size_t column = 0; column < kColumnHeaders.size(); ++column)
    window.SetCell(static_cast<int>(column), 0, std::string(kColumnHeaders[column]));
  for (const core::MethodEntry& entry : core::kMethods)
    window.SetCell(kNameColumn, entry.number, std::string(entry.name));
}

void ComparisonRun::Execute(ComparisonWindow& window, SharedState& state) {
  if (running_) return;
  const RunningFlag running(running_);
  // The table empties now, and so does the latest run: until this one ends
  // there is none to show (windows still holding the old record keep it).
  std::shared_ptr<RunRecord> record = NewRecord(window, std::exchange(last_run_, nullptr));
  try {
    Solve(window, state, *record);
  } catch (const core::Exception&) {
    last_run_ = std::move(record);  // the methods that ran, the failed one with its message
    throw;
  }
  last_run_ = std::move(record);
}

void ComparisonRun::Solve(ComparisonWindow& window, SharedState& state, RunRecord& record) {
  EmptyTableAndStatus(window);
  WriteTableHeaders(window);
  state.coefficients.k = ReadInput(window, Input::kK);
  record.k = state.coefficients.k;
  state.coefficients.l = ReadInput(window, Input::kL);
  record.l = state.coefficients.l;
  window.SetProgressVisible(true);
  window.SetProgressPosition(0);

  SolveWithEachMethod(window, state, record);

  SortRowsByIterationCount(window);
  window.SetStatusText(std::string(kFastestMethodMessage) + window.Cell(kNameColumn, 1));
  window.SetProgressVisible(false);
}

}  // namespace app
