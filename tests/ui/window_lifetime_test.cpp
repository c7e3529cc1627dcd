// SPDX-License-Identifier: GPL-3.0-or-later
// A detail window closed from outside (a window manager's close button, a
// pager, the end of the session) while one of its menus or dialogs is open:
// the program lives on, and the window goes once nothing of it is in use.
#include <QApplication>
#include <QContextMenuEvent>
#include <QEventLoop>
#include <QFile>
#include <QMenu>
#include <QPointer>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtCharts/QChartView>
#include <QtTest>
#include <memory>

#include "app/comparison_run.h"
#include "app/number_text.h"
#include "core/floating_point_environment.h"
#include "core/method_table.h"
#include "tests/doubles/fake_window.h"
#include "tests/ui/window_test_support.h"
#include "ui/detail/detail_window.h"
#include "ui/platform/file_chooser.h"

namespace {

std::shared_ptr<const app::RunRecord> DefaultRun() {
  doubles::FakeWindow window;
  app::SharedState state;
  app::ComparisonRun run;
  run.Execute(window, state);
  return run.LastRun();
}

// Closes the window as its window manager would, once control is back in an
// event loop: the menu's or the dialog's, if they run one.
void PostCloseRequest(ui::DetailWindow* window) {
  QTimer::singleShot(0, window, [window] { window->close(); });
}

}  // namespace

class WindowLifetimeTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    window_test::QuietOffscreenLimitations();
    core::EstablishFloatingPointEnvironment();
    app::SetDecimalSeparator(",");
    run_ = DefaultRun();
    QVERIFY(run_ != nullptr);
  }
  void cleanup() { ui::RestoreDefaultSaveFileChooser(); }

  void closedWhileAContextMenuIsOpen_data() {
    QTest::addColumn<int>("part");  // 0 the pass table, 1 and 2 the plots
    QTest::addColumn<bool>("by_mouse");
    for (int part = 0; part < 3; ++part) {
      QTest::addRow("part %d, Menu key", part) << part << false;
      QTest::addRow("part %d, right click", part) << part << true;
    }
  }

  void closedWhileAContextMenuIsOpen() {
    QFETCH(int, part);
    QFETCH(bool, by_mouse);
    QPointer<ui::DetailWindow> window = new ui::DetailWindow(run_, core::kChords);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QAbstractScrollArea* view = part == 0   ? static_cast<QAbstractScrollArea*>(window->PassTable())
                                : part == 1 ? window->FunctionView()
                                            : window->ConvergenceView();
    view->setFocus();
    PostCloseRequest(window);
    QWidget* target = by_mouse ? view->viewport() : view;
    const QPoint at = target->rect().center();
    QContextMenuEvent request(by_mouse ? QContextMenuEvent::Mouse : QContextMenuEvent::Keyboard, at,
                              target->mapToGlobal(at));
    QApplication::sendEvent(target, &request);
    // The menu is up; the close request comes with the next events.
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY2(menu != nullptr, "no context menu opened");
    QVERIFY(!menu->actions().isEmpty());
    QTRY_VERIFY2(window.isNull(), "the window was not deleted after its close request");
    QVERIFY(QApplication::activePopupWidget() == nullptr);
  }

  // The file dialog runs its own loop; the window must outlast it, and the
  // table still goes to the file that was chosen.
  void closedWhileItsSaveDialogIsOpen() {
    QPointer<ui::DetailWindow> window = new ui::DetailWindow(run_, core::kBisection);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTemporaryDir directory;
    const QString path = directory.filePath("passes.csv");
    bool there_in_loop = false;
    bool hidden_in_loop = false;
    ui::SetSaveFileChooser(
        [&](QWidget*, const QString&, const QString&, const QStringList&, QString*) {
          QEventLoop dialog;
          PostCloseRequest(window);
          QTimer::singleShot(50, &dialog, [&] {
            there_in_loop = !window.isNull();
            hidden_in_loop = there_in_loop && window->isHidden();
            dialog.quit();
          });
          dialog.exec();
          return path;
        });
    window->SavePassesAsCsv();
    QVERIFY2(there_in_loop, "the window was deleted inside its dialog's loop");
    QVERIFY2(hidden_in_loop, "the close request did not hide the window");
    QVERIFY(QFile::exists(path));
    QTRY_VERIFY2(window.isNull(), "the window was not deleted after its dialog ended");
  }

 private:
  std::shared_ptr<const app::RunRecord> run_;
};

QTEST_MAIN(WindowLifetimeTest)
#include "window_lifetime_test.moc"
