// SPDX-License-Identifier: GPL-3.0-or-later
// The splash window and its sequence, without the two-second wait: the sleep
// is replaced by a recorder, and the fade is followed through the window's
// opacity signal.
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <string>
#include <vector>

#include "ui/Unit1.h"
#include "ui/Unit4.h"
#include "ui/help/splash_picture.h"
#include "ui/widgets/stretched_image.h"

namespace {

// What happened, in order: "paint", "sleep 2000", "opacity 254" ...
class EventLog : public QObject {
 public:
  std::vector<std::string> entries;

  void Add(std::string entry) { entries.push_back(std::move(entry)); }
  std::size_t IndexOf(const std::string& entry) const {
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (entries[i] == entry) return i;
    }
    return entries.size();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) Add("paint");
    return QObject::eventFilter(watched, event);
  }
};

// The opacities the window system was given, as bytes.
std::vector<int> Bytes(const QSignalSpy& spy) {
  std::vector<int> values;
  for (const QList<QVariant>& call : spy) values.push_back(qRound(call.at(0).toReal() * 255));
  return values;
}

QByteArray SplashJpeg() {
  QFile file(QStringLiteral(":/assets/splash.jpg"));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class SplashTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    log_.entries.clear();
    SetSplashSleep([this](int milliseconds) { log_.Add("sleep " + std::to_string(milliseconds)); });
  }

  // What layout and stacking decide: the picture covers the whole window and
  // the title lies on it.
  void pictureCoversTheWindowUnderTheTitle() {
    TForm4 splash;
    QCOMPARE(splash.Image1->geometry(), splash.rect());
    QCOMPARE(splash.Label1->pos(), QPoint(16, 48));
    QCOMPARE(splash.childAt(20, 52), splash.Label1);
    QVERIFY(!splash.Label1->autoFillBackground());
  }

  void sequenceSleepsAfterThePaintAndFadesIn255Steps() {
    TForm4 splash;
    splash.winId();  // the window handle whose opacity the fade sets
    splash.Image1->installEventFilter(&log_);
    QSignalSpy opacities(splash.windowHandle(), &QWindow::opacityChanged);
    connect(splash.windowHandle(), &QWindow::opacityChanged, &log_, [this](qreal opacity) {
      log_.Add("opacity " + std::to_string(qRound(opacity * 255)));
    });

    PlaySplashSequence(splash);

    const std::vector<int> steps = Bytes(opacities);
    QCOMPARE(steps.size(), std::size_t{255});
    QCOMPARE(steps.front(), 254);
    QCOMPARE(steps.back(), 0);
    for (std::size_t i = 1; i < steps.size(); ++i) QCOMPARE(steps[i], steps[i - 1] - 1);

    const std::size_t first_paint = log_.IndexOf("paint");
    const std::size_t sleep = log_.IndexOf("sleep 2000");
    const std::size_t first_step = log_.IndexOf("opacity 254");
    QVERIFY(first_paint < sleep);
    QVERIFY(sleep < first_step);
    QVERIFY(first_step < log_.entries.size());

    QVERIFY(!splash.isVisible());
    QCOMPARE(splash.windowOpacity(), 0.0);
    QCOMPARE(splash.AlphaBlendValue(), 0);
  }

  void opacityEqualToTheCurrentIsNotAppliedAgain() {
    TForm4 splash;
    splash.winId();
    QSignalSpy opacities(splash.windowHandle(), &QWindow::opacityChanged);
    splash.SetAlphaBlendValue(255);
    splash.SetAlphaBlendValue(100);
    splash.SetAlphaBlendValue(100);
    QCOMPARE(Bytes(opacities), std::vector<int>{100});
  }

  void pictureIsDecodedOnceAtTheFirstPaint() {
    TForm4 splash;
    QVERIFY(splash.Image1->Picture().isNull());
    PlaySplashSequence(splash);
    const QImage& picture = splash.Image1->Picture();
    QCOMPARE(picture.size(), QSize(1600, 1200));
    QCOMPARE(picture.format(), QImage::Format_RGB888);
    const qint64 decoded = picture.cacheKey();
    splash.show();
    splash.Image1->repaint();
    splash.Image1->repaint();
    QCOMPARE(splash.Image1->Picture().cacheKey(), decoded);
  }

  void placedOnceCentredOnTheDesktop() {
    TForm4 splash;
    PlaySplashSequence(splash);
    const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
    const QPoint centred((desktop.width() - 577) / 2, (desktop.height() - 165) / 2);
    QCOMPARE(splash.pos(), centred);
    splash.move(3, 4);
    PlaySplashSequence(splash);
    QCOMPARE(splash.pos(), QPoint(3, 4));
  }

  void mainWindowIsHiddenThroughoutTheSequence() {
    TForm4 splash;
    Form4 = &splash;
    TForm1 main;
    Form1 = &main;
    splash.winId();
    std::vector<bool> main_visible;
    connect(splash.windowHandle(), &QWindow::opacityChanged, &log_,
            [&] { main_visible.push_back(main.isVisible()); });

    main.show();

    QCOMPARE(main_visible.size(), std::size_t{255});
    QVERIFY(std::find(main_visible.begin(), main_visible.end(), true) == main_visible.end());
    QVERIFY(main.isVisible());
    QVERIFY(!splash.isVisible());
    Form1 = nullptr;
    Form4 = nullptr;
  }

  void decoderRejectsWhatIsNotJpeg() {
    QVERIFY(ui::DecodeJpeg(QByteArray()).isNull());
    QVERIFY(ui::DecodeJpeg(QByteArray("not a picture at all")).isNull());
    QVERIFY(ui::DecodeJpeg(SplashJpeg().left(100)).isNull());  // the header cut short
  }

  void failedDecodeLeavesTheBackground() {
    ui::StretchedImage image([] { return ui::DecodeJpeg(QByteArray("broken")); });
    image.resize(20, 10);
    QImage canvas(20, 10, QImage::Format_RGB32);
    canvas.fill(Qt::red);
    image.render(&canvas, QPoint(), QRegion(), QWidget::DrawChildren);
    QCOMPARE(canvas.pixelColor(5, 5), QColor(Qt::red));
    QVERIFY(image.Picture().isNull());
  }

  void pictureIsStretchedByWholePixels() {
    QImage source(2, 1, QImage::Format_RGB888);
    source.setPixelColor(0, 0, Qt::black);
    source.setPixelColor(1, 0, Qt::white);
    ui::StretchedImage image([source] { return source; });
    image.resize(6, 3);
    QImage canvas(6, 3, QImage::Format_RGB32);
    image.render(&canvas);
    for (int x = 0; x < 6; ++x) {
      QCOMPARE(canvas.pixelColor(x, 1), x < 3 ? QColor(Qt::black) : QColor(Qt::white));
    }
  }

 private:
  EventLog log_;
};

QTEST_MAIN(SplashTest)
#include "splash_test.moc"
