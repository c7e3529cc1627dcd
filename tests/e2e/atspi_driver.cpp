// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the program's windows as the program does, computes the default
// equation and opens the detail window of the first row of the results
// table, then waits for atspi_e2e.sh to read it over the accessibility bus.
// With "--own-equation" it opens the typed-equation window instead, for
// own_equation_atspi_e2e.sh to type into and listen to. Quits by itself
// after a minute.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <iostream>

#include "ui/Unit1.h"
#include "ui/Unit4.h"
#include "ui/detail/detail_opener.h"
#include "ui/detail/detail_window.h"
#include "ui/start_up.h"

int main(int argc, char* argv[]) {
  ui::PrepareProcess();
  QApplication application(argc, argv);
  SetSplashSleep([](int) {});
  ui::StartProgram();
  ui::ShowMainWindowFromEventLoop();
  if (QApplication::arguments().contains(QStringLiteral("--own-equation"))) {
    QTimer::singleShot(200, [] {
      Form1->OwnEquationItem->trigger();
      std::cout << "opened" << std::endl;
    });
  } else {
    QTimer::singleShot(200, [] {
      Form1->SpeedButton1->click();
      ui::DetailWindow* window = Form1->DetailOpener->OpenRow(1);
      std::cout << (window != nullptr ? "opened" : "nothing opened") << std::endl;
    });
  }
  QTimer::singleShot(60000, &application, &QApplication::quit);
  const int exit_code = QApplication::exec();
  ui::DestroyWindows();
  return exit_code;
}
