#pragma once

#include <QWidget>

// Placeholder until the help window is built.
class TForm2 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* parent = nullptr);

  // Shows the window non-modally: a hidden window runs its show handler
  // (which reloads help.txt), is placed at its first showing, made visible and
  // raised; a visible window is only raised and activated.
  void ShowNonModal();
};

extern TForm2* Form2;
