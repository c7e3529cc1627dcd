// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the program's windows as the program does, under a chosen desktop
// look, for window_manager_e2e.sh: "--dark" gives the application a dark
// palette, "--points N" a system font of N points. The splash does not wait.
// Whenever the results table changes size it prints one line: the window's
// height, the heights of the menu bar, the status bar and the table. Once
// the status bar has painted a new text, it prints "status <text>".
#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QMenuBar>
#include <QPalette>
#include <QStatusBar>
#include <iostream>

#include "tests/ui/window_test_support.h"
#include "ui/Unit1.h"
#include "ui/Unit4.h"
#include "ui/start_up.h"
#include "ui/widgets/results_grid.h"
#include "ui/widgets/status_panel.h"

namespace {

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

// The status text once it is on the screen: after the panel's paint event.
class StatusReporter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const bool painted = QObject::eventFilter(watched, event);
    if (event->type() == QEvent::Paint && Form1->StatusPanel->text() != reported_) {
      reported_ = Form1->StatusPanel->text();
      std::cout << "status " << reported_.toStdString() << std::endl;
    }
    return painted;
  }

 private:
  QString reported_;
};

}  // namespace

int main(int argc, char* argv[]) {
  ui::PrepareProcess();
  QApplication application(argc, argv);
  const QStringList arguments = QApplication::arguments();
  if (arguments.contains(QStringLiteral("--dark")))
    QApplication::setPalette(window_test::DarkPalette());
  const qsizetype points = arguments.indexOf(QStringLiteral("--points"));
  if (points > 0 && points + 1 < arguments.size()) {
    QFont font = QApplication::font();
    font.setPointSize(arguments[points + 1].toInt());
    QApplication::setFont(font);
  }
  SetSplashSleep([](int) {});
  ui::StartProgram();
  SizeReporter reporter;
  Form1->StringGrid1->installEventFilter(&reporter);
  StatusReporter status_reporter;
  Form1->StatusPanel->installEventFilter(&status_reporter);
  ui::ShowMainWindowFromEventLoop();
  const int exit_code = QApplication::exec();
  ui::DestroyWindows();
  return exit_code;
}
