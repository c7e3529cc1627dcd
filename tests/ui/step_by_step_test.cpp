// SPDX-License-Identifier: GPL-3.0-or-later
// The detail window step by step: the replay draws the constructions of the
// passes up to its pass and marks that pass in the table, in the worked
// solution and for screen readers; the basins strip arrives off the
// interface thread, reads a start from the keyboard and follows the plot's
// range. Screenshots of the "Решение" tab and of the strip go to
// NLE_SCREENSHOT_DIR at 16 pt and in a dark palette (and at the scale of
// the run).
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QSettings>
#include <QSlider>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QValueAxis>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtTest>
#include <memory>

#include "app/comparison_run.h"
#include "app/method_geometry.h"
#include "app/number_text.h"
#include "app/worked_solution.h"
#include "core/errors.h"
#include "core/expression/formula.h"
#include "core/floating_point_environment.h"
#include "core/method_table.h"
#include "tests/doubles/fake_window.h"
#include "tests/ui/window_test_support.h"
#include "ui/charts/function_chart.h"
#include "ui/detail/basin_view.h"
#include "ui/detail/detail_window.h"
#include "ui/detail/pass_replay_bar.h"
#include "ui/detail/pass_table_model.h"
#include "ui/detail/plot_tabs.h"
#include "ui/detail/worked_solution_tab.h"
#include "ui/report/print_command.h"

namespace {

// The fake main window, with a typed formula in place of the list when given.
class FormulaWindow : public doubles::FakeWindow {
 public:
  explicit FormulaWindow(const QString& formula)
      : formula_(formula.isEmpty() ? nullptr
                                   : core::expression::Formula::Parse(formula.toStdString())) {}
  core::EquationSource SelectedSource() const override {
    return formula_ ? core::EquationSource(formula_) : FakeWindow::SelectedSource();
  }

 private:
  std::shared_ptr<const core::expression::Formula> formula_;
};

std::shared_ptr<const app::RunRecord> Compute(const QString& start, const QString& end,
                                              const QString& formula = {}) {
  FormulaWindow window(formula);
  window.SetInput(app::Input::kStart, start.toStdString());
  window.SetInput(app::Input::kEnd, end.toStdString());
  return doubles::RunComparison(window);
}

// The constructions the function plot shows: its lines of passes that are
// visible.
int VisibleConstructions(const QChart& chart) {
  int visible = 0;
  for (const QAbstractSeries* series : chart.series()) {
    if (series->isVisible() && series->property(ui::kConstructionPassProperty).isValid() &&
        series->property(ui::kConstructionPartProperty).toString() == QLatin1String(ui::kLinePart))
      ++visible;
  }
  return visible;
}

}  // namespace

class StepByStepTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void replayDrawsPassesUpToN_data();
  void replayDrawsPassesUpToN();
  void playRunsToTheLastPass();
  void basinsArriveAndFollowTheRange();
  void printsTheSolutionWhenAsked_data();
  void printsTheSolutionWhenAsked();
  void screenshots_data();
  void screenshots();
};

void StepByStepTest::initTestCase() {
  window_test::QuietOffscreenLimitations();
  core::EstablishFloatingPointEnvironment();
  app::SetDecimalSeparator(",");
  QVERIFY(QDir().mkpath(QStringLiteral(NLE_SCREENSHOT_DIR)));
}

void StepByStepTest::replayDrawsPassesUpToN_data() {
  QTest::addColumn<int>("method");
  QTest::addColumn<QString>("start");
  QTest::addColumn<QString>("end");
  // Constructions before the first pass: the chords draw their first chord,
  // which the first pass then draws again.
  QTest::addColumn<int>("at_start");
  for (const std::uint8_t method :
       {core::kBisection, core::kChords, core::kTangents, core::kSecants})
    QTest::newRow(core::EntryOf(method).key.data())
        << int{method} << QStringLiteral("1") << QStringLiteral("2")
        << (method == core::kChords ? 1 : 0);
  QTest::newRow("chords-reflected")
      << int{core::kChords} << QStringLiteral("2") << QStringLiteral("4") << 1;
}

// Pass n shows the constructions of passes 1 to n, and the table, the
// worked solution and the screen reader are at pass n.
void StepByStepTest::replayDrawsPassesUpToN() {
  QFETCH(int, method);
  QFETCH(QString, start);
  QFETCH(QString, end);
  QFETCH(int, at_start);
  ui::DetailWindow window(Compute(start, end), static_cast<std::uint8_t>(method));
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  ui::PassReplayBar& bar = *window.Replay();
  const QChart& chart = *window.FunctionView()->chart();
  const int last = bar.Slider()->maximum();
  QCOMPARE(bar.Pass(), last);
  QVERIFY2(last >= 2, "a run of a few passes");
  for (int n = 0; n <= std::min(last, app::kDrawnPasses); ++n) {
    bar.SetPass(n);
    QCOMPARE(VisibleConstructions(chart), std::max(n, at_start));
    QCOMPARE(window.PassModel()->CurrentRow(), std::optional<int>(n));
    const QString line = window.Solution()->HighlightedText();
    QVERIFY2(line.startsWith(QStringLiteral("Проход %1.").arg(n)), qPrintable(line));
    QCOMPARE(bar.Slider()->accessibleName(), QStringLiteral("Проход %1 из %2").arg(n).arg(last));
    QCOMPARE(bar.Slider()->accessibleDescription(),
             QString::fromStdString(app::PassText(window.Solution()->Solution(), n)));
  }
  // The keys of the slider: End the last pass, Home the first.
  bar.Slider()->setFocus();
  QTest::keyClick(bar.Slider(), Qt::Key_End);
  QCOMPARE(bar.Pass(), last);
  QTest::keyClick(bar.Slider(), Qt::Key_Home);
  QCOMPARE(bar.Pass(), 0);
}

void StepByStepTest::playRunsToTheLastPass() {
  ui::DetailWindow window(Compute("1", "2"), core::kBisection);
  window.show();
  ui::PassReplayBar& bar = *window.Replay();
  bar.Speed()->setCurrentIndex(bar.Speed()->count() - 1);
  bar.Play();
  QCOMPARE(bar.Pass(), 0);
  QTRY_VERIFY2_WITH_TIMEOUT(!bar.IsPlaying(), "the replay did not stop at the last pass", 20'000);
  QCOMPARE(bar.Pass(), bar.Slider()->maximum());
  QCOMPARE(window.PassModel()->CurrentRow(), std::optional<int>(bar.Pass()));
}

void StepByStepTest::basinsArriveAndFollowTheRange() {
  ui::DetailWindow window(Compute("1", "2"), core::kTangents);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  ui::BasinView* basins = window.Plots()->Basins();
  QVERIFY(basins != nullptr);
  QTRY_VERIFY2_WITH_TIMEOUT(basins->Strip().has_value(), "no strip came", 20'000);
  auto* axis =
      qobject_cast<QValueAxis*>(window.FunctionView()->chart()->axes(Qt::Horizontal).value(0));
  QVERIFY(axis != nullptr);
  QCOMPARE(basins->Strip()->left, axis->min());
  QCOMPARE(basins->Strip()->right, axis->max());
  QWidget* bar = basins->Bar();
  QVERIFY2(bar->accessibleDescription().startsWith(QStringLiteral("Куда ведёт")),
           qPrintable(bar->accessibleDescription()));
  bar->setFocus();
  QTest::keyClick(bar, Qt::Key_Home);
  QVERIFY2(bar->accessibleName().startsWith(QStringLiteral("x₀ = ")) &&
               bar->accessibleName().contains(QStringLiteral(": ")),
           qPrintable(bar->accessibleName()));
  std::unique_ptr<QAbstractItemModel> table(basins->NewTableModel(nullptr));
  QCOMPARE(table->rowCount(), static_cast<int>(basins->Strip()->intervals.size()));
  QCOMPARE(table->columnCount(), 4);
  // A new range: the strip for it replaces the old one.
  axis->setRange(-10, 10);
  QTRY_VERIFY2_WITH_TIMEOUT(basins->Strip()->left == -10 && basins->Strip()->right == 10,
                            "the strip did not follow the range", 20'000);
  QVERIFY(!basins->IsComputing());
}

void StepByStepTest::printsTheSolutionWhenAsked_data() {
  QTest::addColumn<bool>("asked");
  QTest::newRow("asked") << true;
  QTest::newRow("not asked") << false;
}

// The print dialog's check box "Решение по шагам" adds the worked solution
// to the method's report; it starts unticked.
void StepByStepTest::printsTheSolutionWhenAsked() {
  QFETCH(bool, asked);
  QTemporaryDir folder;
  const QString pdf = folder.filePath(QStringLiteral("method.pdf"));
  bool offered_unticked = false;
  ui::SetPrintDialogRunner([&](QWidget*, QPrinter& printer, ui::ReportOptions& options) {
    offered_unticked = options.offers_steps && !options.steps.print;
    options.steps.print = asked;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    return true;
  });
  // Printed without looking at the preview.
  ui::SetPrintPreviewRunner([](QWidget*, QPrinter&, const ui::PagePainter&) { return true; });
  {
    ui::DetailWindow window(Compute("1", "2"), core::kTangents);
    const QList<QAction*> actions = window.PassTable()->actions();
    const auto print = std::find_if(actions.begin(), actions.end(), [](const QAction* action) {
      return action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_P);
    });
    QVERIFY(print != actions.end());
    (*print)->trigger();
  }
  ui::SetPrintDialogRunner(nullptr);
  ui::SetPrintPreviewRunner(nullptr);
  QVERIFY(offered_unticked);
  QProcess text;
  text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
  QVERIFY2(text.waitForFinished(60'000), "pdftotext did not end");
  const QString pages = QString::fromUtf8(text.readAllStandardOutput());
  QVERIFY2(pages.contains(QStringLiteral("Таблица проходов")), qPrintable(pages));
  QCOMPARE(pages.contains(QStringLiteral("1 − 0,540302/(-0,841471) = 1,64209")), asked);
}

void StepByStepTest::screenshots_data() {
  QTest::addColumn<int>("point_size");
  QTest::addColumn<bool>("dark");
  QTest::addColumn<QString>("formula");  // the defaults' equation when empty
  const QString scale = qApp->devicePixelRatio() > 1 ? QStringLiteral("scale2-") : QString();
  QTest::newRow(qPrintable(scale + "default")) << 0 << false << QString();
  QTest::newRow(qPrintable(scale + "16pt")) << 16 << false << QString();
  QTest::newRow(qPrintable(scale + "dark")) << 0 << true << QString();
  // Newton's threshold at ±1,3917, on a plot widened to [-3, 3].
  QTest::newRow(qPrintable(scale + "atan")) << 0 << false << QStringLiteral("atan(x)");
}

// The "Решение" tab and the function plot with the replay bar and the
// strip, kept as pictures for a reader to check.
void StepByStepTest::screenshots() {
  QFETCH(int, point_size);
  QFETCH(bool, dark);
  QFETCH(QString, formula);
  const QFont font = QApplication::font();
  const QPalette palette = QApplication::palette();
  if (point_size > 0) {
    QFont large = font;
    large.setPointSize(point_size);
    QApplication::setFont(large);
  }
  if (dark) QApplication::setPalette(window_test::DarkPalette());
  QSettings(QSettings::IniFormat, QSettings::UserScope, "nonlinear-equations",
            "nonlinear-equations")
      .clear();
  {
    ui::DetailWindow window(Compute("1", "2", formula), core::kTangents);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    double left = 0;
    if (!formula.isEmpty()) {
      auto* axis =
          qobject_cast<QValueAxis*>(window.FunctionView()->chart()->axes(Qt::Horizontal).value(0));
      QVERIFY(axis != nullptr);
      left = -3;
      axis->setRange(left, 3);
    }
    QTRY_VERIFY2_WITH_TIMEOUT(
        window.Plots()->Basins()->Strip().has_value() &&
            (formula.isEmpty() || window.Plots()->Basins()->Strip()->left == left),
        "no strip came", 20'000);
    // The strip's legend rows, once laid out, stand clear of its caption.
    const ui::BasinView& basins = *window.Plots()->Basins();
    QTRY_VERIFY2_WITH_TIMEOUT(
        basins.Bar()->geometry().bottom() < basins.Caption()->geometry().top() &&
            basins.Caption()->height() >=
                basins.Caption()->heightForWidth(basins.Caption()->width()),
        "the strip overlaps its caption", 10'000);
    window.Replay()->SetPass(1);
    const QString name = QStringLiteral(NLE_SCREENSHOT_DIR "/%1-").arg(QTest::currentDataTag());
    QVERIFY(window.grab().save(name + "function.png"));
    window.Plots()->setCurrentWidget(window.Solution());
    QVERIFY(window.grab().save(name + "solution.png"));
  }
  QApplication::setFont(font);
  QApplication::setPalette(palette);
}

QTEST_MAIN(StepByStepTest)
#include "step_by_step_test.moc"
