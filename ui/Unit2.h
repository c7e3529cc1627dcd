// SPDX-License-Identifier: GPL-3.0-or-later
// The help window: help.txt from the current directory, read-only, in a
// non-modal window beside the main window.
#pragma once

#include <QWidget>

#include "ui/widgets/placement.h"
#include "ui/widgets/text_view.h"

class QPushButton;
namespace ui {
class BevelPanel;
}

class TForm2 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* parent = nullptr);

  // A plain text box that lays out only what it shows, so that any help.txt
  // the window accepts shows at once.
  ui::TextView* const Memo1;
  ui::BevelPanel* const Panel1;
  QPushButton* const BitBtn1;

  // Hides the window.
  void BitBtn1Click(QObject* sender);

  // Loads help.txt into Memo1. Raises EFOpenError when the file cannot be
  // opened and EInvalidOperation when it exceeds the text box's capacity;
  // Memo1 then keeps its text.
  void FormShow(QObject* sender);

  // Shows the window non-modally: a hidden window runs its show handler
  // (which reloads help.txt; an error is reported before the window becomes
  // visible), is placed at its first showing, made visible and raised; a
  // visible window is only raised and activated.
  void ShowNonModal();

 private:
  ui::PlaceOnce first_place_;
};

extern TForm2* Form2;
