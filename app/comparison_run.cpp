// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/comparison_run.h"

#include <array>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "app/number_text.h"
#include "app/run_verdict.h"
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
  record->source = window.SelectedSource();
  record->equation_text = record->source.Text();
  record->start_text = window.InputText(Input::kStart);
  record->precision_text = window.InputText(Input::kPrecision);
  record->end_text = window.InputText(Input::kEnd);
  record->method_set = window.Methods();
  record->parameters = window.Parameters();
  record->rows.assign(record->method_set.begin(), record->method_set.end());
  for (const core::MethodEntry& entry : core::kMethods)
    core::ForMethod(record->methods, entry.number).method = entry.number;
  return record;
}

// Row r of the results table holds the run's r-th method until the sort.
void SolveWithEachMethod(ComparisonWindow& window, SharedState& state, RunRecord& record) {
  int row = 0;
  for (const core::Method method : record.method_set) {
    ++row;
    // Read again for every method: a command processed between two methods
    // may have changed them. Each history keeps the numbers its method used.
    const double start = ReadInput(window, Input::kStart);
    const double precision = ReadInput(window, Input::kPrecision);
    const double end = ReadInput(window, Input::kEnd);
    const std::int32_t count =
        core::run(window, state.coefficients, method, state.root, start, precision, end,
                  record.parameters, &core::ForMethod(record.methods, method));
    window.SetCell(kCountColumn, row, FormatInteger(count));
    // A method whose condition failed has no value: the mark says why.
    const bool refused = core::ForMethod(record.methods, method).refusal.has_value();
    window.SetCell(kRootColumn, row, refused ? std::string() : FormatReal(state.root));
    window.SetProgressPosition(window.ProgressPosition() + 1);
    window.ProcessMessages();
  }
}

void SwapRows(ComparisonWindow& window, std::vector<core::Method>& methods, int row,
              int other_row) {
  for (int column = 0; column < window.ColumnCount(); ++column) {
    const std::string text = window.Cell(column, row);
    window.SetCell(column, row, window.Cell(column, other_row));
    window.SetCell(column, other_row, text);
  }
  std::swap(methods.at(static_cast<std::size_t>(row - 1)),
            methods.at(static_cast<std::size_t>(other_row - 1)));
}

// A bubble sort over whole rows by the counts read back as numbers; only a
// strictly greater count moves down, so equal counts keep the method order.
// The methods of the rows move with them.
void SortRowsByIterationCount(ComparisonWindow& window, std::vector<core::Method>& methods) {
  const int rows = window.RowCount();
  for (int pass = 1; pass < rows; ++pass) {
    for (int row = 1; row <= rows - 2; ++row) {
      if (ParseInteger(window.Cell(kCountColumn, row)) >
          ParseInteger(window.Cell(kCountColumn, row + 1)))
        SwapRows(window, methods, row, row + 1);
    }
  }
}

// After the value of each method that did not converge to a root inside
// [start, end], what became of it: "1,999 — не корень", "4,712 — вне
// отрезка". The row's method comes from the record, never from its text, and
// the counts, which the sort read, stay as they are. A run that an error ended
// marks the methods that ran before it too, for their values stay in the
// table; the failed method's row keeps only what the error left.
void MarkRows(ComparisonWindow& window, const RunRecord& record) {
  for (std::size_t index = 0; index < record.rows.size(); ++index) {
    const core::MethodHistory& history = record.History(record.rows[index]);
    if (!history.ran || history.error) continue;
    const std::string mark = TableMark(VerdictOf(record, record.rows[index]));
    if (mark.empty()) continue;
    const int row = static_cast<int>(index) + 1;
    const std::string value = window.Cell(kRootColumn, row);
    window.SetCell(kRootColumn, row,
                   value.empty() ? mark : value + std::string(kMarkSeparator) + mark);
  }
}

}  // namespace

void WriteTableHeaders(ComparisonWindow& window) {
  for (std::size_t column = 0; column < kColumnHeaders.size(); ++column)
    window.SetCell(static_cast<int>(column), 0, std::string(kColumnHeaders[column]));
  int row = 0;
  for (const core::Method method : window.Methods())
    window.SetCell(kNameColumn, ++row, std::string(core::EntryOf(method).name));
}

std::vector<core::Method> FastestMethods(const RunRecord& run) {
  std::vector<core::Method> fastest;
  if (!run.judged) return fastest;
  for (const core::Method method : run.rows) {
    if (!FoundRoot(core::ForMethod(run.verdicts, method).outcome)) continue;
    // The rows are sorted by count: the ties follow the first at once.
    if (!fastest.empty() && *run.History(method).count != *run.History(fastest.front()).count)
      break;
    fastest.push_back(method);
  }
  return fastest;
}

std::optional<core::Method> FastestMethod(const RunRecord& run) {
  const std::vector<core::Method> fastest = FastestMethods(run);
  if (fastest.empty()) return std::nullopt;
  return fastest.front();
}

std::string FastestMethodText(const RunRecord& run) {
  if (!run.judged) return std::string();
  const std::optional<core::Method> fastest = FastestMethod(run);
  if (!fastest) return std::string(kNoRootMessage);
  return std::string(kFastestMethodMessage) + std::string(core::EntryOf(*fastest).name);
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
    MarkRows(window, *record);
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

  SortRowsByIterationCount(window, record.rows);
  JudgeMethods(record);
  MarkRows(window, record);
  window.SetStatusText(FastestMethodText(record));
  window.SetProgressVisible(false);
}

}  // namespace app
