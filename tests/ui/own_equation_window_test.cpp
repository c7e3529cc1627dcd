// SPDX-License-Identifier: GPL-3.0-or-later
// The own-equation window on the real main window, offscreen: the menu item
// and its shortcut, the live reading, derivative and error mark, the solve
// command filling the table as the main window does, and the detail window
// that a row opens; the two readings of a list text, the note on poles and
// the intervals taken from the preview; the keys, the memory of formulas and
// inputs, and what a screen reader hears; the palette and the smallest size.
// Screenshots of the examples solved and of the window at the sizes users
// have go to the build tree.
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolButton>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtTest>

#include "app/comparison_run.h"
#include "app/controlled_solve.h"
#include "app/formula_feedback.h"
#include "app/number_text.h"
#include "app/table_window.h"
#include "core/floating_point_environment.h"
#include "core/method_table.h"
#include "tests/ui/window_test_support.h"
#include "ui/Unit1.h"
#include "ui/Unit4.h"
#include "ui/detail/detail_opener.h"
#include "ui/detail/detail_window.h"
#include "ui/error_boundary.h"
#include "ui/own_equation/formula_editor.h"
#include "ui/own_equation/formula_history.h"
#include "ui/own_equation/interval_picker.h"
#include "ui/own_equation/own_equation_window.h"
#include "ui/platform/announcer.h"
#include "ui/platform/settings.h"
#include "ui/start_up.h"
#include "ui/widgets/results_grid.h"
#include "ui/widgets/text_view.h"

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
QScatterSeries* Marks() {
  for (QAbstractSeries* series : Window().PreviewView()->chart()->series())
    if (auto* marks = qobject_cast<QScatterSeries*>(series)) return marks;
  return nullptr;
}

int SignChangeMarks() {
  return Marks() != nullptr ? static_cast<int>(Marks()->count()) : -1;
}

QString PreviewNote() {
  return Window().findChild<QLabel*>(QStringLiteral("PreviewNote"))->text();
}

void SetInterval(const QString& start, const QString& end) {
  Edit("StartEdit").setText(start);
  Edit("EndEdit").setText(end);
}

void Solve(const QString& formula, const QString& start, const QString& end) {
  Type(formula);
  SetInterval(start, end);
  Window().findChild<QPushButton*>(QStringLiteral("SolveButton"))->click();
}

// Chooses item `item` of a drop-down list as the user does.
void Choose(QComboBox& list, int item) {
  list.setCurrentIndex(item);
  emit list.activated(item);
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
  void marksWhatIsNoRoot();
  void solveWithAnUnreadableFormulaReportsIt();
  void doubleClickOpensTheDetailWindowWithTheFormula();
  void examplesSolvedWithTheirDetailWindows();
  void solvesWithTheMethodsTicked_data();
  void solvesWithTheMethodsTicked();
  void aLongDerivativeWrapsWithinTheScreen_data();
  void aLongDerivativeWrapsWithinTheScreen();
  void aLongSolveLeavesTheWindowAnswering_data();
  void aLongSolveLeavesTheWindowAnswering();
  void fieldDescribesTheFormulaForScreenReaders_data();
  void fieldDescribesTheFormulaForScreenReaders();
  void aListTextIsSolvedInTheReadingChosen();
  void thePreviewSaysWhenFChangesSignThroughAPole();
  void aMarkOrTheListSetsTheIntervalAroundASignChange();
  void theWiderScanOffersSignChangesBeyondTheInterval();
  void keysSolveAndClose_data();
  void keysSolveAndClose();
  void undoAndRedoInTheField();
  void typingIsAnnouncedOncePerPauseAndTheResultsAfterSolving();
  void looksRightAtTheSizesUsersHave_data();
  void looksRightAtTheSizesUsersHave();
  void remembersTheFormulasSolvedAndTheLastInputs();

 private:
  QStringList reports_;
};

void OwnEquationWindowTest::initTestCase() {
  window_test::QuietOffscreenLimitations();
  core::EstablishFloatingPointEnvironment();
  app::SetDecimalSeparator(",");
  SetSplashSleep([](int) {});
  ui::SetErrorPresenter([this](const QString& text, const QString&) { reports_ << text; });
  // For screenshots on a dark desktop (NLE_DARK_PALETTE=1).
  if (qEnvironmentVariableIsSet("NLE_DARK_PALETTE"))
    QApplication::setPalette(window_test::DarkPalette());
  // No formula or input of an earlier run of the test.
  ui::ProgramSettings().remove(QStringLiteral("own_equation"));
  ui::CreateWindows();
  Form1->show();
  QVERIFY(QTest::qWaitForWindowActive(Form1));
}

// Every test but the first finds the window open: the first opens it with
// the shortcut, and should it fail, the menu item opens it for the others.
void OwnEquationWindowTest::init() {
  if ((Form1->OwnEquation == nullptr || Form1->OwnEquation->isHidden()) &&
      QByteArray(QTest::currentTestFunction()) !=
          "menuItemOpensTheWindowWithTheMainWindowsCoefficients")
    Form1->OwnEquationItem->trigger();
}

void OwnEquationWindowTest::cleanup() {
  if (Form1->OwnEquation != nullptr) {
    for (ui::DetailWindow* window : Window().Opener()->OpenWindows()) window->close();
    // The four methods, as the window opens.
    for (const core::MethodEntry& entry : core::kMethods)
      Window().MethodBox(entry.number)->setChecked(entry.specified);
    Edit("LambdaEdit").clear();
  }
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

// (x − 1)² touches the axis at 1: bisection, without a sign change, walks to
// the end, which is no root; the others creep to the double root.
void OwnEquationWindowTest::marksWhatIsNoRoot() {
  Solve(QStringLiteral("(x-1)^2"), QStringLiteral("0,5"), QStringLiteral("3"));
  QVERIFY2(reports_.isEmpty(), qPrintable(reports_.join('\n')));
  const ui::ResultsGrid& grid = *Window().Grid();
  QStringList rows;
  for (int row = 1; row <= 4; ++row)
    rows << grid.CellText(0, row) + '|' + grid.CellText(1, row) + '|' + grid.CellText(2, row);
  QCOMPARE(rows, (QStringList{"Метод касательных|0,969 — кратный корень|5",
                              "Метод половинного деления|2,999 — не корень|13",
                              "Метод секущих|0,999 — кратный корень|16",
                              "Метод хорд|0,969 — кратный корень|55"}));
  auto* status = Window().findChild<QLabel*>(QStringLiteral("StatusPanel"));
  QCOMPARE(status->text(), QStringLiteral("Самый быстрый метод для данного уравнения - "
                                          "Метод касательных"));
  const QDir folder(qEnvironmentVariable("NLE_SCREENSHOT_DIR", QStringLiteral(NLE_SCREENSHOT_DIR)));
  QVERIFY(folder.mkpath(QStringLiteral(".")));
  QVERIFY(Window().grab().save(folder.filePath(QStringLiteral("own-equation-marks.png"))));
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

void OwnEquationWindowTest::solvesWithTheMethodsTicked_data() {
  QTest::addColumn<QStringList>("keys");  // the methods ticked
  QTest::addColumn<QString>("formula");
  QTest::addColumn<QString>("start");
  QTest::addColumn<QString>("end");
  QTest::addColumn<QString>("lambda");
  QTest::addColumn<QString>("note");  // in the conditions note; empty: none shown
  QTest::addColumn<QString>("cell");  // in a value cell of the table
  const QStringList four{"bisection", "chords", "tangents", "secants"};
  const QStringList six = four + QStringList{"iteration", "combined"};
  QTest::newRow("the four") << four << "x^3-2*x-5"
                            << "2"
                            << "3" << QString() << QString() << "2,0945515";
  QTest::newRow("six") << six << "x^3-2*x-5"
                       << "2"
                       << "3" << QString() << "Простая итерация: сжатие: q = 0,6 < 1"
                       << "2,0945515";
  // q = 1 at the end: the condition fails, and the run still converges.
  QTest::newRow("λ = 0,08 without contraction")
      << QStringList{"tangents", "iteration"} << "x^3-2*x-5"
      << "2"
      << "3"
      << "0,08"
      << "условие сходимости не выполнено: q = 1"
      << "2,0945515";
  QTest::newRow("the combined method refused")
      << QStringList{"combined"} << "x^3+x-1"
      << "-1"
      << "1" << QString() << "условие не выполнено, метод не будет запущен: f″"
      << "условие не выполнено";
}

// The choice of methods sets the table's rows; the note says before the run
// whether φ contracts and whether the combined method's condition holds.
void OwnEquationWindowTest::solvesWithTheMethodsTicked() {
  QFETCH(QStringList, keys);
  QFETCH(QString, formula);
  QFETCH(QString, start);
  QFETCH(QString, end);
  QFETCH(QString, lambda);
  QFETCH(QString, note);
  QFETCH(QString, cell);
  const QString precision = Edit("PrecisionEdit").text();
  const auto restore = qScopeGuard([&precision] { Edit("PrecisionEdit").setText(precision); });
  Edit("PrecisionEdit").setText(QStringLiteral("0,0000001"));
  for (const core::MethodEntry& entry : core::kMethods)
    Window().MethodBox(entry.number)->setChecked(keys.contains(QString::fromLatin1(entry.key)));
  Edit("LambdaEdit").setText(lambda);
  Solve(formula, start, end);
  QVERIFY2(reports_.isEmpty(), qPrintable(reports_.join('\n')));
  const ui::ResultsGrid& grid = *Window().Grid();
  QCOMPARE(grid.rowCount(), keys.size() + 1);
  QStringList names;
  QStringList values;
  for (int row = 1; row < grid.rowCount(); ++row) {
    names << grid.CellText(0, row);
    values << grid.CellText(1, row);
  }
  for (const QString& key : keys) {
    const core::MethodEntry* entry = core::FindMethodByKey(key.toStdString());
    QVERIFY2(names.contains(QString::fromStdString(std::string(entry->name))), qPrintable(key));
  }
  QVERIFY2(values.filter(cell).size() > 0, qPrintable(values.join(" | ")));
  const QLabel& conditions = *Window().ConditionsNote();
  QCOMPARE(conditions.isVisible(), !note.isEmpty());
  QVERIFY2(conditions.text().contains(note), qPrintable(conditions.text()));
  // Each row opens its detail window, the two new methods' with their plots.
  for (int row = 1; row < grid.rowCount(); ++row) {
    ui::DetailWindow* detail = Window().Opener()->OpenRow(row);
    if (values[row - 1].contains(QStringLiteral("условие не выполнено"))) continue;
    QVERIFY2(detail != nullptr, qPrintable(names[row - 1]));
    if (keys.size() == 6 && !core::EntryOf(detail->Method()).specified) {
      const QDir folder(
          qEnvironmentVariable("NLE_SCREENSHOT_DIR", QStringLiteral(NLE_SCREENSHOT_DIR)));
      QVERIFY(folder.mkpath(QStringLiteral(".")));
      // Large enough to show the plot whatever size the window opened at.
      detail->resize(1100, 800);
      QCoreApplication::processEvents();
      QVERIFY(detail->grab().save(
          folder.filePath(QStringLiteral("two-methods-%1.png")
                              .arg(QString::fromLatin1(core::EntryOf(detail->Method()).key)))));
    }
    detail->close();
  }
  if (keys.size() == 6) {
    const QDir folder(
        qEnvironmentVariable("NLE_SCREENSHOT_DIR", QStringLiteral(NLE_SCREENSHOT_DIR)));
    // The whole table, with the note, at a size a user has.
    const QSize size = Window().size();
    Window().resize(1000, 900);
    QCoreApplication::processEvents();
    const bool saved =
        Window().grab().save(folder.filePath(QStringLiteral("own-equation-six-methods.png")));
    Window().resize(size);
    QVERIFY(saved);
  }
}

void OwnEquationWindowTest::aLongDerivativeWrapsWithinTheScreen_data() {
  QTest::addColumn<QString>("formula");
  QTest::addColumn<bool>("cut");  // the line shows only the start of f′
  QString nested = QStringLiteral("x");
  for (int depth = 0; depth < 12; ++depth) nested = QStringLiteral("sin(%1)").arg(nested);
  QTest::newRow("sin nested 12 deep") << nested << true;
  QTest::newRow("a usual formula of 63 characters")
      << QStringLiteral("x^3*exp(-x/2)*sin(3*x)-ln(x^2+1)*cos(x)/(1+x^4)+sqrt(x)*tg(x/3)") << false;
  // One word of 300 characters: no blank to wrap at.
  QTest::newRow("a number of 300 digits") << QString(300, u'7') + QStringLiteral("*x") << false;
}

void OwnEquationWindowTest::aLongDerivativeWrapsWithinTheScreen() {
  QFETCH(QString, formula);
  QFETCH(bool, cut);
  Type(formula);
  const QString derivative = QString::fromStdString(
      core::expression::Formula::Parse(formula.toStdString())->DerivativeText());
  const int screen = Window().screen()->availableGeometry().width();
  QVERIFY2(Window().minimumSizeHint().width() <= screen,
           qPrintable(QStringLiteral("%1 px").arg(Window().minimumSizeHint().width())));
  QVERIFY(Window().width() <= screen);
  QCOMPARE(Window().Editor()->Feedback()->text().endsWith(QStringLiteral("…")), cut);
  QCOMPARE(Window().Editor()->WholeDerivativeButton()->isVisible(), cut);
  if (!cut) {
    QCOMPARE(Feedback(), QStringLiteral("f′(x) = ") + derivative);
    return;
  }
  // The whole derivative below the line, opened and closed by the button.
  ui::TextView& whole = *Window().Editor()->WholeDerivative();
  QVERIFY(!whole.isVisible());
  Window().Editor()->WholeDerivativeButton()->click();
  QVERIFY(whole.isVisible());
  QVERIFY(whole.Shows(QStringLiteral("f′(x) = ") + derivative));
  QVERIFY(Window().minimumSizeHint().width() <= screen);
  const QDir folder(qEnvironmentVariable("NLE_SCREENSHOT_DIR", QStringLiteral(NLE_SCREENSHOT_DIR)));
  QVERIFY(folder.mkpath(QStringLiteral(".")));
  QVERIFY(
      Window().grab().save(folder.filePath(QStringLiteral("own-equation-whole-derivative.png"))));
  Window().Editor()->WholeDerivativeButton()->click();
  QVERIFY(!whole.isVisible());
}

void OwnEquationWindowTest::aLongSolveLeavesTheWindowAnswering_data() {
  QTest::addColumn<QString>("formula");
  QTest::addColumn<QString>("precision");
  QTest::addColumn<QString>("ending");  // "completes", "Escape" or "close"
  QString settling = QStringLiteral("x^3-2*x-5");
  for (int term = 0; term < 24; ++term) settling += QStringLiteral("+0*sin(x)/cos(x)");
  QTest::newRow("completes") << settling << "0,001"
                             << "completes";
  // No root: the tangents wander for all of their 5,000 passes, each at a
  // new point, with f and f′ of a thousand characters: long enough for the
  // stop to come first.
  QString wandering = QStringLiteral("x^2+1+0.000001*cos(x)");
  while (wandering.size() + 7 <= 1000) wandering += QStringLiteral("*sin(x)");
  QTest::newRow("stopped by Escape") << wandering << "-1"
                                     << "Escape";
  QTest::newRow("stopped by closing the window") << wandering << "-1"
                                                 << "close";
}

// A formula long enough to be solved away from the interface thread: a
// timer set before the solve fires while it runs, and the results arrive as
// a solve at once would leave them.
void OwnEquationWindowTest::aLongSolveLeavesTheWindowAnswering() {
  QFETCH(QString, formula);
  QFETCH(QString, precision);
  QFETCH(QString, ending);
  QVERIFY(app::MaySolveSlowly(*core::expression::Formula::Parse(formula.toStdString())));
  Edit("PrecisionEdit").setText(precision);
  // Escape reaches the window it is pressed in.
  Window().activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&Window()));
  bool fired_while_solving = false;
  QTimer::singleShot(0, &Window(), [&] {
    fired_while_solving = Window().IsSolvingInBackground();
    if (ending == QStringLiteral("Escape")) {
      const QDir folder(
          qEnvironmentVariable("NLE_SCREENSHOT_DIR", QStringLiteral(NLE_SCREENSHOT_DIR)));
      if (folder.mkpath(QStringLiteral(".")))
        Window().grab().save(folder.filePath(QStringLiteral("own-equation-solving.png")));
    }
    if (ending == QStringLiteral("Escape"))
      QTest::keyClick(Window().Editor()->Input(), Qt::Key_Escape);
    if (ending == QStringLiteral("close")) Window().close();
  });
  // Set whole: typed key by key, a thousand characters are read a thousand times.
  Window().Editor()->Input()->setText(formula);
  Edit("StartEdit").setText(QStringLiteral("2"));
  Edit("EndEdit").setText(QStringLiteral("3"));
  Window().findChild<QPushButton*>(QStringLiteral("SolveButton"))->click();
  QTRY_VERIFY2_WITH_TIMEOUT(!Window().IsSolvingInBackground(), "the solve did not end in 120 s",
                            120'000);
  Edit("PrecisionEdit").setText(QStringLiteral("0,001"));
  QVERIFY(fired_while_solving);
  QVERIFY2(reports_.isEmpty(), qPrintable(reports_.join('\n')));
  auto* status = Window().findChild<QLabel*>(QStringLiteral("StatusPanel"));
  if (ending != QStringLiteral("completes")) {
    QCOMPARE(status->text(), QStringLiteral("Решение прервано."));
    QVERIFY(Window().Opener()->OpenRow(1) == nullptr);
    if (ending == QStringLiteral("close")) Form1->OwnEquationItem->trigger();
    return;
  }
  app::InputTexts inputs;
  inputs.formula = formula.toStdString();
  inputs.start = "2";
  inputs.end = "3";
  inputs.precision = precision.toStdString();
  const app::SolvedRun at_once = app::Solve(inputs);
  for (int row = 0; row < Window().RowCount(); ++row)
    for (int column = 0; column < Window().ColumnCount(); ++column)
      QCOMPARE(Window().Cell(column, row), at_once.window.Cell(column, row));
  QCOMPARE(status->text().toStdString(), at_once.window.StatusText());
  ui::DetailWindow* detail = Window().Opener()->OpenRow(1);
  QVERIFY(detail != nullptr);
  detail->close();
}

// The field with the focus carries the feedback in words: the message with
// its position, or how the formula was read and its derivative.
void OwnEquationWindowTest::fieldDescribesTheFormulaForScreenReaders_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<QString>("description");
  QTest::newRow("as written") << "x^3-2*x-5"
                              << "f′(x) = 3*x^2-2"
                              << "f′(x) = 3*x^2-2";
  QTest::newRow("shorthand") << "2x²"
                             << "Читается как: 2*x^2\nf′(x) = 4*x"
                             << "Читается как: 2*x^2; f′(x) = 4*x";
  QTest::newRow("error") << "sin(x"
                         << "sin(x\n     ^\nне хватает «)» в позиции 6"
                         << "не хватает «)» в позиции 6";
}

void OwnEquationWindowTest::fieldDescribesTheFormulaForScreenReaders() {
  QFETCH(QString, typed);
  QFETCH(QString, shown);
  QFETCH(QString, description);
  Type(typed);
  QCOMPARE(Feedback(), shown);
  QAccessibleInterface* field = QAccessible::queryAccessibleInterface(Window().Editor()->Field());
  QCOMPARE(field->text(QAccessible::Description), description);
}

// A list text of the main window typed as it is: x − (right-hand side) as
// the "=" rule reads it, or the right-hand side = 0 as the main window
// solves it.
void OwnEquationWindowTest::aListTextIsSolvedInTheReadingChosen() {
  auto* note = Window().findChild<QLabel*>(QStringLiteral("ReadingsNote"));
  QRadioButton& right_side = *Window().Editor()->RightSideReading();
  Solve(QStringLiteral("x=k*cos(l*x)"), QStringLiteral("0"), QStringLiteral("1"));
  QVERIFY(note->isVisible());
  QVERIFY2(note->text().contains(QStringLiteral("ищут нули его правой части, k*cos(l*x) = 0")),
           qPrintable(note->text()));
  QVERIFY(!right_side.isChecked());
  QCOMPARE(Window().Grid()->CellText(1, 1), QStringLiteral("0,739"));  // x = cos x
  QVERIFY(Window().SelectedSource().Formula() != nullptr);

  right_side.click();
  SetInterval(QStringLiteral("1"), QStringLiteral("2"));
  Window().findChild<QPushButton*>(QStringLiteral("SolveButton"))->click();
  QVERIFY2(reports_.isEmpty(), qPrintable(reports_.join('\n')));
  QCOMPARE(Window().Grid()->CellText(1, 1), QStringLiteral("1,571"));  // cos x = 0
  QVERIFY(Window().SelectedSource() == core::EquationSource(0));
  right_side.setChecked(false);
  Window().findChild<QRadioButton*>(QStringLiteral("AsTypedReading"))->setChecked(true);

  Type(QStringLiteral("x^2"));
  QVERIFY(!note->isVisible());
}

void OwnEquationWindowTest::thePreviewSaysWhenFChangesSignThroughAPole() {
  SetInterval(QStringLiteral("1"), QStringLiteral("2"));
  Type(QStringLiteral("tg(x)"));
  QCOMPARE(SignChangeMarks(), 0);
  QCOMPARE(PreviewNote(), QStringLiteral("f меняет знак на отрезке только через разрыв (полюс), "
                                         "корня там нет: половинному делению и хордам не на что "
                                         "опереться."));
  QCOMPARE(Window().PreviewView()->accessibleDescription(), PreviewNote());
}

// A click on the mark at x = 1 of x² − 1 over [-3, 3], or the list's item
// for the root at -1, takes round ends around that root alone.
void OwnEquationWindowTest::aMarkOrTheListSetsTheIntervalAroundASignChange() {
  SetInterval(QStringLiteral("-3"), QStringLiteral("3"));
  Type(QStringLiteral("x^2-1"));
  QVERIFY(QTest::qWaitForWindowExposed(&Window()));
  QChartView& view = *Window().PreviewView();
  QScatterSeries* marks = Marks();
  QVERIFY(marks != nullptr);
  QCOMPARE(marks->count(), 2);
  const QPointF scene = view.chart()->mapToScene(view.chart()->mapToPosition(QPointF(1, 0), marks));
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.mapFromScene(scene));
  QTRY_COMPARE(Edit("StartEdit").text(), QStringLiteral("0"));
  QCOMPARE(Edit("EndEdit").text(), QStringLiteral("2"));

  SetInterval(QStringLiteral("-3"), QStringLiteral("3"));
  QComboBox& list = *Window().Picker()->List();
  QCOMPARE(list.count(), 3);
  QCOMPARE(list.itemText(1), QStringLiteral("x ≈ -1: [-2; 0]"));
  Choose(list, 1);
  QCOMPARE(Edit("StartEdit").text(), QStringLiteral("-2"));
  QCOMPARE(Edit("EndEdit").text(), QStringLiteral("0"));
}

void OwnEquationWindowTest::theWiderScanOffersSignChangesBeyondTheInterval() {
  SetInterval(QStringLiteral("-1"), QStringLiteral("1"));
  Type(QStringLiteral("x^2-4"));
  QComboBox& list = *Window().Picker()->List();
  QCOMPARE(list.count(), 1);
  QVERIFY(!list.isEnabled());
  Window().Picker()->WiderButton()->click();
  const QString outcome = QStringLiteral(
      "На [-10; 10] за отрезком найдено смен знака: 2; они в списке, ближние первыми.");
  QCOMPARE(Window().Picker()->Note()->text(), outcome);
  QCOMPARE(Window().Announcements()->Said(), outcome);
  QCOMPARE(list.count(), 3);
  QVERIFY(list.isEnabled());
  Choose(list, 2);
  QCOMPARE(Edit("StartEdit").text(), QStringLiteral("0"));
  QCOMPARE(Edit("EndEdit").text(), QStringLiteral("5"));

  SetInterval(QStringLiteral("0"), QStringLiteral("1"));
  Type(QStringLiteral("exp(x)"));
  Window().Picker()->WiderButton()->click();
  QCOMPARE(Window().Picker()->Note()->text(),
           QStringLiteral("И на [-499,5; 500,5] f не меняет знак за отрезком."));
}

// Enter in an input box, F5 and Ctrl+Enter solve wherever the focus is, and
// the results table takes the focus; Escape and Ctrl+W close the window.
void OwnEquationWindowTest::keysSolveAndClose_data() {
  QTest::addColumn<QString>("focus");
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("modifiers");
  QTest::addColumn<bool>("solves");
  QTest::newRow("Enter in the formula") << "FormulaHistory" << int(Qt::Key_Return) << 0 << true;
  QTest::newRow("keypad Enter in the end box")
      << "EndEdit" << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true;
  QTest::newRow("F5 in the formula") << "FormulaHistory" << int(Qt::Key_F5) << 0 << true;
  QTest::newRow("Ctrl+Enter in k")
      << "KEdit" << int(Qt::Key_Enter) << int(Qt::ControlModifier | Qt::KeypadModifier) << true;
  QTest::newRow("Ctrl+Return in the examples")
      << "Examples" << int(Qt::Key_Return) << int(Qt::ControlModifier) << true;
  QTest::newRow("Escape in the formula") << "FormulaHistory" << int(Qt::Key_Escape) << 0 << false;
  QTest::newRow("Ctrl+W in the start box")
      << "StartEdit" << int(Qt::Key_W) << int(Qt::ControlModifier) << false;
}

void OwnEquationWindowTest::keysSolveAndClose() {
  QFETCH(QString, focus);
  QFETCH(int, key);
  QFETCH(int, modifiers);
  QFETCH(bool, solves);
  Type(QStringLiteral("x^3-2*x-5"));
  SetInterval(QStringLiteral("2"), QStringLiteral("3"));
  Window().Grid()->SetCellText(1, 1, QStringLiteral("прежнее"));
  Window().activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&Window()));
  auto* widget = Window().findChild<QWidget*>(focus);
  QVERIFY(widget != nullptr);
  widget->setFocus();
  QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key),
                  static_cast<Qt::KeyboardModifiers>(modifiers));
  QVERIFY2(reports_.isEmpty(), qPrintable(reports_.join('\n')));
  QCOMPARE(Window().Grid()->CellText(1, 1),
           solves ? QStringLiteral("2,095") : QStringLiteral("прежнее"));
  QCOMPARE(Window().isVisible(), solves);
  if (solves) QCOMPARE(QApplication::focusWidget(), Window().Grid());
}

// Ctrl+Z and Ctrl+Shift+Z (or Ctrl+Y) in the field, also over an example
// put in from the list.
void OwnEquationWindowTest::undoAndRedoInTheField() {
  QLineEdit& input = *Window().Editor()->Input();
  input.setText(QStringLiteral("x^2"));  // where the history of changes begins
  Window().activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&Window()));
  Window().Editor()->Field()->setFocus();
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("+1"));
  QCOMPARE(input.text(), QStringLiteral("x^2+1"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(input.text(), QStringLiteral("x^2"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(input.text(), QStringLiteral("x^2+1"));
  Choose(*Window().Editor()->Examples(), 3);
  QCOMPARE(input.text(), QStringLiteral("x-cos(x)"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(input.text(), QStringLiteral("x^2+1"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
  QCOMPARE(input.text(), QStringLiteral("x-cos(x)"));
}

// While the user types nothing is said; once the typing pauses, the state
// is said once. After "Решить" the results are said at once, again for the
// same results, and the table has the focus.
void OwnEquationWindowTest::typingIsAnnouncedOncePerPauseAndTheResultsAfterSolving() {
  // What the announcer says, each with the name-change event a screen
  // reader hears (the AT-SPI end-to-end test hears the events themselves).
  ui::Announcer& announcer = *Window().Announcements();
  QSignalSpy spoke(&announcer, &ui::Announcer::Spoke);
  const auto heard = [&spoke] {
    QStringList texts;
    for (const QList<QVariant>& arguments : spoke) texts << arguments.front().toString();
    return texts;
  };
  Type(QStringLiteral("sin(x"));
  QVERIFY(announcer.Waiting());
  QCOMPARE(heard(), QStringList());
  QTRY_COMPARE_WITH_TIMEOUT(heard(), QStringList{QStringLiteral("не хватает «)» в позиции 6")},
                            10'000);
  QCOMPARE(announcer.Said(), heard().last());
  QVERIFY(!announcer.Waiting());  // nothing more to say

  SetInterval(QStringLiteral("2"), QStringLiteral("3"));
  Window().activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&Window()));
  QTest::keyClicks(Window().Editor()->Input(), QStringLiteral(")-x/2"));
  for (int solve = 1; solve <= 2; ++solve) {
    Window().findChild<QPushButton*>(QStringLiteral("SolveButton"))->click();
    QVERIFY2(reports_.isEmpty(), qPrintable(reports_.join('\n')));
    // The pause's text is dropped: the results are what was said last.
    QCOMPARE(heard().size(), 1 + solve);
    const QString results = heard().last();
    QCOMPARE(announcer.Said(), results);
    for (int row = 1; row <= 4; ++row) {
      QVERIFY2(results.contains(Window().Grid()->CellText(0, row) + QStringLiteral(": ")),
               qPrintable(results));
    }
    QVERIFY2(results.endsWith(Window().findChild<QLabel*>(QStringLiteral("StatusPanel"))->text()),
             qPrintable(results));
    QCOMPARE(QApplication::focusWidget(), Window().Grid());
  }
  QVERIFY(!announcer.Waiting());
}

// A window of its own under each desktop look: the results grid and the
// empty plot in the palette's colours; at 700 × 450 the window keeps that
// size and its contents scroll. The pictures go to the build tree.
void OwnEquationWindowTest::looksRightAtTheSizesUsersHave_data() {
  QTest::addColumn<int>("point_size");
  QTest::addColumn<QSize>("size");
  QTest::addColumn<bool>("dark");
  QTest::newRow("default") << 0 << QSize() << false;
  QTest::newRow("16pt") << 16 << QSize() << false;
  QTest::newRow("700x450") << 0 << QSize(700, 450) << false;
  QTest::newRow("dark") << 0 << QSize() << true;
  QTest::newRow("dark-700x450") << 0 << QSize(700, 450) << true;
}

void OwnEquationWindowTest::looksRightAtTheSizesUsersHave() {
  QFETCH(int, point_size);
  QFETCH(QSize, size);
  QFETCH(bool, dark);
  const window_test::ApplicationLook look(point_size, dark);
  {
    ui::OwnEquationWindow window;
    const QPalette colours = QApplication::palette();
    window.Editor()->Input()->clear();
    QCOMPARE(window.PreviewView()->chart()->backgroundBrush().color(),
             colours.color(QPalette::Base));
    QCOMPARE(window.Grid()->palette().color(QPalette::Base), colours.color(QPalette::Base));
    QCOMPARE(window.Grid()->palette().color(QPalette::Button), colours.color(QPalette::Button));
    // The header cells, disabled items, do not fade.
    QCOMPARE(window.Grid()->palette().color(QPalette::Disabled, QPalette::Text),
             colours.color(QPalette::Text));
    window.Editor()->SetText(QStringLiteral("x^3-2*x-5"));
    window.findChild<QLineEdit*>(QStringLiteral("StartEdit"))->setText(QStringLiteral("-3"));
    window.findChild<QLineEdit*>(QStringLiteral("EndEdit"))->setText(QStringLiteral("3"));
    window.findChild<QLineEdit*>(QStringLiteral("PrecisionEdit"))->setText(QStringLiteral("0,001"));
    window.Solve();
    if (size.isValid()) window.resize(size);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    if (size.isValid()) {
      QCOMPARE(window.size(), size);
      auto* scroll = window.findChild<QScrollArea*>();
      QTRY_VERIFY2(scroll->verticalScrollBar()->isVisible(), "nothing scrolls at 700 x 450");
      // The last control can be reached.
      scroll->ensureWidgetVisible(window.findChild<QWidget*>(QStringLiteral("StatusPanel")));
      QVERIFY(
          !window.findChild<QWidget*>(QStringLiteral("StatusPanel"))->visibleRegion().isEmpty());
    }
    const QDir folder(
        qEnvironmentVariable("NLE_SCREENSHOT_DIR", QStringLiteral(NLE_SCREENSHOT_DIR)));
    QVERIFY(folder.mkpath(QStringLiteral(".")));
    const QString scale = qApp->devicePixelRatio() > 1 ? QStringLiteral("scale2-") : QString();
    QVERIFY(window.grab().save(folder.filePath(
        QStringLiteral("own-equation-look-%1%2.png").arg(scale, QTest::currentDataTag()))));
  }
}

// The formulas solved, the latest first, at most 20, each once, with its
// inputs; choosing one brings them back; a window made anew (the next
// session) starts with the last inputs. The main window keeps its designed
// start values.
void OwnEquationWindowTest::remembersTheFormulasSolvedAndTheLastInputs() {
  ui::ProgramSettings().remove(QStringLiteral("own_equation"));
  for (int root = 0; root <= ui::kHistoryLength; ++root)
    Solve(QStringLiteral("x-%1").arg(root), QStringLiteral("-1"),
          QStringLiteral("%1").arg(root + 1));
  QVERIFY2(reports_.isEmpty(), qPrintable(reports_.join('\n')));
  QComboBox& field = *Window().Editor()->Field();
  QCOMPARE(field.count(), ui::kHistoryLength);
  QCOMPARE(field.itemText(0), QStringLiteral("x-20"));
  QCOMPARE(field.itemText(ui::kHistoryLength - 1), QStringLiteral("x-1"));
  QCOMPARE(field.itemData(0, Qt::AccessibleDescriptionRole).toString(),
           QStringLiteral("начало -1, точность %1, конец 21, k = 1, l = 1")
               .arg(Edit("PrecisionEdit").text()));
  // Solved again, a formula moves to the top and is there once.
  Solve(QStringLiteral("x-5"), QStringLiteral("4"), QStringLiteral("9"));
  QCOMPARE(field.count(), ui::kHistoryLength);
  QCOMPARE(field.itemText(0), QStringLiteral("x-5"));
  QCOMPARE(field.findText(QStringLiteral("x-5")), 0);
  QCOMPARE(field.currentText(), QStringLiteral("x-5"));  // the list left the field alone

  const int item = field.findText(QStringLiteral("x-7"));
  QVERIFY(item > 0);
  Choose(field, item);
  QCOMPARE(Window().Editor()->Input()->text(), QStringLiteral("x-7"));
  QCOMPARE(Edit("StartEdit").text(), QStringLiteral("-1"));
  QCOMPARE(Edit("EndEdit").text(), QStringLiteral("8"));

  Edit("EndEdit").setText(QStringLiteral("7,5"));
  Window().close();
  ui::OwnEquationWindow next_session;
  QCOMPARE(next_session.Editor()->Input()->text(), QStringLiteral("x-7"));
  QCOMPARE(next_session.findChild<QLineEdit*>(QStringLiteral("StartEdit"))->text(),
           QStringLiteral("-1"));
  QCOMPARE(next_session.findChild<QLineEdit*>(QStringLiteral("EndEdit"))->text(),
           QStringLiteral("7,5"));
  QCOMPARE(next_session.Editor()->Field()->count(), ui::kHistoryLength);
  QCOMPARE(Form1->Edit1->text(), QStringLiteral("1"));
  QCOMPARE(Form1->Edit11->text(), QStringLiteral("2"));
}

QTEST_MAIN(OwnEquationWindowTest)
#include "own_equation_window_test.moc"
