// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the floating-point environment and the decimal separator first,
// then the application's identity, the four windows, and the event loop,
// which shows the main window and runs until the main window is closed.
#include <QApplication>

#include "ui/start_up.h"

int main(int argc, char* argv[]) {
  ui::PrepareProcess();
  QApplication application(argc, argv);
  ui::StartProgram();
  ui::ShowMainWindowFromEventLoop();
  const int exit_code = QApplication::exec();
  ui::DestroyWindows();
  return exit_code;
}
