// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the floating-point environment and the decimal separator first,
// then the application's identity, the four windows, and the event loop,
// which shows the main window and runs until the main window is closed.
#include <QApplication>

#include "app/number_text.h"
#include "core/floating_point_environment.h"
#include "ui/start_up.h"

int main(int argc, char* argv[]) {
  core::EstablishFloatingPointEnvironment();
  app::ReadDecimalSeparator();
  QApplication application(argc, argv);
  // The toolkit's start-up may have touched the floating-point settings.
  core::EstablishFloatingPointEnvironment();
  ui::SetApplicationIdentity();
  ui::CreateWindows();
  ui::ShowMainWindowFromEventLoop();
  const int exit_code = QApplication::exec();
  ui::DestroyWindows();
  return exit_code;
}
