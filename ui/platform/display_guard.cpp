// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/display_guard.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QMessageLogContext>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ui/platform/program_language.h"

namespace ui {

namespace {

// A note of the toolkit, kept with copies of what its context points to.
struct HeldMessage {
  QtMsgType type;
  QByteArray file;
  int line;
  QByteArray function;
  QByteArray category;
  QString text;
};

QtMessageHandler previous_handler = nullptr;
std::vector<HeldMessage>& Held() {
  static std::vector<HeldMessage> held;
  return held;
}

bool IsPlatformNote(const QMessageLogContext& context) {
  return context.category != nullptr && QByteArray(context.category).startsWith("qt.qpa.");
}

void PassOn(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (previous_handler != nullptr) {
    previous_handler(type, context, text);
  } else {
    std::fprintf(stderr, "%s\n", qFormatLogMessage(type, context, text).toLocal8Bit().constData());
  }
}

void Guard(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  // Qt's only fatal message while it starts is the one about the platform
  // plugin that could not start.
  if (type == QtFatalMsg && text.contains(QLatin1String("platform plugin"))) {
    std::fprintf(stderr, "%s\n", NoDisplayText().toLocal8Bit().constData());
    std::fflush(stderr);
    std::_Exit(1);
  }
  if (IsPlatformNote(context) && type != QtFatalMsg) {
    Held().push_back({type, context.file, context.line, context.function, context.category, text});
    return;
  }
  PassOn(type, context, text);
}

}  // namespace

QString NoDisplayText() {
  return QStringLiteral("nonlinear-equations: ") +
         UserLanguageText("DisplayGuard",
                          QT_TRANSLATE_NOOP("DisplayGuard",
                                            "the windows need a graphical display, and none "
                                            "could be opened; --solve and --variants work "
                                            "without one (see --help)."));
}

void GuardDisplay() {
  Held().clear();
  previous_handler = qInstallMessageHandler(Guard);
}

void ReleaseDisplayGuard() {
  qInstallMessageHandler(previous_handler);
  for (const HeldMessage& message : Held()) {
    const QMessageLogContext context(message.file.constData(), message.line,
                                     message.function.constData(), message.category.constData());
    PassOn(message.type, context, message.text);
  }
  Held().clear();
  previous_handler = nullptr;
}

}  // namespace ui
