// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader says once a comparison run has ended: the results
// table and the status line in one sentence a listener can follow, in the
// words the detail window uses (method_summary.h).
#pragma once

#include <string>
#include <string_view>

#include "app/comparison_run.h"

namespace app {

// Each method of the results table, top down, with its result line and its
// verdict, then `status`: "Готово. Метод касательных: корень (как в
// таблице): 2,095, итераций: 4; <verdict>. … <status>".
std::string RunAnnouncement(const RunRecord& run, std::string_view status);

}  // namespace app
