// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/charts/export.h"

#include <QBuffer>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGraphicsLayout>
#include <QGuiApplication>
#include <QPainter>
#include <QRegularExpression>
#include <QSpinBox>
#include <QSvgGenerator>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>

#include "ui/charts/legend.h"
#include "ui/platform/modal_dialog.h"

namespace ui {

namespace {

constexpr int kMargin = 8;
constexpr double kInchesPerMetre = 1 / 0.0254;
constexpr double kScreenDpi = 96;

std::optional<PictureSize> AskPictureSize(QWidget* parent, PictureSize initial) {
  auto* owner = new QDialog(parent);
  QDialog& dialog = *owner;
  dialog.setWindowTitle(QStringLiteral("Размер рисунка"));
  auto* width = new QSpinBox(&dialog);
  auto* height = new QSpinBox(&dialog);
  auto* scale = new QSpinBox(&dialog);
  for (QSpinBox* box : {width, height}) {
    box->setRange(200, 8000);
    box->setSuffix(QStringLiteral(" пикс."));
  }
  scale->setRange(1, 4);
  scale->setPrefix(QStringLiteral("×"));
  width->setValue(initial.pixels.width());
  height->setValue(initial.pixels.height());
  scale->setValue(initial.scale);
  auto* form = new QFormLayout(&dialog);
  form->addRow(QStringLiteral("&Ширина:"), width);
  form->addRow(QStringLiteral("&Высота:"), height);
  form->addRow(QStringLiteral("&Чёткость (пикселей на точку экрана):"), scale);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  form->addRow(buttons);
  std::optional<PictureSize> size;
  RunModalDialog(owner, [&](QDialog&, int result) {
    if (result == QDialog::Accepted)
      size = PictureSize{{width->value(), height->value()}, scale->value()};
  });
  return size;
}

PictureSizeChooser& Chooser() {
  static PictureSizeChooser chooser = AskPictureSize;
  return chooser;
}

void LayOut(QChart& chart, const QSizeF& size) {
  chart.resize(size);
  if (QGraphicsLayout* layout = chart.layout()) layout->activate();
}

// Draws the chart with `title` and its legend into [0, size] of the painter.
void Draw(QPainter& painter, QChartView& view, const QString& title, const QSizeF& size) {
  QChart& chart = *view.chart();
  const QList<LegendEntry> entries = LegendEntries(chart);
  const QFont font = view.font();
  const int legend_width = static_cast<int>(size.width()) - 2 * kMargin;
  const int legend_height = LegendHeight(entries, font, legend_width);
  const QSizeF chart_size(size.width(), size.height() - legend_height - kMargin);

  const QString shown_title = chart.title();
  const QSizeF shown_size = chart.size();
  chart.setTitle(title);
  LayOut(chart, chart_size);
  painter.fillRect(QRectF(QPointF(0, 0), size), chart.backgroundBrush());
  painter.setRenderHint(QPainter::Antialiasing);
  view.scene()->render(&painter, QRectF(QPointF(0, 0), chart_size),
                       QRectF(chart.pos(), chart_size));
  PaintLegend(painter, entries, font,
              QRect(kMargin, static_cast<int>(chart_size.height()), legend_width, legend_height),
              chart.titleBrush().color());
  chart.setTitle(shown_title);
  LayOut(chart, shown_size);
}

// Qt writes a line of text as one element per run of one font, each placed
// where Qt's own layout put it. Another renderer measures the letters
// differently, and a run that starts at a fixed x ("xₙ − x*|" after
// "погрешность |") then stands apart or overlaps. Runs on one baseline with
// the same look become one element, which any renderer lays out whole.
QByteArray JoinTextRuns(const QByteArray& svg) {
  static const QRegularExpression kRun(
      QStringLiteral(R"re(<text ([^>]*?) x="[^"]*" y="([^"]*)"([^>]*)>([^<]*)</text>\s*)re"));
  const QString text = QString::fromUtf8(svg);
  QString joined;
  joined.reserve(text.size());
  qsizetype from = 0;
  QRegularExpressionMatch previous;
  QString pending;  // the element being joined, without its end tag
  QRegularExpressionMatchIterator runs = kRun.globalMatch(text);
  while (runs.hasNext()) {
    const QRegularExpressionMatch run = runs.next();
    const bool continues = !pending.isEmpty() && run.capturedStart() == from &&
                           run.captured(1) == previous.captured(1) &&
                           run.captured(2) == previous.captured(2) &&
                           run.captured(3) == previous.captured(3);
    if (continues) {
      pending += run.captured(4);
    } else {
      if (!pending.isEmpty()) joined += pending + QStringLiteral("</text>\n");
      joined += text.mid(from, run.capturedStart() - from);
      // The opening tag of the first run, with its place.
      pending = text.mid(run.capturedStart(), run.capturedStart(4) - run.capturedStart()) +
                run.captured(4);
      previous = run;
    }
    from = run.capturedEnd();
  }
  if (!pending.isEmpty()) joined += pending + QStringLiteral("</text>\n");
  joined += text.mid(from);
  return joined.toUtf8();
}

}  // namespace

std::optional<PictureSize> ChoosePictureSize(QWidget* parent, PictureSize initial) {
  return Chooser()(parent, initial);
}

void SetPictureSizeChooser(PictureSizeChooser chooser) {
  Chooser() = std::move(chooser);
}

void RestoreDefaultPictureSizeChooser() {
  Chooser() = AskPictureSize;
}

QImage ChartImage(QChartView& view, const QString& title, PictureSize size) {
  QImage image(size.pixels, QImage::Format_ARGB32_Premultiplied);
  const int scale = std::max(size.scale, 1);
  image.fill(Qt::white);
  {
    // Drawn at the screen's resolution and scaled: letters in points keep
    // the size they have on the screen.
    QPainter painter(&image);
    painter.scale(scale, scale);
    Draw(painter, view, title, QSizeF(size.pixels) / scale);
  }
  // The file then says how finely it is drawn.
  const int dots_per_metre = static_cast<int>(scale * kScreenDpi * kInchesPerMetre);
  image.setDotsPerMeterX(dots_per_metre);
  image.setDotsPerMeterY(dots_per_metre);
  return image;
}

QByteArray ChartPng(QChartView& view, const QString& title, PictureSize size) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  ChartImage(view, title, size).save(&buffer, "PNG");
  return buffer.data();
}

QByteArray ChartSvg(QChartView& view, const QString& title, QSize size) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  svg.setTitle(title);
  // Font sizes in the file in the screen's pixels, the unit of its
  // coordinates; at the generator's 72 dpi they would come out a quarter small.
  svg.setResolution(view.logicalDpiX());
  {
    QPainter painter(&svg);
    Draw(painter, view, title, QSizeF(size));
  }
  return JoinTextRuns(buffer.data());
}

void CopyChartImage(QChartView& view, const QString& title) {
  QGuiApplication::clipboard()->setImage(ChartImage(view, title, PictureSize{}));
}

}  // namespace ui
