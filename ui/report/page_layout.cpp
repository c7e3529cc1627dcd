// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/report/page_layout.h"

#include <QGraphicsScene>
#include <QPagedPaintDevice>
#include <QtCharts/QChart>
#include <algorithm>
#include <memory>

#include "ui/widgets/utf8_text.h"

namespace ui {

namespace {

constexpr double kCellPadding = 0.4;  // of a line height, on each side
constexpr double kRowSpacing = 1.35;  // row height in line heights
constexpr std::size_t kMeasuredRows = 200;
// The width a chart is laid out at before it is scaled onto the page: about
// a window's, so that its axes have room for their labels.
constexpr double kChartWidth = 960;

QFont ReportFont(double points, bool bold = false) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

}  // namespace

PageLayout::PageLayout(QPagedPaintDevice& device)
    : device_(device),
      body_(ReportFont(10)),
      heading_(ReportFont(13, true)),
      table_(ReportFont(8.5)) {
  if (!painter_.begin(&device_)) return;
  width_ = device_.width();
  height_ = device_.height();
  painter_.setFont(body_);
}

double PageLayout::LineHeight() const {
  return QFontMetricsF(body_, &device_).height();
}

void PageLayout::NewPage() {
  device_.newPage();
  ++pages_;
  y_ = 0;
}

void PageLayout::Ensure(double height) {
  if (y_ > 0 && y_ + height > height_) NewPage();
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
  const QRectF page(0, 0, width_, height_);
  double room = height_;
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

void PageLayout::Table(const std::vector<std::vector<std::string>>& lines) {
  if (lines.empty()) return;
  const std::vector<double> widths = ColumnWidths(lines, kMeasuredRows);
  const double line_height = QFontMetricsF(table_, &device_).height();
  // The tallest cell of a row sets its height: narrowed columns wrap.
  const auto row_height = [&](const std::vector<std::string>& line) {
    double height = kRowSpacing * line_height;
    QFont bold = table_;
    bold.setBold(true);
    const QFontMetricsF metrics(bold, &device_);
    for (std::size_t column = 0; column < std::min(line.size(), widths.size()); ++column) {
      const double inner = widths[column] - 2 * kCellPadding * line_height;
      const QRectF bounds = metrics.boundingRect(QRectF(0, 0, std::max(inner, 1.0), height_),
                                                 Qt::TextWordWrap, FromUtf8(line[column]));
      height = std::max(height, bounds.height() + kCellPadding * line_height);
    }
    return height;
  };
  const double header_height = row_height(lines.front());
  Ensure(header_height + row_height(lines.size() > 1 ? lines[1] : lines.front()));
  PaintRow(lines.front(), widths, header_height, true);
  for (std::size_t row = 1; row < lines.size(); ++row) {
    const double height = row_height(lines[row]);
    if (y_ + height > height_) {
      NewPage();
      PaintRow(lines.front(), widths, header_height, true);
    }
    PaintRow(lines[row], widths, height, false);
  }
  y_ += 0.5 * LineHeight();
}

void PageLayout::PagedTable(const QString& caption,
                            const std::vector<std::vector<std::string>>& lines, int rows_per_page) {
  if (lines.empty()) return;
  if (y_ > 0) NewPage();
  Heading(caption);
  // Numbers must not wrap: a table wider than the page takes a smaller
  // font instead, and only the header wraps, onto two lines.
  const QFont font = table_;
  double natural = 0;
  ColumnWidths(lines, kMeasuredRows, &natural);
  if (natural > width_) table_.setPointSizeF(font.pointSizeF() * width_ / natural * 0.97);
  const std::vector<double> widths = ColumnWidths(lines, kMeasuredRows);
  // The caption's room is kept on every page, so that every page holds
  // the same number of rows.
  const double line = QFontMetricsF(table_, &device_).height();
  const double row_height =
      std::min(kRowSpacing * line, (height_ - y_ - 2 * kRowSpacing * line) / rows_per_page);
  const double header_height = 2 * kRowSpacing * line;
  const double top = y_;
  PaintRow(lines.front(), widths, header_height, true);
  for (std::size_t row = 1; row < lines.size(); ++row) {
    if (row > 1 && (row - 1) % static_cast<std::size_t>(rows_per_page) == 0) {
      NewPage();
      y_ = top;
      PaintRow(lines.front(), widths, header_height, true);
    }
    PaintRow(lines[row], widths, row_height, false);
  }
  table_ = font;
  y_ += 0.5 * LineHeight();
}

void PageLayout::Chart(QChart* chart, double height_share) {
  // The scene owns the chart from here on.
  QGraphicsScene scene;
  scene.addItem(chart);
  // Laid out at a screen-like size, then scaled onto the page as a whole,
  // so that its texts keep their proportion to the plot.
  const QSizeF logical(kChartWidth, kChartWidth * height_share * height_ / width_);
  chart->resize(logical);
  const double height = height_share * height_;
  Ensure(height);
  scene.render(&painter_, QRectF(0, y_, width_, height), QRectF(QPointF(0, 0), logical));
  y_ += height + 0.5 * LineHeight();
}

}  // namespace ui
