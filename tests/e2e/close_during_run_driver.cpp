// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start-up for close_during_run.sh, with the splash's sleep
// left out and one hook: the compute command, run with the start 0 (the
// tangents then divide by zero), stops in its first message processing, prints
// "running <main window id>" and waits for the script's "sent", which says
// that a window manager's close request is on its way; it then processes
// messages until the main window has handled that request. The run goes on,
// fails and reports its error in the real message box.
// Every close request sent to the main window is reported once the program
// has handled it: "closed <1 if the window is still visible, else 0>", so the
// script knows when to look. The requests are watched as they come from the
// X server, as the toolkit drops those for a window that a modal box blocks
// before any close event. A first request that does not arrive within a
// minute is reported as "no close request".
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

#include <xcb/xcb.h>

#include "ui/Unit1.h"
#include "ui/Unit4.h"
#include "ui/start_up.h"

namespace {

// The atom of the given name on the program's X server.
xcb_atom_t Atom(std::string_view name) {
  xcb_connection_t* connection =
      qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.data());
  const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
      xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
  return reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

class CloseWatch : public QAbstractNativeEventFilter {
 public:
  int reported = 0;

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* /*result*/) override {
    if (type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) return false;
    const auto* client = static_cast<const xcb_client_message_event_t*>(message);
    if (client->window != Form1->winId() || client->type != protocols_ ||
        client->data.data32[0] != delete_window_)
      return false;
    // The report waits until the program has handled the request.
    QTimer::singleShot(0, Form1, [this] {
      std::cout << "closed " << (Form1->isVisible() ? 1 : 0) << std::endl;
      ++reported;
    });
    return false;
  }

 private:
  const xcb_atom_t protocols_ = Atom("WM_PROTOCOLS");
  const xcb_atom_t delete_window_ = Atom("WM_DELETE_WINDOW");
};

void InsideTheRun(CloseWatch& watch) {
  std::cout << "running " << Form1->winId() << std::endl;
  std::string line;
  std::getline(std::cin, line);
  const QDeadlineTimer deadline(60'000);
  while (watch.reported == 0 && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
  if (watch.reported == 0) std::cout << "no close request" << std::endl;
}

}  // namespace

int main(int argc, char* argv[]) {
  ui::PrepareProcess();
  QApplication application(argc, argv);
  SetSplashSleep([](int) {});
  ui::StartProgram();
  CloseWatch watch;
  QCoreApplication::instance()->installNativeEventFilter(&watch);
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
