// SPDX-License-Identifier: GPL-3.0-or-later
// The printed variants for a class (one block per student, several to a
// page) and their answer key.
#pragma once

#include <QString>
#include <vector>

#include "app/variants.h"

class QPagedPaintDevice;

namespace ui {

void PaintVariants(QPagedPaintDevice& device, const std::vector<app::Variant>& variants);
void PaintAnswers(QPagedPaintDevice& device, const std::vector<app::Variant>& variants);

// Writes variants.pdf, answers.csv and answers.pdf into `folder`, made when
// missing, as one set (app::WriteFileSet): a failure leaves the old set
// whole, and two programs writing into one folder take turns.
void WriteVariantFiles(const QString& folder, const std::vector<app::Variant>& variants);

}  // namespace ui
