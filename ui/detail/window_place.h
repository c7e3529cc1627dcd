// SPDX-License-Identifier: GPL-3.0-or-later
// Where a detail window opens and what it remembers between sessions: its
// size (until the user changes it, one from the font and the screen) and the
// folder of the last export. Placed beside the main window, on the side with
// more room, and always within the screen's available area.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

namespace ui {

// The remembered size, or 84 by 56 lines of the font; never more than
// nine tenths of `available`.
QSize DetailWindowSize(const QWidget& window, const QRect& available);
void RememberDetailWindowSize(const QSize& size);

// The top-left corner of a window of `outer` size beside `main` (both frame
// geometries) within `available`.
QPoint BesideMainWindow(const QRect& main, const QSize& outer, const QRect& available);

// The folder of the last saved file, else the home folder; the suggested
// file name goes in it.
QString InExportFolder(const QString& file_name);
void RememberExportFolder(const QString& saved_path);

}  // namespace ui
