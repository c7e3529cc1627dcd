// SPDX-License-Identifier: GPL-3.0-or-later
// The main window for users of screen readers, the keyboard, large fonts and
// dark desktop palettes: accessible names, roles and table headers read back
// through Qt's accessibility interfaces; the contrast of every text colour
// with its background under a light and a dark desktop palette; the status
// bar at large fonts; the keyboard path through the table and the shortcuts.
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <cmath>
#include <memory>

#include "app/number_text.h"
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

namespace {

using window_test::Contrast;

// Where a widget that does not fill its own background draws its text: on
// the nearest ancestor that fills its background, or on the window.
QColor BackgroundBehind(const QWidget& widget) {
  const QWidget* filler = widget.parentWidget();
  while (!filler->isWindow() && !filler->autoFillBackground()) filler = filler->parentWidget();
  return filler->palette().color(QPalette::Window);
}

// Menus are windows of their own, checked as such.
bool ShowsText(const QWidget& widget) {
  for (const char* kind : {"QLabel", "QLineEdit", "QAbstractButton", "QComboBox",
                           "QAbstractItemView", "QPlainTextEdit", "QTabBar", "QMenuBar"})
    if (widget.inherits(kind)) return true;
  return false;
}

using RolePairs = QList<std::pair<QPalette::ColorRole, QPalette::ColorRole>>;
const RolePairs kTextOnBackground = {{QPalette::WindowText, QPalette::Window},
                                     {QPalette::ButtonText, QPalette::Button},
                                     {QPalette::Text, QPalette::Base}};
const RolePairs kWithSelection =
    kTextOnBackground + RolePairs{{QPalette::HighlightedText, QPalette::Highlight}};

// Every text colour of the window and its children that show text, on its
// background, in the active and the inactive window; "" when all reach
// 4.5:1, else the first failure.
QString FirstUnreadablePair(const QWidget& window, const RolePairs& pairs = kWithSelection) {
  QList<const QWidget*> widgets;
  widgets << &window;
  for (const QWidget* child : window.findChildren<QWidget*>()) widgets << child;
  for (const QWidget* widget : widgets) {
    if (widget != &window && !ShowsText(*widget)) continue;
    const QPalette& colours = widget->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
      for (const auto& [text, background] : pairs) {
        const double ratio = Contrast(colours.color(group, text), colours.color(group, background));
        if (ratio < 4.5)
          return QStringLiteral("%1 %2 in %4: %3")
              .arg(widget->metaObject()->className(), widget->objectName(), QString::number(ratio),
                   widget->parentWidget()->metaObject()->className());
      }
    }
    if (qobject_cast<const QLabel*>(widget) != nullptr && !widget->isWindow() &&
        !widget->autoFillBackground() &&
        Contrast(colours.color(QPalette::WindowText), BackgroundBehind(*widget)) < 4.5)
      return QStringLiteral("label ") + qobject_cast<const QLabel*>(widget)->text();
  }
  return QString();
}

QAccessibleInterface* Accessible(QObject* object) {
  return QAccessible::queryAccessibleInterface(object);
}

QString ReportBoxProblem;

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanupTestCase();

  void namesEveryControlForScreenReaders_data();
  void namesEveryControlForScreenReaders();
  void labelsTheEquationList();
  void tableHeadersAreTheHeaderTexts();
  void textsAreReadableUnderLightAndDarkPalettes_data();
  void textsAreReadableUnderLightAndDarkPalettes();
  void statusBarFitsLargeFontsAndElidesLongTexts_data();
  void statusBarFitsLargeFontsAndElidesLongTexts();
  void tabIntoTheTableSelectsTheFirstDataCellAndArrowsMove();
  void shortcutsWorkAnywhereInTheWindow_data();
  void shortcutsWorkAnywhereInTheWindow();
  void menusOpenWithAltAndTheirLetter();
  void ctrlQEndsTheProgram();
};

void AccessibilityTest::initTestCase() {
  QAccessible::setActive(true);
  core::EstablishFloatingPointEnvironment();
  app::ReadDecimalSeparator();
  SetSplashSleep([](int) {});
  ui::SetErrorPresenter([](const QString&, const QString&) {});
  ui::SetApplicationIdentity();
  ui::CreateWindows();
  Form1->show();
  QVERIFY(QTest::qWaitForWindowActive(Form1));
}

void AccessibilityTest::cleanupTestCase() {
  ui::DestroyWindows();
  ui::RestoreDefaultErrorPresenter();
}

void AccessibilityTest::namesEveryControlForScreenReaders_data() {
  QTest::addColumn<QWidget*>("control");
  QTest::addColumn<QString>("name");
  QTest::addColumn<QAccessible::Role>("role");
  const auto row = [](const char* id, const QString& name, QAccessible::Role role) {
    QTest::newRow(id) << Form1->findChild<QWidget*>(id) << name << role;
  };
  row("Edit1", "Начальное значение", QAccessible::EditableText);
  row("Edit2", "Точность", QAccessible::EditableText);
  row("Edit11", "Конечный интервал", QAccessible::EditableText);
  row("Edit3", "k", QAccessible::EditableText);
  row("Edit4", "l", QAccessible::EditableText);
  row("ToolButton1", "Решить", QAccessible::Button);
  row("ToolButton2", "Справка", QAccessible::Button);
  row("ToolButton3", "Выход", QAccessible::Button);
  row("StringGrid1", "Результаты", QAccessible::Table);
  row("ProgressBar1", "Ход вычисления", QAccessible::ProgressBar);
}

void AccessibilityTest::namesEveryControlForScreenReaders() {
  QFETCH(QWidget*, control);
  QFETCH(QString, name);
  QFETCH(QAccessible::Role, role);
  QVERIFY(control != nullptr);
  QAccessibleInterface* accessible = Accessible(control);
  QVERIFY(accessible != nullptr);
  QCOMPARE(accessible->text(QAccessible::Name), name);
  QCOMPARE(accessible->role(), role);
}

void AccessibilityTest::labelsTheEquationList() {
  const auto relations = Accessible(Form1->ComboBox1)->relations(QAccessible::Label);
  QCOMPARE(relations.size(), 1);
  QCOMPARE(relations[0].first->text(QAccessible::Name), QStringLiteral("Уравнение"));
}

// Before any run: the design's header texts, whatever order a run leaves.
void AccessibilityTest::tableHeadersAreTheHeaderTexts() {
  QAccessibleTableInterface* table = Accessible(Form1->StringGrid1)->tableInterface();
  QVERIFY(table != nullptr);
  const QStringList columns = {"Метод рассчета", "Значение", "Кол-во итераций"};
  for (int column = 0; column < 3; ++column) {
    const auto headers = table->cellAt(1, column)->tableCellInterface()->columnHeaderCells();
    QCOMPARE(headers.size(), 1);
    QCOMPARE(headers[0]->role(), QAccessible::ColumnHeader);
    QCOMPARE(headers[0]->text(QAccessible::Name), columns[column]);
  }
  for (int row = 1; row < 5; ++row) {
    const auto headers = table->cellAt(row, 1)->tableCellInterface()->rowHeaderCells();
    QCOMPARE(headers.size(), 1);
    QCOMPARE(headers[0]->role(), QAccessible::RowHeader);
    QCOMPARE(headers[0]->text(QAccessible::Name), Form1->StringGrid1->CellText(0, row));
  }
}

void AccessibilityTest::textsAreReadableUnderLightAndDarkPalettes_data() {
  QTest::addColumn<QPalette>("desktop");
  QTest::newRow("light") << QApplication::style()->standardPalette();
  QTest::newRow("dark") << window_test::DarkPalette();
}

void AccessibilityTest::textsAreReadableUnderLightAndDarkPalettes() {
  QFETCH(QPalette, desktop);
  const QPalette before = QApplication::palette();
  QApplication::setPalette(desktop);
  for (const QWidget* window :
       {static_cast<QWidget*>(Form1), static_cast<QWidget*>(Form1->N1),
        static_cast<QWidget*>(Form1->N8), static_cast<QWidget*>(Form1->ToolsMenu),
        static_cast<QWidget*>(Form2), static_cast<QWidget*>(AboutBox)})
    QCOMPARE(FirstUnreadablePair(*window), QString());

  // The error box as the program shows it, checked while it is open.
  ReportBoxProblem = QStringLiteral("no box");
  ui::RestoreDefaultErrorPresenter();
  QTimer::singleShot(0, [] {
    QWidget* box = QApplication::activeModalWidget();
    if (box == nullptr) return;
    // The desktop's own selection colours are the desktop's choice.
    ReportBoxProblem = FirstUnreadablePair(*box, kTextOnBackground);
    static_cast<QMessageBox*>(box)->accept();
  });
  ui::ReportError("Floating point division by zero");
  ui::SetErrorPresenter([](const QString&, const QString&) {});
  QApplication::setPalette(before);
  QCOMPARE(ReportBoxProblem, QString());
}

void AccessibilityTest::statusBarFitsLargeFontsAndElidesLongTexts_data() {
  QTest::addColumn<int>("points");
  for (const int points : {9, 12, 14, 16}) QTest::newRow(QByteArray::number(points)) << points;
}

// A window made under the given system font: the panel holds a whole line
// of that font inside the bar, the grid keeps its height, and a text wider
// than the window is cut with "…" and shown whole in the tooltip.
void AccessibilityTest::statusBarFitsLargeFontsAndElidesLongTexts() {
  QFETCH(int, points);
  const QFont before = QApplication::font();
  QFont system_font(QStringLiteral("DejaVu Sans"));
  system_font.setPointSize(points);
  QApplication::setFont(system_font);
  TForm1 window;
  QApplication::setFont(before);
  window.QMainWindow::setVisible(true);  // without the splash and the focus
  QVERIFY(QTest::qWaitForWindowExposed(&window));

  const ui::StatusPanel& panel = *window.StatusPanel;
  QVERIFY(panel.contentsRect().height() >= QFontMetrics(panel.font()).height());
  QVERIFY(panel.geometry().bottom() < window.StatusBar1->height());
  QCOMPARE(window.StringGrid1->height(), 136);

  const QString short_text =
      QStringLiteral("Самый быстрый метод для данного уравнения - Метод хорд");
  window.SetStatusText(short_text.toStdString());
  // The answer shows whole at every size: a large font gives it two lines.
  QVERIFY2(panel.toolTip().isEmpty(), "the answer is cut short");
  const QString long_text = short_text.repeated(3);
  window.SetStatusText(long_text.toStdString());
  QCOMPARE(panel.text(), long_text);
  QCOMPARE(panel.toolTip(), long_text);
  QVERIFY(panel.geometry().right() < window.width());
  QCOMPARE(Accessible(window.StatusPanel)->text(QAccessible::Name), long_text);
}

void AccessibilityTest::tabIntoTheTableSelectsTheFirstDataCellAndArrowsMove() {
  Form1->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(Form1));
  ui::ResultsGrid* grid = Form1->StringGrid1;
  QVERIFY(!grid->currentIndex().isValid());
  Form1->Edit4->setFocus();
  QTest::keyClick(Form1->Edit4, Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), grid);
  const auto current = [grid] { return QPoint(grid->currentColumn(), grid->currentRow()); };
  QCOMPARE(current(), QPoint(1, 1));
  QVERIFY(grid->item(1, 1)->isSelected());
  QTest::keyClick(grid, Qt::Key_Right);
  QTest::keyClick(grid, Qt::Key_Down);
  QCOMPARE(current(), QPoint(2, 2));
  QCOMPARE(grid->selectedItems(), QList<QTableWidgetItem*>{grid->item(2, 2)});
  QTest::keyClick(grid, Qt::Key_Left);
  QTest::keyClick(grid, Qt::Key_Left);  // the header column stays out of reach
  QCOMPARE(current(), QPoint(1, 2));
}

void AccessibilityTest::shortcutsWorkAnywhereInTheWindow_data() {
  QTest::addColumn<QWidget*>("focus");
  QTest::addColumn<QKeySequence>("keys");
  QTest::addColumn<bool>("computes");
  QTest::newRow("Ctrl+Enter in Edit1")
      << static_cast<QWidget*>(Form1->Edit1) << QKeySequence(Qt::CTRL | Qt::Key_Return) << true;
  QTest::newRow("Ctrl+Enter (keypad) in the list")
      << static_cast<QWidget*>(Form1->ComboBox1) << QKeySequence(Qt::CTRL | Qt::Key_Enter) << true;
  QTest::newRow("F5 in the table")
      << static_cast<QWidget*>(Form1->StringGrid1) << QKeySequence(Qt::Key_F5) << true;
  QTest::newRow("F1 in Edit3") << static_cast<QWidget*>(Form1->Edit3) << QKeySequence(Qt::Key_F1)
                               << false;
}

void AccessibilityTest::shortcutsWorkAnywhereInTheWindow() {
  QFETCH(QWidget*, focus);
  QFETCH(QKeySequence, keys);
  QFETCH(bool, computes);
  Form1->SetStatusText("");
  Form2->hide();
  Form1->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(Form1));
  focus->setFocus();
  QTest::keySequence(focus, keys);
  QCOMPARE(Form1->StatusPanel->text().isEmpty(), !computes);
  QCOMPARE(Form2->isVisible(), !computes);
  Form2->hide();
}

void AccessibilityTest::menusOpenWithAltAndTheirLetter() {
  Form1->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(Form1));
  Form1->Edit1->setFocus();
  QList<QKeySequence> letters;
  for (QMenu* menu : {Form1->N1, Form1->N8, Form1->ToolsMenu}) {
    // Alt and a Cyrillic letter, as a Russian keyboard layout sends them;
    // a letter of its own for each menu.
    const QKeySequence mnemonic = QKeySequence::mnemonic(menu->title());
    QVERIFY(!mnemonic.isEmpty());
    QVERIFY2(!letters.contains(mnemonic), qPrintable(menu->title()));
    letters << mnemonic;
    const QKeyCombination keys = mnemonic[0];
    const QString letter = QString(QChar(keys.key())).toLower();
    QTest::sendKeyEvent(QTest::Press, Form1->Edit1, keys.key(), letter, keys.keyboardModifiers());
    QTest::sendKeyEvent(QTest::Release, Form1->Edit1, keys.key(), letter, keys.keyboardModifiers());
    QTRY_VERIFY(menu->isVisible());
    for (QAction* item : menu->actions())
      QVERIFY2(!QKeySequence::mnemonic(item->text()).isEmpty(), qPrintable(item->text()));
    menu->close();
  }
}

void AccessibilityTest::ctrlQEndsTheProgram() {
  Form1->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(Form1));
  QTimer::singleShot(0, Form1,
                     [] { QTest::keyClick(Form1->Edit1, Qt::Key_Q, Qt::ControlModifier); });
  QTimer watchdog;
  QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
  watchdog.start(30'000);
  QCOMPARE(QCoreApplication::exec(), 0);
  QVERIFY(!Form1->isVisible());
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
