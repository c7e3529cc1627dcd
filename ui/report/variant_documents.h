// SPDX-License-Identifier: GPL-3.0-or-later
// The printed variants for a class (one block per student, several to a
// page, each with the title and a line for the student's name and group)
// and their answer key.
#pragma once

#include <QString>
#include <vector>

#include "app/variants.h"

class QPagedPaintDevice;

namespace ui {

// The handout's title when none is given.
inline const QString kDefaultHandoutTitle = QStringLiteral("Решение нелинейных уравнений");

void PaintVariants(QPagedPaintDevice& device, const std::vector<app::Variant>& variants,
                   const QString& title);
void PaintAnswers(QPagedPaintDevice& device, const app::VariantSet& set, const QString& title);

// Writes variants.pdf, answers.csv and answers.pdf into `folder`, made when
// missing, as one set (app::WriteFileSet): a failure leaves the old set
// whole, and two programs writing into one folder take turns.
void WriteVariantFiles(const QString& folder, const app::VariantSet& set,
                       const QString& title = kDefaultHandoutTitle);

}  // namespace ui
