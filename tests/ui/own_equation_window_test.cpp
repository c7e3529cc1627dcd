// SPDX-License-Identifier: GPL-3.0-or-later
// The own-equation window on the real main window, offscreen: the menu item
// and its shortcut, the live derivative and error mark, the solve command
// filling the table as the main window does, and the detail window that a
// row opens. Screenshots of the examples solved go to the build tree.
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScatterSeries>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtTest>

#include "app/comparison_run.h"
#include "app/number_text.h"
#include "core/floating_point_environment.h"
#include "tests/ui/window_test_support.h"
#include "ui/Unit1.h"
#include "ui/Unit4.h"
#include "ui/detail/detail_opener.h"
#include "ui/detail/detail_window.h"
#include "ui/error_boundary.h"
#include "ui/own_equation/formula_editor.h"
#include "ui/own_equation/own_equation_window.h"
#include "ui/start_up.h"
#include "ui/widgets/results_grid.h"

namespace {

ui::OwnEquationWindow& Window() {
  return *Form1->OwnEquation;
}

QLineEdit& Edit(const char* name) {
  return *Window().findChild<QLineEdit*>(QString::fromLatin1(name));
}

QString Feedback() {
  return Window().Editor()->Feedback()->text();
}

void Type(const QString& formula) {
  QLineEdit& input = *Window().Editor()->Input();
  input.clear();
  QTest::keyClicks(&input, formula);
}

// The markers of the sign changes in the preview.
int SignChangeMarks() {
  for (QAbstractSeries* series : Window().PreviewView()->chart()->series())
    if (auto* marks = qobject_cast<QScatterSeries*>(series)) return marks->count();
  return -1;
}

void Solve(const QString& formula, const QString& start, const QString& end) {
  Type(formula);
  Edit("StartEdit").setText(start);
  Edit("EndEdit").setText(end);
  Window().findChild<QPushButton*>(QStringLiteral("SolveButton"))->click();
}

}  // namespace

class OwnEquationWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();
  void cleanupTestCase();

  void menuItemOpensTheWindowWithTheMainWindowsCoefficients();
  void typingShowsTheDerivativeAndTheSignChanges();
  void anErrorShowsItsPositionUnderTheFormula();
  void solveFillsTheTableAsTheMainWindowDoes();
  void solveWithAnUnreadableFormulaReportsIt();
  void doubleClickOpensTheDetailWindowWithTheFormula();
  void examplesSolvedWithTheirDetailWindows();

 private:
  QStringList reports_;
};

void OwnEquationWindowTest::initTestCase() {
  window_test::QuietOffscreenLimitations();
  core::EstablishFloatingPointEnvironment();
  app::SetDecimalSeparator(",");
  SetSplashSleep([](int) {});
  ui::SetErrorPresenter([this](const QString& text, const QString&) { reports_ << text; });
  // For screenshots on a dark desktop (scripts/screenshot-own-equation.sh).
  if (qEnvironmentVariableIsSet("NLE_DARK_PALETTE"))
    QApplication::setPalette(window_test::DarkPalette());
  ui::CreateWindows();
  Form1->show();
  QVERIFY(QTest::qWaitForWindowActive(Form1));
}

// Every test but the first finds the window open: the first opens it with
// the shortcut, and should it fail, the menu item opens it for the others.
void OwnEquationWindowTest::init() {
  if (Form1->OwnEquation == nullptr && QByteArray(QTest::currentTestFunction()) !=
                                           "menuItemOpensTheWindowWithTheMainWindowsCoefficients")
    Form1->OwnEquationItem->trigger();
}

void OwnEquationWindowTest::cleanup() {
  if (Form1->OwnEquation != nullptr)
    for (ui::DetailWindow* window : Window().Opener()->OpenWindows()) window->close();
  reports_.clear();
}

void OwnEquationWindowTest::cleanupTestCase() {
  ui::DestroyWindows();
  ui::RestoreDefaultErrorPresenter();
}

void OwnEquationWindowTest::menuItemOpensTheWindowWithTheMainWindowsCoefficients() {
  // The menu "Сервис" and its keys: main_window_test.
  QCOMPARE(Form1->ComboBox1->count(), 10);

  Form1->Edit3->setText(QStringLiteral("2,5"));
  Form1->Edit4->setText(QStringLiteral("-1"));
  Form1->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(Form1));
  Form1->Edit1->setFocus();
  QTest::keyClick(Form1->Edit1, Qt::Key_N, Qt::ControlModifier);
  QTRY_VERIFY2(Form1->OwnEquation != nullptr, "Ctrl+N in an edit box opened no window");
  QTRY_VERIFY2(Window().isVisible(), "the window did not show");
  QCOMPARE(Window().windowModality(), Qt::NonModal);
  QCOMPARE(Edit("KEdit").text(), QStringLiteral("2,5"));
  QCOMPARE(Edit("LEdit").text(), QStringLiteral("-1"));
  QCOMPARE(Edit("PrecisionEdit").text(), Form1->Edit2->text());
  QVERIFY(Form1->isEnabled());
  Form1->Edit3->setText(QStringLiteral("1"));
  Form1->Edit4->setText(QStringLiteral("1"));
  Edit("KEdit").setText(QStringLiteral("1"));
  Edit("LEdit").setText(QStringLiteral("1"));
}

void OwnEquationWindowTest::typingShowsTheDerivativeAndTheSignChanges() {
  Edit("StartEdit").setText(QStringLiteral("-3"));
  Edit("EndEdit").setText(QStringLiteral("3"));
  Type(QStringLiteral("x^3-2*x-5"));
  QCOMPARE(Feedback(), QStringLiteral("f′(x) = 3*x^2-2"));
  QCOMPARE(SignChangeMarks(), 1);
  Type(QStringLiteral("x^2-1"));
  QCOMPARE(Feedback(), QStringLiteral("f′(x) = 2*x"));
  QCOMPARE(SignChangeMarks(), 2);
  // tg changes sign at its poles, which are no roots.
  Type(QStringLiteral("tg(x)"));
  QCOMPARE(SignChangeMarks(), 1);
}

void OwnEquationWindowTest::anErrorShowsItsPositionUnderTheFormula() {
  Type(QStringLiteral("x^2 - *3"));
  QCOMPARE(Feedback(), QStringLiteral("x^2 - *3\n      ^\n"
                                      "ожидалось число, переменная или «(» в позиции 7"));
  QVERIFY(Window().Editor()->Formula() == nullptr);
  Type(QStringLiteral("sinx"));
  QVERIFY2(
      Feedback().endsWith(QStringLiteral("неизвестное имя «sinx» в позиции 1: может быть, sin(x)")),
      qPrintable(Feedback()));
}

void OwnEquationWindowTest::solveFillsTheTableAsTheMainWindowDoes() {
  Solve(QStringLiteral("x^3-2*x-5"), QStringLiteral("2"), QStringLiteral("3"));
  QVERIFY2(reports_.isEmpty(), qPrintable(reports_.join('\n')));
  const ui::ResultsGrid& grid = *Window().Grid();
  QCOMPARE(grid.CellText(0, 0), QStringLiteral("Метод рассчета"));
  for (int row = 1; row <= 4; ++row) {
    QCOMPARE(grid.CellText(1, row), QStringLiteral("2,095"));
    QVERIFY(grid.CellText(2, row).toInt() > 0);
  }
  auto* status = Window().findChild<QLabel*>(QStringLiteral("StatusPanel"));
  QCOMPARE(status->text(),
           QString::fromStdString(std::string(app::kFastestMethodMessage)) + grid.CellText(0, 1));
}

void OwnEquationWindowTest::solveWithAnUnreadableFormulaReportsIt() {
  Solve(QStringLiteral("x(x+1)"), QStringLiteral("2"), QStringLiteral("3"));
  QCOMPARE(reports_.size(), 1);
  QVERIFY2(reports_.front().contains(QStringLiteral("пропущен знак «*» в позиции 2")),
           qPrintable(reports_.front()));
}

void OwnEquationWindowTest::doubleClickOpensTheDetailWindowWithTheFormula() {
  Solve(QStringLiteral("x-cos(x)"), QStringLiteral("0"), QStringLiteral("1"));
  ui::ResultsGrid& grid = *Window().Grid();
  const QPoint cell = grid.visualRect(grid.model()->index(1, 1)).center();
  QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, cell);
  QCOMPARE(Window().Opener()->OpenWindows().size(), 1);
  const ui::DetailWindow& detail = *Window().Opener()->OpenWindows().front();
  QVERIFY2(detail.windowTitle().endsWith(QStringLiteral(" — x-cos(x) = 0")),
           qPrintable(detail.windowTitle()));
  QVERIFY(detail.Run()->equation_text == "x-cos(x) = 0");
}

// Each example through the examples list, solved, with the window and the
// four detail windows saved as pictures for a reader of the build tree.
void OwnEquationWindowTest::examplesSolvedWithTheirDetailWindows() {
  const QDir folder(qEnvironmentVariable("NLE_SCREENSHOT_DIR", QStringLiteral(NLE_SCREENSHOT_DIR)));
  QVERIFY(folder.mkpath(QStringLiteral(".")));
  QComboBox& examples = *Window().Editor()->Examples();
  QCOMPARE(examples.count(), 5);
  for (int example = 1; example < examples.count(); ++example) {
    const QString formula = examples.itemText(example);
    examples.setCurrentIndex(example);
    emit examples.activated(example);
    QCOMPARE(Window().Editor()->Input()->text(), formula);
    Window().findChild<QPushButton*>(QStringLiteral("SolveButton"))->click();
    QVERIFY2(reports_.isEmpty(), qPrintable(reports_.join('\n')));
    QVERIFY(!Window().Grid()->CellText(2, 4).isEmpty());
    QVERIFY(
        Window().grab().save(folder.filePath(QStringLiteral("own-equation-%1.png").arg(example))));
    for (int row = 1; row <= 4; ++row) {
      ui::DetailWindow* detail = Window().Opener()->OpenRow(row);
      QVERIFY2(detail != nullptr, qPrintable(formula));
      QVERIFY(detail->grab().save(folder.filePath(
          QStringLiteral("own-equation-%1-method-%2.png").arg(example).arg(detail->Method()))));
      detail->close();
    }
  }
}

QTEST_MAIN(OwnEquationWindowTest)
#include "own_equation_window_test.moc"
