// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/announcer.h"

#include <QAccessible>
#include <QTimer>

#include "ui/error_boundary.h"
#include "ui/platform/window_role.h"

namespace ui {

Announcer::Announcer(QWidget* parent, std::chrono::milliseconds pause) : QWidget(parent) {
  setObjectName(QStringLiteral("Announcer"));
  SetAccessibleRole(*this, QAccessible::StatusBar);
  setAccessibleDescription(QStringLiteral("Сообщения окна"));
  setFocusPolicy(Qt::NoFocus);
  // Shown, so that screen readers take it for a part of the window, but with
  // nothing to see and no room taken.
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setGeometry(0, 0, 0, 0);
  pause_ = new QTimer(this);
  pause_->setSingleShot(true);
  pause_->setInterval(pause);
  connect(pause_, &QTimer::timeout, this, [this] { Guarded([this] { SayWaiting(); }); });
}

void Announcer::SayAfterPause(const QString& text) {
  waiting_ = text;
  pause_->start();
}

void Announcer::Say(const QString& text) {
  pause_->stop();
  waiting_.clear();
  if (accessibleName() == text) {
    // The same words again, as after a second solve with the same results:
    // the name does not change, so the event is sent here.
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
  } else {
    setAccessibleName(text);
  }
  emit Spoke(text);
}

bool Announcer::Waiting() const {
  return pause_->isActive();
}

void Announcer::SayWaiting() {
  if (waiting_ == said_after_pause_) return;
  said_after_pause_ = waiting_;
  Say(said_after_pause_);
}

}  // namespace ui
