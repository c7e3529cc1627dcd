// SPDX-License-Identifier: GPL-3.0-or-later
// The About box: the program's picture and full title, shown modally.
#pragma once

#include <QDialog>

#include "ui/widgets/placement.h"

class QPlainTextEdit;
class QPushButton;
namespace ui {
class BevelPanel;
class StretchedImage;
}  // namespace ui

class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(QWidget* parent = nullptr);

  ui::BevelPanel* const Panel1;
  ui::StretchedImage* const ProgramIcon;
  QPushButton* const OKButton;
  QPlainTextEdit* const Memo1;

  // Closes the box, which ends its modal showing.
  void OKButtonClick(QObject* sender);

  // Shows the box modally, placed at its first showing, and returns when it
  // has been closed. The program's other windows take no input meanwhile.
  int ShowModal();

 protected:
  // A dialog closes on Escape by default; this one does not.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  ui::PlaceOnce first_place_;
};

extern TAboutBox* AboutBox;
