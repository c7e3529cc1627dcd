// SPDX-License-Identifier: GPL-3.0-or-later
// A report's pages, written top to bottom: headings, wrapped paragraphs,
// tables whose header repeats on every page they run over, and plots painted
// as vectors. A new page begins wherever the next piece does not fit.
#pragma once

#include <QFont>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <QTextOption>
#include <string>
#include <vector>

class QChart;
class QPagedPaintDevice;

namespace ui {

class PageLayout {
 public:
  explicit PageLayout(QPagedPaintDevice& device);
  PageLayout(const PageLayout&) = delete;
  PageLayout& operator=(const PageLayout&) = delete;

  void Heading(const QString& text);
  // Wrapped between words, and inside a word too long for a line. A text
  // taller than a page is cut where this page ends, and says so.
  void Paragraph(const QString& text);
  // `label` in bold before `text`, whose lines wrap under one another in a
  // column as far in as `widest_label` and a little space reach.
  void HangingParagraph(const QString& label, const QString& text, const QString& widest_label);
  // Rows flow down the pages; the header row repeats at the top of each.
  void Table(const std::vector<std::vector<std::string>>& lines);
  // From a new page, exactly `rows_per_page` rows under the header on each
  // page, so that the page count follows from the row count alone.
  void PagedTable(const QString& caption, const std::vector<std::vector<std::string>>& lines,
                  int rows_per_page);
  // The chart painted into the page's width, `height_share` of the page's
  // height high; the layout takes ownership of the chart.
  void Chart(QChart* chart, double height_share);
  // Lines kept together on one page, the first in bold, with a dashed line
  // to cut along under them.
  void Block(const QStringList& lines);
  void NewPage();
  void Space(double lines);

  int PageCount() const { return pages_; }
  QPainter& Painter() { return painter_; }
  double Width() const { return width_; }
  // The room left on the current page.
  double Room() const { return height_ - y_; }
  double LineHeight() const;

 private:
  // A new page unless `height` fits on this one (or the page is still empty).
  void Ensure(double height);
  static QTextOption Wrapping();
  // `text` in the body font, or, when a page cannot hold it, as much of it
  // as the room left on this page holds, with a note that it was shortened.
  QString FittingOnAPage(const QString& text);
  // With `natural_total`, also the width the columns would take unsqueezed,
  // the header measured by its longest word only.
  std::vector<double> ColumnWidths(const std::vector<std::vector<std::string>>& lines,
                                   std::size_t measured_rows,
                                   double* natural_total = nullptr) const;
  void PaintRow(const std::vector<std::string>& line, const std::vector<double>& widths,
                double row_height, bool header);

  QPagedPaintDevice& device_;
  QPainter painter_;
  double width_ = 0;
  double height_ = 0;
  double y_ = 0;
  int pages_ = 1;
  QFont body_;
  QFont heading_;
  QFont table_;
};

}  // namespace ui
