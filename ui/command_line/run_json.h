// SPDX-License-Identifier: GPL-3.0-or-later
// A comparison as JSON, in the schema the manual page describes.
#pragma once

#include <QByteArray>

#include "app/table_window.h"

namespace ui {

// Indented UTF-8 JSON; with `history`, each method's passes too.
QByteArray RunJson(const app::SolvedRun& solved, bool history);

}  // namespace ui
