// SPDX-License-Identifier: GPL-3.0-or-later
// A report's pages, written top to bottom: headings, wrapped paragraphs,
// tables whose caption and header repeat on every page they run over, and
// plots painted as vectors with their legend. A new page begins wherever
// the next piece does not fit. Every page carries a running header (the
// document's title and the sections on the page) and "Страница N из M":
// the content is laid out twice, first to learn the pages (PaintPages).
#pragma once

#include <QFont>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <QTextOption>
#include <functional>
#include <string>
#include <vector>

class QChart;
class QPagedPaintDevice;

namespace ui {

// What the first pass learnt: the sections each page holds.
struct PageOutline {
  std::vector<QStringList> sections;  // one entry per page
};

class PageLayout {
 public:
  // Without an outline the layout only counts: it measures as it would
  // paint, leaves out the plots and paints no header or page number.
  PageLayout(QPagedPaintDevice& device, QString title, const PageOutline* outline);
  PageLayout(const PageLayout&) = delete;
  PageLayout& operator=(const PageLayout&) = delete;

  // What follows belongs to `name` until the next section: the running
  // header names it on every page it reaches.
  void Section(const QString& name);
  void Heading(const QString& text);
  // Wrapped between words, and inside a word too long for a line. A text
  // taller than a page is cut where this page ends, and says so.
  void Paragraph(const QString& text);
  // `label` in bold before `text`, whose lines wrap under one another in a
  // column as far in as `widest_label` and a little space reach.
  void HangingParagraph(const QString& label, const QString& text, const QString& widest_label);
  // Rows flow down the pages; the caption, when given, and the header row
  // repeat at the top of each page the table continues on.
  void Table(const std::vector<std::vector<std::string>>& lines, const QString& caption = {});
  // Whether the table's columns fit the page's width unwrapped.
  bool FitsTheWidth(const std::vector<std::vector<std::string>>& lines) const;
  // The chart painted into the page's width with its legend under it,
  // `height_share` of the page's height high together; the layout takes
  // ownership of the chart.
  void Chart(QChart* chart, double height_share);
  // Lines kept together on one page, the first in bold, with a dashed line
  // to cut along under them.
  void Block(const QStringList& lines);
  void NewPage();
  void Space(double lines);

  int PageCount() const { return pages_; }
  const PageOutline& Outline() const { return seen_; }
  QPainter& Painter() { return painter_; }
  double Width() const { return width_; }
  // The room left on the current page.
  double Room() const { return bottom_ - y_; }
  double LineHeight() const;

 private:
  // A new page unless `height` fits on this one (or the page is still empty).
  void Ensure(double height);
  // The current section is on this page.
  void Touch();
  void PaintFrame();
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
  void Caption(const QString& text);

  QPagedPaintDevice& device_;
  QPainter painter_;
  QString title_;
  const PageOutline* outline_;
  PageOutline seen_;
  QString section_;
  double width_ = 0;
  double height_ = 0;
  double top_ = 0;     // below the running header
  double bottom_ = 0;  // above the page number
  double y_ = 0;
  int pages_ = 1;
  QFont body_;
  QFont heading_;
  QFont table_;
  QFont frame_;
};

// Lays out `content` once to count the pages and learn their sections,
// then paints it on `device` with the running header headed by `title` and
// the page numbers.
void PaintPages(QPagedPaintDevice& device, const QString& title,
                const std::function<void(PageLayout&)>& content);

}  // namespace ui
