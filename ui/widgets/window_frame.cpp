// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/window_frame.h"

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#include <QGuiApplication>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace ui {

namespace {

struct FreeReply {
  void operator()(void* reply) const { std::free(reply); }
};

xcb_atom_t InternAtom(xcb_connection_t* connection, std::string_view name) {
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data());
  const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> reply(
      xcb_intern_atom_reply(connection, cookie, nullptr));
  if (reply == nullptr) return XCB_ATOM_NONE;
  return reply->atom;
}

}  // namespace

void FixBorderKeepMaximize(QWidget& window) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
  if (connection == nullptr) return;
  const xcb_atom_t motif_hints = InternAtom(connection, "_MOTIF_WM_HINTS");
  if (motif_hints == XCB_ATOM_NONE) return;

  // flags, functions, decorations, input mode, status
  const std::array<std::uint32_t, 5> hints = {
      kMotifHintsFunctions | kMotifHintsDecorations,
      kMotifFunctionResize | kMotifFunctionMove | kMotifFunctionMinimize | kMotifFunctionMaximize |
          kMotifFunctionClose,
      kMotifDecorationBorder | kMotifDecorationTitle | kMotifDecorationMenu |
          kMotifDecorationMinimize | kMotifDecorationMaximize,
      0, 0};
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window.winId()),
                      motif_hints, motif_hints, 32, static_cast<std::uint32_t>(hints.size()),
                      hints.data());
  xcb_flush(connection);
}

}  // namespace ui
