// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/settings.h"

namespace ui {

QSettings ProgramSettings() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope,
                   QStringLiteral("nonlinear-equations"), QStringLiteral("nonlinear-equations"));
}

}  // namespace ui
