#include "ui/system_colours.h"

#include <QApplication>
#include <QPalette>

namespace ui {

QColor SystemColour(SystemColourIndex index) {
  const QPalette palette = QApplication::palette();
  switch (index) {
    case kWindowText:
      return palette.color(QPalette::WindowText);
    case kButtonFace:
      return palette.color(QPalette::Button);
    case k3DLight:
      return palette.color(QPalette::Midlight);
    case kScrollBar:
      return QColor(200, 200, 200);
    case kInactiveCaption:
      return QColor(191, 205, 219);
    case kGradientActiveCaption:
      return QColor(185, 209, 234);
    case kGradientInactiveCaption:
      return QColor(215, 228, 242);
  }
  return palette.color(QPalette::Window);
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
