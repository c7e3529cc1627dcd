// SPDX-License-Identifier: GPL-3.0-or-later
// The status bar's only panel: one line of text (two at large fonts) in a
// sunken frame. A text
// wider than the panel is cut with "…" and shown whole in the tooltip; the
// panel never asks for more width than the window has, so a long text cannot
// push the window's edge out. Screen readers get the whole text.
#pragma once

#include <QLabel>
#include <QString>

namespace ui {

class StatusPanel : public QLabel {
  Q_OBJECT

 public:
  explicit StatusPanel(QWidget* parent = nullptr);

  // Replaces the text; the tooltip follows.
  void ShowText(const QString& text);

  // How many lines the panel holds (1 unless set); the text wraps at word
  // boundaries and is cut with "…" only after the last.
  void SetLines(int lines);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QRect TextArea() const;
  QString ShownText() const;
  void UpdateToolTip();

  int lines_ = 1;
};

}  // namespace ui
