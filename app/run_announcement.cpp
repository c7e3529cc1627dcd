// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/run_announcement.h"

#include "app/method_analysis.h"
#include "app/method_summary.h"
#include "core/method_table.h"

namespace app {

std::string RunAnnouncement(const RunRecord& run, std::string_view status) {
  const RunAnalyses analyses = AnalyseRun(run);
  std::string text = "Готово.";
  for (const core::Method method : run.rows) {
    const MethodSummary summary = Summarize(run, method, core::ForMethod(analyses, method));
    text += " " + std::string(core::EntryOf(method).name) + ": " + summary.result + "; " +
            summary.verdict;
    if (text.back() != '.') text += '.';
  }
  if (!status.empty()) text += " " + std::string(status);
  return text;
}

}  // namespace app
