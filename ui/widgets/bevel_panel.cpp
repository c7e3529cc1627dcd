// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/bevel_panel.h"

#include <qdrawutil.h>
#include <QPainter>
#include <QPalette>

#include "ui/widgets/design_look.h"

namespace ui {

namespace {

// A bevel is light on the top and left edges and shadowed on the bottom and
// right ones when raised, the other way round when lowered.
void DrawBevel(QPainter& painter, const QRect& rect, const QPalette& palette,
               BevelPanel::Bevel bevel) {
  if (bevel == BevelPanel::Bevel::kNone) return;
  qDrawShadePanel(&painter, rect, palette, bevel == BevelPanel::Bevel::kLowered, 1);
}

}  // namespace

BevelPanel::BevelPanel(const QColor& colour, Bevel outer, Bevel inner, QWidget* parent)
    : QWidget(parent), outer_(outer), inner_(inner) {
  SetColours(*this, {{QPalette::Window, colour},
                     {QPalette::Light, Qt::white},
                     {QPalette::Dark, QColor(128, 128, 128)}});
  setAutoFillBackground(true);
}

void BevelPanel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  DrawBevel(painter, rect(), palette(), outer_);
  const QRect inside = outer_ == Bevel::kNone ? rect() : rect().adjusted(1, 1, -1, -1);
  DrawBevel(painter, inside, palette(), inner_);
}

void EtchedGroupBox::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  qDrawShadeRect(&painter, rect(), palette(), true, 1, 0);
}

}  // namespace ui
