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
#include <QTextBlock>
#include <QTextDocument>
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
  // The direction of the shown text's first paragraph, as the box lays it out.
  Qt::LayoutDirection direction = Qt::LayoutDirectionAuto;
};

// The label's or the scrolled view's document decides the paragraph's
// direction; without one, the label's own direction does.
Qt::LayoutDirection ShownDirection(const QMessageBox& box) {
  const QWidget* shown = box.findChild<ui::TextView*>();
  if (shown == nullptr) shown = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  if (shown == nullptr) return Qt::LayoutDirectionAuto;
  const auto* document = shown->findChild<QTextDocument*>();
  return document != nullptr ? document->firstBlock().textDirection() : shown->layoutDirection();
}

// Reports `error` and reads the box while it is open.
Box Report(const core::Exception& error) {
  Box seen;
  QTimer::singleShot(0, [&seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    seen = {box->frameGeometry(), QRect(ok->mapToGlobal(QPoint(0, 0)), ok->size()), box->text(),
            box->findChild<ui::TextView*>() != nullptr, ShownDirection(*box)};
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

  // Whatever the user typed, the message reads left to right: the quote, the
  // isolated input, then the program's words.
  void boxReadsLeftToRight_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("length");  // of the message; 1 MiB goes to the scrolled view
    QTest::newRow("RLM -1") << QStringLiteral("\u200F-1") << 0;
    QTest::newRow("Hebrew") << QStringLiteral("שלום") << 0;
    QTest::newRow("Hebrew digit") << QStringLiteral("1א") << 0;
    QTest::newRow("Arabic") << QStringLiteral("مرحبا") << 0;
    QTest::newRow("Arabic, 1 MiB") << QStringLiteral("مرحبا") << 1024 * 1024;
  }

  void boxReadsLeftToRight() {
    QFETCH(QString, typed);
    QFETCH(int, length);
    const std::string input = typed.repeated(std::max(1, length / 5)).toStdString();
    const Box box =
        Report(core::EConvertError("'", input, "' is not a valid floating point value"));
    QCOMPARE(box.direction, Qt::LeftToRight);
    if (length == 0) {
      QCOMPARE(box.label, QStringLiteral("'\u2068") + typed +
                              QStringLiteral("\u2069' is not a valid floating point value."));
    }
  }
};

QTEST_MAIN(ErrorBoxTest)
#include "error_box_test.moc"
