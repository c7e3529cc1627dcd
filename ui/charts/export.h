// SPDX-License-Identifier: GPL-3.0-or-later
// A plot as a picture: drawn anew from the chart at the size asked for (not
// a screen grab), titled with what it shows, its legend under it. PNG at a
// chosen size and resolution, SVG, or an image on the clipboard.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

class QChartView;
class QWidget;

namespace ui {

// The picture's pixels and how many of them make one pixel of the plot as
// the screen shows it at scale 1: 1600 × 1000 at 2 draws an 800 × 500 plot
// with its lines and letters twice as fine.
struct PictureSize {
  QSize pixels{1600, 1000};
  int scale = 2;
};

// Asks for the size of a PNG; nothing when the user cancels. Tests answer
// instead of the dialog.
using PictureSizeChooser = std::function<std::optional<PictureSize>(QWidget*, PictureSize)>;
std::optional<PictureSize> ChoosePictureSize(QWidget* parent, PictureSize initial);
void SetPictureSizeChooser(PictureSizeChooser chooser);
void RestoreDefaultPictureSizeChooser();

// The chart of `view` under `title`; the view shows its own title again
// afterwards, at its own size.
QImage ChartImage(QChartView& view, const QString& title, PictureSize size);
QByteArray ChartPng(QChartView& view, const QString& title, PictureSize size);
// At `size` pixels of the plot at scale 1.
QByteArray ChartSvg(QChartView& view, const QString& title, QSize size);
void CopyChartImage(QChartView& view, const QString& title);

}  // namespace ui
