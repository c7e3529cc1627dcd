// SPDX-License-Identifier: GPL-3.0-or-later
// The help window and the About box. Every help test runs in a fresh
// temporary directory, which is where the window looks for help.txt; error
// reports are recorded instead of shown.
#include <sys/stat.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <functional>
#include <memory>

#include "ui/Unit2.h"
#include "ui/Unit3.h"
#include "ui/error_boundary.h"
#include "ui/widgets/bevel_panel.h"
#include "ui/widgets/placement.h"
#include "ui/widgets/stretched_image.h"
#include "ui/widgets/text_view.h"

namespace {

struct Report {
  QString text;
  bool help_window_visible;
};

void WriteHelp(const QByteArray& bytes) {
  QFile file(QStringLiteral("help.txt"));
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray ManyLines(const char* word) {
  QByteArray text;
  for (int line = 0; line < 300; ++line) text += word + QByteArray::number(line) + "\r\n";
  return text;
}

// A click as the window system delivers it, so that Qt's modality applies
// (a click sent to the widget directly would bypass it).
void ClickThroughTheWindowSystem(QWidget& control) {
  QWidget* window = control.window();
  const QPoint centre = control.mapTo(window, control.rect().center());
  QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, centre);
}

// Runs `check` once the modal box has opened, then closes it by OK.
void WhileModal(TAboutBox& box, std::function<void()> check) {
  QTimer::singleShot(0, &box, [&box, check] {
    check();
    if (box.isVisible()) box.OKButton->click();
  });
}

}  // namespace

Q_DECLARE_METATYPE(std::function<void()>)

class HelpAboutTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    directory_ = std::make_unique<QTemporaryDir>();
    QVERIFY(directory_->isValid());
    QVERIFY(QDir::setCurrent(directory_->path()));
    reports_.clear();
    form_ = std::make_unique<TForm2>();
    ui::SetErrorPresenter([this](const QString& text, const QString& /*caption*/) {
      reports_.push_back({text, form_->isVisible()});
    });
  }

  void cleanup() {
    form_.reset();
    ui::RestoreDefaultErrorPresenter();
    QDir::setCurrent(QDir::tempPath());
    directory_.reset();
  }

  // What layout and focus decide.
  void helpWindowLayout() {
    form_->resize(600, 400);
    form_->show();
    QCOMPARE(form_->Panel1->geometry(), QRect(0, 400 - 41, 600, 41));
    QCOMPARE(form_->Memo1->geometry(), QRect(0, 0, 600, 400 - 41));
    QCOMPARE(form_->focusWidget(), form_->Memo1);
  }

  void missingFileIsReportedBeforeTheWindowShowsMemo1() {
    form_->ShowNonModal();
    const QString path = QDir(directory_->path()).filePath(QStringLiteral("help.txt"));
    QCOMPARE(reports_.size(), 1);
    QCOMPARE(reports_[0].text,
             QStringLiteral("Cannot open file \"%1\". No such file or directory.").arg(path));
    QVERIFY(!reports_[0].help_window_visible);
    QVERIFY(form_->isVisible());
    QCOMPARE(form_->Memo1->toPlainText(), QStringLiteral("Memo1"));
  }

  void firstShowingIsCentredOnTheDesktopLaterOnesKeepThePlace() {
    WriteHelp("text");
    form_->ShowNonModal();
    QCOMPARE(form_->pos(), ui::CentredOnDesktop(QSize(493, 284)));
    form_->BitBtn1->click();
    QVERIFY(!form_->isVisible());
    form_->move(10, 20);
    form_->resize(300, 200);
    form_->ShowNonModal();
    QCOMPARE(form_->pos(), QPoint(10, 20));
    QCOMPARE(form_->size(), QSize(300, 200));
  }

  void lineBreakConventionsShowTheSameLines_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("CR LF") << QByteArray("один\r\nдва\r\nтри");
    QTest::newRow("LF") << QByteArray("один\nдва\nтри");
    QTest::newRow("CR") << QByteArray("один\rдва\rтри");
  }

  void lineBreakConventionsShowTheSameLines() {
    QFETCH(QByteArray, bytes);
    WriteHelp(bytes);
    form_->ShowNonModal();
    QCOMPARE(form_->Memo1->toPlainText(), QStringLiteral("один\nдва\nтри"));
    QCOMPARE(form_->Memo1->document()->blockCount(), 3);
  }

  void unchangedFileKeepsScrollPositionAndSelection() {
    WriteHelp(ManyLines("line"));
    form_->ShowNonModal();
    form_->Memo1->verticalScrollBar()->setValue(40);
    QTextCursor selection = form_->Memo1->textCursor();
    selection.setPosition(30);
    selection.setPosition(45, QTextCursor::KeepAnchor);
    form_->Memo1->setTextCursor(selection);
    form_->Memo1->verticalScrollBar()->setValue(40);
    form_->BitBtn1->click();

    form_->ShowNonModal();

    QCOMPARE(form_->Memo1->verticalScrollBar()->value(), 40);
    QCOMPARE(form_->Memo1->textCursor().anchor(), 30);
    QCOMPARE(form_->Memo1->textCursor().position(), 45);
  }

  void changedFileShowsFromTheTop() {
    WriteHelp(ManyLines("line"));
    form_->ShowNonModal();
    form_->Memo1->verticalScrollBar()->setValue(40);
    form_->BitBtn1->click();
    WriteHelp(ManyLines("other"));

    form_->ShowNonModal();

    QVERIFY(form_->Memo1->toPlainText().startsWith(QStringLiteral("other0\nother1\n")));
    QCOMPARE(form_->Memo1->verticalScrollBar()->value(), 0);
    QVERIFY(!form_->Memo1->textCursor().hasSelection());
    QCOMPARE(form_->Memo1->textCursor().position(), 0);
  }

  void emptyFileEmptiesTheBox() {
    WriteHelp(QByteArray());
    form_->ShowNonModal();
    QCOMPARE(form_->Memo1->toPlainText(), QString());
    QVERIFY(reports_.isEmpty());
  }

  void deletedFileKeepsTheTextOfTheLastLoad() {
    WriteHelp("загружено");
    form_->ShowNonModal();
    form_->BitBtn1->click();
    QVERIFY(QFile::remove(QStringLiteral("help.txt")));

    form_->ShowNonModal();

    QCOMPARE(reports_.size(), 1);
    QVERIFY(reports_[0].text.startsWith(QStringLiteral("Cannot open file \"")));
    QCOMPARE(form_->Memo1->toPlainText(), QStringLiteral("загружено"));
  }

  void windows1251FileReadsAsCyrillic() {
    WriteHelp("\xD1\xEF\xF0\xE0\xE2\xEA\xE0");
    form_->ShowNonModal();
    QCOMPARE(form_->Memo1->toPlainText(), QStringLiteral("Справка"));
  }

  void nulByteEndsTheText() {
    WriteHelp(QByteArray("видно\0не видно", 20));
    form_->ShowNonModal();
    QCOMPARE(form_->Memo1->toPlainText(), QStringLiteral("видно"));
  }

  void fileAboveTheCapacityIsRefusedAndTheOldTextStays() {
    WriteHelp("old");
    form_->ShowNonModal();
    form_->BitBtn1->click();
    WriteHelp(QByteArray(16 * 1024 * 1024 + 1, 'x'));

    form_->ShowNonModal();

    QCOMPARE(reports_.size(), 1);
    QCOMPARE(reports_[0].text, QStringLiteral("Text exceeds memo capacity."));
    QVERIFY(!reports_[0].help_window_visible);
    QCOMPARE(form_->Memo1->toPlainText(), QStringLiteral("old"));
  }

  // Files that used to freeze the window or block it: a long line and many
  // line breaks show whole in blocks of bounded length and number (the time
  // and memory they take are measured by bench/text_bench); a pipe without a
  // writer, a device and a directory are refused at once.
  void pathologicalHelpFiles_data() {
    QTest::addColumn<std::function<void()>>("make");
    QTest::addColumn<QString>("shown");    // the whole text, when it loads
    QTest::addColumn<QString>("refusal");  // the system's reason, when it does not
    const int size = 1024 * 1024;
    const auto file = [](QByteArray bytes) { return [bytes] { WriteHelp(bytes); }; };
    QString words;
    while (words.size() < size) words += QStringLiteral("слово ");
    QTest::newRow("one line, no blanks")
        << std::function<void()>(file(QByteArray(size, 'a'))) << QString(size, u'a') << QString();
    QTest::newRow("one line of words")
        << std::function<void()>(file(words.toUtf8())) << words << QString();
    QTest::newRow("line feeds") << std::function<void()>(file(QByteArray(size, '\n')))
                                << QString(size, u'\n') << QString();
    QTest::newRow("named pipe") << std::function<void()>([] {
      QCOMPARE(::mkfifo("help.txt", 0600), 0);
    }) << QString() << QStringLiteral("Operation not supported");
    QTest::newRow("device") << std::function<void()>([] {
      QVERIFY(QFile::link(QStringLiteral("/dev/zero"), QStringLiteral("help.txt")));
    }) << QString() << QStringLiteral("Operation not supported");
    QTest::newRow("directory") << std::function<void()>([] {
      QVERIFY(QDir().mkdir(QStringLiteral("help.txt")));
    }) << QString() << QStringLiteral("Is a directory");
  }

  void pathologicalHelpFiles() {
    QFETCH(std::function<void()>, make);
    QFETCH(QString, shown);
    QFETCH(QString, refusal);
    make();

    form_->ShowNonModal();

    QVERIFY(form_->isVisible());
    if (!refusal.isEmpty()) {
      const QString path = QDir(directory_->path()).filePath(QStringLiteral("help.txt"));
      QCOMPARE(reports_.size(), 1);
      QCOMPARE(reports_[0].text, QStringLiteral("Cannot open file \"%1\". %2.").arg(path, refusal));
      QCOMPARE(form_->Memo1->toPlainText(), QStringLiteral("Memo1"));
      return;
    }
    QVERIFY(reports_.isEmpty());
    const QTextDocument& document = *form_->Memo1->document();
    QVERIFY(document.blockCount() <= ui::kMaxBlockCount);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
      QVERIFY(block.length() <= ui::kMaxBlockLength + 1);
    // Copying gives the text as the file had it: no break where a long line
    // was cut.
    form_->Memo1->selectAll();
    form_->Memo1->copy();
    QCOMPARE(QGuiApplication::clipboard()->text(), shown);
  }

  void helpCommandOnAShownWindowDoesNotReload() {
    WriteHelp("first");
    form_->ShowNonModal();
    WriteHelp("second");
    form_->ShowNonModal();
    QCOMPARE(form_->Memo1->toPlainText(), QStringLiteral("first"));
    form_->BitBtn1->click();
    form_->ShowNonModal();
    QCOMPARE(form_->Memo1->toPlainText(), QStringLiteral("second"));
  }

  void helpKeys() {
    WriteHelp("text");
    form_->ShowNonModal();
    form_->Memo1->setFocus();
    QTest::keyClick(form_->Memo1, Qt::Key_Escape);
    QTest::keyClick(form_->Memo1, Qt::Key_Return);
    QVERIFY(form_->isVisible());
    QTest::keyClick(form_->Memo1, Qt::Key_Tab);
    QCOMPARE(form_->focusWidget(), form_->BitBtn1);
    QTest::keyClick(form_->BitBtn1, Qt::Key_Escape);
    QVERIFY(form_->isVisible());
    QTest::keyClick(form_->BitBtn1, Qt::Key_Return);
    QVERIFY(!form_->isVisible());
  }

  void aboutBoxTextAndFocus() {
    TAboutBox box;
    QCOMPARE(
        box.Memo1->toPlainText(),
        QStringLiteral("Простейший математический пакет \nпо решению нелинейных уравнений\n "));
    QCOMPARE(box.focusWidget(), box.OKButton);
    QCOMPARE(box.minimumSize(), box.maximumSize());
  }

  void aboutBoxIsModalAndTheOtherWindowsTakeNoInput() {
    QWidget main;
    auto* command = new QPushButton(QStringLiteral("command"), &main);
    int pressed = 0;
    connect(command, &QPushButton::clicked, [&pressed] { ++pressed; });
    main.show();
    WriteHelp("text");
    form_->ShowNonModal();
    TAboutBox box;
    bool modal = false;
    bool main_blocked = false;
    bool help_blocked = false;
    WhileModal(box, [&] {
      modal = QApplication::activeModalWidget() == &box;
      ClickThroughTheWindowSystem(*command);
      main_blocked = pressed == 0;
      ClickThroughTheWindowSystem(*form_->BitBtn1);
      help_blocked = form_->isVisible();
    });

    QCOMPARE(box.ShowModal(), int(QDialog::Accepted));

    QVERIFY(modal);
    QVERIFY(main_blocked);
    QVERIFY(help_blocked);
    ClickThroughTheWindowSystem(*command);
    QCOMPARE(pressed, 1);
  }

  void escapeDoesNotCloseTheAboutBoxEnterPressesOk() {
    TAboutBox box;
    bool open_after_escape = false;
    WhileModal(box, [&] {
      QTest::keyClick(&box, Qt::Key_Escape);
      open_after_escape = box.isVisible();
      QTest::keyClick(box.OKButton, Qt::Key_Return);
    });
    QCOMPARE(box.ShowModal(), int(QDialog::Accepted));
    QVERIFY(open_after_escape);
  }

  void aboutTextBoxKeepsEnterAndTab() {
    TAboutBox box;
    bool open_after_enter = false;
    bool focus_kept = false;
    WhileModal(box, [&] {
      box.Memo1->setFocus(Qt::MouseFocusReason);
      QTest::keyClick(box.Memo1, Qt::Key_Return);
      open_after_enter = box.isVisible();
      QTest::keyClick(box.Memo1, Qt::Key_Tab);
      focus_kept = box.focusWidget() == box.Memo1;
    });
    box.ShowModal();
    QVERIFY(open_after_enter);
    QVERIFY(focus_kept);
  }

  void aboutBoxIsPlacedOnceCentredOnThePrimaryScreen() {
    TAboutBox box;
    WhileModal(box, [] {});
    box.ShowModal();
    QCOMPARE(box.pos(), ui::CentredOnPrimaryScreen(QSize(298 + 16, 152 + 36)));
    box.move(5, 6);
    WhileModal(box, [] {});
    box.ShowModal();
    QCOMPARE(box.pos(), QPoint(5, 6));
  }

  void programIconIs32x32StretchedTo65x57() {
    TAboutBox box;
    QImage canvas(65, 57, QImage::Format_RGB32);
    box.ProgramIcon->render(&canvas);
    const QImage icon = box.ProgramIcon->Picture().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(icon.size(), QSize(32, 32));
    // No smoothing: every pixel of the control is one of the icon's colours.
    QSet<QRgb> colours;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) colours.insert(icon.pixel(x, y));
    }
    for (int y = 0; y < 57; ++y) {
      for (int x = 0; x < 65; ++x) QVERIFY(colours.contains(canvas.pixel(x, y)));
    }
  }

 private:
  std::unique_ptr<QTemporaryDir> directory_;
  std::unique_ptr<TForm2> form_;
  QList<Report> reports_;
};

QTEST_MAIN(HelpAboutTest)
#include "help_about_test.moc"
