// A panel: a plain colour framed by up to two one-pixel bevels.
#pragma once

#include <QColor>
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

}  // namespace ui
