#pragma once

#include <QDialog>

// Placeholder until the About box is built.
class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(QWidget* parent = nullptr);

  // Shows the box modally and returns when it has been closed.
  int ShowModal();
};

extern TAboutBox* AboutBox;
