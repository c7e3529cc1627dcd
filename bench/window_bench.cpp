// SPDX-License-Identifier: GPL-3.0-or-later
// window_bench: opening a detail window at the pass cap, offscreen. The
// comparison run with the precision "-1" leaves bisection, chords and
// tangents at their caps (5,001 or 5,002 passes); the window of each then
// works out its verdicts, reference roots, measures and plots when it opens,
// never during the run. Prints the best and the median wall time of a few
// openings, from the constructor to the painted window.
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/comparison_run.h"
#include "app/number_text.h"
#include "core/errors.h"
#include "core/floating_point_environment.h"
#include "core/method_table.h"
#include "tests/doubles/fake_window.h"
#include "ui/detail/detail_window.h"

namespace {

constexpr int kOpenings = 7;

std::shared_ptr<const app::RunRecord> RunAtTheCap() {
  doubles::FakeWindow window;
  window.SetInput(app::Input::kPrecision, "-1");
  app::SharedState state;
  app::ComparisonRun run;
  try {
    run.Execute(window, state);
  } catch (const core::Exception&) {
    // The secants end in an invalid operation, as in the program.
  }
  return run.LastRun();
}

double OpenMilliseconds(const std::shared_ptr<const app::RunRecord>& run, std::uint8_t method) {
  QElapsedTimer timer;
  timer.start();
  auto* window = new ui::DetailWindow(run, method);
  window->show();
  window->repaint();
  QApplication::processEvents();
  const double elapsed = static_cast<double>(timer.nsecsElapsed()) / 1e6;
  delete window;
  QApplication::processEvents();
  return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  core::EstablishFloatingPointEnvironment();
  app::SetDecimalSeparator(",");
  const std::shared_ptr<const app::RunRecord> run = RunAtTheCap();
  std::printf("%-12s %8s %10s %10s\n", "window", "passes", "best, ms", "median, ms");
  for (const core::MethodEntry& method : core::kMethods) {
    const core::MethodHistory& history = run->methods[method.number - 1u];
    if (!history.ran) continue;
    std::vector<double> times;
    for (int i = 0; i < kOpenings; ++i) times.push_back(OpenMilliseconds(run, method.number));
    std::sort(times.begin(), times.end());
    std::printf("%-12s %8zu %10.1f %10.1f\n", std::string(method.key).c_str(),
                history.passes.size(), times.front(), times[times.size() / 2]);
  }
  return 0;
}
