// SPDX-License-Identifier: GPL-3.0-or-later
// The comparison run: the program's compute command. It reads the inputs, runs
// the methods one after another (the main window's four), fills the results
// table, orders it by iteration count and names the fastest method. It works
// on the main window through ComparisonWindow, so tests drive it with a fake
// window.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/verdict.h"
#include "core/equation_source.h"
#include "core/equations.h"
#include "core/history.h"
#include "core/method_table.h"
#include "core/root_finding.h"

namespace app {

// The five inputs; the table of controls at the top of ui/Unit1.h names the
// edit box of each.
enum class Input { kStart, kPrecision, kEnd, kK, kL };

// What the run needs of the main window, beyond the three operations of the
// root-finding methods (selected equation, precision text, message processing).
class ComparisonWindow : public core::RootFindingHost {
 public:
  // The results table, addressed as (column, row) from 0.
  virtual int ColumnCount() const = 0;
  virtual int RowCount() const = 0;
  virtual std::string Cell(int column, int row) const = 0;
  virtual void SetCell(int column, int row, const std::string& text) = 0;

  virtual void SetStatusText(const std::string& text) = 0;

  virtual void SetProgressVisible(bool visible) = 0;
  virtual int ProgressPosition() const = 0;
  virtual void SetProgressPosition(int position) = 0;

  // The whole current text of an input box, as typed (UTF-8).
  virtual std::string InputText(Input input) const = 0;

  // The methods to solve with, one row of the results table each, and their
  // settings; read once, as a run begins. The main window always runs the
  // four specified methods.
  virtual core::MethodSet Methods() const { return core::MethodSet::Specified(); }
  virtual core::MethodParameters Parameters() const { return {}; }
};

// The main window's shared state.
struct SharedState {
  core::Coefficients coefficients;
  double root = 0;
};

inline constexpr std::string_view kFastestMethodMessage =
    "Самый быстрый метод для данного уравнения - ";
// The status line when the run finished and no method found a root.
inline constexpr std::string_view kNoRootMessage = "Ни один метод не нашёл корень";
// Between a method's value and its mark in the results table: "1,999 — не корень".
inline constexpr std::string_view kMarkSeparator = " — ";

// Writes the header texts of the results table: the column headers, and the
// name of each of the window's methods in its row.
void WriteTableHeaders(ComparisonWindow& window);

// A finished or interrupted comparison as the detail windows show it: what
// was solved, the inputs as typed, the methods and every method's history.
//
// The texts are those the run began with. The run reads the start, precision
// and end boxes again before each method and the equation before each
// evaluation, since commands are processed between the methods; what each
// method really used is in its history (equation, start, precision, end).
struct RunRecord {
  // What the window had selected as the run began: a built-in equation or a
  // typed formula.
  core::EquationSource source;
  // source.Text(): empty when the list's index names no equation.
  std::string equation_text;
  double k = 0;  // 0 until read; an error in k or l stops the run first
  double l = 0;
  std::string start_text;
  std::string precision_text;
  std::string end_text;
  core::MethodSet method_set;
  core::MethodParameters parameters;
  // The method of each row of the results table below the header, top
  // down: the run's order, then the sorted order once the run has finished.
  std::vector<core::Method> rows;
  // One history per method of the table; only those of the run's methods
  // that ran hold more than their method number.
  core::PerMethod<core::MethodHistory> methods;
  // The verdict of each method of the set, judged once the run has finished
  // (an error ends the run before): the marks in the results table and the
  // fastest method rest on them.
  core::PerMethod<Verdict> verdicts;
  bool judged = false;

  const core::MethodHistory& History(std::uint8_t method) const {
    return core::ForMethod(methods, method);
  }
};

// The method that the status line names fastest: among the methods that
// found a root, the fewest iterations, the earlier method on a tie, as the
// sorted table has them; none when an error cut the run short or no method
// found a root.
std::optional<core::Method> FastestMethod(const RunRecord& run);
// Every method that ties for the fewest iterations among those that found a
// root, in the table's order; empty where FastestMethod is none.
std::vector<core::Method> FastestMethods(const RunRecord& run);

// "Самый быстрый метод для данного уравнения - Метод касательных";
// kNoRootMessage when the run finished without a root; empty when an error
// cut it short.
std::string FastestMethodText(const RunRecord& run);

// Runs whole comparisons. A compute command that arrives while a run is under
// way (through the message processing inside it) is ignored: a nested run
// would empty and re-sort the table under the interrupted one.
class ComparisonRun {
 public:
  // Runs one comparison, or does nothing when one is already running. Errors
  // propagate to the caller and leave the partial state as it is.
  void Execute(ComparisonWindow& window, SharedState& state);
  bool IsRunning() const { return running_; }
  // The latest run, kept whole until the next one begins; null before the
  // first and while a run is under way. A run that ends in an error is kept
  // too. Windows opened from it hold on to it, so a later run never changes
  // what they show.
  std::shared_ptr<const RunRecord> LastRun() const { return last_run_; }

 private:
  void Solve(ComparisonWindow& window, SharedState& state, RunRecord& record);

  bool running_ = false;
  std::shared_ptr<RunRecord> last_run_;
};

}  // namespace app
