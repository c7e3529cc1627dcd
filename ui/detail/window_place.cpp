// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/detail/window_place.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QWidget>
#include <algorithm>

#include "ui/platform/settings.h"

namespace ui {

namespace {

constexpr int kLinesWide = 84;
constexpr int kLinesHigh = 56;
const QString kSizeKey = QStringLiteral("detail_window/size");
const QString kFolderKey = QStringLiteral("detail_window/export_folder");

}  // namespace

QSize DetailWindowSize(const QWidget& window, const QRect& available) {
  QSize size = ProgramSettings().value(kSizeKey).toSize();
  if (!size.isValid()) {
    const int line = window.fontMetrics().height();
    size = QSize(kLinesWide * line, kLinesHigh * line);
  }
  const QSize room = available.size() * 9 / 10;
  return size.boundedTo(room);
}

void RememberDetailWindowSize(const QSize& size) {
  ProgramSettings().setValue(kSizeKey, size);
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
  QString folder = ProgramSettings().value(kFolderKey).toString();
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
  return QDir(folder).filePath(file_name);
}

void RememberExportFolder(const QString& saved_path) {
  ProgramSettings().setValue(kFolderKey, QFileInfo(saved_path).absolutePath());
}

}  // namespace ui
