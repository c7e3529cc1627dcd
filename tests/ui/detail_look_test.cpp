// SPDX-License-Identifier: GPL-3.0-or-later
// The detail window as users with large fonts, high scales, small screens
// and dark palettes meet it: screenshots of both plots kept in the build
// tree (look/) from a 1920 x 1080 screen, and every text that the plots draw read back from their
// scenes, none cut short with "…", no axis title longer than its axis, no
// legend entry wider than its strip. Run once at scale 1 and once with
// QT_SCALE_FACTOR=2.
#include <QApplication>
#include <QDir>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtTest>

#include "app/number_text.h"
#include "core/floating_point_environment.h"
#include "tests/ui/window_test_support.h"
#include "ui/Unit1.h"
#include "ui/Unit4.h"
#include "ui/charts/axes.h"
#include "ui/charts/legend.h"
#include "ui/detail/detail_opener.h"
#include "ui/detail/detail_window.h"
#include "ui/start_up.h"

namespace {

// Every text in the chart's scene that ends in an ellipsis.
QStringList CutTexts(const QChartView& view) {
  QStringList cut;
  for (const QGraphicsItem* item : view.scene()->items()) {
    QString text;
    if (const auto* rich = dynamic_cast<const QGraphicsTextItem*>(item)) {
      text = rich->toPlainText();
    } else if (const auto* simple = dynamic_cast<const QGraphicsSimpleTextItem*>(item)) {
      text = simple->text();
    }
    if (item->isVisible() && (text.endsWith(QChar(0x2026)) || text.endsWith("..."))) cut << text;
  }
  return cut;
}

// A plot's layout as the page has it: the view, its chart, the chart's plot
// area and the legend under it.
struct Layout {
  QSize view;
  QSizeF chart;
  QRectF plot_area;
  int legend_height = -1;

  bool operator==(const Layout&) const = default;
  QString Text() const {
    return QStringLiteral("view %1×%2, chart %3×%4, legend %5")
        .arg(view.width())
        .arg(view.height())
        .arg(chart.width())
        .arg(chart.height())
        .arg(legend_height);
  }
};

// Laid out: the chart fills the view, its plot area lies inside it, and
// nothing has moved since the last look.
bool Settled(QChartView& view, Layout& last) {
  const auto* legend = view.parentWidget()->findChild<ui::LegendStrip*>();
  const Layout now{view.viewport()->size(), view.chart()->size(), view.chart()->plotArea(),
                   legend != nullptr ? legend->height() : -1};
  const bool settled = now == last && now.chart == QSizeF(now.view) && !now.plot_area.isEmpty() &&
                       QRectF(QPointF(), now.chart).contains(now.plot_area);
  last = now;
  return settled;
}

}  // namespace

class IterationsLookTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanupTestCase();
  void cleanup();
  void nothingIsCut_data();
  void nothingIsCut();
};

void IterationsLookTest::initTestCase() {
  window_test::QuietOffscreenLimitations();
  core::EstablishFloatingPointEnvironment();
  app::SetDecimalSeparator(",");
  SetSplashSleep([](int) {});
  ui::CreateWindows();
  Form1->show();
  QVERIFY(QTest::qWaitForWindowActive(Form1));
  Form1->Edit1->setText("1");
  Form1->Edit2->setText("0,001");
  Form1->SpeedButton1->click();
  QVERIFY(QDir().mkpath(QT_TESTCASE_BUILDDIR "/look"));
}

void IterationsLookTest::cleanupTestCase() {
  ui::DestroyWindows();
}

// A failed check leaves its window open; the next row needs a new one.
void IterationsLookTest::cleanup() {
  for (ui::DetailWindow* window : Form1->DetailOpener->OpenWindows()) window->close();
}

void IterationsLookTest::nothingIsCut_data() {
  QTest::addColumn<int>("point_size");
  QTest::addColumn<QSize>("size");
  QTest::addColumn<bool>("dark");
  if (qApp->devicePixelRatio() > 1) {
    QTest::newRow("scale2") << 0 << QSize() << false;
    QTest::newRow("scale2-dark") << 0 << QSize() << true;
    return;
  }
  QTest::newRow("16pt") << 16 << QSize() << false;
  QTest::newRow("700x450") << 0 << QSize(700, 450) << false;
  QTest::newRow("dark") << 0 << QSize() << true;
}

void IterationsLookTest::nothingIsCut() {
  QFETCH(int, point_size);
  QFETCH(QSize, size);
  QFETCH(bool, dark);
  const window_test::ApplicationLook look(point_size, dark);
  // Each window starts at the size from its font, not the last one's.
  QSettings(QSettings::IniFormat, QSettings::UserScope, "nonlinear-equations",
            "nonlinear-equations")
      .clear();
  ui::DetailWindow* window = Form1->DetailOpener->OpenRow(2);  // the tangents
  QVERIFY(window != nullptr);
  if (size.isValid()) window->resize(size);
  QVERIFY(QTest::qWaitForWindowExposed(window));
  auto* tabs = window->findChild<QTabWidget*>();
  for (int tab = 0; tab < tabs->count(); ++tab) {
    tabs->setCurrentIndex(tab);
    QChartView* view = window->CurrentPlot();
    if (view == nullptr) continue;  // a tab without a plot
    // The page lays out its chart and legend on later turns of the event
    // loop: wait until a turn leaves them as they were.
    Layout last;
    QTRY_VERIFY2_WITH_TIMEOUT(
        Settled(*view, last),
        qPrintable(QStringLiteral("tab %1 still lays out: ").arg(tab) + last.Text()), 10'000);
    const QString name =
        QString("%1/look/%2-%3.png").arg(QT_TESTCASE_BUILDDIR, QTest::currentDataTag()).arg(tab);
    QVERIFY(window->grab().save(name));
    const QStringList cut = CutTexts(*view);
    QVERIFY2(cut.isEmpty(), qPrintable(name + ": " + cut.join(" | ")));
    QVERIFY2(!ui::AnyLabelTruncated(*view->chart()), qPrintable(name));
    const QChart& chart = *view->chart();
    for (const QAbstractAxis* axis : chart.axes(Qt::Vertical)) {
      const qreal title = QFontMetricsF(axis->titleFont()).horizontalAdvance(axis->titleText());
      QVERIFY2(title <= chart.plotArea().height(), qPrintable(name + ": " + axis->titleText()));
    }
    const auto* legend = view->parentWidget()->findChild<ui::LegendStrip*>();
    QVERIFY(legend != nullptr);
    QVERIFY2(legend->height() >= legend->heightForWidth(legend->width()),
             qPrintable(name + ": legend clipped"));
    for (const ui::LegendEntry& entry : legend->Entries()) {
      QVERIFY2(legend->fontMetrics().horizontalAdvance(entry.name) < legend->width(),
               qPrintable(name + ": " + entry.name));
    }
    QVERIFY2(view->height() >= 20 * window->fontMetrics().height(),
             qPrintable(name + ": the plot is squeezed"));
  }
}

QTEST_MAIN(IterationsLookTest)
#include "detail_look_test.moc"
