// SPDX-License-Identifier: GPL-3.0-or-later
// A focused edit with a long text stops the cursor's blinking (each blink
// would draw the whole line again) and keeps its whole text; the blinking
// comes back when the focus moves on or the text is short again.
#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <QtTest>
#include <climits>

#include "tests/ui/window_test_support.h"
#include "ui/widgets/steady_cursor.h"

class SteadyCursorTest : public QObject {
  Q_OBJECT

 private slots:
  void blinksOnlyWithShortTexts() {
    window_test::QuietOffscreenLimitations();
    QApplication::setCursorFlashTime(1000);
    QWidget window;
    auto* column = new QVBoxLayout(&window);
    auto* edit = new QLineEdit();
    auto* other = new QLineEdit();
    for (QLineEdit* each : {edit, other}) {
      each->setMaxLength(INT_MAX);
      ui::KeepCursorSteadyWhenLong(*each);
      column->addWidget(each);
    }
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    const QString long_text(1 << 20, QChar('7'));
    const struct {
      const char* step;
      QLineEdit* focus;
      QString text;  // of `edit`
      int flash_time;
    } kSteps[] = {
        {"short, focused", edit, "1", 1000},
        {"1 MiB, focused", edit, long_text, 0},
        {"focus on the other", other, long_text, 1000},
        {"focus back", edit, long_text, 0},
        {"short again", edit, "2", 1000},
    };
    for (const auto& step : kSteps) {
      step.focus->setFocus();
      QTRY_VERIFY2(step.focus->hasFocus(), step.step);
      edit->setText(step.text);
      QVERIFY2(QApplication::cursorFlashTime() == step.flash_time, step.step);
      QCOMPARE(edit->text(), step.text);  // the whole value
    }
  }
};

QTEST_MAIN(SteadyCursorTest)
#include "steady_cursor_test.moc"
