// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start-up for close_during_run.sh, with the splash's sleep
// left out and one hook: the compute command, run with the start 0 (the
// tangents then divide by zero), stops in its first message processing, prints
// "running <main window id>" and waits for the script's "sent", which says
// that a window manager's close request is on its way; it then processes
// messages until the main window has seen that request and prints "closed
// <1 if the window is still visible, else 0>". The run goes on, fails and
// reports its error in the real message box.
#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <iostream>
#include <string>

#include "ui/Unit1.h"
#include "ui/Unit4.h"
#include "ui/start_up.h"

namespace {

// Counts the close requests that reach the main window.
class CloseWatch : public QObject {
 public:
  int seen = 0;

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::Close) ++seen;
    return false;
  }
};

void InsideTheRun(CloseWatch& watch) {
  std::cout << "running " << Form1->winId() << std::endl;
  std::string line;
  std::getline(std::cin, line);
  const QDeadlineTimer deadline(20'000);
  while (watch.seen == 0 && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
  std::cout << "closed " << (Form1->isVisible() ? 1 : 0) << std::endl;
}

}  // namespace

int main(int argc, char* argv[]) {
  ui::PrepareProcess();
  QApplication application(argc, argv);
  SetSplashSleep([](int) {});
  ui::StartProgram();
  CloseWatch watch;
  Form1->installEventFilter(&watch);
  ui::ShowMainWindowFromEventLoop();
  // Once the window is on the screen: the hook first, then the command, so
  // that the hook is the first message that the run processes.
  QTimer exposed;
  QObject::connect(&exposed, &QTimer::timeout, [&exposed, &watch] {
    if (Form1->windowHandle() == nullptr || !Form1->windowHandle()->isExposed()) return;
    exposed.stop();
    Form1->Edit1->setText(QStringLiteral("0"));
    QTimer::singleShot(0, Form1, [&watch] { InsideTheRun(watch); });
    Form1->SpeedButton1->click();
  });
  exposed.start(50);
  const int exit_code = QApplication::exec();
  ui::DestroyWindows();
  return exit_code;
}
