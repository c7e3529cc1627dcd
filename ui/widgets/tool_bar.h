// SPDX-License-Identifier: GPL-3.0-or-later
// A toolbar of raised image buttons at fixed positions, with an etched line
// along its top edge. Its separators are blank gaps, as they are between
// raised (not flat) toolbar buttons.
#pragma once

#include <QIcon>
#include <QString>
#include <QToolButton>
#include <QWidget>

namespace ui {

class ToolBar : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kHeight = 34;
  static constexpr int kButtonTop = 2;
  static constexpr int kButtonWidth = 23;
  static constexpr int kButtonHeight = 22;
  static constexpr int kSeparatorWidth = 8;
  static constexpr int kIconSize = 16;

  explicit ToolBar(QWidget* parent = nullptr);

  // An image-only button at `left`, named after its tooltip; it never takes
  // the keyboard focus.
  QToolButton* AddButton(int left, const QIcon& image, const QString& tooltip);
  // A blank gap at `left`.
  QWidget* AddSeparator(int left);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace ui
