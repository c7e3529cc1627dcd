// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/steady_cursor.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>

namespace ui {

namespace {

// The blink rate to restore; negative while the cursor blinks as set.
int& SavedFlashTime() {
  static int saved = -1;
  return saved;
}

void SetSteady(bool steady) {
  int& saved = SavedFlashTime();
  if (steady && saved < 0) {
    saved = QApplication::cursorFlashTime();
    QApplication::setCursorFlashTime(0);
  } else if (!steady && saved >= 0) {
    QApplication::setCursorFlashTime(saved);
    saved = -1;
  }
}

class SteadyCursor : public QObject {
 public:
  explicit SteadyCursor(QLineEdit& edit) : QObject(&edit), edit_(edit) {
    edit.installEventFilter(this);
    connect(&edit, &QLineEdit::textChanged, this, [this] { Update(); });
  }
  ~SteadyCursor() override {
    if (steady_) SetSteady(false);
  }

 protected:
  // The focus has moved already when the edit hears of it.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) Update();
    return QObject::eventFilter(watched, event);
  }

 private:
  void Update() {
    const bool steady = edit_.hasFocus() && edit_.text().size() > kSteadyCursorLength;
    if (steady == steady_) return;
    steady_ = steady;
    SetSteady(steady);
  }

  QLineEdit& edit_;
  bool steady_ = false;
};

}  // namespace

void KeepCursorSteadyWhenLong(QLineEdit& edit) {
  new SteadyCursor(edit);
}

}  // namespace ui
