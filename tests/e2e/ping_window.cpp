// SPDX-License-Identifier: GPL-3.0-or-later
// Asks a window whether its program answers, as a window manager does
// before it offers to kill a program that hangs: a _NET_WM_PING client
// message, which the toolkit sends back to the root window from its event
// loop. Prints the time to the answer in milliseconds; exit status 0 when
// it came within the limit, 1 when not (the program's loop was held that
// long), 2 for a usage error.
// Usage: ping_window <window id> <limit in ms>
#include <X11/Xlib.h>
#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

// A window that has gone: no hang, and no end by Xlib's default handler.
bool window_gone = false;

int NoteError(Display* /*display*/, XErrorEvent* /*error*/) {
  window_gone = true;
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <window id> <limit in ms>\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "cannot open the display\n");
    return 2;
  }
  const Window window = std::strtoul(argv[1], nullptr, 0);
  const long limit = std::strtol(argv[2], nullptr, 10);
  const Window root = DefaultRootWindow(display);
  // The answer goes to the root window, for the clients that select its
  // structure (Qt) or substructure (window managers, as EWMH asks)
  // notifications.
  XSelectInput(display, root, StructureNotifyMask | SubstructureNotifyMask);
  const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
  const Atom ping = XInternAtom(display, "_NET_WM_PING", False);
  // A stamp of our own, so that another client's ping is not taken for ours.
  const long stamp =
      static_cast<long>(std::chrono::steady_clock::now().time_since_epoch().count() & 0x7FFFFFFF);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = protocols;
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(ping);
  event.xclient.data.l[1] = stamp;
  event.xclient.data.l[2] = static_cast<long>(window);
  XSetErrorHandler(NoteError);
  const auto sent = std::chrono::steady_clock::now();
  XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
  if (window_gone) {
    std::printf("the window has gone\n");
    XCloseDisplay(display);
    return 1;
  }
  for (;;) {
    while (XPending(display) > 0) {
      XEvent answer;
      XNextEvent(display, &answer);
      if (answer.type == ClientMessage && answer.xclient.message_type == protocols &&
          static_cast<Atom>(answer.xclient.data.l[0]) == ping &&
          answer.xclient.data.l[1] == stamp) {
        const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - sent);
        std::printf("%lld\n", static_cast<long long>(waited.count()));
        XCloseDisplay(display);
        return waited.count() <= limit ? 0 : 1;
      }
    }
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - sent);
    if (waited.count() > 4 * limit) break;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, static_cast<int>(4 * limit - waited.count()));
  }
  std::printf("no answer within %ld ms\n", 4 * limit);
  XCloseDisplay(display);
  return 1;
}
