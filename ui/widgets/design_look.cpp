// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/design_look.h"

#include <QWidget>

namespace ui {

QColor SystemColour(SystemColourIndex index) {
  switch (index) {
    case kScrollBar:
      return QColor(200, 200, 200);
    case kInactiveCaption:
      return QColor(191, 205, 219);
    case kWindow:
      return QColor(255, 255, 255);
    case kWindowText:
    case kButtonText:
      return QColor(0, 0, 0);
    case kHighlight:
      // The classic navy: the later blue (0, 120, 215) reaches only 4.49:1
      // with white text, short of the 4.5:1 that small text needs.
      return Navy();
    case kHighlightText:
      return QColor(255, 255, 255);
    case kButtonFace:
      return QColor(240, 240, 240);
    case kButtonShadow:
      return QColor(160, 160, 160);
    case kGrayText:
      return QColor(109, 109, 109);
    case kButtonHighlight:
      return QColor(255, 255, 255);
    case k3DDarkShadow:
      return QColor(105, 105, 105);
    case k3DLight:
      return QColor(227, 227, 227);
    case kGradientActiveCaption:
      return QColor(185, 209, 234);
    case kGradientInactiveCaption:
      return QColor(215, 228, 242);
  }
  return QColor(240, 240, 240);
}

QPalette DesignPalette() {
  QPalette palette;
  const auto set = [&palette](QPalette::ColorRole role, SystemColourIndex index) {
    palette.setColor(role, SystemColour(index));
  };
  set(QPalette::Window, kButtonFace);
  set(QPalette::WindowText, kWindowText);
  set(QPalette::Base, kWindow);
  set(QPalette::AlternateBase, kWindow);
  set(QPalette::Text, kWindowText);
  set(QPalette::PlaceholderText, kGrayText);
  set(QPalette::Button, kButtonFace);
  set(QPalette::ButtonText, kButtonText);
  set(QPalette::BrightText, kButtonHighlight);
  set(QPalette::Light, kButtonHighlight);
  set(QPalette::Midlight, k3DLight);
  set(QPalette::Dark, kButtonShadow);
  set(QPalette::Mid, kButtonShadow);
  set(QPalette::Shadow, k3DDarkShadow);
  set(QPalette::Highlight, kHighlight);
  set(QPalette::HighlightedText, kHighlightText);
  for (const QPalette::ColorRole role :
       {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    palette.setColor(QPalette::Disabled, role, SystemColour(kGrayText));
  return palette;
}

void SetColours(QWidget& widget, std::initializer_list<RoleColour> colours) {
  QPalette palette = widget.palette();
  for (const RoleColour& colour : colours) palette.setColor(colour.role, colour.colour);
  widget.setPalette(palette);
}

QFont DesignFont(int character_height, bool bold) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(character_height);
  font.setBold(bold);
  font.setStretch(90);
  return font;
}

}  // namespace ui
