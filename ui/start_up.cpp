// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/start_up.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include "app/number_text.h"
#include "core/floating_point_environment.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"
#include "ui/Unit4.h"
#include "ui/platform/display_guard.h"
#include "ui/platform/keyboard_context_menu.h"
#include "ui/platform/qt_translations.h"

namespace ui {

void PrepareProcess() {
  core::EstablishFloatingPointEnvironment();
  app::ReadDecimalSeparator();
  GuardDisplay();
}

void StartProgram() {
  ReleaseDisplayGuard();
  core::EstablishFloatingPointEnvironment();
  SetApplicationIdentity();
  LoadQtTranslations();
  CreateWindows();
}

void SetApplicationIdentity() {
  // The title "Решение нелинейных уравнений" reaches the task bar through the
  // desktop entry's Name: the entry is found by the window class (the
  // application name, the entry's StartupWMClass) and by the desktop file
  // name (the entry's id). The error reports take their caption from the same
  // title (app/error_report.h).
  // Not setApplicationDisplayName: on X11 Qt appends that to every caption.
  QCoreApplication::setApplicationName(QStringLiteral("nonlinear-equations"));
  QGuiApplication::setDesktopFileName(QStringLiteral(NLE_APP_ID));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/assets/app_icon.png")));
  // With the help window still open the toolkit would keep running; the
  // main window's close ends the program itself.
  QApplication::setQuitOnLastWindowClosed(false);
}

void CreateWindows() {
  OpenContextMenusFromKeyboard(*qApp);
  Form1 = new TForm1();
  AboutBox = new TAboutBox();
  Form4 = new TForm4();
  Form2 = new TForm2();
  // Creating windows may have changed the floating-point settings; the
  // program's own apply again.
  core::EstablishFloatingPointEnvironment();
}

void ShowMainWindowFromEventLoop() {
  QTimer::singleShot(0, Form1, [] { Form1->show(); });
}

void DestroyWindows() {
  delete Form2;
  Form2 = nullptr;
  delete Form4;
  Form4 = nullptr;
  delete AboutBox;
  AboutBox = nullptr;
  delete Form1;
  Form1 = nullptr;
}

}  // namespace ui
