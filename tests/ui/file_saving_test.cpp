// SPDX-License-Identifier: GPL-3.0-or-later
// Saving from a detail window: the file that is written is the file that was
// asked about, a replaced file keeps its permissions, and the file dialog
// itself adds the extension of the chosen filter.
#include <QFile>
#include <QFileDialog>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "app/comparison_run.h"
#include "app/number_text.h"
#include "core/floating_point_environment.h"
#include "core/method_table.h"
#include "tests/doubles/fake_window.h"
#include "tests/ui/window_test_support.h"
#include "ui/detail/detail_window.h"
#include "ui/error_boundary.h"
#include "ui/platform/file_chooser.h"

namespace {

const QByteArray kUsersData = "the user's own data\n";

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class FileSavingTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    window_test::QuietOffscreenLimitations();
    core::EstablishFloatingPointEnvironment();
    app::SetDecimalSeparator(",");
    ui::SetErrorPresenter([this](const QString& text, const QString&) { reports_ << text; });
    doubles::FakeWindow inputs;
    app::SharedState state;
    app::ComparisonRun run;
    run.Execute(inputs, state);
    window_ = std::make_unique<ui::DetailWindow>(run.LastRun(), core::kSecants);
  }
  void cleanup() {
    ui::RestoreDefaultSaveFileChooser();
    QVERIFY2(reports_.isEmpty(), qPrintable(reports_.join('\n')));
  }
  void cleanupTestCase() {
    window_.reset();
    ui::RestoreDefaultErrorPresenter();
  }

  // The user types a name without its extension, and a file of that name with
  // the extension exists: the question is about that file, and "no" keeps it.
  void typedNameWithoutExtensionAsksAboutTheWrittenFile_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("existing");
    QTest::addColumn<bool>("replace");
    QTest::addColumn<int>("permissions");
    QTest::newRow("CSV, kept") << "CSV (*.csv)"
                               << "x.csv" << false << 0644;
    QTest::newRow("CSV, replaced read-only") << "CSV (*.csv)"
                                             << "x.csv" << true << 0444;
    QTest::newRow("PNG, kept") << "PNG (*.png)"
                               << "x.png" << false << 0644;
    QTest::newRow("SVG, replaced") << "SVG (*.svg)"
                                   << "x.svg" << true << 0640;
  }

  void typedNameWithoutExtensionAsksAboutTheWrittenFile() {
    QFETCH(QString, filter);
    QFETCH(QString, existing);
    QFETCH(bool, replace);
    QFETCH(int, permissions);
    QTemporaryDir directory;
    const QString path = directory.filePath(existing);
    WriteFile(path, kUsersData);
    const auto mode = static_cast<QFileDevice::Permissions>(
        (permissions & 0400 ? QFile::ReadOwner : 0) | (permissions & 0200 ? QFile::WriteOwner : 0) |
        (permissions & 0040 ? QFile::ReadGroup : 0) | (permissions & 0004 ? QFile::ReadOther : 0));
    QVERIFY(QFile::setPermissions(path, mode));
    ui::SetSaveFileChooser(
        [&](QWidget*, const QString&, const QString&, const QStringList&, QString* chosen) {
          *chosen = filter;
          return directory.filePath("x");
        });
    QStringList asked;
    ui::SetReplaceQuestion([&](QWidget*, const QString& file) {
      asked << file;
      return replace;
    });
    if (filter.startsWith("CSV")) {
      window_->SavePassesAsCsv();
    } else {
      window_->findChild<QTabWidget*>()->setCurrentIndex(filter.startsWith("SVG") ? 1 : 0);
      window_->SaveCurrentPlot();
    }
    QCOMPARE(asked, QStringList{path});
    QCOMPARE(ReadFile(path) == kUsersData, !replace);
    QVERIFY(!QFile::exists(directory.filePath("x")));
    // What the process may do (the "user" flags) is no property of the file.
    const auto user = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
    QCOMPARE(QFile::permissions(path) & ~user, mode);
  }

  // A name with its extension that exists was asked about by the dialog
  // itself; a new name needs no question.
  void noSecondQuestion() {
    QTemporaryDir directory;
    const QStringList names = {"typed.csv", "new"};
    for (const QString& name : names) {
      if (name.contains('.')) WriteFile(directory.filePath(name), kUsersData);
      ui::SetSaveFileChooser(
          [&](QWidget*, const QString&, const QString&, const QStringList&, QString* chosen) {
            *chosen = "CSV (*.csv)";
            return directory.filePath(name);
          });
      bool asked = false;
      ui::SetReplaceQuestion([&asked](QWidget*, const QString&) { return asked = true; });
      window_->SavePassesAsCsv();
      QVERIFY(!asked);
    }
    QVERIFY(ReadFile(directory.filePath("typed.csv")).startsWith("\xEF\xBB\xBF"));
    QVERIFY(QFile::exists(directory.filePath("new.csv")));
  }

  // The real dialog adds the chosen filter's extension, so that its own
  // question about replacing a file names the file that is written.
  void dialogAddsTheFiltersExtension() {
    QStringList suffixes;
    QTimer::singleShot(0, [&suffixes] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      suffixes << dialog->defaultSuffix();
      dialog->selectNameFilter("SVG (*.svg)");
      emit dialog->filterSelected("SVG (*.svg)");
      suffixes << dialog->defaultSuffix();
      dialog->reject();
    });
    QString filter = "PNG (*.png)";
    const QString path = ui::ChooseFileToSave(window_.get(), "Сохранить график", "plot.png",
                                              {"PNG (*.png)", "SVG (*.svg)"}, &filter);
    QCOMPARE(path, QString());
    QCOMPARE(suffixes, QStringList({"png", "svg"}));
  }

 private:
  std::unique_ptr<ui::DetailWindow> window_;
  QStringList reports_;
};

QTEST_MAIN(FileSavingTest)
#include "file_saving_test.moc"
