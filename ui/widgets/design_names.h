// SPDX-License-Identifier: GPL-3.0-or-later
// Design names: every control of a designed window carries its name in the
// design as its objectName, so that findChild<QLineEdit*>("Edit1") finds it
// and a debugger or an inspector shows which control is which.
#pragma once

#include <QObject>
#include <QString>
#include <initializer_list>

namespace ui {

struct DesignName {
  QObject* control;
  const char* name;
};

inline void SetDesignNames(std::initializer_list<DesignName> names) {
  for (const DesignName& entry : names) entry.control->setObjectName(QLatin1String(entry.name));
}

}  // namespace ui

// The window's member is named as in the design, so the member's own name is
// the design name: SetDesignNames({NLE_DESIGN_NAME(Edit1), ...}).
#define NLE_DESIGN_NAME(member) \
  ::ui::DesignName {            \
    member, #member             \
  }
