// SPDX-License-Identifier: GPL-3.0-or-later
// The one way work runs off the interface thread, for every way a work can
// end: its result, its error or its stop reaches the interface thread, with
// the progress it reported first; the work computes in the program's
// floating-point settings whatever the interface thread's are; and the
// interface thread goes on answering meanwhile (a timer set before the
// job fires while it runs).
#include <QApplication>
#include <QThread>
#include <QTimer>
#include <QtTest>
#include <cstdint>
#include <memory>
#include <optional>

#include "app/job_control.h"
#include "core/errors.h"
#include "core/floating_point_environment.h"
#include "ui/error_boundary.h"
#include "ui/platform/background_job.h"

class BackgroundJobTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    ui::SetErrorPresenter([this](const QString& text, const QString&) { reports_ << text; });
  }
  void cleanupTestCase() { ui::RestoreDefaultErrorPresenter(); }
  void deliversHowTheWorkEnded_data();
  void deliversHowTheWorkEnded();

 private:
  QStringList reports_;
};

void BackgroundJobTest::deliversHowTheWorkEnded_data() {
  QTest::addColumn<QString>("ending");
  QTest::addColumn<bool>("result");     // `done` received a result
  QTest::addColumn<QString>("report");  // the error box's text
  QTest::newRow("completes") << "completes" << true << QString();
  QTest::newRow("fails") << "fails" << false << QStringLiteral("Floating point division by zero.");
  QTest::newRow("cancelled") << "cancelled" << false << QString();
  // Destroyed with its owner: cancelled and waited for, and nothing delivered.
  QTest::newRow("owner goes") << "owner goes" << false << QString();
}

void BackgroundJobTest::deliversHowTheWorkEnded() {
  QFETCH(QString, ending);
  QFETCH(bool, result);
  QFETCH(QString, report);
  reports_.clear();
  // Another precision on this thread: the work must not inherit it.
  const core::FloatingPointControl interface_settings = core::SaveFloatingPointControl();
  core::LoadFloatingPointControl({0x027F, interface_settings.mxcsr});

  auto owner = std::make_unique<QObject>();
  std::optional<std::optional<std::uint16_t>> delivered;
  bool delivered_on_interface_thread = false;
  int progress_shown = 0;
  const bool waits_for_stop =
      ending == QStringLiteral("cancelled") || ending == QStringLiteral("owner goes");
  ui::BackgroundJob* job = ui::RunInBackground<std::uint16_t>(
      owner.get(),
      [ending, waits_for_stop](app::JobControl& control) -> std::uint16_t {
        control.Report(1, 2);
        if (ending == QStringLiteral("fails")) throw core::EZeroDivide();
        while (waits_for_stop) {
          control.CheckCancelled();
          QThread::yieldCurrentThread();
        }
        return core::FloatingPointControlWord();
      },
      [&](int done, int /*total*/) { progress_shown = done; },
      [&](std::optional<std::uint16_t> value) {
        delivered = value;
        delivered_on_interface_thread = QThread::currentThread() == qApp->thread();
      });
  bool fired_while_running = false;
  QTimer::singleShot(0, this, [&] {
    fired_while_running = job->IsRunning();
    if (ending == QStringLiteral("cancelled")) job->Cancel();
    if (ending == QStringLiteral("owner goes")) owner.reset();
  });
  core::LoadFloatingPointControl(interface_settings);

  if (ending == QStringLiteral("owner goes")) {
    QTRY_VERIFY2(owner == nullptr, "the timer did not fire");
    QCoreApplication::processEvents();
    QVERIFY(fired_while_running);
    QVERIFY(!delivered.has_value());
    return;
  }
  QTRY_VERIFY2_WITH_TIMEOUT(delivered.has_value(), "the job delivered nothing in 60 s", 60'000);
  QVERIFY(delivered_on_interface_thread);
  QCOMPARE(delivered->has_value(), result);
  if (result) QCOMPARE(**delivered, core::kProgramFloatingPointControl.x87);
  if (waits_for_stop) QVERIFY(fired_while_running);
  QCOMPARE(progress_shown, 1);
  QCOMPARE(reports_.join(QLatin1Char('\n')), report);
}

QTEST_MAIN(BackgroundJobTest)
#include "background_job_test.moc"
