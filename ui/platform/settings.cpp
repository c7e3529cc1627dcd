// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/settings.h"

#include <sys/stat.h>

#include <QFile>
#include <QStandardPaths>
#include <utility>

namespace ui {

namespace {

// Whether the settings file, and the lock file that saving makes beside it,
// are regular files or not there: a named pipe would hold the program when it
// is read, and saving would put a regular file in the place of whatever it
// is. Said once on standard error when they are not.
bool SettingsFileUsable(const QString& path) {
  static bool told = false;
  for (const QString& file : {path, path + QStringLiteral(".lock")}) {
    struct stat status {};
    if (::stat(QFile::encodeName(file).constData(), &status) != 0 || S_ISREG(status.st_mode))
      continue;
    if (!std::exchange(told, true)) {
      qWarning(
          "nonlinear-equations: %s is not a regular file; the settings are neither read "
          "nor saved",
          qUtf8Printable(file));
    }
    return false;
  }
  told = false;  // and told again should it become unusable again
  return true;
}

}  // namespace

QSettings ProgramSettings() {
  const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                       QStringLiteral("/nonlinear-equations/nonlinear-equations.ini");
  if (!SettingsFileUsable(path)) {
    // Settings that read nothing and cannot be saved: no folder can be made
    // inside a device file, so neither the file nor its lock ever appears.
    return QSettings(QStringLiteral("/dev/null/nonlinear-equations.ini"), QSettings::IniFormat);
  }
  return QSettings(QSettings::IniFormat, QSettings::UserScope,
                   QStringLiteral("nonlinear-equations"), QStringLiteral("nonlinear-equations"));
}

}  // namespace ui
