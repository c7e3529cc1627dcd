// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/command_line/qt_options.h"

#include <QString>
#include <array>

namespace ui {

namespace {

// QGuiApplication's and QApplication's options, each with one dash (two are
// accepted too). Those that take a value take the next argument, or the text
// after "=".
constexpr std::array<const char*, 19> kWithValue = {"platform",
                                                    "platformpluginpath",
                                                    "platformtheme",
                                                    "plugin",
                                                    "qwindowgeometry",
                                                    "qwindowicon",
                                                    "qwindowtitle",
                                                    "session",
                                                    "style",
                                                    "stylesheet",
                                                    "display",
                                                    "geometry",
                                                    "title",
                                                    "name",
                                                    "visual",
                                                    "ncols",
                                                    "cmap",
                                                    "fontengine",
                                                    "dialogs"};
constexpr std::array<const char*, 7> kWithoutValue = {
    "reverse", "widgetcount", "nograb", "dograb", "sync", "qmljsdebugger", "testability"};

// The option's name without its dashes and value, or empty when the argument
// is not in the toolkit's form.
QString NameOf(const QString& argument) {
  if (!argument.startsWith(QLatin1Char('-')) || argument == QStringLiteral("--")) return QString();
  QString name = argument.mid(argument.startsWith(QStringLiteral("--")) ? 2 : 1);
  return name.left(name.indexOf(QLatin1Char('=')));
}

template <std::size_t N>
bool Holds(const std::array<const char*, N>& names, const QString& name) {
  for (const char* known : names)
    if (name == QLatin1String(known)) return true;
  return false;
}

}  // namespace

QStringList WithoutQtOptions(const QStringList& arguments) {
  QStringList left;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    const QString name = NameOf(argument);
    // "--title" names the handout of --variants: the X11 window title is
    // "-title" with one dash (or -qwindowtitle).
    if (name == QStringLiteral("title") && argument.startsWith(QStringLiteral("--"))) {
      left << argument;
      continue;
    }
    if (Holds(kWithoutValue, name)) continue;
    if (Holds(kWithValue, name)) {
      if (!argument.contains(QLatin1Char('='))) ++i;  // the value follows
      continue;
    }
    left << argument;
  }
  return left;
}

bool IsCommandLine(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return !WithoutQtOptions(arguments).isEmpty();
}

}  // namespace ui
