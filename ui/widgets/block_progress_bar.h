// SPDX-License-Identifier: GPL-3.0-or-later
// A horizontal progress bar drawn in blocks, as the classic progress bar
// is: a sunken edge, then blocks two thirds as wide as they are high with a
// gap of two pixels, up to the filled part. Qt's own styles draw a
// continuous bar.
#pragma once

#include <QProgressBar>

namespace ui {

class BlockProgressBar : public QProgressBar {
  Q_OBJECT

 public:
  static constexpr int kBlockGap = 2;

  explicit BlockProgressBar(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace ui
