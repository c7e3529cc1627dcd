// SPDX-License-Identifier: GPL-3.0-or-later
// A panel: a plain colour framed by up to two one-pixel bevels; and a group
// box framed by an etched 3-D line.
#pragma once

#include <QColor>
#include <QGroupBox>
#include <QWidget>

namespace ui {

class BevelPanel : public QWidget {
 public:
  enum class Bevel { kNone, kLowered, kRaised };

  BevelPanel(const QColor& colour, Bevel outer, Bevel inner, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const Bevel outer_;
  const Bevel inner_;
};

// A group box without caption whose frame is the classic etched line, a
// shadow line beside a highlight line, drawn in its palette's Dark and Light.
// The toolkit's own frame is a faint blend that all but vanishes on a light
// grey background.
class EtchedGroupBox : public QGroupBox {
 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace ui
