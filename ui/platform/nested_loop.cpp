// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/nested_loop.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <utility>

namespace ui {

namespace {

int& Depth() {
  static int depth = 0;
  return depth;
}

QList<QPointer<QObject>>& Waiting() {
  static QList<QPointer<QObject>> waiting;
  return waiting;
}

}  // namespace

NestedLoopScope::NestedLoopScope() {
  ++Depth();
}

// The deleteLater() calls come from the handler's frame, below every nested
// loop, so the loop beneath performs them once the handler has returned.
NestedLoopScope::~NestedLoopScope() {
  if (--Depth() > 0) return;
  const QList<QPointer<QObject>> waiting = std::exchange(Waiting(), {});
  for (const QPointer<QObject>& object : waiting)
    if (!object.isNull()) object->deleteLater();
}

bool NestedLoopRuns() {
  return Depth() > 0;
}

void DeleteOnceLoopsEnd(QObject* object) {
  if (NestedLoopRuns()) {
    if (!Waiting().contains(object)) Waiting().append(object);
  } else {
    object->deleteLater();
  }
}

}  // namespace ui
