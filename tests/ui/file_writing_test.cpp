// SPDX-License-Identifier: GPL-3.0-or-later
// Every way the program writes a file (a report, the variants with their
// answer key, a detail window's CSV, printing to PDF) against every kind of
// place it may be asked to write to: the file is written whole, or refused
// with its reason and everything that was there before is there still, byte
// for byte, with no temporary file left behind. Also the settings file that
// is no regular file, and the print dialog's file that is none.
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QAction>
#include <QCheckBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cerrno>
#include <map>
#include <memory>

#include "app/comparison_run.h"
#include "app/number_text.h"
#include "app/safe_file.h"
#include "app/table_window.h"
#include "app/variants.h"
#include "core/floating_point_environment.h"
#include "core/method_table.h"
#include "tests/doubles/fake_window.h"
#include "tests/ui/window_test_support.h"
#include "ui/detail/detail_window.h"
#include "ui/detail/window_place.h"
#include "ui/error_boundary.h"
#include "ui/platform/file_chooser.h"
#include "ui/platform/qt_translations.h"
#include "ui/report/print_command.h"
#include "ui/report/run_report.h"
#include "ui/report/variant_documents.h"

namespace {

// A file system of 64 KiB of its own, mounted in a mount namespace of this
// process alone (so it goes with the process); empty where that is not
// allowed.
QString small_file_system;

void MountSmallFileSystem() {
  if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr))
    return;
  QByteArray folder = QDir::tempPath().toUtf8() + "/nle_small_fs_XXXXXX";
  if (::mkdtemp(folder.data()) == nullptr) return;
  if (::mount("nle-small", folder.constData(), "tmpfs", 0, "size=64k") != 0) {
    ::rmdir(folder.constData());
    return;
  }
  small_file_system = QString::fromUtf8(folder);
}

void UnmountSmallFileSystem() {
  if (small_file_system.isEmpty()) return;
  ::umount(small_file_system.toUtf8().constData());
  ::rmdir(small_file_system.toUtf8().constData());
}

enum class Writer { kReport, kVariants, kCsv, kPrint };

// What a folder holds, entry by entry: the bytes of a regular file, or the
// kind of anything else.
std::map<QString, QByteArray> Contents(const QString& folder) {
  std::map<QString, QByteArray> contents;
  for (const QFileInfo& entry : QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                           QDir::System | QDir::NoDotAndDotDot)) {
    struct stat status {};
    ::lstat(QFile::encodeName(entry.filePath()).constData(), &status);
    QByteArray& content = contents[entry.fileName()];
    if (S_ISLNK(status.st_mode)) {
      content = "link to " + QFile::encodeName(entry.symLinkTarget());
    } else if (S_ISFIFO(status.st_mode)) {
      content = "named pipe";
    } else if (S_ISCHR(status.st_mode)) {
      content = "device " + QByteArray::number(quint64(status.st_rdev));
    } else if (S_ISDIR(status.st_mode)) {
      content = "folder";
    } else {
      QFile file(entry.filePath());
      content = file.open(QIODevice::ReadOnly) ? file.readAll() : "unreadable";
      // Long contents by their hash, so that a failure's message stays short.
      if (content.size() > 200) {
        content = content.first(40) + "… " + QByteArray::number(content.size()) + " bytes, SHA-1 " +
                  QCryptographicHash::hash(content, QCryptographicHash::Sha1).toHex();
      }
      content += " mode " + QByteArray::number(status.st_mode & 07777, 8);
    }
  }
  return contents;
}

void WriteOld(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QCOMPARE(file.write(bytes), bytes.size());
}

// Fills the file system that holds `folder` to the last byte.
void Fill(const QString& folder) {
  QFile filler(folder + QStringLiteral("/filler"));
  QVERIFY(filler.open(QIODevice::WriteOnly));
  const QByteArray block(4096, 'x');
  while (filler.write(block) == block.size() && filler.flush()) {
  }
}

// A write that stops after `budget` bytes, as a full disk does.
app::FileCallsForTesting DiskFullAfter(qint64 budget) {
  auto left = std::make_shared<qint64>(budget);
  app::FileCallsForTesting calls;
  calls.write = [left](int descriptor, const void* data, std::size_t size) -> ssize_t {
    if (*left <= 0) {
      errno = ENOSPC;
      return -1;
    }
    const auto part = static_cast<std::size_t>(std::min<qint64>(*left, qint64(size)));
    *left -= qint64(part);
    return ::write(descriptor, data, part);
  };
  return calls;
}

}  // namespace

class FileWritingTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanup();
  void cleanupTestCase();
  void writesWholeOrKeepsWhatWasThere_data();
  void writesWholeOrKeepsWhatWasThere();
  void settingsThatAreNoRegularFileAreLeftAlone_data();
  void settingsThatAreNoRegularFileAreLeftAlone();
  void printDialogRefusesANamedPipeBeforeOpeningIt();
  void printsWhatThePreviewShowedWithTheDialogsPasses();

 private:
  // Runs the writer as its command does, inside the error boundary; the
  // error box's text, or nothing.
  QString Write(Writer writer, const QString& folder, const QString& target);

  std::unique_ptr<ui::DetailWindow> window_;
  std::shared_ptr<const app::RunRecord> run_;
  app::VariantSet variants_;
  QStringList reports_;
};

void FileWritingTest::initTestCase() {
  window_test::QuietOffscreenLimitations();
  core::EstablishFloatingPointEnvironment();
  app::SetDecimalSeparator(",");
  ui::SetErrorPresenter([this](const QString& text, const QString&) { reports_ << text; });
  doubles::FakeWindow inputs;
  app::SharedState state;
  app::ComparisonRun run;
  run.Execute(inputs, state);
  run_ = run.LastRun();
  window_ = std::make_unique<ui::DetailWindow>(run_, core::kSecants);
  app::VariantRequest request;
  request.count = 2;
  variants_ = app::MakeVariantSet(request);
}

void FileWritingTest::cleanup() {
  if (!small_file_system.isEmpty())
    QDir(small_file_system + QStringLiteral("/row")).removeRecursively();
  app::SetFileCallsForTesting({});
  ui::RestoreDefaultSaveFileChooser();
  ui::SetPrintDialogRunner(nullptr);
  ui::SetPrintPreviewRunner(nullptr);
  reports_.clear();
}

void FileWritingTest::cleanupTestCase() {
  window_.reset();
  ui::RestoreDefaultErrorPresenter();
}

QString FileWritingTest::Write(Writer writer, const QString& folder, const QString& target) {
  const ui::RunReport report{run_, {{"Метод", "Значение"}}, "", false};
  const auto paint = [&report](QPagedPaintDevice& device) { ui::PaintRunReport(device, report); };
  ui::Guarded([&] {
    switch (writer) {
      case Writer::kReport:
        ui::WritePdf(target, QStringLiteral("Отчёт"), paint);
        break;
      case Writer::kVariants:
        ui::WriteVariantFiles(folder, variants_);
        break;
      case Writer::kCsv:
        ui::SetSaveFileChooser(
            [&](QWidget*, const QString&, const QString&, const QStringList&, QString* chosen) {
              *chosen = QStringLiteral("CSV (*.csv)");
              return target;
            });
        window_->SavePassesAsCsv();
        break;
      case Writer::kPrint:
        ui::SetPrintDialogRunner([&](QWidget*, QPrinter& printer, ui::ReportOptions&) {
          printer.setOutputFormat(QPrinter::PdfFormat);
          printer.setOutputFileName(target);
          return true;
        });
        ui::SetPrintPreviewRunner([](QWidget*, QPrinter&, const ui::PagePainter&) { return true; });
        ui::PrintReport(window_.get(), [&paint](QPagedPaintDevice& device,
                                                const ui::ReportOptions&) { paint(device); });
        break;
    }
  });
  return reports_.join(QLatin1Char('\n'));
}

void FileWritingTest::writesWholeOrKeepsWhatWasThere_data() {
  QTest::addColumn<QString>("place");
  QTest::addColumn<Writer>("writer");
  QTest::addColumn<QString>("refusal");  // a part of the message; empty: written
  // Root may write a read-only file, as `cp` may; anyone else is refused.
  const QString read_only = ::geteuid() == 0 ? QString() : QStringLiteral("Permission denied");
  const std::map<Writer, const char*> writers = {{Writer::kReport, "report"},
                                                 {Writer::kVariants, "variants"},
                                                 {Writer::kCsv, "CSV"},
                                                 {Writer::kPrint, "print to PDF"}};
  for (const auto& [writer, name] : writers) {
    const auto row = [&](const char* place, const QString& refusal) {
      QTest::addRow("%s, %s", place, name) << QString::fromLatin1(place) << writer << refusal;
    };
    row("regular", QString());
    row("read-only", read_only);
    row("named pipe", QStringLiteral("Not a regular file: a named pipe"));
    row("device", QStringLiteral("Not a regular file: a device"));
    row("folder", QStringLiteral("Is a directory"));
    // The variants' folder is made when missing; a single file's is not.
    row("missing folder",
        writer == Writer::kVariants ? QString() : QStringLiteral("No such file or directory"));
    row("disk full", QStringLiteral("No space left on device"));
    row("disk full part-way",
        writer == Writer::kVariants ? QStringLiteral("No space left on device") : QString());
    row("small file system", QStringLiteral("No space left on device"));
    // U+FFFD stands for bytes that were no text when a name was read: two
    // such names would meet in one file.
    row("name that is no text", QStringLiteral("cannot be written in the system's encoding"));
  }
}

void FileWritingTest::writesWholeOrKeepsWhatWasThere() {
  QFETCH(QString, place);
  QFETCH(Writer, writer);
  QFETCH(QString, refusal);
  QTemporaryDir temporary;
  QString base = temporary.path();
  if (place == QStringLiteral("small file system")) {
    if (small_file_system.isEmpty()) QSKIP("no file system could be mounted here");
    base = small_file_system + QStringLiteral("/row");
    QVERIFY(QDir().mkpath(base));
  }
  // The variants write a set into a folder of its own; the row's target is
  // the set's last file, with the other two there from before.
  const bool missing = place == QStringLiteral("missing folder");
  const bool no_text = place == QStringLiteral("name that is no text");
  const QString mark = no_text ? QString(QChar::ReplacementCharacter) : QString();
  const QString folder = base + (missing                       ? QStringLiteral("/missing/deeper")
                                 : writer == Writer::kVariants ? QStringLiteral("/set") + mark
                                                               : QString());
  const QString name = writer == Writer::kVariants ? QStringLiteral("answers.pdf")
                       : writer == Writer::kCsv    ? QStringLiteral("passes%1.csv").arg(mark)
                                                   : QStringLiteral("report%1.pdf").arg(mark);
  const QString target = folder + QLatin1Char('/') + name;
  const QByteArray old = "the old " + name.toUtf8() + "\n";
  const bool folder_there = !missing && !(no_text && writer == Writer::kVariants);
  if (folder_there) QVERIFY(QDir().mkpath(folder));
  if (writer == Writer::kVariants && folder_there) {
    WriteOld(folder + QStringLiteral("/answers.csv"), "the old answers.csv\n");
    WriteOld(folder + QStringLiteral("/variants.pdf"), "the old variants.pdf\n");
  }
  if (place == QStringLiteral("named pipe")) {
    QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0644), 0);
  } else if (place == QStringLiteral("device")) {
    // A node of the null device of its own where the test may make one: a
    // writer that replaced it as root must not replace the system's
    // /dev/null. Others get a link to /dev/null, which they cannot replace.
    if (::mknod(QFile::encodeName(target).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
      QVERIFY(QFile::link(QStringLiteral("/dev/null"), target));
  } else if (place == QStringLiteral("folder")) {
    QVERIFY(QDir().mkpath(target));
  } else if (!missing && !no_text) {
    WriteOld(target, old);
  }
  if (place == QStringLiteral("read-only")) {
    QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
  } else if (place == QStringLiteral("disk full")) {
    app::SetFileCallsForTesting(DiskFullAfter(64));
  } else if (place == QStringLiteral("disk full part-way")) {
    // Room for the whole of a CSV or a report, and for the answer key's
    // CSV but not for the variants after it.
    app::SetFileCallsForTesting(DiskFullAfter(100'000));
    if (writer == Writer::kVariants) app::SetFileCallsForTesting(DiskFullAfter(1000));
  } else if (place == QStringLiteral("small file system")) {
    Fill(base);
  }
  const std::map<QString, QByteArray> before = Contents(folder);

  const QString error = Write(writer, folder, target);

  if (!refusal.isEmpty()) {
    QVERIFY2(error.contains(refusal), qPrintable(error));
    // Named: the target, or for a set the file of the set that failed.
    QVERIFY2(error.contains(writer == Writer::kVariants ? folder : target), qPrintable(error));
    // The lock file stays behind a set that could not be written; nothing else.
    std::map<QString, QByteArray> after = Contents(folder);
    if (writer == Writer::kVariants) after.erase(QString::fromLatin1(app::kSetLockName.data()));
    QCOMPARE(after, before);
    return;
  }
  QVERIFY2(error.isEmpty(), qPrintable(error));
  const std::map<QString, QByteArray> after = Contents(folder);
  QStringList names;
  for (const auto& [file, content] : after) {
    names << file;
    if (file.startsWith(QLatin1Char('.'))) continue;
    QVERIFY2(content.startsWith(file.endsWith(QStringLiteral(".csv")) ? "\xEF\xBB\xBF" : "%PDF"),
             qPrintable(file));
    if (place == QStringLiteral("read-only") && file == name)
      QVERIFY2(content.endsWith(" mode 444"), content.constData());
  }
  QStringList expected{name};
  if (writer == Writer::kVariants)
    expected = {QString::fromLatin1(app::kSetLockName.data()), QStringLiteral("answers.csv"),
                QStringLiteral("answers.pdf"), QStringLiteral("variants.pdf")};
  QCOMPARE(names, expected);
}

void FileWritingTest::settingsThatAreNoRegularFileAreLeftAlone_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<bool>("used");
  QTest::addColumn<QByteArray>("left");  // what is at the name afterwards
  QTest::newRow("named pipe") << "named pipe" << false << QByteArray("named pipe");
  QTest::newRow("regular file") << "regular" << true << QByteArray("[detail_window]");
  QTest::newRow("folder") << "folder" << false << QByteArray("folder");
}

void FileWritingTest::settingsThatAreNoRegularFileAreLeftAlone() {
  QFETCH(QString, kind);
  QFETCH(bool, used);
  QFETCH(QByteArray, left);
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         QStringLiteral("/nonlinear-equations");
  const QString path = folder + QStringLiteral("/nonlinear-equations.ini");
  QDir(folder).removeRecursively();
  QVERIFY(QDir().mkpath(folder));
  if (kind == QStringLiteral("named pipe")) {
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
  } else if (kind == QStringLiteral("folder")) {
    QVERIFY(QDir().mkpath(path));
  }
  if (!used)
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("is not a regular file; the settings")));
  const QSize remembered(640, 480);
  ui::RememberDetailWindowSize(remembered);
  QWidget window;
  const QSize size = ui::DetailWindowSize(window, QRect(0, 0, 4000, 4000));
  QCOMPARE(size == remembered, used);
  const QByteArray there = Contents(folder).at(QStringLiteral("nonlinear-equations.ini"));
  QVERIFY2(there.startsWith(left), there.constData());
  QDir(folder).removeRecursively();
}

// The real dialog: its own check would open the named pipe and wait for a
// reader. The name is refused first and the dialog stays open.
void FileWritingTest::printDialogRefusesANamedPipeBeforeOpeningIt() {
  QTemporaryDir folder;
  const QString pipe = folder.filePath(QStringLiteral("pipe.pdf"));
  QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
  // A reader, so that an open for writing never waits should the check fail.
  const int reader = ::open(QFile::encodeName(pipe).constData(), O_RDONLY | O_NONBLOCK);
  QVERIFY(reader >= 0);
  bool refused_while_open = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
    if (file == nullptr) return;
    file->setEnabled(true);  // as when the PDF printer is chosen
    file->setText(pipe);
    // Should the dialog's own check run, its question is answered "no".
    QTimer::singleShot(0, [] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->reject();
    });
    dialog->accept();
    refused_while_open = dialog->isVisible() && !reports_.isEmpty();
    dialog->reject();
  });
  ui::Guarded(
      [] { ui::PrintReport(nullptr, [](QPagedPaintDevice&, const ui::ReportOptions&) {}); });
  ::close(reader);
  QVERIFY2(refused_while_open, qPrintable(reports_.join('\n')));
  QVERIFY2(reports_.constFirst().contains(QStringLiteral("Not a regular file: a named pipe")),
           qPrintable(reports_.constFirst()));
}

// The real dialog and preview: the "Проходы" tab's number and the
// "Отчёт" tab's worked solution reach the report, the preview shows the pages, and its "Печать"
// prints them once, to the file the dialog named. NLE_SCREENSHOT_DIR, when set, receives pictures
// of both.
void FileWritingTest::printsWhatThePreviewShowedWithTheDialogsPasses() {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("report.pdf"));
  const QString pictures = qEnvironmentVariable("NLE_SCREENSHOT_DIR");
  const auto picture = [&pictures](QWidget& widget, const QString& name) {
    if (!pictures.isEmpty() && QDir().mkpath(pictures))
      widget.grab().save(pictures + QLatin1Char('/') + name + QStringLiteral(".png"));
  };
  // Qt's own texts in Russian, as the program shows them.
  ui::LoadQtTranslations();
  if (qEnvironmentVariableIsSet("NLE_DARK_PALETTE"))
    QApplication::setPalette(window_test::DarkPalette());
  bool dialog_seen = false;
  bool preview_seen = false;
  bool steps_offered_unticked = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    dialog_seen = true;
    auto* passes = dialog->findChild<QSpinBox*>(QStringLiteral("passesAtEachEnd"));
    auto* steps = dialog->findChild<QCheckBox*>(QStringLiteral("stepsInReport"));
    auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
    if (passes == nullptr || steps == nullptr || file == nullptr) return dialog->reject();
    passes->setValue(2);
    steps_offered_unticked = !steps->isChecked();
    steps->setChecked(true);
    file->setEnabled(true);  // as when the PDF printer is chosen
    file->setText(path);
    // The options, with the "Проходы" tab, show below the printer.
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
      if (button->text().endsWith(QStringLiteral(">>"))) button->click();
    if (auto* tabs = passes->parentWidget()->parentWidget()->parentWidget()) {
      if (auto* tab_widget = qobject_cast<QTabWidget*>(tabs)) {
        tab_widget->setCurrentIndex(2);
        picture(*dialog, QStringLiteral("print_dialog"));
        tab_widget->setCurrentIndex(3);
        picture(*dialog, QStringLiteral("print_dialog_report"));
      }
    }
    QTimer::singleShot(0, [&] {
      auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
      if (preview == nullptr) return;
      preview_seen = true;
      picture(*preview, QStringLiteral("print_preview"));
      const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
      for (QAction* action : preview->findChildren<QAction*>()) {
        if (action->text() == print) return action->trigger();
      }
      preview->reject();
    });
    dialog->accept();
  });
  std::vector<int> painted;  // the passes at each end, at every painting
  bool steps_painted = true;
  ui::ReportOptions offered;
  offered.offers_steps = true;
  ui::Guarded([&] {
    ui::PrintReport(
        nullptr,
        [&](QPagedPaintDevice& device, const ui::ReportOptions& options) {
          painted.push_back(options.passes_at_each_end);
          steps_painted = steps_painted && options.steps.print;
          ui::PaintMethodReport(device, *run_, core::kSecants, options);
        },
        offered);
  });
  QVERIFY2(dialog_seen && preview_seen, qPrintable(reports_.join('\n')));
  QVERIFY2(reports_.isEmpty(), qPrintable(reports_.join('\n')));
  // The preview paints at least once, the file once more.
  QVERIFY2(painted.size() >= 2, qPrintable(QString::number(painted.size())));
  for (const int passes : painted) QCOMPARE(passes, 2);
  QVERIFY(steps_offered_unticked);
  QVERIFY(steps_painted);
  QVERIFY(QFile::exists(path));
}

int main(int argc, char* argv[]) {
  // Before any thread starts: a process with threads may not take a mount
  // namespace of its own.
  MountSmallFileSystem();
  QApplication application(argc, argv);
  FileWritingTest test;
  const int status = QTest::qExec(&test, argc, argv);
  UnmountSmallFileSystem();
  return status;
}

#include "file_writing_test.moc"
