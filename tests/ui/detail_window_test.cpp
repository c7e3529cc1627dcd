// SPDX-License-Identifier: GPL-3.0-or-later
// The detail windows on the real main window, offscreen: which rows of the
// results table open which method's window, the copies to the clipboard, the
// CSV file read back, the saved plots, and the mark of a replaced run.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QScatterSeries>
#include <QScrollBar>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QValueAxis>
#include <QWheelEvent>
#include <QtCharts/QAbstractSeries>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtTest>
#include <cmath>

#include "app/number_text.h"
#include "app/pass_table.h"
#include "core/floating_point_environment.h"
#include "core/method_table.h"
#include "tests/ui/window_test_support.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/Unit4.h"
#include "ui/charts/axes.h"
#include "ui/charts/description.h"
#include "ui/charts/explorer.h"
#include "ui/charts/export.h"
#include "ui/detail/detail_opener.h"
#include "ui/detail/detail_window.h"
#include "ui/error_boundary.h"
#include "ui/platform/file_chooser.h"
#include "ui/start_up.h"
#include "ui/widgets/results_grid.h"
#include "ui/widgets/utf8_text.h"

namespace {

ui::DetailOpener& Opener() {
  return *Form1->DetailOpener;
}

QList<ui::DetailWindow*> OpenWindows() {
  return Opener().OpenWindows();
}

void CloseAll() {
  for (ui::DetailWindow* window : OpenWindows()) window->close();
  QTRY_VERIFY(OpenWindows().isEmpty());
}

QPoint CellCentre(int column, int row) {
  const QTableWidget& grid = *Form1->StringGrid1;
  return grid.visualRect(grid.model()->index(row, column)).center();
}

void DoubleClick(int column, int row) {
  QTest::mouseDClick(Form1->StringGrid1->viewport(), Qt::LeftButton, {}, CellCentre(column, row));
}

void Compute(const QString& start) {
  Form1->Edit1->setText(start);
  Form1->Edit2->setText(QString::fromStdString("0" + app::DecimalSeparator() + "001"));
  Form1->SpeedButton1->click();
}

// The numbers of a table row read back with the program's own reader.
QList<long double> Numbers(const QStringList& fields) {
  QList<long double> numbers;
  for (const QString& field : fields)
    numbers << (field.isEmpty() ? NAN : app::ParseReal(field.toStdString()));
  return numbers;
}

}  // namespace

class IterationsWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanup();
  void cleanupTestCase();

  void nothingOpensBeforeTheFirstRun();
  void doubleClickOnEachSortedRowOpensThatMethod_data();
  void doubleClickOnEachSortedRowOpensThatMethod();
  void enterOnASelectedRowOpensItsMethod();
  void headerAndUnrunRowsOpenNothing();
  void theRunNotTheTextSaysWhichMethodARowHolds();
  void copiesGiveTheExpectedFirstLines();
  void csvReadsBackToTheSameNumbers_data();
  void csvReadsBackToTheSameNumbers();
  void savesEachPlotAsPngOrSvg();
  void aLaterRunMarksTheWindowOutOfDate();
  void namesItsPartsForAssistiveTechnology();
  void shiftF10OpensTheContextMenus();
  void ctrlWAndEscapeClose();
  void f1OpensTheHelpAtTheWindowsSection();
  void copiesThePlotAsAnImage();
  void theWheelZoomsAndZeroResets();
  void hoverNamesTheIterate();
  void saysWhatBecameOfEachRun_data();
  void saysWhatBecameOfEachRun();
  void verdictStaysReadableInADarkPalette();

 private:
  QStringList reports_;
  QPalette palette_;  // the light palette the tests start in
};

void IterationsWindowTest::initTestCase() {
  window_test::QuietOffscreenLimitations();
  core::EstablishFloatingPointEnvironment();
  app::SetDecimalSeparator(",");
  SetSplashSleep([](int) {});
  ui::SetErrorPresenter([this](const QString& text, const QString&) { reports_ << text; });
  ui::CreateWindows();
  Form1->show();
  QVERIFY(QTest::qWaitForWindowActive(Form1));
  palette_ = QApplication::palette();
}

// Whatever a test changed goes back, also after a failed check: the next
// test starts from the design defaults in the light palette.
void IterationsWindowTest::cleanup() {
  CloseAll();
  reports_.clear();
  ui::RestoreDefaultSaveFileChooser();
  ui::RestoreDefaultPictureSizeChooser();
  QApplication::setPalette(palette_);
  Form1->ComboBox1->setCurrentIndex(0);
  Form1->Edit1->setText("1");
  Form1->Edit2->setText(QString::fromStdString("0" + app::DecimalSeparator() + "001"));
  Form1->Edit3->setText("1");
  Form1->Edit4->setText("1");
  Form1->Edit11->setText("2");
}

void IterationsWindowTest::cleanupTestCase() {
  ui::DestroyWindows();
  ui::RestoreDefaultErrorPresenter();
}

void IterationsWindowTest::nothingOpensBeforeTheFirstRun() {
  for (int row = 0; row < 5; ++row) DoubleClick(0, row);
  QVERIFY(OpenWindows().isEmpty());
}

void IterationsWindowTest::doubleClickOnEachSortedRowOpensThatMethod_data() {
  QTest::addColumn<int>("row");
  QTest::addColumn<int>("column");
  // The defaults sort chords, tangents, secants, bisection; the name cells
  // are fixed cells and open all the same.
  QTest::newRow("row 1, name") << 1 << 0;
  QTest::newRow("row 2, root") << 2 << 1;
  QTest::newRow("row 3, count") << 3 << 2;
  QTest::newRow("row 4, name") << 4 << 0;
}

void IterationsWindowTest::doubleClickOnEachSortedRowOpensThatMethod() {
  QFETCH(int, row);
  QFETCH(int, column);
  Compute("1");
  const QString name = Form1->StringGrid1->CellText(0, row);
  const int count = Form1->StringGrid1->CellText(2, row).toInt();
  DoubleClick(column, row);
  QCOMPARE(OpenWindows().size(), 1);
  const ui::DetailWindow& window = *OpenWindows().front();
  QCOMPARE(window.windowTitle(), "Итерации: " + name);
  QVERIFY(!window.isModal());
  // The rows of a count of n run from 0 to n - 1; bisection's row 0 holds
  // the test of its starting interval.
  const QAbstractItemModel& passes = *window.PassTable()->model();
  const int rows = passes.rowCount();
  QCOMPARE(passes.index(rows - 1, 0).data().toInt(), count - 1);
  QCOMPARE(passes.index(0, 0).data().toInt(), 0);
  QCOMPARE(rows, count);
}

void IterationsWindowTest::enterOnASelectedRowOpensItsMethod() {
  Compute("1");
  Form1->StringGrid1->setCurrentCell(4, 1);
  QTest::keyClick(Form1->StringGrid1, Qt::Key_Return);
  QCOMPARE(OpenWindows().size(), 1);
  QCOMPARE(OpenWindows().front()->Method(), core::kBisection);
  // Asking again raises the open window of the method rather than a copy.
  QTest::keyClick(Form1->StringGrid1, Qt::Key_Enter, Qt::KeypadModifier);
  QCOMPARE(OpenWindows().size(), 1);
  // Another method opens a window of its own, inside the screen's free area.
  Form1->StringGrid1->setCurrentCell(1, 1);
  QTest::keyClick(Form1->StringGrid1, Qt::Key_Return);
  QCOMPARE(OpenWindows().size(), 2);
  const QRect available = Form1->screen()->availableGeometry();
  for (const ui::DetailWindow* window : OpenWindows())
    QVERIFY2(available.contains(window->frameGeometry()), "the window leaves the screen");
  // A new run opens a new window for the same method.
  Compute("1");
  Form1->StringGrid1->setCurrentCell(4, 1);
  QTest::keyClick(Form1->StringGrid1, Qt::Key_Return);
  QCOMPARE(OpenWindows().size(), 3);
}

void IterationsWindowTest::headerAndUnrunRowsOpenNothing() {
  // From 0 the tangents divide by zero; the secants never run, and the rows
  // stay in method order.
  Compute("0");
  QCOMPARE(reports_.size(), 1);
  DoubleClick(1, 0);
  DoubleClick(0, 4);
  QVERIFY(OpenWindows().isEmpty());
  DoubleClick(0, 3);
  QCOMPARE(OpenWindows().size(), 1);
  QCOMPARE(OpenWindows().front()->Method(), core::kTangents);
}

// The names in the table are only shown: the run records which method each
// row holds, so names written over do not change what opens.
void IterationsWindowTest::theRunNotTheTextSaysWhichMethodARowHolds() {
  Compute("1");
  for (int row = 1; row <= 4; ++row)
    Form1->StringGrid1->SetCellText(0, row, QStringLiteral("Метод половинного деления"));
  const core::Method sorted[] = {core::kChords, core::kTangents, core::kSecants, core::kBisection};
  for (int row = 1; row <= 4; ++row) {
    const ui::DetailWindow* window = Opener().OpenRow(row);
    QVERIFY(window != nullptr);
    QCOMPARE(window->Method(), sorted[row - 1]);
  }
}

void IterationsWindowTest::copiesGiveTheExpectedFirstLines() {
  Compute("1");
  // The main window: the selected cells, tab-separated.
  Form1->StringGrid1->clearSelection();
  Form1->StringGrid1->setRangeSelected(QTableWidgetSelectionRange(1, 1, 2, 2), true);
  QTest::keyClick(Form1->StringGrid1, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1,571\t3\n1,571\t3\n"));

  // The detail window of the chords: the whole table with its headers.
  DoubleClick(0, 1);
  ui::DetailWindow& window = *OpenWindows().front();
  QTest::keyClick(window.PassTable(), Qt::Key_C, Qt::ControlModifier);
  const QStringList lines = QGuiApplication::clipboard()->text().split('\n');
  QCOMPARE(lines[0], QStringLiteral("n\ta\tb\txₙ\tf(xₙ)\t|xₙ − xₙ₋₁|\t|f(xₙ)| (тест)\t"
                                    "|xₙ − x*|\tверн. цифр\tqₙ"));
  const QStringList first = lines[1].split('\t');
  QCOMPARE(first.size(), 10);
  QCOMPARE(first.mid(0, 3), QStringList({"0", "1", "2"}));
  QCOMPARE(first[5], QString());
  QVERIFY(first[3].startsWith("1,5649"));
  QCOMPARE(lines.size(), 3 + 2);  // headers, passes 0 to 2, the last line end

  // A selected row copies with the headers.
  window.PassTable()->selectRow(2);
  window.CopyPasses();
  QCOMPARE(QGuiApplication::clipboard()->text().split('\n').mid(0, 2),
           QStringList({lines[0], lines[3]}));
}

void IterationsWindowTest::csvReadsBackToTheSameNumbers_data() {
  QTest::addColumn<QString>("separator");
  QTest::addColumn<QString>("field_separator");
  QTest::newRow("decimal comma") << ","
                                 << ";";
  QTest::newRow("decimal point") << "."
                                 << ",";
}

void IterationsWindowTest::csvReadsBackToTheSameNumbers() {
  QFETCH(QString, separator);
  QFETCH(QString, field_separator);
  app::SetDecimalSeparator(separator.toStdString());
  Compute("1");
  QTemporaryDir directory;
  const QString path = directory.filePath("passes");  // the filter adds ".csv"
  ui::SetSaveFileChooser(
      [&path](QWidget*, const QString&, const QString&, const QStringList&, QString* filter) {
        *filter = "CSV (*.csv)";
        return path;
      });
  ui::SetReplaceQuestion([](QWidget*, const QString&) { return true; });  // each row replaces
  for (int row = 1; row <= 4; ++row) {
    DoubleClick(0, row);
    QCOMPARE(OpenWindows().size(), row);
    ui::DetailWindow& window = *OpenWindows().back();
    window.SavePassesAsCsv();
    QFile file(path + ".csv");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    QStringList lines = QString::fromUtf8(bytes.mid(3)).split("\r\n");
    QCOMPARE(lines.takeLast(), QString());
    const QAbstractItemModel& passes = *window.PassTable()->model();
    QCOMPARE(lines.size(), passes.rowCount() + 1);
    for (int pass = 0; pass < passes.rowCount(); ++pass) {
      QStringList shown;
      for (int column = 0; column < passes.columnCount(); ++column)
        shown << passes.index(pass, column).data(Qt::ToolTipRole).toString();
      const QList<long double> read = Numbers(lines[pass + 1].split(field_separator));
      const QList<long double> expected = Numbers(shown);
      QCOMPARE(read.size(), expected.size());
      for (int i = 0; i < read.size(); ++i)
        QVERIFY(read[i] == expected[i] || (std::isnan(read[i]) && std::isnan(expected[i])));
    }
  }
  app::SetDecimalSeparator(",");
}

void IterationsWindowTest::savesEachPlotAsPngOrSvg() {
  Compute("1");
  DoubleClick(0, 2);
  ui::DetailWindow& window = *OpenWindows().front();
  QTemporaryDir directory;
  QString path;
  ui::SetSaveFileChooser([&path](QWidget*, const QString&, const QString&, const QStringList&,
                                 QString*) { return path; });
  ui::SetPictureSizeChooser([](QWidget*, ui::PictureSize) {
    return ui::PictureSize{{640, 400}, 2};
  });
  const struct {
    const char* file;
    QByteArray start;
  } kCases[] = {{"function.png", "\x89PNG"}, {"convergence.svg", "<?xml"}};
  QTabWidget* tabs = window.findChild<QTabWidget*>();
  for (int tab = 0; tab < 2; ++tab) {
    tabs->setCurrentIndex(tab);
    path = directory.filePath(kCases[tab].file);
    window.SaveCurrentPlot();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith(kCases[tab].start));
  }
  QVERIFY(reports_.isEmpty());
  // The PNG at the size chosen, drawn (not grabbed) at twice the resolution.
  const QImage png(directory.filePath("function.png"));
  QCOMPARE(png.size(), QSize(640, 400));
  QCOMPARE(qRound(png.dotsPerMeterX() * 0.0254), 192);
  // The SVG is titled with the equation and the method, and its "xₙ" is one
  // text element placed once, with no offsets per letter.
  QFile svg(directory.filePath("convergence.svg"));
  QVERIFY(svg.open(QIODevice::ReadOnly));
  const QByteArray bytes = svg.readAll();
  QFile kept(QT_TESTCASE_BUILDDIR "/saved_plot.svg");  // for a look with rsvg-convert
  QVERIFY(kept.open(QIODevice::WriteOnly) && kept.write(bytes) == bytes.size());
  const QString text = QString::fromUtf8(bytes);
  QVERIFY(text.contains("x=k*cos(l*x) — " + window.windowTitle().section(": ", 1)));
  const QRegularExpression element(R"(<text[^>]*>[^<]*xₙ[^<]*</text>)");
  const QRegularExpressionMatch found = element.match(text);
  QVERIFY2(found.hasMatch(), "no text element holds xₙ");
  // The title is one element from its start: "xₙ" has no position of its own.
  QVERIFY2(found.captured().contains("x=k*cos(l*x) — "), qPrintable(found.captured()));
  QVERIFY2(
      !QRegularExpression(R"(\b(x|y|dx|dy)="[^"]*\s[^"]*")").match(found.captured()).hasMatch(),
      qPrintable(found.captured()));
}

void IterationsWindowTest::aLaterRunMarksTheWindowOutOfDate() {
  Compute("1");
  DoubleClick(0, 1);
  ui::DetailWindow& window = *OpenWindows().front();
  QVERIFY(!window.IsOutOfDate());
  Compute("1");
  QTRY_VERIFY(window.IsOutOfDate());
  QVERIFY(window.windowTitle().endsWith("устарело"));
}

void IterationsWindowTest::namesItsPartsForAssistiveTechnology() {
  Compute("1");
  DoubleClick(0, 1);
  const ui::DetailWindow& window = *OpenWindows().front();
  const QList<QWidget*> parts = {window.PassTable(), window.FunctionView(),
                                 window.ConvergenceView()};
  for (QWidget* part : parts) {
    const QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(part);
    QVERIFY(accessible != nullptr);
    QVERIFY2(!accessible->text(QAccessible::Name).isEmpty(), part->metaObject()->className());
  }
  // Every text reaches screen readers whole as the label's name, so that
  // reading the window by names reads its texts; what the text is (the
  // verdict, the result) is its description. The keyboard can select it.
  int described = 0;
  for (const QLabel* label : window.findChildren<QLabel*>()) {
    if (label->text().isEmpty()) continue;
    const QAccessibleInterface* accessible =
        QAccessible::queryAccessibleInterface(const_cast<QLabel*>(label));
    QCOMPARE(accessible->text(QAccessible::Name), label->text());
    if (accessible->text(QAccessible::Description) == QStringLiteral("Итог метода")) ++described;
    QVERIFY2(label->textInteractionFlags() & Qt::TextSelectableByKeyboard,
             qPrintable(label->text()));
  }
  QCOMPARE(described, 1);
}

// The texts of the context menu that Shift+F10 opens on `widget`; the menu
// is closed with Escape, which must leave the window open.
QStringList ContextMenuByKeyboard(QWidget* widget) {
  QTest::keyClick(widget, Qt::Key_F10, Qt::ShiftModifier);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  if (menu == nullptr && QTest::qWaitFor([] { return QApplication::activePopupWidget(); }, 2000))
    menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  if (menu == nullptr) {
    qWarning("Shift+F10 opened no menu on %s", widget->metaObject()->className());
    return {};
  }
  QStringList texts;
  for (const QAction* action : menu->actions()) texts << action->text();
  QTest::keyClick(menu, Qt::Key_Escape);
  if (!QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }, 2000))
    qWarning("Escape left the menu open");
  return texts;
}

void IterationsWindowTest::shiftF10OpensTheContextMenus() {
  Compute("1");
  Form1->activateWindow();
  Form1->StringGrid1->setFocus();
  Form1->StringGrid1->setCurrentCell(1, 1);
  QCOMPARE(ContextMenuByKeyboard(Form1->StringGrid1), QStringList({"Подробнее…"}));
  DoubleClick(0, 1);
  ui::DetailWindow& window = *OpenWindows().front();
  QVERIFY(QTest::qWaitForWindowActive(&window));
  window.PassTable()->setFocus();
  QVERIFY(ContextMenuByKeyboard(window.PassTable()).contains("Копировать"));
  window.FunctionView()->setFocus();
  QVERIFY(ContextMenuByKeyboard(window.FunctionView()).contains("Копировать график как рисунок"));
  // Escape closed the menu only.
  QCOMPARE(OpenWindows().size(), 1);
}

void IterationsWindowTest::ctrlWAndEscapeClose() {
  Compute("1");
  for (const QKeyCombination keys :
       {QKeyCombination(Qt::CTRL, Qt::Key_W), QKeyCombination(Qt::NoModifier, Qt::Key_Escape)}) {
    DoubleClick(0, 1);
    ui::DetailWindow* window = OpenWindows().front();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window->PassTable(), keys.key(), keys.keyboardModifiers());
    QTRY_VERIFY2(OpenWindows().isEmpty(), "the key left the window open");
  }
}

void IterationsWindowTest::f1OpensTheHelpAtTheWindowsSection() {
  const QString previous = QDir::currentPath();
  QVERIFY(QDir::setCurrent(NLE_SOURCE_DIR));  // where help.txt is
  Compute("1");
  DoubleClick(0, 1);
  ui::DetailWindow& window = *OpenWindows().front();
  QVERIFY(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(window.PassTable(), Qt::Key_F1);
  QDir::setCurrent(previous);
  QTRY_VERIFY2(Form2->isVisible(), "F1 showed no help");
  const ui::TextView& help = *Form2->Memo1;
  QVERIFY(help.textCursor().block().text().startsWith("10. ИТЕРАЦИИ И ГРАФИКИ"));
  QCOMPARE(help.verticalScrollBar()->value(), help.textCursor().block().firstLineNumber());
  Form2->hide();
}

void IterationsWindowTest::copiesThePlotAsAnImage() {
  Compute("1");
  DoubleClick(0, 1);
  ui::DetailWindow& window = *OpenWindows().front();
  QVERIFY(QTest::qWaitForWindowActive(&window));
  QGuiApplication::clipboard()->clear();
  window.FunctionView()->setFocus();
  QTest::keyClick(window.FunctionView(), Qt::Key_C, Qt::ControlModifier);
  const QImage image = QGuiApplication::clipboard()->image();
  QCOMPARE(image.size(), QSize(1600, 1000));
  QVERIFY(image.save(QT_TESTCASE_BUILDDIR "/copied_plot.png"));
  // Drawn, not blank: the curve, the markers and the texts in their colours.
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); y += 7)
    for (int x = 0; x < image.width(); x += 7) colours.insert(image.pixel(x, y));
  QVERIFY2(colours.size() > 20, qPrintable(QString::number(colours.size())));
}

void IterationsWindowTest::theWheelZoomsAndZeroResets() {
  Compute("1");
  DoubleClick(0, 1);
  ui::DetailWindow& window = *OpenWindows().front();
  auto* view = static_cast<ui::ChartExplorer*>(window.FunctionView());
  const auto* x_axis = qobject_cast<QValueAxis*>(view->chart()->axes(Qt::Horizontal).front());
  const double width = x_axis->max() - x_axis->min();
  const QPoint centre = view->chart()->plotArea().center().toPoint();
  QWheelEvent wheel(centre, view->viewport()->mapToGlobal(centre), {}, {0, 120}, Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(view->viewport(), &wheel);
  QVERIFY2(x_axis->max() - x_axis->min() < width * 0.9, "the wheel did not zoom in");
  view->setFocus();
  // The focused plot is framed in the highlight colour.
  QVERIFY(QTest::qWaitForWindowActive(&window));
  const QImage framed = view->viewport()->grab().toImage();
  QCOMPARE(framed.pixelColor(1, framed.height() / 2), view->palette().color(QPalette::Highlight));
  QTest::keyClick(view, Qt::Key_Right);
  QTest::keyClick(view, Qt::Key_0);
  QCOMPARE(x_axis->max() - x_axis->min(), width);
  // The ticks follow the range, and no label is cut.
  QVERIFY(!ui::AnyLabelTruncated(*view->chart()));
}

void IterationsWindowTest::hoverNamesTheIterate() {
  Compute("1");
  DoubleClick(0, 1);  // the chords: x₀ = 1,5649…
  ui::DetailWindow& window = *OpenWindows().front();
  QChartView& view = *window.FunctionView();
  QScatterSeries* iterates = nullptr;
  for (QAbstractSeries* series : view.chart()->series())
    if (series->name() == "Приближения xₙ") iterates = qobject_cast<QScatterSeries*>(series);
  QVERIFY(iterates != nullptr);
  const QPointF at = view.mapFromScene(view.chart()->mapToPosition(iterates->at(0), iterates));
  const QString text = static_cast<ui::ChartExplorer&>(view).TextAt(at);
  QVERIFY2(text.startsWith("n = 0; xₙ = 1,56"), qPrintable(text));
  // On the curve, away from the iterates: x and f(x).
  for (QAbstractSeries* series : view.chart()->series()) {
    if (series->name() != "f(x)") continue;
    const QXYSeries& points = *ui::PointsOf(*series);
    const QPointF point = points.at(points.count() / 4);
    const QString on_curve = static_cast<ui::ChartExplorer&>(view).TextAt(
        view.mapFromScene(view.chart()->mapToPosition(point, series)));
    QVERIFY2(on_curve.startsWith("x = ") && on_curve.contains("; f(x) = "), qPrintable(on_curve));
    return;
  }
  QFAIL("no curve f(x)");
}

void IterationsWindowTest::saysWhatBecameOfEachRun_data() {
  QTest::addColumn<int>("equation");
  QTest::addColumn<QString>("k");
  QTest::addColumn<QString>("l");
  QTest::addColumn<QString>("start");
  QTest::addColumn<QString>("precision");
  QTest::addColumn<QString>("end");
  QTest::addColumn<int>("method");
  QTest::addColumn<QString>("verdict");
  QTest::addColumn<bool>("star");
  const int bisection = core::kBisection;
  const int chords = core::kChords;
  const int tangents = core::kTangents;
  const int secants = core::kSecants;
  // The cases a student once was misled by; the tags name the screenshots.
  QTest::newRow("defaults-tangents") << 0 << "1"
                                     << "1"
                                     << "1"
                                     << "0,001"
                                     << "2" << tangents << "Сошёлся" << true;
  QTest::newRow("no-root-tangents-cap") << 8 << "1"
                                        << "1,5"
                                        << "1"
                                        << "0,001"
                                        << "2" << tangents << "предел в 5000 проходов" << false;
  QTest::newRow("no-root-chords") << 8 << "1"
                                  << "1,5"
                                  << "1"
                                  << "0,001"
                                  << "2" << chords << "Не сошёлся" << false;
  QTest::newRow("no-root-bisection") << 8 << "1"
                                     << "1,5"
                                     << "1"
                                     << "0,001"
                                     << "2" << bisection << "Не корень" << false;
  QTest::newRow("no-root-secants-error")
      << 8 << "1"
      << "1,5"
      << "1"
      << "0,001"
      << "2" << secants << "Расходится: приближения или |f| растут без предела" << false;
  QTest::newRow("exact-root-bisection")
      << 2 << "1"
      << "1"
      << "-1"
      << "0,001"
      << "1" << bisection << "найден точный корень x = 0" << false;
  QTest::newRow("cycling-tangents") << 4 << "3"
                                    << "-2"
                                    << "-1"
                                    << "0,001"
                                    << "2" << tangents << "зацикливание" << false;
  QTest::newRow("outside-interval-tangents") << 0 << "1"
                                             << "1"
                                             << "0,1"
                                             << "0,001"
                                             << "2" << tangents << "вне отрезка" << true;
  QTest::newRow("reflected-chord") << 0 << "1"
                                   << "1"
                                   << "2"
                                   << "0,001"
                                   << "4" << chords << "Сошёлся" << true;
  QTest::newRow("double-root-tangents") << 8 << "1"
                                        << "1"
                                        << "2"
                                        << "0,0000001"
                                        << "4" << tangents << "кратность m ≈ 2" << true;
  QTest::newRow("too-fine-bisection")
      << 0 << "1"
      << "1"
      << "1"
      << "1e-20"
      << "2" << bisection << "меньше, чем различает double" << false;
  QTest::newRow("too-fine-secants") << 0 << "1"
                                    << "1"
                                    << "1"
                                    << "1e-20"
                                    << "2" << secants << "величина стала нулём" << true;
  QTest::newRow("steps-first-pass-secants") << 0 << "1"
                                            << "1"
                                            << "1"
                                            << "0,001"
                                            << "1,5708" << secants << "|a − b|" << true;
}

// The verdict line, the star only at a root, the legend's verdicts and the
// comparison tab, in the window a user opens; each window is kept as a
// picture in the build tree.
void IterationsWindowTest::saysWhatBecameOfEachRun() {
  QFETCH(int, equation);
  QFETCH(QString, k);
  QFETCH(QString, l);
  QFETCH(QString, start);
  QFETCH(QString, precision);
  QFETCH(QString, end);
  QFETCH(int, method);
  QFETCH(QString, verdict);
  QFETCH(bool, star);
  Form1->ComboBox1->setCurrentIndex(equation);
  Form1->Edit3->setText(k);
  Form1->Edit4->setText(l);
  Form1->Edit11->setText(end);
  Form1->Edit1->setText(start);
  Form1->Edit2->setText(precision);
  Form1->SpeedButton1->click();
  reports_.clear();  // some runs end in an error box: not this test's matter
  // The pictures show the window at its default size, not one an earlier
  // test left remembered (the settings are the build tree's).
  QSettings(QSettings::IniFormat, QSettings::UserScope, "nonlinear-equations",
            "nonlinear-equations")
      .remove("detail_window/size");
  const QString name = ui::FromUtf8(core::FindMethod(static_cast<std::uint8_t>(method))->name);
  for (int row = 1; row <= 4; ++row)
    if (Form1->StringGrid1->CellText(0, row) == name) Opener().OpenRow(row);
  QCOMPARE(OpenWindows().size(), 1);
  ui::DetailWindow& window = *OpenWindows().front();
  const auto* line = window.findChild<QLabel*>(QStringLiteral("verdict"));
  QVERIFY(line != nullptr);
  QVERIFY2(line->text().contains(verdict), qPrintable(line->text()));
  bool has_star = false;
  for (const QAbstractSeries* series : window.FunctionView()->chart()->series())
    has_star = has_star || series->name() == QStringLiteral("Корень");
  QCOMPARE(has_star, star);
  QStringList legend;
  for (const QAbstractSeries* series : window.ConvergenceView()->chart()->series())
    legend << series->name();
  QVERIFY2(legend.join('|').contains(" — "), qPrintable(legend.join('|')));
  const auto* tabs = window.findChild<QTabWidget*>();
  QCOMPARE(tabs->tabText(3), QStringLiteral("Сра&внение"));
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  const QString pictures = QStringLiteral(NLE_SCREENSHOT_DIR);
  QVERIFY(QDir().mkpath(pictures));
  auto* plots = window.findChild<QTabWidget*>();
  for (const char* tab : {"function", "convergence", "steps", "comparison"}) {
    QVERIFY(
        window.grab().save(pictures + "/verdict-" + QTest::currentDataTag() + "-" + tab + ".png"));
    plots->setCurrentIndex(plots->currentIndex() + 1);
  }
}

// The verdict line of a run that found no root is a notice in the palette's
// tool-tip colours; a dark desktop keeps it readable (the picture shows it).
void IterationsWindowTest::verdictStaysReadableInADarkPalette() {
  QApplication::setPalette(window_test::DarkPalette());
  Form1->ComboBox1->setCurrentIndex(4);
  Form1->Edit3->setText("3");
  Form1->Edit4->setText("-2");
  Form1->Edit11->setText("2");
  Compute("-1");
  for (int row = 1; row <= 4; ++row)
    if (Form1->StringGrid1->CellText(0, row) == QStringLiteral("Метод касательных"))
      Opener().OpenRow(row);
  QCOMPARE(OpenWindows().size(), 1);
  ui::DetailWindow& window = *OpenWindows().front();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  const auto* line = window.findChild<QLabel*>(QStringLiteral("verdict"));
  QVERIFY(line != nullptr);
  const QColor text = line->palette().color(line->foregroundRole());
  const QColor back = line->palette().color(line->backgroundRole());
  QVERIFY2(std::abs(text.lightness() - back.lightness()) > 100,
           qPrintable(text.name() + " on " + back.name()));
  const QString pictures = QStringLiteral(NLE_SCREENSHOT_DIR);
  QVERIFY(QDir().mkpath(pictures));
  QVERIFY(window.grab().save(pictures + "/verdict-cycling-tangents-dark.png"));
}

QTEST_MAIN(IterationsWindowTest)
#include "detail_window_test.moc"
