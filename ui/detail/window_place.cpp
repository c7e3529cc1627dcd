// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/detail/window_place.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QWidget>
#include <algorithm>
#include <memory>
#include <utility>

namespace ui {

namespace {

constexpr int kLinesWide = 84;
constexpr int kLinesHigh = 56;
const QString kSizeKey = QStringLiteral("detail_window/size");
const QString kFolderKey = QStringLiteral("detail_window/export_folder");

// Whether the settings file, and the lock file that saving makes beside it,
// are regular files or not there: a named pipe would hold the program when it
// is read, and saving would put a regular file in the place of whatever it
// is. Said once on standard error when they are not.
bool SettingsFileUsable() {
  static bool told = false;
  const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                       QStringLiteral("/nonlinear-equations/nonlinear-equations.ini");
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

// The settings, or none when their file cannot be used.
std::unique_ptr<QSettings> Settings() {
  if (!SettingsFileUsable()) return nullptr;
  return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                     QStringLiteral("nonlinear-equations"),
                                     QStringLiteral("nonlinear-equations"));
}

QVariant Setting(const QString& key) {
  const std::unique_ptr<QSettings> settings = Settings();
  return settings != nullptr ? settings->value(key) : QVariant();
}

void SetSetting(const QString& key, const QVariant& value) {
  if (const std::unique_ptr<QSettings> settings = Settings()) settings->setValue(key, value);
}

}  // namespace

QSize DetailWindowSize(const QWidget& window, const QRect& available) {
  QSize size = Setting(kSizeKey).toSize();
  if (!size.isValid()) {
    const int line = window.fontMetrics().height();
    size = QSize(kLinesWide * line, kLinesHigh * line);
  }
  const QSize room = available.size() * 9 / 10;
  return size.boundedTo(room);
}

void RememberDetailWindowSize(const QSize& size) {
  SetSetting(kSizeKey, size);
}

QPoint BesideMainWindow(const QRect& main, const QSize& outer, const QRect& available) {
  const int right_room = available.right() - main.right();
  const int left_room = main.left() - available.left();
  QPoint at(right_room >= left_room ? main.right() + 1 : main.left() - outer.width(), main.top());
  // Where neither side has room, the window overlaps the main window but
  // stays on the screen.
  at.setX(std::clamp(at.x(), available.left(),
                     std::max(available.left(), available.right() + 1 - outer.width())));
  at.setY(std::clamp(at.y(), available.top(),
                     std::max(available.top(), available.bottom() + 1 - outer.height())));
  return at;
}

QString InExportFolder(const QString& file_name) {
  QString folder = Setting(kFolderKey).toString();
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
  return QDir(folder).filePath(file_name);
}

void RememberExportFolder(const QString& saved_path) {
  SetSetting(kFolderKey, QFileInfo(saved_path).absolutePath());
}

}  // namespace ui
