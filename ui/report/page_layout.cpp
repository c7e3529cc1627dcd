// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/report/page_layout.h"

#include <QBuffer>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <algorithm>
#include <memory>

#include "ui/charts/legend.h"
#include "ui/widgets/utf8_text.h"

namespace ui {

namespace {

constexpr double kCellPadding = 0.4;  // of a line height, on each side
constexpr double kRowSpacing = 1.35;  // row height in line heights
constexpr std::size_t kMeasuredRows = 200;
// The width a chart is laid out at before it is scaled onto the page: a
// small window's, so that its axes have room for their labels and its texts
// come out no smaller than the tables'.
constexpr double kChartWidth = 720;
// Between a chart and its legend, and at the legend's sides, in the chart's
// units.
constexpr int kLegendMargin = 12;
// The least a page's texts are printed at: smaller does not read on paper.
constexpr double kLeastPoints = 8;

QFont ReportFont(double points, bool bold = false) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

}  // namespace

PageLayout::PageLayout(QPagedPaintDevice& device, QString title, const PageOutline* outline)
    : device_(device),
      title_(std::move(title)),
      outline_(outline),
      body_(ReportFont(10)),
      heading_(ReportFont(13, true)),
      table_(ReportFont(8.5)),
      frame_(ReportFont(kLeastPoints)) {
  seen_.sections.emplace_back();
  if (!painter_.begin(&device_)) return;
  width_ = device_.width();
  height_ = device_.height();
  PaintFrame();
  painter_.setFont(body_);
}

void PageLayout::PaintFrame() {
  const QFontMetricsF metrics(frame_, &device_);
  const double line = metrics.height();
  top_ = 2 * line;
  bottom_ = height_ - 2 * line;
  y_ = top_;
  if (outline_ == nullptr) return;
  const auto page = static_cast<std::size_t>(pages_ - 1);
  const QString sections = page < outline_->sections.size()
                               ? outline_->sections[page].join(QStringLiteral(", "))
                               : QString();
  painter_.save();
  painter_.setFont(frame_);
  painter_.setPen(QColor(0x30, 0x30, 0x30));
  // The sections at the right, at most half the width; the title takes the
  // rest, shortened at its end when it must be.
  const QString right = metrics.elidedText(sections, Qt::ElideRight, width_ / 2);
  const double right_width = right.isEmpty() ? 0 : metrics.horizontalAdvance(right) + 2 * line;
  const QString left = metrics.elidedText(title_, Qt::ElideRight, width_ - right_width);
  const QRectF header(0, 0, width_, line);
  painter_.drawText(header, Qt::AlignLeft | Qt::AlignVCenter, left);
  painter_.drawText(header, Qt::AlignRight | Qt::AlignVCenter, right);
  painter_.setPen(QPen(Qt::gray, 0));
  painter_.drawLine(QPointF(0, 1.4 * line), QPointF(width_, 1.4 * line));
  painter_.setPen(QColor(0x30, 0x30, 0x30));
  painter_.drawText(QRectF(0, height_ - line, width_, line), Qt::AlignHCenter | Qt::AlignVCenter,
                    QStringLiteral("Страница %1 из %2")
                        .arg(pages_)
                        .arg(static_cast<qsizetype>(outline_->sections.size())));
  painter_.restore();
}

void PageLayout::Section(const QString& name) {
  section_ = name;
}

void PageLayout::Touch() {
  QStringList& here = seen_.sections.back();
  if (!section_.isEmpty() && !here.contains(section_)) here << section_;
}

double PageLayout::LineHeight() const {
  return QFontMetricsF(body_, &device_).height();
}

void PageLayout::NewPage() {
  device_.newPage();
  ++pages_;
  seen_.sections.emplace_back();
  PaintFrame();
}

void PageLayout::Ensure(double height) {
  if (y_ > top_ && y_ + height > bottom_) NewPage();
  Touch();
}

void PageLayout::Space(double lines) {
  y_ += lines * LineHeight();
}

void PageLayout::Heading(const QString& text) {
  painter_.setFont(heading_);
  const QRectF bounds =
      painter_.boundingRect(QRectF(0, 0, width_, height_), Qt::TextWordWrap, text);
  // A heading stays with at least three lines of what follows it.
  Ensure(bounds.height() + 3 * LineHeight());
  painter_.drawText(QRectF(0, y_, width_, bounds.height()), Qt::TextWordWrap, text);
  y_ += bounds.height() + 0.4 * LineHeight();
  painter_.setFont(body_);
}

void PageLayout::Block(const QStringList& lines) {
  const QRectF room(0, 0, width_, height_);
  QFont bold = body_;
  bold.setBold(true);
  std::vector<double> heights;
  double total = 2 * LineHeight();  // the space and the cut line under the block
  for (qsizetype i = 0; i < lines.size(); ++i) {
    painter_.setFont(i == 0 ? bold : body_);
    heights.push_back(painter_.boundingRect(room, Qt::TextWordWrap, lines[i]).height());
    total += heights.back() + 0.3 * LineHeight();
  }
  Ensure(total);
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const double height = heights[static_cast<std::size_t>(i)];
    painter_.setFont(i == 0 ? bold : body_);
    painter_.drawText(QRectF(0, y_, width_, height), Qt::TextWordWrap, lines[i]);
    y_ += height + 0.3 * LineHeight();
  }
  y_ += LineHeight();
  painter_.setPen(QPen(Qt::gray, 0, Qt::DashLine));
  painter_.drawLine(QPointF(0, y_), QPointF(width_, y_));
  painter_.setPen(QPen(Qt::black, 0));
  y_ += LineHeight();
  painter_.setFont(body_);
}

void PageLayout::Paragraph(const QString& text) {
  painter_.setFont(body_);
  const QString shown = FittingOnAPage(text);
  const QRectF bounds = painter_.boundingRect(QRectF(0, 0, width_, height_), shown, Wrapping());
  Ensure(bounds.height());
  painter_.drawText(QRectF(0, y_, width_, bounds.height()), shown, Wrapping());
  y_ += bounds.height() + 0.3 * LineHeight();
}

void PageLayout::HangingParagraph(const QString& label, const QString& text,
                                  const QString& widest_label) {
  QFont bold = body_;
  bold.setBold(true);
  painter_.setFont(bold);
  const double indent = std::min(
      width_ / 3, painter_.fontMetrics().horizontalAdvance(widest_label) + 2 * LineHeight() / 3);
  painter_.setFont(body_);
  const double column = width_ - indent;
  const QRectF bounds = painter_.boundingRect(QRectF(0, 0, column, height_), text, Wrapping());
  Ensure(bounds.height());
  painter_.drawText(QRectF(indent, y_, column, bounds.height()), text, Wrapping());
  painter_.setFont(bold);
  painter_.drawText(QRectF(0, y_, indent, LineHeight()), label, Wrapping());
  painter_.setFont(body_);
  y_ += bounds.height() + 0.3 * LineHeight();
}

QTextOption PageLayout::Wrapping() {
  // Between words, and anywhere inside a word wider than the page: a typed
  // formula of a thousand characters has no blank in it, and clipped at the
  // margin it would read as another equation.
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  return option;
}

QString PageLayout::FittingOnAPage(const QString& text) {
  const QRectF page(0, 0, width_, bottom_ - top_);
  double room = bottom_ - top_;
  const auto fits = [&](const QString& candidate) {
    return painter_.boundingRect(page, candidate, Wrapping()).height() <= room;
  };
  // No page holds this many characters: a text longer is not laid out whole
  // (an input box may hold megabytes).
  constexpr qsizetype kMoreThanAPageHolds = 20'000;
  if (text.size() <= kMoreThanAPageHolds && fits(text)) return text;
  // Cut anyway: then it may as well fill this page's room, unless that is
  // only a few lines.
  if (Room() >= 5 * LineHeight()) room = Room();
  const auto shortened = [&text](qsizetype length) {
    // Never between the two halves of a surrogate pair.
    if (length > 0 && text.at(length - 1).isHighSurrogate()) --length;
    return text.first(length) +
           QStringLiteral("… (текст сокращён: напечатаны первые %1 знаков из %2)")
               .arg(length)
               .arg(text.size());
  };
  qsizetype low = 0;  // the longest start known to fit
  qsizetype high = std::min(text.size(), kMoreThanAPageHolds);
  while (high - low > 1) {
    const qsizetype middle = low + (high - low) / 2;
    (fits(shortened(middle)) ? low : high) = middle;
  }
  return shortened(low);
}

std::vector<double> PageLayout::ColumnWidths(const std::vector<std::vector<std::string>>& lines,
                                             std::size_t measured_rows,
                                             double* natural_total_out) const {
  QFont bold = table_;
  bold.setBold(true);
  const QFontMetricsF metrics(table_, &device_);
  const QFontMetricsF header_metrics(bold, &device_);
  // The padding of both sides and a little more: the printed glyphs may run
  // wider than the measured ones.
  const double padding = 3 * kCellPadding * metrics.height();
  // A column is never narrower than its longest word, and as wide as its
  // widest cell, header included, when the page allows; where it does not,
  // the texts wrap between words.
  std::vector<double> least;
  std::vector<double> natural;
  for (std::size_t row = 0; row < std::min(lines.size(), measured_rows + 1); ++row) {
    const auto& line = lines[row];
    const QFontMetricsF& font = row == 0 ? header_metrics : metrics;
    if (least.size() < line.size()) {
      least.resize(line.size(), 0);
      natural.resize(line.size(), 0);
    }
    for (std::size_t column = 0; column < line.size(); ++column) {
      const QString text = FromUtf8(line[column]);
      for (const QString& word : text.split(QLatin1Char(' ')))
        least[column] = std::max(least[column], font.horizontalAdvance(word) + padding);
      natural[column] = std::max(natural[column], font.horizontalAdvance(text) + padding);
    }
  }
  double least_total = 0;
  double natural_total = 0;
  for (std::size_t column = 0; column < least.size(); ++column) {
    natural[column] = std::max(natural[column], least[column]);
    least_total += least[column];
    natural_total += natural[column];
  }
  if (natural_total_out != nullptr) *natural_total_out = natural_total;
  if (natural_total <= width_) return natural;
  if (least_total >= width_) {
    for (double& width : least) width *= width_ / least_total;
    return least;
  }
  // The room beyond the least widths goes to the columns that want more, in
  // proportion to what each wants.
  const double share = (width_ - least_total) / (natural_total - least_total);
  for (std::size_t column = 0; column < least.size(); ++column)
    least[column] += share * (natural[column] - least[column]);
  return least;
}

void PageLayout::PaintRow(const std::vector<std::string>& line, const std::vector<double>& widths,
                          double row_height, bool header) {
  QFont font = table_;
  font.setBold(header);
  painter_.setFont(font);
  const double padding = kCellPadding * QFontMetricsF(table_, &device_).height();
  double x = 0;
  for (std::size_t column = 0; column < widths.size(); ++column) {
    const QRectF cell(x, y_, widths[column], row_height);
    if (header) painter_.fillRect(cell, QColor(0xE8, 0xE8, 0xE8));
    painter_.setPen(QPen(Qt::black, 0));
    painter_.drawRect(cell);
    if (column < line.size()) {
      painter_.drawText(cell.adjusted(padding, 0, -padding, 0),
                        Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap,
                        FromUtf8(line[column]));
    }
    x += widths[column];
  }
  y_ += row_height;
  painter_.setFont(body_);
}

bool PageLayout::FitsTheWidth(const std::vector<std::vector<std::string>>& lines) const {
  double natural = 0;
  ColumnWidths(lines, kMeasuredRows, &natural);
  return natural <= width_;
}

void PageLayout::Caption(const QString& text) {
  QFont bold = body_;
  bold.setBold(true);
  painter_.setFont(bold);
  const QRectF bounds =
      painter_.boundingRect(QRectF(0, 0, width_, bottom_ - top_), Qt::TextWordWrap, text);
  painter_.drawText(QRectF(0, y_, width_, bounds.height()), Qt::TextWordWrap, text);
  y_ += bounds.height() + 0.2 * LineHeight();
  painter_.setFont(body_);
}

void PageLayout::Table(const std::vector<std::vector<std::string>>& lines, const QString& caption) {
  if (lines.empty()) return;
  const std::vector<double> widths = ColumnWidths(lines, kMeasuredRows);
  const double line_height = QFontMetricsF(table_, &device_).height();
  QFont bold = table_;
  bold.setBold(true);
  const QFontMetricsF plain_metrics(table_, &device_);
  const QFontMetricsF bold_metrics(bold, &device_);
  // The tallest cell of a row sets its height: narrowed columns wrap. A
  // cell as narrow as its column takes one line without being laid out.
  const auto row_height = [&](const std::vector<std::string>& line, bool header) {
    const double single = kRowSpacing * line_height;
    double height = single;
    const QFontMetricsF& metrics = header ? bold_metrics : plain_metrics;
    for (std::size_t column = 0; column < std::min(line.size(), widths.size()); ++column) {
      const double inner = widths[column] - 2 * kCellPadding * line_height;
      const QString text = FromUtf8(line[column]);
      if (metrics.horizontalAdvance(text) <= inner) continue;
      const QRectF bounds =
          metrics.boundingRect(QRectF(0, 0, std::max(inner, 1.0), height_), Qt::TextWordWrap, text);
      height = std::max(height, bounds.height() + kCellPadding * line_height);
    }
    return height;
  };
  QFont caption_font = body_;
  caption_font.setBold(true);
  const double caption_height =
      caption.isEmpty() ? 0 : QFontMetricsF(caption_font, &device_).height() + 0.2 * LineHeight();
  const double header_height = row_height(lines.front(), true);
  // The caption and the header stay with the first rows, three or all.
  double first_rows = 0;
  for (std::size_t row = 1; row < std::min<std::size_t>(lines.size(), 4); ++row)
    first_rows += row_height(lines[row], false);
  Ensure(caption_height + header_height + first_rows);
  if (!caption.isEmpty()) Caption(caption);
  PaintRow(lines.front(), widths, header_height, true);
  for (std::size_t row = 1; row < lines.size(); ++row) {
    const double height = row_height(lines[row], false);
    if (y_ + height > bottom_) {
      NewPage();
      Touch();
      if (!caption.isEmpty()) Caption(caption + QStringLiteral(" (продолжение)"));
      PaintRow(lines.front(), widths, header_height, true);
    }
    PaintRow(lines[row], widths, height, false);
  }
  y_ += 0.5 * LineHeight();
}

void PageLayout::Chart(QChart* chart, double height_share) {
  // The scene owns the chart from here on.
  QGraphicsScene scene;
  scene.addItem(chart);
  // Laid out at a window's size, then scaled onto the page as a whole with
  // its legend, so that its texts keep their proportion to the plot.
  const double scale = width_ / kChartWidth;
  const double height = height_share * (bottom_ - top_);
  const QList<LegendEntry> entries = LegendEntries(*chart);
  // In the chart's pixels, as its own texts are laid out, so that the
  // legend scales onto the page with them.
  QFont legend_font = chart->legend()->font();
  legend_font.setPixelSize(QFontInfo(legend_font).pixelSize());
  const int legend_width = static_cast<int>(kChartWidth) - 2 * kLegendMargin;
  const int legend_height =
      entries.isEmpty() ? 0 : LegendHeight(entries, legend_font, legend_width) + kLegendMargin;
  const QSizeF logical(kChartWidth, std::max(1.0, height / scale - legend_height));
  chart->resize(logical);
  // Laid out now, not when the event loop would: the round axes choose
  // their ticks for the plot's size only once they see it (KeepTicksFitting),
  // and their first ticks, chosen for a window, crowd a plot on paper into
  // labels shortened to "…". Their new ticks ask for a second layout.
  if (QGraphicsLayout* layout = chart->layout()) {
    layout->activate();
    layout->activate();
  }
  Ensure(height);
  // Counting, the plots are left out: they take no room beyond their share.
  if (outline_ != nullptr) {
    painter_.save();
    painter_.translate(0, y_);
    painter_.scale(scale, scale);
    scene.render(&painter_, QRectF(QPointF(0, 0), logical), QRectF(QPointF(0, 0), logical));
    PaintLegend(
        painter_, entries, legend_font,
        QRect(kLegendMargin, static_cast<int>(logical.height()), legend_width, legend_height),
        Qt::black);
    painter_.restore();
  }
  y_ += height + 0.5 * LineHeight();
}

void PaintPages(QPagedPaintDevice& device, const QString& title,
                const std::function<void(PageLayout&)>& content) {
  PageOutline outline;
  {
    // The same page and resolution as the device, so that the pages break
    // where they will break there.
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    QPdfWriter counter(&sink);
    counter.setResolution(device.logicalDpiY());
    counter.setPageLayout(device.pageLayout());
    PageLayout counting(counter, title, nullptr);
    content(counting);
    outline = counting.Outline();
  }
  PageLayout layout(device, title, &outline);
  content(layout);
}

}  // namespace ui
