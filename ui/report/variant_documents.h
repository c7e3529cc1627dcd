// SPDX-License-Identifier: GPL-3.0-or-later
// The printed variants for a class (one block per student, several to a
// page) and their answer key.
#pragma once

#include <vector>

#include "app/variants.h"

class QPagedPaintDevice;

namespace ui {

void PaintVariants(QPagedPaintDevice& device, const std::vector<app::Variant>& variants);
void PaintAnswers(QPagedPaintDevice& device, const std::vector<app::Variant>& variants);

}  // namespace ui
