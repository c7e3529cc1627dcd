// SPDX-License-Identifier: GPL-3.0-or-later
// A voice for screen readers. Qt 6.4 has no announcement event, so a window
// keeps a status object, an empty widget of the status-bar role whose
// accessible name is the latest announcement: changing the name sends the
// name-change event that a screen reader hears over AT-SPI, as it hears a
// live region. Texts given while the user types wait for a pause, so that a
// listener hears each settled state once rather than every keystroke.
#pragma once

#include <QString>
#include <QWidget>
#include <chrono>

class QTimer;

namespace ui {

class Announcer : public QWidget {
  Q_OBJECT

 public:
  static constexpr std::chrono::milliseconds kPause{700};

  explicit Announcer(QWidget* parent, std::chrono::milliseconds pause = kPause);

  // Says `text` once no further text has come for the pause; nothing when
  // it is what the last pause said.
  void SayAfterPause(const QString& text);
  // Says `text` at once, again if it was said before; a text waiting for a
  // pause is dropped.
  void Say(const QString& text);

  // What was said last; empty before anything.
  QString Said() const { return accessibleName(); }
  // Whether a text waits for the pause.
  bool Waiting() const;

 signals:
  // Each time a text is said, with the event screen readers hear.
  void Spoke(const QString& text);

 private:
  void SayWaiting();

  QTimer* pause_;
  QString waiting_;
  QString said_after_pause_;
};

}  // namespace ui
