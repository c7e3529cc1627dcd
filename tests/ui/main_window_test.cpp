// SPDX-License-Identifier: GPL-3.0-or-later
// The main window on the real widgets, started as the program starts it:
// the design defaults, the menus (the designed two item by item, the added
// commands in a third), the three compute controls, error reports with the
// partial state they leave, the show handler's failure, the tab order, and
// the end of the program from the main window.
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <string>
#include <utility>

#include "app/number_text.h"
#include "core/equations.h"
#include "core/errors.h"
#include "core/floating_point_environment.h"
#include "tests/ui/window_test_support.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"
#include "ui/Unit4.h"
#include "ui/error_boundary.h"
#include "ui/start_up.h"
#include "ui/widgets/results_grid.h"
#include "ui/widgets/status_panel.h"
#include "ui/widgets/tool_bar.h"

namespace {

const QString kCaption = QStringLiteral("Решение нелинейных уравнений");
const QString kFastest = QStringLiteral("Самый быстрый метод для данного уравнения - ");
const QString kBisection = QStringLiteral("Метод половинного деления");
const QString kChords = QStringLiteral("Метод хорд");
const QString kTangents = QStringLiteral("Метод касательных");
const QString kSecants = QStringLiteral("Метод секущих");

QString Separator() {
  return QString::fromStdString(app::DecimalSeparator());
}

// The table row by row, (column 0, 1, 2) of rows 0 to 4.
QStringList Table() {
  QStringList cells;
  for (int row = 0; row < Form1->StringGrid1->rowCount(); ++row)
    for (int column = 0; column < Form1->StringGrid1->columnCount(); ++column)
      cells << Form1->StringGrid1->CellText(column, row);
  return cells;
}

QStringList HeadersOnly() {
  return {QStringLiteral("Метод рассчета"),
          QStringLiteral("Значение"),
          QStringLiteral("Кол-во итераций"),
          kBisection,
          QString(),
          QString(),
          kChords,
          QString(),
          QString(),
          kTangents,
          QString(),
          QString(),
          kSecants,
          QString(),
          QString()};
}

// The design defaults, ordered by iteration count.
QStringList DefaultResults() {
  const QString root = QStringLiteral("1") + Separator() + QStringLiteral("571");
  QStringList cells = HeadersOnly().mid(0, 3);
  cells << kChords << root << QStringLiteral("3") << kTangents << root << QStringLiteral("3")
        << kSecants << root << QStringLiteral("4") << kBisection << root << QStringLiteral("11");
  return cells;
}

QString Status() {
  return Form1->StatusPanel->text();
}

void FillWithStaleTexts() {
  for (int row = 0; row < 5; ++row)
    for (int column = 0; column < 3; ++column) Form1->SetCell(column, row, "stale");
  Form1->SetStatusText("stale");
}

// Runs the event loop as main() does until the program ends; a watchdog
// ends a loop that the window under test fails to end.
int RunEventLoopUntilTheProgramEnds() {
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
  watchdog.start(60'000);
  return QCoreApplication::exec();
}

}  // namespace

Q_DECLARE_METATYPE(std::function<void()>)

namespace {

struct Report {
  QString text;
  QString caption;
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanupTestCase();

  void startsWithTheDesignDefaults();
  void placesTheControlsAsDesigned_data();
  void placesTheControlsAsDesigned();
  void menusHoldTheirItemsInTheirPlaces_data();
  void menusHoldTheirItemsInTheirPlaces();
  void maximizingGivesTheExtraHeightToTheGrid();
  void computesTheSameTableFromEachControl_data();
  void computesTheSameTableFromEachControl();
  void reportsABadInputAndKeepsThePartialState_data();
  void reportsABadInputAndKeepsThePartialState();
  void reportsAFloatingPointErrorAfterTwoMethods();
  void marksTheMethodsThatFoundNoRoot_data();
  void marksTheMethodsThatFoundNoRoot();
  void reportsAFailureInFormShowAndShowsTheWindow();
  void tabVisitsTheControlsInDesignOrder();
  void gridSelectsRangesOfNormalCellsOnly();
  void helpCommandsShowTheHelpWindow_data();
  void helpCommandsShowTheHelpWindow();
  void aboutCommandShowsTheAboutBoxModally();
  void comboBoxAcceptsNoTypedText();
  void editBoxesHaveNoLengthLimit();
  void rereadsTheDecimalSeparatorOnLocaleChange();
  void closingDuringARunLetsTheRunFinishFirst();
  void closingEndsTheProgramWhileTheHelpWindowIsOpen();

 private:
  QList<Report> reports_;
};

void MainWindowTest::initTestCase() {
  window_test::QuietOffscreenLimitations();
  core::EstablishFloatingPointEnvironment();
  app::ReadDecimalSeparator();
  SetSplashSleep([](int) {});
  ui::SetErrorPresenter([this](const QString& text, const QString& caption) {
    reports_.append({text, caption});
  });
  ui::SetApplicationIdentity();
  // For screenshots on a dark desktop.
  if (qEnvironmentVariableIsSet("NLE_DARK_PALETTE"))
    QApplication::setPalette(window_test::DarkPalette());
  ui::CreateWindows();
  Form1->show();
  QVERIFY(QTest::qWaitForWindowActive(Form1));
}

void MainWindowTest::init() {
  Form1->Edit1->setText("1");
  Form1->Edit2->setText("0" + Separator() + "001");
  Form1->Edit11->setText("2");
  Form1->Edit3->setText("1");
  Form1->Edit4->setText("1");
  Form1->ComboBox1->setCurrentIndex(0);
  reports_.clear();
}

void MainWindowTest::cleanupTestCase() {
  ui::DestroyWindows();
  ui::RestoreDefaultErrorPresenter();
}

void MainWindowTest::startsWithTheDesignDefaults() {
  QCOMPARE(Form1->windowTitle(),
           QStringLiteral("Простейший математический пакет по решению нелинейных уравнений "));
  QCOMPARE(Form1->ComboBox1->count(), core::kEquationCount);
  for (int index = 0; index < core::kEquationCount; ++index)
    QCOMPARE(Form1->ComboBox1->itemText(index).toStdString(), core::kEquationTexts[index]);
  QCOMPARE(Form1->ComboBox1->currentText(), QStringLiteral("x=k*cos(l*x)"));
  QCOMPARE(Form1->Edit1->text(), QStringLiteral("1"));
  QCOMPARE(Form1->Edit2->text(), "0" + Separator() + "001");
  QCOMPARE(Form1->Edit11->text(), QStringLiteral("2"));
  QCOMPARE(Form1->Edit3->text(), QStringLiteral("1"));
  QCOMPARE(Form1->Edit4->text(), QStringLiteral("1"));
  QCOMPARE(Table(), HeadersOnly());
  QCOMPARE(Status(), QString());
  QVERIFY(Form1->ProgressBar1->isHidden());
  QCOMPARE(Form1->ProgressBar1->minimum(), 0);
  QCOMPARE(Form1->ProgressBar1->maximum(), 5);
  QCOMPARE(Form1->ProgressBar1->value(), 0);
  QCOMPARE(QApplication::focusWidget(), Form1->Edit1);
  QVERIFY(reports_.isEmpty());
}

void MainWindowTest::placesTheControlsAsDesigned_data() {
  QTest::addColumn<QWidget*>("control");
  QTest::addColumn<QRect>("geometry");
  const auto row = [](const char* name, const QRect& geometry) {
    QTest::newRow(name) << Form1->findChild<QWidget*>(name) << geometry;
  };
  row("ToolBar1", QRect(0, 0, 541, 34));
  row("GroupBox1", QRect(0, 34, 541, 167));
  row("StringGrid1", QRect(0, 201, 541, 136));
  row("ComboBox1", QRect(136, 16, 137, 21));
  row("Edit1", QRect(136, 48, 121, 21));
  row("Edit2", QRect(136, 76, 121, 21));
  row("Edit11", QRect(136, 112, 121, 21));
  row("SpeedButton1", QRect(8, 136, 121, 25));
  row("PageControl1", QRect(280, 16, 153, 121));
  row("ProgressBar1", QRect(136, 144, 377, 17));
  row("Edit3", QRect(24, 8, 81, 21));
  row("Edit4", QRect(24, 32, 81, 21));
  row("ToolButton1", QRect(8, 2, 23, 22));
  row("ToolButton2", QRect(39, 2, 23, 22));
  row("ToolButton3", QRect(70, 2, 23, 22));
}

void MainWindowTest::placesTheControlsAsDesigned() {
  QFETCH(QWidget*, control);
  QFETCH(QRect, geometry);
  QVERIFY(control != nullptr);
  QCOMPARE(control->geometry(), geometry);
}

// Each menu of the bar, in its place, with exactly its items in their order:
// the designed captions (the access key's "&" aside) and the keys each has.
void MainWindowTest::menusHoldTheirItemsInTheirPlaces_data() {
  QTest::addColumn<QMenu*>("menu");
  QTest::addColumn<int>("place");
  QTest::addColumn<QList<QAction*>>("items");
  QTest::addColumn<QStringList>("captions");
  QTest::addColumn<QList<QKeySequence>>("keys");
  QTest::newRow("Программа") << Form1->N1 << 0 << QList<QAction*>{Form1->N4, Form1->N2}
                             << QStringList{"Вычислить уравнение", "Закрыть"}
                             << QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Enter),
                                                    QKeySequence(Qt::CTRL | Qt::Key_Q)};
  QTest::newRow("Справка") << Form1->N8 << 1 << QList<QAction*>{Form1->N3, Form1->N9}
                           << QStringList{"Помощь", "Об авторе..."}
                           << QList<QKeySequence>{QKeySequence(Qt::Key_F1), QKeySequence()};
  QTest::newRow("Сервис") << Form1->ToolsMenu << 2
                          << QList<QAction*>{Form1->OwnEquationItem, Form1->PrintItem}
                          << QStringList{"Своё уравнение…", "Печать…"}
                          << QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_N),
                                                 QKeySequence(Qt::CTRL | Qt::Key_P)};
}

void MainWindowTest::menusHoldTheirItemsInTheirPlaces() {
  QFETCH(QMenu*, menu);
  QFETCH(int, place);
  QFETCH(QList<QAction*>, items);
  QFETCH(QStringList, captions);
  QFETCH(QList<QKeySequence>, keys);
  const QList<QAction*> bar = Form1->MainMenu1->actions();
  QCOMPARE(bar.size(), 3);
  QCOMPARE(bar[place], menu->menuAction());
  QCOMPARE(menu->title().remove(QLatin1Char('&')), QString::fromUtf8(QTest::currentDataTag()));
  QCOMPARE(menu->actions(), items);
  for (qsizetype i = 0; i < items.size(); ++i) {
    QCOMPARE(items[i]->text().remove(QLatin1Char('&')), captions[i]);
    QCOMPARE(items[i]->shortcut(), keys[i]);
    QVERIFY(!items[i]->isSeparator());
  }
}

void MainWindowTest::maximizingGivesTheExtraHeightToTheGrid() {
  const QSize normal = Form1->size();
  const int status_height = Form1->StatusBar1->height();  // 19, or more for a large font
  Form1->showMaximized();
  QTRY_VERIFY(Form1->height() > normal.height());
  const int client_height = Form1->centralWidget()->height() + Form1->StatusBar1->height();
  QCOMPARE(Form1->ToolBar1->height(), ui::ToolBar::kHeight);
  QCOMPARE(Form1->GroupBox1->height(), 167);
  QCOMPARE(Form1->StatusBar1->height(), status_height);
  QCOMPARE(Form1->StringGrid1->height(), client_height - 34 - 167 - status_height);
  for (int column = 0; column < 3; ++column)
    QCOMPARE(Form1->StringGrid1->columnWidth(column) - ui::ResultsGrid::kGridLineWidth, 175);
  for (int row = 0; row < 5; ++row)
    QCOMPARE(Form1->StringGrid1->rowHeight(row) - ui::ResultsGrid::kGridLineWidth, 24);
  Form1->showNormal();
  QTRY_COMPARE(Form1->size(), normal);
  QCOMPARE(Form1->StringGrid1->height(), 136);
}

void MainWindowTest::computesTheSameTableFromEachControl_data() {
  QTest::addColumn<std::function<void()>>("command");
  QTest::newRow("SpeedButton1") << std::function<void()>([] { Form1->SpeedButton1->click(); });
  QTest::newRow("ToolButton1") << std::function<void()>([] { Form1->ToolButton1->click(); });
  QTest::newRow("N4") << std::function<void()>([] { Form1->N4->trigger(); });
}

void MainWindowTest::computesTheSameTableFromEachControl() {
  QFETCH(std::function<void()>, command);
  FillWithStaleTexts();
  command();
  QCOMPARE(Table(), DefaultResults());
  QCOMPARE(Status(), kFastest + kChords);
  QVERIFY(Form1->ProgressBar1->isHidden());
  QVERIFY(reports_.isEmpty());
}

void MainWindowTest::reportsABadInputAndKeepsThePartialState_data() {
  QTest::addColumn<QString>("edit");
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("progress_shown");
  // k and l are read before the progress bar shows; the interval and the
  // precision after it.
  QTest::newRow("k") << "Edit3"
                     << "abc" << false;
  QTest::newRow("l") << "Edit4"
                     << "1x" << false;
  QTest::newRow("start") << "Edit1"
                         << "" << true;
  QTest::newRow("precision") << "Edit2"
                             << "0,,001" << true;
  QTest::newRow("end") << "Edit11"
                       << "2x" << true;
  // The message arrives whole: nothing ends it at the NUL.
  QTest::newRow("NUL") << "Edit1" << QStringLiteral("1") + QChar(0) + QStringLiteral("2") << true;
}

void MainWindowTest::reportsABadInputAndKeepsThePartialState() {
  QFETCH(QString, edit);
  QFETCH(QString, text);
  QFETCH(bool, progress_shown);
  Form1->ProgressBar1->hide();
  FillWithStaleTexts();
  Form1->findChild<QLineEdit*>(edit)->setText(text);

  Form1->SpeedButton1->click();

  QCOMPARE(reports_.size(), 1);
  QCOMPARE(reports_[0].text, "'" + text + "' is not a valid floating point value.");
  QCOMPARE(reports_[0].caption, kCaption);
  QCOMPARE(Table(), HeadersOnly());
  QCOMPARE(Status(), QString());
  QCOMPARE(Form1->ProgressBar1->isVisible(), progress_shown);
  if (progress_shown) QCOMPARE(Form1->ProgressBar1->value(), 0);
}

void MainWindowTest::reportsAFloatingPointErrorAfterTwoMethods() {
  // With k = l = 1 the first equation's derivative is 0 at x = 0, where the
  // tangent method (method 3) starts: a division by zero.
  Form1->Edit1->setText("0");
  Form1->SpeedButton1->click();

  QCOMPARE(reports_.size(), 1);
  QCOMPARE(reports_[0].text, QStringLiteral("Floating point division by zero."));
  const QStringList table = Table();
  QCOMPARE(table[3], kBisection);
  QVERIFY(!table[4].isEmpty() && !table[5].isEmpty());
  QCOMPARE(table[6], kChords);
  QVERIFY(!table[7].isEmpty() && !table[8].isEmpty());
  QCOMPARE(table.mid(9), HeadersOnly().mid(9));
  QCOMPARE(Status(), QString());
  QVERIFY(Form1->ProgressBar1->isVisible());
  QCOMPARE(Form1->ProgressBar1->value(), 2);
}

void MainWindowTest::marksTheMethodsThatFoundNoRoot_data() {
  QTest::addColumn<int>("equation");
  // Numbers with "#" for the decimal separator.
  QTest::addColumn<QStringList>("inputs");  // k, l, start, precision, end
  QTest::addColumn<QStringList>("rows");    // "name|value|count", top down
  QTest::addColumn<QString>("status");
  QTest::newRow("defaults") << 0 << QStringList{"1", "1", "1", "0#001", "2"}
                            << QStringList{"Метод хорд|1#571|3", "Метод касательных|1#571|3",
                                           "Метод секущих|1#571|4",
                                           "Метод половинного деления|1#571|11"}
                            << kFastest + kChords;
  // Bisection's 1,999 is no root, the tangents cycle, chords and secants
  // find roots far outside [−1; 2]: the chords' root is still a root.
  QTest::newRow("equation 4") << 4 << QStringList{"3", "-2", "-1", "0#001", "2"}
                              << QStringList{"Метод хорд|2#917 — вне отрезка|7",
                                             "Метод половинного деления|1#999 — не корень|13",
                                             "Метод секущих|-2#917 — вне отрезка|27",
                                             "Метод касательных|-0#972 — цикл|5001"}
                              << kFastest + kChords;
  // cos(2x) − 1,5 < 0 everywhere: no method finds a root, none fails with an error.
  QTest::newRow("no root") << 8 << QStringList{"2", "-1#5", "2", "0#5", "3"}
                           << QStringList{"Метод половинного деления|2#5 — не корень|2",
                                          "Метод секущих|3#3 — не корень|2",
                                          "Метод хорд|-42424816#4 — предел|5001",
                                          "Метод касательных|8586#8 — предел|5001"}
                           << QStringLiteral("Ни один метод не нашёл корень");
}

// The marks are text in the value's cell, read aloud like any cell; the
// sort, the names, the values and the counts stay as they were.
void MainWindowTest::marksTheMethodsThatFoundNoRoot() {
  QFETCH(int, equation);
  QFETCH(QStringList, inputs);
  QFETCH(QStringList, rows);
  QFETCH(QString, status);
  const auto number = [](QString text) { return text.replace('#', Separator()); };
  Form1->ComboBox1->setCurrentIndex(equation);
  Form1->Edit3->setText(number(inputs[0]));
  Form1->Edit4->setText(number(inputs[1]));
  Form1->Edit1->setText(number(inputs[2]));
  Form1->Edit2->setText(number(inputs[3]));
  Form1->Edit11->setText(number(inputs[4]));
  Form1->SpeedButton1->click();

  QVERIFY(reports_.isEmpty());
  QStringList cells = HeadersOnly().mid(0, 3);
  for (const QString& row : rows) cells << number(row).split('|');
  QCOMPARE(Table(), cells);
  QCOMPARE(Status(), status);
  QAccessibleTableInterface* table =
      QAccessible::queryAccessibleInterface(Form1->StringGrid1)->tableInterface();
  for (int row = 1; row <= 4; ++row) {
    QCOMPARE(table->cellAt(row, 1)->text(QAccessible::Name), Form1->StringGrid1->CellText(1, row));
  }
  const QString pictures =
      qEnvironmentVariable("NLE_SCREENSHOT_DIR", QStringLiteral(NLE_SCREENSHOT_DIR));
  QVERIFY(QDir().mkpath(pictures));
  QVERIFY(Form1->grab().save(pictures + "/main-window-marks-" +
                             QString(QTest::currentDataTag()).replace(' ', '-') + ".png"));
}

void MainWindowTest::reportsAFailureInFormShowAndShowsTheWindow() {
  Form1->hide();
  SetSplashSleep([](int) { throw core::Exception("The splash failed"); });
  Form1->show();
  SetSplashSleep([](int) {});
  Form4->hide();

  QCOMPARE(reports_.size(), 1);
  QCOMPARE(reports_[0].text, QStringLiteral("The splash failed."));
  QCOMPARE(reports_[0].caption, kCaption);
  QVERIFY(Form1->isVisible());
  QVERIFY(QTest::qWaitForWindowActive(Form1));
}

void MainWindowTest::tabVisitsTheControlsInDesignOrder() {
  Form1->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(Form1));
  Form1->Edit1->setFocus();
  const QList<QWidget*> order = {
      Form1->Edit2, Form1->ComboBox1, Form1->Edit11,      Form1->PageControl1->focusProxy(),
      Form1->Edit3, Form1->Edit4,     Form1->StringGrid1, Form1->Edit1};
  for (QWidget* expected : order) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), expected);
  }
}

// A rectangle dragged from a normal cell over the header row and column
// selects only the normal cells inside it.
void MainWindowTest::gridSelectsRangesOfNormalCellsOnly() {
  ui::ResultsGrid* grid = Form1->StringGrid1;
  const auto centre = [grid](int column, int row) {
    return grid->visualRect(grid->model()->index(row, column)).center();
  };
  grid->clearSelection();
  QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, centre(2, 2));
  QTest::mouseMove(grid->viewport(), centre(1, 1));  // a drag passes through the cells
  QTest::mouseMove(grid->viewport(), centre(0, 0));
  QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, centre(0, 0));

  QList<QPoint> selected;
  for (const QModelIndex& index : grid->selectionModel()->selectedIndexes())
    selected << QPoint(index.column(), index.row());
  std::sort(selected.begin(), selected.end(),
            [](QPoint a, QPoint b) { return std::pair(a.y(), a.x()) < std::pair(b.y(), b.x()); });
  QCOMPARE(selected, (QList<QPoint>{{1, 1}, {2, 1}, {1, 2}, {2, 2}}));
  grid->clearSelection();
}

void MainWindowTest::helpCommandsShowTheHelpWindow_data() {
  QTest::addColumn<std::function<void()>>("command");
  QTest::newRow("N3") << std::function<void()>([] { Form1->N3->trigger(); });
  QTest::newRow("ToolButton2") << std::function<void()>([] { Form1->ToolButton2->click(); });
}

void MainWindowTest::helpCommandsShowTheHelpWindow() {
  QFETCH(std::function<void()>, command);
  Form2->hide();
  command();
  QVERIFY(Form2->isVisible());
  Form2->hide();
  Form1->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(Form1));
}

void MainWindowTest::aboutCommandShowsTheAboutBoxModally() {
  bool shown_modally = false;
  QTimer::singleShot(0, AboutBox, [&shown_modally] {
    shown_modally = AboutBox->isVisible() && QApplication::activeModalWidget() == AboutBox;
    AboutBox->reject();
  });
  Form1->N9->trigger();
  QVERIFY(shown_modally);
  QVERIFY(!AboutBox->isVisible());
  QVERIFY(reports_.isEmpty());
}

void MainWindowTest::comboBoxAcceptsNoTypedText() {
  Form1->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(Form1));
  Form1->ComboBox1->setFocus();
  QTest::keyClicks(Form1->ComboBox1, "zzz");
  QVERIFY(!Form1->ComboBox1->isEditable());
  QCOMPARE(Form1->ComboBox1->count(), core::kEquationCount);
  QCOMPARE(Form1->ComboBox1->currentIndex(), 0);
  QCOMPARE(Form1->ComboBox1->currentText(), QStringLiteral("x=k*cos(l*x)"));
}

void MainWindowTest::editBoxesHaveNoLengthLimit() {
  const QString long_text(40'000, QLatin1Char('7'));
  for (QLineEdit* edit : {Form1->Edit1, Form1->Edit2, Form1->Edit11, Form1->Edit3, Form1->Edit4}) {
    edit->setText(long_text);
    QCOMPARE(edit->text().size(), long_text.size());
  }
}

void MainWindowTest::rereadsTheDecimalSeparatorOnLocaleChange() {
  const std::string from_locale = app::LocaleDecimalSeparator();
  app::SetDecimalSeparator("#");
  QEvent change(QEvent::LocaleChange);
  QCoreApplication::sendEvent(Form1, &change);
  QCOMPARE(app::DecimalSeparator(), from_locale);
}

// The close arrives through the message processing inside the run; the run
// completes and writes its results, then the event loop ends with 0.
void MainWindowTest::closingDuringARunLetsTheRunFinishFirst() {
  QString status_at_close = QStringLiteral("not closed");
  bool shown_after_close = false;
  QTimer::singleShot(0, Form1, [&status_at_close, &shown_after_close] {
    QMetaObject::invokeMethod(
        Form1,
        [&status_at_close, &shown_after_close] {
          status_at_close = Status();
          Form1->close();
          shown_after_close = Form1->isVisible();
        },
        Qt::QueuedConnection);
    Form1->SpeedButton1->click();
  });

  QCOMPARE(RunEventLoopUntilTheProgramEnds(), 0);
  QCOMPARE(status_at_close, QString());  // the run had emptied it and not yet finished
  QVERIFY(shown_after_close);            // the window stays until the run has returned
  QCOMPARE(Table(), DefaultResults());
  QCOMPARE(Status(), kFastest + kChords);
  QVERIFY(!Form1->isVisible());
  QVERIFY(reports_.isEmpty());
}

void MainWindowTest::closingEndsTheProgramWhileTheHelpWindowIsOpen() {
  Form1->show();
  QVERIFY(QTest::qWaitForWindowExposed(Form1));
  Form2->ShowNonModal();
  QVERIFY(Form2->isVisible());
  QTimer::singleShot(0, Form1, [] { Form1->N2->trigger(); });

  QCOMPARE(RunEventLoopUntilTheProgramEnds(), 0);
  QVERIFY(!Form1->isVisible());
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
