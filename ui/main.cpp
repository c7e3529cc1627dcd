// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: with options of its own the program runs from the command line
// and opens no display. Otherwise the floating-point environment and the
// decimal separator first, then the application's identity, the four
// windows, and the event loop, which shows the main window and runs until the
// main window is closed.
#include <QApplication>

#include "ui/command_line/command_line.h"
#include "ui/command_line/qt_options.h"
#include "ui/start_up.h"

int main(int argc, char* argv[]) {
  if (ui::IsCommandLine(argc, argv)) return ui::RunCommandLine(argc, argv);
  ui::PrepareProcess();
  QApplication application(argc, argv);
  ui::StartProgram();
  ui::ShowMainWindowFromEventLoop();
  const int exit_code = QApplication::exec();
  ui::DestroyWindows();
  return exit_code;
}
