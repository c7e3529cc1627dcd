// SPDX-License-Identifier: GPL-3.0-or-later
// The one boundary between Qt and our code: every handler that Qt calls runs
// inside Guarded(), so no exception ever unwinds through Qt. An error that
// escapes a handler is shown by ReportError and the event loop goes on.
#pragma once

#include <QString>
#include <exception>
#include <functional>
#include <string>

namespace ui {

// Shows an error's report text in a modal message box captioned with the
// application title, with one OK button and the critical icon, after
// cancelling any mouse grab. Returns when the user has closed the box. The
// message goes whole, NUL characters included; the box shows a NUL as the
// replacement character U+FFFD, keeps a text that the message quotes (an
// input, a file's path) isolated from the rest, so that direction marks in it
// turn nothing else around, reads left to right whatever that text holds, and
// shows a message too long for its label in a scrolled view of bounded size.
void ReportError(const std::exception& error);
// The same for a message that quotes nothing.
void ReportError(const std::string& message);

// Runs a handler; an error that escapes it is reported.
template <typename Handler>
void Guarded(Handler&& handler) noexcept {
  try {
    std::forward<Handler>(handler)();
  } catch (const std::exception& error) {
    try {
      ReportError(error);
    } catch (...) {
      // The report itself failed (out of memory): nothing more can be shown.
    }
  } catch (...) {
    try {
      ReportError(std::string("Unknown error"));
    } catch (...) {
    }
  }
}

// What shows a report: the message box, or a recorder in tests so that no test
// blocks on a modal box. Receives the report text and the caption.
using ErrorPresenter = std::function<void(const QString& text, const QString& caption)>;
void SetErrorPresenter(ErrorPresenter presenter);
void RestoreDefaultErrorPresenter();

}  // namespace ui
