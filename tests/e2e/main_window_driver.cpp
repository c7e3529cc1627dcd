// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the program's windows as the program does, under a chosen desktop
// look, for window_manager_e2e.sh: "--dark" gives the application a dark
// palette, "--points N" a system font of N points. The splash does not wait.
// Whenever the results table changes size it prints one line: the window's
// height, the heights of the menu bar, the status bar and the table.
#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QMenuBar>
#include <QPalette>
#include <QStatusBar>
#include <iostream>

#include "app/number_text.h"
#include "core/floating_point_environment.h"
#include "ui/Unit1.h"
#include "ui/Unit4.h"
#include "ui/start_up.h"
#include "ui/widgets/results_grid.h"

namespace {

QPalette DarkPalette() {
  QPalette dark(QColor(53, 53, 53), QColor(45, 45, 45));
  dark.setColor(QPalette::WindowText, Qt::white);
  dark.setColor(QPalette::Text, Qt::white);
  dark.setColor(QPalette::ButtonText, Qt::white);
  dark.setColor(QPalette::Base, QColor(30, 30, 30));
  return dark;
}

class SizeReporter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Resize) {
      std::cout << "window " << Form1->height() << " menu " << Form1->menuBar()->height()
                << " status " << Form1->StatusBar1->height() << " grid "
                << Form1->StringGrid1->height() << std::endl;
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  core::EstablishFloatingPointEnvironment();
  app::ReadDecimalSeparator();
  QApplication application(argc, argv);
  core::EstablishFloatingPointEnvironment();
  const QStringList arguments = QApplication::arguments();
  if (arguments.contains(QStringLiteral("--dark"))) QApplication::setPalette(DarkPalette());
  const qsizetype points = arguments.indexOf(QStringLiteral("--points"));
  if (points > 0 && points + 1 < arguments.size()) {
    QFont font = QApplication::font();
    font.setPointSize(arguments[points + 1].toInt());
    QApplication::setFont(font);
  }
  SetSplashSleep([](int) {});
  ui::SetApplicationIdentity();
  ui::CreateWindows();
  SizeReporter reporter;
  Form1->StringGrid1->installEventFilter(&reporter);
  ui::ShowMainWindowFromEventLoop();
  const int exit_code = QApplication::exec();
  ui::DestroyWindows();
  return exit_code;
}
