// SPDX-License-Identifier: GPL-3.0-or-later
// The real error box, opened by ReportError and inspected from inside its
// modal loop, then closed by its OK button: a message of any length keeps the
// box inside the screen with its button in reach, and the box shows a NUL and
// a quoted text's direction marks as documented in ui/error_boundary.h.
#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <string>

#include "core/errors.h"
#include "ui/error_boundary.h"
#include "ui/widgets/text_view.h"

namespace {

struct Box {
  QRect frame;
  QRect ok_button;  // in screen coordinates
  QString label;
  bool scrolled = false;
};

// Reports `error` and reads the box while it is open.
Box Report(const core::Exception& error) {
  Box seen;
  QTimer::singleShot(0, [&seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    seen = {box->frameGeometry(), QRect(ok->mapToGlobal(QPoint(0, 0)), ok->size()), box->text(),
            box->findChild<ui::TextView*>() != nullptr};
    ok->click();
  });
  ui::ReportError(error);
  return seen;
}

}  // namespace

class ErrorBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void boxStaysInsideTheScreen_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("scrolled");
    QTest::newRow("short") << 3 << false;
    QTest::newRow("1 MiB") << 1024 * 1024 << true;
  }

  void boxStaysInsideTheScreen() {
    QFETCH(int, length);
    QFETCH(bool, scrolled);
    const std::string typed(static_cast<std::size_t>(length), '7');
    const Box box =
        Report(core::EConvertError("'", typed, "' is not a valid floating point value"));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(box.scrolled, scrolled);
    QVERIFY(screen.contains(box.frame));
    QVERIFY(box.frame.contains(box.ok_button));
  }

  // A NUL shows as U+FFFD; the typed text stands between a first-strong
  // isolate and its pop, so the override U+202E inside it ends there.
  void boxShowsNulAndIsolatesTheQuotedText() {
    const std::string typed = std::string("\u202E1") + '\0' + "5";
    const Box box =
        Report(core::EConvertError("'", typed, "' is not a valid floating point value"));
    QCOMPARE(box.label, QStringLiteral("'\u2068\u202E1\uFFFD5\u2069' is not a valid floating point "
                                       "value."));
  }
};

QTEST_MAIN(ErrorBoxTest)
#include "error_box_test.moc"
