// SPDX-License-Identifier: GPL-3.0-or-later
// text_bench: the help window and the error box with the largest texts they
// accept. Each case runs in a process of its own, so that its peak memory
// (VmHWM) is its own: writing the help file happens before the baseline is
// read, and the figures cover the help command from the file's bytes to the
// painted window. Without arguments it runs every case and prints a table;
// with a case name it runs that case and prints one line.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "ui/Unit2.h"
#include "ui/error_boundary.h"

namespace {

constexpr qsizetype kLimit = 16 * 1024 * 1024;  // the help window's capacity

struct Case {
  const char* name;
  const char* description;
  std::function<QByteArray()> help_file;  // empty for the error box
};

QByteArray Repeated(const QByteArray& unit) {
  QByteArray bytes;
  bytes.reserve(kLimit);
  while (bytes.size() + unit.size() <= kLimit) bytes += unit;
  return bytes.leftJustified(kLimit, 'x');
}

QByteArray RepositoryHelp() {
  QFile file(QStringLiteral(NLE_HELP_FILE));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {"help", "the repository's help.txt (13 KiB)", RepositoryHelp},
      {"one-line", "16 MiB, one line, no blanks", [] { return QByteArray(kLimit, 'a'); }},
      {"line-feeds", "16 MiB of line feeds", [] { return QByteArray(kLimit, '\n'); }},
      {"words", "16 MiB, one line of words", [] { return Repeated("word "); }},
      {"short-lines", "16 MiB, 1 Mi lines of 15 characters + CR LF",
       [] { return Repeated("0123456789abcd\r\n"); }},
      {"error-box", "error box, 1 MiB typed into an input", nullptr},
  };
  return cases;
}

double PeakMegabytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024;
  }
  return 0;
}

double CpuMilliseconds() {
  return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// Wall and CPU milliseconds of `step`.
struct Timing {
  double wall = 0;
  double cpu = 0;
};

Timing Time(const std::function<void()>& step) {
  QElapsedTimer wall;
  const double cpu = CpuMilliseconds();
  wall.start();
  step();
  return {static_cast<double>(wall.nsecsElapsed()) / 1e6, CpuMilliseconds() - cpu};
}

// The help command on a hidden window, up to its painted pixels.
void ShowAndPaint(TForm2& form) {
  form.ShowNonModal();
  QCoreApplication::processEvents();
  form.grab();
}

int RunHelpCase(const Case& c) {
  QTemporaryDir directory;
  QDir::setCurrent(directory.path());
  {
    QFile file(QStringLiteral("help.txt"));
    if (!file.open(QIODevice::WriteOnly)) return 1;
    file.write(c.help_file());
  }
  ui::SetErrorPresenter([](const QString& text, const QString&) {
    std::fprintf(stderr, "error: %s\n", qPrintable(text.left(200)));
  });
  TForm2 form;
  form.grab();
  const double baseline = PeakMegabytes();
  const Timing load = Time([&] { ShowAndPaint(form); });
  const Timing end = Time([&] {
    form.Memo1->verticalScrollBar()->setValue(form.Memo1->verticalScrollBar()->maximum());
    form.grab();
  });
  form.hide();
  const Timing reload = Time([&] { ShowAndPaint(form); });
  std::printf("%s %.0f %.0f %.0f %.0f %.0f %.0f %.1f %.1f %d\n", c.name, load.wall, load.cpu,
              reload.wall, reload.cpu, end.wall, end.cpu, baseline, PeakMegabytes(),
              form.Memo1->document()->blockCount());
  return 0;
}

// The compute command's report for 1 MiB typed into an input: the real box,
// closed as soon as it is on the screen.
int RunErrorBoxCase(const Case& c) {
  QWidget owner;
  owner.show();
  owner.grab();
  const double baseline = PeakMegabytes();
  const std::string typed(1024 * 1024, '7');
  QSize size;
  const Timing shown = Time([&] {
    QTimer::singleShot(0, [&size] {
      QWidget* box = QApplication::activeModalWidget();
      if (box == nullptr) return;
      box->grab();
      size = box->size();
      box->close();
    });
    ui::ReportError(std::string("'" + typed + "' is not a valid floating point value"));
  });
  std::printf("%s %.0f %.0f 0 0 0 0 %.1f %.1f %dx%d\n", c.name, shown.wall, shown.cpu, baseline,
              PeakMegabytes(), size.width(), size.height());
  return 0;
}

// Runs every case in a child process and prints the table.
int RunAll(const QString& program) {
  std::printf("%-12s %-45s %9s %9s %9s %8s %8s %s\n", "case", "", "load ms", "reload ms", "end ms",
              "base MB", "peak MB", "blocks / box size");
  for (const Case& c : Cases()) {
    QProcess child;
    child.start(program, {QString::fromLatin1(c.name)});
    child.waitForFinished(-1);
    const QStringList f = QString::fromLatin1(child.readAllStandardOutput()).split(u' ');
    if (child.exitCode() != 0 || f.size() < 10) {
      std::printf("%-12s failed: %s\n", c.name, child.readAllStandardError().constData());
      continue;
    }
    const auto pair = [&f](int i) { return f[i] + u'/' + f[i + 1]; };
    std::printf("%-12s %-45s %9s %9s %9s %8s %8s %s", c.name, c.description, qPrintable(pair(1)),
                qPrintable(pair(3)), qPrintable(pair(5)), qPrintable(f[7]), qPrintable(f[8]),
                qPrintable(f[9]));
  }
  std::printf(
      "Times are wall/CPU milliseconds: load is the help command up to the painted\n"
      "window, end the scroll to the last line, reload the command again on the\n"
      "unchanged file. Peak is the process's VmHWM, base the same before the load.\n");
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() < 2) return RunAll(arguments[0]);
  for (const Case& c : Cases()) {
    if (arguments[1] == QLatin1String(c.name))
      return c.help_file ? RunHelpCase(c) : RunErrorBoxCase(c);
  }
  std::fprintf(stderr, "unknown case %s\n", qPrintable(arguments[1]));
  return 2;
}
