// SPDX-License-Identifier: GPL-3.0-or-later
// A modal dialog of ours runs on the heap: its loop counts as one of our
// nested loops while it runs, what the user chose is read only while the
// dialog exists, and it is deleted afterwards, also when its parent window
// goes while it runs.
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <functional>

#include "tests/ui/window_test_support.h"
#include "ui/platform/modal_dialog.h"
#include "ui/platform/nested_loop.h"

class ModalDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { window_test::QuietOffscreenLimitations(); }
  void runsOnTheHeapAndGoesAfterwards_data();
  void runsOnTheHeapAndGoesAfterwards();
};

using Ending = std::function<void(QDialog&, QWidget*&)>;
Q_DECLARE_METATYPE(Ending)

void ModalDialogTest::runsOnTheHeapAndGoesAfterwards_data() {
  QTest::addColumn<Ending>("ending");
  QTest::addColumn<int>("result");
  QTest::addColumn<bool>("read");
  QTest::newRow("accepted") << Ending([](QDialog& dialog, QWidget*&) { dialog.accept(); })
                            << int(QDialog::Accepted) << true;
  QTest::newRow("rejected") << Ending([](QDialog& dialog, QWidget*&) { dialog.reject(); })
                            << int(QDialog::Rejected) << true;
  // The window goes while its dialog runs, and takes the dialog with it.
  QTest::newRow("parent closed") << Ending([](QDialog&, QWidget*& parent) {
    delete parent;
    parent = nullptr;
  }) << int(QDialog::Rejected) << false;
}

void ModalDialogTest::runsOnTheHeapAndGoesAfterwards() {
  QFETCH(Ending, ending);
  QFETCH(int, result);
  QFETCH(bool, read);
  auto* parent = new QWidget();
  parent->show();
  QPointer<QDialog> dialog = new QDialog(parent);
  bool nested_loop_marked = false;
  QTimer::singleShot(0, dialog, [&] {
    nested_loop_marked = ui::NestedLoopRuns();
    ending(*dialog, parent);
  });
  bool was_read = false;
  QCOMPARE(ui::RunModalDialog(dialog.data(), [&was_read](QDialog&, int) { was_read = true; }),
           result);
  QVERIFY(nested_loop_marked);
  QVERIFY(!ui::NestedLoopRuns());
  QCOMPARE(was_read, read);
  QVERIFY(dialog.isNull());
  delete parent;
}

QTEST_MAIN(ModalDialogTest)
#include "modal_dialog_test.moc"
